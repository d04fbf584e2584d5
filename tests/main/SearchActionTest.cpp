// The search window as the program opens it: what a choice does from the program's menu and
// from the main window, and the tree waiting while it shows.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "dialogs/SearchForm.h"
#include "main/Main.h"
#include "support/MainFixture.h"
#include "ui/FileSystem.h"

namespace lantern {
namespace {

class SearchActionTest : public MainFixture {
 protected:
  void SetUp() override {
    MainFixture::SetUp();
    M = &Start();
    WriteFileBytes(Real("C:\\memo.exe"), "MZ");
    TRoot& Root = *M->Root();
    Tools = Root.Add(std::make_unique<TFolder>(&Root));
    Tools->SetName("ツール");
    Memo = Tools->Add(std::make_unique<TLauncherExec>(Tools));
    Memo->SetName("メモ帳");
    Memo->SetFileName("C:\\memo.exe");
  }
  // Opens the window with Open, the user typing Query and pressing Enter (with Shift).
  void Choose(const std::function<void()>& Open, const std::string& Query, unsigned Shift = 0) {
    TForm::ModalUser = [&](TForm& Form) {
      auto& Search = dynamic_cast<TSearchForm&>(Form);
      EXPECT_TRUE(M->Root()->Guard().Held());  // the tree waits while it shows
      Search.Edit1.SetText(Query);
      Search.DialogKey(VkReturn, Shift);
    };
    Open();
    TForm::ModalUser = nullptr;
  }
  void FromMenu() { M->SearchAction.Execute(); }
  TLanternMain* M = nullptr;
  TFolder* Tools = nullptr;
  TLauncherExec* Memo = nullptr;
};

TEST_F(SearchActionTest, EnterStartsTheLauncherAndCtrlEnterShowsItInItsFolder) {
  Choose([&] { FromMenu(); }, "memo");
  ASSERT_EQ(Shell.Executions.size(), 1u);
  EXPECT_EQ(Shell.Executions[0].File, "C:\\memo.exe");
  Choose([&] { FromMenu(); }, "memo", ssCtrl);
  ASSERT_EQ(Shell.Executions.size(), 2u);
  EXPECT_EQ(Shell.Executions[1].File, "explorer.exe");
  EXPECT_EQ(Shell.Executions[1].Parameters, "/Select,\"C:\\memo.exe\"");
  EXPECT_FALSE(M->Root()->Guard().Held());
  // In quotes, since the explorer would end the path at a comma.
  Memo->SetFileName("C:\\Tools, old\\memo,2.exe");
  Choose([&] { FromMenu(); }, "memo", ssCtrl);
  ASSERT_EQ(Shell.Executions.size(), 3u);
  EXPECT_EQ(Shell.Executions[2].Parameters, "/Select,\"C:\\Tools, old\\memo,2.exe\"");
}

TEST_F(SearchActionTest, AGroupOpensAsAMenuAndFromTheMainWindowTheChoiceIsShownInTheViews) {
  Choose([&] { FromMenu(); }, "ツール");
  EXPECT_EQ(M->GroupMenu.Popups, 1);
  ASSERT_EQ(M->GroupMenu.Items().Count(), 1);
  EXPECT_EQ(M->GroupMenu.Items().Items(0)->Caption(), "メモ帳");
  M->LanternProperty.Execute();  // the main window shown
  M->ListView1.SetFocus();
  Choose([&] { EXPECT_TRUE(M->ListView1.NativeKeyDown('F', ssCtrl)); }, "memo");
  EXPECT_TRUE(Shell.Executions.empty());
  EXPECT_EQ(M->Root()->CurrentFolder(), Tools);
  ASSERT_NE(M->ListView1.Selected(), nullptr);
  EXPECT_EQ(M->ListView1.Selected()->Data(), Memo);
}

}  // namespace
}  // namespace lantern
