#include <gtest/gtest.h>

#include <random>

#include "base/Kana.h"

namespace lantern {
namespace {

int MatchClass(const std::string& Name, const std::string& Query) {
  const std::vector<TFoldedChar> Text = FoldText(Name);
  const TKanaQuery Wanted(Query);
  const int Class = Wanted.Match(Text.data(), Text.size());
  // The quick test before a match must never rule out one that exists.
  if (Class >= 0) {
    EXPECT_EQ(Wanted.Mask() & ~TextMask(Text.data(), Text.size()), 0u);
  }
  return Class;
}

// Where a query matches a name: 0 at its start, 1 at a word start, 2 inside a word, -1 not.
struct TKanaCase {
  const char* Name;
  const char* Query;
  int Class;
};

class KanaMatchTest : public ::testing::TestWithParam<TKanaCase> {};

TEST_P(KanaMatchTest, FindsTheFormsANameMayBeTypedIn) {
  EXPECT_EQ(MatchClass(GetParam().Name, GetParam().Query), GetParam().Class)
      << GetParam().Name << " / " << GetParam().Query;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KanaMatchTest,
    ::testing::Values(
        // Folding: case, full-width ASCII, half-width kana with their marks, katakana.
        TKanaCase{"Notepad", "NOTE", 0}, TKanaCase{"ＡＢＣ１２", "bc1", 2},
        TKanaCase{"abc12", "ＡＢＣ", 0}, TKanaCase{"ｶﾞｲﾄﾞﾌﾞｯｸ", "ガイドブック", 0},
        TKanaCase{"ﾊﾟｽﾜｰﾄﾞ", "ぱすわーど", 0}, TKanaCase{"ﾊﾟｽ", "はす", -1},
        TKanaCase{"ｳﾞｧｲｵﾘﾝ", "vaiorin", 0}, TKanaCase{"家計簿", "家計", 0},
        TKanaCase{"家計簿", "計簿", 2}, TKanaCase{"a b", "　b ", 1},
        // Romaji spellings.
        TKanaCase{"メモ帳", "memo", 0}, TKanaCase{"かし", "kasi", 0}, TKanaCase{"かし", "kashi", 0},
        TKanaCase{"ちず", "chizu", 0}, TKanaCase{"ちず", "tidu", 0},
        TKanaCase{"つくえ", "tsukue", 0}, TKanaCase{"つくえ", "tukue", 0},
        TKanaCase{"ふね", "fune", 0}, TKanaCase{"ふね", "hune", 0}, TKanaCase{"じしょ", "jisho", 0},
        TKanaCase{"じしょ", "zisyo", 0}, TKanaCase{"ぢしょ", "jishixyo", 0},
        TKanaCase{"じゃま", "ja", 0}, TKanaCase{"じゃま", "zyama", 0},
        TKanaCase{"じゃま", "jyama", 0}, TKanaCase{"しゃしん", "sha", 0},
        TKanaCase{"しゃしん", "syasin", 0}, TKanaCase{"ちゃいろ", "chairo", 0},
        TKanaCase{"ちゃいろ", "tyairo", 0}, TKanaCase{"ちゃいろ", "cyairo", 0},
        TKanaCase{"ファイル", "fairu", 0}, TKanaCase{"ディスク", "dhisuku", 0},
        // ん, long vowels, っ and small kana.
        TKanaCase{"ほんや", "honnya", 0}, TKanaCase{"ほんや", "hon'ya", 0},
        TKanaCase{"ほんや", "honya", -1}, TKanaCase{"かんい", "kani", -1},
        TKanaCase{"ほんだな", "hondana", 0}, TKanaCase{"ほん", "hon", 0},
        TKanaCase{"コーヒー", "ko-hi-", 0}, TKanaCase{"コーヒー", "koohii", 0},
        TKanaCase{"コーヒー", "kouhii", 0}, TKanaCase{"コーヒー", "kohi", 0},
        TKanaCase{"コーヒー", "kaahii", -1}, TKanaCase{"きって", "kitte", 0},
        TKanaCase{"きって", "kixtute", 0}, TKanaCase{"きって", "kiltsute", 0},
        TKanaCase{"まっちゃ", "matcha", 0}, TKanaCase{"まっちゃ", "maccha", 0},
        TKanaCase{"ぁ", "la", 0},
        // Partial input: the last syllable may be unfinished.
        TKanaCase{"かし", "kas", 0}, TKanaCase{"かし", "kash", 0}, TKanaCase{"かし", "kasy", -1},
        TKanaCase{"きって", "kit", 0}, TKanaCase{"きゃく", "ky", 0}, TKanaCase{"メモ", "mem", 0},
        // A match begins at a character, never inside a kana's romaji.
        TKanaCase{"メモ帳", "emo", -1}, TKanaCase{"しゃしん", "ya", -1},
        // Word starts: after blanks and punctuation, where the script changes.
        TKanaCase{"Microsoft Word", "word", 1}, TKanaCase{"MS-Word", "word", 1},
        TKanaCase{"記録(R)", "r", 1}, TKanaCase{"家計簿ソフト", "sofuto", 1},
        TKanaCase{"ノートpad", "pad", 1}, TKanaCase{"大きなメモ", "memo", 2},
        TKanaCase{"「メモ」", "memo", 1}, TKanaCase{"メモ・ノート", "no-to", 1},
        TKanaCase{"メモ帳", "帳", 1}, TKanaCase{"あめ　メモ", "memo", 1},
        // Edges: a long name, a lone lead byte at the end, nothing.
        TKanaCase{"", "a", -1}, TKanaCase{"abc", "", 0}, TKanaCase{"メモ\x83", "memo", 0},
        TKanaCase{"\x83", "\x83", 0}, TKanaCase{"メ", "memo", -1}));

TEST(KanaTest, ALongNameIsSearchedToItsEnd) {
  const std::string Name = std::string(296, 'a') + "メモ";
  EXPECT_EQ(MatchClass(Name, "memo"), 1);
  EXPECT_EQ(MatchClass(Name + Name, std::string(290, 'a') + "memo"), 2);
}

// Random bytes, as a damaged data file may hold, never crash the folding or the match, and a
// name is always found by itself.
TEST(KanaTest, RandomBytesAreSafe) {
  std::mt19937 Random(8);
  for (int Round = 0; Round < 3000; ++Round) {
    std::string Name(Random() % 24, ' '), Query(Random() % 8, ' ');
    for (char& c : Name) c = static_cast<char>(Random());
    for (char& c : Query) c = static_cast<char>(Random() % 2 ? Random() : "akstn-'"[Random() % 7]);
    EXPECT_GE(MatchClass(Name, Query), -1);
    if (TKanaQuery(Name).Empty()) continue;
    EXPECT_GE(MatchClass(Name, Name), 0) << ::testing::PrintToString(Name);
  }
}

}  // namespace
}  // namespace lantern
