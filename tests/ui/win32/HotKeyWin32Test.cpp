// Under Wine: the floating window as a native window (its styles, its elliptic shape, and that
// neither showing it nor a click on it takes the foreground from the window in front), a
// form's hot key, registered with the system and pressed on the keyboard, and the Shift key.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "ui/FloatWindow.h"
#include "ui/Form.h"
#include "ui/System.h"
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
  // The release comes back here, not to the window below.
  EXPECT_EQ(GetCapture(), Window);
  SendMessageW(Window, WM_RBUTTONUP, 0, MAKELPARAM(20, 10));
  EXPECT_EQ(GetCapture(), nullptr);
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

void Press(std::initializer_list<WORD> Keys) {
  std::vector<INPUT> Inputs;
  for (bool Up : {false, true})
    for (auto It = Keys.begin(); It != Keys.end(); ++It) {
      INPUT In = {};
      In.type = INPUT_KEYBOARD;
      In.ki.wVk = Up ? *(Keys.end() - 1 - (It - Keys.begin())) : *It;
      In.ki.dwFlags = Up ? KEYEVENTF_KEYUP : 0;
      Inputs.push_back(In);
    }
  SendInput(static_cast<UINT>(Inputs.size()), Inputs.data(), sizeof(INPUT));
}

TEST_F(FloatWindowWin32Test, TheRegisteredKeysReachTheFormAndATakenCombinationIsRefused) {
  TForm Form("TLanternHotKeyTest");
  Form.CreateHandle();
  std::vector<std::uintptr_t> Ids;
  Form.OnHotKey = [&](TForm*, std::uintptr_t Id) { Ids.push_back(Id); };
  ASSERT_TRUE(PlatformSystem().RegisterHotKey(Form.Handle(), 0, MOD_SHIFT, VK_ESCAPE));
  // The same combination for another window: held already.
  TForm Other("TLanternHotKeyTest");
  Other.CreateHandle();
  EXPECT_FALSE(PlatformSystem().RegisterHotKey(Other.Handle(), 0, MOD_SHIFT, VK_ESCAPE));

  Press({VK_ESCAPE});
  Press({VK_SHIFT, VK_ESCAPE});
  for (int i = 0; i < 20 && Ids.empty(); ++i) {
    Sleep(50);
    Pump();
  }
  EXPECT_EQ(Ids, std::vector<std::uintptr_t>{0});
  PlatformSystem().UnregisterHotKey(Form.Handle(), 0);
  Press({VK_SHIFT, VK_ESCAPE});
  Sleep(200);
  Pump();
  EXPECT_EQ(Ids.size(), 1u);
  EXPECT_TRUE(PlatformSystem().RegisterHotKey(Other.Handle(), 0, MOD_SHIFT, VK_ESCAPE));
  PlatformSystem().UnregisterHotKey(Other.Handle(), 0);
}

// The gesture and the click on the chasing window come while another program has the
// keyboard: Shift is seen without this thread taking any key message.
TEST_F(FloatWindowWin32Test, ShiftDownFollowsTheKeyWhileAnotherThreadHasTheKeyboard) {
  HANDLE Ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  DWORD OtherId = 0;
  HANDLE Other = CreateThread(
      nullptr, 0,
      [](void* Event) -> DWORD {
        HWND W = CreateWindowExW(0, L"LanternFloatTestFront", L"other",
                                 WS_OVERLAPPEDWINDOW | WS_VISIBLE, 320, 320, 200, 150, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
        SetForegroundWindow(W);
        SetEvent(static_cast<HANDLE>(Event));
        MSG Msg;
        while (GetMessageW(&Msg, nullptr, 0, 0) > 0) DispatchMessageW(&Msg);
        DestroyWindow(W);
        return 0;
      },
      Ready, 0, &OtherId);
  ASSERT_EQ(WaitForSingleObject(Ready, 5000), WAIT_OBJECT_0);
  EXPECT_EQ(GetWindowThreadProcessId(GetForegroundWindow(), nullptr), OtherId);
  Sleep(300);  // a key sent while its activation settles was now and then lost
  for (bool Down : {true, false, true, false}) {
    INPUT In = {};
    In.type = INPUT_KEYBOARD;
    In.ki.wVk = VK_SHIFT;
    In.ki.dwFlags = Down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &In, sizeof(In));
    for (int i = 0; i < 20 && PlatformSystem().ShiftDown() != Down; ++i) Sleep(50);
    EXPECT_EQ(PlatformSystem().ShiftDown(), Down);
  }
  PostThreadMessageW(OtherId, WM_QUIT, 0, 0);
  WaitForSingleObject(Other, 5000);
  CloseHandle(Other);
  CloseHandle(Ready);
}

}  // namespace
}  // namespace lantern
