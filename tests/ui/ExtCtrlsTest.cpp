// Spins, page controls and painted panels windowless.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/Action.h"
#include "ui/ExtCtrls.h"
#include "ui/Form.h"

namespace lantern {
namespace {

TEST(ExtCtrlsTest, SpinPositionIsTheEditsNumberWithinTheRange) {
  struct TCase {
    const char* Typed;
    int Expected;  // range -100 to 100, last position 15
  };
  const TCase Cases[] = {
      {"42", 42},  {"-100", -100}, {"101", 100}, {"-5000", -100},
      {"abc", 15}, {"", 15},       {"12x", 15},  {"99999999999999999999999", 100}};
  // Leaving the edit shows the number that counts.
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Typed);
    TForm Form;
    TEdit Edit(&Form);
    TUpDown Spin(&Form);
    Spin.SetMin(-100);
    Spin.SetAssociate(&Edit);
    Spin.SetPosition(15);
    Edit.NativeTextChanged(Case.Typed);
    EXPECT_EQ(Spin.Position(), Case.Expected);
    Edit.NativeFocusEntered();
    Edit.NativeFocusLeft();
    EXPECT_EQ(Edit.Text(), std::to_string(Case.Expected));
  }
}

TEST(ExtCtrlsTest, SpinWritesItsNumberIntoTheEditAndStepsWithinTheRange) {
  TForm Form;
  TEdit Edit(&Form);
  TUpDown Spin(&Form);
  std::vector<std::string> Changes;
  Edit.OnChange = [&](TWinControl*) { Changes.push_back(Edit.Text()); };
  std::vector<int> Clicks;
  Spin.OnClick = [&](TWinControl*) { Clicks.push_back(Spin.Position()); };
  Spin.SetMin(1);  // the position comes into the range
  Spin.SetAssociate(&Edit);
  Spin.SetMax(3);
  Spin.NativeDelta(1);
  Spin.NativeDelta(1);
  Spin.NativeDelta(1);  // at the top already
  Spin.SetPosition(-7);
  Spin.SetMax(0);  // below the minimum: the minimum follows
  EXPECT_EQ(Changes, (std::vector<std::string>{"1", "2", "3", "1", "0"}));
  EXPECT_EQ(Clicks, (std::vector<int>{2, 3, 3}));
  EXPECT_EQ(Spin.Min(), 0);
}

class TPagedForm : public TForm {
 public:
  TPageControl Pages{this};
  TTabSheet General{&Pages};
  TCheckBox Check{&General};
  TTabSheet Colors{&Pages};
  TEdit Edit{&Colors};
};

TEST(ExtCtrlsTest, OnlyTheActivePageShowsAndTheUsersChoiceRunsOnChange) {
  TPagedForm Form;
  Form.Pages.SetBounds(0, 0, 412, 281);
  EXPECT_EQ(Form.Pages.ActivePage(), &Form.General);  // the first page
  EXPECT_TRUE(Form.General.Visible());
  EXPECT_FALSE(Form.Colors.Visible());
  EXPECT_EQ(Form.Colors.Width(), 404);  // within the frame, under the tabs
  EXPECT_EQ(Form.Colors.Height(), 253);
  std::vector<int> Seen;
  Form.Pages.OnChange = [&](TWinControl*) { Seen.push_back(Form.Pages.ActivePageIndex()); };
  Form.Pages.SetActivePageIndex(1);
  EXPECT_TRUE(Form.Colors.Visible());
  EXPECT_FALSE(Form.General.Visible());
  Form.Pages.NativeSelect(0);
  Form.Pages.NativeSelect(7);  // no such tab
  EXPECT_EQ(Seen, std::vector<int>{0});
  Form.Pages.NativeDisplayRect({2, 40, 410, 279});  // two rows of tabs natively
  EXPECT_EQ(Form.General.Top(), 40);
  EXPECT_EQ(Form.General.Height(), 239);
  EXPECT_EQ(Form.Colors.PageIndex(), 1);
}

TEST(ExtCtrlsTest, APageThatGoesAwayLeavesTheFirstActive) {
  TForm Form;
  TPageControl Pages(&Form);
  TTabSheet First(&Pages);
  auto Second = std::make_unique<TTabSheet>(&Pages);
  Pages.SetActivePage(Second.get());
  Second.reset();
  EXPECT_EQ(Pages.PageCount(), 1);
  EXPECT_EQ(Pages.ActivePage(), &First);
  EXPECT_TRUE(First.Visible());
}

TEST(ExtCtrlsTest, PanelIsFilledWithItsColourBeforeOnPaintDraws) {
  TForm Form;
  TPaintPanel Panel(&Form);
  Panel.SetBounds(10, 10, 40, 30);
  Panel.SetColor(0x0000FF);
  Panel.OnPaint = [](TPaintPanel*, TCanvas& Canvas) {
    Canvas.SetFontColor(0x00FF00);
    Canvas.WriteText(2, 3, "例");
  };
  TRecordingCanvas Canvas;
  Panel.Paint(Canvas);
  ASSERT_EQ(Canvas.Records.size(), 2u);
  EXPECT_EQ(Canvas.Records[0].Op, TRecordingCanvas::TOp::Fill);
  EXPECT_EQ(Canvas.Records[0].Color, 0x0000FF);
  EXPECT_EQ(Canvas.Records[0].Rect.Right, 40);
  EXPECT_EQ(Canvas.Records[0].Rect.Bottom, 30);
  EXPECT_EQ(Canvas.Records[1].Text, "例");
  EXPECT_EQ(Canvas.Records[1].Back, 0x0000FF);  // text on the panel's colour
}

TEST(ExtCtrlsTest, PanelClickRunsOnClickUnlessDisabled) {
  TForm Form;
  TPaintPanel Panel(&Form);
  EXPECT_FALSE(Panel.Border());
  Panel.SetBorder(true);
  EXPECT_TRUE(Panel.Border());
  int Clicks = 0;
  Panel.OnClick = [&](TWinControl* Sender) { Clicks += Sender == &Panel; };
  Panel.Click();
  Panel.SetEnabled(false);
  Panel.Click();
  EXPECT_EQ(Clicks, 1);
}

TEST(ExtCtrlsTest, PanelAtThePagesBottomStaysThereAndItsControlsTakeTheFocusWhileEnabled) {
  TPagedForm Form;
  TPanel Panel(&Form.General);
  TLabel Label(&Panel);
  TEdit Edit(&Panel);
  Label.SetCaption("間隔(&I)");
  Label.SetFocusControl(&Edit);
  Form.Pages.SetBounds(0, 0, 412, 281);
  Panel.SetHeight(100);
  Panel.SetAlign(TAlign::Bottom);
  EXPECT_FALSE(Panel.TabStop());
  const int Bottom = Form.General.ClientHeight();
  EXPECT_EQ(Panel.Top(), Bottom - 100);
  EXPECT_EQ(Panel.Width(), Form.General.ClientWidth());
  Form.Pages.SetHeight(301);  // a taller page: the panel stays at its bottom
  EXPECT_EQ(Panel.Top(), Bottom + 20 - 100);
  Edit.SetEnabled(false);
  Form.DialogChar('I');
  EXPECT_FALSE(Edit.Focused());
  Edit.SetEnabled(true);
  Form.DialogChar('I');
  EXPECT_TRUE(Edit.Focused());
}

// The control that a dialog opens with the focus on.
TEST(ExtCtrlsTest, SelectFirstFocusesTheActiveControlWhenItCanTakeTheFocus) {
  struct TCase {
    const char* Name;
    bool EditEnabled, EditVisible, ColorsActive, SetActive;
    bool EditFocused;  // else the first tab stop, the check box on the first page
  };
  const TCase Cases[] = {
      {"on the active page", true, true, true, true, true},
      {"on a hidden page", true, true, false, true, false},
      {"disabled", false, true, true, true, false},
      {"hidden", true, false, true, true, false},
      {"none set", true, true, true, false, false},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    TPagedForm Form;
    Form.Edit.SetEnabled(Case.EditEnabled);
    Form.Edit.SetVisible(Case.EditVisible);
    Form.Pages.SetActivePage(Case.ColorsActive ? &Form.Colors : &Form.General);
    if (Case.SetActive) Form.SetActiveControl(&Form.Edit);
    Form.SelectFirst();
    EXPECT_EQ(Form.Edit.Focused(), Case.EditFocused);
    // Else the first control in tab order that can take the focus: the page control.
    EXPECT_EQ(Form.Pages.Focused(), !Case.EditFocused);
  }
}

// A dialog as the keyboard meets it: two pages with "&" letters, one shared by two buttons.
class TLetteredForm : public TForm {
 public:
  TLetteredForm() {
    NameLabel.SetCaption("名前(&N)");
    NameLabel.SetFocusControl(&Name);
    Check.SetCaption("共通(&c)");
    ColorLabel.SetCaption("背景色(&B)");
    ColorLabel.OnClick = [this](TWinControl*) { Seen.push_back("colour label"); };
    Save.SetCaption("例を保存(&R)");
    Save.OnClick = [this](TWinControl*) { Seen.push_back("save"); };
    Reset.SetCaption("リセット(&R)");
    Reset.OnClick = [this](TWinControl*) { Seen.push_back("reset"); };
    Ok.SetCaption("&OK");
    Ok.OnClick = [this](TWinControl*) { Seen.push_back("ok"); };
  }
  TButton Ok{this};
  TPageControl Pages{this};
  TTabSheet General{&Pages};
  TLabel NameLabel{&General};
  TEdit Name{&General};
  TTabSheet Colors{&Pages};
  TCheckBox Check{&Colors};
  TLabel ColorLabel{&Colors};
  TButton Save{&Colors};
  TButton Reset{&Colors};
  std::vector<std::string> Seen;
};

TEST(ExtCtrlsTest, AltLettersActOnlyOnTheControlsThatShow) {
  TLetteredForm Form;
  EXPECT_TRUE(Form.DialogChar('n'));
  EXPECT_TRUE(Form.Name.Focused());
  EXPECT_FALSE(Form.DialogChar('B'));  // on the hidden page
  EXPECT_FALSE(Form.DialogChar('Z'));
  Form.Pages.NativeSelect(1);
  EXPECT_TRUE(Form.DialogChar('B'));
  EXPECT_TRUE(Form.DialogChar('C'));  // letters match without regard to case
  EXPECT_TRUE(Form.Check.Checked());
  EXPECT_TRUE(Form.Check.Focused());
  // Two buttons with R: each press moves on, pressing neither; Enter then presses.
  EXPECT_TRUE(Form.DialogChar('R'));
  EXPECT_TRUE(Form.Save.Focused());
  EXPECT_TRUE(Form.DialogChar('R'));
  EXPECT_TRUE(Form.Reset.Focused());
  EXPECT_TRUE(Form.DialogChar('R'));
  EXPECT_TRUE(Form.Save.Focused());
  Form.DialogKey(VkReturn, 0);
  EXPECT_TRUE(Form.DialogChar('O'));
  EXPECT_EQ(Form.Seen, (std::vector<std::string>{"colour label", "save", "ok"}));
  Form.ColorLabel.SetEnabled(false);
  EXPECT_FALSE(Form.DialogChar('B'));
}

TEST(ExtCtrlsTest, CtrlTabTurnsThePagesAndTakesTheFocusAlong) {
  TLetteredForm Form;
  int Changes = 0;
  Form.Pages.OnChange = [&](TWinControl*) { ++Changes; };
  Form.Name.SetFocus();
  EXPECT_TRUE(Form.DialogKey(VkTab, ssCtrl));
  EXPECT_EQ(Form.Pages.ActivePage(), &Form.Colors);
  EXPECT_TRUE(Form.Check.Focused());  // the new page's first stop
  EXPECT_TRUE(Form.DialogKey(VkTab, ssCtrl | ssShift));
  EXPECT_EQ(Form.Pages.ActivePage(), &Form.General);
  EXPECT_TRUE(Form.Name.Focused());
  EXPECT_TRUE(Form.DialogKey(VkTab, ssCtrl | ssShift));  // round to the last page
  EXPECT_EQ(Form.Pages.ActivePage(), &Form.Colors);
  // On the tabs themselves the focus stays there.
  Form.Pages.SetFocus();
  Form.DialogKey(VkTab, ssCtrl);
  EXPECT_TRUE(Form.Pages.Focused());
  EXPECT_EQ(Changes, 4);
  // Plain Tab walks: the button, the tabs, then into the page that shows.
  Form.Ok.SetFocus();
  Form.DialogKey(VkTab, 0);
  EXPECT_TRUE(Form.Pages.Focused());
  Form.DialogKey(VkTab, 0);
  EXPECT_TRUE(Form.Name.Focused());
}

}  // namespace
}  // namespace lantern
