// The icons of launchers on shares, fetched by a thread of their own and handed over on the
// user-interface thread (windowless: ProcessMessages serves the hand-over).
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "model/SeekIconThread.h"
#include "support/FakeFileSystem.h"
#include "support/TreeFixture.h"
#include "ui/Application.h"

namespace lantern {
namespace {

const char* const Shared = "\\\\SRV\\SHARE\\app.exe";

class SeekIconThreadTest : public TreeFixture {
 protected:
  void SetUp() override {
    TreeFixture::SetUp();
    Files.AddFile(Shared);
    Files.AddFile("\\\\SRV\\SHARE\\other.exe");
    OldFiles = SetFileSystem(&Files);
  }
  void TearDown() override {
    Root.reset();
    EXPECT_TRUE(WaitForThreadsLetGo(5000));  // the threads let go use the doubles
    SetFileSystem(OldFiles);
    TreeFixture::TearDown();
  }
  // Serves the hand-overs until Done or two seconds have passed.
  static bool ServeUntil(const std::function<bool()>& Done) {
    for (int i = 0; i < 2000 && !Done(); ++i) {
      Application().ProcessMessages();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return Done();
  }
  TFakeFileSystem Files;
  TFileSystem* OldFiles = nullptr;
};

TEST_F(SeekIconThreadTest, TheSharesIconArrivesAtTheIndexAppendedForIt) {
  TLauncherExec* Launcher = AddLauncher(Root.get(), "app", Shared);
  ASSERT_NE(Launcher->IconThread(), nullptr);
  EXPECT_EQ(Launcher->ImageIndex(), -1);  // nothing yet: the window did not wait
  ASSERT_TRUE(ServeUntil([&] { return !Launcher->IconThread(); }));
  ASSERT_EQ(Launcher->ImageIndex(), Images.Count() - 1);
  EXPECT_EQ(TFakeShell::PathOf(Images.Icon(Launcher->ImageIndex())), Shared);
  // The root is current, so the launcher has a row, and the row shows the picture.
  ASSERT_NE(Launcher->ListItem(), nullptr);
  EXPECT_EQ(Launcher->ListItem()->ImageIndex(), Launcher->ImageIndex());
}

TEST_F(SeekIconThreadTest, AnUnreachableShareGivesNoPictureAndTheRetryAsksAgain) {
  TLauncherExec* Launcher = AddLauncher(Root.get(), "gone", "\\\\SRV\\GONE\\app.exe");
  const int Pictures = Images.Count();
  ASSERT_TRUE(ServeUntil([&] { return !Launcher->IconThread(); }));
  EXPECT_EQ(Launcher->ImageIndex(), -1);
  EXPECT_EQ(Images.Count(), Pictures);
  EXPECT_TRUE(FakeShell.Asked.empty());
  Launcher->FetchIcon();  // what the periodic retry does for every -1
  EXPECT_NE(Launcher->IconThread(), nullptr);
}

TEST_F(SeekIconThreadTest, ARetryWhileAFetchHangsStartsNoSecondThreadAndANewPathWins) {
  std::atomic<bool> Open{false};
  FakeShell.OnIcon = [&](const std::string& Path) {
    if (Path == Shared)
      while (!Open) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  };
  TLauncherExec* Launcher = AddLauncher(Root.get(), "app", Shared);
  TSeekIconThread* Hanging = Launcher->IconThread();
  Launcher->FetchIcon();
  EXPECT_EQ(Launcher->IconThread(), Hanging);
  // The path changes while the old fetch still hangs: the old answer must not win.
  Launcher->SetFileName("\\\\SRV\\SHARE\\other.exe");
  ASSERT_TRUE(ServeUntil([&] { return !Launcher->IconThread(); }));
  EXPECT_EQ(TFakeShell::PathOf(Images.Icon(Launcher->ImageIndex())), "\\\\SRV\\SHARE\\other.exe");
  // The old fetch is let go: its answer, when it comes, appends nothing.
  const int Pictures = Images.Count();
  Open = true;
  EXPECT_TRUE(WaitForThreadsLetGo(5000));
  Application().ProcessMessages();
  EXPECT_EQ(Images.Count(), Pictures);
}

TEST_F(SeekIconThreadTest, ALauncherFreedWhileItsFetchHangsGoesAtOnceAndHearsNothing) {
  std::atomic<bool> Asked{false}, Open{false};
  FakeShell.OnIcon = [&](const std::string&) {
    Asked = true;
    while (!Open) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  };
  TLauncherExec* Launcher = AddLauncher(Root.get(), "app", Shared);
  while (!Asked) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  const int Pictures = Images.Count();
  std::thread Share([&] {  // answers late, if the window waited for it
    for (int i = 0; i < 3000 && !Open; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    Open = true;
  });
  Root->Remove(Launcher).reset();
  EXPECT_FALSE(Open);  // the share has not answered yet
  Open = true;
  Share.join();
  EXPECT_TRUE(WaitForThreadsLetGo(5000));
  Application().ProcessMessages();
  EXPECT_EQ(Images.Count(), Pictures);  // the dropped hand-over appended nothing
}

// A share that never gives an icon is asked at the retry's rounds 1, 2, 4 ... the gap
// doubling up to its ceiling; a new path is asked at once and at the next round again.
TEST_F(SeekIconThreadTest, TheRetryAsksAShareWithoutAnIconLessAndLessOften) {
  TLauncherExec* Launcher = AddLauncher(Root.get(), "gone", "\\\\SRV\\GONE\\app.exe");
  std::vector<int> Expected, Asked;
  for (int Round = 1, Gap = 1; Round <= 100;
       Round += Gap, Gap = std::min(2 * Gap, TLauncher::IconRetryMostRounds))
    Expected.push_back(Round);
  Expected.push_back(101);
  for (int Round = 1; Round <= 101; ++Round) {
    ASSERT_TRUE(ServeUntil([&] { return !Launcher->IconThread(); }));
    if (Round == 101) Launcher->SetFileName("\\\\SRV\\GONE\\other.exe");  // asks at once
    ASSERT_TRUE(ServeUntil([&] { return !Launcher->IconThread(); }));
    Launcher->RetryIcon();
    if (Launcher->IconThread()) Asked.push_back(Round);
  }
  EXPECT_EQ(Asked, Expected);
}

}  // namespace
}  // namespace lantern
