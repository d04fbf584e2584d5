// Finding launchers as the user types, over 10,000 launchers in nested groups: a Find runs at
// every keystroke, so it is to stay well under 2 ms. The names are folded once per change of
// the tree; BM_FindAfterEdit measures that too.
#include <benchmark/benchmark.h>

#include "BenchTree.h"
#include "model/Search.h"

namespace lantern {
namespace {

struct TSearchTree {
  TProgram Program;
  TLauncherSearch Search{*Program.Root};
  TSearchTree() {
    int Left = 10000;
    while (Left > 0)
      Fill(Program.Root->Add(std::make_unique<TFolder>(Program.Root.get())), Left, 1);
  }
};

TSearchTree& Tree() {
  static TSearchTree Tree;
  return Tree;
}

// Queries of one to eight characters as typed: kana, romaji and latin; the labels in UTF-8.
const struct {
  const char* Query;
  const char* Label;
} Queries[] = {{"ラ", u8"ラ"},
               {"ランチ", u8"ランチ"},
               {"ランチャ1234", u8"ランチャ1234"},
               {"r", "r"},
               {"ran", "ran"},
               {"rantya", "rantya"},
               {"rancha12", "rancha12"},
               {"gu", "gu"},
               {"a", "a"},
               {"app", "app"},
               {"app12.ex", "app12.ex"},
               {"qz", "qz (none)"}};

void BM_Find(benchmark::State& State) {
  const auto& Query = Queries[State.range(0)];
  TSearchTree& T = Tree();
  std::size_t Hits = T.Search.Find(Query.Query, 50).size();
  for (auto _ : State) benchmark::DoNotOptimize(T.Search.Find(Query.Query, 50));
  State.SetLabel(std::string(Query.Label) + ", " + std::to_string(Hits) + " hits");
}

void BM_FindAfterEdit(benchmark::State& State) {
  TSearchTree& T = Tree();
  for (auto _ : State) {
    NoteTreeEdit();
    benchmark::DoNotOptimize(T.Search.Find("ran", 50));
  }
}

BENCHMARK(BM_Find)
    ->DenseRange(0, sizeof(Queries) / sizeof(Queries[0]) - 1)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindAfterEdit)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lantern

BENCHMARK_MAIN();
