#include "ui/FloatWindow.h"

#include "ui/Widgets.h"

namespace lantern {

TFloatWindow::TFloatWindow() { SetVisible(false); }

void TFloatWindow::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  if (Peer()) Peer()->StateChanged();
}

void TFloatWindow::CreateHandle() {
  if (Widgets() && !Peer()) SetPeer(Widgets()->CreateFloatWindow(*this));
}

void TFloatWindow::ShowTopmost() {
  SetVisible(true);
  if (Peer()) static_cast<TFloatWindowPeer*>(Peer())->ShowTopmost();
}

void TFloatWindow::Paint(TCanvas& Canvas) {
  Canvas.SetBrushColor(FColor);
  Canvas.FillRect({0, 0, Width(), Height()});
  if (OnPaint) OnPaint(this, Canvas);
}

}  // namespace lantern
