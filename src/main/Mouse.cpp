#include "main/Mouse.h"

#include "ui/Messages.h"
#include "ui/System.h"

namespace lantern {

TMouseForm::TMouseForm(TWinControl& Target, int Width, int Height, TColor Color) : FTarget(Target) {
  SetBounds(0, 0, Width, Height);
  SetColor(Color);
  SetElliptic(true);
  OnPaint = [this](TFloatWindow*, TCanvas& Canvas) { FormPaint(Canvas); };
  OnMouseDown = [this](TFloatWindow*, TMouseButton Button) { FormMouseDown(Button); };
  CreateHandle();
}

void TMouseForm::FormPaint(TCanvas& Canvas) {
  const int W = Width(), H = Height();
  Canvas.SetPenColor(0x000000);
  Canvas.MoveTo((W - 1) / 2, 2);
  Canvas.LineTo((W - 1) / 2, H - 3);
  Canvas.MoveTo(2, (H - 1) / 2);
  Canvas.LineTo(W - 3, (H - 1) / 2);
}

void TMouseForm::FormMouseDown(TMouseButton Button) {
  // As the hot key's ids: 0 the launcher menu, 1 the program's own (also a left click with
  // Shift held).
  const bool Launcher = Button == TMouseButton::mbLeft && !System().ShiftDown();
  System().Post(FTarget.Handle(), WmHotKey, Launcher ? 0 : 1, 0);
  // Gone until the main window shows it again.
  SetBounds(Left(), Top(), 0, 0);
}

}  // namespace lantern
