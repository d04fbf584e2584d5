#pragma once
// A worker thread that hands its results to the user-interface thread. The worker never
// touches a window: Synchronize queues a call and wakes the user-interface thread (through a
// message-only window on Windows), which runs it; when Execute has returned, OnTerminate runs
// there too. Windowless, Application().ProcessMessages() serves the queue. The same queue
// carries calls that the user-interface thread posts to itself (QueueCall).
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
  // In place of delete, for an owner that goes while Execute may hang (a share that does not
  // answer): nothing waits for the thread; its synchronised calls, waiting or to come, and
  // its OnTerminate are dropped; the queue frees it once Execute has returned. Execute must
  // reach nothing that the owner frees. User-interface thread only.
  void LetGo();

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
  friend bool WaitForThreadsLetGo(int Milliseconds);
  void Run();
  void DoTerminate();
  // Takes this thread's requests out of the queue (its end too unless KeepEnd), releasing
  // the worker's wait. Under the queue's lock.
  void DropRequests(bool KeepEnd);

  std::thread FThread;
  std::atomic<bool> FTerminated{false};
  bool FFreeing = false;  // guarded by the queue's lock
  bool FLetGo = false;    // guarded by the queue's lock
  bool FEnded = false;    // Execute has returned; guarded by the queue's lock
  bool FEndServed = false;
  bool FFreeOnTerminate = false;
  std::exception_ptr FFatalException;
};

// Runs the synchronised calls and termination handlers waiting in the queue. User-interface
// thread only.
void CheckSynchronize();

// The end of the program: waits at most Milliseconds for the threads let go to return from
// Execute, then frees those that have. Whether none is left running. User-interface thread
// only.
bool WaitForThreadsLetGo(int Milliseconds);

// Posts Call to the user-interface thread: it runs there after what already waits in the
// queue, outside the caller (an exception it raises is shown). The Owner's calls that have
// not run yet are dropped by RemoveQueuedCalls, which an owner calls as it goes.
void QueueCall(const void* Owner, std::function<void()> Call);
void RemoveQueuedCalls(const void* Owner);

// The platform's part: a way to wake the user-interface thread (prepared on that thread
// before the first worker starts), and what each worker needs set up around Execute.
void PrepareMainThreadWake();
void WakeMainThread();
void WorkerThreadStarting();
void WorkerThreadEnding();

}  // namespace lantern
