#pragma once
// Work that runs on a worker thread while the user waits. The wait shows nothing when the work
// is quick; past half a second a small window shows a bar of the work done and a button that
// stops it, so that a slow disk or share never looks like a hung program.
#include <atomic>
#include <functional>
#include <string>

#include "ui/ExtCtrls.h"
#include "ui/Form.h"
#include "ui/StdCtrls.h"
#include "ui/Timer.h"

namespace lantern {

// What the work and the window share: Done of Total steps, and the user's wish to stop, which
// the work reads between its steps.
struct TProgress {
  std::atomic<int> Done{0}, Total{0};
  std::atomic<bool> Stopped{false};
};

class TProgressForm : public TForm {
 public:
  static constexpr int ShowAfter = 500;  // milliseconds of work before the window shows
  static constexpr int Refresh = 100;    // milliseconds between looks at the work

  TProgressForm(const std::string& Caption, const std::string& Text);

  TLabel Label1{this};
  TProgressBar ProgressBar1{this};
  TButton CancelButton{this};
  TTimer Timer1;

  // Runs Work on a worker thread and waits for it: whether it ran to its end, rather than
  // being stopped by the user (中止, Esc, the window closed). Once stopped nothing waits for
  // the work, which may hang in a share that does not answer: it must own (share) whatever it
  // fills. An exception of the work comes out here.
  bool Run(std::function<void(TProgress&)> Work);
  // Looks at the work: the bar follows it, and the window closes once it has ended.
  void Timer1Timer();

 private:
  class TWork;
  TWork* FWork = nullptr;
};

}  // namespace lantern
