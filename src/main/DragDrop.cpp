#include "main/DragDrop.h"

#include <algorithm>

#include "base/Exception.h"
#include "model/Root.h"
#include "ui/Dialogs.h"
#include "ui/ListView.h"
#include "ui/TreeView.h"
#include "ui/UpdateBracket.h"

namespace lantern {

TViewDragging::TViewDragging(TRoot& Root, TListView& List, TTreeView& Tree)
    : FRoot(Root), FList(List), FTree(Tree) {
  FList.OnStartDrag = [this](TDragControl*, bool& Start) { ListStartDrag(Start); };
  FTree.OnStartDrag = [this](TDragControl*, bool& Start) { TreeStartDrag(Start); };
  FList.OnDragOver = [this](TDragControl*, TDragControl* Source, int, int, bool& Accept) {
    ListDragOver(Source, Accept);
  };
  FTree.OnDragOver = [this](TDragControl*, TDragControl*, int X, int Y, bool& Accept) {
    TreeDragOver(X, Y, Accept);
  };
  FList.OnDragDrop = [this](TDragControl*, TDragControl*, int X, int Y) { ListDragDrop(X, Y); };
  FTree.OnDragDrop = [this](TDragControl*, TDragControl*, int X, int Y) { TreeDragDrop(X, Y); };
  FList.OnEndDrag = [this](TDragControl*) { EndDrag(); };
  FTree.OnEndDrag = [this](TDragControl*) { EndDrag(); };
}

TViewDragging::~TViewDragging() {
  for (auto* View : {static_cast<TDragControl*>(&FList), static_cast<TDragControl*>(&FTree)}) {
    View->OnStartDrag = nullptr;
    View->OnDragOver = nullptr;
    View->OnDragDrop = nullptr;
    View->OnEndDrag = nullptr;
  }
}

// While another command holds the tree nothing is taken up: no drag starts. A drag holds
// the tree itself until it ends, so that the items it carries stay.
void TViewDragging::ListStartDrag(bool& Start) {
  FItems.clear();
  if (!FRoot.Guard().Held())
    for (int i = 0; i < FList.Items().Count(); ++i)
      if (TListItem* Row = FList.Items()[i]; Row->Selected() && Row->Data())
        FItems.push_back(static_cast<TExecItem*>(Row->Data()));
  Start = !FItems.empty();
  if (Start) FHold = std::make_unique<TTreeGuard::THold>(FRoot.Guard());
}

void TViewDragging::TreeStartDrag(bool& Start) {
  FItems.clear();
  TTreeNode* Node = FTree.Selected();
  if (!FRoot.Guard().Held() && Node && Node->Data())
    FItems.push_back(static_cast<TExecItem*>(Node->Data()));
  Start = !FItems.empty();
  if (Start) FHold = std::make_unique<TTreeGuard::THold>(FRoot.Guard());
}

namespace {

// The group would take itself or a group above it among its rows.
bool InsideAny(TCompositeItem* Group, const std::vector<TExecItem*>& Items) {
  for (TExecItem* Item : Items)
    if (Group->IsInside(Item)) return true;
  return false;
}

}  // namespace

// Groups from the tree have no place among the rows, nor has a group that the current one
// is (or lies inside).
void TViewDragging::ListDragOver(TDragControl* Source, bool& Accept) {
  TCompositeItem* Group = FRoot.CurrentFolder();
  Accept = Source != &FTree && Group && !InsideAny(Group, FItems);
}

void TViewDragging::TreeDragOver(int X, int Y, bool& Accept) {
  Accept = FTree.GetNodeAt(X, Y) != nullptr;
}

namespace {

// Every item is checked before the first one moves, so that a refusal changes nothing: the
// data file could not hold groups nested deeper.
void CheckMove(const TCompositeItem& Target, const std::vector<TExecItem*>& Items) {
  for (TExecItem* Item : Items) Target.CheckCanHold(Item);
}

std::unique_ptr<TExecItem> TakeOut(TExecItem* Item) {
  TCompositeItem* Parent = Item->Parent() ? Item->Parent()->AsGroup() : nullptr;
  return Parent ? Parent->Remove(Item) : nullptr;
}

}  // namespace

void TViewDragging::ListDragDrop(int X, int Y) {
  TCompositeItem* Group = FRoot.CurrentFolder();
  if (!Group || InsideAny(Group, FItems)) return;
  TListItem* Row = FList.GetItemAt(X, Y);
  auto* Target = Row ? static_cast<TExecItem*>(Row->Data()) : nullptr;
  CheckMove(*Group, FItems);
  {
    TUpdateBracket<TListItems> Bracket(&FList.Items());
    for (TExecItem* Item : FItems) {
      if (Item == Target) continue;
      std::unique_ptr<TExecItem> Owned = TakeOut(Item);
      if (!Owned) continue;
      // The target's place is asked again each time: the items before it move.
      if (Target)
        Group->Insert(Target->IndexInParent(), std::move(Owned));
      else
        Group->Add(std::move(Owned));
    }
  }
  FItems.clear();
}

void TViewDragging::TreeDragDrop(int X, int Y) {
  TTreeNode* Node = FTree.GetNodeAt(X, Y);
  if (!Node || FItems.empty()) return;
  auto* Target = static_cast<TExecItem*>(Node->Data())->AsGroup();
  if (!Target) return;
  TExecItem* First = FItems.front();
  if (Target == First || Target == First->Parent()) {
    MessageDlg("送り側と受け側のフォルダが同じです", TMsgDlgType::Warning, mbOK);
    return;
  }
  for (TExecItem* Item : FItems)
    if (Target->IsInside(Item)) {
      MessageDlg(SubGroupTargetText(), TMsgDlgType::Warning, mbOK);
      return;
    }
  CheckMove(*Target, FItems);
  for (TExecItem* Item : FItems)
    if (std::unique_ptr<TExecItem> Owned = TakeOut(Item)) Target->AddNew(std::move(Owned));
  if (TTreeNode* TargetNode = Target->TreeNode()) TargetNode->Expand(false);
  if (First->IsGroup())
    if (TTreeNode* FirstNode = First->TreeNode()) {
      FTree.SetSelected(FirstNode);
      FirstNode->SetFocused(true);
    }
}

void TViewDragging::EndDrag() {
  FItems.clear();
  FHold.reset();
}

}  // namespace lantern
