#include "model/FilterList.h"

#include "base/Convert.h"
#include "base/Cp932.h"
#include "base/Exception.h"
#include "ui/Registry.h"

namespace lantern {

namespace {

// One character as a number: a byte, or lead byte * 256 + second byte. ASCII letters are
// taken in upper case so that they compare without regard to case.
struct TCharReader {
  const std::string& Text;
  std::size_t Pos = 0;
  bool AtEnd() const { return Pos >= Text.size(); }
  unsigned Next() {
    unsigned char c = static_cast<unsigned char>(Text[Pos++]);
    if (IsLeadByte(c) && Pos < Text.size())
      return c * 256u + static_cast<unsigned char>(Text[Pos++]);
    return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c;
  }
};

struct TToken {
  enum TKind { Literal, One, Any, Set } Kind;
  explicit TToken(TKind AKind) : Kind(AKind) {}
  unsigned Char = 0;
  bool Negated = false;
  std::vector<std::pair<unsigned, unsigned>> Ranges;

  bool Accepts(unsigned c) const {
    if (Kind == One) return true;
    if (Kind == Literal) return c == Char;
    bool In = false;
    for (auto& r : Ranges) In = In || (c >= r.first && c <= r.second);
    return In != Negated;
  }
};

std::vector<TToken> Compile(const std::string& Mask) {
  std::vector<TToken> Tokens;
  TCharReader r{Mask};
  auto Invalid = [&] { throw EMaskError(InvalidMaskText(Mask, static_cast<int>(r.Pos) + 1)); };
  while (!r.AtEnd()) {
    unsigned c = r.Next();
    if (c == '*') {
      if (Tokens.empty() || Tokens.back().Kind != TToken::Any) Tokens.emplace_back(TToken::Any);
    } else if (c == '?') {
      Tokens.emplace_back(TToken::One);
    } else if (c == '[') {
      TToken t(TToken::Set);
      if (!r.AtEnd() && Mask[r.Pos] == '!') {
        t.Negated = true;
        ++r.Pos;
      }
      for (;;) {
        if (r.AtEnd()) Invalid();  // the set is never closed
        unsigned First = r.Next();
        if (First == ']') break;
        unsigned Last = First;
        if (!r.AtEnd() && Mask[r.Pos] == '-') {
          ++r.Pos;
          if (r.AtEnd() || Mask[r.Pos] == ']') Invalid();  // a range without its end
          Last = r.Next();
        }
        t.Ranges.emplace_back(First, Last);
      }
      Tokens.push_back(t);
    } else {
      TToken t(TToken::Literal);
      t.Char = c;
      Tokens.push_back(t);
    }
  }
  return Tokens;
}

}  // namespace

std::string InvalidMaskText(const std::string& Mask, int Position) {
  return IntToStr(Position) + " 番目の文字（'" + Mask + "'）は正しくないマスク文字です";
}

bool TFilterItem::Matches(const std::string& FileName) const {
  std::vector<TToken> Tokens = Compile(FMask);
  std::vector<unsigned> Chars;
  for (TCharReader r{FileName}; !r.AtEnd();) Chars.push_back(r.Next());
  // Glob matching with one remembered star: linear in practice, never exponential.
  std::size_t t = 0, c = 0, StarToken = std::string::npos, StarChar = 0;
  while (c < Chars.size()) {
    if (t < Tokens.size() && Tokens[t].Kind == TToken::Any) {
      StarToken = t++;
      StarChar = c;
    } else if (t < Tokens.size() && Tokens[t].Accepts(Chars[c])) {
      ++t;
      ++c;
    } else if (StarToken != std::string::npos) {
      t = StarToken + 1;
      c = ++StarChar;
    } else {
      return false;
    }
  }
  while (t < Tokens.size() && Tokens[t].Kind == TToken::Any) ++t;
  return t == Tokens.size();
}

const char* const TFilterList::KeyName = "Filter";

void TFilterList::Add(const std::string& Mask) {
  FItems.push_back(std::make_unique<TFilterItem>(Mask));
}

bool TFilterList::Matches(const std::string& FileName) const {
  for (const auto& Item : FItems)
    if (Item->Matches(FileName)) return true;
  return false;
}

void TFilterList::LoadFromRegistry(const std::string& KeyPath) {
  Clear();
  const std::string Key = KeyPath + KeyName;
  Registry().CreateKey(Key);
  std::string Mask;
  for (int n = 0; Registry().ReadString(Key, KeyName + IntToStr(n), Mask); ++n) Add(Mask);
}

void TFilterList::SaveToRegistry(const std::string& KeyPath) const {
  const std::string Key = KeyPath + KeyName;
  Registry().CreateKey(KeyPath);
  Registry().DeleteKey(Key);
  Registry().CreateKey(Key);
  for (int n = 0; n < Count(); ++n)
    Registry().WriteString(Key, KeyName + IntToStr(n), FItems[n]->Mask());
}

}  // namespace lantern
