#pragma once
// Byte-level rules of code page 932 (Shift-JIS). A double-byte character is a lead byte
// (0x81-0x9F, 0xE0-0xFC) and any second byte; the second byte may be 0x5C ('\') or a
// letter and must never be taken for a delimiter or case-mapped.
#include <cstddef>
#include <string>
#include <vector>

namespace lantern {

constexpr bool IsLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Index of the last single-byte character of S that is one of Delimiters; npos when none.
std::size_t LastDelimiter(const std::string& Delimiters, const std::string& S);

// Index of the first single-byte character c of S at or after From, which must be the start
// of a character; npos when none.
std::size_t FindChar(const std::string& S, char c, std::size_t From = 0);

// True when the last character of S is the single-byte character c.
bool EndsWithChar(const std::string& S, char c);

// ASCII letters to upper case; double-byte characters are left alone.
std::string UpperCaseAscii(const std::string& S);

// Removes bytes <= 0x20 at both ends (a second byte is never that low).
std::string Trim(const std::string& S);

// True when S is nothing but blanks: bytes <= 0x20 and the full-width blank (81 40).
bool IsBlank(const std::string& S);

// True when Needle occurs in Text starting at a character boundary.
bool ContainsText(const std::string& Text, const std::string& Needle);

// At most MaxBytes of S, ending on a whole character, with "..." when something was cut:
// quoted input in a message must not make the message unreadable.
std::string Abbreviate(const std::string& S, std::size_t MaxBytes);

// S as a message may quote it: the bytes that are no CP932 text (control bytes, a lead byte
// without a valid second byte, bytes that begin no character) written as \x81, so that a
// damaged file's bytes reach no message box as they are. Printable text is left as it is.
std::string EscapeInvalidBytes(const std::string& S);

// Replaces every single-byte character From by To.
std::string ReplaceChar(const std::string& S, char From, char To);

// The refusal of paths that have characters without a CP932 form: written in CP932 they
// would name another file or none. Paths as they can be shown ('?' for those characters),
// one a line after the text.
std::string UnusablePathsText(const std::vector<std::string>& Paths);

}  // namespace lantern
