#include "ui/win32/ChildWindow.h"

#include "ui/Action.h"
#include "ui/win32/Handles.h"
#include "ui/win32/WideText.h"

namespace lantern {

HFONT UiFont() {
  static TFontHandle Font(CreateFontW(
      -12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, ToWide("ＭＳ Ｐゴシック").c_str()));
  return Font.Get();
}

void TChildWindow::CreateChild(const wchar_t* Class, DWORD Style, HWND Parent, bool View) {
  CreateControl(Class, View ? WS_EX_CLIENTEDGE : 0,
                WS_CHILD | (View ? WS_TABSTOP : 0) | (FControl.Visible() ? WS_VISIBLE : 0) | Style,
                FControl.Left(), FControl.Top(), FControl.Width(), FControl.Height(), Parent);
  SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont()), FALSE);
}

void TChildWindow::MirrorBounds() {
  // Moved controls paint themselves anew: copied bits leave stale lines behind.
  SetWindowPos(FHandle, nullptr, FControl.Left(), FControl.Top(), FControl.Width(),
               FControl.Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
}

void TChildWindow::MirrorVisible() { ShowWindow(FHandle, FControl.Visible() ? SW_SHOW : SW_HIDE); }

bool TChildWindow::OriginOnScreen(int& X, int& Y) const {
  POINT p = {0, 0};
  if (!ClientToScreen(FHandle, &p)) return false;
  X = p.x;
  Y = p.y;
  return true;
}

void TChildWindow::FocusNative() { ::SetFocus(FHandle); }

bool TViewWindow::HandleMessage(UINT Message, WPARAM WParam, LPARAM LParam, LRESULT& Result) {
  switch (Message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      // Alt held is in the message itself, whoever sent it.
      unsigned Shift =
          ShiftState() | (Message == WM_SYSKEYDOWN && (LParam & (1 << 29)) ? ssAlt : 0u);
      bool Used = FControl.NativeKeyDown(static_cast<unsigned>(WParam), Shift);
      FUsedKey = Used ? WParam : 0;
      Result = 0;
      return Used;
    }
    case WM_CHAR:
    case WM_SYSCHAR: Result = 0; return FUsedKey != 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      if (FUsedKey != WParam) return false;
      FUsedKey = 0;
      Result = 0;
      return true;
    default: return false;
  }
}

}  // namespace lantern
