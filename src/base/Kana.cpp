#include "base/Kana.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "base/Cp932.h"

namespace lantern {

namespace {

// The 83 hiragana from ぁ to ん follow each other in CP932 as in the syllabary; ヴ ヵ ヶ have
// no hiragana there and stay katakana, numbered after ん.
constexpr TFoldedChar Hiragana = 0x829F;
constexpr int HiraganaCount = 83;
constexpr TFoldedChar KatakanaVu = 0x8394;
constexpr int KanaCount = HiraganaCount + 3;
constexpr TFoldedChar LongMark = 0x815B;  // ー

// Kana by their place from ぁ.
enum : int {
  SmallA = 0,
  SmallI = 2,
  SmallU = 4,
  U = 5,
  SmallE = 6,
  SmallO = 8,
  Shi = 22,
  Ji = 23,
  Chi = 32,
  Dji = 33,
  SmallTsu = 34,
  Tsu = 35,
  Te = 37,
  De = 38,
  To = 39,
  Do = 40,
  Fu = 52,
  SmallYa = 66,
  SmallYu = 68,
  SmallYo = 70,
  N = 82,
  Vu = 83
};

constexpr TFoldedChar Kana(int Index) { return static_cast<TFoldedChar>(Hiragana + Index); }

int KanaIndex(TFoldedChar c) {
  if (c >= Hiragana && c < Hiragana + HiraganaCount) return c - Hiragana;
  if (c >= KatakanaVu && c < KatakanaVu + 3) return HiraganaCount + (c - KatakanaVu);
  return -1;
}

// The romaji of each kana, spellings apart by blanks; ん's single n and っ's doubled
// consonant depend on what follows and are tried apart.
// clang-format off
const char* const Romaji[KanaCount] = {
    "xa la", "a", "xi li", "i", "xu lu", "u", "xe le", "e", "xo lo", "o",
    "ka", "ga", "ki", "gi", "ku", "gu", "ke", "ge", "ko", "go",
    "sa", "za", "si shi", "zi ji di", "su", "zu du", "se", "ze", "so", "zo",
    "ta", "da", "ti chi", "di zi ji", "xtu ltu xtsu ltsu", "tu tsu", "du zu", "te", "de", "to", "do",
    "na", "ni", "nu", "ne", "no",
    "ha", "ba", "pa", "hi", "bi", "pi", "hu fu", "bu", "pu", "he", "be", "pe", "ho", "bo", "po",
    "ma", "mi", "mu", "me", "mo",
    "xya lya", "ya", "xyu lyu", "yu", "xyo lyo", "yo",
    "ra", "ri", "ru", "re", "ro",
    "xwa lwa", "wa", "wi", "we", "wo", "nn n' xn",
    "vu", "xka lka ka", "xke lke ke ka ga"};
// clang-format on

// A bit for each ASCII letter, digit, "-" and "'"; the other characters share the rest.
std::uint64_t Bit(TFoldedChar c) {
  if (c >= 'a' && c <= 'z') return std::uint64_t(1) << (c - 'a');
  if (c >= '0' && c <= '9') return std::uint64_t(1) << (26 + c - '0');
  if (c == '-') return std::uint64_t(1) << 36;
  if (c == '\'') return std::uint64_t(1) << 37;
  return std::uint64_t(1) << (38 + c % 26);
}

bool IsVowel(char c) { return c == 'a' || c == 'i' || c == 'u' || c == 'e' || c == 'o'; }

// The small kana that join the kana before them: ぁぃぅぇぉゃゅょ as 0-7, others -1.
int SmallSlot(int k) {
  if (k >= SmallA && k <= SmallO) return k % 2 ? -1 : k / 2;
  if (k >= SmallYa && k <= SmallYo) return k % 2 ? -1 : 5 + (k - SmallYa) / 2;
  return -1;
}

struct TSpellings {
  std::vector<std::string> Own;
  std::vector<std::pair<int, std::string>> Pairs;  // with the small kana after it
  std::vector<std::string> WithSmall[8];           // Pairs by SmallSlot
  std::uint64_t First = 0;                         // the letters a spelling begins with
  std::uint64_t Letters = 0;                       // every letter of a spelling
  char Vowel = 0;                                  // what a ー after it sounds like
};

std::vector<TSpellings> MakeSpellings() {
  std::vector<TSpellings> T(KanaCount);
  for (int k = 0; k < KanaCount; ++k) {
    const char* s = Romaji[k];
    while (*s) {
      const char* End = std::strchr(s, ' ');
      if (!End) End = s + std::strlen(s);
      T[k].Own.emplace_back(s, End);
      s = *End ? End + 1 : End;
    }
    if (k != SmallTsu && IsVowel(T[k].Own[0].back())) T[k].Vowel = T[k].Own[0].back();
  }
  // The i-row kana with a small ya, yu, yo (and し じ ち ぢ with a small e).
  for (int k : {12, 13, int(Shi), int(Ji), int(Chi), int(Dji), 42, 49, 50, 51, 62, 73}) {
    std::vector<std::pair<int, char>> Smalls = {{SmallYa, 'a'}, {SmallYu, 'u'}, {SmallYo, 'o'}};
    if (k == Shi || k == Ji || k == Chi || k == Dji) Smalls.push_back({SmallE, 'e'});
    for (const auto& [Small, v] : Smalls)
      for (const std::string& Own : std::vector<std::string>(T[k].Own)) {
        const std::string Base = Own.substr(0, Own.size() - 1);
        auto& Pairs = T[k].Pairs;
        if (Base == "j") {
          Pairs.push_back({Small, Base + v});
          Pairs.push_back({Small, Base + 'y' + v});
        } else if (Base.back() == 'h') {
          Pairs.push_back({Small, Base + v});
          if (Base == "ch") Pairs.push_back({Small, std::string("cy") + v});
        } else {
          Pairs.push_back({Small, Base + 'y' + v});
        }
      }
  }
  const struct {
    int First, Second;
    const char* Spelling;
  } Others[] = {{Fu, SmallA, "fa"},  {Fu, SmallI, "fi"},   {Fu, SmallE, "fe"},
                {Fu, SmallO, "fo"},  {Vu, SmallA, "va"},   {Vu, SmallI, "vi"},
                {Vu, SmallE, "ve"},  {Vu, SmallO, "vo"},   {Te, SmallI, "thi"},
                {De, SmallI, "dhi"}, {Te, SmallYu, "thu"}, {De, SmallYu, "dhu"},
                {To, SmallU, "twu"}, {Do, SmallU, "dwu"},  {U, SmallI, "wi"},
                {U, SmallE, "we"},   {U, SmallO, "who"},   {Tsu, SmallA, "tsa"}};
  for (const auto& o : Others) T[o.First].Pairs.push_back({o.Second, o.Spelling});
  for (TSpellings& S : T) {
    auto Note = [&S](const std::string& Spelling) {
      S.First |= Bit(Spelling[0]);
      for (char c : Spelling) S.Letters |= Bit(c);
    };
    for (const std::string& Own : S.Own) Note(Own);
    for (const auto& Pair : S.Pairs) {
      Note(Pair.second);
      S.WithSmall[SmallSlot(Pair.first)].push_back(Pair.second);
    }
  }
  // っ as any consonant doubled.
  for (char c = 'a'; c <= 'z'; ++c)
    if (!IsVowel(c)) {
      T[SmallTsu].First |= Bit(c);
      T[SmallTsu].Letters |= Bit(c);
    }
  return T;
}

const std::vector<TSpellings>& Spellings() {
  static const std::vector<TSpellings> Table = MakeSpellings();
  return Table;
}

char VowelOf(TFoldedChar c) {
  const int k = KanaIndex(c);
  if (k >= 0) return Spellings()[k].Vowel;
  return c < 0x80 && IsVowel(static_cast<char>(c)) ? static_cast<char>(c) : 0;
}

// ｡ to ﾟ (A1-DF) as full-width characters, kana as hiragana.
const TFoldedChar HalfWidth[0xDF - 0xA1 + 1] = {
    0x8142,   0x8175,   0x8176,   0x8141,   0x8145,    // ｡｢｣､･
    Kana(81),                                          // ｦ
    Kana(0),  Kana(2),  Kana(4),  Kana(6),  Kana(8),   // ｧｨｩｪｫ
    Kana(66), Kana(68), Kana(70), Kana(34),            // ｬｭｮｯ
    LongMark,                                          // ｰ
    Kana(1),  Kana(3),  Kana(5),  Kana(7),  Kana(9),   // ｱ-ｵ
    Kana(10), Kana(12), Kana(14), Kana(16), Kana(18),  // ｶ-ｺ
    Kana(20), Kana(22), Kana(24), Kana(26), Kana(28),  // ｻ-ｿ
    Kana(30), Kana(32), Kana(35), Kana(37), Kana(39),  // ﾀ-ﾄ
    Kana(41), Kana(42), Kana(43), Kana(44), Kana(45),  // ﾅ-ﾉ
    Kana(46), Kana(49), Kana(52), Kana(55), Kana(58),  // ﾊ-ﾎ
    Kana(61), Kana(62), Kana(63), Kana(64), Kana(65),  // ﾏ-ﾓ
    Kana(67), Kana(69), Kana(71),                      // ﾔﾕﾖ
    Kana(72), Kana(73), Kana(74), Kana(75), Kana(76),  // ﾗ-ﾛ
    Kana(78), Kana(82),                                // ﾜﾝ
    0x814A,   0x814B};                                 // ﾞﾟ

// The kana that a half-width voiced (DE) or semi-voiced (DF) mark makes of c; 0 for none.
TFoldedChar Voiced(TFoldedChar c, unsigned char Mark) {
  const int k = KanaIndex(c);
  const bool HaRow = k >= 46 && k <= 58 && (k - 46) % 3 == 0;
  if (HaRow) return Kana(k + (Mark == 0xDE ? 1 : 2));
  if (Mark != 0xDE) return 0;
  if (k == U) return KatakanaVu;
  if ((k >= 10 && k <= 28 && k % 2 == 0) || k == 30 || k == 32 || k == 35 || k == 37 || k == 39)
    return Kana(k + 1);
  return 0;
}

// Full-width punctuation and the full-width blank that have an ASCII form.
const std::pair<TFoldedChar, char> WideAscii[] = {
    {0x8140, ' '}, {0x8143, ','},  {0x8144, '.'}, {0x8146, ':'},  {0x8147, ';'}, {0x8148, '?'},
    {0x8149, '!'}, {0x814D, '`'},  {0x814F, '^'}, {0x8151, '_'},  {0x815E, '/'}, {0x815F, '\\'},
    {0x8160, '~'}, {0x8162, '|'},  {0x8169, '('}, {0x816A, ')'},  {0x816D, '['}, {0x816E, ']'},
    {0x816F, '{'}, {0x8170, '}'},  {0x817B, '+'}, {0x817C, '-'},  {0x8181, '='}, {0x8183, '<'},
    {0x8184, '>'}, {0x8190, '$'},  {0x8193, '%'}, {0x8194, '#'},  {0x8195, '&'}, {0x8196, '*'},
    {0x8197, '@'}, {0xEEFB, '\''}, {0xEEFC, '"'}, {0xFA56, '\''}, {0xFA57, '"'}};

TFoldedChar FoldWide(TFoldedChar c) {
  const int Trail = c & 0xFF;
  if (c >= 0x824F && c <= 0x8258) return static_cast<TFoldedChar>('0' + (c - 0x824F));
  if (c >= 0x8260 && c <= 0x8279) return static_cast<TFoldedChar>('a' + (c - 0x8260));
  if (c >= 0x8281 && c <= 0x829A) return static_cast<TFoldedChar>('a' + (c - 0x8281));
  if (c >= 0x8340 && c < KatakanaVu && Trail != 0x7F) return Kana(Trail - 0x40 - (Trail > 0x7F));
  if (c == 0x8152 || c == 0x8153) return static_cast<TFoldedChar>(c + 2);  // ヽヾ as ゝゞ
  for (const auto& [Wide, Ascii] : WideAscii)
    if (Wide == c) return static_cast<TFoldedChar>(Ascii);
  return c;
}

// What a word is made of; Punctuation (with blanks) is never part of one.
enum class TScript { Punctuation, Latin, Kana, Kanji, Letter };

TScript ScriptOf(TFoldedChar c) {
  if (c < 0x80)
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ? TScript::Latin : TScript::Punctuation;
  if (KanaIndex(c) >= 0 || c == LongMark || c == 0x8154 || c == 0x8155) return TScript::Kana;
  if (c >= 0x8157 && c <= 0x815A) return TScript::Kanji;  // 仝々〆〇
  const int Lead = c >> 8, Trail = c & 0xFF;
  if ((Lead >= 0x88 && Lead <= 0x9F) || (Lead >= 0xE0 && Lead <= 0xEA) || Lead == 0xED ||
      Lead == 0xEE || Lead >= 0xFA)
    return TScript::Kanji;
  if ((Lead == 0x83 && Trail >= 0x9F) || (Lead == 0x84 && Trail < 0x9F))
    return TScript::Letter;  // Greek, Cyrillic
  return TScript::Punctuation;
}

std::uint8_t StartClass(const TFoldedChar* Text, std::size_t p) {
  if (p == 0) return 0;
  const TScript Before = ScriptOf(Text[p - 1]);
  return Before == TScript::Punctuation || Before != ScriptOf(Text[p]) ? 1 : 2;
}

constexpr std::uint8_t NoMatch = 3;

constexpr std::uint64_t Vowels = (1 << ('a' - 'a')) | (1 << ('i' - 'a')) | (1 << ('u' - 'a')) |
                                 (1 << ('e' - 'a')) | (1 << ('o' - 'a'));
constexpr std::uint64_t LongMarkLetters = Vowels | std::uint64_t(1) << 36;  // and "-"

// Whether some romaji of c may begin with the letter of LetterBit.
bool CanSpellFrom(TFoldedChar c, std::uint64_t LetterBit) {
  if (c == LongMark) return LongMarkLetters & LetterBit;
  const int k = KanaIndex(c);
  return k >= 0 && (Spellings()[k].First & LetterBit);
}

}  // namespace

std::vector<TFoldedChar> FoldText(const std::string& S) {
  std::vector<TFoldedChar> Result;
  Result.reserve(S.size());
  for (std::size_t i = 0; i < S.size(); ++i) {
    const auto b = static_cast<unsigned char>(S[i]);
    if (b < 0x80) {
      Result.push_back(b >= 'A' && b <= 'Z' ? b - 'A' + 'a' : b);
    } else if (b >= 0xA1 && b <= 0xDF) {
      TFoldedChar c = HalfWidth[b - 0xA1];
      const auto Next = static_cast<unsigned char>(i + 1 < S.size() ? S[i + 1] : 0);
      if (Next == 0xDE || Next == 0xDF) {
        if (TFoldedChar v = Voiced(c, Next)) {
          c = v;
          ++i;
        }
      }
      Result.push_back(c);
    } else if (IsLeadByte(b) && i + 1 < S.size()) {
      Result.push_back(
          FoldWide(static_cast<TFoldedChar>(b << 8 | static_cast<unsigned char>(S[++i]))));
    } else {
      Result.push_back(b);
    }
  }
  return Result;
}

std::uint64_t TextMask(const TFoldedChar* Text, std::size_t Count) {
  std::uint64_t Mask = 0;
  for (std::size_t p = 0; p < Count; ++p) {
    Mask |= Bit(Text[p]);
    const int k = KanaIndex(Text[p]);
    if (k >= 0) Mask |= Spellings()[k].Letters;
    if (Text[p] == LongMark) Mask |= LongMarkLetters;
  }
  return Mask;
}

TKanaQuery::TKanaQuery(const std::string& Query) : FChars(FoldText(Query)) {
  auto Blank = [](TFoldedChar c) { return c <= 0x20; };
  while (!FChars.empty() && Blank(FChars.back())) FChars.pop_back();
  FChars.erase(FChars.begin(), std::find_if_not(FChars.begin(), FChars.end(), Blank));
  for (TFoldedChar c : FChars) {
    FAscii += c < 0x80 ? static_cast<char>(c) : '\0';
    FMask |= Bit(c);
  }
  FRows.assign(3 * FChars.size(), NoMatch);
  for (TSpan& Span : FSpans) Span = TSpan{FChars.size(), 0};
  if (!FChars.empty()) FFirstBit = Bit(FChars[0]);
}

int TKanaQuery::Match(const TFoldedChar* Text, std::size_t Count) const {
  const std::size_t M = FChars.size();
  if (M == 0) return 0;
  // A walk over the text in which a match may begin at every character: each row holds, for
  // a text position, the best class of the matches that have read q > 0 query characters
  // there (only cells within its span are set). A step reads at most two characters of the
  // text, so three rows go round; every row is left empty.
  FBest = NoMatch;
  const TFoldedChar First = FChars[0];
  const char FirstAscii = FAscii[0];
  for (std::size_t p = 0; p < Count && FBest > 0; ++p) {
    const TFoldedChar c = Text[p];
    if (c == First || (FirstAscii && CanSpellFrom(c, FFirstBit))) {
      const std::uint8_t Class = StartClass(Text, p);
      if (Class < FBest) Step(Text, Count, p, 0, Class);
    }
    TSpan& Span = FSpans[p % 3];
    std::uint8_t* Row = &FRows[(p % 3) * M];
    for (std::size_t q = Span.Low; q < Span.High; ++q) {
      const std::uint8_t Class = Row[q];
      Row[q] = NoMatch;
      if (Class < FBest) Step(Text, Count, p, q, Class);
    }
    Span = TSpan{M, 0};
  }
  for (std::size_t r = 0; r < 3; ++r) {
    std::fill(&FRows[r * M] + FSpans[r].Low,
              &FRows[r * M] + std::max(FSpans[r].Low, FSpans[r].High), NoMatch);
    FSpans[r] = TSpan{M, 0};
  }
  return FBest == NoMatch ? -1 : FBest;
}

void TKanaQuery::Reach(std::size_t Count, std::size_t p, std::size_t q, std::uint8_t Class) const {
  const std::size_t M = FChars.size();
  if (q == M)
    FBest = std::min(FBest, Class);
  else if (p < Count) {
    std::uint8_t& Cell = FRows[(p % 3) * M + q];
    Cell = std::min(Cell, Class);
    TSpan& Span = FSpans[p % 3];
    Span.Low = std::min(Span.Low, q);
    Span.High = std::max(Span.High, q + 1);
  }
}

// The query's characters from q read as Spelling of the Chars text characters at p.
void TKanaQuery::Spelled(const std::string& Spelling, std::size_t Count, std::size_t p,
                         std::size_t q, std::size_t Chars, std::uint8_t Class) const {
  const std::size_t Left = FChars.size() - q, Length = Spelling.size();
  for (std::size_t i = 0, n = std::min(Left, Length); i < n; ++i)
    if (FAscii[q + i] != Spelling[i]) return;
  if (Left >= Length)
    Reach(Count, p + Chars, q + Length, Class);
  else
    FBest = std::min(FBest, Class);  // the query ends inside this kana's romaji
}

void TKanaQuery::Step(const TFoldedChar* Text, std::size_t Count, std::size_t p, std::size_t q,
                      std::uint8_t Class) const {
  const std::size_t M = FChars.size();
  const TFoldedChar c = Text[p];
  if (c == FChars[q]) Reach(Count, p + 1, q + 1, Class);
  const char a = FAscii[q];
  if (!a) return;
  if (c == LongMark) {
    const char v = p > 0 ? VowelOf(Text[p - 1]) : 0;
    if (a == '-' || (v && (a == v || (v == 'o' && a == 'u') || (v == 'e' && a == 'i'))))
      Reach(Count, p + 1, q + 1, Class);
    if (q > 0) Reach(Count, p + 1, q, Class);  // left out; a match never begins with it
    return;
  }
  const int k = KanaIndex(c);
  if (k < 0) return;
  const TSpellings& S = Spellings()[k];
  if (!(S.First & Bit(static_cast<unsigned char>(a)))) return;
  for (const std::string& Own : S.Own) Spelled(Own, Count, p, q, 1, Class);
  if (p + 1 < Count && !S.Pairs.empty()) {
    const int Slot = SmallSlot(KanaIndex(Text[p + 1]));
    if (Slot >= 0)
      for (const std::string& Spelling : S.WithSmall[Slot])
        Spelled(Spelling, Count, p, q, 2, Class);
  }
  const char b = q + 1 < M ? FAscii[q + 1] : 0;
  if (k == SmallTsu && a >= 'a' && a <= 'z' && !IsVowel(a) && a != 'n') {
    if (q + 1 == M)
      FBest = std::min(FBest, Class);  // may be the first of a doubled consonant
    else if (b == a || (a == 't' && b == 'c'))
      Reach(Count, p + 1, q + 1, Class);
  }
  if (k == N && a == 'n' && (q + 1 == M || !b || !(IsVowel(b) || b == 'y' || b == '\'')))
    Reach(Count, p + 1, q + 1, Class);
}

}  // namespace lantern
