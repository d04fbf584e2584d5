#include "model/PopupMenuEx.h"

namespace lantern {

void TPopupMenuEx::Popup(int X, int Y) {
  // The menu counts as closed even when the chosen entry fails.
  try {
    TPopupMenu::Popup(X, Y);
  } catch (...) {
    DoDonePopup();
    throw;
  }
  DoDonePopup();
}

void TPopupMenuEx::DoDonePopup() {
  if (OnDonePopup) OnDonePopup(this);
}

}  // namespace lantern
