#include <gtest/gtest.h>

#include "model/Root.h"
#include "support/TreeFixture.h"

namespace lantern {
namespace {

using Names = std::vector<std::string>;

// One scan of the application watcher: every item forgets what it saw, then each running
// path is matched.
void Scan(TRoot* Root, const Names& Running) {
  Root->BeginWatchScan();
  for (const std::string& Path : Running) Root->MatchRunningFile(Path);
}

struct RunOrderCase {
  const char* Name;
  bool MoveFirstPosition, UpperFirst, Fixed, Visible;
  Names GroupOrder;  // the group's children after B has started
  bool Moved;
};

class RunOrderTest : public TreeFixture, public ::testing::WithParamInterface<RunOrderCase> {};

TEST_P(RunOrderTest, AStartIsCountedAndMovesTheLauncherAsTheSettingsSay) {
  const RunOrderCase& c = GetParam();
  Root->SetMoveFirstPosition(c.MoveFirstPosition);
  Root->SetUpperFirst(c.UpperFirst);
  TFolder* G = AddFolder(Root.get(), "G");
  AddLauncher(G, "A", "C:\\a.exe");
  TLauncherExec* B = AddLauncher(G, "B", "C:\\b.exe");
  AddLauncher(G, "C", "C:\\c.exe");
  B->SetFixedPosition(c.Fixed);
  B->SetVisible(c.Visible);
  Scan(Root.get(), {});  // new items are neither counted nor moved by their first scan
  Root->SetWatchChanged(false);
  Root->SetMenuDirty(false);
  Scan(Root.get(), {"C:\\b.exe"});

  EXPECT_EQ(B->RunCount(), 1);
  EXPECT_EQ(ChildNames(G), c.GroupOrder);
  EXPECT_EQ(G->RunCount(), c.Moved ? 1 : 0);
  EXPECT_TRUE(G->IsRunning());
  // The group has just started at its own level too and moves in the root by the same rule,
  // whether or not B could move inside it.
  EXPECT_EQ(Root->WatchChanged(), c.MoveFirstPosition);
  EXPECT_EQ(Root->MenuDirty(), c.MoveFirstPosition);
  EXPECT_EQ(ChildNames(Root.get()).front(), c.MoveFirstPosition && c.UpperFirst ? "G" : "ゴミ入れ");
  EXPECT_EQ(Root->RunCount(), c.MoveFirstPosition ? 1 : 0);

  // Still running at the next scan: neither counted nor moved again.
  Names Before = ChildNames(G);
  Scan(Root.get(), {"C:\\b.exe"});
  EXPECT_EQ(B->RunCount(), 1);
  EXPECT_EQ(ChildNames(G), Before);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, RunOrderTest,
    ::testing::Values(RunOrderCase{"ToTheTop", true, true, false, true, {"B", "A", "C"}, true},
                      RunOrderCase{"ToTheEnd", true, false, false, true, {"A", "C", "B"}, true},
                      RunOrderCase{"RuleOff", false, true, false, true, {"A", "B", "C"}, false},
                      RunOrderCase{"FixedPosition", true, true, true, true, {"A", "B", "C"}, false},
                      RunOrderCase{"Hidden", true, true, false, false, {"A", "B", "C"}, false}),
    [](const auto& Info) { return std::string(Info.param.Name); });

// The group tree follows the rule's moves as the list and the menu do, its nodes kept: the
// group chosen in the tree stays chosen and an open group stays open.
TEST_F(TreeFixture, TheGroupTreeFollowsAGroupThatTheRuleMoved) {
  TFolder* A = AddFolder(Root.get(), "A");
  TFolder* B = AddFolder(Root.get(), "B");
  AddFolder(B, "Other");
  TFolder* Inner = AddFolder(B, "Inner");
  AddLauncher(Inner, "X", "C:\\x.exe");
  AddFolder(Inner, "Deep");
  Inner->TreeNode()->Expand(false);
  Root->SetCurrentFolder(A);
  TTreeNode* InnerNode = Inner->TreeNode();
  Scan(Root.get(), {});
  Scan(Root.get(), {"C:\\x.exe"});

  ASSERT_EQ(ChildNames(Root.get()), (Names{"B", "ゴミ入れ", "A"}));
  EXPECT_EQ(NodeTexts(Root->TreeNode()), (Names{"B", "ゴミ入れ", "A"}));
  EXPECT_EQ(NodeTexts(B->TreeNode()), (Names{"Inner", "Other"}));
  EXPECT_EQ(Inner->TreeNode(), InnerNode);
  EXPECT_TRUE(InnerNode->Expanded());
  EXPECT_EQ(TreeView.Selected(), A->TreeNode());
  // Each node still stands for its own group.
  for (int i = 0; i < Root->TreeNode()->Count(); ++i)
    EXPECT_EQ(static_cast<TExecItem*>(Root->TreeNode()->Item(i)->Data())->Name(),
              ChildNames(Root.get())[i]);
}

TEST_F(TreeFixture, EveryLauncherOfTheStartedProgramIsCountedAndTheNextChildStillExamined) {
  Root->SetUpperFirst(false);
  TFolder* G = AddFolder(Root.get(), "G");
  TLauncherExec* A = AddLauncher(G, "A", "C:\\same.exe");
  TLauncherExec* B = AddLauncher(G, "B", "C:\\same.exe");
  AddLauncher(G, "C", "C:\\c.exe");
  Scan(Root.get(), {});
  Scan(Root.get(), {"C:\\same.exe"});
  EXPECT_EQ(A->RunCount(), 1);
  EXPECT_EQ(B->RunCount(), 1);
  // A went to the end; B, which followed it, was still examined and went after it.
  EXPECT_EQ(ChildNames(G), (Names{"C", "A", "B"}));
  EXPECT_EQ(G->RunCount(), 2);
}

TEST_F(TreeFixture, ACountAtTheTopOfItsRangeStaysThereAndTheStartStillMovesTheLauncher) {
  TFolder* G = AddFolder(Root.get(), "G");
  AddLauncher(G, "A", "C:\\a.exe");
  TLauncherExec* B = AddLauncher(G, "B", "C:\\b.exe");
  B->SetRunCount(2147483647);
  G->SetRunCount(2147483647);
  Scan(Root.get(), {});
  Scan(Root.get(), {"C:\\b.exe"});
  EXPECT_EQ(B->RunCount(), 2147483647);
  EXPECT_EQ(G->RunCount(), 2147483647);
  EXPECT_EQ(ChildNames(G), (Names{"B", "A"}));
}

TEST_F(TreeFixture, PathsAreComparedExactly) {
  TLauncherExec* A = AddLauncher(Root.get(), "A", "C:\\App.exe");
  Scan(Root.get(), {});
  Scan(Root.get(), {"c:\\app.exe", "C:\\App.exe "});
  EXPECT_EQ(A->RunCount(), 0);
  EXPECT_FALSE(Root->MatchRunningFile(""));
}

TEST_F(TreeFixture, TheListFollowsAtTheNextRefreshNotBefore) {
  AddLauncher(Root.get(), "A", "C:\\a.exe");
  AddLauncher(Root.get(), "B", "C:\\b.exe");
  Scan(Root.get(), {});
  Scan(Root.get(), {"C:\\b.exe"});
  EXPECT_EQ(RowCaptions(), (Names{"ゴミ入れ", "A", "B"}));
  EXPECT_TRUE(Root->WatchChanged());
  Root->RefreshListView();
  EXPECT_EQ(RowCaptions(), (Names{"ゴミ入れ", "B", "A"}));
  EXPECT_FALSE(Root->WatchChanged());
}

}  // namespace
}  // namespace lantern
