// The up-down control of a spin, the page control (a system tab control whose pages are
// windows of our own class inside it, each holding its controls), the plain panel (a window
// of our own class holding its controls), the painted panel and the picture.
#include <utility>

#include "ui/Dpi.h"
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
    const RECT Place = PixelBounds(Control, this->Dpi());
    this->Create(
        {Class, LoadCursorW(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)},
        ExStyle,
        WS_CHILD | WS_CLIPSIBLINGS | (Control.Visible() ? WS_VISIBLE : 0) |
            (Control.Enabled() ? 0 : WS_DISABLED),
        L"", Place.left, Place.top, Place.right - Place.left, Place.bottom - Place.top, Parent);
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
    if (Buddy && reinterpret_cast<HWND>(SendMessageW(FHandle, UDM_GETBUDDY, 0, 0)) != Buddy) {
      SendMessageW(FHandle, UDM_SETBUDDY, reinterpret_cast<WPARAM>(Buddy), 0);
      MirrorBounds();  // taking a buddy may widen the arrows beyond the layout's width
    }
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

class TWin32ProgressBarPeer : public TExtPeer<TControlPeer> {
 public:
  TWin32ProgressBarPeer(TProgressBar& Bar, HWND Parent) : TExtPeer(Bar), FBar(Bar) {
    CreateChild(PROGRESS_CLASSW, 0, Parent, false);
    StateChanged();
  }
  void StateChanged() override {
    SendMessageW(FHandle, PBM_SETRANGE32, 0, FBar.Max());
    SendMessageW(FHandle, PBM_SETPOS, static_cast<WPARAM>(FBar.Position()), 0);
  }

 private:
  TProgressBar& FBar;
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
    // The units whose pixels lie inside the rectangle: a sheet never reaches over the frame.
    const int Dpi = this->Dpi();
    auto Inner = [Dpi](LONG Pixels, int Outward) {
      const int Units = ScaleFromDpi(Pixels, Dpi);
      const int Reached = ScaleToDpi(Units, Dpi);
      return Outward * Reached > Outward * Pixels ? Units - Outward : Units;
    };
    FPages.NativeDisplayRect(
        {Inner(Rect.left, -1), Inner(Rect.top, -1), Inner(Rect.right, 1), Inner(Rect.bottom, 1)});
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

// A control parent, as a page is: the dialog keys walk into the controls inside, and their
// notifications come to this window, which passes them on to them.
class TWin32PanelPeer : public TExtPeer<TControlPeer> {
 public:
  TWin32PanelPeer(TPanel& Panel, HWND Parent) : TExtPeer(Panel) {
    MakeOwn(L"TLanternPanel", WS_EX_CONTROLPARENT, Parent);
    CreateChildPeers(Panel, FHandle);
  }
};

class TWin32PaintPanelPeer : public TExtPeer<TPaintPanelPeer> {
 public:
  TWin32PaintPanelPeer(TPaintPanel& Panel, HWND Parent) : TExtPeer(Panel), FPanel(Panel) {
    MakeOwn(L"TLanternPaintPanel", Panel.Border() ? WS_EX_STATICEDGE : 0, Parent);
  }
  void Invalidate() override { InvalidateRect(FHandle, nullptr, FALSE); }
  void BoundsChanged() override {
    MirrorBounds();
    Invalidate();
  }
  // The edge is part of the window: the window keeps the control's bounds, the painted area
  // within it shrinks.
  void StateChanged() override {
    LONG_PTR Ex = GetWindowLongPtrW(FHandle, GWL_EXSTYLE);
    LONG_PTR Wanted = FPanel.Border() ? Ex | WS_EX_STATICEDGE : Ex & ~LONG_PTR(WS_EX_STATICEDGE);
    if (Wanted == Ex) return;
    SetWindowLongPtrW(FHandle, GWL_EXSTYLE, Wanted);
    SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    Invalidate();
  }

 private:
  bool HandleMessage(UINT Message, WPARAM WParam, LPARAM LParam, LRESULT& Result) override {
    switch (Message) {
      case WM_ERASEBKGND: Result = TRUE; return true;  // the paint fills it all
      case WM_PAINT: {
        TPaintDc Dc(FHandle);
        // The panel paints in layout units: the context scales them, its fonts as well.
        const int Dpi = this->Dpi();
        if (Dpi != DesignDpi && !FPanel.InPixels()) {
          SetGraphicsMode(Dc.Get(), GM_ADVANCED);
          const FLOAT Scale = static_cast<FLOAT>(Dpi) / DesignDpi;
          const XFORM Form = {Scale, 0, 0, Scale, 0, 0};
          SetWorldTransform(Dc.Get(), &Form);
        }
        TDcCanvas Canvas(Dc.Get());
        FPanel.Paint(Canvas);
        Result = 0;
        return true;
      }
      // A click is a press and a release within the panel, as with a button.
      case WM_LBUTTONDOWN: {
        FPressed = true;
        SetCapture(FHandle);
        int X = static_cast<short>(LOWORD(LParam)), Y = static_cast<short>(HIWORD(LParam));
        if (!FPanel.InPixels()) {
          X = ScaleFromDpi(X, Dpi());
          Y = ScaleFromDpi(Y, Dpi());
        }
        FPanel.NativeMouseDown(X, Y);
        Result = 0;
        return true;
      }
      case WM_LBUTTONUP: {
        bool Pressed = std::exchange(FPressed, false);
        if (GetCapture() == FHandle) ReleaseCapture();
        RECT Client;
        GetClientRect(FHandle, &Client);
        POINT At = {static_cast<short>(LOWORD(LParam)), static_cast<short>(HIWORD(LParam))};
        if (Pressed && PtInRect(&Client, At)) FPanel.Click();
        Result = 0;
        return true;
      }
      case WM_CAPTURECHANGED: FPressed = false; return false;
      default: return TExtPeer::HandleMessage(Message, WParam, LParam, Result);
    }
  }
  TPaintPanel& FPanel;
  bool FPressed = false;
};

// The icon stretched over the whole window, on the face colour where the icon is clear.
class TWin32ImagePeer : public TExtPeer<TControlPeer> {
 public:
  TWin32ImagePeer(TImage& Image, HWND Parent) : TExtPeer(Image), FImage(Image) {
    MakeOwn(L"TLanternImage", 0, Parent);
  }
  void StateChanged() override { InvalidateRect(FHandle, nullptr, FALSE); }
  void BoundsChanged() override {
    MirrorBounds();
    StateChanged();
  }

 private:
  bool HandleMessage(UINT Message, WPARAM WParam, LPARAM LParam, LRESULT& Result) override {
    switch (Message) {
      case WM_ERASEBKGND: Result = TRUE; return true;  // the paint fills it all
      case WM_PAINT: {
        TPaintDc Dc(FHandle);
        RECT Client;
        GetClientRect(FHandle, &Client);
        FillRect(Dc.Get(), &Client, GetSysColorBrush(COLOR_BTNFACE));
        if (auto Icon = static_cast<HICON>(FImage.Picture().Handle()))
          DrawIconEx(Dc.Get(), 0, 0, Icon, Client.right, Client.bottom, 0, nullptr, DI_NORMAL);
        Result = 0;
        return true;
      }
      default: return TExtPeer::HandleMessage(Message, WParam, LParam, Result);
    }
  }
  TImage& FImage;
};

}  // namespace

std::unique_ptr<TControlPeer> NewUpDownPeer(TUpDown& UpDown, HWND Parent) {
  return std::make_unique<TWin32UpDownPeer>(UpDown, Parent);
}
std::unique_ptr<TControlPeer> NewProgressBarPeer(TProgressBar& Bar, HWND Parent) {
  return std::make_unique<TWin32ProgressBarPeer>(Bar, Parent);
}
std::unique_ptr<TControlPeer> NewPageControlPeer(TPageControl& Pages, HWND Parent) {
  return std::make_unique<TWin32PageControlPeer>(Pages, Parent);
}
std::unique_ptr<TControlPeer> NewTabSheetPeer(TTabSheet& Sheet, HWND Parent) {
  return std::make_unique<TWin32TabSheetPeer>(Sheet, Parent);
}
std::unique_ptr<TControlPeer> NewPanelPeer(TPanel& Panel, HWND Parent) {
  return std::make_unique<TWin32PanelPeer>(Panel, Parent);
}
std::unique_ptr<TControlPeer> NewPaintPanelPeer(TPaintPanel& Panel, HWND Parent) {
  return std::make_unique<TWin32PaintPanelPeer>(Panel, Parent);
}
std::unique_ptr<TControlPeer> NewImagePeer(TImage& Image, HWND Parent) {
  return std::make_unique<TWin32ImagePeer>(Image, Parent);
}

}  // namespace lantern
