#pragma once
// Decimal text <-> integers, with the program's error text for text that is not a number.
#include <cstdint>
#include <string>

namespace lantern {

std::string IntToStr(std::int64_t Value);

// Optional leading blanks, an optional sign, then decimal digits;
// the value must fit in 32 bits. Anything else raises EConvertError.
std::int32_t StrToInt(const std::string& Text);

// The text of that error, also shown to the user: the text quoted (its bytes that are no
// CP932 text escaped, see EscapeInvalidBytes).
std::string InvalidIntegerText(const std::string& Text);

}  // namespace lantern
