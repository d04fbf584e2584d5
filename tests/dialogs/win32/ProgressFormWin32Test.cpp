// The progress window as a native window under Wine: it shows only once the work has taken
// half a second, its bar follows the work, it closes when the work ends, and Esc stops it.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <atomic>
#include <thread>

#include "dialogs/ProgressForm.h"
#include "support/win32/ModalRun.h"
#include "support/win32/NativeMatchesToolkit.h"
#include "ui/Thread.h"
#include "ui/Widgets.h"

namespace lantern {
namespace {

class ProgressFormWin32Test : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override { SetWidgets(PlatformWidgets()); }
  void TearDown() override { SetWidgets(nullptr); }
};

// Esc (true) or the work's own end (false) closes the window.
TEST_P(ProgressFormWin32Test, SlowWorkShowsItsBarUntilItEndsOrEscStopsIt) {
  const bool Esc = GetParam();
  TProgressForm F("取り込み", "読んでいます...");
  std::atomic<bool> Release{false};
  StartUserSteps(F, [&] {
    HWND Bar = Of(F.ProgressBar1);
    if (SendMessageW(Bar, PBM_GETPOS, 0, 0) != 1) return false;  // the form's timer is next
    EXPECT_TRUE(IsWindowVisible(Of(F)));
    EXPECT_EQ(SendMessageW(Bar, PBM_GETRANGE, FALSE, 0), 4);
    ExpectFollowsDpi(F, nullptr);
    if (Esc)
      PostKey(Of(F.CancelButton), VK_ESCAPE);
    else
      Release = true;
    return true;
  });
  const bool Finished = F.Run([&](TProgress& P) {
    P.Total = 4;
    P.Done = 1;
    while (!Release && !P.Stopped) std::this_thread::yield();
  });
  EXPECT_EQ(Finished, !Esc);
  EXPECT_FALSE(IsWindowVisible(Of(F)));
  ASSERT_TRUE(WaitForThreadsLetGo(5000));  // a stopped work is freed once it has heard
}

INSTANTIATE_TEST_SUITE_P(Closes, ProgressFormWin32Test, ::testing::Bool());

}  // namespace
}  // namespace lantern
