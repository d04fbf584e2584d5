#include "ui/win32/ChildWindow.h"

#include <map>

#include "ui/Action.h"
#include "ui/Dpi.h"
#include "ui/DragControl.h"
#include "ui/Form.h"
#include "ui/win32/Handles.h"
#include "ui/win32/WideText.h"

namespace lantern {

namespace {

// A few monitors' worth at most: the fonts live as long as the program.
std::map<int, TFontHandle>& UiFonts() {
  static std::map<int, TFontHandle> Fonts;
  return Fonts;
}

bool IsUiFont(HFONT Font) {
  for (const auto& Made : UiFonts())
    if (Made.second.Get() == Font) return true;
  return false;
}

}  // namespace

HFONT UiFont(int Dpi) {
  TFontHandle& Font = UiFonts()[Dpi];
  if (!Font)
    Font.Reset(CreateFontW(ScaleToDpi(-12, Dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                           SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, DEFAULT_PITCH, ToWide("ＭＳ Ｐゴシック").c_str()));
  return Font.Get();
}

int DpiOf(const TWinControl& Control) {
  const TWinControl* Top = &Control;
  while (Top->Parent()) Top = Top->Parent();
  auto* Form = dynamic_cast<const TForm*>(Top);
  return Form ? Form->Dpi() : DesignDpi;
}

RECT PixelBounds(const TWinControl& Control, int Dpi) {
  int X = 0, Y = 0;  // the parent's place in the form's client area, in layout units
  for (const TWinControl* Up = Control.Parent(); Up && Up->Parent(); Up = Up->Parent()) {
    X += Up->Left();
    Y += Up->Top();
  }
  const int X0 = ScaleToDpi(X, Dpi), Y0 = ScaleToDpi(Y, Dpi);
  return {ScaleToDpi(X + Control.Left(), Dpi) - X0, ScaleToDpi(Y + Control.Top(), Dpi) - Y0,
          ScaleToDpi(X + Control.Left() + Control.Width(), Dpi) - X0,
          ScaleToDpi(Y + Control.Top() + Control.Height(), Dpi) - Y0};
}

int TChildWindow::Pixels(int Layout) const { return ScaleToDpi(Layout, Dpi()); }

void TChildWindow::CreateChild(const wchar_t* Class, DWORD Style, HWND Parent, bool View) {
  const RECT Place = PixelBounds(FControl, Dpi());
  CreateControl(Class, View ? WS_EX_CLIENTEDGE : 0,
                WS_CHILD | (View ? WS_TABSTOP : 0) | (FControl.Visible() ? WS_VISIBLE : 0) | Style,
                Place.left, Place.top, Place.right - Place.left, Place.bottom - Place.top, Parent);
  SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont(Dpi())), FALSE);
}

void TChildWindow::MirrorBounds() {
  const RECT Place = PixelBounds(FControl, Dpi());
  // Moved controls paint themselves anew: copied bits leave stale lines behind.
  SetWindowPos(FHandle, nullptr, Place.left, Place.top, Place.right - Place.left,
               Place.bottom - Place.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
}

void TChildWindow::Rescale() {
  auto Shown = reinterpret_cast<HFONT>(SendMessageW(FHandle, WM_GETFONT, 0, 0));
  if (!Shown || IsUiFont(Shown))
    SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont(Dpi())), TRUE);
  MirrorBounds();
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

namespace {

// The view of ours under a screen point that can take a drop, with its window.
TDragControl* DropTargetAt(POINT Screen, HWND& Window) {
  Window = WindowFromPoint(Screen);
  TWindow* Object = TWindow::FromHandle(Window);
  return Object ? dynamic_cast<TDragControl*>(Object->Control()) : nullptr;
}

}  // namespace

void TViewWindow::BeginDrag() {
  auto* Source = dynamic_cast<TDragControl*>(&FControl);
  if (FDragging || !Source || !Source->NativeBeginDrag()) return;
  FDragging = true;
  SetCapture(FHandle);
}

void TViewWindow::DragTo(LPARAM Point, bool Drop) {
  auto* Source = dynamic_cast<TDragControl*>(&FControl);
  POINT At = {static_cast<short>(LOWORD(Point)), static_cast<short>(HIWORD(Point))};
  ClientToScreen(FHandle, &At);
  HWND Window;
  TDragControl* Target = DropTargetAt(At, Window);
  if (Window != FDropWindow) LeaveDropTarget();
  ScreenToClient(Window, &At);
  if (Drop) {
    Source->NativeDragDrop(Target, At.x, At.y);
    return;
  }
  bool Accept = Source->NativeDragOver(Target, At.x, At.y);
  SetCursor(LoadCursorW(nullptr, Accept ? IDC_ARROW : IDC_NO));
  if (auto* View = dynamic_cast<TViewWindow*>(TWindow::FromHandle(Window))) {
    FDropWindow = Window;
    View->ShowDropTarget(true, At.x, At.y);
  }
}

void TViewWindow::LeaveDropTarget() {
  if (auto* View = dynamic_cast<TViewWindow*>(TWindow::FromHandle(FDropWindow)))
    View->ShowDropTarget(false, 0, 0);
  FDropWindow = nullptr;
}

// The drag's state is given up first: the drop's handlers may open message boxes, which take
// the mouse, and that must not cancel anything.
void TViewWindow::EndDrag(bool Drop, LPARAM Point) {
  FDragging = false;
  LeaveDropTarget();
  if (GetCapture() == FHandle) ReleaseCapture();
  auto* Source = dynamic_cast<TDragControl*>(&FControl);
  if (Drop)
    DragTo(Point, true);
  else
    Source->NativeEndDrag();
}

bool TViewWindow::HandleMessage(UINT Message, WPARAM WParam, LPARAM LParam, LRESULT& Result) {
  if (FDragging) {
    switch (Message) {
      case WM_MOUSEMOVE:
        DragTo(LParam, false);
        Result = 0;
        return true;
      // The control sees the button go up as well: it ends its own tracking of the mouse.
      case WM_LBUTTONUP: EndDrag(true, LParam); return false;
      case WM_KEYDOWN:
        if (WParam != VK_ESCAPE) break;
        EndDrag(false, 0);
        FUsedKey = WParam;
        Result = 0;
        return true;
      case WM_CAPTURECHANGED:
      case WM_CANCELMODE: EndDrag(false, 0); return false;
      default: break;
    }
  }
  switch (Message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      // A hidden window takes no keys, as it has no shortcuts, whatever still reaches it.
      if (!IsWindowVisible(GetAncestor(FHandle, GA_ROOT))) {
        FUsedKey = 0;
        return false;
      }
      // Alt held is in the message itself, whoever sent it.
      unsigned Shift =
          ShiftState() | (Message == WM_SYSKEYDOWN && (LParam & (1 << 29)) ? ssAlt : 0u);
      bool Used = FControl.NativeKeyDown(static_cast<unsigned>(WParam), Shift);
      FUsedKey = Used ? WParam : 0;
      Result = 0;
      return Used;
    }
    case WM_KILLFOCUS:
      // Its own in-place edit box keeps the view focused.
      if (!IsChild(FHandle, reinterpret_cast<HWND>(WParam))) FControl.NativeFocusLeft();
      return false;
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
