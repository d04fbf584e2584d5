#pragma once
// A window timer of the user-interface thread. Windowless, Tick runs its handler once.
#include <functional>
#include <memory>

namespace lantern {

class TTimerPeer {
 public:
  virtual ~TTimerPeer() = default;
  virtual void Changed() = 0;  // Enabled or Interval changed
};

class TTimer {
 public:
  TTimer();
  ~TTimer();
  TTimer(const TTimer&) = delete;
  TTimer& operator=(const TTimer&) = delete;

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  int Interval() const { return FInterval; }
  void SetInterval(int Milliseconds);
  void Tick();

  std::function<void(TTimer* Sender)> OnTimer;

 private:
  bool FEnabled = false;
  int FInterval = 1000;
  std::unique_ptr<TTimerPeer> FPeer;
};

}  // namespace lantern
