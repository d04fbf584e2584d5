#include "main/Commands.h"

#include <algorithm>
#include <memory>
#include <unordered_set>

#include "base/Convert.h"
#include "base/Cp932.h"
#include "base/Exception.h"
#include "base/Path.h"
#include "dialogs/GroupProperty.h"
#include "dialogs/LauncherProperty.h"
#include "main/Watcher.h"
#include "model/FilterList.h"
#include "model/Root.h"
#include "ui/FileSystem.h"
#include "ui/ListView.h"
#include "ui/Shell.h"
#include "ui/System.h"
#include "ui/TreeView.h"
#include "ui/UpdateBracket.h"

namespace lantern {

std::string DeleteItemQuestion(const std::string& Name) {
  return "「" + Name + "」を完全に削除しますか？";
}

std::string DeleteItemsQuestion(int Count) {
  return IntToStr(Count) + " 個の項目を完全に削除しますか？";
}

std::string EmptyTrashQuestion(int Count) {
  return "ゴミ入れを空にしますか？（" + IntToStr(Count) + " 個の項目を完全に削除します）";
}

namespace {

const char* const TrashNotDeletedText = "ゴミ入れは削除できません";
const char* const TrashNotRecycledText = "ゴミ入れはゴミ入れに移動できません";
const char* const NotAddAgainText = "このプログラムを今後自動追加しない(&W)";

}  // namespace

TEditCommands::TEditCommands(TRoot& Root, TWatcher& Watcher, TWinControl& Window, TListView& List,
                             TTreeView& Tree)
    : FRoot(Root), FWatcher(Watcher), FWindow(Window), FList(List), FTree(Tree) {}

TEditCommands::~TEditCommands() = default;

bool TEditCommands::TreeHeld() const { return FRoot.Guard().Held(); }

void TEditCommands::StateChanged() {
  if (OnStateChanged) OnStateChanged();
}

void TEditCommands::RunWhenTreeFree(std::function<void()> Change) {
  // An in-place edit keeps its row too: the change waits for the edit's end.
  if (FList.Editing() || FTree.Editing())
    FRoot.Guard().Keep(std::move(Change));
  else
    FRoot.Guard().Run(std::move(Change));
}

// ---- Adding ----

void TEditCommands::AddGroupExecute() {
  if (TreeHeld()) return;
  TCompositeItem* Current = FRoot.CurrentFolder();
  // Above the trash, with the other groups.
  TFolder* Group = Current->AddNew(std::make_unique<TFolder>(Current));
  if (TTreeNode* Node = Current->TreeNode()) Node->Expand(true);
  // Named in place at once: the list has the keys for it.
  if (TListItem* Row = Group->ListItem()) {
    FList.SetFocus();
    FList.SelectOnly(Row);
    Row->EditCaption();
  }
}

void TEditCommands::AddNewLauncher(std::unique_ptr<TLauncher> Launcher, bool Show) {
  // The current group stays while the chooser or the dialog is open.
  TTreeGuard::THold Hold(FRoot.Guard());
  {
    TLauncherPropertyForm Dialog;
    Dialog.LoadItem(Launcher.get());
    if (Show) {
      if (Dialog.ShowModal() != mrOk) return;
    } else {
      Dialog.RefButtonClick();
    }
    Dialog.StoreItem();
  }
  if (Launcher->FileName().empty()) return;  // chooser or dialog cancelled: nothing is added
  TLauncher* Added = FRoot.CurrentFolder()->AddNew(std::move(Launcher));
  if (TListItem* Row = Added->ListItem()) FList.SelectOnly(Row);
}

void TEditCommands::AddLauncherExecute() {
  if (TreeHeld()) return;
  AddNewLauncher(std::make_unique<TLauncherExec>(FRoot.CurrentFolder()), false);
}

void TEditCommands::AddLauncherFolderExecute() {
  if (TreeHeld()) return;
  AddNewLauncher(std::make_unique<TLauncherFolder>(FRoot.CurrentFolder()), false);
}

void TEditCommands::AddLauncherURLExecute() {
  if (TreeHeld()) return;
  AddNewLauncher(std::make_unique<TLauncherURL>(FRoot.CurrentFolder()), true);
}

void TEditCommands::AddDroppedFile(const std::string& Path) {
  if (TreeHeld()) {
    RunWhenTreeFree([this, Path] { AddDroppedFile(Path); });
    return;
  }
  TCompositeItem* Current = FRoot.CurrentFolder();
  if (FileSystem().FileExists(Path)) {
    TLauncher* Launcher = Current->AddNew(std::make_unique<TLauncherExec>(Current));
    Launcher->SetFileName(Path);
    Launcher->SetName(ExtractFileName(Path));
  } else if (FileSystem().DirectoryExists(Path)) {
    TLauncher* Launcher = Current->AddNew(std::make_unique<TLauncherFolder>(Current));
    Launcher->SetName(ExtractFolderName(Path));
    Launcher->SetFileName(Path);
  }
}

void TEditCommands::AddDroppedURL(const std::string& Name, const std::string& URL) {
  if (TreeHeld()) {
    RunWhenTreeFree([this, Name, URL] { AddDroppedURL(Name, URL); });
    return;
  }
  if (URL.empty()) {
    MessageDlg("URLが空です", TMsgDlgType::Warning, mbOK);
  } else {
    TCompositeItem* Current = FRoot.CurrentFolder();
    TLauncherURL* Launcher = Current->AddNew(std::make_unique<TLauncherURL>(Current));
    Launcher->SetName(Name);
    Launcher->SetFileName(URL);
  }
  System().ForceForeground(FWindow.Handle());
}

// ---- Properties ----

void TEditCommands::ObjPropertyActionExecute() {
  if (TreeHeld()) return;
  // The item stays as it is while the dialog is open: nothing else may free it or its row.
  TTreeGuard::THold Hold(FRoot.Guard());
  TCompositeItem* Group = nullptr;
  if (FList.Focused()) {
    TListItem* Row = FList.Selected();
    auto* Item = Row ? static_cast<TExecItem*>(Row->Data()) : nullptr;
    if (auto* Launcher = dynamic_cast<TLauncher*>(Item)) {
      TLauncherPropertyForm Dialog;
      Dialog.LoadItem(Launcher);
      if (Dialog.ShowModal() != mrOk) return;
      Dialog.StoreItem();
      if (OnSave) OnSave();
      return;
    }
    // The trash is only opened from the tree.
    if (Item && Item->IsGroup() && !Item->IsRecycledFolder()) Group = Item->AsGroup();
  } else if (FTree.Focused()) {
    TTreeNode* Node = FTree.Selected();
    auto* Item = Node ? static_cast<TExecItem*>(Node->Data()) : nullptr;
    if (Item && Item != &FRoot) Group = Item->AsGroup();
  }
  if (!Group) return;
  TGroupPropertyForm Dialog;
  Dialog.LoadItem(Group);
  if (Dialog.ShowModal() != mrOk) return;
  Dialog.StoreItem();
  if (OnSave) OnSave();
}

// ---- Removing and the trash ----

bool TEditCommands::HoldsTrash(const TExecItem* Item) const {
  TRecycledFolder* Trash = FRoot.RecycledFolder();
  return Trash && Item && Trash->IsInside(Item);
}

std::vector<TExecItem*> TEditCommands::CollectItems(const char* Refusal, int& Index) {
  std::vector<TExecItem*> Items;
  Index = -1;
  // The root and the groups above the trash hold it: none of them may go. The commands are
  // off for them; this stops a caller that did not ask.
  if (FList.Focused()) {
    for (int i = 0; i < FList.Items().Count(); ++i) {
      TListItem* Row = FList.Items()[i];
      if (!Row->Selected()) continue;
      if (Index < 0) Index = i;
      auto* Item = static_cast<TExecItem*>(Row->Data());
      if (HoldsTrash(Item)) throw Exception(Refusal);
      Items.push_back(Item);
    }
  } else if (TTreeNode* Node = FTree.Selected()) {
    auto* Item = static_cast<TExecItem*>(Node->Data());
    if (HoldsTrash(Item)) throw Exception(Refusal);
    Items.push_back(Item);
  }
  return Items;
}

void TEditCommands::ReselectRow(int Index) {
  if (Index < 0) return;
  const int Count = FList.Items().Count();
  if (Count == 0) return;
  FList.SelectOnly(FList.Items()[std::min(Index, Count - 1)]);
}

bool TEditCommands::ConfirmDeleteForGood(const std::string& Question,
                                         const std::vector<TExecItem*>& Items,
                                         std::vector<std::string>& KeepOut) {
  // As the system asks before a deletion that cannot be undone: Enter keeps the items.
  KeepOut = ProgramsToLearnAgain(Items);
  if (KeepOut.empty())
    return MessageDlg(Question, TMsgDlgType::Confirmation, mbYes | mbNo, mbNo) == mrYes;
  // Offered unticked while the watcher is off: it learns nothing now.
  bool Ticked = FWatcher.Watching();
  const bool Yes = MessageDlgCheck(Question, TMsgDlgType::Confirmation, mbYes | mbNo, mbNo,
                                   NotAddAgainText, Ticked) == mrYes;
  if (!Ticked) KeepOut.clear();
  return Yes;
}

std::vector<std::string> TEditCommands::ProgramsToLearnAgain(const std::vector<TExecItem*>& Items) {
  auto Deleted = [&](TExecItem* Item) {
    for (TExecItem* Up = Item; Up; Up = Up->Parent())
      if (std::find(Items.begin(), Items.end(), Up) != Items.end()) return true;
    return false;
  };
  std::vector<TExecItem*> Launchers;
  std::unordered_set<std::string> Staying;  // the running paths that launchers left know
  for (TExecItemIterator It(&FRoot); !It.Done(); It.Next()) {
    TExecItem* Item = It.Current();
    if (Item->IsGroup()) continue;
    if (!Deleted(Item))
      Staying.insert(Item->RunningPath());
    else if (dynamic_cast<TLauncherExec*>(Item))
      Launchers.push_back(Item);
  }
  std::vector<std::string> Paths, Seen;
  for (TExecItem* Launcher : Launchers) {
    const std::string& Running = Launcher->RunningPath();
    if (Running.empty() || Staying.count(Running)) continue;
    // The form the watcher finds a running program's path in.
    const std::string Path = LongPathOrAsIs(Running);
    if (FRoot.Filters().Matches(Path)) continue;
    const std::string Folded = UpperCaseAscii(Path);
    if (std::find(Seen.begin(), Seen.end(), Folded) != Seen.end()) continue;
    Seen.push_back(Folded);
    Paths.push_back(Path);
  }
  return Paths;
}

void TEditCommands::KeepOutForGood(const std::vector<std::string>& Paths) {
  if (Paths.empty()) return;
  for (const std::string& Path : Paths)
    if (!FRoot.Filters().Matches(Path)) FRoot.Filters().Add(ExactMask(Path));
  // Stored now, not only at the exit: the user's choice must outlive a crash or a power cut.
  FRoot.Filters().SaveToRegistry(LanternRegistryKey);
}

void TEditCommands::DeleteForGood(const std::vector<TExecItem*>& Items) {
  FWatcher.NoteDeletedForGood(Items);
  for (TExecItem* Item : Items)
    if (Item != &FRoot && Item->Parent()) Item->Parent()->AsGroup()->Remove(Item);
}

void TEditCommands::DeleteObjExecute() {
  if (TreeHeld()) return;
  const bool List = FList.Focused();
  int Index;
  std::vector<TExecItem*> Items = CollectItems(TrashNotDeletedText, Index);
  if (Items.empty()) return;
  // The box's loop holds the tree: the items stay as they were collected.
  std::vector<std::string> KeepOut;
  if (!ConfirmDeleteForGood(Items.size() == 1 ? DeleteItemQuestion(Items.front()->Name())
                                              : DeleteItemsQuestion(static_cast<int>(Items.size())),
                            Items, KeepOut))
    return;
  DeleteForGood(Items);
  if (List) ReselectRow(Index);
  KeepOutForGood(KeepOut);
}

void TEditCommands::EmptyTrashActionExecute() {
  // Items cut wait in the trash for their paste: emptying it now would lose them.
  if (TreeHeld() || FCutPending) return;
  TRecycledFolder* Trash = FRoot.RecycledFolder();
  if (!Trash || Trash->Count() == 0) return;
  std::vector<TExecItem*> Items = Trash->Children().Snapshot();
  std::vector<std::string> KeepOut;
  if (!ConfirmDeleteForGood(EmptyTrashQuestion(static_cast<int>(Items.size())), Items, KeepOut))
    return;
  DeleteForGood(Items);
  KeepOutForGood(KeepOut);
}

void TEditCommands::MoveRecycledExecute() {
  if (TreeHeld()) return;
  TRecycledFolder* Trash = FRoot.RecycledFolder();
  const bool List = FList.Focused();
  // What the trash shows is deleted for good.
  if (List && FRoot.CurrentFolder() == Trash) {
    DeleteObjExecute();
    return;
  }
  int Index;
  std::vector<TExecItem*> Items = CollectItems(TrashNotRecycledText, Index);
  // A group in the tree that is already in the trash is deleted for good.
  if (!List && !Items.empty() && Trash && Items.front()->Parent() &&
      Items.front()->Parent()->AsGroup()->IsInside(Trash)) {
    DeleteObjExecute();
    return;
  }
  if (!Trash) return;
  // All or nothing: a group that the trash could not hold stops the command before any move.
  for (TExecItem* Item : Items) Trash->CheckCanHold(Item);
  for (TExecItem* Item : Items)
    if (Item != &FRoot && Item->Parent()) Trash->Add(Item->Parent()->AsGroup()->Remove(Item));
  if (List) ReselectRow(Index);
}

// ---- The item clipboard ----

void TEditCommands::SetCutPending(bool Value) {
  if (Value == FCutPending) return;
  FCutPending = Value;
  StateChanged();
}

void TEditCommands::SetClipboardFilled(bool Value) {
  FClipboardFilled = Value;
  StateChanged();
}

std::vector<TExecItem*> TEditCommands::CutItems() {
  std::vector<TExecItem*> Items;
  // Pre-order, so a cut group is met before its items, which go with it.
  for (TExecItemIterator It(&FRoot); !It.Done(); It.Next()) {
    TExecItem* Item = It.Current();
    if (!Item->Cut()) continue;
    bool InCutGroup = false;
    for (TExecItem* Up = Item->Parent(); Up && !InCutGroup; Up = Up->Parent())
      InCutGroup = Up->Cut();
    if (!InCutGroup) Items.push_back(Item);
  }
  return Items;
}

void TEditCommands::CopyObjectExecute() {
  if (TreeHeld()) return;
  std::vector<TExecItem*> Sources;
  if (FList.Focused()) {
    for (int i = 0; i < FList.Items().Count(); ++i)
      if (FList.Items()[i]->Selected())
        Sources.push_back(static_cast<TExecItem*>(FList.Items()[i]->Data()));
  } else if (TTreeNode* Node = FTree.Selected()) {
    Sources.push_back(static_cast<TExecItem*>(Node->Data()));
  }
  if (Sources.empty()) return;
  // A copy takes the clipboard's place: items cut before stay where they wait, in the
  // trash, and are no longer pasted.
  for (TExecItem* Item : CutItems()) Item->SetCut(false);
  SetCutPending(false);
  FClipboardItems.clear();
  // Copies outside the tree: the originals may go before the paste.
  for (TExecItem* Item : Sources)
    if (std::unique_ptr<TExecItem> Copy = Item->Clone()) FClipboardItems.push_back(std::move(Copy));
  SetClipboardFilled(true);
}

void TEditCommands::CutObjectExecute() {
  if (TreeHeld() || FCutPending) return;
  const bool List = FList.Focused();
  int Index;
  // Refused before anything moves; with nothing chosen nothing waits for a paste.
  std::vector<TExecItem*> Items = CollectItems(TrashNotDeletedText, Index);
  if (Items.empty()) return;
  // The cut items wait in the trash, so that every save and the end of the program keep
  // them; the paste takes them from wherever they are by then.
  TRecycledFolder* Trash = FRoot.RecycledFolder();
  if (Trash)
    for (TExecItem* Item : Items)
      if (!Item->Parent() || !Item->Parent()->AsGroup()->IsInside(Trash)) Trash->CheckCanHold(Item);
  FClipboardItems.clear();
  SetClipboardFilled(false);
  for (TExecItem* Item : Items) {
    Item->SetCut(true);
    TCompositeItem* Parent = Item->Parent() ? Item->Parent()->AsGroup() : nullptr;
    if (Trash && Parent && !Parent->IsInside(Trash)) Trash->Add(Parent->Remove(Item));
  }
  if (List) ReselectRow(Index);
  SetCutPending(true);
}

void TEditCommands::PasteObjectExecute() {
  if (TreeHeld()) return;
  TCompositeItem* Current = FRoot.CurrentFolder();
  std::vector<TExecItem*> Pasted;
  if (FCutPending) {
    std::vector<TExecItem*> Items = CutItems();
    // Refused whole, before any move: a cut group cannot take itself.
    for (TExecItem* Item : Items) Current->CheckCanHold(Item);
    for (TExecItem* Item : Items) {
      Item->SetCut(false);
      Pasted.push_back(Current->AddNew(Item->Parent()->AsGroup()->Remove(Item)));
    }
  } else {
    for (const auto& Item : FClipboardItems) Current->CheckCanHold(Item.get());
    for (auto& Item : FClipboardItems) Pasted.push_back(Current->AddNew(std::move(Item)));
  }
  FClipboardItems.clear();
  for (int i = 0; i < FList.Items().Count(); ++i) FList.Items()[i]->SetSelected(false);
  for (TExecItem* Item : Pasted)
    if (TListItem* Row = Item->ListItem()) Row->SetSelected(true);
  if (!Pasted.empty()) {
    if (TListItem* First = Pasted.front()->ListItem()) First->SetFocused(true);
    if (TListItem* Last = Pasted.back()->ListItem()) Last->MakeVisible();
  }
  SetClipboardFilled(false);
  SetCutPending(false);
  StateChanged();
}

// ---- Order within a group ----

void TEditCommands::MoveSelected(int Step) {
  if (TreeHeld() || !FList.Focused() || FList.SelCount() != 1) return;
  auto* Item = static_cast<TExecItem*>(FList.Selected()->Data());
  TCompositeItem* Parent = Item->Parent() ? Item->Parent()->AsGroup() : nullptr;
  if (!Parent) return;
  const int Index = Item->IndexInParent() + Step;
  if (Index < 0 || Index >= Parent->Count()) return;
  {
    TUpdateBracket<TListItems> Bracket(&FList.Items());
    Parent->Insert(Index, Parent->Remove(Item));
  }
  if (TListItem* Row = Item->ListItem()) FList.SelectOnly(Row);
}

void TEditCommands::OpenExplorerActionExecute() {
  TListItem* Row = FList.Selected();
  if (!Row) return;
  auto* Item = static_cast<TExecItem*>(Row->Data());
  CheckShellExec(
      Shell().ShellExec("", "explorer.exe", "/e," + ExplorerSelect(Item->FileName()), "", SW_SHOW_),
      TShellTask::Explore, Item->FileName());
}

}  // namespace lantern
