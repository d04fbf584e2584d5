// The application watcher on its own over the tree (the library, the scans, the drive filters,
// the masks), and in the main window (the first start, the timer, the commands' deletes).
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "main/Main.h"
#include "main/Watcher.h"
#include "model/FilterList.h"
#include "model/SeekIconThread.h"
#include "support/FakeProcesses.h"
#include "support/MainFixture.h"
#include "support/TreeFixture.h"

namespace lantern {
namespace {

// The programs the tests run: the drives' types are set by each fixture.
const char* const Programs[] = {"C:\\Tools\\app.exe", "C:\\Tools\\setup.exe", "D:\\game.exe",
                                "E:\\stick.exe", "F:\\mapped.exe"};

class WatcherPartTest : public TreeFixture {
 protected:
  void SetUp() override {
    TreeFixture::SetUp();
    Files.MapDrive(Disk.Path());
    for (char Letter : {'D', 'E', 'F'}) {
      Drives.push_back(std::make_unique<TTempFolder>());
      Files.MapOtherDrive(Letter, Drives.back()->Path());
    }
    for (const char* Path : Programs) {
      const std::string Real = Files.RealPath(Path);
      PlatformFileSystem().CreateFolders(Real.substr(0, Real.find_last_of("/\\")));
      WriteFileBytes(Real, "MZ");
    }
    Files.DriveTypes = {{'D', dtCdRom}, {'E', dtRemovable}, {'F', dtRemote}};
    Old = {SetFileSystem(&Files), SetProcesses(&Procs), SetDialogs(&Boxes), SetSystem(&Sys)};
    Root->Filters().Add("*\\SETUP.EXE");
  }
  void TearDown() override {
    Watcher.reset();
    SetFileSystem(std::get<0>(Old));
    SetProcesses(std::get<1>(Old));
    SetDialogs(std::get<2>(Old));
    SetSystem(std::get<3>(Old));
    TreeFixture::TearDown();
  }
  TWatcher& Make() {
    Watcher = std::make_unique<TWatcher>(*Root, Settings);
    return *Watcher;
  }
  std::vector<std::string> Top() { return ChildNames(Root.get()); }

  TTempFolder Disk;                                  // drive C:
  std::vector<std::unique_ptr<TTempFolder>> Drives;  // D:, E:, F:
  TFakeFileSystem Files;
  TFakeProcesses Procs;
  TFakeDialogs Boxes;
  TFakeSystem Sys;
  std::tuple<TFileSystem*, TProcessService*, TDialogService*, TSystem*> Old;
  TSettings Settings;
  std::unique_ptr<TWatcher> Watcher;
};

TEST_F(WatcherPartTest, TheLibraryLoadsOrTheSnapshotStandsIn) {
  struct {
    TFakeProcesses::TLoadFailure Failure;
    const char* Box;  // the error box; "" for none
    bool StatusList;  // the scans use the process-status list
  } Cases[] = {
      {TFakeProcesses::TLoadFailure::None, "", true},
      {TFakeProcesses::TLoadFailure::Library,
       "PSAPI.DLL がロードできません。アプリケーション監視機能が使えません。KEYHOOK.DLLがあるか、"
       "最新版かどうかを確認して再起動してください。",
       false},
      {TFakeProcesses::TLoadFailure::Address,
       "PSAPI "
       "のアドレスを取得できません。アプリケーション監視機能が使えません。KEYHOOK.DLLがあるか、"
       "最新版かどうかを確認して再起動してください。",
       false},
  };
  for (const auto& c : Cases) {
    Procs = TFakeProcesses();
    Procs.LoadFailure = c.Failure;
    Boxes.Texts.clear();
    Make().Scan();
    EXPECT_EQ(Boxes.Texts.empty() ? "" : Boxes.Texts[0], c.Box);
    EXPECT_EQ(Procs.StatusCalls, c.StatusList ? 1 : 0);
    EXPECT_EQ(Procs.SnapshotCalls, c.StatusList ? 0 : 1);
    Watcher.reset();
    EXPECT_EQ(Procs.UnloadCalls, 1);
  }
}

TEST_F(WatcherPartTest, WhatRunsAtTheFirstStartGoesToTheTrashUntickedAndIsNotOfferedAgain) {
  Procs.StatusList = {"C:\\Tools\\app.exe"};
  Make().StartUpScan();
  EXPECT_EQ(Top(), std::vector<std::string>{Trash->Name()});
  ASSERT_EQ(Trash->Count(), 1);
  EXPECT_EQ(Trash->Items(0)->Name(), "app");
  EXPECT_FALSE(Trash->Items(0)->Visible());
  Watcher->Scan();
  EXPECT_EQ(Top().size(), 1u);
}

TEST_F(WatcherPartTest, AScanEveryIntervalTicksUnlessResting) {
  Settings.WatchAppInterval = 2;
  Make();
  Procs = TFakeProcesses();
  for (bool Resting : {false, false, false, true, true, true, false}) Watcher->Tick(Resting);
  EXPECT_EQ(Procs.StatusCalls + Procs.SnapshotCalls, 2);  // at the first and the seventh tick
}

TEST_F(WatcherPartTest, AStillRunningProgramsFileIsNotAskedForAgainButAReturningOneIs) {
  Make();
  Procs.StatusList = {"C:\\Tools\\app.exe"};
  Watcher->Scan();
  ASSERT_EQ(Top().back(), "app");
  int Asked = 0;
  Files.OnFileExists = [&] { ++Asked; };
  const int Finds = Files.FindCalls;
  Watcher->Scan();
  EXPECT_EQ(Asked, 0);
  EXPECT_EQ(Files.FindCalls, Finds);
  // Ended, its file gone, then listed again (a stale entry would count a start).
  Procs.StatusList = {};
  Watcher->Scan();
  ASSERT_TRUE(PlatformFileSystem().RemoveFile(Files.RealPath("C:\\Tools\\app.exe")));
  Procs.StatusList = {"C:\\Tools\\app.exe"};
  Watcher->Scan();
  EXPECT_GT(Asked, 0);
  EXPECT_EQ(Root->Items(1)->RunCount(), 0);
}

TEST_F(WatcherPartTest, ProgramsOnRemovableMediaCdsAndSharesAsTheSettingsSay) {
  Settings.NotWatchNetwortApp = true;
  Make();
  Procs.StatusList = {"D:\\game.exe",       "E:\\stick.exe",
                      "F:\\mapped.exe",     "\\\\server\\share\\remote.exe",
                      "C:\\Tools\\app.exe", "C:\\Tools\\setup.exe"};
  Watcher->Scan();
  // A mapped drive letter is a program like any other; the share path is not watched.
  EXPECT_EQ(Top(), (std::vector<std::string>{Trash->Name(), "mapped", "app"}));
}

TEST_F(WatcherPartTest, NothingIsWatchedWhenTheWatcherIsOff) {
  Settings.UseWatchApp = false;
  Procs.StatusList = {"C:\\Tools\\app.exe"};
  Make().Scan();
  EXPECT_EQ(Top().size(), 1u);
  // Not even listed: an idle resident program does not walk the processes.
  EXPECT_EQ(Procs.StatusCalls + Procs.SnapshotCalls, 0);
}

TEST_F(WatcherPartTest, AMalformedMaskIsToldOnceAndExcludesNothingMeanwhile) {
  Root->Filters().Add("[a-");
  Procs.StatusList = {"C:\\Tools\\app.exe"};
  Make().Scan();
  Watcher->Scan();
  EXPECT_EQ(Boxes.Texts, std::vector<std::string>{InvalidMaskText("[a-", 1)});
  EXPECT_EQ(Top().back(), "app");  // the scans went on
}

// Services and helpers run unseen: only a program that shows a window of its own becomes a
// launcher, never Lantern itself; any process still counts a start of a launcher the tree has.
TEST_F(WatcherPartTest, OnlyAProgramWithAWindowOfItsOwnBecomesALauncher) {
  struct {
    const char* Path;
    bool Windowed, Own;
    const char* Launcher;  // the launcher it becomes; "" for none
  } Cases[] = {
      {"C:\\Tools\\app.exe", true, false, "app"},
      {"C:\\Tools\\service.exe", false, false, ""},
      {"C:\\Tools\\Lantern.exe", true, true, ""},
  };
  Make();
  std::vector<std::string> Expected{Trash->Name()};
  for (const auto& c : Cases) {
    WriteFileBytes(Files.RealPath(c.Path), "MZ");
    Procs.StatusList.push_back(c.Path);
    Procs.Ids[c.Path] = 10 + static_cast<unsigned long>(Procs.StatusList.size());
    if (!c.Windowed) Procs.Windowless.insert(c.Path);
    if (c.Own) Procs.OwnId = Procs.Ids[c.Path];
    if (*c.Launcher) Expected.push_back(c.Launcher);
  }
  Watcher->Scan();
  Watcher->Scan();  // a second look changes nothing
  EXPECT_EQ(Top(), Expected);
  // Made by the user, the unseen program's launcher counts its next start.
  TLauncherExec* Made = AddLauncher(Root.get(), "service", "C:\\Tools\\service.exe");
  Procs.StatusList = {};
  Watcher->Scan();
  Procs.StatusList = {"C:\\Tools\\service.exe"};
  Watcher->Scan();
  EXPECT_EQ(Made->RunCount(), 1);
}

}  // namespace
}  // namespace lantern

namespace lantern {
namespace {

class WatcherTest : public MainFixture {
 protected:
  void SetUp() override {
    MainFixture::SetUp();
    for (char Letter : {'D', 'E', 'F'}) {
      Drives.push_back(std::make_unique<TTempFolder>());
      Files.MapOtherDrive(Letter, Drives.back()->Path());
    }
    for (const char* Path : {"C:\\Tools\\app.exe", "C:\\Tools\\setup.exe", "D:\\game.exe",
                             "E:\\stick.exe", "F:\\mapped.exe"}) {
      PlatformFileSystem().CreateFolders(ExtractDir(Real(Path)));
      WriteFileBytes(Real(Path), "MZ");
    }
    Files.DriveTypes = {{'D', dtCdRom}, {'E', dtRemovable}, {'F', dtRemote}};
  }
  static std::string ExtractDir(const std::string& Path) {
    return Path.substr(0, Path.find_last_of("/\\"));
  }
  std::vector<std::unique_ptr<TTempFolder>> Drives;  // D:, E:, F:
  // The names of the root's items.
  std::vector<std::string> Top() {
    std::vector<std::string> Names;
    for (int i = 0; i < Main->Root()->Count(); ++i) Names.push_back(Main->Root()->Items(i)->Name());
    return Names;
  }
  // Runs the timer until the next scan has run.
  void TickToScan() {
    for (int i = 0; i <= Main->Settings().WatchAppInterval; ++i) Main->Timer1.Tick();
  }
};

TEST_F(WatcherTest, TheFirstStartPutsWhatRunsInTheTrash) {
  Procs.StatusList = {"C:\\Tools\\app.exe"};
  EXPECT_EQ(Start().Root()->RecycledFolder()->Count(), 1);
}

TEST_F(WatcherTest, TheTimersScansAddNewProgramsAndRestWhileItemsAreHeld) {
  TLanternMain& M = Start();
  Procs.StatusList = {"C:\\Tools\\app.exe"};
  M.SetCutPending(true);
  TickToScan();
  EXPECT_EQ(Top().size(), 1u);  // resting while a cut waits
  M.SetCutPending(false);
  TickToScan();
  EXPECT_EQ(Top(), (std::vector<std::string>{"ゴミ入れ", "app"}));
}

TEST_F(WatcherTest, AProgramAddedMeanwhileLeavesTheUsersChoiceInTheListAsItWas) {
  TLanternMain& M = Start();
  TLauncherExec* Chosen = M.Root()->Add(std::make_unique<TLauncherExec>(M.Root()));
  Chosen->ListItem()->SetSelected(true);
  Chosen->ListItem()->SetFocused(true);
  Procs.StatusList = {"C:\\Tools\\app.exe"};
  TickToScan();
  ASSERT_EQ(Top().back(), "app");  // the list was filled again
  ASSERT_NE(Chosen->ListItem(), nullptr);
  EXPECT_TRUE(Chosen->ListItem()->Selected());
  EXPECT_TRUE(Chosen->ListItem()->Focused());
  EXPECT_EQ(M.ListView1.Selected(), Chosen->ListItem());
}

}  // namespace
}  // namespace lantern

namespace lantern {
namespace {

// The exit waits for a fetch that a share holds, but only so long: one that answers in time
// ends with the program, one that does not is left behind.
TEST_F(WatcherTest, TheTreeIsSavedBeforeTheExitWaitsAWhileForAFetchThatHangs) {
  const std::thread::id UserInterface = std::this_thread::get_id();
  for (int AnswerMs : {30, 4 * TLanternMain::ExitFetchWaitMs}) {
    TLanternMain& M = Start();
    std::atomic<bool> Open{false};
    // Only the fetch's own question hangs, as a share that does not answer would.
    Files.OnFileExists = [&] {
      if (std::this_thread::get_id() == UserInterface) return;
      while (!Open) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    };
    TLauncherExec* Launcher = M.Root()->Add(std::make_unique<TLauncherExec>(M.Root()));
    Launcher->SetFileName("\\\\SRV\\SHARE\\hangs.exe");
    ASSERT_NE(Launcher->IconThread(), nullptr);
    M.ExitAction.Execute();
    EXPECT_TRUE(M.Closed());
    EXPECT_NE(ReadFileBytes(Real(DataFile)).find("\\\\SRV\\SHARE\\hangs.exe"), std::string::npos);
    std::thread Share([&] {
      for (int i = 0; i < AnswerMs && !Open; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      Open = true;
    });
    Main.reset();
    EXPECT_EQ(Open.load(), AnswerMs < TLanternMain::ExitFetchWaitMs) << AnswerMs;
    Open = true;
    Share.join();
    EXPECT_TRUE(WaitForThreadsLetGo(5000));
    Files.OnFileExists = nullptr;
  }
}

}  // namespace
}  // namespace lantern

namespace lantern {
namespace {

TEST_F(WatcherTest, AProgramDeletedForGoodStaysGoneUntilItIsStartedAnew) {
  const std::string App = "C:\\Tools\\app.exe";
  for (bool ByEmptyingTheTrash : {false, true}) {
    TLanternMain& M = Start();
    Procs.StatusList = {App};
    Procs.Ids[App] = 100;
    TickToScan();
    ASSERT_EQ(Top(), (std::vector<std::string>{"ゴミ入れ", "app"}));
    M.ListView1.SetFocus();
    M.Root()->Items(1)->ListItem()->SetSelected(true);
    Boxes.Answers.push_back(mrYes);
    if (ByEmptyingTheTrash) {
      M.MoveRecycled.Execute();
      M.TreeView1.SetFocus();
      M.TreeView1.SetSelected(M.Root()->RecycledFolder()->TreeNode());
      M.EmptyTrashAction.Execute();
    } else {
      M.DeleteObj.Execute();
    }
    ASSERT_EQ(Top(), std::vector<std::string>{"ゴミ入れ"});
    ASSERT_EQ(M.Root()->RecycledFolder()->Count(), 0);
    TickToScan();  // the same process runs on
    EXPECT_EQ(Top(), std::vector<std::string>{"ゴミ入れ"});
    Procs.StatusList = {};
    TickToScan();
    Procs.StatusList = {App};
    Procs.Ids[App] = 200;
    TickToScan();
    EXPECT_EQ(Top(), (std::vector<std::string>{"ゴミ入れ", "app"}));
  }
}

}  // namespace
}  // namespace lantern
