// The yardstick for Lantern's start-up: the least a resident Win32 program does before it
// waits for messages. It makes its main window and leaves it hidden (as Lantern's resident
// start does), and puts an icon in the notification area through a hidden window of its own,
// whose class the benchmark's driver looks for as the sign that the start is over. With the
// argument "timer" its main window also gets a 200 ms timer, as a resident program's duties
// need (the yardstick of the idle cost). With the argument "shell" it stands for the rest of a
// desktop instead: a hidden window of another class and an icon of its own in the notification
// area, for as long as the benchmark runs, so that Wine's desktop process (which ends when the
// last program of the desktop has ended) stays up between the starts, as a real shell does. It
// outlives the end of a session that the benchmark asks of the programs after each start.
#include <windows.h>
// after windows.h
#include <shellapi.h>

#include <cwchar>

namespace {

constexpr UINT TrayCallback = WM_APP + 1;

bool Shell = false;

LRESULT CALLBACK Proc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
  if (Message == WM_ENDSESSION && WParam && !Shell) PostQuitMessage(0);
  if (Message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(Window, Message, WParam, LParam);
}

HWND NewWindow(HINSTANCE Instance, const wchar_t* ClassName) {
  WNDCLASSW Class = {};
  Class.lpfnWndProc = Proc;
  Class.hInstance = Instance;
  Class.lpszClassName = ClassName;
  RegisterClassW(&Class);
  return CreateWindowExW(0, ClassName, L"Minimal", WS_OVERLAPPEDWINDOW, 0, 0, 614, 446, nullptr,
                         nullptr, Instance, nullptr);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE Instance, HINSTANCE, LPWSTR CommandLine, int) {
  Shell = wcsstr(CommandLine, L"shell") != nullptr;
  HWND Main = NewWindow(Instance, Shell ? L"TBenchShell" : L"TMinimalWindow");
  if (wcsstr(CommandLine, L"timer")) SetTimer(Main, 1, 200, nullptr);
  NOTIFYICONDATAW Icon = {};
  Icon.cbSize = sizeof(Icon);
  Icon.hWnd = NewWindow(Instance, Shell ? L"TBenchShellNotify" : L"TNotifyWindow");
  Icon.uID = 1;
  Icon.uFlags = NIF_MESSAGE | NIF_ICON;
  Icon.uCallbackMessage = TrayCallback;
  Icon.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  Shell_NotifyIconW(NIM_ADD, &Icon);
  MSG Msg;
  while (GetMessageW(&Msg, nullptr, 0, 0) > 0) DispatchMessageW(&Msg);
  Shell_NotifyIconW(NIM_DELETE, &Icon);
  return 0;
}
