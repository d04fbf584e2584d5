#include "ui/Thread.h"

#include <condition_variable>
#include <deque>
#include <mutex>

#include "ui/Application.h"

namespace lantern {

namespace {

// A synchronised call (Method set) or a thread's end (Method null).
struct TRequest {
  TThread* Thread;
  const std::function<void()>* Method;
  bool* Done;
};

// Never freed: a worker still waiting on a share when the program ends must not find them
// destroyed.
std::mutex& QueueLock = *new std::mutex;
std::condition_variable& QueueServed = *new std::condition_variable;
std::deque<TRequest>& Queue = *new std::deque<TRequest>;

}  // namespace

TThread::TThread() { PrepareMainThreadWake(); }

TThread::~TThread() { Stop(); }

void TThread::Stop() {
  Terminate();
  {
    std::lock_guard<std::mutex> Lock(QueueLock);
    FFreeing = true;
    // The worker may wait on one of these calls; it must not wait for ever.
    for (auto It = Queue.begin(); It != Queue.end();) {
      if (It->Thread != this) {
        ++It;
        continue;
      }
      if (It->Done) *It->Done = true;
      It = Queue.erase(It);
    }
  }
  QueueServed.notify_all();
  if (FThread.joinable()) FThread.join();
}

void TThread::Start() {
  FThread = std::thread([this] { Run(); });
}

void TThread::Run() {
  WorkerThreadStarting();
  try {
    Execute();
  } catch (...) {
    // No exception crosses the thread's entry: it is shown on the user-interface thread.
    FFatalException = std::current_exception();
  }
  WorkerThreadEnding();
  {
    std::lock_guard<std::mutex> Lock(QueueLock);
    if (FFreeing) return;
    Queue.push_back({this, nullptr, nullptr});
  }
  WakeMainThread();
}

void TThread::Synchronize(const std::function<void()>& Method) {
  bool Done = false;
  {
    std::lock_guard<std::mutex> Lock(QueueLock);
    if (FFreeing) return;
    Queue.push_back({this, &Method, &Done});
  }
  WakeMainThread();
  std::unique_lock<std::mutex> Lock(QueueLock);
  QueueServed.wait(Lock, [&] { return Done; });
}

void TThread::DoTerminate() {
  if (FFatalException) Application().Guard([this] { std::rethrow_exception(FFatalException); });
  if (OnTerminate) Application().Guard([this] { OnTerminate(this); });
}

void CheckSynchronize() {
  for (;;) {
    TRequest Request;
    {
      std::lock_guard<std::mutex> Lock(QueueLock);
      if (Queue.empty()) return;
      Request = Queue.front();
      Queue.pop_front();
    }
    if (Request.Method) {
      Application().Guard(*Request.Method);
      {
        std::lock_guard<std::mutex> Lock(QueueLock);
        *Request.Done = true;
      }
      QueueServed.notify_all();
      continue;
    }
    TThread* Thread = Request.Thread;
    Thread->DoTerminate();
    if (Thread->FFreeOnTerminate) delete Thread;
  }
}

}  // namespace lantern
