// The yardstick for Lantern's start-up: the least a Win32 program with a window does before
// it waits for messages. It shows its window, hides it again (as Lantern does on its way to
// the notification area), and runs its message loop.
#include <windows.h>

namespace {
LRESULT CALLBACK Proc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
  if (Message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(Window, Message, WParam, LParam);
}
}  // namespace

int WINAPI wWinMain(HINSTANCE Instance, HINSTANCE, LPWSTR, int) {
  WNDCLASSW Class = {};
  Class.lpfnWndProc = Proc;
  Class.hInstance = Instance;
  Class.lpszClassName = L"TMinimalWindow";
  RegisterClassW(&Class);
  HWND Window = CreateWindowExW(0, Class.lpszClassName, L"Minimal", WS_OVERLAPPEDWINDOW, 0, 0, 614,
                                446, nullptr, nullptr, Instance, nullptr);
  ShowWindow(Window, SW_SHOWMINNOACTIVE);
  ShowWindow(Window, SW_HIDE);
  MSG Msg;
  while (GetMessageW(&Msg, nullptr, 0, 0) > 0) DispatchMessageW(&Msg);
  return 0;
}
