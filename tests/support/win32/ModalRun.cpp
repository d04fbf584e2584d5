#include "support/win32/ModalRun.h"

#include <utility>

#include "ui/win32/WideText.h"

namespace lantern {

HWND ModalDialog = nullptr;

namespace {

std::function<bool()> UserStep;
int Ticks = 0;

void CALLBACK Tick(HWND, UINT, UINT_PTR Id, DWORD) {
  if (++Ticks > 60) {
    KillTimer(nullptr, Id);
    PostMessageW(ModalDialog, WM_CLOSE, 0, 0);
  } else if (UserStep()) {
    KillTimer(nullptr, Id);
  }
}

}  // namespace

std::string WindowText(HWND Window) {
  wchar_t Buffer[256] = L"";
  GetWindowTextW(Window, Buffer, 256);
  return FromWide(Buffer);
}

void Pump() {
  MSG Msg;
  while (PeekMessageW(&Msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&Msg);
    DispatchMessageW(&Msg);
  }
}

void PostKey(HWND Window, UINT Key) {
  PostMessageW(Window, WM_KEYDOWN, Key, 1);
  PostMessageW(Window, WM_KEYUP, Key, 0xC0000001);
}

void Click(HWND Window, int X, int Y) {
  PostMessageW(Window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(X, Y));
  PostMessageW(Window, WM_LBUTTONUP, 0, MAKELPARAM(X, Y));
  Pump();
}

void StartUserSteps(TForm& Form, std::function<bool()> Step, UINT Interval) {
  Form.CreateHandle();
  ModalDialog = Of(Form);
  UserStep = std::move(Step);
  Ticks = 0;
  SetTimer(nullptr, 0, Interval, Tick);
}

TModalResult RunModal(TForm& Form, std::function<bool()> Step, UINT Interval) {
  StartUserSteps(Form, std::move(Step), Interval);
  return Form.ShowModal();
}

}  // namespace lantern
