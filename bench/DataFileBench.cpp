// Loading and saving the data file, each beside a plain buffered read or write of the same
// bytes. Trees of 1,000 and 10,000 launchers in nested groups, with the views and the icon
// list attached as in the running program.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "BenchTree.h"
#include "support/TempFolder.h"

namespace lantern {
namespace {

struct TDataFile {
  TTempFolder Folder;
  std::string Name;
  std::string Bytes;
  explicit TDataFile(int Launchers) : Name(Folder / "bench.dat") {
    TProgram Program;
    int Left = Launchers;
    while (Left > 0) {
      TFolder* Top = Program.Root->Add(std::make_unique<TFolder>(Program.Root.get()));
      Fill(Top, Left, 1);
    }
    Program.Root->SaveToFile(Name);
    Bytes = ReadFileBytes(Name);
  }
};

TDataFile& File(int Launchers) {
  static TDataFile Small(1000), Large(10000);
  return Launchers == 1000 ? Small : Large;
}

void BM_LoadFromFile(benchmark::State& State) {
  TDataFile& Data = File(static_cast<int>(State.range(0)));
  TProgram Program;
  for (auto _ : State) Program.Root->LoadFromFile(Data.Name);
  State.SetBytesProcessed(State.iterations() * Data.Bytes.size());
}

void BM_PlainRead(benchmark::State& State) {
  TDataFile& Data = File(static_cast<int>(State.range(0)));
  std::string Buffer(64 * 1024, '\0');
  for (auto _ : State) {
    std::FILE* f = std::fopen(Data.Name.c_str(), "rb");
    std::size_t Total = 0;
    while (std::size_t n = std::fread(&Buffer[0], 1, Buffer.size(), f)) Total += n;
    std::fclose(f);
    benchmark::DoNotOptimize(Total);
  }
  State.SetBytesProcessed(State.iterations() * Data.Bytes.size());
}

// The least any line-based reader does: the same bytes split into line strings.
void BM_PlainLineRead(benchmark::State& State) {
  TDataFile& Data = File(static_cast<int>(State.range(0)));
  for (auto _ : State) {
    std::ifstream In(Data.Name, std::ios::binary);
    std::string Line;
    std::size_t Lines = 0;
    while (std::getline(In, Line)) ++Lines;
    benchmark::DoNotOptimize(Lines);
  }
  State.SetBytesProcessed(State.iterations() * Data.Bytes.size());
}

void BM_SaveToFile(benchmark::State& State) {
  TDataFile& Data = File(static_cast<int>(State.range(0)));
  TProgram Program;
  Program.Root->LoadFromFile(Data.Name);
  std::string Target = Data.Folder / "save.dat";
  for (auto _ : State) Program.Root->SaveToFile(Target);
  State.SetBytesProcessed(State.iterations() * Data.Bytes.size());
}

// The same bytes through stdio; with Durable, flushed to the disk as the save does.
void PlainWrite(benchmark::State& State, bool Durable) {
  TDataFile& Data = File(static_cast<int>(State.range(0)));
  std::string Target = Data.Folder / "plain.dat";
  for (auto _ : State) {
    std::FILE* f = std::fopen(Target.c_str(), "wb");
    std::fwrite(Data.Bytes.data(), 1, Data.Bytes.size(), f);
    std::fflush(f);
    if (Durable) fsync(fileno(f));
    std::fclose(f);
  }
  State.SetBytesProcessed(State.iterations() * Data.Bytes.size());
}
void BM_PlainWrite(benchmark::State& State) { PlainWrite(State, false); }
void BM_PlainWriteDurable(benchmark::State& State) { PlainWrite(State, true); }

// Wide files: every item straight in the root (the current group, so each one gets a row
// as it is read), or every item a group of its own that is marked current. Loading must stay
// linear in the file's size: 100,000 items should take about ten times as long as 10,000.
std::string WideFile(int Items, bool Groups) {
  const std::string Colours = "-2147483633\r\n-2147483635\r\n-2147483630\r\n-2147483634\r\n";
  std::string Bytes = "[ROOT]\r\nR\r\n1\r\n0\r\n1\r\n" + Colours + "[ROOTCOMPOSITE]\r\n";
  for (int i = 0; i < Items; ++i) {
    if (Groups)
      Bytes += "[FOLDER]\r\nG" + std::to_string(i) + "\r\n1\r\n0\r\n1\r\n" + Colours +
               "0\r\n[FOLDERCOMPOSITE]\r\n[/FOLDER]\r\n";
    else
      Bytes += "[LAUNCHER]\r\nL" + std::to_string(i) + "\r\nC:\\a" + std::to_string(i) +
               ".exe\r\n1\r\n0\r\n0\r\n0\r\n\r\n\r\n" + Colours + "0\r\n[/LAUNCHER]\r\n";
  }
  return Bytes + "[/ROOT]\r\n";
}

void LoadWide(benchmark::State& State, bool Groups) {
  TTempFolder Folder;
  std::string Name = Folder / "wide.dat";
  std::string Bytes = WideFile(static_cast<int>(State.range(0)), Groups);
  WriteFileBytes(Name, Bytes);
  TProgram Program;
  for (auto _ : State) Program.Root->LoadFromFile(Name);
  State.SetBytesProcessed(State.iterations() * Bytes.size());
}
void BM_LoadWideLaunchers(benchmark::State& State) { LoadWide(State, false); }
void BM_LoadWideCurrentGroups(benchmark::State& State) { LoadWide(State, true); }

BENCHMARK(BM_LoadFromFile)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainRead)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainLineRead)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveToFile)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainWrite)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainWriteDurable)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadWideLaunchers)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadWideCurrentGroups)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lantern

BENCHMARK_MAIN();
