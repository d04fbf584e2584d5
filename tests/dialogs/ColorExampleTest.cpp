#include <gtest/gtest.h>

#include "base/Exception.h"
#include "dialogs/ColorExample.h"
#include "support/FakeFileSystem.h"
#include "support/FakeSystem.h"
#include "support/TempFolder.h"
#include "ui/FileSystem.h"

namespace lantern {
namespace {

struct TExpected {
  std::string Name;
  TColor Back, Font, SelectedBack, SelectedFont;
  bool operator==(const TExpected& o) const {
    return Name == o.Name && Back == o.Back && Font == o.Font && SelectedBack == o.SelectedBack &&
           SelectedFont == o.SelectedFont;
  }
};

void PrintTo(const TExpected& e, std::ostream* os) {
  *os << "{" << e.Name << ", " << e.Back << ", " << e.Font << ", " << e.SelectedBack << ", "
      << e.SelectedFont << "}";
}

std::vector<TExpected> Contents(const TColorExampleList& List) {
  std::vector<TExpected> Result;
  for (int i = 0; i < List.Count(); ++i) {
    const TColorExample* e = List.Items(i);
    Result.push_back({e->Name(), e->Colors().BackColor, e->Colors().FontColor,
                      e->Colors().SelectedBackColor, e->Colors().SelectedFontColor});
  }
  return Result;
}

// The seven lines of an entry with the given line end; Back..SelectedFont are the texts.
std::string Entry(const std::string& Name, const std::string& Colors,
                  const std::string& End = "\r\n") {
  std::string Result = "[COLOREXAMPLE]" + End + Name + End;
  for (char c : Colors) Result += c == ' ' ? End : std::string(1, c);
  return Result + End + "[/COLOREXAMPLE]" + End;
}

struct TLoadCase {
  const char* Title;
  std::string Bytes;
  std::vector<TExpected> Examples;
  int ErrorLine;             // 0: no error
  std::string BadText = "";  // the line that is no number
};

const TLoadCase LoadCases[] = {
    {"SystemAndPlainColours",
     "[COLOREXAMPLE]\r\n標準\r\n-2147483633\r\n-2147483630\r\n-2147483635\r\n-2147483634\r\n"
     "[/COLOREXAMPLE]\r\n"
     "[COLOREXAMPLE]\r\n青\r\n16744448\r\n0\r\n255\r\n16777215\r\n[/COLOREXAMPLE]\r\n",
     {{"標準", clBtnFace, clBtnText, clHighlight, clHighlightText},
      {"青", 0xFF8000, 0, 0xFF, 0xFFFFFF}},
     0},
    {"TextBeforeBetweenAndBeforeTheClosingTagIgnored",
     "メモ\r\n\r\n[COLOREXAMPLE]\r\nA\r\n1\r\n2\r\n3\r\n4\r\n余分\r\n5\r\n[/COLOREXAMPLE]\r\n"
     "間の行\r\n[/COLOREXAMPLE]\r\n" +
         Entry("B", "5 6 7 8"),
     {{"A", 1, 2, 3, 4}, {"B", 5, 6, 7, 8}},
     0},
    {"MissingClosingTagRunsToTheEnd",
     "[COLOREXAMPLE]\r\nA\r\n1\r\n2\r\n3\r\n4\r\n"
     "[COLOREXAMPLE]\r\nB\r\n5\r\n6\r\n7\r\n8\r\n",
     {{"A", 1, 2, 3, 4}},
     0},
    // The first entry runs on to the next closing tag, taking the second entry with it.
    {"MissingClosingTagRunsToTheNextOne",
     "[COLOREXAMPLE]\r\nA\r\n1\r\n2\r\n3\r\n4\r\n" + Entry("B", "5 6 7 8"),
     {{"A", 1, 2, 3, 4}},
     0},
    {"MalformedColourKeepsTheEntriesBefore",
     Entry("A", "1 2 3 4") + "[COLOREXAMPLE]\r\nB\r\n5\r\n12x\r\n7\r\n8\r\n[/COLOREXAMPLE]\r\n" +
         Entry("C", "1 2 3 4"),
     {{"A", 1, 2, 3, 4}},
     11,
     "12x"},
    {"ColourTooBigForAnInt",
     "[COLOREXAMPLE]\r\nA\r\n1\r\n2\r\n2147483648\r\n4\r\n[/COLOREXAMPLE]\r\n",
     {},
     5,
     "2147483648"},
    {"EntryCutShortAtTheEnd",
     Entry("A", "1 2 3 4") + "[COLOREXAMPLE]\r\nB\r\n1\r\n2",
     {{"A", 1, 2, 3, 4}},
     12,
     ""},
    {"EntryCutAfterItsTag", "[COLOREXAMPLE]\r\n", {}, 3, ""},
    {"LowerCaseAndPaddedTagsSkipped",
     "[colorexample]\r\nA\r\n1\r\n2\r\n3\r\n4\r\n[/colorexample]\r\n"
     " [COLOREXAMPLE]\r\nB\r\n1\r\n2\r\n3\r\n4\r\n[/COLOREXAMPLE]\r\n"
     "[COLOREXAMPLE] \r\nC\r\n1\r\n2\r\n3\r\n4\r\n[/COLOREXAMPLE]\r\n",
     {},
     0},
    {"LfOnlyWithAnEmptyName",
     Entry("", "1 2 3 4", "\n") + Entry("A", "5 6 7 8", "\n"),
     {{"", 1, 2, 3, 4}, {"A", 5, 6, 7, 8}},
     0},
    {"CrOnlyWithAnEmptyName",
     Entry("", "1 2 3 4", "\r") + Entry("A", "5 6 7 8", "\r"),
     {{"", 1, 2, 3, 4}, {"A", 5, 6, 7, 8}},
     0},
    {"MixedLineEndsAndNoEndAtTheEnd",
     "[COLOREXAMPLE]\r\nA\n1\r2\r\n3\n4\r[/COLOREXAMPLE]",
     {{"A", 1, 2, 3, 4}},
     0},
    // LF then CR are two line ends: the empty line between them is the name.
    {"LfCrIsTwoLineEnds", "[COLOREXAMPLE]\n\rA\n1\n2\n3\n4\n[/COLOREXAMPLE]\n", {}, 3, "A"},
    {"ErrorLineCountedOverCrOnlyLines", "x\r\r[COLOREXAMPLE]\rA\rzz\r", {}, 5, "zz"},
    {"RawBytesEscaped", "[COLOREXAMPLE]\r\nA\r\n1\x81\x7F\r\n", {}, 3, "1\\x81\\x7F"},
    {"EmptyFile", "", {}, 0},
    {"NameOfBlanks", Entry("   ", "1 2 3 4"), {{"   ", 1, 2, 3, 4}}, 0},
    {"SameNameTwice",
     Entry("同じ", "1 2 3 4") + Entry("同じ", "5 6 7 8"),
     {{"同じ", 1, 2, 3, 4}, {"同じ", 5, 6, 7, 8}},
     0},
    {"NulBytesInTheName",
     Entry(std::string("a\0b", 3), "1 2 3 4"),
     {{std::string("a\0b", 3), 1, 2, 3, 4}},
     0},
    {"NameLongerThanTheReadBuffer",
     Entry(std::string(200000, 'n'), "1 2 3 4"),
     {{std::string(200000, 'n'), 1, 2, 3, 4}},
     0},
};

class ColorExampleLoadTest : public ::testing::TestWithParam<TLoadCase> {
 protected:
  TTempFolder Folder;
};

TEST_P(ColorExampleLoadTest, ReadsTheEntriesAndStopsAtTheFirstBadOne) {
  const TLoadCase& Case = GetParam();
  const std::string Path = Folder / "Color.dat";
  WriteFileBytes(Path, Case.Bytes);
  TColorExampleList List;
  if (Case.ErrorLine == 0) {
    List.LoadFromFile(Path);
  } else {
    try {
      List.LoadFromFile(Path);
      ADD_FAILURE() << "no error";
    } catch (const EColorExampleError& e) {
      EXPECT_EQ(e.Message(), "色の例のファイル " + Path + " の " + std::to_string(Case.ErrorLine) +
                                 " 行目を読めません: '" + Case.BadText +
                                 "' は有効な整数値ではありません");
    }
  }
  EXPECT_EQ(Contents(List), Case.Examples);
}

INSTANTIATE_TEST_SUITE_P(Files, ColorExampleLoadTest, ::testing::ValuesIn(LoadCases),
                         [](const auto& Info) { return std::string(Info.param.Title); });

class ColorExampleFileTest : public ::testing::Test {
 protected:
  std::string Saved(const TColorExampleList& List) {
    List.SaveToFile(Path);
    return ReadFileBytes(Path);
  }
  static std::unique_ptr<TColorExample> Make(const std::string& Name, TColor SelectedBack,
                                             TColor Font, TColor SelectedFont, TColor Back) {
    auto e = std::make_unique<TColorExample>();
    e->SetName(Name);
    e->SetColors({Back, Font, SelectedBack, SelectedFont});
    return e;
  }
  TTempFolder Folder;
  const std::string Path = Folder / "Color.dat";
};

TEST_F(ColorExampleFileTest, AFileReadBackIsWrittenAgainByteForByte) {
  const std::string Bytes = LoadCases[0].Bytes;
  WriteFileBytes(Path, Bytes);
  TColorExampleList List;
  List.LoadFromFile(Path);
  ASSERT_EQ(List.Count(), 2);
  EXPECT_EQ(Saved(List), Bytes);
}

TEST_F(ColorExampleFileTest, WritesSevenCrLfLinesPerEntryInTheFileOrder) {
  TColorExampleList List;
  // Set in field order (selected back, font, selected font, back); the file has back first.
  List.Add(Make("表示", 3, 2, 4, 1));
  List.Add(std::make_unique<TColorExample>());
  List.Add(Make("", 0x7FFFFFFF, -1, SystemColor(0), 0));
  EXPECT_EQ(Saved(List),
            "[COLOREXAMPLE]\r\n\x95\x5C\x8E\xA6\r\n1\r\n2\r\n3\r\n4\r\n[/COLOREXAMPLE]\r\n"
            "[COLOREXAMPLE]\r\n\r\n-2147483633\r\n-2147483630\r\n-2147483635\r\n-2147483634\r\n"
            "[/COLOREXAMPLE]\r\n"
            "[COLOREXAMPLE]\r\n\r\n0\r\n-1\r\n2147483647\r\n-2147483648\r\n[/COLOREXAMPLE]\r\n");
  EXPECT_FALSE(PathExists(Path + ".tmp"));
}

TEST_F(ColorExampleFileTest, AnEmptyListWritesAnEmptyFileOverTheOldOne) {
  WriteFileBytes(Path, Entry("A", "1 2 3 4"));
  TColorExampleList List;
  EXPECT_EQ(Saved(List), "");
}

TEST_F(ColorExampleFileTest, AMissingFileAddsNothing) {
  TColorExampleList List;
  List.Add(Make("A", 1, 2, 3, 4));
  List.LoadFromFile(Path);
  EXPECT_EQ(List.Count(), 1);
}

TEST_F(ColorExampleFileTest, LoadingAppendsToWhatIsThere) {
  WriteFileBytes(Path, Entry("B", "5 6 7 8"));
  TColorExampleList List;
  List.Add(Make("A", 3, 2, 4, 1));
  List.LoadFromFile(Path);
  EXPECT_EQ(Contents(List), (std::vector<TExpected>{{"A", 1, 2, 3, 4}, {"B", 5, 6, 7, 8}}));
}

TEST_F(ColorExampleFileTest, AFolderInThePlaceOfTheFileCannotBeRead) {
  ASSERT_TRUE(FileSystem().CreateFolders(Path));
  TColorExampleList List;
  EXPECT_THROW(List.LoadFromFile(Path), EFileError);
}

TEST_F(ColorExampleFileTest, ALargeFileIsReadWhole) {
  // Over 10 MB: many entries, then one long line without a line end.
  std::string Bytes;
  const int Entries = 100000;
  for (int i = 0; i < Entries; ++i) Bytes += Entry(std::to_string(i), "1 2 3 4");
  Bytes += std::string(8 * 1024 * 1024, '\0');
  WriteFileBytes(Path, Bytes);
  TColorExampleList List;
  List.LoadFromFile(Path);
  ASSERT_EQ(List.Count(), Entries);
  EXPECT_EQ(List.Items(Entries - 1)->Name(), std::to_string(Entries - 1));
  EXPECT_EQ(List.IndexOf("99999"), Entries - 1);
}

class ColorExampleFailedSaveTest : public ColorExampleFileTest {
 protected:
  void SetUp() override {
    WriteFileBytes(Path, "the user's colours");
    List.Add(Make("A", 1, 2, 3, 4));
    Old = SetFileSystem(&Files);
  }
  void TearDown() override { SetFileSystem(Old); }
  void ExpectFailureAndOldFileWhole() {
    EXPECT_THROW(List.SaveToFile(Path), EFileError);
    EXPECT_EQ(ReadFileBytes(Path), "the user's colours");
  }
  TFakeFileSystem Files;
  TFileSystem* Old = nullptr;
  TColorExampleList List;
};

TEST_F(ColorExampleFailedSaveTest, ARefusedReplaceLeavesTheOldFileAndNoTemporary) {
  Files.FailReplace = true;
  ExpectFailureAndOldFileWhole();
  EXPECT_FALSE(PathExists(Path + ".tmp"));
}

TEST_F(ColorExampleFailedSaveTest, AFailedWriteLeavesTheOldFileAndNoTemporary) {
  Files.FailWritesAfter = 20;
  ExpectFailureAndOldFileWhole();
  EXPECT_FALSE(PathExists(Path + ".tmp"));
}

TEST_F(ColorExampleFailedSaveTest, AFolderInTheWayOfTheTemporaryIsLeftAlone) {
  ASSERT_TRUE(PlatformFileSystem().CreateFolders(Path + ".tmp"));
  ExpectFailureAndOldFileWhole();
  EXPECT_TRUE(PlatformFileSystem().DirectoryExists(Path + ".tmp"));
}

TEST(ColorExampleListTest, AddIndexOfAndDelete) {
  TColorExampleList List;
  const char* Names[] = {"A", "a", "A ", "B", "A"};
  for (int i = 0; i < 5; ++i) {
    auto e = std::make_unique<TColorExample>();
    e->SetName(Names[i]);
    e->SetColors({i, clBtnText, clHighlight, clHighlightText});
    EXPECT_EQ(List.Add(std::move(e)), i);
  }
  // Exact bytes: case and blanks count; the first of two equal names is found.
  EXPECT_EQ(List.IndexOf("A"), 0);
  EXPECT_EQ(List.IndexOf("a"), 1);
  EXPECT_EQ(List.IndexOf("A "), 2);
  EXPECT_EQ(List.IndexOf(" A"), -1);
  EXPECT_EQ(List.IndexOf(""), -1);
  std::unique_ptr<TColorExample> Taken = List.Delete(0);
  ASSERT_NE(Taken, nullptr);
  EXPECT_EQ(Taken->Colors().BackColor, 0);
  EXPECT_EQ(List.Count(), 4);
  EXPECT_EQ(List.IndexOf("A"), 3);
  EXPECT_EQ(List.Items(3)->Colors().BackColor, 4);
  EXPECT_EQ(List.IndexOf("B"), 2);
}

TEST(ColorExampleListTest, TheFileLivesBesideTheProgram) {
  TFakeSystem Sys;
  Sys.Program = "C:\\Program Files\\ランタン\\Lantern.exe";
  TSystem* Old = SetSystem(&Sys);
  EXPECT_EQ(ColorExampleFileName(), "C:\\Program Files\\ランタン\\Color.dat");
  SetSystem(Old);
}

}  // namespace
}  // namespace lantern
