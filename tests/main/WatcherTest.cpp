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
#include "support/EditFixture.h"
#include "support/FakeProcesses.h"
#include "support/MainFixture.h"
#include "support/TreeFixture.h"
#include "ui/MemoryRegistry.h"

namespace lantern {
namespace {

// The programs the tests run: the drives' types are set by each fixture.
const char* const Programs[] = {"C:\\Tools\\app.exe", "C:\\Tools\\setup.exe", "D:\\game.exe",
                                "E:\\stick.exe", "F:\\mapped.exe"};

class WatcherPartTest : public EditFixture {
 protected:
  void SetUp() override {
    EditFixture::SetUp();
    for (char Letter : {'D', 'E', 'F'}) {
      Drives.push_back(std::make_unique<TTempFolder>());
      Files.MapOtherDrive(Letter, Drives.back()->Path());
    }
    for (const char* Path : Programs) {
      const std::string File = Real(Path);
      PlatformFileSystem().CreateFolders(File.substr(0, File.find_last_of("/\\")));
      WriteFileBytes(File, "MZ");
    }
    Files.DriveTypes = {{'D', dtCdRom}, {'E', dtRemovable}, {'F', dtRemote}};
    Root->Filters().Add("*\\SETUP.EXE");
  }
  // The watcher anew, as a start makes it with the settings and processes as they are now.
  TWatcher& Make() {
    Commands.reset();
    Watcher.reset();
    Watcher = std::make_unique<TWatcher>(*Root, Settings);
    Commands = std::make_unique<TEditCommands>(*Root, *Watcher, Window, ListView, TreeView);
    return *Watcher;
  }
  std::vector<std::string> Top() { return ChildNames(Root.get()); }

  std::vector<std::unique_ptr<TTempFolder>> Drives;  // D:, E:, F:
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
    Watcher.reset();
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
  ASSERT_TRUE(PlatformFileSystem().RemoveFile(Real("C:\\Tools\\app.exe")));
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
    WriteFileBytes(Real(c.Path), "MZ");
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

// A delete for good by either command tells the watcher: the program is not added again
// while the same process runs. Left unticked, the question's offer to keep it out stops
// there, and a new start adds it again; ticked, a mask of its path keeps it out for good,
// stored at once.
TEST_F(WatcherPartTest, AProgramDeletedForGoodStaysGoneWhileItRunsOrForGood) {
  const std::string App = "C:\\Tools\\app.exe";
  for (bool ByEmptyingTheTrash : {false, true})
    for (bool Ticked : {false, true}) {
      SCOPED_TRACE(std::string(ByEmptyingTheTrash ? "emptied" : "deleted") +
                   (Ticked ? ", ticked" : ", unticked"));
      Restart();
      Procs.StatusList = {App};
      Procs.Ids[App] = 100;
      Watcher->Scan();
      ASSERT_EQ(Top().back(), "app");
      Root->RefreshListView();  // as the window's timer fills the list again
      ListView.SetFocus();
      Root->Items(1)->ListItem()->SetSelected(true);
      Boxes.Answers.push_back(mrYes);
      Boxes.CheckAnswers = {Ticked};
      if (ByEmptyingTheTrash) {
        Commands->MoveRecycledExecute();
        Commands->EmptyTrashActionExecute();
      } else {
        Commands->DeleteObjExecute();
      }
      ASSERT_EQ(Top().size(), 1u);
      ASSERT_EQ(Trash->Count(), 0);
      Watcher->Scan();  // the same process runs on
      EXPECT_EQ(Top().size(), 1u);
      Procs.StatusList = {};
      Watcher->Scan();
      Procs.StatusList = {App};
      Procs.Ids[App] = 200;
      Watcher->Scan();
      EXPECT_EQ(Top().back(), Ticked ? Trash->Name() : "app");
      std::string Stored;
      Memory.ReadString("Software\\ZR\\Lantern\\Filter", "Filter1", Stored);
      EXPECT_EQ(Stored, Ticked ? App : "");
      Memory.DeleteKey("Software\\ZR");
    }
}

// Lantern itself (another instance runs under another process id) and the programs of the
// Windows folder are never learned: paths compared without regard to case, the folder by
// whole names. A launcher the user has for one counts its starts all the same.
TEST_F(WatcherPartTest, NeitherLanternNorWhatComesWithWindowsIsLearned) {
  struct {
    const char* Path;
    bool Known;           // a launcher of the tree has it
    const char* Learned;  // the launcher it becomes; "" for none
  } Cases[] = {
      {"C:\\Program Files\\Lantern\\Lantern.exe", false, ""},
      {"C:\\Program Files\\Lantern\\Lantern.exe", true, ""},
      {"C:\\Tools\\Lantern.exe", false, "Lantern"},
      {"C:\\Windows\\explorer.exe", false, ""},
      {"C:\\Windows\\System32\\taskmgr.exe", false, ""},
      {"C:\\Windows\\notepad.exe", true, ""},
      {"C:\\WindowsApps\\app.exe", false, "app"},
  };
  for (const auto& c : Cases) {
    SCOPED_TRACE(c.Path);
    Restart();
    // As the system names them, in another case than the files have.
    Sys.Program = "C:\\PROGRAM FILES\\LANTERN\\LANTERN.EXE";
    Sys.Windows = "c:\\windows\\";
    const std::string File = Real(c.Path);
    PlatformFileSystem().CreateFolders(File.substr(0, File.find_last_of("/\\")));
    WriteFileBytes(File, "MZ");
    Procs.StatusList = {};
    Make();
    TLauncherExec* Known = c.Known ? AddLauncher(Root.get(), "known", c.Path) : nullptr;
    Watcher->Scan();
    Procs.StatusList = {c.Path};
    Procs.Ids[c.Path] = 50;  // not this process
    Watcher->Scan();
    Watcher->Scan();
    std::vector<std::string> Expected{Trash->Name()};
    if (*c.Learned) Expected.push_back(c.Learned);
    if (Known) Expected.insert(Expected.begin(), "known");  // counted, it moved to the front
    EXPECT_EQ(Top(), Expected);
    EXPECT_EQ(Known ? Known->RunCount() : 1, 1);
  }
}

// A shortcut dropped on the window runs as its target: the target's start counts for it and
// moves it first, and no launcher is added for the target, not even once it is deleted.
TEST_F(WatcherPartTest, ADroppedShortcutIsKnownByItsTarget) {
  const std::string Lnk = "C:\\Links\\app.lnk", App = "C:\\Tools\\app.exe";
  PlatformFileSystem().CreateFolders(Real("C:\\Links"));
  WriteFileBytes(Real(Lnk), "L");
  FakeShell.Shortcuts[Lnk] = App;
  Make();
  Commands->AddDroppedFile(Lnk);
  TExecItem* Link = Root->Items(1);
  Watcher->Scan();
  Procs.StatusList = {App};
  Watcher->Scan();
  EXPECT_EQ(Top(), (std::vector<std::string>{"app.lnk", Trash->Name()}));
  EXPECT_EQ(Link->RunCount(), 1);
  Root->RefreshListView();
  ListView.SetFocus();
  ListView.SelectOnly(Link->ListItem());
  Boxes.Answers.push_back(mrYes);
  Commands->DeleteObjExecute();
  Watcher->Scan();
  EXPECT_EQ(Top(), std::vector<std::string>{Trash->Name()});
}

}  // namespace
}  // namespace lantern

namespace lantern {
namespace {

// The watcher in the window: one program on drive C:.
class WatcherTest : public MainFixture {
 protected:
  void SetUp() override {
    MainFixture::SetUp();
    PlatformFileSystem().CreateFolders(Real("C:\\Tools"));
    WriteFileBytes(Real("C:\\Tools\\app.exe"), "MZ");
  }
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
