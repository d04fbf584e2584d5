#include "main/Mouse.h"

#include <algorithm>

#include "ui/Dpi.h"
#include "ui/Messages.h"
#include "ui/System.h"

namespace lantern {

TMouseForm::TMouseForm(TWinControl& Target, int Width, int Height, TColor Color, int Dpi)
    : FTarget(Target), FDpi(Dpi) {
  SetBounds(0, 0, Width, Height);
  SetColor(Color);
  SetElliptic(true);
  OnPaint = [this](TFloatWindow*, TCanvas& Canvas) { FormPaint(Canvas); };
  OnMouseDown = [this](TFloatWindow*, TMouseButton Button) { FormMouseDown(Button); };
  CreateHandle();
}

void TMouseForm::FormPaint(TCanvas& Canvas) {
  // The cross, its lines as thick as a pixel at 96 DPI (side by side, one pixel each) and
  // two such pixels in from the edges.
  const int W = Width(), H = Height();
  const int Line = std::max(1, ScaleToDpi(1, FDpi)), Inset = ScaleToDpi(2, FDpi);
  const int X = (W - 1) / 2 - (Line - 1) / 2, Y = (H - 1) / 2 - (Line - 1) / 2;
  Canvas.SetPenColor(0x000000);
  for (int i = 0; i < Line; ++i) {
    Canvas.MoveTo(X + i, Inset);
    Canvas.LineTo(X + i, H - Inset - 1);
  }
  for (int i = 0; i < Line; ++i) {
    Canvas.MoveTo(Inset, Y + i);
    Canvas.LineTo(W - Inset - 1, Y + i);
  }
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
