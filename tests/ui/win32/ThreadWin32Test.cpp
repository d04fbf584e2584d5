// A worker's hand-over under Wine: through the message-only window, in a plain message loop
// such as a dialog's or a menu's, on the user-interface thread.
#include <gtest/gtest.h>
#include <windows.h>

#include "ui/Thread.h"

namespace lantern {
namespace {

class TProbe : public TThread {
 public:
  TProbe() { Start(); }
  ~TProbe() override { Stop(); }
  DWORD WorkerId = 0, SynchronizedId = 0;

 protected:
  void Execute() override {
    WorkerId = GetCurrentThreadId();
    Synchronize([this] { SynchronizedId = GetCurrentThreadId(); });
  }
};

TEST(ThreadWin32Test, TheCallsAndTheEndRunOnTheUserInterfaceThreadInAnyMessageLoop) {
  DWORD Worker = 0, Synchronized = 0, Ended = 0;
  auto* Probe = new TProbe;
  Probe->OnTerminate = [&](TThread* Sender) {
    auto* Done = static_cast<TProbe*>(Sender);
    Worker = Done->WorkerId;
    Synchronized = Done->SynchronizedId;
    Ended = GetCurrentThreadId();
  };
  Probe->SetFreeOnTerminate(true);
  const UINT_PTR GiveUp = SetTimer(nullptr, 0, 5000, nullptr);
  MSG Msg;
  while (!Ended && GetMessageW(&Msg, nullptr, 0, 0)) {
    if (Msg.message == WM_TIMER && Msg.wParam == GiveUp) break;
    DispatchMessageW(&Msg);
  }
  KillTimer(nullptr, GiveUp);
  ASSERT_NE(Ended, 0u) << "the thread's end never arrived";
  EXPECT_EQ(Ended, GetCurrentThreadId());
  EXPECT_EQ(Synchronized, GetCurrentThreadId());
  EXPECT_NE(Worker, GetCurrentThreadId());
}

}  // namespace
}  // namespace lantern
