#include <gtest/gtest.h>

#include "base/Exception.h"
#include "model/Root.h"
#include "support/FakeFileSystem.h"
#include "support/TempFolder.h"
#include "support/TestData.h"
#include "support/TreeFixture.h"
#include "ui/Stream.h"

namespace lantern {
namespace {

using Names = std::vector<std::string>;

class DataFileTest : public TreeFixture {
 protected:
  // Loads a file of tests/data through a real file, as the program does.
  void Load(const std::string& Name) {
    WriteFileBytes(Folder / "in.dat", TestData(Name));
    Root->LoadFromFile(Folder / "in.dat");
  }
  std::string Saved() {
    Root->SaveToFile(Folder / "out.dat");
    return ReadFileBytes(Folder / "out.dat");
  }
  TCompositeItem* Group(TCompositeItem* Parent, int Index) {
    return dynamic_cast<TCompositeItem*>(Parent->Items(Index));
  }

  TTempFolder Folder;
};

class RoundTripTest : public DataFileTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(RoundTripTest, ASavedFileReadsBackAndIsWrittenAgainByteForByte) {
  Load(GetParam());
  EXPECT_EQ(Saved(), TestData(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Files, RoundTripTest, ::testing::Values("full.dat", "minimal.dat"));

// A file whose lines end in LF or CR alone reads as the same fields, empty ones included (a
// launcher's parameters and work folder), and is saved as the program's own CR LF file.
class OtherLineEndsTest : public DataFileTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(OtherLineEndsTest, ReadTheSameFieldsAsCrLf) {
  std::string Bytes = TestData("full.dat");
  std::string Converted;
  for (std::size_t i = 0; i < Bytes.size(); ++i) {
    if (Bytes.compare(i, 2, "\r\n") == 0) {
      Converted += GetParam();
      ++i;
    } else {
      Converted += Bytes[i];
    }
  }
  WriteFileBytes(Folder / "in.dat", Converted);
  Root->LoadFromFile(Folder / "in.dat");
  auto* Soft = dynamic_cast<TLauncher*>(Group(Root.get(), 1)->Items(1));
  ASSERT_NE(Soft, nullptr);
  EXPECT_EQ(Soft->Parameters(), "");
  EXPECT_EQ(Soft->WorkFolder(), "");
  EXPECT_EQ(Soft->Colors().BackColor, clBtnFace);
  EXPECT_EQ(Saved(), Bytes);
}

INSTANTIATE_TEST_SUITE_P(LineEnds, OtherLineEndsTest, ::testing::Values("\n", "\r"),
                         [](const auto& Info) {
                           return std::string(Info.param[0] == '\n' ? "Lf" : "Cr");
                         });

TEST_F(DataFileTest, EveryFieldLandsWhereItBelongs) {
  Load("full.dat");
  EXPECT_EQ(Root->Name(), "ランタン");
  EXPECT_TRUE(Root->Expanded());
  EXPECT_EQ(Root->Colors().BackColor, clBtnFace);
  EXPECT_EQ(Root->Font().Size(), 9);
  EXPECT_EQ(Root->Font().Name(), "ＭＳ Ｐゴシック");
  TKindColorSet& Groups = Root->GroupColors();
  EXPECT_TRUE(Groups.UseOwn());
  EXPECT_EQ(Groups.Colors().BackColor, 0xFFFFFF);
  EXPECT_EQ(Groups.Colors().SelectedBackColor, 0x800000);
  EXPECT_EQ(Groups.Colors().FontColor, 0);
  EXPECT_EQ(Groups.Colors().SelectedFontColor, 0xFFFF);
  EXPECT_EQ(Groups.Font().Size(), 10);
  EXPECT_EQ(Groups.Font().Name(), "ＭＳ ゴシック");
  EXPECT_EQ(Groups.Font().Style(), unsigned(fsBold));
  EXPECT_FALSE(Root->LauncherColors().UseOwn());
  EXPECT_EQ(Root->FolderLauncherColors().Colors().SelectedBackColor, clHighlight);
  EXPECT_EQ(Root->FolderLauncherColors().Font().Style(), unsigned(fsItalic | fsUnderline));
  EXPECT_EQ(Root->URLLauncherColors().Font().Name(), "メイリオ");
  EXPECT_EQ(Root->URLLauncherColors().Font().Style(), 15u);

  EXPECT_EQ(ChildNames(Root.get()), (Names{"メモ帳", "表示", "ゴミ入れ", ""}));
  auto* Memo = dynamic_cast<TLauncherExec*>(Root->Items(0));
  ASSERT_NE(Memo, nullptr);
  EXPECT_EQ(Memo->FileName(), "C:\\WINDOWS\\notepad.exe");
  EXPECT_EQ(Memo->RunCount(), 12);
  EXPECT_EQ(Memo->Parameters(), "/p readme.txt");
  EXPECT_EQ(Memo->WorkFolder(), "C:\\Documents and Settings\\表示");

  TCompositeItem* Hyoji = Group(Root.get(), 1);
  EXPECT_EQ(Root->CurrentFolder(), Hyoji);
  EXPECT_TRUE(Hyoji->TreeNode()->Selected());
  EXPECT_TRUE(Hyoji->Expanded());
  EXPECT_TRUE(Hyoji->OwnColors());
  EXPECT_EQ(Hyoji->Colors().BackColor, 255);
  EXPECT_EQ(ChildNames(Hyoji), (Names{"ソフト", "ソフト表", "マイ ドキュメント", "ホーム&ページ"}));
  EXPECT_EQ(RowCaptions(), ChildNames(Hyoji));
  auto* Soft = Hyoji->Items(1);
  EXPECT_FALSE(Soft->Visible());
  EXPECT_FALSE(Soft->ListItem()->Checked());
  EXPECT_EQ(Soft->RunCount(), 2147483647);
  EXPECT_TRUE(Soft->FixedPosition());
  auto* Docs = dynamic_cast<TLauncherFolder*>(Hyoji->Items(2));
  ASSERT_NE(Docs, nullptr);
  EXPECT_EQ(Docs->ExplorerOption(), " /e,/root,");
  EXPECT_EQ(Docs->RunCount(), 3);
  EXPECT_EQ(Docs->Colors().SelectedFontColor, 8421504);
  auto* Home = dynamic_cast<TLauncherURL*>(Hyoji->Items(3));
  ASSERT_NE(Home, nullptr);
  EXPECT_EQ(Home->FileName(), "http://www.example.jp/~user/表示.html");
  EXPECT_TRUE(Home->Expanded());
  EXPECT_EQ(Home->ImageIndex(), 4);

  auto* Trash = dynamic_cast<TRecycledFolder*>(Root->Items(2));
  ASSERT_NE(Trash, nullptr);
  EXPECT_EQ(Root->RecycledFolder(), Trash);
  EXPECT_EQ(Trash->Items(0)->RunCount(), -5);
  // Icons: none asked for while loading; then one for every launcher outside the trash that
  // has a file, URLs excepted.
  EXPECT_TRUE(FakeShell.Asked.empty());
  EXPECT_TRUE(Root->IconsPending());
  Root->FetchPendingIcons(60000);
  EXPECT_EQ(FakeShell.Asked,
            (Names{"C:\\WINDOWS\\notepad.exe", "C:\\Program Files\\表示ソフト\\soft.exe",
                   "C:\\My Documents\\"}));
  EXPECT_FALSE(Root->IconsPending());
  EXPECT_EQ(Memo->ImageIndex(), 5);
  EXPECT_TRUE(Root->MenuDirty());
  EXPECT_FALSE(TreeView.Items().Updating());
}

TEST_F(DataFileTest, PendingIconsWaitForTimeAndForgetWhatWasDeleted) {
  Load("full.dat");
  Root->FetchPendingIcons(0);  // no time: nothing asked, all still waiting
  EXPECT_TRUE(FakeShell.Asked.empty());
  EXPECT_TRUE(Root->IconsPending());
  Root->Remove(Root->Items(0)).reset();
  Root->FetchPendingIcons(60000);
  EXPECT_EQ(FakeShell.Asked.size(), 2u);
  EXPECT_FALSE(Root->IconsPending());
  // Edits after the load fetch at once again.
  AddLauncher(Root.get(), "new", "C:\\new.exe");
  EXPECT_EQ(FakeShell.Asked.back(), "C:\\new.exe");
}

// Launchers taken out of the tree while their icons were pending get them once they are back.
TEST_F(DataFileTest, PendingIconsOfItemsTakenOutAndAddedBackAreFetchedOnceTheyAreBack) {
  Load("full.dat");
  TExecItem* Memo = Root->Items(0);
  TCompositeItem* Hyoji = Group(Root.get(), 1);  // holds two launchers with icons pending
  ASSERT_EQ(Memo->Name(), "メモ帳");
  ASSERT_EQ(Hyoji->Name(), "表示");
  std::unique_ptr<TExecItem> MemoOut = Root->Remove(Memo);
  std::unique_ptr<TExecItem> HyojiOut = Root->Remove(Hyoji);
  Root->FetchPendingIcons(60000);
  EXPECT_TRUE(FakeShell.Asked.empty());
  EXPECT_FALSE(Root->IconsPending());

  Root->Insert(0, std::move(MemoOut));  // as a move within its group puts it back
  EXPECT_TRUE(Root->IconsPending());
  TFolder* Elsewhere = AddFolder(Root.get(), "elsewhere");
  Elsewhere->Add(std::move(HyojiOut));
  EXPECT_TRUE(Root->IconsPending());
  Root->FetchPendingIcons(60000);
  EXPECT_EQ(FakeShell.Asked,
            (Names{"C:\\WINDOWS\\notepad.exe", "C:\\Program Files\\表示ソフト\\soft.exe",
                   "C:\\My Documents\\"}));
  EXPECT_FALSE(Root->IconsPending());
  EXPECT_FALSE(static_cast<TLauncher*>(Memo)->IconPending());
  EXPECT_EQ(Memo->ImageIndex(), 5);
}

TEST_F(DataFileTest, APendingLauncherMovedIntoTheTrashIsNeitherFetchedNorLeftPending) {
  Load("full.dat");
  auto* Memo = static_cast<TLauncher*>(Root->Items(0));
  TCompositeItem* LoadedTrash = Group(Root.get(), 2);
  LoadedTrash->Add(Root->Remove(Memo));
  Root->FetchPendingIcons(60000);
  EXPECT_EQ(FakeShell.Asked.size(), 2u);
  EXPECT_FALSE(Memo->IconPending());
  EXPECT_FALSE(Root->IconsPending());
  EXPECT_EQ(Memo->ImageIndex(), -1);
}

TEST_F(DataFileTest, ARootRecordEndingAfterTheCommonFontLeavesTheKindsAtTheirDefaults) {
  TFont Original = Root->Font();
  Load("cut_after_font.dat");
  EXPECT_EQ(Root->Colors().BackColor, 255);
  EXPECT_EQ(Root->Colors().SelectedFontColor, 0xFFFFFF);
  EXPECT_EQ(Root->Font().Size(), 14);
  EXPECT_EQ(Root->Font().Name(), "Courier New");
  EXPECT_EQ(Root->Font().Style(), unsigned(fsItalic));
  for (TKindColorSet* Set : {&Root->GroupColors(), &Root->LauncherColors(),
                             &Root->FolderLauncherColors(), &Root->URLLauncherColors()}) {
    EXPECT_FALSE(Set->UseOwn());
    EXPECT_EQ(Set->Colors().BackColor, clBtnFace);
    EXPECT_EQ(Set->Colors().SelectedBackColor, clHighlight);
    EXPECT_EQ(Set->Colors().FontColor, clBtnText);
    EXPECT_EQ(Set->Colors().SelectedFontColor, clHighlightText);
    EXPECT_EQ(Set->Font(), Original);
  }
  EXPECT_EQ(ChildNames(Root.get()), Names{"L"});
}

TEST_F(DataFileTest, ExtraFieldLinesAreIgnored) {
  Load("extra_fields_without.dat");
  std::string Plain = Saved();
  Load("extra_fields.dat");
  EXPECT_EQ(Saved(), Plain);
}

TEST_F(DataFileTest, OfTwoCurrentGroupsTheLastReadWins) {
  int Repaints = TreeView.RepaintRequests();
  Load("two_current.dat");
  // The current group changes once, from the root to the winner (two nodes repainted): a
  // file that marks thousands of groups must not refill the list for each of them.
  EXPECT_EQ(TreeView.RepaintRequests() - Repaints, 2);
  EXPECT_EQ(Root->CurrentFolder()->Name(), "Second");
  EXPECT_EQ(Root->CurrentFolder()->TreeNode()->ImageIndex(), 1);
  EXPECT_EQ(Group(Root.get(), 0)->TreeNode()->ImageIndex(), 0);
}

TEST_F(DataFileTest, UnknownLinesBetweenRecordsAreSkipped) {
  Load("unknown_tag.dat");
  // The root is current, so it is listed, and stored, with its group first.
  EXPECT_EQ(ChildNames(Root.get()), (Names{"G", "L"}));
  // Without a trash record the tree has none; the main window then makes one.
  EXPECT_EQ(Root->RecycledFolder(), nullptr);
}

// A field that is no number: the error names its line (as ReadLine counts them) and quotes it
// with the bytes that are no CP932 text escaped.
TEST_F(DataFileTest, ABadFieldIsNamedByItsLineAndQuotedWithRawBytesEscaped) {
  const struct {
    std::string Bytes;
    int Line;
    const char* Quoted;
  } Cases[] = {
      {"[ROOT]\r\nR\r\nx\x81\r\n", 3, "x\\x81"},
      {"[ROOT]\nR\n1\n1\n1\n\x01\x7F\xA0\n", 6, "\\x01\\x7F\\xA0"},
      {std::string("R\r1\r1\0\r", 7), 3, "1\\x00"},
      {"[ROOT]\r\nR\r\n表ｱ\x81 \xFC\xFD\r\n", 3, "表ｱ\\x81 \\xFC\\xFD"},
      {"[ROOT]\r\n" + std::string(70000, 'n') + "\r\nz\r\n1\r\n", 3, "z"}};  // past the buffer
  for (const auto& c : Cases) {
    WriteFileBytes(Folder / "in.dat", c.Bytes);
    std::string Message = "no error";
    try {
      Root->LoadFromFile(Folder / "in.dat");
    } catch (const EConvertError& e) {
      Message = e.Message();
    }
    EXPECT_EQ(Message, CannotReadDataLineText(
                           Folder / "in.dat", c.Line,
                           std::string("'") + c.Quoted + "' は有効な整数値ではありません"));
  }
}

TEST_F(DataFileTest, ABlankLineEndsTheGroupAndWhatFollowsGoesToTheEnclosingGroup) {
  Load("blank_line.dat");
  EXPECT_EQ(ChildNames(Root.get()), (Names{"G", "y"}));
  EXPECT_EQ(ChildNames(Group(Root.get(), 0)), Names{"x"});
  // The group's own closing tag then ends the root's children: "z" is not read.
}

TEST_F(DataFileTest, ANonNumericCountStopsLoadingWithTheErrorAndKeepsWhatWasRead) {
  try {
    Load("bad_count.dat");
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(),
              CannotReadDataLineText(Folder / "in.dat", 77, "'abc' は有効な整数値ではありません"));
  }
  // The current group (the root) is listed, and so stored, with its group first, as after a
  // complete read.
  EXPECT_EQ(ChildNames(Root.get()), (Names{"G", "before"}));
  EXPECT_EQ(RowCaptions(), (Names{"G", "before"}));
  TCompositeItem* G = Group(Root.get(), 0);
  EXPECT_EQ(ChildNames(G), Names{"broken"});
  EXPECT_EQ(G->Items(0)->FileName(), "C:\\x.exe");
  EXPECT_FALSE(TreeView.Items().Updating());
  // The file was closed: it can be replaced at once.
  WriteFileBytes(Folder / "in.dat", "x");
}

TEST_F(DataFileTest, AFileEndingEarlyEndsEveryOpenRecord) {
  Load("cut_short.dat");
  TCompositeItem* G = Group(Root.get(), 0);
  ASSERT_EQ(G->Count(), 1);
  TExecItem* Half = G->Items(0);
  EXPECT_EQ(Half->Name(), "half");
  EXPECT_EQ(Half->FileName(), "C:\\h.exe");
  EXPECT_FALSE(Half->Visible());
  EXPECT_EQ(Half->RunCount(), 0);
  EXPECT_EQ(Half->Colors().BackColor, clBtnFace);
}

TEST_F(DataFileTest, ARecordCutOffRightAfterItsTagKeepsItsDefaults) {
  Load("cut_after_tag.dat");
  ASSERT_EQ(Root->Count(), 1);
  EXPECT_EQ(Root->Items(0)->Name(), "新規ランチャ(URL)");
}

TEST_F(DataFileTest, AnEmptyFileEmptiesTheTreeButKeepsTheRootsName) {
  WriteFileBytes(Folder / "empty.dat", "");
  Root->LoadFromFile(Folder / "empty.dat");
  EXPECT_EQ(Root->Count(), 0);
  EXPECT_EQ(Root->Name(), "ランタン");
}

TEST_F(DataFileTest, LoadingDropsTheFetchedIconsButNotTheFixedPictures) {
  AddLauncher(Root.get(), "a", "C:\\a.exe");
  AddLauncher(Root.get(), "b", "C:\\b.exe");
  ASSERT_EQ(Images.Count(), 7);
  Load("minimal.dat");
  EXPECT_EQ(Images.Count(), 5);
  EXPECT_EQ(TFakeShell::LiveIcons, 5);
}

TEST_F(DataFileTest, AMissingFileRaisesAndLeavesTheTreeAlone) {
  AddLauncher(Root.get(), "a");
  EXPECT_THROW(Root->LoadFromFile(Folder / "missing.dat"), EFileError);
  EXPECT_EQ(ChildNames(Root.get()), (Names{"ゴミ入れ", "a"}));
}

TEST_F(DataFileTest, ATreeBuiltInCodeComesBackTheSame) {
  Root->SetName("私のランタン");
  Root->SetColors({clBtnFace, 0x123456, clHighlight, clHighlightText});
  Root->Font().SetSize(12);
  Root->Font().SetStyle(fsStrikeOut);
  Root->LauncherColors().SetUseOwn(true);
  Root->LauncherColors().Font().SetName("ＭＳ 明朝");
  TFolder* G = AddFolder(Root.get(), "表示");
  G->SetExpanded(true);
  G->SetOwnColors(true);
  G->SetColors({clBtnFace, clBtnText, 0x00FF00, clHighlightText});
  TFolder* Inner = AddFolder(G, "ソフト");
  TLauncherExec* L = AddLauncher(Inner, "ソフト", "C:\\表示\\ソフト.exe");
  L->SetParameters("-x \"a b\"");
  L->SetWorkFolder("   ");
  L->SetRunCount(-3);
  L->SetFixedPosition(true);
  TLauncherFolder* F = G->Add(std::make_unique<TLauncherFolder>(G));
  F->SetFileName("\\\\server\\share");
  F->SetFolderExplorerOption(" ");
  TLauncherURL* U = Trash->Add(std::make_unique<TLauncherURL>(Trash));
  U->SetFileName("mailto:me@example.jp");
  U->SetVisible(false);
  Root->SetCurrentFolder(Inner);

  std::string First = Saved();
  Root->LoadFromFile(Folder / "out.dat");
  EXPECT_EQ(Saved(), First);
  EXPECT_EQ(Root->Name(), "私のランタン");
  EXPECT_EQ(Root->Font().Style(), unsigned(fsStrikeOut));
  EXPECT_EQ(Root->LauncherColors().Font().Name(), "ＭＳ 明朝");
  ASSERT_EQ(Root->Count(), 2);
  TCompositeItem* G2 = Group(Root.get(), 1);
  EXPECT_EQ(G2->Name(), "表示");
  EXPECT_EQ(G2->Colors().SelectedBackColor, 0x00FF00);
  TCompositeItem* Inner2 = Group(G2, 0);
  EXPECT_EQ(Root->CurrentFolder(), Inner2);
  auto* L2 = dynamic_cast<TLauncher*>(Inner2->Items(0));
  ASSERT_NE(L2, nullptr);
  EXPECT_EQ(L2->FileName(), "C:\\表示\\ソフト.exe");
  EXPECT_EQ(L2->Parameters(), "-x \"a b\"");
  EXPECT_EQ(L2->WorkFolder(), "   ");
  EXPECT_EQ(L2->RunCount(), -3);
  auto* F2 = dynamic_cast<TLauncherFolder*>(G2->Items(1));
  ASSERT_NE(F2, nullptr);
  EXPECT_EQ(F2->ExplorerOption(), " ");
  EXPECT_FALSE(Group(Root.get(), 0)->Items(0)->Visible());
}

// A line end in a text field, or a text that reads as its record's end, would split the
// record and lose every record after it.
TEST_F(DataFileTest, NoTextFieldSplitsItsRecord) {
  TLauncherExec* L = AddLauncher(Root.get(), "a\r\nb", "c\rd");
  L->SetParameters("e\n\rf");
  L->SetWorkFolder("[/LAUNCHER]");
  AddFolder(Root.get(), "[FOLDERCOMPOSITE]");
  AddLauncher(Root.get(), "after");
  WriteFileBytes(Folder / "in.dat", Saved());
  Root->LoadFromFile(Folder / "in.dat");
  EXPECT_EQ(ChildNames(Root.get()), (Names{"ゴミ入れ", "[FOLDERCOMPOSITE] ", "a b", "after"}));
  auto* L2 = dynamic_cast<TLauncher*>(Root->Items(2));
  EXPECT_EQ(L2->FileName() + "|" + L2->Parameters() + "|" + L2->WorkFolder(),
            "c d|e  f|[/LAUNCHER] ");
}

// Files whose numbers are far out of range: font sizes are brought into 1..1638 points, so
// that the launcher menu can measure them; counts keep their value.
TEST_F(DataFileTest, FontSizesOutOfRangeAreBroughtIntoRange) {
  Load("huge_numbers.dat");
  EXPECT_EQ(Root->Font().Size(), 1638);
  EXPECT_EQ(Root->Font().Height(), -2184);
  EXPECT_EQ(Root->GroupColors().Font().Size(), 1);
  EXPECT_EQ(Root->LauncherColors().Font().Size(), 1);
  EXPECT_EQ(Root->FolderLauncherColors().Font().Size(), 1638);
  EXPECT_EQ(Root->URLLauncherColors().Font().Size(), 1638);
  EXPECT_EQ(Root->Items(0)->RunCount(), 2147483647);
  std::string Written = Saved();
  EXPECT_NE(Written.find("\r\n1638\r\nＭＳ Ｐゴシック\r\n"), std::string::npos);
  EXPECT_EQ(Written.find("2147483648"), std::string::npos);
}

// A chain of Depth groups, each inside the one before, the last holding a launcher.
std::string NestedGroups(int Depth) {
  std::string Bytes = "[ROOT]\r\nR\r\n1\r\n0\r\n1\r\n[ROOTCOMPOSITE]\r\n";
  for (int i = 1; i <= Depth; ++i)
    Bytes += "[FOLDER]\r\n" + std::to_string(i) + "\r\n1\r\n1\r\n0\r\n[FOLDERCOMPOSITE]\r\n";
  Bytes += "[LAUNCHER]\r\nL\r\nC:\\l.exe\r\n[/LAUNCHER]\r\n";
  for (int i = 1; i <= Depth; ++i) Bytes += "[/FOLDER]\r\n";
  return Bytes + "[/ROOT]\r\n";
}

// How many groups deep the first child chain of Group goes.
int ChainDepth(TCompositeItem* Group) {
  int Depth = 0;
  while (Group->Count() > 0 && Group->Items(0)->IsGroup()) {
    Group = Group->Items(0)->AsGroup();
    ++Depth;
  }
  return Depth;
}

class TooDeepTest : public DataFileTest, public ::testing::WithParamInterface<int> {};

// Refused with the program's error before anything deeper is read (or recursed into): the
// 100 levels that are allowed were read and stay, and the views are whole.
TEST_P(TooDeepTest, AFileNestingDeeperIsRefusedAndWhatWasReadStays) {
  WriteFileBytes(Folder / "deep.dat", NestedGroups(GetParam()));
  try {
    Root->LoadFromFile(Folder / "deep.dat");
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "グループは 100 階層までしか入れ子にできません");
  }
  EXPECT_EQ(ChainDepth(Root.get()), 100);
  EXPECT_FALSE(TreeView.Items().Updating());
  EXPECT_EQ(NodeTexts(Root->TreeNode()), Names{"1"});
  // What was read saves, and reads back, without the refusal.
  std::string First = Saved();
  Root->LoadFromFile(Folder / "out.dat");
  EXPECT_EQ(Saved(), First);
  EXPECT_EQ(ChainDepth(Root.get()), 100);
}

INSTANTIATE_TEST_SUITE_P(Depths, TooDeepTest, ::testing::Values(101, 102, 80000));

// The first save after a load is already what every later save writes: load A, save B,
// load B, save C gives B == C, also when the load of A stopped with an error.
class StableSaveTest : public DataFileTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(StableSaveTest, TheFirstSaveAfterALoadIsAFixedPoint) {
  try {
    Load(GetParam());
  } catch (const Exception&) {
    // loading stopped part-way; what was read stays and is saved
  }
  std::string First = Saved();
  Root->LoadFromFile(Folder / "out.dat");
  EXPECT_EQ(Saved(), First);
}

INSTANTIATE_TEST_SUITE_P(Files, StableSaveTest,
                         ::testing::Values("bad_count.dat", "blank_line.dat", "cut_after_font.dat",
                                           "cut_after_tag.dat", "cut_short.dat", "extra_fields.dat",
                                           "full.dat", "huge_numbers.dat", "minimal.dat",
                                           "two_current.dat", "unknown_tag.dat"));

class AtomicSaveTest : public DataFileTest {
 protected:
  void SetUp() override {
    DataFileTest::SetUp();
    AddLauncher(Root.get(), "new");
    WriteFileBytes(Folder / "user.dat", "the user's years of launchers");
    Old = SetFileSystem(&Files);
  }
  void TearDown() override {
    SetFileSystem(Old);
    DataFileTest::TearDown();
  }
  void ExpectOldFileWholeAndNoTemporary() {
    EXPECT_EQ(ReadFileBytes(Folder / "user.dat"), "the user's years of launchers");
    EXPECT_FALSE(PathExists(Folder / "user.dat.tmp"));
  }
  TFakeFileSystem Files;
  TFileSystem* Old = nullptr;
};

TEST_F(AtomicSaveTest, ASaveInterruptedAfterTheTemporaryFileLeavesTheOldFileWhole) {
  Files.FailReplace = true;
  EXPECT_THROW(Root->SaveToFile(Folder / "user.dat"), EFileError);
  ExpectOldFileWholeAndNoTemporary();
}

TEST_F(AtomicSaveTest, AFullDiskLeavesTheOldFileWhole) {
  Files.FailWritesAfter = 100;
  try {
    Root->SaveToFile(Folder / "user.dat");
    FAIL() << "no error";
  } catch (const EFileError& e) {
    EXPECT_NE(e.Message().find("に書き込めません"), std::string::npos);
  }
  ExpectOldFileWholeAndNoTemporary();
}

TEST_F(AtomicSaveTest, AFolderThatDoesNotExistIsReported) {
  try {
    Root->SaveToFile(Folder / "no such folder" +
                     (Folder.Path().find('\\') != std::string::npos ? "\\x.dat" : "/x.dat"));
    FAIL() << "no error";
  } catch (const EFileError& e) {
    EXPECT_NE(e.Message().find("を作成できません"), std::string::npos);
  }
}

TEST_F(AtomicSaveTest, ASuccessfulSaveReplacesTheFile) {
  Root->SaveToFile(Folder / "user.dat");
  std::string Bytes = ReadFileBytes(Folder / "user.dat");
  EXPECT_EQ(Bytes.compare(0, 8, "[ROOT]\r\n"), 0);
  EXPECT_NE(Bytes.find("\r\nnew\r\n"), std::string::npos);
  EXPECT_FALSE(PathExists(Folder / "user.dat.tmp"));
}

}  // namespace
}  // namespace lantern
