// The floating window's native side: a borderless tool window of its own class, topmost and
// never activated, not even by a click.
#include <memory>

#include "ui/FloatWindow.h"
#include "ui/win32/CanvasWin32.h"
#include "ui/win32/Handles.h"
#include "ui/win32/Peers.h"
#include "ui/win32/Window.h"

namespace lantern {

namespace {

class TWin32FloatWindowPeer : public TFloatWindowPeer, public TWindow {
 public:
  explicit TWin32FloatWindowPeer(TFloatWindow& Float) : FFloat(Float) {
    // Without an owner, and a tool window: in neither the task bar nor Alt+Tab.
    Create({L"TLanternFloatWindow", LoadCursorW(nullptr, IDC_ARROW)},
           WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, WS_POPUP, L"", Float.Left(),
           Float.Top(), Float.Width(), Float.Height(), nullptr);
    if (Float.Elliptic()) {
      HRGN Region = CreateEllipticRgn(0, 0, Float.Width(), Float.Height());
      // The window owns the region once it has taken it.
      if (Region && !SetWindowRgn(FHandle, Region, TRUE)) DeleteObject(Region);
    }
  }
  void* Handle() const override { return FHandle; }
  TWinControl* Control() override { return &FFloat; }
  void BoundsChanged() override {
    SetWindowPos(FHandle, nullptr, FFloat.Left(), FFloat.Top(), FFloat.Width(), FFloat.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  void VisibleChanged() override { ShowWindow(FHandle, FFloat.Visible() ? SW_SHOWNA : SW_HIDE); }
  void StateChanged() override { InvalidateRect(FHandle, nullptr, FALSE); }
  void ShowTopmost() override {
    SetWindowPos(FHandle, HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  }

 private:
  bool HandleMessage(UINT Message, WPARAM, LPARAM, LRESULT& Result) override {
    Result = 0;
    switch (Message) {
      case WM_MOUSEACTIVATE: Result = MA_NOACTIVATE; return true;
      case WM_ERASEBKGND: Result = TRUE; return true;  // the paint fills it all
      case WM_PAINT: {
        TPaintDc Dc(FHandle);
        TDcCanvas Canvas(Dc.Get());
        FFloat.Paint(Canvas);
        return true;
      }
      // The whole click is the window's: a window that shrinks or hides at the press must not
      // let the release fall through to the window below (whose right button would open its
      // own context menu).
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_MBUTTONDOWN:
        SetCapture(FHandle);
        FFloat.NativeMouseDown(Message == WM_LBUTTONDOWN   ? TMouseButton::mbLeft
                               : Message == WM_RBUTTONDOWN ? TMouseButton::mbRight
                                                           : TMouseButton::mbMiddle);
        return true;
      case WM_LBUTTONUP:
      case WM_RBUTTONUP:
      case WM_MBUTTONUP:
        if (GetCapture() == FHandle) ReleaseCapture();
        return true;
      default: return false;
    }
  }

  TFloatWindow& FFloat;
};

}  // namespace

std::unique_ptr<TControlPeer> NewFloatWindowPeer(TFloatWindow& Float) {
  return std::make_unique<TWin32FloatWindowPeer>(Float);
}

}  // namespace lantern
