#pragma once
// The tree's guard. A command that waits in a message loop (a modal dialog, a message box, the
// sweep's pump, a drag) while it holds items or rows holds the guard: meanwhile whatever else
// runs (the timer's refill and watcher, another instance's paths, drops) must not change the
// tree under it. Such changes are handed to the guard, which runs them at once when it is
// free and otherwise keeps them, in order, until the last hold is released and Flush runs.
#include <deque>
#include <functional>
#include <utility>

namespace lantern {

class TTreeGuard {
 public:
  class THold {
   public:
    explicit THold(TTreeGuard& Guard);
    ~THold();
    THold(const THold&) = delete;
    THold& operator=(const THold&) = delete;

   private:
    TTreeGuard& FGuard;
  };

  bool Held() const { return FHolds > 0; }
  // Runs Change now when the guard is free, else keeps it for Flush.
  void Run(std::function<void()> Change);
  // Keeps Change for Flush, held or not (the caller knows of another reason to wait).
  void Keep(std::function<void()> Change) { FWaiting.push_back(std::move(Change)); }
  // Runs the kept changes once nothing holds the guard, each through Runner (which reports
  // what one raises), in the order they came. A change that takes the guard again (a message
  // box it shows) leaves the rest for a later Flush.
  void Flush(const std::function<void(const std::function<void()>&)>& Runner);
  bool Waiting() const { return !FWaiting.empty(); }
  // The guard was taken (true) or released (false): the commands that change the tree are
  // turned off and on.
  std::function<void(bool Held)> OnHeldChanged;

 private:
  int FHolds = 0;
  std::deque<std::function<void()>> FWaiting;
};

}  // namespace lantern
