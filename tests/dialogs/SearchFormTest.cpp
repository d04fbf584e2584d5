// The search window, windowless: what typing shows, the keys, a click, and how it closes.
#include <gtest/gtest.h>

#include <functional>

#include "dialogs/SearchForm.h"
#include "support/FakeFileSystem.h"
#include "support/FakeSystem.h"
#include "support/TreeFixture.h"
#include "ui/Action.h"
#include "ui/Canvas.h"

namespace lantern {
namespace {

class SearchFormTest : public TreeFixture {
 protected:
  void SetUp() override {
    TreeFixture::SetUp();
    OldSystem = SetSystem(&Sys);
    OldFiles = SetFileSystem(&Files);
    for (const char* File : {"C:\\memo.exe", "C:\\memory.exe"}) Files.AddFile(File);
    Memo = AddLauncher(Root.get(), "メモ帳", "C:\\memo.exe");
    Memory = AddLauncher(Root.get(), "Memory Check", "C:\\memory.exe");
    Tools = AddFolder(Root.get(), "ツール");
    Gone = AddLauncher(Tools, "めもり", "C:\\gone.exe");  // its file is not there
    Search = std::make_unique<TLauncherSearch>(*Root);
  }
  void TearDown() override {
    TForm::ModalUser = nullptr;
    SetFileSystem(OldFiles);
    SetSystem(OldSystem);
    TreeFixture::TearDown();
  }
  // Opens the window; User does what the user does while it shows.
  TModalResult Run(TSearchForm& Form, const std::function<void(TSearchForm&)>& User) {
    TForm::ModalUser = [&](TForm&) { User(Form); };
    return Form.ShowAt(100, 100);
  }
  static void Press(TSearchForm& Form, unsigned Key) {
    unsigned K = Key;
    Form.Edit1.OnKeyDown(&Form.Edit1, K, 0);
  }
  TFakeSystem Sys;
  TFakeFileSystem Files;
  TSystem* OldSystem = nullptr;
  TFileSystem* OldFiles = nullptr;
  TLauncherExec *Memo = nullptr, *Memory = nullptr, *Gone = nullptr;
  TFolder* Tools = nullptr;
  std::unique_ptr<TLauncherSearch> Search;
};

TEST_F(SearchFormTest, TypingFiltersAndTheKeysMoveTheChoiceWithinTheList) {
  Memory->SetRunCount(5);
  TSearchForm Form(*Root, *Search);
  Run(Form, [&](TSearchForm& F) {
    F.Edit1.SetText("memo");
    ASSERT_EQ(F.Hits().size(), 3u);
    EXPECT_EQ(F.Hits()[0].Item, Memory);  // the most run of the three name starts
    EXPECT_EQ(F.Choice(), 0);
    for (auto [Key, Choice] : {std::pair{VkDown, 1}, {VkNext, 2}, {VkDown, 2}, {VkUp, 1},
                               {VkPrior, 0}, {VkUp, 0}}) {
      Press(F, Key);
      EXPECT_EQ(F.Choice(), Choice) << Key;
    }
    F.Edit1.SetText("電卓");
    EXPECT_TRUE(F.Hits().empty());
    EXPECT_EQ(F.Choice(), -1);
    EXPECT_TRUE(F.DialogKey(VkReturn, 0));  // nothing to choose: the window stays
    EXPECT_EQ(F.ModalResult(), mrNone);
  });
}

TEST_F(SearchFormTest, EnterChoosesCtrlEnterTheFolderEscAndAnotherWindowClose) {
  struct TCase {
    unsigned Key, Shift;
    bool Deactivate;
    TModalResult Result;
    bool Folder;
  };
  for (const TCase& C : {TCase{VkReturn, 0, false, mrOk, false}, {VkReturn, ssCtrl, false, mrOk, true},
                         {VkEscape, 0, false, mrCancel, false}, {0, 0, true, mrCancel, false}}) {
    TSearchForm Form(*Root, *Search);
    const TModalResult Result = Run(Form, [&](TSearchForm& F) {
      F.Edit1.SetText("メモ帳");
      if (C.Deactivate)
        F.NativeDeactivated();
      else
        F.DialogKey(C.Key, C.Shift);
    });
    EXPECT_EQ(Result, C.Result) << C.Key;
    EXPECT_EQ(Form.Chosen(), C.Result == mrOk ? Memo : nullptr) << C.Key;
    EXPECT_EQ(Form.ChoseFolder(), C.Folder) << C.Key;
  }
}

TEST_F(SearchFormTest, AClickChoosesTheRowUnderThePointer) {
  TSearchForm Form(*Root, *Search);
  EXPECT_EQ(Run(Form,
                [](TSearchForm& F) {
                  F.Edit1.SetText("memo");
                  F.Results.NativeMouseDown(30, F.RowHeight() + 2);  // at 96 DPI: pixels
                }),
            mrOk);
  EXPECT_EQ(Form.Chosen(), Form.Hits()[1].Item);
}

// The group path after the name in a colour between the text's and the background's, and a
// launcher whose file is gone marked so.
TEST_F(SearchFormTest, ARowShowsItsGroupPathQuieterAndAMissingTarget) {
  Root->SetColors({0xFFFFFF, 0x000000, 0x800000, 0xFFFFFF});
  TSearchForm Form(*Root, *Search);
  Form.Edit1.SetText("memo");
  ASSERT_EQ(Form.Hits().at(2).Item, Gone);
  TRecordingCanvas Canvas;
  Form.Results.Paint(Canvas);
  std::vector<TRecordingCanvas::TRecord> Texts;
  for (auto& R : Canvas.Records)
    if (R.Op == TRecordingCanvas::TOp::Text) Texts.push_back(R);
  ASSERT_EQ(Texts.size(), 4u);  // three names, one path
  EXPECT_EQ(Texts[2].Text, "めもり");
  EXPECT_EQ(Texts[3].Text, "ツール　（見つかりません）");
  EXPECT_EQ(Texts[3].Color, 0x7F7F7F);  // halfway from black to white
}

}  // namespace
}  // namespace lantern
