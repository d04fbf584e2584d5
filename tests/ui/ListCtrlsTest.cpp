// List boxes and combo boxes windowless: the chosen line follows the lines' changes, the
// program's choice runs no handler, the user's choice and typing do, with the state changed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/Form.h"
#include "ui/ListCtrls.h"

namespace lantern {
namespace {

TEST(ListCtrlsTest, TheChosenLineFollowsInsertionsAndDeletions) {
  struct TCase {
    const char* Name;
    void (*Change)(TStrings&);
    int Expected;  // chosen before: "c", index 2 of a b c d
  };
  const TCase Cases[] = {
      {"insert before", [](TStrings& s) { s.Insert(0, "x"); }, 3},
      {"insert at it", [](TStrings& s) { s.Insert(2, "x"); }, 3},
      {"insert after", [](TStrings& s) { s.Insert(3, "x"); }, 2},
      {"add", [](TStrings& s) { s.Add("x"); }, 2},
      {"delete before", [](TStrings& s) { s.Delete(1); }, 1},
      {"delete it", [](TStrings& s) { s.Delete(2); }, -1},
      {"delete after", [](TStrings& s) { s.Delete(3); }, 2},
      {"clear", [](TStrings& s) { s.Clear(); }, -1},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    TForm Form;
    TListBox Box(&Form);
    for (const char* Line : {"a", "b", "c", "d"}) Box.Items().Add(Line);
    Box.SetItemIndex(2);
    Case.Change(Box.Items());
    EXPECT_EQ(Box.ItemIndex(), Case.Expected);
  }
}

TEST(ListCtrlsTest, ListBoxRunsOnClickForTheUsersChoiceOnly) {
  TForm Form;
  TListBox Box(&Form);
  Box.Items().Add("*.txt");
  Box.Items().Add("*.log");
  std::vector<int> Seen;
  Box.OnClick = [&](TWinControl*) { Seen.push_back(Box.ItemIndex()); };
  Box.SetItemIndex(1);
  Box.SetItemIndex(5);  // out of range: none
  EXPECT_EQ(Box.ItemIndex(), -1);
  Box.NativeSelect(0);
  EXPECT_EQ(Seen, std::vector<int>{0});
  EXPECT_EQ(Box.Items().IndexOf("*.log"), 1);
  EXPECT_EQ(Box.Items().IndexOf("*.LOG"), -1);
  EXPECT_THROW(Box.Items().Delete(2), std::out_of_range);
}

TEST(ListCtrlsTest, EditableComboShowsTheChosenLineAndKeepsTypedText) {
  TForm Form;
  TComboBox Combo(&Form);
  Combo.Items().Add("夕焼け");
  Combo.Items().Add("夜");
  std::vector<std::string> Seen;
  Combo.OnChange = [&](TWinControl*) {
    Seen.push_back(std::to_string(Combo.ItemIndex()) + ":" + Combo.Text());
  };
  Combo.OnClick = [&](TWinControl*) { Seen.push_back("click"); };
  Combo.SetItemIndex(1);
  EXPECT_EQ(Combo.Text(), "夜");
  Combo.NativeTextChanged("夜明け");
  Combo.NativeSelect(0);
  Combo.Items().Clear();  // the text stays
  EXPECT_EQ(Combo.Text(), "夕焼け");
  Combo.Items().Add("a");
  Combo.SetItemIndex(0);
  Combo.SetItemIndex(-1);  // no line: empty
  EXPECT_EQ(Combo.Text(), "");
  Combo.SetText("typed");
  EXPECT_EQ(Combo.Text(), "typed");
  EXPECT_EQ(Seen, (std::vector<std::string>{"-1:夜明け", "0:夕焼け", "click"}));
}

TEST(ListCtrlsTest, DropDownListShowsOnlyItsChosenLine) {
  TForm Form;
  TComboBox Combo(&Form, TComboBoxStyle::DropDownList);
  Combo.Items().Add("ESC");
  Combo.Items().Add("TAB");
  Combo.SetText("TAB");
  EXPECT_EQ(Combo.ItemIndex(), 1);
  Combo.SetText("F1");
  EXPECT_EQ(Combo.ItemIndex(), -1);
  EXPECT_EQ(Combo.Text(), "");
  Combo.SetItemIndex(0);
  Combo.Items().Delete(0);
  EXPECT_EQ(Combo.Text(), "");
}

}  // namespace
}  // namespace lantern
