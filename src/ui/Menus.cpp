#include "ui/Menus.h"

#include <algorithm>

#include "base/Scoped.h"
#include "ui/Widgets.h"

namespace lantern {

std::string StripAmpersands(const std::string& Caption, int& Underline) {
  std::string Text;
  Text.reserve(Caption.size());
  Underline = -1;
  // "&" is never the second byte of a double-byte character, so bytes can be looked at alone.
  for (char c : Caption) {
    if (c == '&')
      Underline = static_cast<int>(Text.size());
    else
      Text += c;
  }
  if (Underline >= static_cast<int>(Text.size())) Underline = -1;  // a trailing "&"
  return Text;
}

std::string TMenuItem::Caption() const {
  if (!FCaption.empty() || !FAction) return FCaption;
  return FAction->Caption();
}

std::string TMenuItem::MenuText() const {
  std::string Key = FAction ? ShortCutToText(FAction->ShortCut()) : std::string();
  return Key.empty() ? Caption() : Caption() + "\t" + Key;
}

TMenuItem* TMenuItem::Add(std::unique_ptr<TMenuItem> Item) {
  FItems.push_back(std::move(Item));
  return FItems.back().get();
}

void TMenuItem::Fill() const {
  if (!FFill) return;
  // Taken first: what Fill asks of this entry must not fill it again.
  auto Make = std::move(FFill);
  FFill = nullptr;
  Make(const_cast<TMenuItem*>(this));
}

void TMenuItem::Click() {
  if (FAction) {
    FAction->Execute();
  } else if (FEnabled && OnClick) {
    OnClick(this);
  }
}

TPopupMenu::~TPopupMenu() {
  std::vector<TMenuFreeListener*> Listeners;
  Listeners.swap(FFreeListeners);
  for (TMenuFreeListener* Listener : Listeners) Listener->MenuFreed(this);
}

void TPopupMenu::FreeNotification(TMenuFreeListener* Listener) {
  if (std::find(FFreeListeners.begin(), FFreeListeners.end(), Listener) == FFreeListeners.end())
    FFreeListeners.push_back(Listener);
}

void TPopupMenu::RemoveFreeNotification(TMenuFreeListener* Listener) {
  FFreeListeners.erase(std::remove(FFreeListeners.begin(), FFreeListeners.end(), Listener),
                       FFreeListeners.end());
}

void TPopupMenu::Popup(int X, int Y) {
  PopupX = X;
  PopupY = Y;
  ++Popups;
  if (OnPopup) OnPopup(this);
  TMenuItem* Chosen = nullptr;
  {
    TScopedValue<bool> Showing(FShowing, true);
    Chosen = Widgets() ? Widgets()->TrackPopupMenu(*this, X, Y) : Choice;
  }
  if (Chosen) Chosen->Click();
}

}  // namespace lantern
