#include "ui/Action.h"

#include "base/Cp932.h"
#include "ui/Menus.h"

namespace lantern {

std::string TAction::Hint() const {
  // "名前変更(&N)" is hinted as "名前変更": the accelerator in brackets goes with its "&".
  std::string Text = FCaption;
  std::size_t Open = LastDelimiter("(", Text);
  if (Open != std::string::npos && Text.size() == Open + 4 && Text[Open + 1] == '&' &&
      Text[Open + 3] == ')')
    Text.erase(Open);
  int Underline;
  return StripAmpersands(Text, Underline);
}

void TAction::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  for (auto& Listener : FListeners) Listener.second();
}

void TAction::SetChecked(bool Value) {
  if (FChecked == Value) return;
  FChecked = Value;
  for (auto& Listener : FListeners) Listener.second();
}

int TAction::AddListener(std::function<void()> Listener) {
  FListeners[++FLastListener] = std::move(Listener);
  return FLastListener;
}

bool TAction::Execute() {
  if (!FEnabled || !OnExecute) return false;
  OnExecute();
  return true;
}

}  // namespace lantern
