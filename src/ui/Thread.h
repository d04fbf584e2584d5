#pragma once
// A worker thread that hands its results to the user-interface thread. The worker never
// touches a window: Synchronize queues a call and wakes the user-interface thread (through a
// message-only window on Windows), which runs it; when Execute has returned, OnTerminate runs
// there too. Windowless, Application().ProcessMessages() serves the queue.
#include <atomic>
#include <exception>
#include <functional>
#include <thread>

namespace lantern {

class TThread {
 public:
  TThread();
  TThread(const TThread&) = delete;
  TThread& operator=(const TThread&) = delete;
  // Asks the thread to stop and waits until Execute has returned. Its calls still waiting
  // for the user-interface thread are dropped, and OnTerminate does not run.
  virtual ~TThread();

  void Terminate() { FTerminated = true; }
  bool Terminated() const { return FTerminated; }
  // Runs on the user-interface thread once Execute has returned. Read there, so it may be set
  // after the thread started, before the user-interface thread next serves the queue. It
  // must not free the thread: SetFreeOnTerminate hands it to the queue instead.
  std::function<void(TThread* Sender)> OnTerminate;
  // The queue frees the thread once OnTerminate has run.
  void SetFreeOnTerminate(bool Value) { FFreeOnTerminate = Value; }

 protected:
  // Starts Execute on a new thread; the derived class's constructor calls it last.
  void Start();
  // What the destructor does; the derived class's destructor calls it first, since Execute
  // may still use the derived class's members.
  void Stop();
  virtual void Execute() = 0;
  // Runs Method on the user-interface thread and returns when it has run, or at once when
  // this thread object is being freed.
  void Synchronize(const std::function<void()>& Method);

 private:
  friend void CheckSynchronize();
  void Run();
  void DoTerminate();

  std::thread FThread;
  std::atomic<bool> FTerminated{false};
  bool FFreeing = false;  // guarded by the queue's lock
  bool FFreeOnTerminate = false;
  std::exception_ptr FFatalException;
};

// Runs the synchronised calls and termination handlers waiting in the queue. User-interface
// thread only.
void CheckSynchronize();

// The platform's part: a way to wake the user-interface thread (prepared on that thread
// before the first worker starts), and what each worker needs set up around Execute.
void PrepareMainThreadWake();
void WakeMainThread();
void WorkerThreadStarting();
void WorkerThreadEnding();

}  // namespace lantern
