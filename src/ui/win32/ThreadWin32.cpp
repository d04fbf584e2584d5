// Workers wake the user-interface thread through a message-only window: its messages are
// delivered in every message loop, the menus' and the dialogs' too, and no broadcast reaches it.
#include <objbase.h>
#include <windows.h>

#include "ui/Messages.h"
#include "ui/Thread.h"

namespace lantern {

namespace {

HWND WakeWindow = nullptr;

LRESULT CALLBACK WakeProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
  if (Message == WM_SYNCHRONIZE) {
    CheckSynchronize();
    return 0;
  }
  return DefWindowProcW(Window, Message, WParam, LParam);
}

}  // namespace

void PrepareMainThreadWake() {
  if (WakeWindow) return;
  WNDCLASSW Class = {};
  Class.lpfnWndProc = WakeProc;
  Class.hInstance = GetModuleHandleW(nullptr);
  Class.lpszClassName = L"LanternSynchronize";
  RegisterClassW(&Class);
  WakeWindow = CreateWindowExW(0, Class.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               Class.hInstance, nullptr);
}

void WakeMainThread() {
  if (WakeWindow) PostMessageW(WakeWindow, WM_SYNCHRONIZE, 0, 0);
}

// The shell's icon calls want COM on the calling thread.
void WorkerThreadStarting() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
void WorkerThreadEnding() { CoUninitialize(); }

}  // namespace lantern
