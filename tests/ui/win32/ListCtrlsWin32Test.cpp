// List boxes and combo boxes as system controls, under Wine: lines and choices are mirrored,
// and the notifications the controls send for the user's choice and typing reach the toolkit.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "support/win32/NativeMatchesToolkit.h"
#include "ui/Form.h"
#include "ui/ListCtrls.h"
#include "ui/StdCtrls.h"
#include "ui/Widgets.h"
#include "ui/win32/WideText.h"

namespace lantern {
namespace {

class TListForm : public TForm {
 public:
  TListForm() : TForm("TLanternListCtrlsTest") {
    SetBounds(50, 50, 400, 300);
    Box.SetBounds(8, 8, 120, 100);
    Editable.SetBounds(140, 8, 120, 20);
    Fixed.SetBounds(140, 40, 120, 20);
    Simple.SetBounds(270, 8, 120, 137);
  }
  TListBox Box{this};
  TComboBox Editable{this};
  TComboBox Fixed{this, TComboBoxStyle::DropDownList};
  TComboBox Simple{this, TComboBoxStyle::Simple};
};

class ListCtrlsWin32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    SetWidgets(PlatformWidgets());
    Form = std::make_unique<TListForm>();
  }
  void TearDown() override {
    Form.reset();
    SetWidgets(nullptr);
  }
  void Open() {
    Form->CreateHandle();
    Form->Show();
    ASSERT_NE(Form->Box.Handle(), nullptr);
  }
  static HWND Of(TWinControl& Control) { return static_cast<HWND>(Control.Handle()); }
  static std::string Text(TWinControl& Control) {
    wchar_t Buffer[256] = L"";
    GetWindowTextW(Of(Control), Buffer, 256);
    return FromWide(Buffer);
  }
  // What the control does when the user picks a line: it chooses it and tells its parent.
  static void UserChooses(TWinControl& Control, UINT SetSel, UINT Code, int Index) {
    SendMessageW(Of(Control), SetSel, static_cast<WPARAM>(Index), 0);
    SendMessageW(GetParent(Of(Control)), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Of(Control)), Code),
                 reinterpret_cast<LPARAM>(Of(Control)));
  }
  std::unique_ptr<TListForm> Form;
};

TEST_F(ListCtrlsWin32Test, LinesAndChoicesAreMirrored) {
  for (TListControl* c : std::vector<TListControl*>{&Form->Box, &Form->Editable, &Form->Fixed}) {
    c->Items().Add("共通");
    c->Items().Add("グループ");
  }
  Form->Box.SetItemIndex(1);
  Form->Editable.SetText("自由");
  Open();
  ExpectNativeMatchesToolkit(*Form);
  Form->Box.Items().Insert(0, "URLランチャ");  // the choice moves down with its line
  Form->Fixed.SetItemIndex(1);
  Form->Editable.SetItemIndex(0);
  ExpectNativeMatchesToolkit(*Form);
  Form->Editable.SetItemIndex(-1);
  ExpectNativeMatchesToolkit(*Form);
  Form->Editable.Items().Clear();
  Form->Editable.SetText("残る");
  ExpectNativeMatchesToolkit(*Form);
}

TEST_F(ListCtrlsWin32Test, TheUsersChoiceAndTypingReachTheToolkitBeforeTheHandlers) {
  for (TListControl* c : std::vector<TListControl*>{&Form->Box, &Form->Editable, &Form->Simple})
    for (const char* Line : {"ESC", "TAB", "F1"}) c->Items().Add(Line);
  Open();
  std::vector<std::string> Seen;
  Form->Box.OnClick = [&](TWinControl*) {
    Seen.push_back("box " + std::to_string(Form->Box.ItemIndex()));
  };
  Form->Editable.OnChange = [&](TWinControl*) {
    Seen.push_back("combo " + std::to_string(Form->Editable.ItemIndex()) + " " +
                   Form->Editable.Text());
  };
  Form->Simple.OnChange = [&](TWinControl*) { Seen.push_back("simple " + Form->Simple.Text()); };
  UserChooses(Form->Box, LB_SETCURSEL, LBN_SELCHANGE, 2);
  UserChooses(Form->Editable, CB_SETCURSEL, CBN_SELCHANGE, 1);
  // Typing in the edit field of the combo: the edit tells the combo, which tells the form.
  HWND Edit = FindWindowExW(Of(Form->Editable), nullptr, L"Edit", nullptr);
  ASSERT_NE(Edit, nullptr);
  SendMessageW(Edit, EM_SETSEL, 3, 3);
  SendMessageW(Edit, WM_CHAR, L'2', 0);
  HWND SimpleEdit = FindWindowExW(Of(Form->Simple), nullptr, L"Edit", nullptr);
  ASSERT_NE(SimpleEdit, nullptr);
  SendMessageW(SimpleEdit, WM_CHAR, L'x', 0);
  EXPECT_EQ(Seen, (std::vector<std::string>{"box 2", "combo 1 TAB", "combo -1 TAB2", "simple x"}));
  EXPECT_EQ(Form->Editable.Text(), "TAB2");
  // The program's choice is mirrored without being reported.
  Seen.clear();
  Form->Box.SetItemIndex(0);
  Form->Editable.SetItemIndex(2);
  EXPECT_TRUE(Seen.empty());
  EXPECT_EQ(Text(Form->Editable), "F1");
}

TEST_F(ListCtrlsWin32Test, EscInAModalDialogClosesADroppedListBeforeTheDialog) {
  Form.reset();
  TForm Dialog("TLanternListCtrlsDialog");
  Dialog.SetBorderStyle(TFormBorderStyle::Dialog);
  Dialog.SetBounds(50, 50, 300, 200);
  TComboBox Combo(&Dialog);
  Combo.SetBounds(8, 8, 120, 20);
  for (const char* Line : {"ESC", "TAB"}) Combo.Items().Add(Line);
  TButton Ok(&Dialog);
  Ok.SetBounds(8, 100, 75, 22);
  Ok.SetModalResult(mrOk);
  Dialog.CreateHandle();
  Dialog.Show();
  Combo.SetFocus();
  SendMessageW(Of(Combo), CB_SHOWDROPDOWN, TRUE, 0);
  ASSERT_TRUE(SendMessageW(Of(Combo), CB_GETDROPPEDSTATE, 0, 0));
  HWND Edit = FindWindowExW(Of(Combo), nullptr, L"Edit", nullptr);
  PostMessageW(Edit, WM_KEYDOWN, VK_ESCAPE, 1);
  PostMessageW(Of(Ok), BM_CLICK, 0, 0);
  EXPECT_EQ(Dialog.ShowModal(), mrOk);
  EXPECT_FALSE(SendMessageW(Of(Combo), CB_GETDROPPEDSTATE, 0, 0));
}

}  // namespace
}  // namespace lantern
