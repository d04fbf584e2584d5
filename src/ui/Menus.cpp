#include "ui/Menus.h"

#include "ui/Widgets.h"

namespace lantern {

std::string TMenuItem::Caption() const {
  if (!FCaption.empty() || !FAction) return FCaption;
  return FAction->Caption();
}

TMenuItem* TMenuItem::Add(std::unique_ptr<TMenuItem> Item) {
  FItems.push_back(std::move(Item));
  return FItems.back().get();
}

void TMenuItem::Click() {
  if (FAction) {
    FAction->Execute();
  } else if (FEnabled && OnClick) {
    OnClick(this);
  }
}

void TPopupMenu::Popup(int X, int Y) {
  PopupX = X;
  PopupY = Y;
  ++Popups;
  if (OnPopup) OnPopup(this);
  TMenuItem* Chosen = Widgets() ? Widgets()->TrackPopupMenu(*this, X, Y) : Choice;
  if (Chosen) Chosen->Click();
}

}  // namespace lantern
