// The floating window as a native window under Wine: its styles, its elliptic shape, and that
// neither showing it nor a click on it takes the foreground from the window in front.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "ui/FloatWindow.h"
#include "ui/Widgets.h"

namespace lantern {
namespace {

class FloatWindowWin32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    SetWidgets(PlatformWidgets());
    WNDCLASSW Class = {};
    Class.lpfnWndProc = DefWindowProcW;
    Class.hInstance = GetModuleHandleW(nullptr);
    Class.lpszClassName = L"LanternFloatTestFront";
    RegisterClassW(&Class);
    Front = CreateWindowExW(0, Class.lpszClassName, L"front", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300,
                            300, 200, 150, nullptr, nullptr, Class.hInstance, nullptr);
    SetForegroundWindow(Front);
    Pump();
  }
  void TearDown() override {
    Float.reset();
    DestroyWindow(Front);
    SetWidgets(nullptr);
  }
  static void Pump() {
    MSG Msg;
    while (PeekMessageW(&Msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&Msg);
  }
  HWND Front = nullptr;
  std::unique_ptr<TFloatWindow> Float = std::make_unique<TFloatWindow>();
};

TEST_F(FloatWindowWin32Test, ATopmostEllipseThatNeverTakesTheForeground) {
  std::vector<TMouseButton> Pressed;
  Float->OnMouseDown = [&](TFloatWindow*, TMouseButton B) { Pressed.push_back(B); };
  Float->SetBounds(100, 80, 40, 20);
  Float->SetElliptic(true);
  Float->CreateHandle();
  auto Window = static_cast<HWND>(Float->Handle());
  ASSERT_NE(Window, nullptr);
  EXPECT_FALSE(IsWindowVisible(Window));
  Float->ShowTopmost();
  Pump();
  EXPECT_TRUE(IsWindowVisible(Window));
  LONG_PTR Ex = GetWindowLongPtrW(Window, GWL_EXSTYLE);
  EXPECT_TRUE(Ex & WS_EX_TOPMOST);
  EXPECT_TRUE(Ex & WS_EX_TOOLWINDOW);
  EXPECT_FALSE(Ex & WS_EX_APPWINDOW);
  EXPECT_EQ(GetWindow(Window, GW_OWNER), nullptr);
  EXPECT_EQ(GetForegroundWindow(), Front);

  // The corners of the 40 x 20 rectangle lie outside the ellipse, its middle inside.
  HRGN Region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(Window, Region), ERROR);
  EXPECT_FALSE(PtInRegion(Region, 0, 0));
  EXPECT_FALSE(PtInRegion(Region, 39, 19));
  EXPECT_TRUE(PtInRegion(Region, 20, 10));
  DeleteObject(Region);

  // A click: not activated, and the button reported.
  EXPECT_EQ(SendMessageW(Window, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(Front),
                         MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
            MA_NOACTIVATE);
  SendMessageW(Window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
  SendMessageW(Window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 10));
  EXPECT_EQ(Pressed, (std::vector<TMouseButton>{TMouseButton::mbLeft, TMouseButton::mbRight}));
  EXPECT_EQ(GetForegroundWindow(), Front);

  // Shrunk away, not hidden; and back in its place.
  Float->SetBounds(100, 80, 0, 0);
  RECT r;
  GetWindowRect(Window, &r);
  EXPECT_EQ(r.right - r.left, 0);
  Float->SetBounds(200, 90, 40, 20);
  GetWindowRect(Window, &r);
  EXPECT_EQ(std::vector<LONG>({r.left, r.top, r.right, r.bottom}),
            std::vector<LONG>({200, 90, 240, 110}));
}

}  // namespace
}  // namespace lantern
