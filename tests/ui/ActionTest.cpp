// Shortcuts of commands, as menus show them and as a form runs them; the application's one
// error box at a time.
#include <gtest/gtest.h>

#include <stdexcept>

#include "ui/Action.h"
#include "ui/Application.h"
#include "ui/Dialogs.h"
#include "ui/Form.h"
#include "ui/Menus.h"

namespace lantern {
namespace {

TEST(ShortCutTest, MenusShowTheKeyAsWindowsNamesIt) {
  struct {
    unsigned ShortCut;
    const char* Text;
  } Cases[] = {
      {0x71, "F2"},
      {ssShift | 0x26, "Shift+Up"},
      {ssShift | 0x28, "Shift+Down"},
      {ssCtrl | 'C', "Ctrl+C"},
      {ssCtrl | ssShift | 'S', "Ctrl+Shift+S"},
      {ssAlt | 0x0D, "Alt+Enter"},
      {0x2E, "Del"},
      {0x87, "F24"},
      {'7', "7"},
      {0, ""},
      {ssShift | 0x5B, ""},  // a key without a name gives no text rather than a wrong one
  };
  for (auto& c : Cases) EXPECT_EQ(ShortCutToText(c.ShortCut), c.Text) << c.ShortCut;
}

TEST(ShortCutTest, TheMenuTextPutsTheShortcutAfterATab) {
  TAction Rename("名前変更(&N)", nullptr);
  Rename.SetShortCut(0x71);
  TAction Open("開く(&O)", nullptr);
  TMenuItem WithKey(&Rename), WithoutKey(&Open), Plain("ファイル(&F)");
  EXPECT_EQ(WithKey.MenuText(), "名前変更(&N)\tF2");
  EXPECT_EQ(WithoutKey.MenuText(), "開く(&O)");
  EXPECT_EQ(Plain.MenuText(), "ファイル(&F)");
}

class FormShortCutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TMenuItem* Edit = Menu.Items().Add(std::make_unique<TMenuItem>("編集(&E)"));
    Edit->Add(&Up);
    Edit->Add(std::make_unique<TMenuItem>("下へ"))->Add(&Rename);  // nested deeper
    Up.SetShortCut(ssShift | 0x26);
    Rename.SetShortCut(0x71);
    Form.SetMenu(&Menu);
  }
  std::string Ran;
  TAction Up{"一つ上に(&U)", [this] { Ran += "up;"; }};
  TAction Rename{"名前変更(&N)", [this] { Ran += "rename;"; }};
  TMainMenu Menu;
  TForm Form;
};

TEST_F(FormShortCutTest, TheMatchingEnabledCommandRunsAndUsesTheKey) {
  struct {
    unsigned Key, Shift;
    bool UpEnabled;
    bool Used;
    const char* Ran;
  } Cases[] = {
      {0x71, 0, true, true, "rename;"},
      {0x71, ssShift, true, false, ""},  // Shift+F2 is another key
      {0x26, ssShift, true, true, "up;"},
      {0x26, 0, true, false, ""},                   // Up alone moves the selection
      {0x26, ssShift, false, false, ""},            // disabled: the key is left to the control
      {0x26, ssShift | ssLeft, true, true, "up;"},  // mouse buttons are not modifiers
      {0, 0, true, false, ""},
  };
  for (auto& c : Cases) {
    Ran.clear();
    Up.SetEnabled(c.UpEnabled);
    EXPECT_EQ(Form.IsShortCut(c.Key, c.Shift), c.Used) << c.Key << " " << c.Shift;
    EXPECT_EQ(Ran, c.Ran) << c.Key << " " << c.Shift;
  }
  TForm WithoutMenu;
  EXPECT_FALSE(WithoutMenu.IsShortCut(0x71, 0));
}

// Answers every box; while one is "open", the handler that raised runs again, as the timer
// ticks inside a real box's modal loop.
class TReenteringDialogs : public TDialogService {
 public:
  TModalResult MessageDlg(const std::string& Text, TMsgDlgType, unsigned, unsigned) override {
    Texts.push_back(Text);
    for (int i = 0; i < 3; ++i) {
      Application().ShowException(std::runtime_error("同じエラー"));
      Application().ShowException(std::runtime_error("別のエラー"));
    }
    return mrOk;
  }
  std::vector<std::string> Texts;
};

TEST(ErrorBoxTest, NoSecondBoxOpensOverTheFirst) {
  TReenteringDialogs Boxes;
  TDialogService* Old = SetDialogs(&Boxes);
  Application().ShowException(std::runtime_error("同じエラー"));
  EXPECT_EQ(Boxes.Texts, std::vector<std::string>{"同じエラー"});
  // Once it is closed, the next error gets its box.
  Application().Guard([] { throw std::runtime_error("次のエラー"); });
  EXPECT_EQ(Boxes.Texts, (std::vector<std::string>{"同じエラー", "次のエラー"}));
  SetDialogs(Old);
}

// A command that fails has used its key, its error shown: the control must not act on it too.
TEST_F(FormShortCutTest, AFailingCommandUsesTheKeyAndShowsItsError) {
  TReenteringDialogs Boxes;
  TDialogService* Old = SetDialogs(&Boxes);
  Rename.OnExecute = [] { throw std::runtime_error("failed"); };
  EXPECT_TRUE(Form.IsShortCut(0x71, 0));
  EXPECT_EQ(Boxes.Texts, std::vector<std::string>{"failed"});
  SetDialogs(Old);
}

}  // namespace
}  // namespace lantern
