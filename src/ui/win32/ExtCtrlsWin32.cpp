// The up-down control of a spin, the page control (a system tab control whose pages are
// windows of our own class inside it, each holding its controls) and the painted panel.
#include "ui/ExtCtrls.h"
#include "ui/win32/CanvasWin32.h"
#include "ui/win32/ChildWindow.h"
#include "ui/win32/Handles.h"
#include "ui/win32/Peers.h"
#include "ui/win32/WideText.h"

namespace lantern {

namespace {

// What the peers here share with the standard controls' peers.
template <typename TPeerBase>
class TExtPeer : public TChildPeer<TPeerBase> {
 public:
  using TChildPeer<TPeerBase>::TChildPeer;

 protected:
  // A window of our own class, for pages and panels.
  void MakeOwn(const wchar_t* Class, DWORD ExStyle, HWND Parent) {
    TWinControl& Control = this->FControl;
    this->Create(
        {Class, LoadCursorW(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)},
        ExStyle,
        WS_CHILD | WS_CLIPSIBLINGS | (Control.Visible() ? WS_VISIBLE : 0) |
            (Control.Enabled() ? 0 : WS_DISABLED),
        L"", Control.Left(), Control.Top(), Control.Width(), Control.Height(), Parent);
  }
  bool HandleMessage(UINT Message, WPARAM, LPARAM, LRESULT&) override {
    if (Message == WM_SETFOCUS) this->FControl.NativeFocusEntered();
    return false;
  }
};

class TWin32UpDownPeer : public TExtPeer<TControlPeer> {
 public:
  TWin32UpDownPeer(TUpDown& UpDown, HWND Parent) : TExtPeer(UpDown), FUpDown(UpDown) {
    // Without UDS_SETBUDDYINT: the toolkit writes the number into the edit itself.
    CreateChild(UPDOWN_CLASSW, UDS_ARROWKEYS | UDS_NOTHOUSANDS, Parent, false);
    StateChanged();
  }
  void StateChanged() override {
    TSyncing Sync(FSyncing);
    SendMessageW(FHandle, UDM_SETRANGE32, static_cast<WPARAM>(FUpDown.Min()), FUpDown.Max());
    SendMessageW(FHandle, UDM_SETPOS32, 0, FUpDown.Position());
    HWND Buddy = FUpDown.Associate() ? static_cast<HWND>(FUpDown.Associate()->Handle()) : nullptr;
    if (Buddy && reinterpret_cast<HWND>(SendMessageW(FHandle, UDM_GETBUDDY, 0, 0)) != Buddy)
      SendMessageW(FHandle, UDM_SETBUDDY, reinterpret_cast<WPARAM>(Buddy), 0);
  }
  bool Reflected(UINT Message, WPARAM, LPARAM LParam, LRESULT& Result) override {
    auto* Header = reinterpret_cast<NMHDR*>(LParam);
    if (Message != WM_NOTIFY || Header->code != UDN_DELTAPOS || FSyncing) return false;
    FUpDown.NativeDelta(reinterpret_cast<NMUPDOWN*>(Header)->iDelta);
    Result = TRUE;  // the toolkit has moved, and mirrors, the position
    return true;
  }

 private:
  TUpDown& FUpDown;
};

class TWin32PageControlPeer : public TExtPeer<TPageControlPeer> {
 public:
  TWin32PageControlPeer(TPageControl& Pages, HWND Parent) : TExtPeer(Pages), FPages(Pages) {
    CreateChild(WC_TABCONTROLW,
                WS_TABSTOP | WS_CLIPCHILDREN | (Pages.MultiLine() ? TCS_MULTILINE : 0), Parent,
                false);
    // The dialog keys walk into the active page's controls.
    SetWindowLongPtrW(FHandle, GWL_EXSTYLE,
                      GetWindowLongPtrW(FHandle, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    PagesChanged();
    StateChanged();
    ReadDisplayRect();
    CreateChildPeers(Pages, FHandle);
  }
  void BoundsChanged() override {
    MirrorBounds();
    ReadDisplayRect();
  }
  void PagesChanged() override {
    TSyncing Sync(FSyncing);
    SendMessageW(FHandle, TCM_DELETEALLITEMS, 0, 0);
    for (int i = 0; i < FPages.PageCount(); ++i) {
      std::wstring Caption = ToWide(FPages.Pages(i)->Caption());
      TCITEMW Item = {};
      Item.mask = TCIF_TEXT;
      Item.pszText = &Caption[0];
      SendMessageW(FHandle, TCM_INSERTITEMW, static_cast<WPARAM>(i),
                   reinterpret_cast<LPARAM>(&Item));
    }
    ReadDisplayRect();  // the rows of tabs may have changed
  }
  void StateChanged() override {
    TSyncing Sync(FSyncing);
    SendMessageW(FHandle, TCM_SETCURSEL, static_cast<WPARAM>(FPages.ActivePageIndex()), 0);
  }
  bool Reflected(UINT Message, WPARAM, LPARAM LParam, LRESULT& Result) override {
    auto* Header = reinterpret_cast<NMHDR*>(LParam);
    if (Message != WM_NOTIFY || Header->code != TCN_SELCHANGE || FSyncing) return false;
    FPages.NativeSelect(static_cast<int>(SendMessageW(FHandle, TCM_GETCURSEL, 0, 0)));
    Result = 0;
    return true;
  }

 private:
  void ReadDisplayRect() {
    RECT Rect;
    GetClientRect(FHandle, &Rect);
    SendMessageW(FHandle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&Rect));
    FPages.NativeDisplayRect({Rect.left, Rect.top, Rect.right, Rect.bottom});
  }
  TPageControl& FPages;
};

class TWin32TabSheetPeer : public TExtPeer<TControlPeer> {
 public:
  TWin32TabSheetPeer(TTabSheet& Sheet, HWND Parent) : TExtPeer(Sheet), FSheet(Sheet) {
    MakeOwn(L"TLanternTabSheet", WS_EX_CONTROLPARENT, Parent);
    CreateChildPeers(Sheet, FHandle);
  }
  // A new caption is a new tab text.
  void StateChanged() override {
    if (auto* Pages = static_cast<TPageControlPeer*>(FSheet.PageControl()->Peer()))
      Pages->PagesChanged();
  }

 private:
  TTabSheet& FSheet;
};

class TWin32PaintPanelPeer : public TExtPeer<TPaintPanelPeer> {
 public:
  TWin32PaintPanelPeer(TPaintPanel& Panel, HWND Parent) : TExtPeer(Panel), FPanel(Panel) {
    MakeOwn(L"TLanternPaintPanel", 0, Parent);
  }
  void Invalidate() override { InvalidateRect(FHandle, nullptr, FALSE); }
  void BoundsChanged() override {
    MirrorBounds();
    Invalidate();
  }

 private:
  bool HandleMessage(UINT Message, WPARAM WParam, LPARAM LParam, LRESULT& Result) override {
    switch (Message) {
      case WM_ERASEBKGND: Result = TRUE; return true;  // the paint fills it all
      case WM_PAINT: {
        TPaintDc Dc(FHandle);
        TDcCanvas Canvas(Dc.Get());
        FPanel.Paint(Canvas);
        Result = 0;
        return true;
      }
      default: return TExtPeer::HandleMessage(Message, WParam, LParam, Result);
    }
  }
  TPaintPanel& FPanel;
};

}  // namespace

std::unique_ptr<TControlPeer> NewUpDownPeer(TUpDown& UpDown, HWND Parent) {
  return std::make_unique<TWin32UpDownPeer>(UpDown, Parent);
}
std::unique_ptr<TControlPeer> NewPageControlPeer(TPageControl& Pages, HWND Parent) {
  return std::make_unique<TWin32PageControlPeer>(Pages, Parent);
}
std::unique_ptr<TControlPeer> NewTabSheetPeer(TTabSheet& Sheet, HWND Parent) {
  return std::make_unique<TWin32TabSheetPeer>(Sheet, Parent);
}
std::unique_ptr<TControlPeer> NewPaintPanelPeer(TPaintPanel& Panel, HWND Parent) {
  return std::make_unique<TWin32PaintPanelPeer>(Panel, Parent);
}

}  // namespace lantern
