#include <gtest/gtest.h>

#include "base/Cp932.h"
#include "base/Path.h"

namespace lantern {
namespace {

// "表" (95 5C) and "ソ" (83 5C) end in a byte that is a backslash on its own; "テ" (83 65)
// and "ッ" (83 62) end in bytes that are lower-case letters on their own.
TEST(Cp932Test, LiteralsAreShiftJisBytes) {
  EXPECT_EQ(std::string("表示"), "\x95\x5C\x8E\xA6");
  EXPECT_EQ(std::string("ソフト"), "\x83\x5C\x83\x74\x83\x67");
  EXPECT_EQ(std::string("テ"), "\x83\x65");
}

struct PathCase {
  const char* Path;
  const char* FilePath;
  const char* FileName;
  const char* WithoutTrailing;
};

class PathPiecesTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(PathPiecesTest, SplitsOnlyAtSingleByteDelimiters) {
  const PathCase& c = GetParam();
  EXPECT_EQ(ExtractFilePath(c.Path), c.FilePath);
  EXPECT_EQ(ExtractFileName(c.Path), c.FileName);
  EXPECT_EQ(ExcludeTrailingBackslash(c.Path), c.WithoutTrailing);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, PathPiecesTest,
    ::testing::Values(
        PathCase{"C:\\Tools\\app.exe", "C:\\Tools\\", "app.exe", "C:\\Tools\\app.exe"},
        PathCase{"C:\\表示\\ソフト", "C:\\表示\\", "ソフト", "C:\\表示\\ソフト"},
        PathCase{"C:\\表示", "C:\\", "表示", "C:\\表示"},
        PathCase{"C:\\表示\\", "C:\\表示\\", "", "C:\\表示"}, PathCase{"ソ", "", "ソ", "ソ"},
        PathCase{"C:", "C:", "", "C:"}, PathCase{"C:app.exe", "C:", "app.exe", "C:app.exe"},
        PathCase{"\\\\srv\\share\\表", "\\\\srv\\share\\", "表", "\\\\srv\\share\\表"},
        PathCase{"", "", "", ""}));

TEST(PathRootTest, ADriveOrAShareStartsAnAbsolutePath) {
  const std::pair<const char*, const char*> Cases[] = {
      {"d:\\Lantern\\me.dat", "d:\\"},
      {"C:\\", "C:\\"},
      {"\\\\srv\\表\\me.dat", "\\\\srv\\表\\"},  // 表: its second byte is 0x5C
      {"\\\\srv\\share", "\\\\srv\\share\\"},
      // Relative, or not a whole root.
      {"C:me.dat", ""},
      {"C:", ""},
      {"\\me.dat", ""},
      {"me.dat", ""},
      {"\\\\srv", ""},
      {"\\\\srv\\", ""},
      {"\\\\\\share\\me.dat", ""},
      {"\\\\srv\\\\me.dat", ""},
      {"1:\\me.dat", ""},
      {"表:\\me.dat", ""},
  };
  for (auto [Path, Root] : Cases) EXPECT_EQ(PathRoot(Path), Root) << Path;
}

TEST(Cp932Test, LastDelimiterSkipsSecondBytes) {
  EXPECT_EQ(LastDelimiter("\\", "表示"), std::string::npos);
  EXPECT_EQ(LastDelimiter("\\", "a\\表"), 1u);
  // A lead byte at the very end (a cut character) is not a delimiter either.
  EXPECT_EQ(LastDelimiter("\\", std::string("a\\\x83")), 1u);
}

TEST(Cp932Test, FindCharSkipsSecondBytes) {
  EXPECT_EQ(FindChar("ソフト\\a", '\\'), 6u);
  EXPECT_EQ(FindChar("\\\\srv\\表示\\x", '\\', 2), 5u);
  EXPECT_EQ(FindChar("\\\\srv\\表示\\x", '\\', 6), 10u);
  EXPECT_EQ(FindChar("表示", '\\'), std::string::npos);
  EXPECT_EQ(FindChar("a\\", '\\', 2), std::string::npos);
  EXPECT_EQ(FindChar(std::string("a\x83\\"), '\\'), std::string::npos);
}

TEST(Cp932Test, UpperCaseLeavesDoubleByteCharactersAlone) {
  EXPECT_EQ(UpperCaseAscii("c:\\テスト\\abc"), "C:\\テスト\\ABC");
  EXPECT_EQ(UpperCaseAscii("ッb"), "ッB");
}

TEST(Cp932Test, TrimRemovesControlAndBlankBytesAtBothEnds) {
  EXPECT_EQ(Trim(" \t C:\\表 \r\n"), "C:\\表");
  EXPECT_EQ(Trim("   "), "");
}

TEST(Cp932Test, ReplaceCharKeepsSecondBytes) {
  EXPECT_EQ(ReplaceChar("C:/表/x", '/', '\\'), "C:\\表\\x");
  EXPECT_EQ(ReplaceChar("表", '\\', '/'), "表");
}

TEST(Cp932Test, AbbreviateCutsOnWholeCharacters) {
  struct {
    const char* Text;
    std::size_t Max;
    const char* Expected;
  } Cases[] = {
      {"abc", 3, "abc"},
      {"abcd", 3, "abc..."},
      {"表示表示", 8, "表示表示"},
      {"表示表示", 5, "表示..."},  // the third character would be cut in two
      {"a表", 2, "a..."},
      {"", 0, ""},
  };
  for (const auto& c : Cases) EXPECT_EQ(Abbreviate(c.Text, c.Max), c.Expected) << c.Max;
}

}  // namespace
}  // namespace lantern
