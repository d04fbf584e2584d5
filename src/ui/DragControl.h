#pragma once
// What the tree and the list share for dragging their entries inside the program's windows:
// the mouse goes down on an entry and moves (the native control reports it), the control
// under the mouse is asked whether it takes the drag, the button goes up over it and it takes
// the drop; Esc or a lost mouse cancels. The source hears of the end in every case.
// Windowless, tests call the same entry points the native drag calls.
#include <functional>

#include "ui/Control.h"

namespace lantern {

class TDragControl : public TWinControl {
 public:
  // Start: false keeps the drag from starting (it starts unless a handler says no).
  using TStartDragEvent = std::function<void(TDragControl* Sender, bool& Start)>;
  // X, Y are in Sender's client area. Accept comes in true; no handler refuses.
  using TDragOverEvent =
      std::function<void(TDragControl* Sender, TDragControl* Source, int X, int Y, bool& Accept)>;
  using TDragDropEvent =
      std::function<void(TDragControl* Sender, TDragControl* Source, int X, int Y)>;
  using TEndDragEvent = std::function<void(TDragControl* Sender)>;

  using TWinControl::TWinControl;

  // Windowless, every row (a list's row, a tree's shown node) is RowHeight pixels high, the
  // first at Y = 0, across the whole width; natively the control's own hit test answers.
  static constexpr int RowHeight = 16;

  // A drag from this control is under way.
  bool Dragged() const { return FDragged; }
  // The user started dragging an entry: OnStartDrag decides whether it goes on.
  bool NativeBeginDrag();
  // The mouse is over Target (null: over nothing of ours): whether it takes the drag.
  bool NativeDragOver(TDragControl* Target, int X, int Y);
  // The button went up over Target: it takes the drop when it accepts it, then the drag ends
  // (also when the drop raised).
  void NativeDragDrop(TDragControl* Target, int X, int Y);
  // Esc or a lost mouse: the drag ends without a drop.
  void NativeEndDrag();

  TStartDragEvent OnStartDrag;
  TDragOverEvent OnDragOver;
  TDragDropEvent OnDragDrop;
  TEndDragEvent OnEndDrag;

 private:
  bool FDragged = false;
};

}  // namespace lantern
