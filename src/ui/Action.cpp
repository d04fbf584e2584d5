#include "ui/Action.h"

#include "base/Cp932.h"
#include "ui/Menus.h"

namespace lantern {

std::string TAction::Hint() const {
  if (!FShowHint) return std::string();
  // "名前変更(&N)" is hinted as "名前変更": the accelerator in brackets goes with its "&".
  std::string Text = FCaption;
  std::size_t Open = LastDelimiter("(", Text);
  if (Open != std::string::npos && Text.size() == Open + 4 && Text[Open + 1] == '&' &&
      Text[Open + 3] == ')')
    Text.erase(Open);
  int Underline;
  return StripAmpersands(Text, Underline);
}

std::string ShortCutToText(unsigned ShortCut) {
  unsigned Key = ShortCut & 0xFF;
  std::string Name;
  if (Key >= 0x70 && Key <= 0x87) {
    Name = "F" + std::to_string(Key - 0x6F);
  } else if ((Key >= '0' && Key <= '9') || (Key >= 'A' && Key <= 'Z')) {
    Name = std::string(1, static_cast<char>(Key));
  } else {
    static const struct {
      unsigned Key;
      const char* Name;
    } Names[] = {{0x08, "BkSp"}, {0x09, "Tab"},   {0x0D, "Enter"}, {0x1B, "Esc"},  {0x20, "Space"},
                 {0x21, "PgUp"}, {0x22, "PgDn"},  {0x23, "End"},   {0x24, "Home"}, {0x25, "Left"},
                 {0x26, "Up"},   {0x27, "Right"}, {0x28, "Down"},  {0x2D, "Ins"},  {0x2E, "Del"}};
    for (const auto& Entry : Names)
      if (Entry.Key == Key) Name = Entry.Name;
  }
  if (Name.empty()) return Name;
  // The order Windows' own menus use.
  return std::string(ShortCut & ssCtrl ? "Ctrl+" : "") + (ShortCut & ssAlt ? "Alt+" : "") +
         (ShortCut & ssShift ? "Shift+" : "") + Name;
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
