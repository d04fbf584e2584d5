#include "model/FilterList.h"

#include "base/Convert.h"
#include "base/Cp932.h"
#include "ui/ListCtrls.h"
#include "ui/Registry.h"

namespace lantern {

namespace {

// The character at Pos as a number (a byte, or lead byte * 256 + second byte), exactly as
// written; Pos moves past it. A lead byte at the very end is a character of its own.
unsigned ReadChar(const std::string& Text, std::size_t& Pos) {
  unsigned char c = static_cast<unsigned char>(Text[Pos++]);
  if (IsLeadByte(c) && Pos < Text.size()) return c * 256u + static_cast<unsigned char>(Text[Pos++]);
  return c;
}

bool IsAsciiLetter(unsigned c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The other case of an ASCII letter.
unsigned OtherCase(unsigned c) { return c ^ 0x20u; }

}  // namespace

std::string InvalidMaskText(const std::string& Mask, int Position) {
  return IntToStr(Position) + " 番目の文字（'" + Mask + "'）は正しくないマスク文字です";
}

std::string ExactMask(const std::string& Path) {
  std::string Mask;
  // By whole characters: a second byte may be a "[" (ゼ is 83 5B) and stays as it is.
  for (std::size_t Pos = 0; Pos < Path.size();) {
    const std::size_t Start = Pos;
    if (ReadChar(Path, Pos) == '[')
      Mask += "[[]";
    else
      Mask.append(Path, Start, Pos - Start);
  }
  return Mask;
}

bool TFilterItem::TToken::Accepts(unsigned c) const {
  switch (Kind) {
    case One: return true;
    case Literal:
      return c == Char || (IsAsciiLetter(Char) && IsAsciiLetter(c) && c == OtherCase(Char));
    case Set: {
      bool In = false;
      for (auto& r : Ranges) {
        In = In || (c >= r.first && c <= r.second);
        // Only a range of letters folds: "[_-z]" must not take "A" because "a" is in it.
        if (!In && IsAsciiLetter(c) && IsAsciiLetter(r.first) && IsAsciiLetter(r.second))
          In = OtherCase(c) >= r.first && OtherCase(c) <= r.second;
      }
      return In != Negated;
    }
    case Any: break;
  }
  return false;
}

TFilterItem::TFilterItem(const std::string& Mask) : FMask(Mask) {
  if (!Compile()) FTokens.clear();
}

bool TFilterItem::Compile() {
  const std::size_t End = FMask.size();
  std::size_t Pos = 0;
  int Chars = 0;  // characters read so far, for the error position
  auto Next = [&] {
    ++Chars;
    return ReadChar(FMask, Pos);
  };
  while (Pos < End) {
    unsigned c = Next();
    if (c == '*') {
      // A run of stars is one star: fewer steps back when matching.
      if (FTokens.empty() || FTokens.back().Kind != TToken::Any) FTokens.emplace_back(TToken::Any);
    } else if (c == '?') {
      FTokens.emplace_back(TToken::One);
    } else if (c == '[') {
      const int SetPosition = Chars;
      auto Invalid = [&] {
        FError = InvalidMaskText(FMask, SetPosition);
        return false;
      };
      TToken t(TToken::Set);
      // '!', '-' and ']' are single bytes and never second bytes at a character's start.
      if (Pos < End && FMask[Pos] == '!') {
        t.Negated = true;
        Next();
      }
      for (bool FirstMember = true;; FirstMember = false) {
        if (Pos >= End) return Invalid();  // never closed ("[!]" and "[]" included)
        unsigned Low = Next();
        if (Low == ']' && !FirstMember) break;
        unsigned High = Low;
        if (Pos < End && FMask[Pos] == '-') {
          Next();
          if (Pos >= End || FMask[Pos] == ']') return Invalid();  // a range without its end
          High = Next();
          if (High < Low) return Invalid();  // a reversed range could only be a slip
        }
        t.Ranges.emplace_back(Low, High);
      }
      FTokens.push_back(std::move(t));
    } else {
      TToken t(TToken::Literal);
      t.Char = c;
      FTokens.push_back(std::move(t));
    }
  }
  return true;
}

bool TFilterItem::Matches(const std::string& FileName) const {
  if (Malformed()) return false;
  // Glob matching with one remembered star: when a later star is reached the earlier one
  // never needs to take back more, so the work is at most name length times mask length.
  const std::size_t Tokens = FTokens.size(), End = FileName.size(), None = std::string::npos;
  std::size_t t = 0, c = 0, StarToken = None, StarChar = 0;
  while (c < End) {
    if (t < Tokens && FTokens[t].Kind == TToken::Any) {
      StarToken = t++;
      StarChar = c;
      continue;
    }
    std::size_t After = c;
    const unsigned Char = ReadChar(FileName, After);
    if (t < Tokens && FTokens[t].Accepts(Char)) {
      ++t;
      c = After;
    } else if (StarToken != None) {
      // The star takes one more character and the rest of the mask is tried again.
      t = StarToken + 1;
      ReadChar(FileName, StarChar);
      c = StarChar;
    } else {
      return false;
    }
  }
  while (t < Tokens && FTokens[t].Kind == TToken::Any) ++t;
  return t == Tokens;
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

std::vector<std::string> TFilterList::Errors() const {
  std::vector<std::string> Result;
  for (const auto& Item : FItems)
    if (Item->Malformed()) Result.push_back(Item->Error());
  return Result;
}

void TFilterList::LoadFromRegistry(const std::string& KeyPath) {
  Clear();
  const std::string Key = KeyPath + KeyName;
  Registry().CreateKey(Key);
  std::string Mask;
  for (int n = 0; Registry().ReadString(Key, KeyName + IntToStr(n), Mask); ++n) Add(Mask);
}

// The new values are written over the old ones before the old ones left over go, so that a
// save cut short at any point leaves a list to read: never none, which would bring back the
// default masks. The leftovers go from the first on, so that a save cut short among them
// leaves a gap where the reading stops, never old masks after the new ones.
void TFilterList::SaveToRegistry(const std::string& KeyPath) const {
  const std::string Key = KeyPath + KeyName;
  Registry().CreateKey(Key);
  for (int n = 0; n < Count(); ++n)
    Registry().WriteString(Key, KeyName + IntToStr(n), FItems[n]->Mask());
  for (int n = Count(); Registry().ValueType(Key, KeyName + IntToStr(n)) != TRegDataType::None; ++n)
    Registry().DeleteValue(Key, KeyName + IntToStr(n));
}

void TFilterList::ShowInListBox(TListBox& Box) const {
  Box.Items().Clear();
  for (const auto& Item : FItems) Box.Items().Add(Item->Mask());
}

void TFilterList::LoadFromListBox(const TListBox& Box) {
  Clear();
  for (const std::string& Line : Box.Items().Lines())
    if (!IsBlank(Line)) Add(Line);
}

}  // namespace lantern
