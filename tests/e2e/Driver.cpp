// A small driver for the end-to-end tests: finds Lantern's windows and message boxes from
// outside, the way a user sees them, and reports what it finds. Texts are printed as UTF-8.
//   driver wait-window CLASS SECONDS     0 when a window of the class exists in time
//   driver wait-visible CLASS SECONDS    0 when it is visible in time
//   driver wait-hidden CLASS SECONDS     0 when it exists and is hidden in time
//   driver wait-gone CLASS SECONDS       0 when no window of the class is left in time
//   driver wait-resident CLASS SECONDS   0 when the window was minimised and hidden in time
//   driver message-box SECONDS           prints the text of the first message box shown
//   driver press-ok                      closes the message box with its OK button
//   driver show CLASS                    prints the window's screen rectangle
//   driver client-origin CLASS           prints the screen point of its client area's corner
//   driver tray-notify ID MESSAGE        posts the notification-area callback (0x466) with the
//                                        icon's ID and a mouse message (decimal) to the
//                                        program's notify window
//   driver menus SECONDS                 waits for an open popup menu; prints one line per
//                                        open menu: its screen rectangle
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

std::string Utf8(const std::wstring& Text) {
  int n = WideCharToMultiByte(CP_UTF8, 0, Text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string Result(n > 0 ? n - 1 : 0, '\0');
  if (n > 1) WideCharToMultiByte(CP_UTF8, 0, Text.c_str(), -1, &Result[0], n, nullptr, nullptr);
  return Result;
}

template <typename F>
bool WaitFor(double Seconds, F Condition) {
  DWORD End = GetTickCount() + static_cast<DWORD>(Seconds * 1000);
  for (;;) {
    if (Condition()) return true;
    if (static_cast<LONG>(GetTickCount() - End) > 0) return false;
    Sleep(50);
  }
}

HWND MessageBoxWindow() {
  HWND Found = nullptr;
  EnumWindows(
      [](HWND Window, LPARAM Result) -> BOOL {
        wchar_t Class[64];
        GetClassNameW(Window, Class, 64);
        if (std::wcscmp(Class, L"#32770") == 0 && IsWindowVisible(Window)) {
          *reinterpret_cast<HWND*>(Result) = Window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&Found));
  return Found;
}

// The popup menus on the screen, in the order the system keeps them.
std::vector<RECT> OpenMenus() {
  std::vector<RECT> Found;
  EnumWindows(
      [](HWND Window, LPARAM Result) -> BOOL {
        wchar_t Class[64];
        GetClassNameW(Window, Class, 64);
        RECT r;
        if (std::wcscmp(Class, L"#32768") == 0 && IsWindowVisible(Window) &&
            GetWindowRect(Window, &r))
          reinterpret_cast<std::vector<RECT>*>(Result)->push_back(r);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&Found));
  return Found;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  std::wstring Command = argv[1];
  const wchar_t* Class = argc > 2 ? argv[2] : L"";
  double Seconds = argc > 3 ? _wtof(argv[3]) : (argc > 2 ? _wtof(argv[2]) : 5);
  if (Command == L"wait-window")
    return WaitFor(Seconds, [&] { return FindWindowW(Class, nullptr) != nullptr; }) ? 0 : 1;
  if (Command == L"wait-visible")
    return WaitFor(Seconds,
                   [&] {
                     HWND w = FindWindowW(Class, nullptr);
                     return w && IsWindowVisible(w);
                   })
               ? 0
               : 1;
  if (Command == L"wait-hidden")
    return WaitFor(Seconds,
                   [&] {
                     HWND w = FindWindowW(Class, nullptr);
                     return w && !IsWindowVisible(w);
                   })
               ? 0
               : 1;
  if (Command == L"wait-resident")
    return WaitFor(Seconds,
                   [&] {
                     HWND w = FindWindowW(Class, nullptr);
                     return w && !IsWindowVisible(w) && IsIconic(w);
                   })
               ? 0
               : 1;
  if (Command == L"wait-gone")
    return WaitFor(Seconds, [&] { return FindWindowW(Class, nullptr) == nullptr; }) ? 0 : 1;
  if (Command == L"message-box") {
    HWND Box = nullptr;
    if (!WaitFor(Seconds, [&] { return (Box = MessageBoxWindow()) != nullptr; })) return 1;
    wchar_t Text[4096] = L"";
    GetDlgItemTextW(Box, 0xFFFF, Text, 4096);
    std::printf("%s\n", Utf8(Text).c_str());
    return 0;
  }
  if (Command == L"press-ok") {
    HWND Box = MessageBoxWindow();
    if (!Box) return 1;
    PostMessageW(Box, WM_COMMAND, IDOK, 0);
    return 0;
  }
  if (Command == L"show") {
    HWND w = FindWindowW(Class, nullptr);
    RECT r;
    if (!w || !GetWindowRect(w, &r)) return 1;
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
  }
  if (Command == L"client-origin") {
    HWND w = FindWindowW(Class, nullptr);
    POINT p = {0, 0};
    if (!w || !ClientToScreen(w, &p)) return 1;
    std::printf("%ld %ld\n", p.x, p.y);
    return 0;
  }
  if (Command == L"tray-notify") {
    HWND w = FindWindowW(L"TNotifyWindow", nullptr);
    if (!w || argc < 4) return 1;
    return PostMessageW(w, 0x466, _wtoi(argv[2]), _wtoi(argv[3])) ? 0 : 1;
  }
  if (Command == L"menus") {
    std::vector<RECT> Menus;
    if (!WaitFor(Seconds, [&] { return !(Menus = OpenMenus()).empty(); })) return 1;
    for (const RECT& r : Menus)
      std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
  }
  return 2;
}
