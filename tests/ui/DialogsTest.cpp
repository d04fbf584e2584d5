// The choosers as the dialogs hold them: each opens preset to its value and changes it only
// when the user confirms.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "support/FakeSystem.h"
#include "ui/Dialogs.h"

namespace lantern {
namespace {

class ChoosersTest : public ::testing::Test {
 protected:
  void SetUp() override { Old = SetDialogs(&Fake); }
  void TearDown() override { SetDialogs(Old); }
  TFakeDialogs Fake;
  TDialogService* Old = nullptr;
};

TEST_F(ChoosersTest, ColourAndFontAreChangedOnlyWhenTheUserConfirms) {
  TColorDialog Color;
  Color.Color = 0x123456;
  EXPECT_FALSE(Color.Execute());
  EXPECT_EQ(Color.Color, 0x123456);
  Fake.ColorAnswers.push_back(0x00FF00);
  EXPECT_TRUE(Color.Execute());
  EXPECT_EQ(Color.Color, 0x00FF00);
  EXPECT_EQ(Fake.ColorPresets, (std::vector<TColor>{0x123456, 0x123456}));

  TFontDialog Font;
  Font.Font.SetName("ＭＳ ゴシック");
  TFont Chosen;
  Chosen.SetName("ＭＳ 明朝");
  Chosen.SetStyle(fsBold);
  Fake.FontAnswers.push_back(Chosen);
  EXPECT_TRUE(Font.Execute());
  EXPECT_EQ(Font.Font, Chosen);
  EXPECT_FALSE(Font.Execute());
  EXPECT_EQ(Font.Font, Chosen);
  ASSERT_EQ(Fake.FontPresets.size(), 2u);
  EXPECT_EQ(Fake.FontPresets[0].Name(), "ＭＳ ゴシック");
}

TEST_F(ChoosersTest, FileAndFolderChoosersOpenAtTheirPresetAndReturnTheChoice) {
  struct TCase {
    const char* Name;
    std::function<bool(std::string&)> Run;
    const char* Recorded;
    std::vector<std::string>& Presets;
  };
  const TCase Cases[] = {
      {"open",
       [](std::string& Value) {
         TOpenDialog Open;
         Open.FileName = Value;
         Open.Filter = "プログラム|*.exe";
         bool Ok = Open.Execute();
         Value = Open.FileName;
         return Ok;
       },
       "open:C:\\表\\a.exe|プログラム|*.exe", Fake.FilePresets},
      {"save",
       [](std::string& Value) {
         TSaveDialog Save;
         Save.FileName = Value;
         bool Ok = Save.Execute();
         Value = Save.FileName;
         return Ok;
       },
       "save:C:\\表\\a.exe|", Fake.FilePresets},
      {"folder",
       [](std::string& Value) {
         int Image = -1;
         return Dialogs().BrowseForFolder("フォルダ", 1, Value, Image);
       },
       "フォルダ|C:\\表\\a.exe", Fake.FolderPresets},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    Fake.FilePresets.clear();
    Fake.FolderPresets.clear();
    std::string Value = "C:\\表\\a.exe";
    EXPECT_FALSE(Case.Run(Value));
    EXPECT_EQ(Value, "C:\\表\\a.exe");
    Fake.FileAnswers.push_back("D:\\b.exe");
    Fake.FolderAnswers.push_back("D:\\b.exe");
    EXPECT_TRUE(Case.Run(Value));
    EXPECT_EQ(Value, "D:\\b.exe");
    ASSERT_EQ(Case.Presets.size(), 2u);
    EXPECT_EQ(Case.Presets[0], Case.Recorded);
    Fake.FileAnswers.clear();
    Fake.FolderAnswers.clear();
  }
}

}  // namespace
}  // namespace lantern
