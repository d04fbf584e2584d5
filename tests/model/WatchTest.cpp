// The watcher's side of the tree: AddRunningFile with the file system's double.
#include <gtest/gtest.h>

#include "model/FilterList.h"
#include "model/Root.h"
#include "support/FakeFileSystem.h"
#include "support/TreeFixture.h"

namespace lantern {
namespace {

class WatchTest : public TreeFixture {
 protected:
  void SetUp() override {
    TreeFixture::SetUp();
    for (const char* Path : {"C:\\Tools\\NOTEPAD.EXE", "C:\\Tools\\tool.com",
                             "C:\\Tools\\setup.exe", "C:\\Tools\\known.exe", "C:\\Tools\\old.exe"})
      Files.AddFile(Path);
    OldFiles = SetFileSystem(&Files);
  }
  void TearDown() override {
    SetFileSystem(OldFiles);
    TreeFixture::TearDown();
  }
  // One scan over the running paths.
  int Scan(const std::vector<std::string>& Running) {
    Root->BeginWatchScan();
    int Added = 0;
    for (const std::string& Path : Running) Added += Root->AddRunningFile(Path);
    return Added;
  }
  TFakeFileSystem Files;
  TFileSystem* OldFiles = nullptr;
};

TEST_F(WatchTest, NewProgramsBecomeLaunchersNamedAfterTheirFilesOnce) {
  Root->Filters().Add("*\\SETUP.EXE");
  // Two processes of one new program add one launcher; a missing file and an excluded one add
  // none; an excluded program is not counted either.
  EXPECT_EQ(Scan({"C:\\Tools\\NOTEPAD.EXE", "C:\\Tools\\NOTEPAD.EXE", "C:\\Tools\\tool.com",
                  "C:\\Tools\\gone.exe", "C:\\Tools\\setup.exe", ""}),
            2);
  ASSERT_EQ(ChildNames(Root.get()), (std::vector<std::string>{"ゴミ入れ", "NOTEPAD", "tool.com"}));
  auto* Notepad = static_cast<TLauncherExec*>(Root->Items(1));
  EXPECT_EQ(Notepad->FileName(), "C:\\Tools\\NOTEPAD.EXE");
  EXPECT_TRUE(Root->WatchChanged());
  EXPECT_TRUE(Root->MenuDirty());
  // Still running at the next scan: a new launcher is neither counted nor moved.
  EXPECT_EQ(Scan({"C:\\Tools\\NOTEPAD.EXE"}), 0);
  EXPECT_EQ(Notepad->RunCount(), 0);
  // Started again after a scan without it: counted once.
  Scan({});
  Scan({"C:\\Tools\\NOTEPAD.EXE"});
  EXPECT_EQ(Notepad->RunCount(), 1);
}

TEST_F(WatchTest, AProgramWhoseLauncherIsInTheTrashIsCountedThere) {
  TLauncherExec* Old = Trash->Add(std::make_unique<TLauncherExec>(Trash));
  Old->SetFileName("C:\\Tools\\old.exe");
  Scan({});
  EXPECT_EQ(Scan({"C:\\Tools\\old.exe"}), 0);
  EXPECT_EQ(Old->RunCount(), 1);
  EXPECT_EQ(Root->Count(), 1);  // only the trash: nothing added
}

// A shortcut runs as its target, read once per change of its file: a new target counts only
// once the file's write time says so. One the shell cannot read is not asked again.
TEST_F(WatchTest, AShortcutIsReadAgainOnlyWhenItsFileChanged) {
  const std::string Lnk = "C:\\Links\\tool.LNK", Broken = "C:\\Links\\broken.lnk";
  Files.AddFile(Lnk);
  Files.AddFile(Broken);
  FakeShell.Shortcuts[Lnk] = "C:\\Tools\\known.exe";
  TLauncherExec* Link = AddLauncher(Root.get(), "tool", Lnk);
  AddLauncher(Root.get(), "broken", Broken);
  Scan({});
  FakeShell.Shortcuts[Lnk] = "C:\\Tools\\old.exe";  // unseen while the file keeps its time
  EXPECT_EQ(Scan({"C:\\Tools\\known.exe"}), 0);
  EXPECT_EQ(Link->RunCount(), 1);
  EXPECT_EQ(FakeShell.Resolves, 2);
  Files.SetWriteTime(Lnk, 7);
  Scan({});
  EXPECT_EQ(Scan({"C:\\Tools\\old.exe"}), 0);
  EXPECT_EQ(Link->RunCount(), 2);
  EXPECT_EQ(FakeShell.Resolves, 3);
}

}  // namespace
}  // namespace lantern
