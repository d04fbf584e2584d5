#include <gtest/gtest.h>

#include "base/Exception.h"
#include "model/FilterList.h"
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
  EXPECT_EQ(TFilterItem(GetParam().Mask).Matches(GetParam().FileName), GetParam().Matches)
      << GetParam().Mask << " / " << GetParam().FileName;
}

INSTANTIATE_TEST_SUITE_P(
    Masks, MaskTest,
    ::testing::Values(
        MaskCase{"*\\SETUP.EXE", "C:\\Temp\\setup.exe", true},
        MaskCase{"*\\SETUP.EXE", "C:\\setup.exe", true},
        MaskCase{"*\\SETUP.EXE", "setup.exe", false},
        MaskCase{"*\\SETUP.EXE", "C:\\Temp\\mysetup.exe", false},
        MaskCase{"*.DLL", "C:\\Windows\\x.dll", true}, MaskCase{"*.DLL", "C:\\x.dll.exe", false},
        MaskCase{"C:\\?.exe", "C:\\a.exe", true}, MaskCase{"C:\\?.exe", "C:\\ab.exe", false},
        MaskCase{"C:\\?.exe", "C:\\表.exe", true},  // one double-byte character
        MaskCase{"[a-c]*", "B.txt", true}, MaskCase{"[a-c]*", "d.txt", false},
        MaskCase{"[!a-c]*", "d.txt", true}, MaskCase{"[!a-c]*", "a.txt", false},
        MaskCase{"[xyz]", "Y", true}, MaskCase{"*", "", true}, MaskCase{"", "", true},
        MaskCase{"", "a", false}, MaskCase{"*a*b*c", "xaybzc", true},
        MaskCase{"*a*b*c", "xaybzcx", false}, MaskCase{"*フト", "C:\\ソフト", true},
        // second bytes that are letters on their own are not folded: ッ (83 62) is not ィ (83 42)
        MaskCase{"*ッ", "xッ", true}, MaskCase{"*ッ", "xィ", false},
        MaskCase{"C:\\表*", "c:\\表示\\a.exe", true}));

TEST(MaskTest, AMalformedSetIsReportedWithItsPosition) {
  struct {
    const char* Mask;
    const char* Text;
  } Cases[] = {
      {"[abc", "5 番目の文字（'[abc'）は正しくないマスク文字です"},
      {"*.[a-", "6 番目の文字（'*.[a-'）は正しくないマスク文字です"},
      {"a[b-]", "5 番目の文字（'a[b-]'）は正しくないマスク文字です"},
  };
  for (auto& c : Cases) {
    try {
      TFilterItem(c.Mask).Matches("abc");
      ADD_FAILURE() << "no error for " << c.Mask;
    } catch (const EMaskError& e) {
      EXPECT_EQ(e.Message(), c.Text);
    }
  }
}

TEST(FilterListTest, TheFirstMatchingItemDecidesAndAnEmptyListExcludesNothing) {
  TFilterList List;
  EXPECT_FALSE(List.Matches("C:\\a.dll"));
  List.Add("*.DLL");
  List.Add("[");  // malformed, but never reached for a DLL
  EXPECT_TRUE(List.Matches("C:\\a.dll"));
  EXPECT_THROW(List.Matches("C:\\a.exe"), EMaskError);
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

}  // namespace
}  // namespace lantern
