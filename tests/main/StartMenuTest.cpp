// The Start Menu's programs taken into the tree: the user's and the common folder merged into
// one group, a second import adding only what the tree lacks, and what is skipped said.
#include <gtest/gtest.h>

#include "base/Path.h"
#include "dialogs/ProgressForm.h"
#include "main/StartMenu.h"
#include "support/FakeFileSystem.h"
#include "support/TempFolder.h"
#include "support/TreeFixture.h"

namespace lantern {
namespace {

using Names = std::vector<std::string>;

class StartMenuTest : public TreeFixture {
 protected:
  void SetUp() override {
    TreeFixture::SetUp();
    Files.MapDrive(Disk.Path());
    Old = SetFileSystem(&Files);
    // The user's folder and the common one share ツール, each with a program of its own.
    for (const char* File : {"U\\メモ帳.lnk", "U\\ツール\\電卓.lnk", "U\\ツール\\readme.txt",
                             "C\\ツール\\画像.exe", "C\\メモ帳.lnk", "C\\Omega.lnk"})
      Add(std::string("C:\\SM\\") + File);
    Add("C:\\SM\\C\\ページ.url", "[InternetShortcut]\r\nURL=http://www.example.jp/\r\n");
    PlatformFileSystem().CreateFolders(Files.RealPath("C:\\SM\\C\\空"));
    Files.NoCp932 = {"Omega.lnk"};  // as a name with a letter Shift-JIS lacks is listed
    Files.Unreadable = {"C:\\SM\\X"};
  }
  void TearDown() override {
    SetFileSystem(Old);
    TreeFixture::TearDown();
  }
  void Add(const std::string& Path, const std::string& Bytes = "") {
    PlatformFileSystem().CreateFolders(Files.RealPath(ExtractFilePath(Path)));
    WriteFileBytes(Files.RealPath(Path), Bytes);
  }
  TStartMenuImport Import() {
    return ImportStartMenu(*Root, {"C:\\SM\\U", "C:\\SM\\C", "C:\\SM\\X"}, Imported);
  }
  std::string Imported;
  TCompositeItem* Group() {
    for (int i = 0; i < Root->Count(); ++i)
      if (Root->Items(i)->Name() == StartMenuGroupName) return Root->Items(i)->AsGroup();
    return nullptr;
  }
  TTempFolder Disk;
  TFakeFileSystem Files;
  TFileSystem* Old = nullptr;
};

TEST_F(StartMenuTest, TheTwoFoldersMergeIntoOneGroupAndASecondImportAddsOnlyWhatIsMissing) {
  const TStartMenuImport First = Import();
  EXPECT_EQ(First.Added, 4);  // メモ帳 once (the user's), 電卓, 画像, ページ
  TCompositeItem* Menu = Group();
  ASSERT_NE(Menu, nullptr);
  EXPECT_EQ(ChildNames(Menu), (Names{"ツール", "ページ", "メモ帳"}));  // no 空, no Omega
  EXPECT_EQ(Menu->Items(2)->FileName(), "C:\\SM\\U\\メモ帳.lnk");
  EXPECT_EQ(Menu->Items(1)->FileName(), "http://www.example.jp/");
  EXPECT_EQ(ChildNames(Menu->Items(0)->AsGroup()), (Names{"画像", "電卓"}));
  EXPECT_EQ(First.Skipped, std::vector<std::string>{"Omega.lnk"});
  EXPECT_EQ(First.Unreadable, std::vector<std::string>{"C:\\SM\\X"});
  // The user renames one, moves one out, sends one to the trash; a new program appears.
  Menu->Items(2)->SetName("エディタ");
  TCompositeItem* Tools = Menu->Items(0)->AsGroup();
  Root->Add(Tools->Remove(Tools->Items(0)));
  Trash->Add(Menu->Remove(Menu->Items(1)));
  Add("C:\\SM\\U\\ツール\\新しい.exe");
  EXPECT_EQ(Import().Added, 1);
  EXPECT_EQ(ChildNames(Menu), (Names{"ツール", "エディタ"}));
  EXPECT_EQ(ChildNames(Tools), (Names{"電卓", "新しい"}));
}

TEST_F(StartMenuTest, NothingToTakeMakesNoGroupAndTheReportNamesWhatWasSkipped) {
  EXPECT_EQ(ImportStartMenu(*Root, {"C:\\SM\\C\\空"}, Imported).Added, 0);
  EXPECT_EQ(Group(), nullptr);
  TStartMenuImport Result;
  Result.Added = 2;
  Result.Skipped = {"a", "b", "c", "d"};
  Result.Unreadable = {"C:\\X"};
  EXPECT_EQ(ImportReport(Result),
            "スタートメニューから 2 個のランチャを取り込みました。\r\n\r\n"
            "Shift-JIS で表せない名前の 4 個は取り込みませんでした：a、b、c ほか\r\n\r\n"
            "読めなかったフォルダ：C:\\X");
}

TEST_F(StartMenuTest, TheWalkCountsTheTopFoldersEntriesAndEndsWhenStopped) {
  TProgress Progress;
  TStartMenuWalk Walk;
  WalkStartMenu({"C:\\SM\\U", "C:\\SM\\C", "C:\\SM\\X"}, Walk, &Progress);
  // U: メモ帳.lnk, ツール; C: ツール, メモ帳.lnk, Omega.lnk, ページ.url, 空; X unreadable.
  EXPECT_EQ(Progress.Total, 7);
  EXPECT_EQ(Progress.Done, 7);
  TStartMenuWalk Stopped;
  Progress.Stopped = true;
  WalkStartMenu({"C:\\SM\\U"}, Stopped, &Progress);
  EXPECT_TRUE(Stopped.Programs.Files.empty() && Stopped.Programs.Folders.empty());
  EXPECT_EQ(ImportStartMenu(*Root, Stopped, Imported).Added, 0);
}

// ---- Links among the folders ----

// The folders' paths and files below Folder, as "Sub\b.lnk", in the walk's (sorted) order.
void WalkedFiles(const TStartMenuFolder& Folder, const std::string& Prefix, Names& Into) {
  for (const auto& [Name, Sub] : Folder.Folders) WalkedFiles(Sub, Prefix + Name + "\\", Into);
  for (const auto& [Name, File] : Folder.Files) Into.push_back(Prefix + Name);
}

struct TLinkCase {
  const char* Name;
  std::vector<std::pair<const char*, const char*>> Links;  // the link's path, its folder
  bool Reparse;                                            // listed as links
  Names Tops;
};
void PrintTo(const TLinkCase& Case, std::ostream* Out) { *Out << Case.Name; }

class StartMenuLinkTest : public ::testing::TestWithParam<TLinkCase> {
 protected:
  void SetUp() override { Old = SetFileSystem(&Files); }
  void TearDown() override { SetFileSystem(Old); }
  TFakeFileSystem Files;
  TFileSystem* Old = nullptr;
};

// Whatever links lie among them, the three folders are listed once each and each file is
// taken in once, where the folder lies.
TEST_P(StartMenuLinkTest, EachFolderIsWalkedOnceAndNoLinkIsFollowed) {
  for (const char* File : {"C:\\P\\a.lnk", "C:\\P\\Sub\\b.lnk", "C:\\P\\Sub\\Deep\\c.exe"})
    Files.AddFile(File);
  for (const auto& [Link, Folder] : GetParam().Links)
    Files.AddLink(Link, Folder, GetParam().Reparse);
  Files.MostListCalls = 100;  // a walk that would not end fails here
  TStartMenuWalk Walk;
  ASSERT_NO_THROW(WalkStartMenu(GetParam().Tops, Walk));
  Names Walked;
  WalkedFiles(Walk.Programs, "", Walked);
  EXPECT_EQ(Walked, (Names{"Sub\\Deep\\c.exe", "Sub\\b.lnk", "a.lnk"}));
  EXPECT_EQ(Files.ListCalls, 3);
  EXPECT_TRUE(Walk.Result.Unreadable.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Links, StartMenuLinkTest,
    ::testing::Values(
        TLinkCase{"NoLinks", {}, true, {"C:\\P"}},
        TLinkCase{"JunctionToItsOwnFolder", {{"C:\\P\\Loop", "C:\\P"}}, true, {"C:\\P"}},
        TLinkCase{"TwoJunctionsUp",
                  {{"C:\\P\\Back", "C:\\P"}, {"C:\\P\\Sub\\Top", "C:\\P"}},
                  true,
                  {"C:\\P"}},
        // A folder seen under a second name with nothing to say it is a link: its id tells.
        TLinkCase{"SameFolderTwiceByName", {{"C:\\P\\Zweite", "C:\\P\\Sub"}}, false, {"C:\\P"}},
        TLinkCase{"TwoPlainLinksUp",
                  {{"C:\\P\\Back", "C:\\P"}, {"C:\\P\\Sub\\Top", "C:\\P"}},
                  false,
                  {"C:\\P"}},
        // The user's and the common Programs folder being one folder.
        TLinkCase{"SameTopFolderTwice", {{"C:\\Q", "C:\\P"}}, false, {"C:\\P", "C:\\Q"}}),
    [](const ::testing::TestParamInfo<TLinkCase>& Info) { return std::string(Info.param.Name); });

}  // namespace
}  // namespace lantern
