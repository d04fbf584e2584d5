// The list view's native control: rows mirrored from the toolkit's list (check boxes,
// pictures, sub-items, selection), and the user's changes, renaming, clicks, column clicks and
// drags reported back to it.
#include <vector>

#include "ui/Dpi.h"
#include "ui/ListView.h"
#include "ui/win32/ChildWindow.h"
#include "ui/win32/Handles.h"
#include "ui/win32/Peers.h"
#include "ui/win32/WideText.h"

namespace lantern {

namespace {

class TWin32ListViewPeer : public TListViewPeer, public TViewWindow {
 public:
  TWin32ListViewPeer(TListView& View, HWND Parent) : TViewWindow(View), FView(View) {
    // The image lists belong to their toolkit objects, which destroy them.
    CreateChild(WC_LISTVIEWW, LVS_REPORT | LVS_SHOWSELALWAYS | LVS_EDITLABELS | LVS_SHAREIMAGELISTS,
                Parent, true);
    SendMessageW(FHandle, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    ColumnsChanged();
    ImagesChanged();
    Rebuild();
  }

  ~TWin32ListViewPeer() override {
    // With shared image lists the control leaves its own check boxes' list behind as well.
    TImageListHandle Checks(
        reinterpret_cast<HIMAGELIST>(SendMessageW(FHandle, LVM_GETIMAGELIST, LVSIL_STATE, 0)));
    DestroyNow();
  }

  void* Handle() const override { return FHandle; }
  void BoundsChanged() override { MirrorBounds(); }
  // The columns keep their widths in layout units, as the user left them.
  void DpiChanged() override {
    std::vector<int> Widths;
    for (int i = 0; i < static_cast<int>(FView.Columns().size()); ++i)
      Widths.push_back(ColumnWidth(i));
    Rescale();
    FColumnsDpi = Dpi();
    for (int i = 0; i < static_cast<int>(Widths.size()); ++i)
      SendMessageW(FHandle, LVM_SETCOLUMNWIDTH, i, Pixels(Widths[i]));
  }
  void VisibleChanged() override { MirrorVisible(); }
  void Focus() override { FocusNative(); }
  bool ScreenOrigin(int& X, int& Y) const override { return OriginOnScreen(X, Y); }

  // While the list is inside an update bracket nothing is sent; the bracket's end rebuilds
  // the native rows at once (a group of thousands is listed in one pass).
  void RowInserted(TListItem* Row, int Index) override {
    if (FDeferred) return;
    TSyncing Sync(FSyncing);
    InsertRow(Row, Index);
  }
  void RowDeleting(TListItem*, int Index) override {
    if (FDeferred) return;
    TSyncing Sync(FSyncing);
    SendMessageW(FHandle, LVM_DELETEITEM, Index, 0);
  }
  void RowsReordered() override {
    if (!FDeferred) Rebuild();
  }
  void RowsCleared() override {
    if (FDeferred) return;
    TSyncing Sync(FSyncing);
    SendMessageW(FHandle, LVM_DELETEALLITEMS, 0, 0);
  }
  void RowChanged(TListItem* Row, TItemChange) override {
    if (FDeferred) return;
    TSyncing Sync(FSyncing);
    MirrorRow(Row, Row->Index());
  }
  void ImagesChanged() override {
    SendMessageW(FHandle, LVM_SETIMAGELIST, LVSIL_SMALL,
                 reinterpret_cast<LPARAM>(NativeList(FView.SmallImages())));
  }
  void ColumnsChanged() override {
    while (SendMessageW(FHandle, LVM_DELETECOLUMN, 0, 0)) {
    }
    const auto& Columns = FView.Columns();
    FColumnsDpi = Dpi();
    for (std::size_t i = 0; i < Columns.size(); ++i) {
      std::wstring Text = ToWide(Columns[i].Caption);
      LVCOLUMNW Column = {};
      Column.mask = LVCF_TEXT | LVCF_WIDTH;
      Column.pszText = &Text[0];
      Column.cx = Pixels(Columns[i].Width);
      SendMessageW(FHandle, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&Column));
    }
  }
  void UpdateBracket(bool Begin) override {
    FDeferred = Begin;
    if (!Begin) Rebuild();
  }
  void MakeVisible(TListItem* Row) override {
    SendMessageW(FHandle, LVM_ENSUREVISIBLE, Row->Index(), FALSE);
  }
  bool Editing() override { return SendMessageW(FHandle, LVM_GETEDITCONTROL, 0, 0) != 0; }
  void EditCaption(TListItem* Row) override {
    ::SetFocus(FHandle);
    SendMessageW(FHandle, LVM_EDITLABELW, Row->Index(), 0);
  }
  int RowAt(int X, int Y) override {
    // Any column of the row: the rows are selected whole.
    LVHITTESTINFO Hit = {};
    Hit.pt = {X, Y};
    return static_cast<int>(
        SendMessageW(FHandle, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&Hit)));
  }
  int ColumnWidth(int Index) override {
    return ScaleFromDpi(static_cast<int>(SendMessageW(FHandle, LVM_GETCOLUMNWIDTH, Index, 0)),
                        FColumnsDpi);
  }

 private:
  LRESULT Notify(NMHDR* Header) override {
    if (FSyncing) return 0;
    switch (Header->code) {
      case LVN_ITEMCHANGED: {
        auto* Info = reinterpret_cast<NMLISTVIEW*>(Header);
        if (!(Info->uChanged & LVIF_STATE)) return 0;
        if (Info->iItem < 0) {
          for (int i = 0; i < FView.Items().Count(); ++i) ReadState(i);
        } else {
          ReadState(Info->iItem);
        }
        return 0;
      }
      case LVN_ENDLABELEDITW: {
        auto* Info = reinterpret_cast<NMLVDISPINFOW*>(Header);
        if (Info->item.pszText && Info->item.iItem >= 0 && Info->item.iItem < FView.Items().Count())
          FView.NativeEdited(FView.Items()[Info->item.iItem], FromWide(Info->item.pszText));
        return FALSE;
      }
      case LVN_COLUMNCLICK:
        FView.NativeColumnClick(reinterpret_cast<NMLISTVIEW*>(Header)->iSubItem);
        return 0;
      case LVN_BEGINDRAG: BeginDrag(); return 0;
      case NM_DBLCLK: FView.NativeDblClick(); return 0;
      case NM_SETFOCUS: FView.NativeFocusEntered(); return 0;
      default: return 0;
    }
  }

  void InsertRow(TListItem* Row, int Index) {
    LVITEMW Item = {};
    Item.mask = LVIF_PARAM;
    Item.iItem = Index;
    Item.lParam = reinterpret_cast<LPARAM>(Row);
    SendMessageW(FHandle, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&Item));
    MirrorRow(Row, Index);
  }
  void MirrorRow(TListItem* Row, int Index) {
    std::wstring Caption = ToWide(Row->Caption());
    LVITEMW Item = {};
    Item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE;
    Item.iItem = Index;
    Item.pszText = &Caption[0];
    Item.iImage = Row->ImageIndex();
    Item.stateMask = LVIS_STATEIMAGEMASK | LVIS_SELECTED | LVIS_FOCUSED;
    Item.state = INDEXTOSTATEIMAGEMASK(Row->Checked() ? 2 : 1) |
                 (Row->Selected() ? LVIS_SELECTED : 0) | (Row->Focused() ? LVIS_FOCUSED : 0);
    SendMessageW(FHandle, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&Item));
    for (int i = 0; i < Row->SubItems().Count(); ++i) {
      std::wstring Text = ToWide(Row->SubItems()[i]);
      LVITEMW Sub = {};
      Sub.iSubItem = i + 1;
      Sub.pszText = &Text[0];
      SendMessageW(FHandle, LVM_SETITEMTEXTW, Index, reinterpret_cast<LPARAM>(&Sub));
    }
  }
  // All rows anew, drawn once at the end.
  void Rebuild() {
    TSyncing Sync(FSyncing);
    SendMessageW(FHandle, WM_SETREDRAW, FALSE, 0);
    SendMessageW(FHandle, LVM_DELETEALLITEMS, 0, 0);
    SendMessageW(FHandle, LVM_SETITEMCOUNT, FView.Items().Count(), 0);
    for (int i = 0; i < FView.Items().Count(); ++i) InsertRow(FView.Items()[i], i);
    SendMessageW(FHandle, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(FHandle, nullptr, TRUE);
  }
  void ReadState(int Index) {
    if (Index >= FView.Items().Count()) return;
    UINT State = static_cast<UINT>(SendMessageW(
        FHandle, LVM_GETITEMSTATE, Index, LVIS_STATEIMAGEMASK | LVIS_SELECTED | LVIS_FOCUSED));
    FView.Items()[Index]->NativeState(((State & LVIS_STATEIMAGEMASK) >> 12) == 2,
                                      (State & LVIS_SELECTED) != 0, (State & LVIS_FOCUSED) != 0);
  }

  TListView& FView;
  bool FDeferred = false;
  int FColumnsDpi = DesignDpi;  // the DPI the native columns' widths are at
};

}  // namespace

std::unique_ptr<TControlPeer> NewListViewPeer(TListView& View, HWND Parent) {
  return std::make_unique<TWin32ListViewPeer>(View, Parent);
}

}  // namespace lantern
