#include <gtest/gtest.h>

#include "model/Root.h"
#include "support/FakeSystem.h"
#include "support/TreeFixture.h"

namespace lantern {
namespace {

using Names = std::vector<std::string>;

class LauncherTreeTest : public TreeFixture {};

TEST_F(LauncherTreeTest, StartUpShowsTheRootWithTheTrashInBothViews) {
  TTreeNode* RootNode = Root->TreeNode();
  ASSERT_NE(RootNode, nullptr);
  EXPECT_EQ(RootNode->Text(), "ランタン");
  EXPECT_EQ(RootNode->ImageIndex(), 1);  // current
  EXPECT_TRUE(RootNode->Selected());
  EXPECT_EQ(NodeTexts(RootNode), Names{"ゴミ入れ"});
  EXPECT_EQ(Trash->TreeNode()->ImageIndex(), 2);
  EXPECT_EQ(RowCaptions(), Names{"ゴミ入れ"});
  TListItem* Row = Trash->ListItem();
  EXPECT_EQ(Row->Data(), Trash);
  EXPECT_FALSE(Row->Checked());  // the trash starts hidden from the menu
  EXPECT_EQ(Row->ImageIndex(), 2);
  EXPECT_EQ(Row->SubItems()[1], "0");
  EXPECT_EQ(Root->RecycledFolder(), Trash);
  EXPECT_EQ(UserChanges, 0);
}

TEST_F(LauncherTreeTest, ConstructorDefaults) {
  struct {
    std::unique_ptr<TExecItem> Item;
    const char* Name;
    int ImageIndex;
    bool Visible;
  } Cases[] = {
      {std::make_unique<TFolder>(nullptr), "新規グループ", 0, true},
      {std::make_unique<TLauncherExec>(nullptr), "新規ランチャ", -1, true},
      {std::make_unique<TLauncherFolder>(nullptr), "新規ランチャ(フォルダ)", -1, true},
      {std::make_unique<TLauncherURL>(nullptr), "新規ランチャ(URL)", 4, true},
  };
  for (auto& c : Cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(c.Item->Name(), c.Name);
    EXPECT_EQ(c.Item->ImageIndex(), c.ImageIndex);
    EXPECT_EQ(c.Item->Visible(), c.Visible);
    EXPECT_TRUE(c.Item->WasRunning());
    EXPECT_TRUE(c.Item->IsRunning());
    EXPECT_EQ(c.Item->Colors().BackColor, static_cast<TColor>(0x8000000F));
    EXPECT_EQ(c.Item->Colors().SelectedBackColor, static_cast<TColor>(0x8000000D));
    EXPECT_EQ(c.Item->Colors().FontColor, static_cast<TColor>(0x80000012));
    EXPECT_EQ(c.Item->Colors().SelectedFontColor, static_cast<TColor>(0x8000000E));
  }
  EXPECT_EQ(Root->Font().Charset(), 128);
  EXPECT_TRUE(Root->MoveFirstPosition());
  EXPECT_TRUE(Root->UpperFirst());
  EXPECT_FALSE(Root->GroupColors().UseOwn());
  EXPECT_EQ(Root->URLLauncherColors().Font(), Root->Font());
}

TEST_F(LauncherTreeTest, NewColoursAreAnEditToSaveTheSameOnesAreNot) {
  TLauncherExec* L = AddLauncher(Root.get(), "L");
  const std::uint64_t Before = TreeEdits();
  L->SetColors({1, 2, 3, 4});
  EXPECT_EQ(TreeEdits(), Before + 1);
  L->SetColors({1, 2, 3, 4});
  EXPECT_EQ(TreeEdits(), Before + 1);
}

TEST_F(LauncherTreeTest, AddShowsGroupsInTheTreeAndEveryChildOfTheCurrentGroupInTheList) {
  Root->SetMenuDirty(false);
  TFolder* Tools = AddFolder(Root.get(), "ツール");
  TLauncherExec* Memo = AddLauncher(Root.get(), "メモ", "C:\\memo.exe");
  EXPECT_TRUE(Root->MenuDirty());
  EXPECT_EQ(NodeTexts(Root->TreeNode()), (Names{"ゴミ入れ", "ツール"}));
  EXPECT_EQ(Memo->TreeNode(), nullptr);
  EXPECT_EQ(RowCaptions(), (Names{"ゴミ入れ", "ツール", "メモ"}));
  EXPECT_EQ(Memo->ListItem()->SubItems()[0], "C:\\memo.exe");
  EXPECT_EQ(Memo->ListItem()->ImageIndex(), 5);  // the first fetched icon
  EXPECT_EQ(TFakeShell::PathOf(Images.Icon(5)), "C:\\memo.exe");
  EXPECT_EQ(FakeShell.LastFlags, 0x4301u);
  // Items of a group that is not current get no rows.
  TLauncherExec* Inner = AddLauncher(Tools, "中", "C:\\inner.exe");
  EXPECT_EQ(Inner->ListItem(), nullptr);
  EXPECT_EQ(ListView.Items().Count(), 3);
  // The tree wrote the rows with the change handler taken away, except for the picture of
  // the fetched icon, which is written as it arrives.
  EXPECT_EQ(UserChanges, 1);
}

TEST_F(LauncherTreeTest, RenamingAndHidingUpdateRowAndNodeWithoutReachingTheHandler) {
  TFolder* Tools = AddFolder(Root.get(), "ツール");
  Root->SetMenuDirty(false);
  Tools->SetName("道具");
  EXPECT_EQ(Tools->ListItem()->Caption(), "道具");
  EXPECT_EQ(Tools->TreeNode()->Text(), "道具");
  EXPECT_TRUE(Root->MenuDirty());
  Root->SetMenuDirty(false);
  Tools->SetName("道具");  // unchanged: nothing to do
  EXPECT_FALSE(Root->MenuDirty());
  Tools->SetVisible(false);
  EXPECT_FALSE(Tools->ListItem()->Checked());
  EXPECT_TRUE(Root->MenuDirty());
  EXPECT_EQ(UserChanges, 0);
  // The user's own click on the check box does reach it.
  Tools->ListItem()->SetChecked(true);
  EXPECT_EQ(UserChanges, 1);
}

TEST_F(LauncherTreeTest, RunCountGoesToTheSecondSubItem) {
  TLauncherExec* Memo = AddLauncher(Root.get(), "メモ", "C:\\memo.exe");
  Memo->SetRunCount(12);
  EXPECT_EQ(Memo->ListItem()->SubItems()[1], "12");
}

TEST_F(LauncherTreeTest, FillListViewStoresGroupsFirstInTheirFormerOrder) {
  TFolder* Mixed = AddFolder(Root.get(), "混合");
  AddLauncher(Mixed, "L1");
  AddFolder(Mixed, "G1");
  AddLauncher(Mixed, "L2");
  AddFolder(Mixed, "G2");
  Root->SetWatchChanged(true);
  Root->SetCurrentFolder(Mixed);
  EXPECT_EQ(RowCaptions(), (Names{"G1", "G2", "L1", "L2"}));
  EXPECT_EQ(ChildNames(Mixed), (Names{"G1", "G2", "L1", "L2"}));
  EXPECT_FALSE(Root->WatchChanged());
  // The root's own rows are gone and their items forgot them.
  EXPECT_EQ(Mixed->ListItem(), nullptr);
  EXPECT_EQ(ListView.SmallImages(), &Images);
}

TEST_F(LauncherTreeTest, SetCurrentFolderMovesTheMarkAndTheSelection) {
  TFolder* Tools = AddFolder(Root.get(), "ツール");
  int Before = TreeView.RepaintRequests();
  Root->SetCurrentFolder(Tools);
  EXPECT_EQ(Root->CurrentFolder(), Tools);
  EXPECT_EQ(Root->TreeNode()->ImageIndex(), 0);
  EXPECT_EQ(Tools->TreeNode()->ImageIndex(), 1);
  EXPECT_EQ(Tools->TreeNode()->SelectedIndex(), 1);
  EXPECT_TRUE(Tools->TreeNode()->Selected());
  EXPECT_TRUE(Tools->TreeNode()->Focused());
  EXPECT_EQ(TreeView.RepaintRequests(), Before + 2);
  Root->SetCurrentFolder(Trash);
  EXPECT_EQ(Trash->TreeNode()->ImageIndex(), 3);
  EXPECT_EQ(Tools->TreeNode()->ImageIndex(), 0);
  EXPECT_EQ(ListView.SmallImages(), nullptr);  // the trash is listed without pictures
  Root->SetCurrentFolder(nullptr);
  EXPECT_EQ(Root->CurrentFolder(), Root.get());
  EXPECT_EQ(Trash->TreeNode()->ImageIndex(), 2);
}

// Also when the group was opened while a command held the tree, its list not yet filled.
TEST_F(LauncherTreeTest, DeletingTheCurrentGroupOrItsAncestorShowsTheRoot) {
  for (bool Held : {false, true})
    for (bool DeleteAncestor : {false, true}) {
      SCOPED_TRACE(2 * Held + DeleteAncestor);
      TFolder* Outer = AddFolder(Root.get(), "外");
      TFolder* Inner = AddFolder(Outer, "内");
      AddLauncher(Inner, "L");
      {
        auto Hold = Held ? std::make_unique<TTreeGuard::THold>(Root->Guard()) : nullptr;
        Root->SetCurrentFolder(Inner);
      }
      TCompositeItem* Victim = DeleteAncestor ? static_cast<TCompositeItem*>(Outer) : Inner;
      static_cast<TCompositeItem*>(Victim->Parent())->Remove(Victim).reset();
      EXPECT_EQ(Root->CurrentFolder(), Root.get());
      EXPECT_TRUE(Root->TreeNode()->Selected());
      EXPECT_EQ(RowCaptions(), DeleteAncestor ? Names{"ゴミ入れ"} : (Names{"ゴミ入れ", "外"}));
      if (!DeleteAncestor) {
        EXPECT_EQ(Outer->TreeNode()->Count(), 0);
        Root->Remove(Outer).reset();
      }
      EXPECT_EQ(NodeTexts(Root->TreeNode()), Names{"ゴミ入れ"});
    }
}

TEST_F(LauncherTreeTest, RemoveKeepsTheItemAndItsExpandedFlagButNotItsViews) {
  TFolder* Outer = AddFolder(Root.get(), "外");
  TFolder* Inner = AddFolder(Outer, "内");
  Outer->SetExpanded(true);
  Outer->ShowInTreeNode(nullptr);
  EXPECT_TRUE(Outer->TreeNode()->Expanded());
  TreeView.OnCollapsed = [](TTreeView*, TTreeNode* Node) {
    static_cast<TExecItem*>(Node->Data())->SetExpanded(false);
  };
  std::unique_ptr<TExecItem> Taken = Root->Remove(Outer);
  EXPECT_EQ(Taken.get(), Outer);
  EXPECT_EQ(Outer->Parent(), Root.get());
  EXPECT_TRUE(Outer->Expanded());
  EXPECT_EQ(Outer->TreeNode(), nullptr);
  EXPECT_EQ(Inner->TreeNode(), nullptr);
  EXPECT_EQ(Outer->ListItem(), nullptr);
  EXPECT_EQ(RowCaptions(), Names{"ゴミ入れ"});
  EXPECT_EQ(Root->Children().IndexOf(Outer), -1);
  // Moving it elsewhere shows it again with its subtree.
  Trash->Add(std::move(Taken));
  EXPECT_EQ(NodeTexts(Trash->TreeNode()), Names{"外"});
  EXPECT_EQ(NodeTexts(Outer->TreeNode()), Names{"内"});
}

TEST_F(LauncherTreeTest, InsertPutsTheItemAtTheIndexInChildrenNodesAndRows) {
  TFolder* A = AddFolder(Root.get(), "A");
  TFolder* B = AddFolder(Root.get(), "B");
  TLauncherExec* L = AddLauncher(Root.get(), "L");
  Root->Insert(0, Root->Remove(B));
  EXPECT_EQ(ChildNames(Root.get()), (Names{"B", "ゴミ入れ", "A", "L"}));
  EXPECT_EQ(NodeTexts(Root->TreeNode()), (Names{"B", "ゴミ入れ", "A"}));
  EXPECT_EQ(RowCaptions(), (Names{"B", "ゴミ入れ", "A", "L"}));
  EXPECT_EQ(B->Parent(), Root.get());
  Root->Insert(1, Root->Remove(L));
  EXPECT_EQ(RowCaptions(), (Names{"B", "L", "ゴミ入れ", "A"}));
  EXPECT_EQ(A->TreeNode()->Text(), "A");
  EXPECT_EQ(UserChanges, 0);
}

TEST_F(LauncherTreeTest, ClearFreesEveryChildAndItsViews) {
  TFolder* Tools = AddFolder(Root.get(), "ツール");
  AddLauncher(Tools, "L");
  AddLauncher(Root.get(), "M", "C:\\m.exe");
  Root->SetCurrentFolder(Tools);
  Root->Clear();
  EXPECT_EQ(Root->Count(), 0);
  EXPECT_EQ(Root->CurrentFolder(), Root.get());
  EXPECT_EQ(ListView.Items().Count(), 0);
  EXPECT_EQ(Root->TreeNode()->Count(), 0);
  EXPECT_EQ(Root->RecycledFolder(), nullptr);
  EXPECT_FALSE(ListView.Items().Updating());
  EXPECT_FALSE(TreeView.Items().Updating());
}

TEST_F(LauncherTreeTest, ClosingTreeLeavesTheViewsAlone) {
  AddLauncher(Root.get(), "L");
  Root->BeginShutdown();
  int Rows = ListView.Items().Count();
  int Nodes = TreeView.Items().Count();
  Root.reset();
  EXPECT_EQ(ListView.Items().Count(), Rows);
  EXPECT_EQ(TreeView.Items().Count(), Nodes);
}

TEST_F(LauncherTreeTest, FreeingTheRootTidiesTheViews) {
  AddLauncher(AddFolder(Root.get(), "G"), "L");
  Root.reset();
  EXPECT_EQ(ListView.Items().Count(), 0);
  EXPECT_EQ(TreeView.Items().Count(), 0);
}

TEST_F(LauncherTreeTest, LaunchersInTheTrashGetNoIconUntilTheyLeaveIt) {
  TLauncherExec* Old = AddLauncher(Trash, "Old", "C:\\old.exe");
  EXPECT_EQ(Old->ImageIndex(), -1);
  EXPECT_TRUE(FakeShell.Asked.empty());
  Root->Add(Trash->Remove(Old));
  EXPECT_EQ(FakeShell.Asked, Names{"C:\\old.exe"});
  EXPECT_EQ(Old->ImageIndex(), 5);
  EXPECT_EQ(Old->ListItem()->ImageIndex(), 5);
}

TEST_F(LauncherTreeTest, EveryFetchAppendsAPictureAndMissingIconsLeaveMinusOne) {
  TLauncherExec* L = AddLauncher(Root.get(), "L", "C:\\a.exe");
  L->SetFileName("C:\\b.exe");
  EXPECT_EQ(Images.Count(), 7);
  EXPECT_EQ(L->ImageIndex(), 6);
  FakeShell.NoIcon.insert("C:\\gone.exe");
  TLauncherExec* Gone = AddLauncher(Root.get(), "Gone", "C:\\gone.exe");
  EXPECT_EQ(Gone->ImageIndex(), -1);
  EXPECT_EQ(Images.Count(), 7);
  // Network paths are never asked of the shell on this thread.
  AddLauncher(Root.get(), "Net", "\\\\server\\share\\tool.exe");
  EXPECT_EQ(FakeShell.Asked.back(), "C:\\gone.exe");
}

// Launchers whose files the shell shows with one picture share its entry in the list.
TEST_F(LauncherTreeTest, LaunchersOfOnePictureShareOneEntry) {
  FakeShell.Sources = {{"C:\\a.exe", 3}, {"C:\\x.txt", 8}, {"C:\\y.txt", 8}};
  const int Fixed = Images.Count();
  TLauncherExec* A = AddLauncher(Root.get(), "A", "C:\\a.exe");
  TLauncherExec* Again = AddLauncher(Trash, "Again", "C:\\a.exe");
  Root->Add(Trash->Remove(Again));
  TLauncherExec* X = AddLauncher(Root.get(), "X", "C:\\x.txt");
  TLauncherExec* Y = AddLauncher(Root.get(), "Y", "C:\\y.txt");
  EXPECT_EQ(Images.Count(), Fixed + 2);
  EXPECT_EQ(Again->ImageIndex(), A->ImageIndex());
  EXPECT_EQ(Y->ImageIndex(), X->ImageIndex());
  EXPECT_NE(X->ImageIndex(), A->ImageIndex());
  EXPECT_EQ(Again->ListItem()->ImageIndex(), A->ImageIndex());
}

// On a finer screen the views show a list of the window's small icon size, numbered as the
// 16 px one: each picture made at that size from where it came, a share's made larger from
// its 16 px picture rather than asked for; the menu at that size takes the same list.
TEST_F(LauncherTreeTest, TheViewsPicturesAtAnotherSizeKeepTheNumbersOfThe16PixelList) {
  TFakeSystem Sys;
  TSystem* OldSystem = SetSystem(&Sys);
  TLauncherExec* A = AddLauncher(Root.get(), "A", "C:\\a.exe");
  Root->SetViewPictureSize(24);
  TImageList* View = Root->ViewPictures();
  ASSERT_NE(View, &Images);
  EXPECT_EQ(TreeView.Images(), View);
  EXPECT_EQ(ListView.SmallImages(), View);
  FakeShell.SizesAsked.clear();
  TLauncherExec* B = AddLauncher(Root.get(), "B", "C:\\b.exe");
  // A share's picture, added as its thread adds it.
  const int Net = Images.AddIcon(FakeShell.GetFileInfoIcon("net", 0));
  Root->SyncViewPictures();
  ASSERT_EQ(View->Count(), Images.Count());
  EXPECT_EQ(FakeShell.SizesAsked, std::vector<int>{24});  // b.exe's alone
  for (TLauncherExec* L : {A, B})
    EXPECT_EQ(TFakeShell::PathOf(View->Icon(L->ImageIndex())), L->FileName());
  EXPECT_EQ(TFakeShell::PathOf(View->Icon(Net)), "net");
  for (int Fixed = 0; Fixed < FixedPictures; ++Fixed)
    EXPECT_NE(std::find(Sys.ResourceIcons.begin(), Sys.ResourceIcons.end(),
                        std::make_pair(FirstPictureId + Fixed, 24)),
              Sys.ResourceIcons.end());
  Sys.Monitors = {{0, 0, 1200, 900, 144}};
  Root->MenuOpensAt(10, 10);
  TImageList* Drawn = nullptr;
  EXPECT_EQ(Root->MenuPicture(B->ImageIndex(), B->FileName(), Drawn), B->ImageIndex());
  EXPECT_EQ(Drawn, View);
  // Back at 16 the views show the 16 px list again.
  Root->SetViewPictureSize(16);
  EXPECT_EQ(Root->ViewPictures(), &Images);
  EXPECT_EQ(TreeView.Images(), &Images);
  SetSystem(OldSystem);
}

TEST_F(LauncherTreeTest, URLLaunchersKeepTheirPicture) {
  TLauncherURL* Url = Root->Add(std::make_unique<TLauncherURL>(Root.get()));
  Url->SetFileName("http://example.jp/");
  Url->FetchIcon();
  EXPECT_EQ(Url->ImageIndex(), 4);
  EXPECT_TRUE(FakeShell.Asked.empty());
  EXPECT_EQ(Url->ListItem()->ImageIndex(), 4);
  // The URL set after the row was made shows in it, silently.
  EXPECT_EQ(Url->ListItem()->SubItems()[0], "http://example.jp/");
  EXPECT_EQ(UserChanges, 0);
}

TEST_F(LauncherTreeTest, CloneCopiesWhatTheTableSaysAndNothingElse) {
  TFolder* Group = AddFolder(Root.get(), "G");
  Group->SetRunCount(3);
  Group->SetOwnColors(true);
  Group->SetExpanded(true);
  TLauncherFolder* Folder = Group->Add(std::make_unique<TLauncherFolder>(Group));
  Folder->SetName("F");
  Folder->SetFileName("C:\\Docs");
  Folder->SetFolderExplorerOption(" /e,");
  Folder->SetParameters("p");
  Folder->SetWorkFolder("w");
  Folder->SetVisible(false);
  Folder->SetRunCount(9);
  Folder->SetFixedPosition(true);
  Folder->SetColors({1, 2, 3, 4});
  Folder->SetOwnColors(true);
  // A trash inside is not copied.
  Group->Add(std::make_unique<TRecycledFolder>(Group));

  std::unique_ptr<TExecItem> Copy = Group->Clone();
  auto* GroupCopy = dynamic_cast<TFolder*>(Copy.get());
  ASSERT_NE(GroupCopy, nullptr);
  EXPECT_EQ(GroupCopy->Name(), "G");
  EXPECT_EQ(GroupCopy->Parent(), nullptr);  // outside the tree until it is added
  EXPECT_EQ(GroupCopy->RunCount(), 0);
  EXPECT_FALSE(GroupCopy->OwnColors());
  EXPECT_FALSE(GroupCopy->Expanded());
  EXPECT_EQ(GroupCopy->TreeNode(), nullptr);
  EXPECT_EQ(Root->Children().IndexOf(GroupCopy), -1);
  ASSERT_EQ(GroupCopy->Count(), 1);
  auto* FolderCopy = dynamic_cast<TLauncherFolder*>(GroupCopy->Items(0));
  ASSERT_NE(FolderCopy, nullptr);
  EXPECT_EQ(FolderCopy->Parent(), GroupCopy);
  EXPECT_EQ(FolderCopy->Name(), "F");
  EXPECT_EQ(FolderCopy->FileName(), "C:\\Docs");
  EXPECT_EQ(FolderCopy->ExplorerOption(), " /e,");
  EXPECT_EQ(FolderCopy->Parameters(), "p");
  EXPECT_EQ(FolderCopy->WorkFolder(), "w");
  EXPECT_FALSE(FolderCopy->Visible());
  EXPECT_EQ(FolderCopy->ImageIndex(), Folder->ImageIndex());
  EXPECT_EQ(FolderCopy->RunCount(), 0);
  EXPECT_FALSE(FolderCopy->FixedPosition());
  EXPECT_EQ(FolderCopy->Colors(), DefaultColorSet);
  EXPECT_FALSE(FolderCopy->OwnColors());
  EXPECT_EQ(FolderCopy->ListItem(), nullptr);

  EXPECT_EQ(Trash->Clone(), nullptr);
  EXPECT_EQ(Root->Clone(), nullptr);
  TLauncherExec* Exec = AddLauncher(Root.get(), "E", "C:\\e.exe");
  std::unique_ptr<TExecItem> ExecCopy = Exec->Clone();
  EXPECT_NE(dynamic_cast<TLauncherExec*>(ExecCopy.get()), nullptr);
  TLauncherURL* Url = Root->Add(std::make_unique<TLauncherURL>(Root.get()));
  std::unique_ptr<TExecItem> UrlCopy = Url->Clone();
  EXPECT_NE(dynamic_cast<TLauncherURL*>(UrlCopy.get()), nullptr);
  // Pasting a copy shows it like any new item.
  std::size_t AskedBefore = FakeShell.Asked.size();
  Root->Add(std::move(Copy));
  EXPECT_EQ(FakeShell.Asked.size(), AskedBefore);  // copies keep their picture
  EXPECT_EQ(NodeTexts(Root->TreeNode()).back(), "G");
}

// The clipboard of the editing commands keeps copies for as long as it likes: the group a
// copy came from may be deleted for good before the copy is pasted, or the program may end
// with copies still in it (the tree goes first, then the clipboard).
class CopyOutlivesItsSourceTest : public TreeFixture, public ::testing::WithParamInterface<bool> {
 protected:
  // A copy of a launcher (false) or of a group holding two launchers (true), made from
  // inside a group G.
  std::unique_ptr<TExecItem> CopyFromGroup() {
    TFolder* G = AddFolder(Root.get(), "G");
    TFolder* Inner = AddFolder(G, "Inner");
    AddLauncher(Inner, "a", "C:\\a.exe");
    AddLauncher(Inner, "b", "C:\\b.exe");
    Source = GetParam() ? static_cast<TExecItem*>(Inner) : Inner->Items(0);
    return Source->Clone();
  }
  void DeleteGroupG() {
    TExecItem* G = Root->Items(1);
    ASSERT_EQ(G->Name(), "G");
    Root->Remove(G).reset();
  }
  TExecItem* Source = nullptr;
};

TEST_P(CopyOutlivesItsSourceTest, PastedAfterItsGroupWasDeletedForGood) {
  std::unique_ptr<TExecItem> Copy = CopyFromGroup();
  ASSERT_NE(Copy, nullptr);
  EXPECT_EQ(Copy->Parent(), nullptr);
  DeleteGroupG();
  TFolder* Other = AddFolder(Root.get(), "Other");
  Root->SetCurrentFolder(Other);
  TExecItem* Pasted = Other->Add(std::move(Copy));
  EXPECT_EQ(Pasted->Parent(), Other);
  EXPECT_EQ(RowCaptions(), Names{GetParam() ? "Inner" : "a"});
  if (GetParam()) {
    EXPECT_EQ(NodeTexts(Other->TreeNode()), Names{"Inner"});
    auto* Group = Pasted->AsGroup();
    ASSERT_EQ(Group->Count(), 2);
    EXPECT_EQ(Group->Items(0)->Parent(), Group);
    EXPECT_EQ(Group->Items(1)->GetRoot(), Root.get());
  }
}

TEST_P(CopyOutlivesItsSourceTest, StillHeldWhenTheProgramEnds) {
  std::unique_ptr<TExecItem> Copy = CopyFromGroup();
  int Nodes = TreeView.Items().Count();
  Root->BeginShutdown();
  Root.reset();
  Copy.reset();  // must not reach the freed tree
  EXPECT_EQ(TreeView.Items().Count(), Nodes);
}

TEST_P(CopyOutlivesItsSourceTest, DeletedUnpastedAfterItsGroupWent) {
  std::unique_ptr<TExecItem> Copy = CopyFromGroup();
  DeleteGroupG();
  int Rows = ListView.Items().Count();
  Copy.reset();
  EXPECT_EQ(ListView.Items().Count(), Rows);
}

INSTANTIATE_TEST_SUITE_P(LauncherOrGroup, CopyOutlivesItsSourceTest, ::testing::Bool());

TEST_F(LauncherTreeTest, ACopyFromTheTrashFetchesItsIconOnlyWhenPastedOutsideATrash) {
  TLauncherExec* Old = AddLauncher(Trash, "Old", "C:\\old.exe");
  ASSERT_TRUE(FakeShell.Asked.empty());
  // Pasted back into the trash: still no icon.
  TExecItem* First = Trash->Add(Old->Clone());
  EXPECT_TRUE(FakeShell.Asked.empty());
  EXPECT_EQ(First->ImageIndex(), -1);
  // Pasted elsewhere, even after the trash itself went: the icon is fetched.
  std::unique_ptr<TExecItem> Second = Old->Clone();
  Root->Remove(Trash).reset();
  Trash = nullptr;
  TFolder* G = AddFolder(Root.get(), "G");
  TExecItem* Pasted = G->Add(std::move(Second));
  EXPECT_EQ(FakeShell.Asked, Names{"C:\\old.exe"});
  EXPECT_EQ(Pasted->ImageIndex(), 5);
  // A copy of a launcher outside the trash keeps its picture and asks for nothing.
  G->Add(Pasted->Clone());
  EXPECT_EQ(FakeShell.Asked.size(), 1u);
  EXPECT_EQ(G->Items(1)->ImageIndex(), 5);
}

TEST_F(LauncherTreeTest, OnlyTheLastTrashIsRegistered) {
  TRecycledFolder* Second = Root->Add(std::make_unique<TRecycledFolder>(Root.get()));
  EXPECT_EQ(Root->RecycledFolder(), Second);
  Root->Remove(Trash).reset();
  EXPECT_EQ(Root->RecycledFolder(), Second);
  Root->Remove(Second).reset();
  EXPECT_EQ(Root->RecycledFolder(), nullptr);
}

TEST_F(LauncherTreeTest, ATrashMadeOutsideTheTreeIsRegisteredOnceAdded) {
  auto Later = std::make_unique<TRecycledFolder>(nullptr);
  TRecycledFolder* Made = Later.get();
  EXPECT_EQ(Root->RecycledFolder(), Trash);
  Root->Add(std::move(Later));
  EXPECT_EQ(Root->RecycledFolder(), Made);
  // Freeing the one no longer registered leaves the registration alone.
  Root->Remove(Trash).reset();
  Trash = nullptr;
  EXPECT_EQ(Root->RecycledFolder(), Made);
}

// Two trees side by side: each reaches only its own views, pictures, trash and explorer
// option, and items moved from one to the other follow.
TEST_F(LauncherTreeTest, EachTreeKeepsToItsOwnViewsAndTrash) {
  TTreeView OtherTree;
  TListView OtherList;
  TImageList OtherImages;
  for (int i = 0; i < 5; ++i) OtherImages.AddIcon(FakeShell.GetFileInfoIcon("fixed", 0));
  FakeShell.Asked.clear();
  auto Other = std::make_unique<TRoot>();
  Other->ShowInViews(OtherList, OtherTree, OtherImages, OtherImages);
  EXPECT_EQ(Other->RecycledFolder(), nullptr);

  TRecycledFolder* OtherTrash = Other->Add(std::make_unique<TRecycledFolder>(Other.get()));
  TLauncherExec* L = AddLauncher(Other.get(), "他", "C:\\other.exe");
  Other->SetExplorerOption("/e,");
  EXPECT_EQ(Other->RecycledFolder(), OtherTrash);
  EXPECT_EQ(Root->RecycledFolder(), Trash);
  EXPECT_EQ(Root->ExplorerOption(), "");
  EXPECT_EQ(L->ListItem()->ListView(), &OtherList);
  EXPECT_EQ(OtherList.Items().Count(), 2);
  EXPECT_EQ(RowCaptions(), Names{"ゴミ入れ"});
  EXPECT_EQ(NodeTexts(Other->TreeNode()), Names{"ゴミ入れ"});
  EXPECT_EQ(NodeTexts(Root->TreeNode()), Names{"ゴミ入れ"});
  EXPECT_EQ(L->ImageIndex(), 5);
  EXPECT_EQ(OtherImages.Count(), 6);
  EXPECT_EQ(Images.Count(), 5);

  // Moved over, the launcher and the trash belong to this tree now.
  Root->Add(Other->Remove(L));
  EXPECT_EQ(L->ListItem()->ListView(), &ListView);
  EXPECT_EQ(OtherList.Items().Count(), 1);
  Root->Add(Other->Remove(OtherTrash));
  EXPECT_EQ(Root->RecycledFolder(), OtherTrash);
  EXPECT_EQ(Other->RecycledFolder(), nullptr);
  EXPECT_EQ(NodeTexts(Root->TreeNode()), (Names{"ゴミ入れ", "ゴミ入れ"}));

  Other.reset();
  EXPECT_EQ(OtherTree.Items().Count(), 0);
  EXPECT_EQ(RowCaptions(), (Names{"ゴミ入れ", "他", "ゴミ入れ"}));
}

// A copy held outside any tree has no views to reach: its icon goes to no picture list, and
// listing a copied group leaves the list view as it is.
TEST_F(LauncherTreeTest, ACopyOutsideAnyTreeReachesNoViews) {
  TFolder* G = AddFolder(Root.get(), "G");
  TLauncherExec* L = AddLauncher(G, "L", "C:\\a.exe");
  ASSERT_EQ(L->ImageIndex(), 5);
  std::unique_ptr<TExecItem> LauncherCopy = L->Clone();
  LauncherCopy->SetFileName("C:\\b.exe");
  EXPECT_EQ(LauncherCopy->ImageIndex(), 5);
  EXPECT_EQ(Images.Count(), 6);
  std::unique_ptr<TExecItem> GroupCopy = G->Clone();
  FillListView(GroupCopy->AsGroup());
  EXPECT_EQ(RowCaptions(), (Names{"ゴミ入れ", "G"}));
  EXPECT_EQ(GroupCopy->AsGroup()->Items(0)->ListItem(), nullptr);
}

TEST_F(LauncherTreeTest, IsInsideWalksUpwards) {
  TFolder* Outer = AddFolder(Root.get(), "外");
  TFolder* Inner = AddFolder(Outer, "内");
  EXPECT_TRUE(Inner->IsInside(Inner));
  EXPECT_TRUE(Inner->IsInside(Outer));
  EXPECT_TRUE(Inner->IsInside(Root.get()));
  EXPECT_FALSE(Outer->IsInside(Inner));
  EXPECT_FALSE(Trash->IsInside(Outer));
  EXPECT_EQ(Inner->GetRoot(), Root.get());
  EXPECT_EQ(Inner->IndexInParent(), 0);
}

TEST_F(LauncherTreeTest, OpeningAGroupMakesItCurrent) {
  TFolder* Tools = AddFolder(Root.get(), "ツール");
  Tools->Open();
  EXPECT_EQ(Root->CurrentFolder(), Tools);
}

TEST_F(LauncherTreeTest, IteratorVisitsEveryItemInPreOrder) {
  TFolder* A = AddFolder(Root.get(), "A");
  AddLauncher(A, "a1");
  TFolder* B = AddFolder(A, "B");
  AddLauncher(B, "b1");
  AddFolder(A, "Empty");
  AddLauncher(Root.get(), "r1");
  Names Visited;
  for (TExecItemIterator It(Root.get()); !It.Done(); It.Next())
    Visited.push_back(It.Current()->Name());
  EXPECT_EQ(Visited, (Names{"ゴミ入れ", "A", "a1", "B", "b1", "Empty", "r1"}));
}

// Launchers outside any tree, named, for the list's own tests.
std::vector<TExecItem*> FillList(TExecItemList& List, const Names& ItemNames) {
  std::vector<TExecItem*> Items;
  for (const std::string& Name : ItemNames) {
    auto Item = std::make_unique<TLauncherExec>(nullptr);
    Item->SetName(Name);
    Items.push_back(Item.get());
    List.Add(std::move(Item));
  }
  return Items;
}

std::string Order(const TExecItemList& List) {
  std::string Text;
  for (int i = 0; i < List.Count(); ++i) Text += List.Items(i) ? List.Items(i)->Name() : "-";
  return Text;
}

TEST(ExecItemListTest, RemoveHandsTheItemBackAndReorderKeepsEveryItem) {
  TExecItemList List;
  std::vector<TExecItem*> Item = FillList(List, {"a", "b", "c", "d"});
  std::unique_ptr<TExecItem> B = List.Remove(Item[1]);
  EXPECT_EQ(B.get(), Item[1]);
  EXPECT_EQ(Order(List), "acd");
  EXPECT_EQ(List.Remove(Item[1]), nullptr);  // no longer in the list
  List.Insert(99, std::move(B));
  EXPECT_EQ(Order(List), "acdb");
  // Those named come first; those left out follow in their order.
  List.Reorder({Item[3], Item[0]});
  EXPECT_EQ(Order(List), "dacb");
  // An item named twice, or one of another list, changes nothing else.
  TLauncherExec Stranger(nullptr);
  List.Reorder({Item[0], &Stranger, Item[0], Item[2]});
  EXPECT_EQ(Order(List), "acdb");
  EXPECT_EQ(List.Snapshot(), (std::vector<TExecItem*>{Item[0], Item[2], Item[3], Item[1]}));
}

// An item that looks at its list while it is being freed.
class TLookingItem : public TLauncherExec {
 public:
  TLookingItem(TExecItemList& List, std::vector<std::string>& Seen)
      : TLauncherExec(nullptr), FList(List), FSeen(Seen) {}
  ~TLookingItem() override {
    std::string Text = Order(FList);
    for (TExecItem* Item : FList.Snapshot())
      if (Item == this) Text += "!";
    FSeen.push_back(Text);
  }

 private:
  TExecItemList& FList;
  std::vector<std::string>& FSeen;
};

TEST(ExecItemListTest, ClearEmptiesEachSlotBeforeItsItemIsFreed) {
  std::vector<std::string> Seen;
  {
    TExecItemList List;
    for (const char* Name : {"a", "b", "c"}) {
      auto Item = std::make_unique<TLookingItem>(List, Seen);
      Item->SetName(Name);
      List.Add(std::move(Item));
    }
    List.Clear();
    EXPECT_EQ(List.Count(), 0);
  }
  EXPECT_EQ(Seen, (Names{"ab-", "a-", "-"}));
}

TEST(ExecItemIteratorTest, ARootWithoutChildrenIsDoneAtOnce) {
  TRoot Root;
  TExecItemIterator It(&Root);
  EXPECT_TRUE(It.Done());
  EXPECT_EQ(It.Current(), &Root);
}

TEST(ExecItemIteratorTest, WalksASubtreeOnly) {
  TRoot Root;
  TFolder* A = Root.Add(std::make_unique<TFolder>(&Root));
  A->Add(std::make_unique<TLauncherExec>(A));
  Root.Add(std::make_unique<TLauncherExec>(&Root));
  int n = 0;
  for (TExecItemIterator It(A); !It.Done(); It.Next()) ++n;
  EXPECT_EQ(n, 1);
}

}  // namespace
}  // namespace lantern
