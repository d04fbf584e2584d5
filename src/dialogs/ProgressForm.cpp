#include "dialogs/ProgressForm.h"

#include <chrono>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>

#include "ui/Layout.h"
#include "ui/Thread.h"

namespace lantern {

class TProgressForm::TWork : public TThread {
 public:
  explicit TWork(std::function<void(TProgress&)> Work) : FWork(std::move(Work)) { Start(); }
  ~TWork() override { Stop(); }
  // Whether the work has ended within Milliseconds.
  bool WaitFor(int Milliseconds) {
    std::unique_lock<std::mutex> Lock(FLock);
    return FDone.wait_for(Lock, std::chrono::milliseconds(Milliseconds), [this] { return FEnded; });
  }
  bool Ended() { return WaitFor(0); }
  void RethrowFailure() {
    if (FFailure) std::rethrow_exception(FFailure);
  }
  TProgress Progress;

 protected:
  void Execute() override {
    try {
      FWork(Progress);
    } catch (...) {
      FFailure = std::current_exception();  // read once the work has ended
    }
    std::lock_guard<std::mutex> Lock(FLock);
    FEnded = true;
    FDone.notify_all();
  }

 private:
  std::function<void(TProgress&)> FWork;
  std::mutex FLock;
  std::condition_variable FDone;
  bool FEnded = false;
  std::exception_ptr FFailure;
};

TProgressForm::TProgressForm(const std::string& Caption, const std::string& Text) {
  SetCaption(Caption);
  SetBorderStyle(TFormBorderStyle::Dialog);
  SetClientSize(320, 96);
  SetPosition(TFormPosition::ScreenCenter);
  LayOut({
      {Label1, 12, 12, 296, 14, Text},
      {ProgressBar1, 12, 32, 296, 16},
      {CancelButton, 233, 64, 75, 22, "中止"},
  });
  CancelButton.SetCancel(true);
  CancelButton.SetModalResult(mrCancel);
  Timer1.SetInterval(Refresh);
  Timer1.OnTimer = [this](TTimer*) { Timer1Timer(); };
}

bool TProgressForm::Run(std::function<void(TProgress&)> Work) {
  auto* Thread = new TWork(std::move(Work));
  bool Finished = Thread->WaitFor(ShowAfter);
  if (!Finished) {
    FWork = Thread;
    Timer1.SetEnabled(true);
    Finished = ShowModal() == mrOk;
    Timer1.SetEnabled(false);
    FWork = nullptr;
  }
  if (!Finished) {
    Thread->Progress.Stopped = true;
    Thread->LetGo();  // freed once the work has seen the stop, or its share has answered
    return false;
  }
  std::unique_ptr<TWork> Ended(Thread);  // Execute has returned: nothing to wait for
  Ended->RethrowFailure();
  return true;
}

void TProgressForm::Timer1Timer() {
  if (!FWork) return;
  ProgressBar1.SetProgress(FWork->Progress.Done, FWork->Progress.Total);
  if (FWork->Ended()) SetModalResult(mrOk);
}

}  // namespace lantern
