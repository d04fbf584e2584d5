// The search window as native windows under Wine: a popup above the others without a caption,
// laid out as the toolkit has it at any DPI; characters typed into its box filter, the arrow
// keys move the choice, Enter chooses, and another window made active closes it.
#include <gtest/gtest.h>
#include <windows.h>

#include "dialogs/SearchForm.h"
#include "support/DialogFixture.h"
#include "support/win32/ModalRun.h"
#include "support/win32/NativeMatchesToolkit.h"
#include "ui/Widgets.h"

namespace lantern {
namespace {

class SearchFormWin32Test : public DialogFixture {
 protected:
  void SetUp() override {
    DialogFixture::SetUp();
    SetWidgets(PlatformWidgets());
    for (const char* Name : {"メモ帳", "めもり", "電卓"})
      AddTo<TLauncherExec>(Root.get(), Name, "C:\\Lantern\\Lantern.exe");
    Search = std::make_unique<TLauncherSearch>(*Root);
  }
  void TearDown() override {
    SetWidgets(nullptr);
    DialogFixture::TearDown();
  }
  std::unique_ptr<TLauncherSearch> Search;
};

TEST_F(SearchFormWin32Test, TypingFiltersTheArrowsMoveAndEnterChooses) {
  TSearchForm F(*Root, *Search);
  int Step = 0;
  EXPECT_EQ(RunModal(F,
                     [&] {
                       HWND Box = Of(F.Edit1);
                       switch (Step++) {
                         case 0:
                           EXPECT_EQ(GetFocus(), Box);
                           for (char C : std::string("memo")) PostMessageW(Box, WM_CHAR, C, 1);
                           return false;
                         case 1:
                           EXPECT_EQ(F.Hits().size(), 2u);
                           PostKey(Box, VK_DOWN);
                           return false;
                         default:
                           EXPECT_EQ(F.Choice(), 1);
                           PostKey(Box, VK_RETURN);
                           return true;
                       }
                     }),
            mrOk);
  EXPECT_EQ(F.Chosen(), F.Hits().at(1).Item);
}

TEST_F(SearchFormWin32Test, APopupLaidOutAtEveryDpiThatAnotherActiveWindowCloses) {
  // Shown first, the other window is the active one, so the search window's owner: it goes
  // last, as the system destroys what a window owns with it.
  TForm Other;
  Other.SetBounds(600, 600, 100, 100);
  Other.Show();
  TSearchForm F(*Root, *Search);
  EXPECT_EQ(RunModal(F,
                     [&] {
                       HWND Window = Of(F);
                       EXPECT_EQ(GetWindowLongW(Window, GWL_STYLE) & WS_CAPTION, WS_BORDER);
                       EXPECT_TRUE(GetWindowLongW(Window, GWL_EXSTYLE) & WS_EX_TOPMOST);
                       ExpectFollowsDpi(F, nullptr);
                       SetActiveWindow(Of(Other));
                       return true;
                     }),
            mrCancel);
}

}  // namespace
}  // namespace lantern
