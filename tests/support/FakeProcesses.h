#pragma once
// A process service that answers from scripted lists and counts what it was asked.
#include <string>
#include <vector>

#include "ui/Processes.h"

namespace lantern {

class TFakeProcesses : public TProcessService {
 public:
  enum class TLoadFailure { None, Library, Address };

  bool LoadPSAPI() override;
  void UnloadPSAPI() override;
  bool PSAPILoaded() const override { return Loaded; }
  // StatusList while loaded, as the real one, which needs the library; empty otherwise.
  std::vector<std::string> ListByProcessStatus() override;
  std::vector<std::string> ListBySnapshot() override;

  std::vector<std::string> StatusList, SnapshotList;
  TLoadFailure LoadFailure = TLoadFailure::None;  // which text LoadPSAPI raises
  bool Loaded = false;
  int LoadCalls = 0, UnloadCalls = 0, StatusCalls = 0, SnapshotCalls = 0;
};

}  // namespace lantern
