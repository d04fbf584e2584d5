// The icons of launchers on shares, fetched by a thread of their own and handed over on the
// user-interface thread (windowless: ProcessMessages serves the hand-over).
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

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
    Root.reset();  // waits for the threads, which use the doubles
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
  Open = true;
  const int Pictures = Images.Count();
  ASSERT_TRUE(ServeUntil([&] { return Images.Count() > Pictures; }));
  EXPECT_EQ(TFakeShell::PathOf(Images.Icon(Launcher->ImageIndex())), "\\\\SRV\\SHARE\\other.exe");
  for (int i = 0; i < 100; ++i) {  // its end, which frees it
    Application().ProcessMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

TEST_F(SeekIconThreadTest, ALauncherFreedWhileItsFetchHangsWaitsForItAndHearsNothing) {
  std::atomic<bool> Asked{false}, Open{false};
  FakeShell.OnIcon = [&](const std::string&) {
    Asked = true;
    while (!Open) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  };
  TLauncherExec* Launcher = AddLauncher(Root.get(), "app", Shared);
  while (!Asked) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  const int Pictures = Images.Count();
  std::thread Share([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    Open = true;
  });
  Root->Remove(Launcher).reset();  // returns once the shell has answered
  EXPECT_TRUE(Open);
  Share.join();
  for (int i = 0; i < 20; ++i) Application().ProcessMessages();
  EXPECT_EQ(Images.Count(), Pictures);  // the dropped hand-over appended nothing
}

}  // namespace
}  // namespace lantern
