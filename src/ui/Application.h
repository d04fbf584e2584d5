#pragma once
// The application: its title, the message loop, the application-wide message hook and the
// error display that every handler's exception ends in.
#include <cstdint>
#include <exception>
#include <functional>
#include <string>

namespace lantern {

struct TMessage {
  void* Window = nullptr;
  unsigned Message = 0;
  std::uintptr_t WParam = 0;
  std::intptr_t LParam = 0;
};

class TApplication {
 public:
  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& Value) { FTitle = Value; }
  // Runs the message loop until Terminate (windowless: returns at once).
  void Run();
  void Terminate();
  // Handles the messages waiting in the queue (windowless: the worker threads' calls).
  void ProcessMessages();
  // The error box with the exception's text; what every event dispatch does with an
  // exception that its handler let through. One box at a time: an error raised while a box
  // is open (the timer keeps ticking inside its modal loop) is not shown over it.
  void ShowException(const std::exception& E);
  // Runs Handler; an exception it raises is shown, never passed on.
  template <typename F>
  void Guard(F&& Handler) {
    try {
      Handler();
    } catch (const std::exception& E) {
      ShowException(E);
    }
  }

  // Sees every message taken from the queue before it is dispatched.
  std::function<void(TMessage& Msg, bool& Handled)> OnMessage;
  // A modal loop (a dialog, a message box, a chooser) begins (true) or ends (false). While
  // one runs, timers, posted messages and other windows' input are handled under it.
  std::function<void(bool Begins)> OnModalLoop;

 private:
  std::string FTitle;
  bool FShowingError = false;
};

TApplication& Application();

// Tells OnModalLoop of a modal loop for as long as it lives.
class TModalLoop {
 public:
  TModalLoop() { Tell(true); }
  ~TModalLoop() { Tell(false); }
  TModalLoop(const TModalLoop&) = delete;
  TModalLoop& operator=(const TModalLoop&) = delete;

 private:
  static void Tell(bool Begins) {
    if (Application().OnModalLoop) Application().OnModalLoop(Begins);
  }
};

}  // namespace lantern
