// The system's facts and the calls between instances, through the W functions.
#include <windows.h>

#include "ui/System.h"
#include "ui/win32/Handles.h"
#include "ui/win32/Peers.h"
#include "ui/win32/WideText.h"

namespace lantern {

namespace {

class TWin32System : public TSystem {
 public:
  std::string UserName() override {
    wchar_t Buffer[256];
    DWORD Size = 255;
    return GetUserNameW(Buffer, &Size) ? FromWide(Buffer) : std::string();
  }

  std::string ProgramFileName() override {
    wchar_t Buffer[32768];
    DWORD n = GetModuleFileNameW(nullptr, Buffer, 32768);
    return FromWide(std::wstring(Buffer, n));
  }

  std::string WindowsDirectory() override {
    wchar_t Buffer[MAX_PATH];
    const UINT n = GetWindowsDirectoryW(Buffer, MAX_PATH);
    return n > 0 && n < MAX_PATH ? FromWide(std::wstring(Buffer, n)) : std::string();
  }

  bool FileVersion(const std::string& Path, unsigned (&Parts)[4]) override {
    std::wstring Wide = ToWide(Path);
    DWORD Ignored = 0;
    DWORD Size = GetFileVersionInfoSizeW(Wide.c_str(), &Ignored);
    if (!Size) return false;
    std::string Data(Size, '\0');
    if (!GetFileVersionInfoW(Wide.c_str(), 0, Size, &Data[0])) return false;
    VS_FIXEDFILEINFO* Info = nullptr;
    UINT Length = 0;
    if (!VerQueryValueW(&Data[0], L"\\", reinterpret_cast<void**>(&Info), &Length) || !Info)
      return false;
    Parts[0] = HIWORD(Info->dwFileVersionMS);
    Parts[1] = LOWORD(Info->dwFileVersionMS);
    Parts[2] = HIWORD(Info->dwFileVersionLS);
    Parts[3] = LOWORD(Info->dwFileVersionLS);
    return true;
  }

  bool IsWindowsNT() override {
    OSVERSIONINFOW Info = {};
    Info.dwOSVersionInfoSize = sizeof(Info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    return GetVersionExW(&Info) && Info.dwPlatformId == VER_PLATFORM_WIN32_NT;
#pragma GCC diagnostic pop
  }

  double Now() override {
    SYSTEMTIME t;
    GetLocalTime(&t);
    FILETIME f;
    SystemTimeToFileTime(&t, &f);
    ULARGE_INTEGER u;
    u.LowPart = f.dwLowDateTime;
    u.HighPart = f.dwHighDateTime;
    // FILETIME counts 100 ns from 1 January 1601, 109205 days before 30 December 1899.
    return static_cast<double>(u.QuadPart) / 864000000000.0 - 109205.0;
  }

  int CompareText(const std::string& A, const std::string& B) override {
    std::wstring WideA = ToWide(A), WideB = ToWide(B);
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, WideA.c_str(),
                          static_cast<int>(WideA.size()), WideB.c_str(),
                          static_cast<int>(WideB.size())) -
           CSTR_EQUAL;
  }

  int ScreenWidth() override { return GetSystemMetrics(SM_CXSCREEN); }
  int ScreenHeight() override { return GetSystemMetrics(SM_CYSCREEN); }

  int MonitorWidthAt(int X, int Y) override {
    MONITORINFO Info = {};
    Info.cbSize = sizeof(Info);
    if (!GetMonitorInfoW(MonitorFromPoint({X, Y}, MONITOR_DEFAULTTONEAREST), &Info))
      return ScreenWidth();
    return Info.rcMonitor.right - Info.rcMonitor.left;
  }

  int DpiAt(int X, int Y) override {
    // Windows 8.1 and later know each monitor's scale; before, every monitor has the
    // system's.
    using TGetDpiForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const auto GetDpiForMonitor = [] {
      HMODULE Shcore = LoadLibraryW(L"shcore.dll");
      return Shcore ? reinterpret_cast<TGetDpiForMonitor>(
                          reinterpret_cast<void*>(GetProcAddress(Shcore, "GetDpiForMonitor")))
                    : nullptr;
    }();
    UINT DpiX = 0, DpiY = 0;
    if (GetDpiForMonitor &&
        SUCCEEDED(GetDpiForMonitor(MonitorFromPoint({X, Y}, MONITOR_DEFAULTTONEAREST),
                                   0 /* MDT_EFFECTIVE_DPI */, &DpiX, &DpiY)) &&
        DpiX > 0)
      return static_cast<int>(DpiX);
    HDC Screen = GetDC(nullptr);
    const int Dpi = Screen ? GetDeviceCaps(Screen, LOGPIXELSX) : 96;
    if (Screen) ReleaseDC(nullptr, Screen);
    return Dpi > 0 ? Dpi : 96;
  }

  int NotifyIconSize() override {
    // Windows 10 1607 and later tell the size for a DPI; before, the small icon's size.
    using TGetSystemMetricsForDpi = int(WINAPI*)(int, UINT);
    static const auto ForDpi = reinterpret_cast<TGetSystemMetricsForDpi>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi")));
    const int Dpi = DpiAt(0, 0);
    const int Size = ForDpi ? ForDpi(SM_CXSMICON, static_cast<UINT>(Dpi)) : 0;
    return Size > 0 ? Size : SmallIconSize(Dpi);
  }

  TRect WorkAreaAt(int X, int Y) override {
    MONITORINFO Info = {};
    Info.cbSize = sizeof(Info);
    if (!GetMonitorInfoW(MonitorFromPoint({X, Y}, MONITOR_DEFAULTTONEAREST), &Info))
      return {0, 0, ScreenWidth(), ScreenHeight()};
    return {Info.rcWork.left, Info.rcWork.top, Info.rcWork.right, Info.rcWork.bottom};
  }

  bool RectOnAnyMonitor(int Left, int Top, int Width, int Height) override {
    RECT Rect = {Left, Top, Left + Width, Top + Height};
    return MonitorFromRect(&Rect, MONITOR_DEFAULTTONULL) != nullptr;
  }

  std::string FullPathName(const std::string& Path) override {
    std::wstring Wide = ToWide(Path);
    DWORD n = GetFullPathNameW(Wide.c_str(), 0, nullptr, nullptr);
    if (n == 0) return Path;
    std::wstring Full(n, L'\0');
    n = GetFullPathNameW(Wide.c_str(), n, &Full[0], nullptr);
    if (n == 0 || n >= Full.size()) return Path;
    Full.resize(n);
    return FromWide(Full);
  }

  void SetShutdownBlockReason(void* Window, const std::string& Reason) override {
    if (Reason.empty())
      ShutdownBlockReasonDestroy(static_cast<HWND>(Window));
    else
      ShutdownBlockReasonCreate(static_cast<HWND>(Window), ToWide(Reason).c_str());
  }

  TIcon ResourceIcon(int Id, int Size) override {
    HANDLE Icon =
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(Id), IMAGE_ICON, Size, Size, 0);
    if (!Icon) Icon = CopyIcon(LoadIconW(nullptr, IDI_APPLICATION));
    return TIcon(Icon, [](void* h) { DestroyIcon(static_cast<HICON>(h)); });
  }

  unsigned RegisterMessage(const std::string& Name) override {
    return RegisterWindowMessageW(ToWide(Name).c_str());
  }

  bool MutexExists(const std::string& Name) override {
    return static_cast<bool>(
        TKernelHandle(OpenMutexW(MUTEX_ALL_ACCESS, FALSE, ToWide(Name).c_str())));
  }

  void CreateInstanceMutex(const std::string& Name) override {
    FMutex.Reset(CreateMutexW(nullptr, FALSE, ToWide(Name).c_str()));
  }

  void ReleaseMutex() override {
    if (FMutex) ::ReleaseMutex(FMutex.Get());
    FMutex.Reset();
  }

  void* FindWindowByClass(const std::string& ClassName) override {
    return FindWindowW(ToWide(ClassName).c_str(), nullptr);
  }

  void Post(void* Window, unsigned Message, std::uintptr_t WParam, std::intptr_t LParam) override {
    PostMessageW(static_cast<HWND>(Window), Message, WParam, LParam);
  }
  std::intptr_t Send(void* Window, unsigned Message, std::uintptr_t WParam,
                     std::intptr_t LParam) override {
    return SendMessageW(static_cast<HWND>(Window), Message, WParam, LParam);
  }
  bool ScreenSaverActive() override {
    BOOL Active = FALSE;
    return SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &Active, 0) && Active;
  }
  void SetWaitCursor(bool Waiting) override {
    // Until the next mouse move over a window that sets its own cursor, which is what the
    // waiting program's windows do not get to do while it works.
    SetCursor(LoadCursorW(nullptr, Waiting ? IDC_WAIT : IDC_ARROW));
  }

  unsigned AddAtom(const std::string& Text) override {
    return GlobalAddAtomW(ToWide(Text).c_str());
  }

  std::string AtomText(unsigned Atom) override {
    wchar_t Buffer[256];
    UINT n = GlobalGetAtomNameW(static_cast<ATOM>(Atom), Buffer, 256);
    return FromWide(std::wstring(Buffer, n));
  }

  void DeleteAtom(unsigned Atom) override { GlobalDeleteAtom(static_cast<ATOM>(Atom)); }

  void ForceForeground(void* Window) override { BringForward(static_cast<HWND>(Window), true); }
  void EndMenu() override { ::EndMenu(); }
  void SetForegroundWindow(void* Window) override {
    BringForward(static_cast<HWND>(Window), false);
  }
  void CursorPos(int& X, int& Y) override {
    POINT Point = {};
    GetCursorPos(&Point);
    X = Point.x;
    Y = Point.y;
  }
  // Also right while another program has the keys: a thread without the keyboard focus reads
  // the desktop's state (GetAsyncKeyState under Wine follows the X server's keyboard, which
  // never sees keys that programs send).
  bool ShiftDown() override { return GetKeyState(VK_SHIFT) < 0; }
  void* ForegroundWindow() override { return GetForegroundWindow(); }
  void* ApplicationWindow() override { return UtilityWindow(); }
  bool RegisterHotKey(void* Window, int Id, unsigned Modifiers, unsigned Key) override {
    return ::RegisterHotKey(static_cast<HWND>(Window), Id, Modifiers, Key) != FALSE;
  }
  void UnregisterHotKey(void* Window, int Id) override {
    ::UnregisterHotKey(static_cast<HWND>(Window), Id);
  }
  void Sleep(int Milliseconds) override { ::Sleep(Milliseconds); }

 private:
  TKernelHandle FMutex;
};

}  // namespace

TSystem& PlatformSystem() {
  static TWin32System Instance;
  return Instance;
}

TIcon ProgramIcon(int Size) {
  HANDLE Icon = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(ProgramIconId), IMAGE_ICON,
                           Size, Size, 0);
  return TIcon(Icon, [](void* h) { DestroyIcon(static_cast<HICON>(h)); });
}

}  // namespace lantern
