// The tree view's native control: nodes mirrored from the toolkit's tree, and the user's
// selection, expansion, renaming, clicks and drags reported back to it.
#include <cstring>

#include "ui/TreeView.h"
#include "ui/win32/ChildWindow.h"
#include "ui/win32/Peers.h"
#include "ui/win32/WideText.h"
// after windows.h
#include <commctrl.h>

namespace lantern {

namespace {

class TWin32TreeViewPeer : public TTreeViewPeer, public TViewWindow {
 public:
  TWin32TreeViewPeer(TTreeView& View, HWND Parent) : TViewWindow(View), FView(View) {
    CreateChild(
        WC_TREEVIEWW,
        TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | TVS_EDITLABELS,
        Parent, true);
    ImagesChanged();
    TSyncing Sync(FSyncing);
    for (int i = 0; i < View.Items().TopCount(); ++i) InsertTree(View.Items().Top(i));
    SelectionChanged(View.Selected());
  }

  void* Handle() const override { return FHandle; }
  void BoundsChanged() override { MirrorBounds(); }
  void DpiChanged() override { Rescale(); }
  void VisibleChanged() override { MirrorVisible(); }
  void Focus() override { FocusNative(); }
  bool ScreenOrigin(int& X, int& Y) const override { return OriginOnScreen(X, Y); }

  void NodeAdded(TTreeNode* Node) override {
    TSyncing Sync(FSyncing);
    Insert(Node);
  }
  void NodeDeleting(TTreeNode* Node) override {
    TSyncing Sync(FSyncing);
    if (Node->ItemHandle())
      SendMessageW(FHandle, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(Node->ItemHandle()));
  }
  void ChildrenReordered(TTreeNode* Parent) override {
    TSyncing Sync(FSyncing);
    // Sorted by the toolkit's order: the native items stay, with their state.
    TVSORTCB Sort = {};
    Sort.hParent = Parent ? static_cast<HTREEITEM>(Parent->ItemHandle()) : TVI_ROOT;
    Sort.lpfnCompare = [](LPARAM A, LPARAM B, LPARAM) -> int {
      return reinterpret_cast<TTreeNode*>(A)->Index() - reinterpret_cast<TTreeNode*>(B)->Index();
    };
    SendMessageW(FHandle, TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&Sort));
  }
  void NodeChanged(TTreeNode* Node) override {
    if (!Node->ItemHandle()) return;
    TSyncing Sync(FSyncing);
    std::wstring Text = ToWide(Node->Text());
    TVITEMW Item = {};
    Item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    Item.hItem = static_cast<HTREEITEM>(Node->ItemHandle());
    Item.pszText = &Text[0];
    Item.iImage = Node->ImageIndex();
    Item.iSelectedImage = Node->SelectedIndex();
    SendMessageW(FHandle, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&Item));
    UINT State = static_cast<UINT>(SendMessageW(
        FHandle, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(Item.hItem), TVIS_EXPANDED));
    if (((State & TVIS_EXPANDED) != 0) != Node->Expanded())
      SendMessageW(FHandle, TVM_EXPAND, Node->Expanded() ? TVE_EXPAND : TVE_COLLAPSE,
                   reinterpret_cast<LPARAM>(Item.hItem));
  }
  void SelectionChanged(TTreeNode* Node) override {
    TSyncing Sync(FSyncing);
    SendMessageW(FHandle, TVM_SELECTITEM, TVGN_CARET,
                 reinterpret_cast<LPARAM>(Node ? Node->ItemHandle() : nullptr));
  }
  void UpdateBracket(bool Begin) override {
    SendMessageW(FHandle, WM_SETREDRAW, Begin ? FALSE : TRUE, 0);
    if (!Begin) InvalidateRect(FHandle, nullptr, TRUE);
  }
  void InvalidateNode(TTreeNode* Node) override {
    if (!Node->ItemHandle()) return;
    // TVM_GETITEMRECT takes the item in the rectangle's place.
    RECT Rect;
    HTREEITEM Item = static_cast<HTREEITEM>(Node->ItemHandle());
    std::memcpy(&Rect, &Item, sizeof(Item));
    if (SendMessageW(FHandle, TVM_GETITEMRECT, FALSE, reinterpret_cast<LPARAM>(&Rect)))
      InvalidateRect(FHandle, &Rect, TRUE);
  }
  bool Editing() override { return SendMessageW(FHandle, TVM_GETEDITCONTROL, 0, 0) != 0; }
  void EditText(TTreeNode* Node) override {
    ::SetFocus(FHandle);
    SendMessageW(FHandle, TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(Node->ItemHandle()));
  }
  TTreeNode* NodeAt(int X, int Y) override {
    HTREEITEM Item = HitItem(X, Y);
    if (!Item) return nullptr;
    TVITEMW Info = {};
    Info.mask = TVIF_PARAM;
    Info.hItem = Item;
    SendMessageW(FHandle, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&Info));
    return reinterpret_cast<TTreeNode*>(Info.lParam);
  }
  void ShowDropTarget(bool Over, int X, int Y) override {
    SendMessageW(FHandle, TVM_SELECTITEM, TVGN_DROPHILITE,
                 reinterpret_cast<LPARAM>(Over ? HitItem(X, Y) : nullptr));
  }
  void ImagesChanged() override {
    SendMessageW(FHandle, TVM_SETIMAGELIST, TVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(NativeList(FView.Images())));
  }

 private:
  LRESULT Notify(NMHDR* Header) override {
    if (FSyncing && Header->code != TVN_BEGINLABELEDITW) return 0;
    switch (Header->code) {
      case TVN_SELCHANGEDW: {
        auto* Info = reinterpret_cast<NMTREEVIEWW*>(Header);
        FView.NativeSelected(reinterpret_cast<TTreeNode*>(Info->itemNew.lParam));
        return 0;
      }
      case TVN_ITEMEXPANDEDW: {
        auto* Info = reinterpret_cast<NMTREEVIEWW*>(Header);
        if (auto* Node = reinterpret_cast<TTreeNode*>(Info->itemNew.lParam))
          Node->NativeExpanded(Info->action == TVE_EXPAND);
        return 0;
      }
      case TVN_ENDLABELEDITW: {
        auto* Info = reinterpret_cast<NMTVDISPINFOW*>(Header);
        auto* Node = reinterpret_cast<TTreeNode*>(Info->item.lParam);
        if (Node && Info->item.pszText) FView.NativeEdited(Node, FromWide(Info->item.pszText));
        return FALSE;  // the toolkit has set the text itself
      }
      case TVN_BEGINDRAGW: {
        // The node dragged is the one the program takes, selected or not before.
        auto* Info = reinterpret_cast<NMTREEVIEWW*>(Header);
        SendMessageW(FHandle, TVM_SELECTITEM, TVGN_CARET,
                     reinterpret_cast<LPARAM>(Info->itemNew.hItem));
        BeginDrag();
        return 0;
      }
      case NM_SETFOCUS: FView.NativeFocusEntered(); return 0;
      case NM_CLICK:
      case NM_RCLICK: return Click(Header->code == NM_CLICK);
      default: return 0;
    }
  }

  // The tree reports a click before it moves its selection (and before it takes the focus):
  // the node under the mouse is selected and focused first, so that the handler opens the
  // node the user clicked, at the first click. Non-zero keeps the tree from handling a left
  // click on a node selected this way once more: it would take it for a click on a selected
  // node and start renaming it.
  LRESULT Click(bool Left) {
    DWORD At = GetMessagePos();
    TVHITTESTINFO Hit = {};
    Hit.pt = {static_cast<short>(LOWORD(At)), static_cast<short>(HIWORD(At))};
    ScreenToClient(FHandle, &Hit.pt);
    SendMessageW(FHandle, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&Hit));
    bool OnNode = Hit.hItem && (Hit.flags & TVHT_ONITEM);
    HTREEITEM Selected =
        reinterpret_cast<HTREEITEM>(SendMessageW(FHandle, TVM_GETNEXTITEM, TVGN_CARET, 0));
    bool Moved = OnNode && Hit.hItem != Selected;
    if (GetFocus() != FHandle) ::SetFocus(FHandle);
    if (Moved)
      SendMessageW(FHandle, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Hit.hItem));
    FView.NativeClick();
    return Moved && Left ? 1 : 0;
  }

  // The node on whose row the client point lies (its text, picture or the space right of it).
  HTREEITEM HitItem(int X, int Y) {
    TVHITTESTINFO Hit = {};
    Hit.pt = {X, Y};
    SendMessageW(FHandle, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&Hit));
    return Hit.flags & (TVHT_ONITEM | TVHT_ONITEMRIGHT | TVHT_ONITEMINDENT | TVHT_ONITEMBUTTON)
               ? Hit.hItem
               : nullptr;
  }

  void Insert(TTreeNode* Node) {
    std::wstring Text = ToWide(Node->Text());
    TVINSERTSTRUCTW Insert = {};
    Insert.hParent =
        Node->Parent() ? static_cast<HTREEITEM>(Node->Parent()->ItemHandle()) : TVI_ROOT;
    Insert.hInsertAfter =
        Node->Index() == 0
            ? TVI_FIRST
            : static_cast<HTREEITEM>((Node->Parent() ? Node->Parent()->Item(Node->Index() - 1)
                                                     : FView.Items().Top(Node->Index() - 1))
                                         ->ItemHandle());
    Insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    Insert.item.pszText = &Text[0];
    Insert.item.iImage = Node->ImageIndex();
    Insert.item.iSelectedImage = Node->SelectedIndex();
    Insert.item.lParam = reinterpret_cast<LPARAM>(Node);
    Node->SetItemHandle(reinterpret_cast<HTREEITEM>(
        SendMessageW(FHandle, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&Insert))));
  }
  void InsertTree(TTreeNode* Node) {
    Insert(Node);
    for (int i = 0; i < Node->Count(); ++i) InsertTree(Node->Item(i));
    if (Node->Expanded())
      SendMessageW(FHandle, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(Node->ItemHandle()));
  }

  TTreeView& FView;
};

}  // namespace

std::unique_ptr<TControlPeer> NewTreeViewPeer(TTreeView& View, HWND Parent) {
  return std::make_unique<TWin32TreeViewPeer>(View, Parent);
}

}  // namespace lantern
