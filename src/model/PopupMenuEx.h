#pragma once
// The launcher menu's class: a popup menu that tells when it has closed, so that its owner
// knows when the entries may be rebuilt again.
#include <functional>

#include "ui/Menus.h"

namespace lantern {

class TPopupMenuEx : public TPopupMenu {
 public:
  // Shows the menu, returns when it has closed (the chosen entry has run), then DoDonePopup.
  void Popup(int X, int Y) override;
  std::function<void(TPopupMenuEx* Sender)> OnDonePopup;

 protected:
  void DoDonePopup();
};

}  // namespace lantern
