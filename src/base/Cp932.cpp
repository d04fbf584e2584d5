#include "base/Cp932.h"

namespace lantern {

namespace {

// Calls Visit(index) for the first byte of every character, in order.
template <typename F>
void ForEachChar(const std::string& S, F Visit) {
  for (std::size_t i = 0; i < S.size(); ++i) {
    Visit(i);
    if (IsLeadByte(static_cast<unsigned char>(S[i])) && i + 1 < S.size()) ++i;
  }
}

}  // namespace

std::size_t LastDelimiter(const std::string& Delimiters, const std::string& S) {
  std::size_t Result = std::string::npos;
  ForEachChar(S, [&](std::size_t i) {
    if (Delimiters.find(S[i]) != std::string::npos) Result = i;
  });
  return Result;
}

std::size_t FindChar(const std::string& S, char c, std::size_t From) {
  for (std::size_t i = From; i < S.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(S[i])) && i + 1 < S.size())
      ++i;
    else if (S[i] == c)
      return i;
  }
  return std::string::npos;
}

bool EndsWithChar(const std::string& S, char c) {
  return !S.empty() && LastDelimiter(std::string(1, c), S) == S.size() - 1;
}

std::string UpperCaseAscii(const std::string& S) {
  std::string Result = S;
  ForEachChar(Result, [&](std::size_t i) {
    if (Result[i] >= 'a' && Result[i] <= 'z') Result[i] = static_cast<char>(Result[i] - 'a' + 'A');
  });
  return Result;
}

std::string Trim(const std::string& S) {
  std::size_t First = 0, Last = S.size();
  while (First < Last && static_cast<unsigned char>(S[First]) <= 0x20) ++First;
  while (Last > First && static_cast<unsigned char>(S[Last - 1]) <= 0x20) --Last;
  return S.substr(First, Last - First);
}

bool IsBlank(const std::string& S) {
  for (std::size_t i = 0; i < S.size(); ++i) {
    const auto c = static_cast<unsigned char>(S[i]);
    if (c == 0x81 && i + 1 < S.size() && S[i + 1] == 0x40)
      ++i;
    else if (c > 0x20)
      return false;
  }
  return true;
}

bool ContainsText(const std::string& Text, const std::string& Needle) {
  bool Found = Needle.empty();
  ForEachChar(Text, [&](std::size_t i) {
    if (!Found && Text.compare(i, Needle.size(), Needle) == 0) Found = true;
  });
  return Found;
}

std::string ReplaceChar(const std::string& S, char From, char To) {
  std::string Result = S;
  ForEachChar(Result, [&](std::size_t i) {
    if (Result[i] == From) Result[i] = To;
  });
  return Result;
}

std::string Abbreviate(const std::string& S, std::size_t MaxBytes) {
  if (S.size() <= MaxBytes) return S;
  std::size_t End = 0;
  while (End < S.size()) {
    std::size_t Next = End + (IsLeadByte(static_cast<unsigned char>(S[End])) ? 2 : 1);
    if (Next > MaxBytes) break;
    End = Next;
  }
  return S.substr(0, End) + "...";
}

std::string EscapeInvalidBytes(const std::string& S) {
  static const char Digits[] = "0123456789ABCDEF";
  std::string Result;
  Result.reserve(S.size());
  for (std::size_t i = 0; i < S.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(S[i]);
    const unsigned char Next = i + 1 < S.size() ? static_cast<unsigned char>(S[i + 1]) : 0;
    if (IsLeadByte(c) && ((Next >= 0x40 && Next <= 0x7E) || (Next >= 0x80 && Next <= 0xFC))) {
      Result.append(S, i++, 2);
    } else if ((c >= 0x20 && c <= 0x7E) || (c >= 0xA1 && c <= 0xDF)) {
      Result += static_cast<char>(c);  // ASCII and the half-width kana
    } else {
      Result += "\\x";
      Result += Digits[c >> 4];
      Result += Digits[c & 15];
    }
  }
  return Result;
}

std::string UnusablePathsText(const std::vector<std::string>& Paths) {
  std::string Text =
      "次のパスには Shift-JIS で表せない文字が含まれているため、ランチャにできません。";
  for (const std::string& Path : Paths) Text += "\r\n" + Path;
  return Text;
}

}  // namespace lantern
