// The launcher menu: rebuilding its entries from the tree, and measuring and drawing every
// entry of its top level as the menu does when it opens, for 100, 1,000 and 10,000 launchers
// side by side in the top group (the most entries one level can have). The timer rebuilds
// the menu within one 200 ms tick, so the build time is to stay far below that.
#include <benchmark/benchmark.h>

#include "BenchTree.h"
#include "model/PopupMenuEx.h"
#include "ui/Canvas.h"

namespace lantern {
namespace {

// A surface that draws nothing: what is measured is the entries' own work (the choice of
// colours and font, the text layout), not a rasteriser's.
class TNullCanvas : public TCanvas {
 public:
  void FillRect(const TRect&) override {}
  void WriteText(int, int, const std::string& Text) override { benchmark::DoNotOptimize(Text); }
  void WriteTextEllipsis(int, int, int, const std::string& Text, int) override {
    benchmark::DoNotOptimize(Text);
  }
  int TextWidth(const std::string& Text) override { return static_cast<int>(Text.size()) * 6; }
  void Draw(int, int, const TImageList&, int) override {}

 protected:
  void Line(int, int, int, int) override {}
};

struct TMenuTree {
  TProgram Program;
  TPopupMenuEx Menu;
  explicit TMenuTree(int Launchers) {
    for (int i = 0; i < Launchers; ++i) {
      TLauncherExec* L = Program.Root->Add(std::make_unique<TLauncherExec>(Program.Root.get()));
      L->SetName("ランチャ&" + std::to_string(i));
      L->SetFileName("C:\\Program Files\\app" + std::to_string(i) + ".exe");
    }
    Program.Root->SetMenuDirty(true);
    Program.Root->BuildMenu(&Menu, nullptr);
  }
};

void BM_BuildMenu(benchmark::State& State) {
  const int Launchers = static_cast<int>(State.range(0));
  TMenuTree Tree(Launchers);
  for (auto _ : State) {
    Tree.Program.Root->SetMenuDirty(true);
    Tree.Program.Root->BuildMenu(&Tree.Menu, nullptr);
  }
  State.counters["per_item"] = benchmark::Counter(
      Launchers, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_PaintTopLevel(benchmark::State& State) {
  const int Launchers = static_cast<int>(State.range(0));
  TMenuTree Tree(Launchers);
  TNullCanvas Canvas;
  TMenuItem& Top = Tree.Menu.Items();
  for (auto _ : State) {
    int Y = 0;
    for (int i = 0; i < Top.Count(); ++i) {
      TMenuItem* Entry = Top.Items(i);
      int Width = 0, Height = 0;
      Entry->OnMeasureItem(Entry, Canvas, Width, Height);
      Entry->OnDrawItem(Entry, Canvas, {0, Y, 200, Y + Height}, i == 0);
      Y += Height;
    }
    benchmark::DoNotOptimize(Y);
  }
  State.counters["per_item"] = benchmark::Counter(
      Launchers, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

BENCHMARK(BM_BuildMenu)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintTopLevel)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lantern

BENCHMARK_MAIN();
