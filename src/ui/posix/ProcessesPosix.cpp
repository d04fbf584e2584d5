// Without Windows there is no process-status library to load and no process to list.
#include "ui/Processes.h"

namespace lantern {

namespace {
class TNoProcesses : public TProcessService {
 public:
  bool LoadPSAPI() override { return false; }
  void UnloadPSAPI() override {}
  bool PSAPILoaded() const override { return false; }
  std::vector<std::string> ListByProcessStatus() override { return {}; }
  std::vector<std::string> ListBySnapshot() override { return {}; }
};
}  // namespace

TProcessService& PlatformProcesses() {
  static TNoProcesses Instance;
  return Instance;
}

}  // namespace lantern
