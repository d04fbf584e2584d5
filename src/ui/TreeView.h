#pragma once
// Tree view with nodes. The state lives here; a native control, when there is one, mirrors
// it. Windowless, the same object answers tests exactly as the program's handlers see it.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/DragControl.h"

namespace lantern {

class TImageList;
class TTreeView;
class TTreeNode;

// The native tree control's side: told of every change, in the order they happen.
class TTreeViewPeer : public TControlPeer {
 public:
  virtual void NodeAdded(TTreeNode* Node) = 0;
  virtual void NodeDeleting(TTreeNode* Node) = 0;
  // The children of Parent (nullptr: the top level) took a new order, the nodes themselves
  // kept: their selection and expansion stay.
  virtual void ChildrenReordered(TTreeNode* Parent) = 0;
  virtual void NodeChanged(TTreeNode* Node) = 0;  // text, pictures, expanded state
  virtual void SelectionChanged(TTreeNode* Node) = 0;
  virtual void UpdateBracket(bool Begin) = 0;
  virtual void InvalidateNode(TTreeNode* Node) = 0;
  virtual void ImagesChanged() = 0;
  virtual void EditText(TTreeNode* Node) = 0;
  virtual bool Editing() = 0;
  virtual TTreeNode* NodeAt(int X, int Y) = 0;  // client point; null for none
};

class TTreeNode {
 public:
  TTreeNode(const TTreeNode&) = delete;
  TTreeNode& operator=(const TTreeNode&) = delete;

  TTreeView* TreeView() const { return FTreeView; }
  TTreeNode* Parent() const { return FParent; }  // nullptr for top-level nodes
  int Count() const { return static_cast<int>(FChildren.size()); }
  TTreeNode* Item(int Index) const { return FChildren.at(Index).get(); }
  bool HasChildren() const { return !FChildren.empty(); }
  int Index() const;

  const std::string& Text() const { return FText; }
  void SetText(const std::string& Value);
  void* Data() const { return FData; }
  void SetData(void* Value) { FData = Value; }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  int SelectedIndex() const { return FSelectedIndex; }
  void SetSelectedIndex(int Value);
  // The native item that mirrors this node, kept by the peer.
  void* ItemHandle() const { return FItemHandle; }
  void SetItemHandle(void* Value) { FItemHandle = Value; }

  // A node without children is never shown expanded, as with the native control.
  bool Expanded() const { return FExpanded && HasChildren(); }
  void SetExpanded(bool Value);
  void Expand(bool Recurse);
  void Collapse(bool Recurse);

  bool Selected() const;
  void SetSelected(bool Value);
  bool Focused() const { return FFocused; }
  void SetFocused(bool Value) { FFocused = Value; }

  // Moves the node among its siblings to Index (clamped), keeping it and its subtree.
  void MoveTo(int Index);
  // Frees this node with its subtree.
  void Delete();
  void DeleteChildren();
  // Starts in-place editing of the text (windowless: the next NativeEdited is its end).
  void EditText();
  // The user expanded or collapsed the node in the native control.
  void NativeExpanded(bool Value);

 private:
  friend class TTreeNodes;
  TTreeNode(TTreeView* Owner, TTreeNode* Parent) : FTreeView(Owner), FParent(Parent) {}
  void Forget(TTreeNode* Node);
  void Changed();

  TTreeView* FTreeView;
  TTreeNode* FParent;
  std::vector<std::unique_ptr<TTreeNode>> FChildren;
  std::string FText;
  void* FData = nullptr;
  int FImageIndex = -1;
  int FSelectedIndex = -1;
  bool FExpanded = false;
  bool FFocused = false;
  void* FItemHandle = nullptr;
};

class TTreeNodes {
 public:
  explicit TTreeNodes(TTreeView* Owner);
  ~TTreeNodes();
  // Appends a node under Parent (nullptr: at the top level).
  TTreeNode* AddChild(TTreeNode* Parent, const std::string& Text);
  void Clear();
  int Count() const;  // every node, at every level
  TTreeNode* GetFirstNode() const;
  int TopCount() const { return FTop->Count(); }
  TTreeNode* Top(int Index) const { return FTop->Item(Index); }

  // Changes between the brackets are shown together when the last bracket closes.
  void BeginUpdate();
  void EndUpdate();
  bool Updating() const { return FUpdateCount > 0; }

 private:
  friend class TTreeNode;
  TTreeView* FOwner;
  std::unique_ptr<TTreeNode> FTop;  // holds the top-level nodes; not a node of the tree
  int FUpdateCount = 0;
};

class TTreeView : public TDragControl {
 public:
  std::unique_ptr<TControlPeer> CreateNativePeer(TWidgetFactory& Factory, void* Parent) override;
  using TNodeEvent = std::function<void(TTreeView* Sender, TTreeNode* Node)>;
  using TEditedEvent = std::function<void(TTreeView* Sender, TTreeNode* Node, std::string& S)>;

  explicit TTreeView(TWinControl* Parent = nullptr);
  ~TTreeView() override;
  TTreeViewPeer* TreePeer() const { return static_cast<TTreeViewPeer*>(Peer()); }
  // The user selected a node or finished editing its text in the native control.
  void NativeSelected(TTreeNode* Node) { SetSelected(Node); }
  void NativeEdited(TTreeNode* Node, const std::string& Text);
  void NativeClick() {
    if (OnClick) OnClick(this);
  }
  // A node's text is being edited in place.
  bool Editing() const { return TreePeer() ? TreePeer()->Editing() : FEditing; }
  TTreeNodes& Items() { return *FItems; }
  TTreeNode* Selected() const { return FSelected; }
  void SetSelected(TTreeNode* Node);
  // The node at the client point, if any.
  TTreeNode* GetNodeAt(int X, int Y) const;
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value);
  // Asks for the node's rectangle to be painted again, background included.
  void InvalidateNode(TTreeNode* Node);
  int RepaintRequests() const { return FRepaintRequests; }

  TNodeEvent OnChange;  // the selection changed
  TNodeEvent OnExpanded;
  TNodeEvent OnCollapsed;
  TEditedEvent OnEdited;  // in-place editing ended; the handler may change the text
  TNotifyEvent OnClick;   // a mouse button was pressed on the view

 private:
  friend class TTreeNode;
  void NodeDeleting(TTreeNode* Node);

  std::unique_ptr<TTreeNodes> FItems;
  TTreeNode* FSelected = nullptr;
  TImageList* FImages = nullptr;
  int FRepaintRequests = 0;
  bool FEditing = false;  // windowless
};

}  // namespace lantern
