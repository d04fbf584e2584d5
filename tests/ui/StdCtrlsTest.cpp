// The dialogs' standard controls windowless: what the program and the user change runs the
// handlers with the new state, buttons give the form its result, and the dialog keys.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/FakeSystem.h"
#include "ui/Action.h"
#include "ui/Form.h"
#include "ui/Layout.h"
#include "ui/StdCtrls.h"

namespace lantern {
namespace {

TEST(StdCtrlsTest, CheckBoxChangesFromProgramAndUserRunTheClickHandlerWithTheNewState) {
  TForm Form;
  TCheckBox Box(&Form);
  std::vector<bool> Seen;
  Box.OnClick = [&](TWinControl*) { Seen.push_back(Box.Checked()); };
  Box.SetChecked(true);
  Box.SetChecked(true);  // no change, no click
  Box.NativeClick();
  Box.NativeClick();
  EXPECT_EQ(Seen, (std::vector<bool>{true, false, true}));
  EXPECT_TRUE(Box.Checked());
}

TEST(StdCtrlsTest, RadioButtonsOfOneParentExcludeEachOtherAndOnlyTheCheckedOneClicks) {
  TForm Form;
  TRadioButton Upper(&Form), Lower(&Form);
  TGroupBox Group(&Form);
  TRadioButton Inside(&Group);
  std::string Clicks;
  Upper.OnClick = [&](TWinControl*) { Clicks += "U"; };
  Lower.OnClick = [&](TWinControl*) { Clicks += "L"; };
  Inside.OnClick = [&](TWinControl*) { Clicks += "I"; };
  Upper.SetChecked(true);
  Inside.NativeClick();
  EXPECT_TRUE(Upper.Checked());  // another parent, another group
  Lower.NativeClick();
  Lower.NativeClick();  // already chosen
  EXPECT_FALSE(Upper.Checked());
  EXPECT_TRUE(Lower.Checked());
  EXPECT_TRUE(Inside.Checked());
  EXPECT_EQ(Clicks, "UIL");
}

TEST(StdCtrlsTest, EditReportsEachNewTextOnce) {
  TForm Form;
  TEdit Edit(&Form);
  std::vector<std::string> Seen;
  Edit.OnChange = [&](TWinControl*) { Seen.push_back(Edit.Text()); };
  Edit.SetText("*.exe");
  Edit.SetText("*.exe");
  Edit.NativeTextChanged("*.ex");
  Edit.NativeTextChanged("");
  EXPECT_EQ(Seen, (std::vector<std::string>{"*.exe", "*.ex", ""}));
}

TEST(StdCtrlsTest, ButtonRunsItsHandlerThenGivesTheFormItsResultUnlessDisabled) {
  TForm Form;
  TGroupBox Group(&Form);
  TButton Ok(&Group);  // on a group box, the result still goes to the form
  Ok.SetModalResult(mrOk);
  TModalResult SeenInHandler = mrYes;
  Ok.OnClick = [&](TWinControl*) { SeenInHandler = Form.ModalResult(); };
  Ok.SetEnabled(false);
  Ok.Click();
  EXPECT_EQ(SeenInHandler, mrYes);
  EXPECT_EQ(Form.ModalResult(), mrNone);
  Ok.SetEnabled(true);
  Ok.Click();
  EXPECT_EQ(SeenInHandler, mrNone);  // the handler runs first
  EXPECT_EQ(Form.ModalResult(), mrOk);
}

TEST(StdCtrlsTest, LabelsLetterFocusesItsControlWhenThatCanTakeTheFocus) {
  TForm Form;
  TLabel Label(&Form);
  TEdit Edit(&Form), Other(&Form);
  Label.NativeAccelerator();  // no control: nothing
  Other.SetFocus();
  Label.SetFocusControl(&Edit);
  Edit.SetEnabled(false);
  Label.NativeAccelerator();
  EXPECT_TRUE(Other.Focused());
  Edit.SetEnabled(true);
  Label.NativeAccelerator();
  EXPECT_TRUE(Edit.Focused());
}

TEST(StdCtrlsTest, LabelClickRunsOnClickUnlessDisabled) {
  TForm Form;
  TLabel Label(&Form);
  Label.Click();  // no handler: nothing
  std::vector<TWinControl*> Senders;
  Label.OnClick = [&](TWinControl* Sender) { Senders.push_back(Sender); };
  Label.Click();
  Label.SetEnabled(false);
  Label.Click();
  EXPECT_EQ(Senders, std::vector<TWinControl*>{&Label});
}

TEST(StdCtrlsTest, MemoTextIsItsLinesJoinedByCrLfAndTypedTextIsSplitIntoLines) {
  struct TCase {
    std::vector<std::string> Lines;
    const char* Text;
  };
  const TCase Cases[] = {{{}, ""},
                         {{"a"}, "a"},
                         {{"自動登録", "b c"}, "自動登録\r\nb c"},
                         {{"a", ""}, "a\r\n"},
                         {{"", "", "x\ry\n"}, "\r\n\r\nx\ry\n"}};
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Text);
    TForm Form;
    TMemo Memo(&Form);
    for (const std::string& Line : Case.Lines) Memo.Lines().Add(Line);
    EXPECT_EQ(Memo.Text(), Case.Text);
    TMemo Typed(&Form);
    Typed.Lines().Add("old");
    Typed.NativeTextChanged(Case.Text);
    EXPECT_EQ(Typed.Lines().Lines(), Case.Lines);
  }
}

TEST(StdCtrlsTest, LabelShowsTheFormsFontUntilItHasItsOwn) {
  TForm Form;
  TLabel Label(&Form);
  EXPECT_TRUE(Label.ParentFont());
  EXPECT_EQ(Label.Font(), Form.Font());
  EXPECT_EQ(Label.Font().Charset(), ShiftJisCharset);  // the form's, not a default font's
  EXPECT_EQ(Label.Alignment(), TAlignment::LeftJustify);
  TFont Big = Form.Font();
  Big.SetHeight(-27);
  Big.SetStyle(fsBold);
  Label.SetFont(Big);
  Label.SetAlignment(TAlignment::Center);
  EXPECT_FALSE(Label.ParentFont());
  EXPECT_EQ(Label.Font().Height(), -27);
  EXPECT_EQ(Label.Font().Style(), fsBold);
  EXPECT_EQ(Form.Font().Height(), -12);  // the form keeps its own
  EXPECT_EQ(Label.Alignment(), TAlignment::Center);
}

// A dialog as the tables lay it out: a check box, a group box with two radio buttons, an edit
// and OK and Cancel buttons.
class TTestDialog : public TForm {
 public:
  TTestDialog() {
    SetBorderStyle(TFormBorderStyle::Dialog);
    Ok.SetCaption("OK");
    Ok.SetDefault(true);
    Ok.SetModalResult(mrOk);
    Cancel.SetCaption("キャンセル");
    Cancel.SetCancel(true);
    Cancel.SetModalResult(mrCancel);
  }
  TLabel Label{this};
  TCheckBox Check{this};
  TGroupBox Group{this};
  TRadioButton Upper{&Group};
  TRadioButton Lower{&Group};
  TEdit Edit{this};
  TButton Ok{this};
  TButton Cancel{this};
};

class ShowModalTest : public ::testing::Test {
 protected:
  void TearDown() override { TForm::ModalUser = nullptr; }
  TTestDialog Dialog;
};

TEST_F(ShowModalTest, ResultIsThatOfTheButtonPressedOrCancelWhenClosed) {
  struct TCase {
    const char* Name;
    std::function<void(TTestDialog&)> User;
    TModalResult Expected;
  };
  const TCase Cases[] = {
      {"OK pressed", [](TTestDialog& d) { d.Ok.Click(); }, mrOk},
      {"Cancel pressed", [](TTestDialog& d) { d.Cancel.Click(); }, mrCancel},
      {"closed", [](TTestDialog& d) { d.Close(); }, mrCancel},
      {"program's result", [](TTestDialog& d) { d.SetModalResult(mrYes); }, mrYes},
      {"nothing done", [](TTestDialog&) {}, mrCancel},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    bool WasVisible = false, WasModal = false;
    TForm::ModalUser = [&](TForm& Form) {
      WasVisible = Form.Visible();
      WasModal = Form.Modal();
      Case.User(Dialog);
    };
    EXPECT_EQ(Dialog.ShowModal(), Case.Expected);
    EXPECT_TRUE(WasVisible);
    EXPECT_TRUE(WasModal);
    EXPECT_FALSE(Dialog.Visible());
    EXPECT_FALSE(Dialog.Modal());
    EXPECT_FALSE(Dialog.Closed());  // shown again later
  }
}

TEST_F(ShowModalTest, DialogHasItsClientSizeAndIsCentredOnTheScreenWhenItShows) {
  TFakeSystem Screen;  // 1024 by 768
  TSystem* Old = SetSystem(&Screen);
  Dialog.SetClientSize(412, 315);
  Dialog.SetPosition(TFormPosition::ScreenCenter);
  EXPECT_EQ(Dialog.ShowModal(), mrCancel);
  EXPECT_EQ(Dialog.ClientWidth(), 412);
  EXPECT_EQ(Dialog.ClientHeight(), 315);
  EXPECT_EQ(Dialog.Left(), 306);
  EXPECT_EQ(Dialog.Top(), 226);
  Screen.Width = 800;  // shown again on another screen: centred there
  Dialog.ShowModal();
  EXPECT_EQ(Dialog.Left(), 194);
  Screen.Monitors = {{0, 0, 800, 600, 96, 40}};  // on its work area, above the task bar
  Dialog.ShowModal();
  EXPECT_EQ(Dialog.Top(), 122);
  SetSystem(Old);
}

TEST_F(ShowModalTest, EnterPressesTheDefaultButtonAndEscTheCancelButton) {
  struct TCase {
    unsigned Key;
    bool OkEnabled, HasCancel;
    TModalResult Expected;
  };
  const TCase Cases[] = {
      {VkReturn, true, true, mrOk},
      {VkEscape, true, true, mrNo},
      {VkReturn, false, true, mrCancel},  // a disabled default button: Enter does nothing
      {VkEscape, true, false, mrCancel},  // no cancel button: Esc still cancels
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(testing::Message() << Case.Key << " " << Case.OkEnabled << Case.HasCancel);
    Dialog.Ok.SetEnabled(Case.OkEnabled);
    Dialog.Cancel.SetCancel(Case.HasCancel);
    Dialog.Cancel.SetModalResult(Case.HasCancel ? mrNo : mrNone);
    std::string Clicks;
    Dialog.Ok.OnClick = [&](TWinControl*) { Clicks += "O"; };
    Dialog.Cancel.OnClick = [&](TWinControl*) { Clicks += "C"; };
    TForm::ModalUser = [&](TForm& Form) { EXPECT_TRUE(Form.DialogKey(Case.Key, 0)); };
    EXPECT_EQ(Dialog.ShowModal(), Case.Expected);
    std::string ExpectedClicks = Case.Key == VkReturn ? (Case.OkEnabled ? "O" : "")
                                 : Case.HasCancel     ? "C"
                                                      : "";
    EXPECT_EQ(Clicks, ExpectedClicks);
  }
}

TEST_F(ShowModalTest, TabVisitsTheControlsThatCanTakeTheFocusInTabOrder) {
  Dialog.Upper.SetChecked(true);  // of the radio buttons, only the checked one
  Dialog.Ok.SetEnabled(false);
  Dialog.Check.SetVisible(false);
  Dialog.Edit.SetTabOrder(0);  // first of the form's controls now
  std::vector<TWinControl*> Visited;
  for (int i = 0; i < 5; ++i) {
    Dialog.DialogKey(VkTab, 0);
    for (TWinControl* c :
         std::vector<TWinControl*>{&Dialog.Label, &Dialog.Check, &Dialog.Group, &Dialog.Upper,
                                   &Dialog.Lower, &Dialog.Edit, &Dialog.Ok, &Dialog.Cancel})
      if (c->Focused()) Visited.push_back(c);
  }
  EXPECT_EQ(Visited, (std::vector<TWinControl*>{&Dialog.Edit, &Dialog.Upper, &Dialog.Cancel,
                                                &Dialog.Edit, &Dialog.Upper}));
  Dialog.DialogKey(VkTab, ssShift);
  Dialog.DialogKey(VkTab, ssShift);
  EXPECT_TRUE(Dialog.Cancel.Focused());
  EXPECT_FALSE(Dialog.DialogKey('A', 0));
  // Enter presses the focused button rather than the default one.
  Dialog.Ok.SetEnabled(true);
  Dialog.DialogKey(VkReturn, 0);
  EXPECT_EQ(Dialog.ModalResult(), mrCancel);
}

TEST(LayoutTest, RowsSetBoundsCaptionsTextsHandlersAndTheTabOrder) {
  TForm Form;
  TButton Browse(&Form);
  TEdit DataFile(&Form);
  TLabel Label(&Form);
  TGroupBox Group(&Form);
  TRadioButton Upper(&Group), Lower(&Group);
  std::string Calls;
  LayOut({
      {Label, 16, 176, 101, 12, "データファイル名(&F)"},
      {DataFile, 16, 192, 281, 20, "", [&](TWinControl*) { Calls += "e"; }},
      {Browse, 304, 192, 59, 20, "参照(&E)", [&](TWinControl*) { Calls += "b"; }},
      {Group, 240, 80, 121, 33, "最新位置"},
      {Lower, 64, 12, 49, 17, "下(&D)"},
      {Upper, 8, 12, 49, 17, "上(&U)", [&](TWinControl*) { Calls += "u"; }},
  });
  EXPECT_EQ(Label.Caption(), "データファイル名(&F)");
  EXPECT_EQ(Browse.Caption(), "参照(&E)");
  EXPECT_EQ(Lower.Caption(), "下(&D)");
  EXPECT_EQ(DataFile.Text(), "");
  EXPECT_EQ(Browse.Left(), 304);
  EXPECT_EQ(Browse.Top(), 192);
  EXPECT_EQ(Browse.Width(), 59);
  EXPECT_EQ(Browse.Height(), 20);
  EXPECT_EQ(Upper.Left(), 8);  // within the group box
  DataFile.SetText("x");
  Browse.Click();
  Upper.NativeClick();
  Lower.NativeClick();  // no handler in its row
  EXPECT_EQ(Calls, "ebu");
  EXPECT_EQ(Form.TabOrdered(), (std::vector<TWinControl*>{&Label, &DataFile, &Browse, &Group}));
  EXPECT_EQ(Group.TabOrdered(), (std::vector<TWinControl*>{&Lower, &Upper}));
}

}  // namespace
}  // namespace lantern
