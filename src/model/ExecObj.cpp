#include "model/ExecObj.h"

#include <algorithm>
#include <cstdint>

#include "base/Convert.h"
#include "base/Cp932.h"
#include "base/Exception.h"
#include "base/Path.h"
#include "model/Root.h"
#include "model/SeekIconThread.h"
#include "ui/FileSystem.h"
#include "ui/ImageList.h"
#include "ui/ListView.h"
#include "ui/TreeView.h"
#include "ui/UpdateBracket.h"

namespace lantern {

namespace {

// A row the tree writes itself: the list's change handler is not told.
class TSilentRow : public TSilentChanges {
 public:
  explicit TSilentRow(TListItem* Row) : TSilentChanges(Row ? Row->ListView() : nullptr) {}
};

TUpdateBracket<TListItems> ListUpdate(TListView* View) {
  return TUpdateBracket<TListItems>(View ? &View->Items() : nullptr);
}
TUpdateBracket<TTreeNodes> TreeUpdate(TTreeNode* Node) {
  return TUpdateBracket<TTreeNodes>(Node ? &Node->TreeView()->Items() : nullptr);
}

void SetSubItem(TListItem* Row, int Index, const std::string& Text) {
  Row->SubItems().Set(Index, Text);
}

void MarkMenuDirty(TExecItem* Item) {
  if (TRoot* Root = Item->OwnerRoot()) Root->SetMenuDirty(true);
}

// The list view of Root's tree; none for an item outside any tree (no root).
TListView* ListViewOf(TRoot* Root) { return Root ? Root->ListView() : nullptr; }

}  // namespace

// TExecItem

TExecItem::TExecItem(TExecItem* AParent) : FParent(AParent) {}

TExecItem::~TExecItem() { LeaveViews(); }

void TExecItem::LeaveViews() {
  TRoot* Root = OwnerRoot();
  if (!Root || Root->Closing()) {
    FListItem = nullptr;
    FTreeNode = nullptr;
    return;
  }
  if (Root->CurrentFolder() == this) Root->SetCurrentFolder(nullptr);
  if (TListItem* Row = FListItem) {
    FListItem = nullptr;
    Row->Delete();
  }
  if (TTreeNode* Node = FTreeNode) {
    FTreeNode = nullptr;
    Node->Delete();
  }
}

void TExecItem::SetParent(TExecItem* AParent) { FParent = AParent; }

void TExecItem::SetFileName(const std::string& Value) {
  NoteTreeChange();
  FFileName = FieldLine(Value);
}

std::unique_ptr<TExecItem> TExecItem::Clone() { return nullptr; }

TExecItem* TExecItem::GetRoot() {
  TExecItem* Item = this;
  while (Item->FParent) Item = Item->FParent;
  return Item;
}

TRoot* TExecItem::OwnerRoot() { return GetRoot()->AsRoot(); }

int TExecItem::IndexInParent() const {
  TCompositeItem* Group = FParent ? FParent->AsGroup() : nullptr;
  return Group ? Group->Children().IndexOf(this) : -1;
}

void TExecItem::SetName(const std::string& Value) {
  std::string Line = FieldLine(Value);
  if (FName == Line) return;
  FName = std::move(Line);
  if (FListItem) {
    TSilentRow Silent(FListItem);
    FListItem->SetCaption(FName);
  }
  if (FTreeNode) FTreeNode->SetText(FName);
  MarkMenuDirty(this);
  NoteTreeEdit();
}

void TExecItem::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  NoteTreeEdit();
  MarkMenuDirty(this);
  if (FListItem) {
    TSilentRow Silent(FListItem);
    FListItem->SetChecked(FVisible);
  }
}

void TExecItem::SetRunCount(int Value) {
  if (FRunCount == Value) return;
  FRunCount = Value;
  NoteTreeEdit();
  if (FListItem && FListItem->SubItems().Count() >= 2)
    SetSubItem(FListItem, 1, IntToStr(FRunCount));
}

void TExecItem::ShowInListItemBase(TListItem* ARow) {
  if (ARow) FListItem = ARow;
  if (!FListItem) return;
  TSilentRow Silent(FListItem);
  FListItem->SetData(this);
  FListItem->SetCaption(FName);
  FListItem->SetChecked(FVisible);
  if (FListItem->SubItems().Count() == 0) {
    FListItem->SubItems().Add("");
    FListItem->SubItems().Add("");
  }
  SetSubItem(FListItem, 1, IntToStr(FRunCount));
}

void TExecItem::ShowInListItem(TListItem* ARow) { ShowInListItemBase(ARow); }

void TExecItem::SetRowPicture(int Index, bool Silently) {
  if (!FListItem) return;
  if (Silently) {
    TSilentRow Silent(FListItem);
    FListItem->SetImageIndex(Index);
  } else {
    FListItem->SetImageIndex(Index);
  }
}

void TExecItem::ShowInTreeNode(TTreeNode* ANode) {
  if (ANode) FTreeNode = ANode;
  if (!FTreeNode) return;
  FTreeNode->SetData(this);
  FTreeNode->SetText(FName);
  SetNodePictures(IsCurrent() ? 1 : 0);
  if (FExpanded)
    FTreeNode->Expand(false);
  else
    FTreeNode->Collapse(false);
}

void TExecItem::ClearListItem() { FListItem = nullptr; }

void TExecItem::ClearTreeNode() { FTreeNode = nullptr; }

void TExecItem::CopyBasicsTo(TExecItem* Copy) const {
  Copy->FName = FName;
  Copy->FVisible = FVisible;
  Copy->FImageIndex = FImageIndex;
}

// TCompositeItem

TCompositeItem::TCompositeItem(TExecItem* AParent) : TExecItem(AParent) { FImageIndex = 0; }

TCompositeItem::~TCompositeItem() {
  FChildren.Clear();
  LeaveViews();
}

bool TExecItem::IsCurrent() {
  TRoot* Root = OwnerRoot();
  return Root && Root->CurrentFolder() == this;
}

void TCompositeItem::ShowInListItem(TListItem* ARow) {
  ShowInListItemBase(ARow);
  SetRowPicture(0, true);
}

void TExecItem::SetNodePictures(int Index) {
  if (!FTreeNode) return;
  FTreeNode->SetImageIndex(Index);
  FTreeNode->SetSelectedIndex(Index);
}

void TCompositeItem::ShowInTreeNode(TTreeNode* ANode) {
  TExecItem::ShowInTreeNode(ANode);
  if (!FTreeNode) return;
  auto Bracket = TreeUpdate(FTreeNode);
  FTreeNode->DeleteChildren();
  for (TExecItem* Child : FChildren.Snapshot())
    if (Child->IsGroup())
      Child->ShowInTreeNode(FTreeNode->TreeView()->Items().AddChild(FTreeNode, Child->Name()));
  if (FExpanded) FTreeNode->Expand(false);
}

void TCompositeItem::SetCurrentMark(bool Value) { SetNodePictures(Value ? 1 : 0); }

void TCompositeItem::ClearListItem() {
  TExecItem::ClearListItem();
  for (TExecItem* Child : FChildren.Snapshot()) Child->ClearListItem();
}

void TCompositeItem::ClearTreeNode() {
  TExecItem::ClearTreeNode();
  for (TExecItem* Child : FChildren.Snapshot()) Child->ClearTreeNode();
}

void TCompositeItem::Open() {
  if (TRoot* Root = OwnerRoot()) Root->SetCurrentFolder(this);
}

TExecItem* TCompositeItem::Add(std::unique_ptr<TExecItem> Owned) {
  CheckCanHold(Owned.get());
  TExecItem* AItem = Owned.get();
  FChildren.Add(std::move(Owned));
  AItem->SetParent(this);
  // Found once: the walk up to the root is what an Add costs in a deep tree.
  TRoot* Root = OwnerRoot();
  if (Root) Root->NotePendingIcons(AItem);
  if (AItem->IsGroup() && FTreeNode) {
    auto Bracket = TreeUpdate(FTreeNode);
    AItem->ShowInTreeNode(FTreeNode->TreeView()->Items().AddChild(FTreeNode, AItem->Name()));
    if (FExpanded) FTreeNode->Expand(false);
  }
  TListView* View = ListViewOf(Root);
  if (View && Root->CurrentFolder() == this) AItem->ShowInListItem(View->Items().Add());
  if (Root) Root->SetMenuDirty(true);
  return AItem;
}

std::unique_ptr<TExecItem> TCompositeItem::Remove(TExecItem* AItem) {
  std::unique_ptr<TExecItem> Owned = FChildren.Remove(AItem);
  if (TTreeNode* Node = AItem->TreeNode()) {
    bool WasExpanded = AItem->Expanded();
    AItem->ClearTreeNode();  // the node's subtree goes; nobody below may keep a node of it
    Node->Delete();
    AItem->SetExpanded(WasExpanded);
  }
  if (IsCurrent()) {
    TListItem* Row = AItem->ListItem();
    AItem->ClearListItem();
    if (Row) Row->Delete();
  }
  MarkMenuDirty(this);
  return Owned;
}

void TCompositeItem::Insert(int Index, std::unique_ptr<TExecItem> Owned) {
  CheckCanHold(Owned.get());
  TExecItem* AItem = Owned.get();
  FChildren.Insert(Index, std::move(Owned));
  if (AItem->Parent() != this) AItem->SetParent(this);
  TRoot* Root = OwnerRoot();
  if (Root) Root->NotePendingIcons(AItem);
  ShowInTreeNode(nullptr);
  TListView* View = ListViewOf(Root);
  if (View && Root->CurrentFolder() == this) {
    auto Bracket = ListUpdate(View);
    AItem->ShowInListItem(View->Items().Insert(Index));
  }
  if (Root) Root->SetMenuDirty(true);
}

void TCompositeItem::Clear() {
  TRoot* Root = OwnerRoot();
  {
    auto ListBracket = ListUpdate(ListViewOf(Root));
    auto TreeBracket = TreeUpdate(FTreeNode);
    FChildren.Clear();
  }
  if (Root) Root->SetMenuDirty(true);
}

void TCompositeItem::CloneChildrenInto(TCompositeItem& Copy) const {
  for (TExecItem* Child : FChildren.Snapshot()) {
    std::unique_ptr<TExecItem> ChildCopy = Child->Clone();
    if (!ChildCopy) continue;
    ChildCopy->SetParent(&Copy);
    Copy.FChildren.Add(std::move(ChildCopy));
  }
}

// TFolder

TFolder::TFolder(TExecItem* AParent) : TCompositeItem(AParent) { FName = "新規グループ"; }

std::unique_ptr<TExecItem> TFolder::Clone() {
  auto Copy = std::make_unique<TFolder>(nullptr);
  CopyBasicsTo(Copy.get());
  CloneChildrenInto(*Copy);
  return Copy;
}

// TRecycledFolder

TRecycledFolder::TRecycledFolder(TExecItem* AParent) : TCompositeItem(AParent) {
  FName = "ゴミ入れ";
  FVisible = false;
  if (TRoot* Root = OwnerRoot()) Root->SetRecycledFolder(this);
}

TRecycledFolder::~TRecycledFolder() {
  TRoot* Root = OwnerRoot();
  if (Root && Root->RecycledFolder() == this) Root->SetRecycledFolder(nullptr);
}

void TRecycledFolder::SetParent(TExecItem* AParent) {
  TRoot* Old = OwnerRoot();
  TCompositeItem::SetParent(AParent);
  TRoot* New = OwnerRoot();
  // A trash moved to another tree is that tree's trash, and no longer the old one's.
  if (Old && Old != New && Old->RecycledFolder() == this) Old->SetRecycledFolder(nullptr);
  if (New) New->SetRecycledFolder(this);
}

void TRecycledFolder::ShowInListItem(TListItem* ARow) {
  ShowInListItemBase(ARow);
  SetRowPicture(2, true);
}

void TRecycledFolder::ShowInTreeNode(TTreeNode* ANode) {
  TCompositeItem::ShowInTreeNode(ANode);
  SetNodePictures(IsCurrent() ? 3 : 2);
}

void TRecycledFolder::SetCurrentMark(bool Value) { SetNodePictures(Value ? 3 : 2); }

// TRoot

const char* const LanternRegistryKey = "Software\\ZR\\Lantern\\";

TRoot::TRoot() : TCompositeItem(nullptr), FFilters(std::make_unique<TFilterList>()) {
  FName = "ランタン";
  FFont.SetPitch(TFontPitch::Default);
  FFont.SetCharset(ShiftJisCharset);
  for (TKindColorSet* Set :
       {&FGroupColors, &FLauncherColors, &FFolderLauncherColors, &FURLLauncherColors})
    Set->Font().Assign(FFont);
}

TRoot::~TRoot() {
  try {
    FFilters->SaveToRegistry(LanternRegistryKey);
  } catch (const Exception&) {
    // Nowhere to report from here; the settings written at exit hold the list as well.
  }
  // Children go while this is still a root, so that they can leave the views tidily.
  FChildren.Clear();
  LeaveViews();
}

void TRoot::SetCurrentFolder(TCompositeItem* AGroup) {
  TCompositeItem* NewCurrent = AGroup ? AGroup : this;
  if (NewCurrent == FCurrentFolder) return;
  if (FCurrentFolder && FCurrentFolder->TreeNode()) {
    FCurrentFolder->SetCurrentMark(false);
    InvalidateTreeNode(FCurrentFolder->TreeNode());
  }
  FCurrentFolder = NewCurrent;
  NoteTreeEdit();
  if (TTreeNode* Node = FCurrentFolder->TreeNode()) {
    FCurrentFolder->SetCurrentMark(true);
    Node->SetSelected(true);
    Node->SetFocused(true);
    InvalidateTreeNode(Node);
  }
  FillListView(FCurrentFolder);
}

void TRoot::ShowInViews(TListView& List, TTreeView& Tree, TImageList& Images,
                        TImageList& ListImages) {
  SetListView(&List);
  SetTreeView(&Tree);
  SetImageList(&Images);
  SetListImageList(&ListImages);
  ShowInTreeNode(Tree.Items().AddChild(nullptr, FName));
  SetCurrentFolder(this);
}

void TRoot::RefreshListView() { FillListView(FCurrentFolder); }

// TLauncher

TLauncher::TLauncher(TExecItem* AParent) : TExecItem(AParent) {}

bool TLauncher::InTrash() const { return FParent && FParent->IsRecycledFolder(); }

void TLauncher::SetParent(TExecItem* AParent) {
  bool Leaving = (InTrash() || FCopiedFromTrash) && AParent != FParent;
  FParent = AParent;
  FCopiedFromTrash = false;
  if (Leaving) FetchIcon();  // an item leaving the trash gets its icon
}

void TLauncher::SetFileName(const std::string& Value) {
  std::string Line = FieldLine(Value);
  if (FFileName == Line) return;
  NoteTreeChange();
  FFileName = std::move(Line);
  if (MayBeShortcut() && UpperCaseAscii(ExtractFileExt(FFileName)) == ".LNK")
    FShortcut = std::make_unique<TShortcut>();  // read when first needed
  else
    FShortcut.reset();
  if (!InTrash()) FetchIcon();
  if (FListItem) {
    TSilentRow Silent(FListItem);
    SetSubItem(FListItem, 0, FFileName);
    FListItem->SetImageIndex(FImageIndex);
  }
}

void TLauncher::ShowInListItem(TListItem* ARow) {
  ShowInListItemBase(ARow);
  if (!FListItem) return;
  TSilentRow Silent(FListItem);
  SetSubItem(FListItem, 0, FFileName);
  SetSubItem(FListItem, 1, IntToStr(FRunCount));
  FListItem->SetImageIndex(FImageIndex);
}

void TLauncher::Open() { Execute(nullptr); }

TLauncher::~TLauncher() {
  // A share that does not answer must not hold the window.
  if (FIconThread) FIconThread.release()->LetGo();
}

void TLauncher::CopyLauncherTo(TLauncher* Copy) const {
  CopyBasicsTo(Copy);
  Copy->FCopiedFromTrash = InTrash();
  Copy->FFileName = FFileName;
  if (FShortcut) Copy->FShortcut = std::make_unique<TShortcut>(*FShortcut);
  Copy->FParameters = FParameters;
  Copy->FWorkFolder = FWorkFolder;
}

std::unique_ptr<TExecItem> TLauncher::Clone() {
  auto Copy = std::make_unique<TLauncherExec>(nullptr);
  CopyLauncherTo(Copy.get());
  return Copy;
}

// TLauncherFolder

TLauncherFolder::TLauncherFolder(TExecItem* AParent) : TLauncher(AParent) {
  FName = "新規ランチャ(フォルダ)";
}

std::unique_ptr<TExecItem> TLauncherFolder::Clone() {
  auto Copy = std::make_unique<TLauncherFolder>(nullptr);
  CopyLauncherTo(Copy.get());
  Copy->FExplorerOption = FExplorerOption;
  return Copy;
}

// TLauncherURL

TLauncherURL::TLauncherURL(TExecItem* AParent) : TLauncher(AParent) {
  FName = "新規ランチャ(URL)";
  FImageIndex = 4;
}

void TLauncherURL::SetFileName(const std::string& Value) {
  if (FFileName == FieldLine(Value)) return;
  TExecItem::SetFileName(Value);
  // Without this a URL set after the row was made (a drop, a new URL launcher) would show an
  // empty ファイル名 until the group is next listed.
  if (!FListItem) return;
  TSilentRow Silent(FListItem);
  SetSubItem(FListItem, 0, FFileName);
}

std::unique_ptr<TExecItem> TLauncherURL::Clone() {
  auto Copy = std::make_unique<TLauncherURL>(nullptr);
  CopyLauncherTo(Copy.get());
  return Copy;
}

// Unit operations

void FillListView(TCompositeItem* AGroup) {
  TRoot* Root = AGroup ? AGroup->OwnerRoot() : nullptr;
  TListView* View = ListViewOf(Root);
  if (!View) return;
  // A command waiting in a loop may hold rows: the list is filled once it is done.
  if (Root->Guard().Held()) {
    Root->SetWatchChanged(true);
    return;
  }
  Root->ClearListItem();
  // A list filled later than its group was opened (the tree was held) may still show an item
  // that has left the tree since, a group going with the current one: it lets go of its row.
  for (int i = 0; i < View->Items().Count(); ++i)
    if (auto* Item = static_cast<TExecItem*>(View->Items()[i]->Data())) Item->ClearListItem();
  std::vector<TExecItem*> Order;
  {
    auto Bracket = ListUpdate(View);
    View->Items().Clear();
    View->SetSmallImages(AGroup->IsRecycledFolder() ? nullptr : Root->ListImageList());
    std::vector<TExecItem*> Children = AGroup->Children().Snapshot();
    for (int Pass = 0; Pass < 2; ++Pass)
      for (TExecItem* Child : Children)
        if (Child->IsGroup() == (Pass == 0)) Child->ShowInListItem(View->Items().Add());
    Order.reserve(View->Items().Count());
    for (int i = 0; i < View->Items().Count(); ++i)
      Order.push_back(static_cast<TExecItem*>(View->Items()[i]->Data()));
  }
  // The stored order becomes the shown one: groups first, each kind in its former order.
  AGroup->Children().Reorder(Order);
  Root->SetWatchChanged(false);
}

void InvalidateTreeNode(TTreeNode* ANode) {
  if (ANode) ANode->TreeView()->InvalidateNode(ANode);
}

}  // namespace lantern
