// libFuzzer target for the data file reader. Any bytes, read as a data file into the tree as
// the main window sets it up (windowless views, the root current), must neither crash nor
// leak; what was read is shown in the launcher menu, measured and drawn; and the first save
// after the load must be a fixed point: load A, save B, load B, save C gives B == C. A load
// of A that raises the program's error is fine (what was read stays, and is saved); a load of
// B, which the program wrote itself, must not raise. Then the tree meets what else a loaded
// tree meets: the long names of its paths, copies pasted and freed, the watcher's scans.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "base/Exception.h"
#include "model/PopupMenuEx.h"
#include "model/Root.h"
#include "support/FakeFileSystem.h"
#include "support/StartedTree.h"
#include "ui/Canvas.h"
#include "ui/ImageList.h"
#include "ui/ListView.h"
#include "ui/Stream.h"
#include "ui/TreeView.h"

namespace lantern {
namespace {

[[noreturn]] void Fail(const char* What, const std::string& Detail) {
  std::fprintf(stderr, "datafile_fuzz: %s\n%s\n", What, Detail.c_str());
  std::fflush(stderr);
  std::abort();
}

// False when the load stopped with the program's error.
bool Load(TRoot& Root, const std::string& Bytes) {
  TMemoryStream Stream(Bytes);
  try {
    Root.LoadTree(Stream);
    return true;
  } catch (const Exception&) {
    return false;
  }
}

std::string Save(TRoot& Root) {
  TMemoryStream Stream;
  Root.SaveToStream(Stream);
  return Stream.Bytes();
}

// Every entry measured, then drawn highlighted in the rectangle it asked for.
void Paint(TMenuItem& Level, TRecordingCanvas& Canvas) {
  for (int i = 0; i < Level.Count(); ++i) {
    TMenuItem* Entry = Level.Items(i);
    int Width = 0, Height = 0;
    if (Entry->OnMeasureItem) Entry->OnMeasureItem(Entry, Canvas, Width, Height);
    if (Entry->OnDrawItem) Entry->OnDrawItem(Entry, Canvas, {0, 0, Width, Height}, true);
    Canvas.Records.clear();
    Paint(*Entry, Canvas);
  }
}

// Long names of every path, a copy of every item pasted into the root, two scans of the
// watcher with some of the paths running.
void UseTheTree(TRoot& Root) {
  TFakeFileSystem Files;
  Files.AddFile("C:\\Program Files\\表示ソフト\\soft.exe", "SOFT~1.EXE");
  Files.AddFile("\\\\SERVER\\share\\Dir\\File.txt");
  TFileSystem* Old = SetFileSystem(&Files);
  std::vector<std::string> Paths;
  std::vector<std::unique_ptr<TExecItem>> Copies;
  for (TExecItemIterator It(&Root); !It.Done(); It.Next()) {
    Paths.push_back(It.Current()->FileName());
    ExpandLongPath(Paths.back());
    // A copy of a group copies all below it: the first few items are enough.
    if (Copies.size() < 32) Copies.push_back(It.Current()->Clone());
  }
  SetFileSystem(Old);
  // Each path matched walks the whole tree; a few distinct ones are enough.
  std::sort(Paths.begin(), Paths.end());
  Paths.erase(std::unique(Paths.begin(), Paths.end()), Paths.end());
  if (Paths.size() > 8) Paths.resize(8);
  for (int Scan = 0; Scan < 2; ++Scan) {
    Root.BeginWatchScan();
    for (const std::string& Path : Paths) Root.MatchRunningFile(Path);
  }
  // Pasted into the root, a copy nests no deeper than its source.
  for (auto& Copy : Copies)
    if (Copy) Root.Add(std::move(Copy));
}

}  // namespace
}  // namespace lantern

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  using namespace lantern;
  TProgram Program;
  TRoot& Root = *Program.Root;
  Load(Root, std::string(reinterpret_cast<const char*>(Data), Size));

  TPopupMenuEx Menu;
  Root.SetMenuDirty(true);
  Root.BuildMenu(&Menu, nullptr);
  TRecordingCanvas Canvas;
  Paint(Menu.Items(), Canvas);

  const std::string First = Save(Root);
  if (!Load(Root, First)) Fail("a saved file did not read back", First);
  const std::string Second = Save(Root);
  if (Second != First)
    Fail("the first save after a load is no fixed point", First + "\n----\n" + Second);
  UseTheTree(Root);
  return 0;
}
