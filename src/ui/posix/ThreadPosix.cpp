// Without windows nothing wakes the user-interface thread: the program (a test) serves the
// queue through Application().ProcessMessages().
#include "ui/Thread.h"

namespace lantern {

void PrepareMainThreadWake() {}
void WakeMainThread() {}
void WorkerThreadStarting() {}
void WorkerThreadEnding() {}

}  // namespace lantern
