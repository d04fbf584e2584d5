#pragma once
// The one crossing between the program's CP932 bytes and Windows' UTF-16, independent of
// the system's ANSI code page.
#include <string>

namespace lantern {

std::wstring ToWide(const std::string& Text);    // CP932 -> UTF-16
std::string FromWide(const std::wstring& Text);  // UTF-16 -> CP932 ('?' for the unmappable)
std::string FromWide(const wchar_t* Text);
// The system's text for an error code, as CP932, without the final line break.
std::string SystemErrorText(unsigned long Code);

}  // namespace lantern
