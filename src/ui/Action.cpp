#include "ui/Action.h"

#include "base/Cp932.h"

namespace lantern {

std::string TAction::Hint() const {
  // "名前変更(&N)" is hinted as "名前変更": the accelerator in brackets goes with its "&".
  std::string Text = FCaption;
  std::size_t Open = LastDelimiter("(", Text);
  if (Open != std::string::npos && Text.size() == Open + 4 && Text[Open + 1] == '&' &&
      Text[Open + 3] == ')')
    Text.erase(Open);
  std::string Result;
  for (std::size_t i = 0; i < Text.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(Text[i])) && i + 1 < Text.size()) {
      Result += Text.substr(i++, 2);
    } else if (Text[i] != '&') {
      Result += Text[i];
    }
  }
  return Result;
}

bool TAction::Execute() {
  if (!FEnabled || !OnExecute) return false;
  OnExecute();
  return true;
}

}  // namespace lantern
