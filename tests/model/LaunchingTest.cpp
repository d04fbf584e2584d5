// Starting launchers through the shell: what is asked of the shell for each kind and option,
// when nothing is asked, what is reported, and what is counted.
#include <gtest/gtest.h>

#include "model/Root.h"
#include "support/FakeFileSystem.h"
#include "support/FakeSystem.h"
#include "support/TreeFixture.h"
#include "ui/Shell.h"

namespace lantern {
namespace {

class LaunchingTest : public TreeFixture {
 protected:
  void SetUp() override {
    TreeFixture::SetUp();
    Files.AddFile("C:\\Tools\\edit.exe");
    Files.AddFolder("C:\\Docs");
    OldFiles = SetFileSystem(&Files);
    OldDialogs = SetDialogs(&Boxes);
    FakeShell.SetOwnerWindow(&Owner);
  }
  void TearDown() override {
    SetDialogs(OldDialogs);
    SetFileSystem(OldFiles);
    TreeFixture::TearDown();
  }
  template <typename T>
  T* Add(const std::string& FileName) {
    T* Item = Root->Add(std::make_unique<T>(Root.get()));
    Item->SetFileName(FileName);
    return Item;
  }
  // The one call the shell got, as "verb|file|parameters|folder|show".
  std::string Call() {
    EXPECT_EQ(FakeShell.Executions.size(), 1u);
    if (FakeShell.Executions.empty()) return "none";
    auto& e = FakeShell.Executions.back();
    EXPECT_EQ(e.Owner, &Owner);
    return e.Verb + "|" + e.File + "|" + e.Parameters + "|" + e.Directory + "|" +
           std::to_string(e.ShowCommand);
  }
  // The error box a launch ends in, through the program's error display.
  std::vector<std::string> Shown(TLauncher* L) {
    Boxes.Texts.clear();
    Application().Guard([&] { L->Open(); });
    return Boxes.Texts;
  }

  TFakeFileSystem Files;
  TFakeDialogs Boxes;
  TFileSystem* OldFiles = nullptr;
  TDialogService* OldDialogs = nullptr;
  int Owner = 0;
};

struct ExecCase {
  const char* Name;
  const char* FileName;
  const char* WorkFolder;
  const char* Expected;  // the call
};

class ProgramLaunchTest : public LaunchingTest, public ::testing::WithParamInterface<ExecCase> {};

TEST_P(ProgramLaunchTest, StartsExistingFilesAndFoldersInTheirFolder) {
  TLauncherExec* L = Add<TLauncherExec>(GetParam().FileName);
  L->SetParameters("-n \"a b\"");
  L->SetWorkFolder(GetParam().WorkFolder);
  L->SetRunCount(3);
  L->Open();
  EXPECT_EQ(Call(), GetParam().Expected);
  EXPECT_EQ(L->RunCount(), 3);  // the watcher counts programs, not the launch
}

INSTANTIATE_TEST_SUITE_P(
    Launchers, ProgramLaunchTest,
    ::testing::Values(ExecCase{"InTheFilesFolder", "C:\\Tools\\edit.exe", "",
                               "|C:\\Tools\\edit.exe|-n \"a b\"|C:\\Tools\\|1"},
                      ExecCase{"BlankWorkFolder", "C:\\Tools\\edit.exe", "   ",
                               "|C:\\Tools\\edit.exe|-n \"a b\"|C:\\Tools\\|1"},
                      ExecCase{"OwnWorkFolder", "C:\\Tools\\edit.exe", " D:\\w ",
                               "|C:\\Tools\\edit.exe|-n \"a b\"| D:\\w |1"},
                      ExecCase{"AFolderOpens", "C:\\Docs", "", "|C:\\Docs|-n \"a b\"|C:\\|1"}),
    [](const auto& Info) { return std::string(Info.param.Name); });

struct FolderCase {
  const char* Name;
  const char* Own;
  const char* ProgramWide;
  const char* Expected;
};

class FolderLaunchTest : public LaunchingTest, public ::testing::WithParamInterface<FolderCase> {};

TEST_P(FolderLaunchTest, TheOptionDecidesHowTheExplorerOpens) {
  auto* F = Add<TLauncherFolder>("C:\\Docs");
  F->SetFolderExplorerOption(GetParam().Own);
  Root->SetExplorerOption(GetParam().ProgramWide);
  F->Open();
  EXPECT_EQ(Call(), GetParam().Expected);
  EXPECT_EQ(F->RunCount(), 1);
  EXPECT_TRUE(Boxes.Texts.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Options, FolderLaunchTest,
    ::testing::Values(
        FolderCase{"Default", "", "", "|C:\\Docs|||1"},
        FolderCase{"ProgramWideTree", "", "/e,", "explore|C:\\Docs|||1"},
        FolderCase{"ProgramWideRoot", "", "/e,/root,", "|explorer|/e,/root,C:\\Docs||1"},
        FolderCase{"OwnBlankOverrides", " ", "/e,/root,", "|C:\\Docs|||1"},
        FolderCase{"OwnRootKeepsItsBlank", " /root,", "", "|explorer| /root,C:\\Docs||1"},
        FolderCase{"OwnTree", " /e,", "", "explore|C:\\Docs|||1"}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(LaunchingTest, AFolderLauncherFollowsTheProgramWideOptionAtOnce) {
  auto* F = Add<TLauncherFolder>("C:\\Docs");
  Root->SetExplorerOption("/e,");
  F->Execute(nullptr);
  Root->SetExplorerOption("");
  F->Execute(nullptr);
  ASSERT_EQ(FakeShell.Executions.size(), 2u);
  EXPECT_EQ(FakeShell.Executions[0].Verb, "explore");
  EXPECT_EQ(FakeShell.Executions[1].Verb, "");
}

TEST_F(LaunchingTest, AMissingTargetIsNamedAndNotStarted) {
  TLauncher* Gone[] = {Add<TLauncherExec>("C:\\Tools\\gone.exe"), Add<TLauncherFolder>("C:\\Gone")};
  for (TLauncher* L : Gone) {
    EXPECT_EQ(Shown(L), std::vector<std::string>{MissingTargetText(L->FileName())});
    EXPECT_EQ(L->RunCount(), 0);
  }
  EXPECT_TRUE(FakeShell.Executions.empty());
}

TEST_F(LaunchingTest, AShellFailureIsNamedWithTheSystemsTextForItsError) {
  // A code of ShellExecute's own, one shared with the system, and one it does not know.
  const std::pair<int, unsigned> Codes[] = {
      {SeErrNoAssoc, ErrorNoAssociation}, {SeErrAccessDenied, ErrorAccessDenied}, {23, 23}};
  TLauncher* Launchers[] = {Add<TLauncherExec>("C:\\Tools\\edit.exe"),
                            Add<TLauncherURL>("mailto:a@example.jp"),
                            Add<TLauncherFolder>("C:\\Docs")};
  for (const auto& [Result, Error] : Codes) {
    FakeShell.ExecuteResult = Result;
    for (TLauncher* L : Launchers)
      EXPECT_EQ(Shown(L), std::vector<std::string>{ShellFailedText(TShellTask::Start, L->FileName(),
                                                                   FakeShell.ErrorText(Error))})
          << Result;
  }
  EXPECT_EQ(Launchers[2]->RunCount(), 3);  // the shell was asked: a folder counts even so
}

TEST_F(LaunchingTest, AUrlIsHandedToTheShellAsItIs) {
  auto* U = Add<TLauncherURL>("http://www.example.jp/ランタン?q=1");
  U->SetParameters("p");
  U->Open();
  EXPECT_EQ(Call(), "|http://www.example.jp/ランタン?q=1|p||1");
  EXPECT_TRUE(Boxes.Texts.empty());
  EXPECT_EQ(U->RunCount(), 0);
}

}  // namespace
}  // namespace lantern
