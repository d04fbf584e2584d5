// Without Windows there is no process-status library to load and no process to list.
#include "ui/Processes.h"

namespace lantern {

namespace {
class TNoProcesses : public TProcessService {
 public:
  bool LoadPSAPI() override { return false; }
  void UnloadPSAPI() override {}
  bool PSAPILoaded() const override { return false; }
  std::vector<TRunningProcess> ListByProcessStatus() override { return {}; }
  std::vector<TRunningProcess> ListBySnapshot() override { return {}; }
  unsigned long CurrentProcessId() const override { return 0; }
};
}  // namespace

TProcessService& PlatformProcesses() {
  static TNoProcesses Instance;
  return Instance;
}

}  // namespace lantern
