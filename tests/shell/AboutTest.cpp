// The version window windowless: its layout, fonts and colours, the version text from the
// program's version resource, and the keys that close it.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "shell/About.h"
#include "support/FakeSystem.h"

namespace lantern {
namespace {

class AboutTest : public ::testing::Test {
 protected:
  void SetUp() override { Old = SetSystem(&Sys); }
  void TearDown() override {
    TForm::ModalUser = nullptr;
    SetSystem(Old);
  }
  TFakeSystem Sys;
  TSystem* Old = nullptr;
};

TEST_F(AboutTest, VersionIsTheFourPartsOfTheFileVersionOrNothing) {
  struct TCase {
    std::vector<unsigned> Version;
    const char* Expected;
  };
  const TCase Cases[] = {
      {{1, 3, 11, 36}, "r.1.3.11 Build 36"},
      {{0, 1, 0, 2}, "r.0.1.0 Build 2"},
      {{65535, 0, 65535, 0}, "r.65535.0.65535 Build 0"},
      {{}, ""},  // no version resource
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Expected);
    Sys.Version = Case.Version;
    EXPECT_EQ(GetVersionString(), Case.Expected);
    TAboutForm Form;
    EXPECT_EQ(Form.VersionLabel.Caption(), Case.Expected);
  }
}

TEST_F(AboutTest, ControlsStandWhereTheLayoutPutsThemWithTheirCaptions) {
  TAboutForm Form;
  EXPECT_EQ(Form.Caption(), "バージョン情報");
  EXPECT_EQ(Form.BorderStyle(), TFormBorderStyle::Dialog);
  EXPECT_EQ(Form.Position(), TFormPosition::ScreenCenter);
  EXPECT_EQ(Form.ClientWidth(), 343);
  EXPECT_EQ(Form.ClientHeight(), 185);
  struct TCase {
    const char* Name;
    TWinControl& Control;
    int Left, Top;
  };
  const TCase Cases[] = {
      {"Image1", Form.Image1, 24, 16},    {"Label3", Form.Label3, 80, 8},
      {"Label1", Form.Label1, 80, 32},    {"VersionLabel", Form.VersionLabel, 128, 88},
      {"Button1", Form.Button1, 72, 152},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    EXPECT_EQ(Case.Control.Parent(), &Form);
    EXPECT_EQ(Case.Control.Left(), Case.Left);
    EXPECT_EQ(Case.Control.Top(), Case.Top);
  }
  EXPECT_EQ(Form.Image1.Width(), 32);
  EXPECT_EQ(Form.Image1.Height(), 32);
  EXPECT_EQ(Form.Button1.Width(), 75);
  EXPECT_EQ(Form.Button1.Height(), 25);
  EXPECT_EQ(Form.Label1.Caption(), "ランタン for Windows");
  EXPECT_FALSE(Form.Label3.Caption().empty());
  EXPECT_EQ(Form.Button1.Caption(), "&OK");
  EXPECT_TRUE(Form.Button1.Default());
  EXPECT_EQ(Form.Button1.ModalResult(), mrOk);
}

TEST_F(AboutTest, LabelsHaveTheirOwnBoldFontsAndColours) {
  TAboutForm Form;
  struct TCase {
    const char* Name;
    TLabel& Label;
    int Height;
    int Color;
  };
  const TCase Cases[] = {
      {"Label3", Form.Label3, -16, 0x0000FF},
      {"Label1", Form.Label1, -27, 0xFF0000},
      {"VersionLabel", Form.VersionLabel, -12, -1},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    EXPECT_FALSE(Case.Label.ParentFont());
    EXPECT_EQ(Case.Label.Font().Name(), "ＭＳ Ｐゴシック");
    EXPECT_EQ(Case.Label.Font().Charset(), ShiftJisCharset);
    EXPECT_EQ(Case.Label.Font().Height(), Case.Height);
    EXPECT_EQ(Case.Label.Font().Style(), fsBold);
    EXPECT_EQ(Case.Label.FontColor(), Case.Color);
  }
}

TEST_F(AboutTest, EnterEscAndTheCloseBoxCloseIt) {
  struct TCase {
    const char* Name;
    std::function<void(TForm&)> User;
    TModalResult Expected;
  };
  const TCase Cases[] = {
      {"Enter", [](TForm& Form) { EXPECT_TRUE(Form.DialogKey(VkReturn, 0)); }, mrOk},
      {"Esc", [](TForm& Form) { EXPECT_TRUE(Form.DialogKey(VkEscape, 0)); }, mrCancel},
      {"close box", [](TForm& Form) { Form.Close(); }, mrCancel},
      {"OK", [](TForm& Form) { static_cast<TAboutForm&>(Form).Button1.Click(); }, mrOk},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    TAboutForm Form;
    bool Shown = false;
    TForm::ModalUser = [&](TForm& Shown_) {
      Shown = Shown_.Visible();
      Case.User(Shown_);
    };
    EXPECT_EQ(Form.ShowModal(), Case.Expected);
    EXPECT_TRUE(Shown);
    EXPECT_FALSE(Form.Visible());
  }
}

}  // namespace
}  // namespace lantern
