// A small driver for the end-to-end tests: finds Lantern's windows and message boxes from
// outside, the way a user sees them, and reports what it finds. Texts are printed as UTF-8.
//   driver wait-window CLASS SECONDS     0 when a window of the class exists in time
//   driver wait-visible CLASS SECONDS    0 when it is visible in time
//   driver wait-hidden CLASS SECONDS     0 when it exists and is hidden in time
//   driver wait-gone CLASS SECONDS       0 when no window of the class is left in time
//   driver wait-resident CLASS SECONDS   0 when the window is hidden and the program's icon is
//                                        in the notification area (its TNotifyWindow exists)
//   driver time-resident CLASS SECONDS PROGRAM  starts the program and prints the milliseconds
//                                        until it is resident so
//   driver message-box SECONDS           prints the text of the first message box shown
//   driver press-ok                      closes the message box with its OK button
//   driver show CLASS                    prints the window's screen rectangle
//   driver client-origin CLASS           prints the screen point of its client area's corner
//   driver tray-notify ID MESSAGE        posts the notification-area callback (0x466) with the
//                                        icon's ID and a mouse message (decimal) to the
//                                        program's notify window
//   driver menus SECONDS                 waits for an open popup menu; prints one line per
//                                        open menu: its screen rectangle
//   driver keep-foreground SECONDS       shows a window of its own in front and watches it
//                                        for that long: 0 when it kept the foreground and no
//                                        TLanternMain window was ever visible meanwhile
//   driver edit-open SECONDS             0 when an in-place edit box of Lantern's views is open
//   driver list-count                    prints the number of rows of Lantern's list view
//   driver tree-item-point N             prints the screen point of the middle of the label of
//                                        the Nth visible node of Lantern's tree view (0: first)
//   driver list-item-point N             the same for the label of the Nth row of the list view
//   driver list-texts                    prints the captions of the list's rows, one a line
//   driver wait-caption CAPTION SECONDS  waits for a visible top-level window with the caption;
//                                        prints the screen rectangle of its client area (what
//                                        shows without a window manager)
//   driver wait-caption-gone CAPTION SECONDS  0 when no visible window has the caption in time
//   driver controls CAPTION              one line per visible control in that window, at any
//                                        depth: its screen rectangle, class and text
//   driver tab-point CAPTION N           the screen point of the middle of the Nth tab of the
//                                        page control in that window (0: first)
//   driver focus CAPTION                 the class and text of the control with the keyboard
//                                        focus in that window's thread
//   driver menu-open-time               posts a left click on the icon to the notify window and
//                                        prints the milliseconds until the menu is on the
//                                        screen; then closes it
//   driver search-open-time             posts the hot key to Lantern twice: prints the milliseconds
//                                        until the launcher menu and then the search window are
//                                        on the screen; then closes the search window
//   driver chasing SECONDS [X Y]         waits for Lantern's chasing window on the screen (at X,Y
//                                        when given); prints its rectangle and the words tool,
//                                        noactivate, topmost and owned for the styles it has
//   driver foreground                    prints the class of the window in front
//   driver query-end-session             sends WM_QUERYENDSESSION to Lantern; prints the answer
//   driver cancel-end-session            sends WM_ENDSESSION with FALSE (the end was cancelled)
//   driver make-shortcut LNK TARGET [ARGUMENTS]  writes a shortcut to TARGET as the file LNK
//   driver end-session CLASS SECONDS     ends the program of that window as the end of the
//                                        session would (the query and the end to each of its
//                                        top-level windows), and no other; 0 when it is gone
//                                        in time, else it is terminated
#include <windows.h>
// after windows.h
#include <commctrl.h>
#include <shobjidl.h>

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
bool WaitFor(double Seconds, F Condition, DWORD PollMs = 50) {
  DWORD End = GetTickCount() + static_cast<DWORD>(Seconds * 1000);
  for (;;) {
    if (Condition()) return true;
    if (static_cast<LONG>(GetTickCount() - End) > 0) return false;
    Sleep(PollMs);
  }
}

// Starts a program and prints the milliseconds until it is resident, polled often; the
// driver is up before the start, so that its own start weighs on no program's.
template <typename F>
int TimeResident(const wchar_t* Program, double Seconds, F Resident) {
  std::wstring Line = std::wstring(L"\"") + Program + L"\"";
  STARTUPINFOW Start = {};
  Start.cb = sizeof(Start);
  PROCESS_INFORMATION Info = {};
  LARGE_INTEGER Frequency, Begin, End;
  QueryPerformanceFrequency(&Frequency);
  QueryPerformanceCounter(&Begin);
  if (!CreateProcessW(nullptr, &Line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &Start,
                      &Info))
    return 1;
  CloseHandle(Info.hThread);
  CloseHandle(Info.hProcess);
  if (!WaitFor(Seconds, Resident, 2)) return 1;
  QueryPerformanceCounter(&End);
  std::printf("%lld\n", (End.QuadPart - Begin.QuadPart) * 1000 / Frequency.QuadPart);
  return 0;
}

// Ends one program as the end of the session does, leaving the others running.
int EndSession(const wchar_t* Class, double Seconds) {
  HWND Found = FindWindowW(Class, nullptr);
  DWORD Pid = 0;
  if (!Found || !GetWindowThreadProcessId(Found, &Pid)) return 1;
  HANDLE Process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, Pid);
  if (!Process) return 1;
  struct Search {
    DWORD Pid;
    std::vector<HWND> Windows;
  } Own{Pid, {}};
  EnumWindows(
      [](HWND Window, LPARAM Param) -> BOOL {
        auto* S = reinterpret_cast<Search*>(Param);
        DWORD Of = 0;
        GetWindowThreadProcessId(Window, &Of);
        if (Of == S->Pid) S->Windows.push_back(Window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&Own));
  DWORD_PTR Answer = 0;
  for (HWND Window : Own.Windows)
    SendMessageTimeoutW(Window, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 20000, &Answer);
  for (HWND Window : Own.Windows)
    SendMessageTimeoutW(Window, WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 20000, &Answer);
  bool Ended = WaitForSingleObject(Process, static_cast<DWORD>(Seconds * 1000)) == WAIT_OBJECT_0;
  if (!Ended) TerminateProcess(Process, 0);
  CloseHandle(Process);
  return Ended ? 0 : 1;
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

HWND LanternChild(const wchar_t* Class) {
  HWND Main = FindWindowW(L"TLanternMain", nullptr);
  return Main ? FindWindowExW(Main, nullptr, Class, nullptr) : nullptr;
}

// The visible in-place edit box of one of Lantern's views.
HWND EditBox() {
  for (const wchar_t* View : {WC_LISTVIEWW, WC_TREEVIEWW}) {
    HWND Window = LanternChild(View);
    HWND Edit = Window ? FindWindowExW(Window, nullptr, L"Edit", nullptr) : nullptr;
    if (Edit && IsWindowVisible(Edit)) return Edit;
  }
  return nullptr;
}

// A rectangle asked of a view that reads and writes it in Lantern's own process's memory:
// In goes there first (what the message takes in it), Rect comes back.
bool RemoteRect(HWND View, UINT Message, WPARAM WParam, const RECT& In, RECT& Rect) {
  DWORD Pid = 0;
  GetWindowThreadProcessId(View, &Pid);
  HANDLE Process =
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, Pid);
  if (!Process) return false;
  void* Remote = VirtualAllocEx(Process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
  bool Done = false;
  if (Remote) {
    SIZE_T n = 0;
    Done = WriteProcessMemory(Process, Remote, &In, sizeof(In), &n) &&
           SendMessageW(View, Message, WParam, reinterpret_cast<LPARAM>(Remote)) &&
           ReadProcessMemory(Process, Remote, &Rect, sizeof(Rect), &n);
    VirtualFreeEx(Process, Remote, 0, MEM_RELEASE);
  }
  CloseHandle(Process);
  return Done;
}

// The label rectangle of a tree node.
bool NodeRect(HWND Tree, HTREEITEM Item, RECT& Rect) {
  RECT In = {};
  static_assert(sizeof(HTREEITEM) <= sizeof(RECT), "the item goes in the rectangle's place");
  memcpy(&In, &Item, sizeof(Item));
  return RemoteRect(Tree, TVM_GETITEMRECT, TRUE, In, Rect);
}

bool PrintMiddle(HWND View, const RECT& Rect) {
  POINT Middle = {(Rect.left + Rect.right) / 2, (Rect.top + Rect.bottom) / 2};
  ClientToScreen(View, &Middle);
  std::printf("%ld %ld\n", Middle.x, Middle.y);
  return true;
}

HWND CaptionWindow(const wchar_t* Caption) {
  HWND Window = FindWindowW(nullptr, Caption);
  return Window && IsWindowVisible(Window) ? Window : nullptr;
}

// A control's text as its own process answers WM_GETTEXT (an edit's, as typed).
std::wstring TextOf(HWND Window) {
  DWORD_PTR Length = 0;
  if (!SendMessageTimeoutW(Window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &Length))
    return std::wstring();
  std::wstring Text(Length + 1, L'\0');
  DWORD_PTR Copied = 0;
  SendMessageTimeoutW(Window, WM_GETTEXT, Length + 1, reinterpret_cast<LPARAM>(&Text[0]),
                      SMTO_ABORTIFHUNG, 2000, &Copied);
  Text.resize(Copied);
  return Text;
}

void PrintControl(HWND Window, bool WithRect) {
  wchar_t Class[64] = L"";
  GetClassNameW(Window, Class, 64);
  RECT r;
  if (WithRect && GetWindowRect(Window, &r))
    std::printf("%ld %ld %ld %ld ", r.left, r.top, r.right - r.left, r.bottom - r.top);
  std::printf("%s %s\n", Utf8(Class).c_str(), Utf8(TextOf(Window)).c_str());
}

// What the watching window saw.
bool LostForeground = false;

LRESULT CALLBACK WatchProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
  if ((Message == WM_ACTIVATE && LOWORD(WParam) == WA_INACTIVE) ||
      (Message == WM_ACTIVATEAPP && !WParam))
    LostForeground = true;
  return DefWindowProcW(Window, Message, WParam, LParam);
}

int KeepForeground(double Seconds) {
  WNDCLASSW Class = {};
  Class.lpfnWndProc = WatchProc;
  Class.hInstance = GetModuleHandleW(nullptr);
  Class.lpszClassName = L"LanternDriverWatch";
  Class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  RegisterClassW(&Class);
  HWND Window = CreateWindowExW(0, Class.lpszClassName, L"watch", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                600, 500, 300, 200, nullptr, nullptr, Class.hInstance, nullptr);
  SetForegroundWindow(Window);
  bool LanternSeen = false, LanternShown = false;
  DWORD End = GetTickCount() + static_cast<DWORD>(Seconds * 1000);
  while (static_cast<LONG>(GetTickCount() - End) < 0) {
    MSG Msg;
    while (PeekMessageW(&Msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&Msg);
    HWND Lantern = FindWindowW(L"TLanternMain", nullptr);
    LanternSeen = LanternSeen || Lantern;
    if (Lantern && IsWindowVisible(Lantern)) LanternShown = true;
    Sleep(2);
  }
  HWND Front = GetForegroundWindow();
  std::printf("lantern started: %d, shown: %d, deactivated: %d, in front at the end: %d\n",
              LanternSeen, LanternShown, LostForeground, Front == Window);
  bool Kept = LanternSeen && !LanternShown && !LostForeground && Front == Window;
  DestroyWindow(Window);  // which deactivates it
  return Kept ? 0 : 1;
}

// A shortcut as the shell writes one; the target need not exist.
int MakeShortcut(const wchar_t* Lnk, const wchar_t* Target, const wchar_t* Arguments) {
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  IShellLinkW* Link = nullptr;
  IPersistFile* File = nullptr;
  bool Saved = SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                          IID_IShellLinkW, reinterpret_cast<void**>(&Link))) &&
               SUCCEEDED(Link->SetPath(Target)) && SUCCEEDED(Link->SetArguments(Arguments)) &&
               SUCCEEDED(Link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&File))) &&
               SUCCEEDED(File->Save(Lnk, TRUE));
  if (File) File->Release();
  if (Link) Link->Release();
  CoUninitialize();
  return Saved ? 0 : 1;
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
  auto Resident = [&] {
    HWND w = FindWindowW(Class, nullptr);
    return w && !IsWindowVisible(w) && FindWindowW(L"TNotifyWindow", nullptr);
  };
  if (Command == L"wait-resident") return WaitFor(Seconds, Resident) ? 0 : 1;
  if (Command == L"time-resident") return TimeResident(argc > 4 ? argv[4] : L"", Seconds, Resident);
  if (Command == L"end-session") return EndSession(Class, Seconds);
  if (Command == L"wait-gone")
    return WaitFor(Seconds, [&] { return FindWindowW(Class, nullptr) == nullptr; }) ? 0 : 1;
  if (Command == L"message-box") {
    HWND Box = nullptr;
    if (!WaitFor(Seconds, [&] { return (Box = MessageBoxWindow()) != nullptr; })) return 1;
    wchar_t Text[4096] = L"";
    GetDlgItemTextW(Box, 0xFFFF, Text, 4096);
    std::wstring All = Text;
    // A task dialog (a question with a check box) has its texts in static controls of its own.
    if (All.empty())
      EnumChildWindows(
          Box,
          [](HWND Child, LPARAM Into) -> BOOL {
            wchar_t Class[16], Part[4096] = L"";
            GetClassNameW(Child, Class, 16);
            if (_wcsicmp(Class, L"Static") == 0 && GetWindowTextW(Child, Part, 4096) > 0) {
              auto& Joined = *reinterpret_cast<std::wstring*>(Into);
              Joined += (Joined.empty() ? L"" : L"\n") + std::wstring(Part);
            }
            return TRUE;
          },
          reinterpret_cast<LPARAM>(&All));
    std::printf("%s\n", Utf8(All).c_str());
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
  if (Command == L"keep-foreground") return KeepForeground(_wtof(argv[2]));
  if (Command == L"edit-open")
    return WaitFor(_wtof(argv[2]), [] { return EditBox() != nullptr; }) ? 0 : 1;
  if (Command == L"list-count") {
    HWND List = LanternChild(WC_LISTVIEWW);
    if (!List) return 1;
    std::printf("%ld\n", static_cast<long>(SendMessageW(List, LVM_GETITEMCOUNT, 0, 0)));
    return 0;
  }
  if (Command == L"tree-item-point") {
    HWND Tree = LanternChild(WC_TREEVIEWW);
    if (!Tree) return 1;
    auto Item = reinterpret_cast<HTREEITEM>(SendMessageW(Tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    for (int i = _wtoi(argv[2]); Item && i > 0; --i)
      Item = reinterpret_cast<HTREEITEM>(
          SendMessageW(Tree, TVM_GETNEXTITEM, TVGN_NEXTVISIBLE, reinterpret_cast<LPARAM>(Item)));
    RECT Rect;
    if (!Item || !NodeRect(Tree, Item, Rect)) return 1;
    return PrintMiddle(Tree, Rect) ? 0 : 1;
  }
  if (Command == L"list-texts") {
    // Each row's caption, read in Lantern's own memory.
    HWND List = LanternChild(WC_LISTVIEWW);
    if (!List) return 1;
    DWORD Pid = 0;
    GetWindowThreadProcessId(List, &Pid);
    HANDLE Process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, Pid);
    if (!Process) return 1;
    const SIZE_T Size = sizeof(LVITEMW) + 512 * sizeof(wchar_t);
    auto* Remote =
        static_cast<char*>(VirtualAllocEx(Process, nullptr, Size, MEM_COMMIT, PAGE_READWRITE));
    const int Count = static_cast<int>(SendMessageW(List, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; Remote && i < Count; ++i) {
      LVITEMW Item = {};
      Item.iSubItem = 0;
      Item.cchTextMax = 512;
      Item.pszText = reinterpret_cast<wchar_t*>(Remote + sizeof(LVITEMW));
      SIZE_T n = 0;
      wchar_t Text[512] = L"";
      if (WriteProcessMemory(Process, Remote, &Item, sizeof(Item), &n) &&
          SendMessageW(List, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(Remote)) >= 0 &&
          ReadProcessMemory(Process, Remote + sizeof(LVITEMW), Text, sizeof(Text), &n))
        std::printf("%s\n", Utf8(Text).c_str());
    }
    if (Remote) VirtualFreeEx(Process, Remote, 0, MEM_RELEASE);
    CloseHandle(Process);
    return 0;
  }
  if (Command == L"list-item-point") {
    HWND List = LanternChild(WC_LISTVIEWW);
    RECT In = {LVIR_LABEL, 0, 0, 0}, Rect = {};
    if (!List || !RemoteRect(List, LVM_GETITEMRECT, _wtoi(argv[2]), In, Rect)) return 1;
    return PrintMiddle(List, Rect) ? 0 : 1;
  }
  if (Command == L"wait-caption") {
    HWND Window = nullptr;
    RECT r;
    POINT Corner = {0, 0};
    if (!WaitFor(Seconds, [&] { return (Window = CaptionWindow(Class)) != nullptr; }) ||
        !GetClientRect(Window, &r) || !ClientToScreen(Window, &Corner))
      return 1;
    std::printf("%ld %ld %ld %ld\n", Corner.x, Corner.y, r.right, r.bottom);
    return 0;
  }
  if (Command == L"wait-caption-gone")
    return WaitFor(Seconds, [&] { return CaptionWindow(Class) == nullptr; }) ? 0 : 1;
  if (Command == L"controls") {
    HWND Window = CaptionWindow(Class);
    if (!Window) return 1;
    EnumChildWindows(
        Window,
        [](HWND Child, LPARAM) -> BOOL {
          if (IsWindowVisible(Child)) PrintControl(Child, true);
          return TRUE;
        },
        0);
    return 0;
  }
  if (Command == L"tab-point") {
    HWND Window = CaptionWindow(Class);
    HWND Tabs = Window ? FindWindowExW(Window, nullptr, WC_TABCONTROLW, nullptr) : nullptr;
    RECT Rect;
    if (!Tabs || argc < 4 || !RemoteRect(Tabs, TCM_GETITEMRECT, _wtoi(argv[3]), RECT{}, Rect))
      return 1;
    return PrintMiddle(Tabs, Rect) ? 0 : 1;
  }
  if (Command == L"focus") {
    HWND Window = CaptionWindow(Class);
    GUITHREADINFO Info = {};
    Info.cbSize = sizeof(Info);
    if (!Window || !GetGUIThreadInfo(GetWindowThreadProcessId(Window, nullptr), &Info) ||
        !Info.hwndFocus)
      return 1;
    PrintControl(Info.hwndFocus, false);
    return 0;
  }
  if (Command == L"menu-open-time") {
    HWND Notify = FindWindowW(L"TNotifyWindow", nullptr);
    if (!Notify) return 1;
    LARGE_INTEGER Frequency, Start, Now;
    QueryPerformanceFrequency(&Frequency);
    QueryPerformanceCounter(&Start);
    PostMessageW(Notify, 0x466, 1, WM_LBUTTONDOWN);
    HWND Menu = nullptr;
    for (;;) {
      Menu = FindWindowW(L"#32768", nullptr);
      if (Menu && IsWindowVisible(Menu)) break;
      QueryPerformanceCounter(&Now);
      if (Now.QuadPart - Start.QuadPart > 20 * Frequency.QuadPart) return 1;
      Sleep(0);
    }
    QueryPerformanceCounter(&Now);
    std::printf("%.1f\n", (Now.QuadPart - Start.QuadPart) * 1000.0 / Frequency.QuadPart);
    PostMessageW(Menu, WM_KEYDOWN, VK_ESCAPE, 0);
    return WaitFor(5, [] { return !IsWindowVisible(FindWindowW(L"#32768", nullptr)); }) ? 0 : 1;
  }
  if (Command == L"search-open-time") {
    // The hot key (WM_HOTKEY 0) opens the launcher menu; the same key again closes it and
    // opens the search window. The milliseconds of each.
    HWND Main = FindWindowW(L"TLanternMain", nullptr);
    if (!Main) return 1;
    LARGE_INTEGER Frequency;
    QueryPerformanceFrequency(&Frequency);
    auto Until = [&](const wchar_t* Class, double& Ms) {
      LARGE_INTEGER Start, Now;
      QueryPerformanceCounter(&Start);
      PostMessageW(Main, WM_HOTKEY, 0, 0);
      for (;;) {
        HWND Found = FindWindowW(Class, nullptr);
        QueryPerformanceCounter(&Now);
        if (Found && IsWindowVisible(Found)) break;
        if (Now.QuadPart - Start.QuadPart > 20 * Frequency.QuadPart) return false;
        Sleep(0);
      }
      Ms = (Now.QuadPart - Start.QuadPart) * 1000.0 / Frequency.QuadPart;
      return true;
    };
    double Menu = 0, Search = 0;
    if (!Until(L"#32768", Menu) || !Until(L"TSearchForm", Search)) return 1;
    std::printf("%.1f %.1f\n", Menu, Search);
    PostMessageW(FindWindowW(L"TSearchForm", nullptr), WM_KEYDOWN, VK_ESCAPE, 0);
    return WaitFor(5, [] { return !IsWindowVisible(FindWindowW(L"TSearchForm", nullptr)); }) ? 0
                                                                                             : 1;
  }
  if (Command == L"query-end-session" || Command == L"cancel-end-session") {
    HWND w = FindWindowW(L"TLanternMain", nullptr);
    DWORD_PTR Answer = 0;
    if (!w) return 1;
    bool Query = Command == L"query-end-session";
    if (!SendMessageTimeoutW(w, Query ? WM_QUERYENDSESSION : WM_ENDSESSION, 0, 0, SMTO_NORMAL,
                             20000, &Answer))
      return 1;
    if (Query) std::printf("%lu\n", static_cast<unsigned long>(Answer));
    return 0;
  }
  if (Command == L"chasing") {
    bool At = argc > 4;
    LONG X = At ? _wtoi(argv[3]) : 0, Y = At ? _wtoi(argv[4]) : 0;
    HWND Found = nullptr;
    RECT r = {};
    auto Shown = [&] {
      Found = FindWindowW(L"TLanternFloatWindow", nullptr);
      return Found && IsWindowVisible(Found) && GetWindowRect(Found, &r) && r.right > r.left &&
             (!At || (r.left == X && r.top == Y));
    };
    if (!WaitFor(_wtof(argv[2]), Shown)) return 1;
    LONG_PTR Ex = GetWindowLongPtrW(Found, GWL_EXSTYLE);
    std::printf("%ld %ld %ld %ld%s%s%s%s\n", r.left, r.top, r.right - r.left, r.bottom - r.top,
                Ex & WS_EX_TOOLWINDOW ? " tool" : "", Ex & WS_EX_NOACTIVATE ? " noactivate" : "",
                Ex & WS_EX_TOPMOST ? " topmost" : "", GetWindow(Found, GW_OWNER) ? " owned" : "");
    return 0;
  }
  if (Command == L"foreground") {
    wchar_t Name[64] = L"";
    if (HWND Front = GetForegroundWindow()) GetClassNameW(Front, Name, 64);
    std::printf("%s\n", Utf8(Name).c_str());
    return 0;
  }
  if (Command == L"make-shortcut" && argc > 3)
    return MakeShortcut(argv[2], argv[3], argc > 4 ? argv[4] : L"");
  if (Command == L"menus") {
    std::vector<RECT> Menus;
    if (!WaitFor(Seconds, [&] { return !(Menus = OpenMenus()).empty(); })) return 1;
    for (const RECT& r : Menus)
      std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
  }
  return 2;
}
