#pragma once
// The application watcher's exclusion masks, kept by the root of the launcher tree and
// stored in the registry under the program's key, subkey "Filter".
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace lantern {

class TListBox;

// One mask, compiled once when it is made: the watcher asks every mask about every program
// it sees, so the mask text is not parsed again for each name.
//
// The whole file name must match the whole mask: "*" any run of characters (none too,
// backslashes too), "?" one character, "[...]" one character of a set of characters and
// ranges ("a-z"), "[!...]" one character not in it; "]" is a member when it comes first
// ("[]a]", "[!]a]"). Every other character matches itself. ASCII letters compare without
// regard to case, also in a range whose two ends are both letters; any other range compares
// byte values exactly ("[_-z]" takes "_" and "a" but not "Z"). Text is CP932: "?" and set
// members are whole characters, double-byte ones included.
//
// A malformed mask (a set never closed, "[!]", a range without its end or with its ends
// reversed) matches nothing and keeps InvalidMaskText(Mask, Position), Position being the
// 1-based character position of the "[" that opens the malformed set.
class TFilterItem {
 public:
  explicit TFilterItem(const std::string& Mask);
  const std::string& Mask() const { return FMask; }
  bool Matches(const std::string& FileName) const;
  bool Malformed() const { return !FError.empty(); }
  // The error text of a malformed mask; empty for a good one.
  const std::string& Error() const { return FError; }

 private:
  struct TToken {
    enum TKind { Literal, One, Any, Set } Kind;
    unsigned Char = 0;  // Literal: the character as it is in the mask
    bool Negated = false;
    std::vector<std::pair<unsigned, unsigned>> Ranges;  // Set: single members are a-a ranges
    explicit TToken(TKind AKind) : Kind(AKind) {}
    bool Accepts(unsigned c) const;
  };
  bool Compile();

  std::string FMask;
  std::vector<TToken> FTokens;
  std::string FError;
};

class TFilterList {
 public:
  static const char* const KeyName;  // "Filter"

  void Add(const std::string& Mask);
  void Clear() { FItems.clear(); }
  int Count() const { return static_cast<int>(FItems.size()); }
  const TFilterItem& Items(int Index) const { return *FItems.at(Index); }
  // True when some item matches; a malformed item matches nothing. Never raises.
  bool Matches(const std::string& FileName) const;
  // The error texts of the malformed items, in list order: for the program to tell the user.
  std::vector<std::string> Errors() const;
  // KeyPath is the program's key with its trailing backslash ("Software\ZR\Lantern\").
  void LoadFromRegistry(const std::string& KeyPath);
  void SaveToRegistry(const std::string& KeyPath) const;
  // The masks as the lines of a list box, one a line, in order.
  void ShowInListBox(TListBox& Box) const;
  // The list box's lines become the masks, in order, as they are written; lines of nothing
  // but blanks are left out. Malformed masks are taken too (they match nothing).
  void LoadFromListBox(const TListBox& Box);

 private:
  std::vector<std::unique_ptr<TFilterItem>> FItems;
};

std::string InvalidMaskText(const std::string& Mask, int Position);

// The mask that matches Path itself and nothing else (but for ASCII case): every "[" of it is
// written as the set "[[]". A path has no "*" or "?".
std::string ExactMask(const std::string& Path);

}  // namespace lantern
