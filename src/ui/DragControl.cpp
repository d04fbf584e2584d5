#include "ui/DragControl.h"

namespace lantern {

bool TDragControl::NativeBeginDrag() {
  if (FDragged) return true;
  bool Start = true;
  if (OnStartDrag) OnStartDrag(this, Start);
  FDragged = Start;
  return Start;
}

bool TDragControl::NativeDragOver(TDragControl* Target, int X, int Y) {
  if (!FDragged || !Target || !Target->OnDragOver) return false;
  bool Accept = true;
  Target->OnDragOver(Target, this, X, Y, Accept);
  return Accept;
}

void TDragControl::NativeDragDrop(TDragControl* Target, int X, int Y) {
  if (!FDragged) return;
  // The end is told even when the drop raised: the source must not stay in its drag.
  try {
    if (NativeDragOver(Target, X, Y) && Target->OnDragDrop) Target->OnDragDrop(Target, this, X, Y);
  } catch (...) {
    NativeEndDrag();
    throw;
  }
  NativeEndDrag();
}

void TDragControl::NativeEndDrag() {
  if (!FDragged) return;
  FDragged = false;
  if (OnEndDrag) OnEndDrag(this);
}

}  // namespace lantern
