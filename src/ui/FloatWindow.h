#pragma once
// A small borderless window above every other, of no task bar and no Alt+Tab, that never
// takes the focus: the user's window stays active while it shows and when it is clicked.
// Windowless it keeps its state, and NativeMouseDown stands for a click.
#include <functional>

#include "base/Color.h"
#include "ui/Canvas.h"
#include "ui/Control.h"

namespace lantern {

class TFloatWindowPeer : public TControlPeer {
 public:
  virtual void ShowTopmost() = 0;  // visible and above all, without activating
};

class TFloatWindow : public TWinControl {
 public:
  using TPaintEvent = std::function<void(TFloatWindow* Sender, TCanvas& Canvas)>;
  using TMouseDownEvent = std::function<void(TFloatWindow* Sender, TMouseButton Button)>;

  TFloatWindow();
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  // Shaped as the ellipse that fills the bounds the window has when its handle is made; the
  // shape stays when it is resized later.
  bool Elliptic() const { return FElliptic; }
  void SetElliptic(bool Value) { FElliptic = Value; }
  // Makes the native window (hidden), when the platform has native windows.
  void CreateHandle();
  // Visible and above every other window, the active one left as it is.
  void ShowTopmost();
  // Fills the window with its colour, then runs OnPaint (what the native paint does).
  void Paint(TCanvas& Canvas);
  // A mouse button went down on the window.
  void NativeMouseDown(TMouseButton Button) {
    if (OnMouseDown) OnMouseDown(this, Button);
  }

  TPaintEvent OnPaint;
  TMouseDownEvent OnMouseDown;

 private:
  TColor FColor = clBtnFace;
  bool FElliptic = false;
};

}  // namespace lantern
