#pragma once
// Text folded for finding launchers as the user types: the forms one name may be written in
// (case, full-width letters, half-width kana, katakana) compare equal, and romaji typed
// without the input method matches kana.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace lantern {

// One character of folded text: an ASCII character as its byte (letters in lower case), any
// other character as its CP932 code (lead byte * 256 + second byte). Full-width ASCII and the
// full-width blank become ASCII, katakana and half-width katakana become hiragana (a
// half-width voiced mark joins the kana before it), ヽヾ become ゝゞ. A byte that begins no
// character, or a lead byte at the end, stays as that byte.
using TFoldedChar = std::uint16_t;

std::vector<TFoldedChar> FoldText(const std::string& S);

// Bits of what Text holds, for a quick test before a match: a text can only match a query
// whose Mask() has no bit that its TextMask lacks.
std::uint64_t TextMask(const TFoldedChar* Text, std::size_t Count);

// A query folded once and then matched against many folded texts. Not for two threads.
//
// Each query character matches the same folded character of the text, or, when it is an
// ASCII letter, "-" or "'", it may be romaji of the text's kana:
//   every common spelling (shi/si, chi/ti, tsu/tu, fu/hu, ji/zi/di for both じ and ぢ,
//   zu/du for both ず and づ, sha/sya, cha/tya/cya, ja/zya/jya, fa, thi, ...); small kana as
//   x or l and the kana (xya, ltu); っ as the next consonant doubled (kitte, matcha);
//   ん as nn, n' or xn, or as one n before a consonant other than y or at the end of the
//   query; ー as "-", as the vowel before it again (also u after o and i after e, as in
//   koohii, kouhii), or left out (kohi).
// The query's last characters may be the start of a kana's romaji: "kas" finds かし.
// A match begins at a character of the text, never inside a kana's romaji.
class TKanaQuery {
 public:
  // Query as typed; blanks at either end are left out.
  explicit TKanaQuery(const std::string& Query);
  bool Empty() const { return FChars.empty(); }
  std::uint64_t Mask() const { return FMask; }
  // Where the best match of the query in Text begins: 0 at the start, 1 at the start of a
  // word, 2 elsewhere; -1 when there is none. A word starts after a blank or punctuation
  // (ASCII or full-width, such as - _ . ( ) [ ] ・ 「 ,) and where the script changes between
  // latin letters and digits, kana (with ー), kanji (with 々) and other letters.
  int Match(const TFoldedChar* Text, std::size_t Count) const;

 private:
  void Step(const TFoldedChar* Text, std::size_t Count, std::size_t p, std::size_t q,
            std::uint8_t Class) const;
  void Reach(std::size_t Count, std::size_t p, std::size_t q, std::uint8_t Class) const;
  void Spelled(const std::string& Spelling, std::size_t Count, std::size_t p, std::size_t q,
               std::size_t Chars, std::uint8_t Class) const;

  std::vector<TFoldedChar> FChars;
  std::string FAscii;  // each query character that may be romaji, else 0
  std::uint64_t FMask = 0;
  std::uint64_t FFirstBit = 0;  // Bit of the first character
  // The search's state: for three text positions in turn, the best class of a match that
  // has read q query characters when it reaches that position.
  mutable std::vector<std::uint8_t> FRows;
  struct TSpan {
    std::size_t Low, High;  // the row's cells that may be set
  };
  mutable TSpan FSpans[3];
  mutable std::uint8_t FBest = 0;
};

}  // namespace lantern
