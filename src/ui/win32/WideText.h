#pragma once
// The one crossing between the program's CP932 bytes and Windows' UTF-16, independent of
// the system's ANSI code page.
#include <string>

namespace lantern {

std::wstring ToWide(const std::string& Text);    // CP932 -> UTF-16
std::string FromWide(const std::wstring& Text);  // UTF-16 -> CP932 ('?' for the unmappable)
std::string FromWide(const wchar_t* Text);
// UTF-16 -> CP932 when every character has a CP932 form (no look-alike stands in for one);
// otherwise false, and Result holds the text with '?' in their place, for messages.
bool FromWideExact(const std::wstring& Text, std::string& Result);
// The system's text for an error code, as CP932, without the final line break.
std::string SystemErrorText(unsigned long Code);

}  // namespace lantern
