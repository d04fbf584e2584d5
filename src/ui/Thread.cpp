#include "ui/Thread.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <vector>

#include "ui/Application.h"

namespace lantern {

namespace {

// A worker's synchronised call (Method set), a worker's end (Thread set, Method null), or a
// call posted on the user-interface thread (Posted set).
struct TRequest {
  TThread* Thread = nullptr;
  const std::function<void()>* Method = nullptr;
  bool* Done = nullptr;
  const void* Owner = nullptr;
  std::function<void()> Posted;
};

// Never freed: a worker still waiting on a share when the program ends must not find them
// destroyed.
std::mutex& QueueLock = *new std::mutex;
std::condition_variable& QueueServed = *new std::condition_variable;
std::condition_variable& LetGoEnded = *new std::condition_variable;
std::deque<TRequest>& Queue = *new std::deque<TRequest>;
int LetGoRunning = 0;  // threads let go whose Execute has not returned; guarded by QueueLock

}  // namespace

TThread::TThread() { PrepareMainThreadWake(); }

TThread::~TThread() { Stop(); }

void TThread::Stop() {
  Terminate();
  {
    std::lock_guard<std::mutex> Lock(QueueLock);
    FFreeing = true;
    DropRequests(false);
  }
  QueueServed.notify_all();
  if (FThread.joinable()) FThread.join();
}

void TThread::DropRequests(bool KeepEnd) {
  // The worker may wait on one of these calls; it must not wait for ever.
  for (auto It = Queue.begin(); It != Queue.end();) {
    if (It->Thread != this || (KeepEnd && !It->Method)) {
      ++It;
      continue;
    }
    if (It->Done) *It->Done = true;
    It = Queue.erase(It);
  }
}

void TThread::LetGo() {
  Terminate();
  OnTerminate = nullptr;
  FFreeOnTerminate = true;
  if (FEndServed) {
    delete this;  // its end went by unfreed: nothing of it runs any more
    return;
  }
  {
    std::lock_guard<std::mutex> Lock(QueueLock);
    FLetGo = true;
    if (!FEnded) ++LetGoRunning;
    DropRequests(true);
  }
  QueueServed.notify_all();
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
    FEnded = true;
    if (FLetGo && --LetGoRunning == 0) LetGoEnded.notify_all();
    if (FFreeing) return;
    TRequest End;
    End.Thread = this;
    Queue.push_back(std::move(End));
  }
  WakeMainThread();
}

void TThread::Synchronize(const std::function<void()>& Method) {
  bool Done = false;
  {
    std::lock_guard<std::mutex> Lock(QueueLock);
    if (FFreeing || FLetGo) return;
    TRequest Call;
    Call.Thread = this;
    Call.Method = &Method;
    Call.Done = &Done;
    Queue.push_back(std::move(Call));
  }
  WakeMainThread();
  std::unique_lock<std::mutex> Lock(QueueLock);
  QueueServed.wait(Lock, [&] { return Done; });
}

void TThread::DoTerminate() {
  FEndServed = true;
  if (FLetGo) return;  // nobody is left to hear of it
  if (FFatalException) Application().Guard([this] { std::rethrow_exception(FFatalException); });
  if (OnTerminate) Application().Guard([this] { OnTerminate(this); });
}

void CheckSynchronize() {
  for (;;) {
    TRequest Request;
    {
      std::lock_guard<std::mutex> Lock(QueueLock);
      if (Queue.empty()) return;
      Request = std::move(Queue.front());
      Queue.pop_front();
    }
    if (Request.Posted) {
      Application().Guard(Request.Posted);
      continue;
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

bool WaitForThreadsLetGo(int Milliseconds) {
  std::vector<TThread*> Ended;
  bool AllEnded;
  {
    std::unique_lock<std::mutex> Lock(QueueLock);
    AllEnded = LetGoEnded.wait_for(Lock, std::chrono::milliseconds(Milliseconds),
                                   [] { return LetGoRunning == 0; });
    // Only their ends: nothing else of the program runs from here.
    for (auto It = Queue.begin(); It != Queue.end();) {
      if (It->Thread && !It->Method && It->Thread->FLetGo) {
        Ended.push_back(It->Thread);
        It = Queue.erase(It);
      } else {
        ++It;
      }
    }
  }
  for (TThread* Thread : Ended) delete Thread;
  return AllEnded;
}

void QueueCall(const void* Owner, std::function<void()> Call) {
  PrepareMainThreadWake();
  {
    std::lock_guard<std::mutex> Lock(QueueLock);
    TRequest Request;
    Request.Owner = Owner;
    Request.Posted = std::move(Call);
    Queue.push_back(std::move(Request));
  }
  WakeMainThread();
}

void RemoveQueuedCalls(const void* Owner) {
  std::lock_guard<std::mutex> Lock(QueueLock);
  for (auto It = Queue.begin(); It != Queue.end();) {
    if (It->Posted && It->Owner == Owner)
      It = Queue.erase(It);
    else
      ++It;
  }
}

}  // namespace lantern
