// The watcher's shortcut against the plain walk: two equal random trees, the same random
// sequence of scans and edits, one tree matched by walking it for every path, the other
// through AddRunningFile as the program calls it. Every item must end up the same after
// every scan: order, counts, running flags.
#include <gtest/gtest.h>

#include <random>

#include "model/FilterList.h"
#include "model/Root.h"
#include "support/FakeFileSystem.h"
#include "support/FakeShell.h"

namespace lantern {
namespace {

const std::vector<std::string> Pool = {"C:\\P\\a.exe", "C:\\P\\b.exe",     "C:\\P\\c.exe",
                                       "C:\\P\\d.exe", "C:\\P\\e.exe",     "C:\\P\\f.exe",
                                       "C:\\Q\\g.exe", "C:\\Q\\SETUP.EXE", "C:\\Q\\gone.exe"};

std::string Describe(TRoot& Root) {
  std::string Text = std::to_string(Root.WatchChanged()) + std::to_string(Root.MenuDirty()) + "\n";
  for (TExecItemIterator It(&Root); !It.Done(); It.Next()) {
    TExecItem* Item = It.Current();
    Text += std::string(Item->Depth(), ' ') + Item->Name() + "|" + Item->FileName() + "|" +
            std::to_string(Item->RunCount()) + std::to_string(Item->WasRunning()) +
            std::to_string(Item->IsRunning()) + std::to_string(Item->Visible()) +
            std::to_string(Item->FixedPosition()) + "\n";
  }
  return Text;
}

// Every item of the tree in pre-order, the root first.
std::vector<TExecItem*> Items(TRoot& Root) {
  std::vector<TExecItem*> Result;
  for (TExecItemIterator It(&Root); !It.Done(); It.Next()) Result.push_back(It.Current());
  return Result;
}

std::vector<TCompositeItem*> Groups(TRoot& Root) {
  std::vector<TCompositeItem*> Result;
  for (TExecItem* Item : Items(Root))
    if (Item->IsGroup()) Result.push_back(Item->AsGroup());
  return Result;
}

// One edit, the same on either tree: the random numbers pick items by their pre-order index.
void Edit(TRoot& Root, int Kind, unsigned A, unsigned B) {
  std::vector<TExecItem*> All = Items(Root);
  std::vector<TCompositeItem*> Folders = Groups(Root);
  TExecItem* Item = All[A % All.size()];
  TCompositeItem* Group = Folders[B % Folders.size()];
  switch (Kind) {
    case 0: {
      auto* Launcher = Group->Add(std::make_unique<TLauncherExec>(Group));
      Launcher->SetName("L" + std::to_string(A % 100));
      Launcher->SetFileName(Pool[A % Pool.size()]);
      break;
    }
    case 1:
      if (Item != &Root && !Item->IsRecycledFolder()) Item->Parent()->AsGroup()->Remove(Item);
      break;
    case 2:  // a move to another group, unless into itself
      if (Item != &Root && !Item->IsRecycledFolder() && !Group->IsInside(Item) && Group != Item)
        Group->Add(Item->Parent()->AsGroup()->Remove(Item));
      break;
    case 3: Item->SetVisible(!Item->Visible()); break;
    case 4: Item->SetFixedPosition(!Item->FixedPosition()); break;
    case 5: Root.SetUpperFirst(!Root.UpperFirst()); break;
    case 6: Root.SetMoveFirstPosition(!Root.MoveFirstPosition()); break;
    default:
      if (!Item->IsGroup()) Item->SetFileName(Pool[B % Pool.size()]);
      break;
  }
}

void Build(TRoot& Root, std::mt19937& Random) {
  Root.Filters().Add("*\\SETUP.EXE");
  Root.Add(std::make_unique<TRecycledFolder>(&Root));
  for (int i = 0; i < 6; ++i) {
    std::vector<TCompositeItem*> Folders = Groups(Root);
    TCompositeItem* Parent = Folders[Random() % Folders.size()];
    Parent->Add(std::make_unique<TFolder>(Parent))->SetName("G" + std::to_string(i));
  }
  for (int i = 0; i < 25; ++i) Edit(Root, 0, Random(), Random());
}

class WatchDifferentialTest : public ::testing::TestWithParam<unsigned> {
 protected:
  void SetUp() override {
    for (const std::string& Path : Pool)
      if (Path.find("gone") == std::string::npos) Files.AddFile(Path);
    OldFiles = SetFileSystem(&Files);
    OldShell = SetShell(&Shell);
  }
  void TearDown() override {
    SetShell(OldShell);
    SetFileSystem(OldFiles);
  }
  // The walk for every path, as the tree was first built to be scanned.
  void WalkScan(TRoot& Root, const std::vector<std::string>& Running) {
    Root.BeginWatchScan();
    for (const std::string& Path : Running) {
      if (!Files.FileExists(Path) || Root.Filters().Matches(Path)) continue;
      if (!Root.MatchRunningFile(Path)) Root.AddRunningFile(Path);
    }
  }
  void Scan(TRoot& Root, const std::vector<std::string>& Running) {
    Root.BeginWatchScan();
    for (const std::string& Path : Running) Root.AddRunningFile(Path);
  }
  TFakeFileSystem Files;
  TFakeShell Shell;
  TFileSystem* OldFiles = nullptr;
  TShell* OldShell = nullptr;
};

TEST_P(WatchDifferentialTest, ScansGiveWhatTheWalkGives) {
  std::mt19937 Random(GetParam());
  TRoot Walked, Indexed;
  std::mt19937 Same = Random;
  Build(Walked, Random);
  Build(Indexed, Same);
  ASSERT_EQ(Describe(Walked), Describe(Indexed));
  std::vector<std::string> Running;
  for (int Step = 0; Step < 80; ++Step) {
    const unsigned Choice = Random() % 10;
    if (Choice < 3) {
      // A program starts or ends; a program may run twice.
      if (!Running.empty() && Random() % 2)
        Running.erase(Running.begin() + Random() % Running.size());
      else
        Running.insert(Running.begin() + Random() % (Running.size() + 1),
                       Pool[Random() % Pool.size()]);
    } else if (Choice < 5) {
      const int Kind = static_cast<int>(Random() % 8);
      const unsigned A = Random(), B = Random();
      Edit(Walked, Kind, A, B);
      Edit(Indexed, Kind, A, B);
    }
    // Otherwise nothing changed since the last scan: the common case.
    WalkScan(Walked, Running);
    Scan(Indexed, Running);
    ASSERT_EQ(Describe(Walked), Describe(Indexed)) << "step " << Step;
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, WatchDifferentialTest, ::testing::Range(1u, 151u));

}  // namespace
}  // namespace lantern
