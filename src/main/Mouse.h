#pragma once
// The chasing window: a small coloured ellipse with a cross that shows up beside the mouse
// cursor; a click on it opens the launcher menu (left button) or the program's menu (any
// other) through the main window's hot key message.
#include "ui/FloatWindow.h"

namespace lantern {

class TMouseForm : public TFloatWindow {
 public:
  // Target: the window that hears the clicks. The shape is made for Width x Height (screen
  // pixels at Dpi, where the cross's lines are as thick as one pixel at 96), so a new size
  // needs a new window.
  TMouseForm(TWinControl& Target, int Width, int Height, TColor Color, int Dpi = 96);
  int Dpi() const { return FDpi; }

 private:
  void FormPaint(TCanvas& Canvas);
  void FormMouseDown(TMouseButton Button);

  TWinControl& FTarget;
  int FDpi;
};

}  // namespace lantern
