#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Cp932.h"
#include "model/FilterList.h"
#include "ui/ListCtrls.h"
#include "ui/MemoryRegistry.h"

namespace lantern {
namespace {

struct MaskCase {
  const char* Mask;
  const char* FileName;
  bool Matches;
};

class MaskTest : public ::testing::TestWithParam<MaskCase> {};

TEST_P(MaskTest, WholeNameAgainstWholeMask) {
  const TFilterItem Item(GetParam().Mask);
  ASSERT_FALSE(Item.Malformed()) << Item.Error();
  EXPECT_EQ(Item.Matches(GetParam().FileName), GetParam().Matches)
      << GetParam().Mask << " / " << GetParam().FileName;
}

// A path made into a mask matches itself alone, whatever the case: its "[" would open a set.
TEST(ExactMaskTest, MatchesThePathItselfAlone) {
  struct {
    const char* Path;
    const char* Mask;
    const char* Other;  // what the path taken as a mask would match, or a malformed mask
  } Cases[] = {
      {"C:\\Tools\\app.exe", "C:\\Tools\\app.exe", "C:\\Tools\\app.exe.bak"},
      {"C:\\[old]\\app.exe", "C:\\[[]old]\\app.exe", "C:\\o\\app.exe"},
      {"C:\\a[b\\app.exe", "C:\\a[[]b\\app.exe", "C:\\ab\\app.exe"},
      // ゼ is 83 5B: its second byte opens no set
      {"C:\\ゼロ[1]\\app.exe", "C:\\ゼロ[[]1]\\app.exe", "C:\\ゼロ1\\app.exe"},
  };
  for (const auto& c : Cases) {
    const TFilterItem Item(ExactMask(c.Path));
    EXPECT_EQ(Item.Mask(), c.Mask);
    EXPECT_FALSE(Item.Malformed()) << Item.Error();
    EXPECT_TRUE(Item.Matches(c.Path)) << c.Path;
    EXPECT_TRUE(Item.Matches(UpperCaseAscii(c.Path))) << c.Path;
    EXPECT_FALSE(Item.Matches(c.Other)) << c.Path;
  }
}

INSTANTIATE_TEST_SUITE_P(Defaults, MaskTest,
                         ::testing::Values(MaskCase{"*\\SETUP.EXE", "C:\\x\\setup.exe", true},
                                           MaskCase{"*\\SETUP.EXE", "C:\\x\\setup.exe.bak", false},
                                           MaskCase{"*\\SETUP.EXE", "C:\\setup.exe", true},
                                           MaskCase{"*\\SETUP.EXE", "setup.exe", false},
                                           MaskCase{"*\\SETUP.EXE", "C:\\Temp\\mysetup.exe", false},
                                           MaskCase{"*.DLL", "C:\\Windows\\x.dll", true},
                                           MaskCase{"*.DLL", "C:\\x.DlL", true},
                                           MaskCase{"*.DLL", "C:\\x.dll.exe", false}));

INSTANTIATE_TEST_SUITE_P(
    StarsAndQuestionMarks, MaskTest,
    ::testing::Values(
        MaskCase{"*", "", true}, MaskCase{"**", "", true}, MaskCase{"", "", true},
        MaskCase{"", "a", false}, MaskCase{"a*", "a", true}, MaskCase{"*?", "", false},
        MaskCase{"*a*b*c", "xaybzc", true}, MaskCase{"*a*b*c", "xaybzcx", false},
        MaskCase{"*a?c", "abcabc", true}, MaskCase{"*a?c", "abac", false},
        MaskCase{"*a*a*a*a*a*a*b", "aaaaaab", true}, MaskCase{"*a*a*a*a*a*a*b", "aaaaab", false},
        MaskCase{"C:\\?.exe", "C:\\a.exe", true}, MaskCase{"C:\\?.exe", "C:\\ab.exe", false},
        MaskCase{"C:\\?.exe", "C:\\.exe", false},
        // "?" is one whole character, double-byte ones too
        MaskCase{"C:\\?.exe", "C:\\表.exe", true}, MaskCase{"?", "表", true},
        MaskCase{"??", "表", false}, MaskCase{"*?", "表", true}, MaskCase{"*示", "表示", true},
        // 表 is 95 5C: its second byte is no backslash
        MaskCase{"*\\*", "表", false}, MaskCase{"*\\*", "表\\", true},
        MaskCase{"*フト", "C:\\ソフト", true}, MaskCase{"C:\\表*", "c:\\表示\\a.exe", true}));

INSTANTIATE_TEST_SUITE_P(
    Sets, MaskTest,
    ::testing::Values(MaskCase{"[a-c]*", "B.txt", true}, MaskCase{"[a-c]*", "d.txt", false},
                      MaskCase{"[xyz]", "Y", true}, MaskCase{"[xyz]", "w", false},
                      MaskCase{"[xyz]", "xy", false}, MaskCase{"[a-cx]", "x", true},
                      MaskCase{"[a-cx]", "d", false}, MaskCase{"[0-9]", "5", true},
                      MaskCase{"[0-9]", "a", false}, MaskCase{"[-a]", "-", true},
                      MaskCase{"[[]", "[", true}, MaskCase{"a]", "A]", true},
                      // negation
                      MaskCase{"[!a-c]*", "d.txt", true}, MaskCase{"[!a-c]*", "a.txt", false},
                      MaskCase{"[!a-c]*", "A.txt", false}, MaskCase{"[!a-c]", "", false},
                      // "]" as the first member
                      MaskCase{"[]a]", "]", true}, MaskCase{"[]a]", "a", true},
                      MaskCase{"[]a]", "A", true}, MaskCase{"[]a]", "b", false},
                      MaskCase{"[]]", "]", true}, MaskCase{"[!]a]", "]", false},
                      MaskCase{"[!]a]", "a", false}, MaskCase{"[!]a]", "A", false},
                      MaskCase{"[!]a]", "b", true}, MaskCase{"[!]a]", "表", true},
                      // "]" (5D) to "a" (61) is no range of letters: compared exactly
                      MaskCase{"[]-a]", "_", true}, MaskCase{"[]-a]", "a", true},
                      MaskCase{"[]-a]", "A", false}, MaskCase{"[]-a]", "b", false}));

INSTANTIATE_TEST_SUITE_P(
    CaseFolding, MaskTest,
    ::testing::Values(
        // "_" (5F) to "z": byte values only
        MaskCase{"[_-z]", "_", true}, MaskCase{"[_-z]", "a", true}, MaskCase{"[_-z]", "z", true},
        MaskCase{"[_-z]", "Z", false}, MaskCase{"[_-z]", "A", false}, MaskCase{"[!_-z]", "Z", true},
        MaskCase{"[!_-z]", "a", false},
        // a range of letters takes the other case too
        MaskCase{"[A-C]", "b", true}, MaskCase{"[A-C]", "B", true}, MaskCase{"[A-C]", "d", false},
        // letters only: "@" (40) and "`" (60), "[" (5B) and "{" (7B) differ by case's bit
        MaskCase{"@", "`", false}, MaskCase{"[[]", "{", false}, MaskCase{"[@]", "`", false},
        // full-width letters are not folded: Ａ is 82 60, ａ is 82 81
        MaskCase{"ＡＢＣ.EXE", "ＡＢＣ.exe", true}, MaskCase{"ＡＢＣ.EXE", "ａｂｃ.exe", false},
        MaskCase{"[Ａ]", "Ａ", true}, MaskCase{"[Ａ]", "ａ", false},
        // second bytes that are letters on their own are not folded: ッ (83 62) is not ィ (83 42)
        MaskCase{"*ッ", "xッ", true}, MaskCase{"*ッ", "xィ", false}));

INSTANTIATE_TEST_SUITE_P(
    DoubleByteSets, MaskTest,
    ::testing::Values(MaskCase{"[表示]", "示", true}, MaskCase{"[表示]", "表示", false},
                      MaskCase{"[表示]", "x", false}, MaskCase{"[!表]", "示", true},
                      MaskCase{"[!表]", "表", false},
                      // ア (83 41) to ン (83 93)
                      MaskCase{"[ア-ン]", "イ", true}, MaskCase{"[ア-ン]", "あ", false},
                      // ゾ is 83 5D: its second byte does not close the set
                      MaskCase{"[ゾ]", "ゾ", true}, MaskCase{"[ゾ]", "]", false},
                      MaskCase{"[ソ]*", "ソ\\x", true}));

TEST(MaskTest, LongNamesAgainstManyStarsAreMatchedPromptly) {
  // Each star tried at every position in turn would take about n^6 steps here.
  const std::string As(4000, 'a');
  EXPECT_FALSE(TFilterItem("*a*a*a*a*a*a*b").Matches(As));
  EXPECT_TRUE(TFilterItem("*a*a*a*a*a*a*b").Matches(As + "b"));
  std::string Kanji;
  for (int i = 0; i < 2000; ++i) Kanji += "表";
  EXPECT_FALSE(TFilterItem("*表*表*表*表*表*x").Matches(Kanji));
  EXPECT_TRUE(TFilterItem("*?*?*?*?*?*?").Matches(Kanji));
}

TEST(MaskTest, AMalformedMaskKeepsItsErrorAtTheOpeningBracketAndMatchesNothing) {
  struct {
    const char* Mask;
    const char* Text;
  } Cases[] = {
      {"[", "1 番目の文字（'['）は正しくないマスク文字です"},
      {"[abc", "1 番目の文字（'[abc'）は正しくないマスク文字です"},
      {"[a-", "1 番目の文字（'[a-'）は正しくないマスク文字です"},
      {"a[", "2 番目の文字（'a['）は正しくないマスク文字です"},
      {"*.[a-", "3 番目の文字（'*.[a-'）は正しくないマスク文字です"},
      {"a[b-]", "2 番目の文字（'a[b-]'）は正しくないマスク文字です"},
      {"[!]", "1 番目の文字（'[!]'）は正しくないマスク文字です"},
      {"[!", "1 番目の文字（'[!'）は正しくないマスク文字です"},
      {"[]", "1 番目の文字（'[]'）は正しくないマスク文字です"},
      {"[]a", "1 番目の文字（'[]a'）は正しくないマスク文字です"},
      {"[z-a]", "1 番目の文字（'[z-a]'）は正しくないマスク文字です"},
      {"[a-c][", "6 番目の文字（'[a-c]['）は正しくないマスク文字です"},
      {"[a]*[b", "5 番目の文字（'[a]*[b'）は正しくないマスク文字です"},
      // positions count characters: 表 and 示 are two bytes each
      {"表[a-", "2 番目の文字（'表[a-'）は正しくないマスク文字です"},
      {"表示[!]", "3 番目の文字（'表示[!]'）は正しくないマスク文字です"},
      {"[表", "1 番目の文字（'[表'）は正しくないマスク文字です"},
      {"ab表[ゾ", "4 番目の文字（'ab表[ゾ'）は正しくないマスク文字です"},
  };
  for (auto& c : Cases) {
    const TFilterItem Item(c.Mask);
    EXPECT_TRUE(Item.Malformed()) << c.Mask;
    EXPECT_EQ(Item.Error(), c.Text);
    for (const char* Name : {"", "a", "[", "[abc", "表", c.Mask})
      EXPECT_FALSE(Item.Matches(Name)) << c.Mask << " / " << Name;
  }
}

TEST(MaskTest, AGoodMaskHasNoError) {
  for (const char* Mask : {"", "*", "*\\SETUP.EXE", "[]a]", "[!]a]", "[ゾ]", "a]", "[a-a]"}) {
    const TFilterItem Item(Mask);
    EXPECT_FALSE(Item.Malformed()) << Mask;
    EXPECT_EQ(Item.Error(), "") << Mask;
  }
}

TEST(FilterListTest, ListBoxLinesBecomeTheMasksInOrderWithoutBlankLinesAndShowAgain) {
  struct TCase {
    std::vector<std::string> Lines, Masks;
  };
  const TCase Cases[] = {
      {{}, {}},
      {{"*.DLL", "", "*\\SETUP.EXE"}, {"*.DLL", "*\\SETUP.EXE"}},
      {{" \t", "　", "\t　 ", " *.tmp\t", "b"}, {" *.tmp\t", "b"}},  // blanks around a mask stay
      {{"[a", "[!]", "表"}, {"[a", "[!]", "表"}},  // malformed masks are the dialog's to refuse
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(::testing::PrintToString(Case.Lines));
    TListBox Box(nullptr);
    for (const std::string& Line : Case.Lines) Box.Items().Add(Line);
    TFilterList List;
    List.Add("old.exe");
    List.LoadFromListBox(Box);
    std::vector<std::string> Masks;
    for (int i = 0; i < List.Count(); ++i) Masks.push_back(List.Items(i).Mask());
    EXPECT_EQ(Masks, Case.Masks);
    TListBox Shown(nullptr);
    Shown.Items().Add("old.exe");
    List.ShowInListBox(Shown);
    EXPECT_EQ(Shown.Items().Lines(), Case.Masks);
  }
}

TEST(FilterListTest, MalformedItemsMatchNothingAndAreListedInOrder) {
  TFilterList List;
  EXPECT_FALSE(List.Matches("C:\\a.dll"));
  EXPECT_TRUE(List.Errors().empty());
  List.Add("*.DLL");
  List.Add("[");
  List.Add("*.TMP");
  List.Add("表[a-");
  EXPECT_TRUE(List.Matches("C:\\a.dll"));
  EXPECT_TRUE(List.Matches("C:\\a.tmp"));
  EXPECT_FALSE(List.Matches("C:\\a.exe"));
  EXPECT_FALSE(List.Matches("["));
  EXPECT_EQ(List.Errors(),
            (std::vector<std::string>{"1 番目の文字（'['）は正しくないマスク文字です",
                                      "2 番目の文字（'表[a-'）は正しくないマスク文字です"}));
  EXPECT_TRUE(List.Items(1).Malformed());
  EXPECT_FALSE(List.Items(2).Malformed());
  List.Clear();
  EXPECT_TRUE(List.Errors().empty());
}

class FilterRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { Old = SetRegistry(&Memory); }
  void TearDown() override { SetRegistry(Old); }
  TMemoryRegistry Memory;
  TRegistry* Old = nullptr;
};

TEST_F(FilterRegistryTest, SavedMasksComeBackInOrderAndAnEmptyListStaysEmpty) {
  TFilterList List;
  List.Add("*\\SETUP.EXE");
  List.Add("*.DLL");
  List.Add("C:\\表示\\*");
  List.SaveToRegistry("Software\\ZR\\Lantern\\");
  EXPECT_EQ(Memory.ValueNames("Software\\ZR\\Lantern\\Filter"), "FILTER0,FILTER1,FILTER2");
  std::string Value;
  ASSERT_TRUE(Memory.ReadString("Software\\ZR\\Lantern\\Filter", "Filter2", Value));
  EXPECT_EQ(Value, "C:\\表示\\*");

  TFilterList Back;
  Back.LoadFromRegistry("Software\\ZR\\Lantern\\");
  ASSERT_EQ(Back.Count(), 3);
  EXPECT_EQ(Back.Items(2).Mask(), "C:\\表示\\*");

  // Fewer masks leave no stale values behind.
  TFilterList One;
  One.Add("x");
  One.SaveToRegistry("Software\\ZR\\Lantern\\");
  Back.LoadFromRegistry("Software\\ZR\\Lantern\\");
  EXPECT_EQ(Back.Count(), 1);
  TFilterList().SaveToRegistry("Software\\ZR\\Lantern\\");
  EXPECT_TRUE(Memory.KeyExists("Software\\ZR\\Lantern\\Filter"));
  Back.LoadFromRegistry("Software\\ZR\\Lantern\\");
  EXPECT_EQ(Back.Count(), 0);
}

// The registry as a kill before each change of a save would leave it (a write creates its key
// first; a key deleted shows at the next change).
class TCutShortRegistry : public TMemoryRegistry {
 public:
  std::vector<TMemoryRegistry> Cuts;
  void CreateKey(const std::string& Key) override {
    Cuts.push_back(*this);
    TMemoryRegistry::CreateKey(Key);
  }
  void DeleteValue(const std::string& Key, const std::string& Name) override {
    Cuts.push_back(*this);
    TMemoryRegistry::DeleteValue(Key, Name);
  }
};

// Never no list at all, which would bring the default masks back.
TEST_F(FilterRegistryTest, ASaveCutShortAnywhereLeavesTheOldOrTheNewMasksToRead) {
  TCutShortRegistry Cutting;
  SetRegistry(&Cutting);
  TFilterList List;
  for (const char* Mask : {"a", "b", "c"}) List.Add(Mask);
  List.SaveToRegistry("Software\\ZR\\Lantern\\");
  Cutting.Cuts.clear();
  List.Clear();
  List.Add("x");
  List.SaveToRegistry("Software\\ZR\\Lantern\\");
  Cutting.Cuts.push_back(Cutting);
  for (TMemoryRegistry& Cut : Cutting.Cuts) {
    SetRegistry(&Cut);
    EXPECT_TRUE(Cut.KeyExists("Software\\ZR\\Lantern\\Filter"));
    List.LoadFromRegistry("Software\\ZR\\Lantern\\");
    std::string Read;
    for (int i = 0; i < List.Count(); ++i) Read += List.Items(i).Mask();
    EXPECT_TRUE(Read == "abc" || Read == "xbc" || Read == "x") << Read;
  }
  EXPECT_EQ(List.Count(), 1);
}

TEST_F(FilterRegistryTest, ReadingStopsAtTheFirstGapOrValueOfAnotherType) {
  const std::string Key = "Software\\ZR\\Lantern\\Filter";
  Memory.WriteString(Key, "Filter0", "a");
  Memory.WriteString(Key, "Filter1", "b");
  Memory.WriteString(Key, "Filter3", "d");
  TFilterList List;
  List.LoadFromRegistry("Software\\ZR\\Lantern\\");
  EXPECT_EQ(List.Count(), 2);
  Memory.WriteDWord(Key, "Filter1", 7);
  List.LoadFromRegistry("Software\\ZR\\Lantern\\");
  EXPECT_EQ(List.Count(), 1);
}

TEST_F(FilterRegistryTest, AMalformedMaskIsLoadedAsWrittenAndReported) {
  const std::string Key = "Software\\ZR\\Lantern\\Filter";
  Memory.WriteString(Key, "Filter0", "[!]");
  Memory.WriteString(Key, "Filter1", "*.DLL");
  TFilterList List;
  List.LoadFromRegistry("Software\\ZR\\Lantern\\");
  ASSERT_EQ(List.Count(), 2);
  EXPECT_EQ(List.Items(0).Mask(), "[!]");
  EXPECT_EQ(List.Errors(),
            std::vector<std::string>{"1 番目の文字（'[!]'）は正しくないマスク文字です"});
  EXPECT_TRUE(List.Matches("a.dll"));
  EXPECT_FALSE(List.Matches("a"));
}

}  // namespace
}  // namespace lantern
