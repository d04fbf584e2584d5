#include "base/Convert.h"

#include "base/Cp932.h"
#include "base/Exception.h"

namespace lantern {

std::string IntToStr(std::int64_t Value) { return std::to_string(Value); }

std::string InvalidIntegerText(const std::string& Text) {
  return "'" + EscapeInvalidBytes(Abbreviate(Text, 64)) + "' は有効な整数値ではありません";
}

std::int32_t StrToInt(const std::string& Text) {
  std::size_t i = 0;
  while (i < Text.size() && (Text[i] == ' ' || Text[i] == '\t')) ++i;
  bool Negative = false;
  if (i < Text.size() && (Text[i] == '-' || Text[i] == '+')) Negative = Text[i++] == '-';
  if (i == Text.size()) throw EConvertError(InvalidIntegerText(Text));
  const std::int64_t Limit = Negative ? 0x80000000LL : 0x7FFFFFFFLL;
  std::int64_t Value = 0;
  for (; i < Text.size(); ++i) {
    if (Text[i] < '0' || Text[i] > '9') throw EConvertError(InvalidIntegerText(Text));
    Value = Value * 10 + (Text[i] - '0');
    if (Value > Limit) throw EConvertError(InvalidIntegerText(Text));
  }
  return static_cast<std::int32_t>(Negative ? -Value : Value);
}

}  // namespace lantern
