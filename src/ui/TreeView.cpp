#include "ui/TreeView.h"

#include <algorithm>

#include "ui/Widgets.h"

namespace lantern {

// TTreeNode

int TTreeNode::Index() const {
  const auto& Siblings = FParent ? FParent->FChildren : FTreeView->Items().FTop->FChildren;
  for (std::size_t i = 0; i < Siblings.size(); ++i)
    if (Siblings[i].get() == this) return static_cast<int>(i);
  return -1;
}

void TTreeNode::Changed() {
  if (TTreeViewPeer* Peer = FTreeView->TreePeer()) Peer->NodeChanged(this);
}

void TTreeNode::SetText(const std::string& Value) {
  FText = Value;
  Changed();
}

void TTreeNode::SetImageIndex(int Value) {
  FImageIndex = Value;
  Changed();
}

void TTreeNode::SetSelectedIndex(int Value) {
  FSelectedIndex = Value;
  Changed();
}

void TTreeNode::EditText() {
  if (TTreeViewPeer* Peer = FTreeView->TreePeer())
    Peer->EditText(this);
  else
    FTreeView->FEditing = true;
}

void TTreeNode::NativeExpanded(bool Value) {
  if (FExpanded == Value) return;
  FExpanded = Value;
  TTreeView::TNodeEvent& Event = Value ? FTreeView->OnExpanded : FTreeView->OnCollapsed;
  if (Event) Event(FTreeView, this);
}

void TTreeNode::SetExpanded(bool Value) {
  if (Value)
    Expand(false);
  else
    Collapse(false);
}

void TTreeNode::Expand(bool Recurse) {
  if (HasChildren() && !FExpanded) {
    FExpanded = true;
    Changed();
    if (FTreeView->OnExpanded) FTreeView->OnExpanded(FTreeView, this);
  }
  if (Recurse)
    for (auto& Child : FChildren) Child->Expand(true);
}

void TTreeNode::Collapse(bool Recurse) {
  if (FExpanded) {
    FExpanded = false;
    Changed();
    if (HasChildren() && FTreeView->OnCollapsed) FTreeView->OnCollapsed(FTreeView, this);
  }
  if (Recurse)
    for (auto& Child : FChildren) Child->Collapse(true);
}

bool TTreeNode::Selected() const { return FTreeView->Selected() == this; }

void TTreeNode::SetSelected(bool Value) {
  if (Value)
    FTreeView->SetSelected(this);
  else if (Selected())
    FTreeView->SetSelected(nullptr);
}

void TTreeNode::Forget(TTreeNode* Node) {
  FTreeView->NodeDeleting(Node);
  if (TTreeViewPeer* Peer = FTreeView->TreePeer()) Peer->NodeDeleting(Node);
  // Searched from the end: nodes are mostly deleted last first (a group's children, a tree
  // being cleared), which keeps deleting thousands of them linear.
  auto It = std::find_if(FChildren.rbegin(), FChildren.rend(),
                         [Node](const std::unique_ptr<TTreeNode>& p) { return p.get() == Node; });
  if (It == FChildren.rend()) return;
  std::unique_ptr<TTreeNode> Owned = std::move(*It);
  FChildren.erase(std::next(It).base());
  // As with the native control, a node that loses its last child is no longer expanded.
  if (FChildren.empty()) FExpanded = false;
  // Owned goes here, with its subtree.
}

void TTreeNode::MoveTo(int Index) {
  TTreeNode* Holder = FParent ? FParent : FTreeView->Items().FTop.get();
  auto& Siblings = Holder->FChildren;
  const int From = this->Index();
  const int To = std::clamp(Index, 0, static_cast<int>(Siblings.size()) - 1);
  if (From < 0 || From == To) return;
  std::unique_ptr<TTreeNode> Owned = std::move(Siblings[From]);
  Siblings.erase(Siblings.begin() + From);
  Siblings.insert(Siblings.begin() + To, std::move(Owned));
  if (TTreeViewPeer* Peer = FTreeView->TreePeer()) Peer->ChildrenReordered(FParent);
}

void TTreeNode::Delete() {
  TTreeNode* Holder = FParent ? FParent : FTreeView->Items().FTop.get();
  Holder->Forget(this);
}

void TTreeNode::DeleteChildren() {
  while (!FChildren.empty()) FChildren.back()->Delete();
}

// TTreeNodes

TTreeNodes::TTreeNodes(TTreeView* Owner) : FOwner(Owner), FTop(new TTreeNode(Owner, nullptr)) {}

TTreeNodes::~TTreeNodes() = default;

TTreeNode* TTreeNodes::AddChild(TTreeNode* Parent, const std::string& Text) {
  TTreeNode* Holder = Parent ? Parent : FTop.get();
  Holder->FChildren.emplace_back(new TTreeNode(FOwner, Parent));
  TTreeNode* Node = Holder->FChildren.back().get();
  Node->FText = Text;
  if (TTreeViewPeer* Peer = FOwner->TreePeer()) Peer->NodeAdded(Node);
  return Node;
}

void TTreeNodes::Clear() { FTop->DeleteChildren(); }

namespace {
int CountBelow(const TTreeNode* Node) {
  int n = Node->Count();
  for (int i = 0; i < Node->Count(); ++i) n += CountBelow(Node->Item(i));
  return n;
}
}  // namespace

int TTreeNodes::Count() const { return CountBelow(FTop.get()); }

TTreeNode* TTreeNodes::GetFirstNode() const {
  return FTop->HasChildren() ? FTop->Item(0) : nullptr;
}

void TTreeNodes::BeginUpdate() {
  if (FUpdateCount++ == 0)
    if (TTreeViewPeer* Peer = FOwner->TreePeer()) Peer->UpdateBracket(true);
}

void TTreeNodes::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0)
    if (TTreeViewPeer* Peer = FOwner->TreePeer()) Peer->UpdateBracket(false);
}

// TTreeView

TTreeView::TTreeView(TWinControl* Parent) : TDragControl(Parent), FItems(new TTreeNodes(this)) {}

TTreeView::~TTreeView() {
  // Handlers must not run while the view itself goes away.
  OnChange = nullptr;
  OnExpanded = nullptr;
  OnCollapsed = nullptr;
  OnEdited = nullptr;
  OnClick = nullptr;
  SetPeer(nullptr);
  FItems.reset();
}

void TTreeView::SetImages(TImageList* Value) {
  FImages = Value;
  if (TTreeViewPeer* Peer = TreePeer()) Peer->ImagesChanged();
}

void TTreeView::NativeEdited(TTreeNode* Node, const std::string& Text) {
  FEditing = false;
  std::string S = Text;
  if (OnEdited) OnEdited(this, Node, S);
  Node->SetText(S);
}

void TTreeView::SetSelected(TTreeNode* Node) {
  if (FSelected == Node) return;
  FSelected = Node;
  if (TTreeViewPeer* Peer = TreePeer()) Peer->SelectionChanged(Node);
  if (OnChange) OnChange(this, Node);
}

void TTreeView::InvalidateNode(TTreeNode* Node) {
  if (!Node) return;
  ++FRepaintRequests;
  if (TTreeViewPeer* Peer = TreePeer()) Peer->InvalidateNode(Node);
}

void TTreeView::NodeDeleting(TTreeNode* Node) {
  // A selection inside the deleted subtree goes away with it.
  for (TTreeNode* p = FSelected; p; p = p->Parent())
    if (p == Node) {
      SetSelected(nullptr);
      break;
    }
}

namespace {

// The shown node Row rows below the first shown node of Parent's children; Row counts down.
TTreeNode* ShownNode(const TTreeNode* Parent, int& Row) {
  for (int i = 0; i < Parent->Count(); ++i) {
    TTreeNode* Node = Parent->Item(i);
    if (Row-- == 0) return Node;
    if (Node->Expanded())
      if (TTreeNode* Found = ShownNode(Node, Row)) return Found;
  }
  return nullptr;
}

}  // namespace

TTreeNode* TTreeView::GetNodeAt(int X, int Y) const {
  if (TTreeViewPeer* Peer = TreePeer()) return Peer->NodeAt(X, Y);
  if (X < 0 || Y < 0) return nullptr;
  int Row = Y / RowHeight;
  for (int i = 0; i < FItems->TopCount(); ++i) {
    TTreeNode* Node = FItems->Top(i);
    if (Row-- == 0) return Node;
    if (Node->Expanded())
      if (TTreeNode* Found = ShownNode(Node, Row)) return Found;
  }
  return nullptr;
}

std::unique_ptr<TControlPeer> TTreeView::CreateNativePeer(TWidgetFactory& Factory, void* Parent) {
  return Factory.CreateTreeView(*this, Parent);
}

}  // namespace lantern
