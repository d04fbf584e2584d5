#pragma once
// A process service that answers from scripted lists and counts what it was asked.
#include <map>
#include <set>
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
  std::vector<TRunningProcess> ListByProcessStatus() override;
  std::vector<TRunningProcess> ListBySnapshot() override;
  unsigned long CurrentProcessId() const override { return OwnId; }

  // The listed paths; each is a windowed process unless Windowless names it, with the id
  // Ids gives it, else 100 + its place in the list.
  std::vector<std::string> StatusList, SnapshotList;
  std::set<std::string> Windowless;
  std::map<std::string, unsigned long> Ids;
  unsigned long OwnId = 1;
  TLoadFailure LoadFailure = TLoadFailure::None;  // which text LoadPSAPI raises
  bool Loaded = false;
  int LoadCalls = 0, UnloadCalls = 0, StatusCalls = 0, SnapshotCalls = 0;

 private:
  std::vector<TRunningProcess> Running(const std::vector<std::string>& Paths) const;
};

// The paths of a listing, in its order.
inline std::vector<std::string> ProcessPaths(const std::vector<TRunningProcess>& List) {
  std::vector<std::string> Paths;
  for (const TRunningProcess& Process : List) Paths.push_back(Process.Path);
  return Paths;
}

}  // namespace lantern
