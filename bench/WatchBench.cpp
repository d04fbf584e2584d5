// One scan of the running programs when none started or ended since the last one: 300
// processes, all of them known, in a tree of 100, 1,000 or 10,000 launchers. The plain walk
// (every path looked for through the whole tree) beside the scan the program makes. The
// file system is the in-memory double, so both figures leave out the system's file calls.
#include <benchmark/benchmark.h>

#include "BenchTree.h"
#include "model/FilterList.h"
#include "support/FakeFileSystem.h"

namespace lantern {
namespace {

constexpr int Processes = 300;

struct TScanTree {
  TProgram Program;
  TFakeFileSystem Files;
  TFileSystem* OldFiles;
  std::vector<std::string> Running;

  explicit TScanTree(int Launchers) : OldFiles(SetFileSystem(&Files)) {
    TRoot& Root = *Program.Root;
    Root.Filters().Add("*\\SETUP.EXE");
    Root.Filters().Add("*.DLL");
    int Left = Launchers;
    while (Left > 0) {
      TFolder* Top = Root.Add(std::make_unique<TFolder>(&Root));
      Fill(Top, Left, 1);
    }
    std::vector<std::string> Paths;
    for (TExecItemIterator It(&Root); !It.Done(); It.Next())
      if (!It.Current()->IsGroup()) Paths.push_back(It.Current()->FileName());
    // Every launcher's program running, spread over the tree; in a small tree the rest are
    // programs the first scan adds (the system's own, as at a first start).
    for (int i = 0; i < Processes; ++i)
      Running.push_back(i < static_cast<int>(Paths.size())
                            ? Paths[i * Paths.size() / Processes]
                            : "C:\\Windows\\System32\\svc" + std::to_string(i) + ".exe");
    for (const std::string& Path : Running) Files.AddFile(Path);
  }
  ~TScanTree() { SetFileSystem(OldFiles); }

  void Walk() {
    TRoot& Root = *Program.Root;
    Root.BeginWatchScan();
    for (const std::string& Path : Running) {
      if (!Files.FileExists(Path) || Root.Filters().Matches(Path)) continue;
      if (!Root.MatchRunningFile(Path)) Root.AddRunningFile(Path);
    }
  }
  void Scan() {
    TRoot& Root = *Program.Root;
    Root.BeginWatchScan();
    // As the main window calls it: existence is known from the scan before.
    for (const std::string& Path : Running) Root.AddExistingRunningFile(Path, true);
  }
};

void BM_ScanWalk(benchmark::State& State) {
  TScanTree Tree(static_cast<int>(State.range(0)));
  Tree.Walk();
  Tree.Walk();
  for (auto _ : State) Tree.Walk();
}

void BM_Scan(benchmark::State& State) {
  TScanTree Tree(static_cast<int>(State.range(0)));
  Tree.Scan();
  Tree.Scan();
  for (auto _ : State) Tree.Scan();
}

BENCHMARK(BM_ScanWalk)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Scan)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace lantern

BENCHMARK_MAIN();
