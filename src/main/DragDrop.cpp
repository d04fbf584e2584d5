// The main window's handlers of dragging inside its views: launchers and groups from the list
// are put before another row or at the end of the current group; groups and launchers from
// either view are moved into a group of the tree.
#include <algorithm>

#include "base/Exception.h"
#include "main/Main.h"
#include "ui/Dialogs.h"
#include "ui/UpdateBracket.h"

namespace lantern {

void TLanternMain::SetUpDragging() {
  ListView1.OnStartDrag = [this](TDragControl*, bool& Start) { ListView1StartDrag(Start); };
  TreeView1.OnStartDrag = [this](TDragControl*, bool& Start) { TreeView1StartDrag(Start); };
  ListView1.OnDragOver = [this](TDragControl*, TDragControl* Source, int X, int Y, bool& Accept) {
    ListView1DragOver(Source, X, Y, Accept);
  };
  TreeView1.OnDragOver = [this](TDragControl*, TDragControl* Source, int X, int Y, bool& Accept) {
    TreeView1DragOver(Source, X, Y, Accept);
  };
  ListView1.OnDragDrop = [this](TDragControl*, TDragControl*, int X, int Y) {
    ListView1DragDrop(X, Y);
  };
  TreeView1.OnDragDrop = [this](TDragControl*, TDragControl*, int X, int Y) {
    TreeView1DragDrop(X, Y);
  };
  ListView1.OnEndDrag = [this](TDragControl*) { ViewEndDrag(); };
  TreeView1.OnEndDrag = [this](TDragControl*) { ViewEndDrag(); };
}

// While another command holds the tree nothing is taken up: no drag starts. A drag holds
// the tree itself until it ends, so that the items it carries stay.
void TLanternMain::ListView1StartDrag(bool& Start) {
  FDragItems.clear();
  if (!TreeHeld())
    for (int i = 0; i < ListView1.Items().Count(); ++i)
      if (TListItem* Row = ListView1.Items()[i]; Row->Selected() && Row->Data())
        FDragItems.push_back(static_cast<TExecItem*>(Row->Data()));
  Start = !FDragItems.empty();
  if (Start) FDragHold = std::make_unique<TTreeGuard::THold>(FRoot->Guard());
}

void TLanternMain::TreeView1StartDrag(bool& Start) {
  FDragItems.clear();
  TTreeNode* Node = TreeView1.Selected();
  if (!TreeHeld() && Node && Node->Data())
    FDragItems.push_back(static_cast<TExecItem*>(Node->Data()));
  Start = !FDragItems.empty();
  if (Start) FDragHold = std::make_unique<TTreeGuard::THold>(FRoot->Guard());
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
void TLanternMain::ListView1DragOver(TDragControl* Source, int, int, bool& Accept) {
  TCompositeItem* Group = FRoot->CurrentFolder();
  Accept = Source != &TreeView1 && Group && !InsideAny(Group, FDragItems);
}

void TLanternMain::TreeView1DragOver(TDragControl*, int X, int Y, bool& Accept) {
  Accept = TreeView1.GetNodeAt(X, Y) != nullptr;
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

void TLanternMain::ListView1DragDrop(int X, int Y) {
  TCompositeItem* Group = FRoot->CurrentFolder();
  if (!Group || InsideAny(Group, FDragItems)) return;
  TListItem* Row = ListView1.GetItemAt(X, Y);
  auto* Target = Row ? static_cast<TExecItem*>(Row->Data()) : nullptr;
  CheckMove(*Group, FDragItems);
  {
    TUpdateBracket<TListItems> Bracket(&ListView1.Items());
    for (TExecItem* Item : FDragItems) {
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
  FDragItems.clear();
}

void TLanternMain::TreeView1DragDrop(int X, int Y) {
  TTreeNode* Node = TreeView1.GetNodeAt(X, Y);
  if (!Node || FDragItems.empty()) return;
  auto* Target = static_cast<TExecItem*>(Node->Data())->AsGroup();
  if (!Target) return;
  TExecItem* First = FDragItems.front();
  if (Target == First || Target == First->Parent()) {
    MessageDlg("送り側と受け側のフォルダが同じです", TMsgDlgType::Warning, mbOK);
    return;
  }
  for (TExecItem* Item : FDragItems)
    if (Target->IsInside(Item)) {
      MessageDlg(SubGroupTargetText(), TMsgDlgType::Warning, mbOK);
      return;
    }
  CheckMove(*Target, FDragItems);
  for (TExecItem* Item : FDragItems)
    if (std::unique_ptr<TExecItem> Owned = TakeOut(Item)) Target->AddNew(std::move(Owned));
  if (TTreeNode* TargetNode = Target->TreeNode()) TargetNode->Expand(false);
  if (First->IsGroup())
    if (TTreeNode* FirstNode = First->TreeNode()) {
      TreeView1.SetSelected(FirstNode);
      FirstNode->SetFocused(true);
    }
}

void TLanternMain::ViewEndDrag() {
  FDragItems.clear();
  FDragHold.reset();
}

}  // namespace lantern
