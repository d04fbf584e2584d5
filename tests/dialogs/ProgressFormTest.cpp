// Work on a worker thread behind the progress window, windowless: the window only for slow
// work, its bar, its stop, and the work's failure.
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

#include "dialogs/ProgressForm.h"
#include "ui/Thread.h"

namespace lantern {
namespace {

class ProgressFormTest : public ::testing::Test {
 protected:
  void TearDown() override { TForm::ModalUser = nullptr; }
  TProgressForm Form{"取り込み", "読んでいます..."};
  std::atomic<bool> Release{false};
  // Work of four steps that does one and waits to be released or stopped.
  std::function<void(TProgress&)> SlowWork() {
    return [this](TProgress& P) {
      P.Total = 4;
      P.Done = 1;
      while (!Release && !P.Stopped) std::this_thread::yield();
    };
  }
};

TEST_F(ProgressFormTest, QuickWorkShowsNoWindow) {
  bool Shown = false;
  TForm::ModalUser = [&](TForm&) { Shown = true; };
  int Steps = 0;
  EXPECT_TRUE(Form.Run([&](TProgress&) { Steps = 3; }));
  EXPECT_EQ(Steps, 3);
  EXPECT_FALSE(Shown);
}

TEST_F(ProgressFormTest, SlowWorkShowsItsBarAndTheWindowClosesWhenItEnds) {
  TForm::ModalUser = [&](TForm&) {
    Form.Timer1.Tick();
    EXPECT_EQ(Form.ProgressBar1.Position(), 1);
    EXPECT_EQ(Form.ProgressBar1.Max(), 4);
    EXPECT_EQ(Form.ModalResult(), mrNone);
    Release = true;
    while (Form.ModalResult() == mrNone) Form.Timer1.Tick();
  };
  EXPECT_TRUE(Form.Run(SlowWork()));
}

TEST_F(ProgressFormTest, TheStopButtonEndsTheWaitAndTellsTheWork) {
  std::atomic<bool> SawStop{false};
  TForm::ModalUser = [&](TForm&) { Form.CancelButton.Click(); };
  EXPECT_FALSE(Form.Run([&](TProgress& P) {
    while (!P.Stopped) std::this_thread::yield();
    SawStop = true;
  }));
  ASSERT_TRUE(WaitForThreadsLetGo(5000));  // nothing waited for it, yet it heard of the stop
  EXPECT_TRUE(SawStop);
}

TEST_F(ProgressFormTest, TheWorksFailureComesOutOfRun) {
  EXPECT_THROW(Form.Run([](TProgress&) { throw std::runtime_error("share gone"); }),
               std::runtime_error);
}

}  // namespace
}  // namespace lantern
