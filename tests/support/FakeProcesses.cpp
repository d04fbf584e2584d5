#include "support/FakeProcesses.h"

#include "base/Exception.h"

namespace lantern {

bool TFakeProcesses::LoadPSAPI() {
  ++LoadCalls;
  if (LoadFailure == TLoadFailure::Library) throw Exception("PSAPI.DLL がロードできません。");
  if (LoadFailure == TLoadFailure::Address) throw Exception("PSAPI のアドレスを取得できません。");
  Loaded = true;
  return true;
}

void TFakeProcesses::UnloadPSAPI() {
  ++UnloadCalls;
  Loaded = false;
}

std::vector<TRunningProcess> TFakeProcesses::Running(const std::vector<std::string>& Paths) const {
  std::vector<TRunningProcess> Result;
  for (std::size_t i = 0; i < Paths.size(); ++i) {
    auto Id = Ids.find(Paths[i]);
    Result.push_back({Paths[i], Id != Ids.end() ? Id->second : 100 + static_cast<unsigned long>(i),
                      Windowless.count(Paths[i]) == 0});
  }
  return Result;
}

std::vector<TRunningProcess> TFakeProcesses::ListByProcessStatus() {
  ++StatusCalls;
  return Running(Loaded ? StatusList : std::vector<std::string>());
}

std::vector<TRunningProcess> TFakeProcesses::ListBySnapshot() {
  ++SnapshotCalls;
  return Running(SnapshotList);
}

}  // namespace lantern
