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

std::vector<std::string> TFakeProcesses::ListByProcessStatus() {
  ++StatusCalls;
  return Loaded ? StatusList : std::vector<std::string>();
}

std::vector<std::string> TFakeProcesses::ListBySnapshot() {
  ++SnapshotCalls;
  return SnapshotList;
}

}  // namespace lantern
