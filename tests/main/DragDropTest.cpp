// Dragging inside the main window's views, on its own over the tree, windowless: rows of the
// list moved within the current group, rows and groups moved into a group of the tree, the
// refusals and warnings.
// Windowless, a view's row N lies at Y = N * RowHeight (the tree's shown nodes in order).
#include <gtest/gtest.h>

#include "base/Exception.h"
#include "support/EditFixture.h"

namespace lantern {
namespace {

const char* const SameFolder = "送り側と受け側のフォルダが同じです";
const char* const SubFolder = "受け側は送り側のサブフォルダです。移動はできません";

int RowY(int Row) { return Row * TDragControl::RowHeight + TDragControl::RowHeight / 2; }

// "name[children]" for groups, "name" for launchers, separated by spaces.
std::string Layout(const TCompositeItem* Group) {
  std::string Text;
  for (int i = 0; i < Group->Count(); ++i) {
    TExecItem* Item = Group->Items(i);
    if (!Text.empty()) Text += ' ';
    Text += Item->Name();
    if (TCompositeItem* Sub = Item->AsGroup()) Text += "[" + Layout(Sub) + "]";
  }
  return Text;
}

class DragDropTest : public EditFixture {
 protected:
  // The tree "T[] GA[] GB[GB1[]] L1 L2 L3", every node expanded: tree rows root 0, T 1, GA 2,
  // GB 3, GB1 4; list rows T 0, GA 1, GB 2, L1 3, L2 4, L3 5.
  void SetUp() override {
    EditFixture::SetUp();
    Trash->SetName("T");
    AddFolder(Root.get(), "GA");
    AddFolder(AddFolder(Root.get(), "GB"), "GB1");
    for (const char* Name : {"L1", "L2", "L3"}) AddLauncher(Root.get(), Name);
    Root->TreeNode()->Expand(true);
  }
  TExecItem* Find(const std::string& Name) {
    if (Root->Name() == Name) return Root.get();
    for (TExecItemIterator It(Root.get()); !It.Done(); It.Next())
      if (It.Current()->Name() == Name) return It.Current();
    return nullptr;
  }
  void SelectRows(const std::vector<std::string>& Names) {
    for (int i = 0; i < ListView.Items().Count(); ++i) {
      TListItem* Row = ListView.Items()[i];
      bool Chosen = false;
      for (const std::string& Name : Names) Chosen |= Find(Name)->ListItem() == Row;
      Row->SetSelected(Chosen);
    }
  }
  // The list's rows, as the current group's layout writes them.
  std::string ListRows() {
    std::string Text;
    for (int i = 0; i < ListView.Items().Count(); ++i) {
      auto* Item = static_cast<TExecItem*>(ListView.Items()[i]->Data());
      if (!Text.empty()) Text += ' ';
      Text += Item->Name();
      if (TCompositeItem* Sub = Item->AsGroup()) Text += "[" + Layout(Sub) + "]";
    }
    return Text;
  }
};

TEST_F(DragDropTest, TheWindowlessRowsAreWhereTheTestsAimAtThem) {
  EXPECT_EQ(Layout(Root.get()), "T[] GA[] GB[GB1[]] L1 L2 L3");
  EXPECT_EQ(TreeView.GetNodeAt(0, RowY(0)), Root->TreeNode());
  EXPECT_EQ(TreeView.GetNodeAt(0, RowY(4)), Find("GB1")->TreeNode());
  EXPECT_EQ(TreeView.GetNodeAt(0, RowY(5)), nullptr);
  EXPECT_EQ(ListView.GetItemAt(0, RowY(5)), Find("L3")->ListItem());
  EXPECT_EQ(ListView.GetItemAt(0, RowY(6)), nullptr);
  Find("GB")->TreeNode()->Collapse(false);
  EXPECT_EQ(TreeView.GetNodeAt(0, RowY(4)), nullptr);
}

TEST_F(DragDropTest, DropsMoveTheItemsOrWarnAndChangeNothing) {
  const char* const Same = "T[] GA[] GB[GB1[]] L1 L2 L3";  // as the tree began
  struct {
    std::vector<std::string> Dragged;  // rows of the list, or the tree's node of one name
    bool FromTree, OnTree;
    int Row;
    const char* Warning;  // none: no box
    const char* After;
  } Cases[] = {
      // Two launchers just before a third, in order; two launchers before a group.
      {{"L1", "L3"}, false, false, 4, nullptr, "T[] GA[] GB[GB1[]] L1 L3 L2"},
      {{"L2", "L3"}, false, false, 1, nullptr, "T[] L2 L3 GA[] GB[GB1[]] L1"},
      // A launcher on itself, alone or among others.
      {{"L2"}, false, false, 4, nullptr, Same},
      {{"L1", "L2"}, false, false, 4, nullptr, Same},
      // The empty part of the list.
      {{"GA", "L1"}, false, false, 9, nullptr, "T[] GB[GB1[]] L2 L3 GA[] L1"},
      // Launchers on the trash; rows of the list into a group.
      {{"L1", "L3"}, false, true, 1, nullptr, "T[L1 L3] GA[] GB[GB1[]] L2"},
      {{"GA", "L2"}, false, true, 4, nullptr, "T[] GB[GB1[GA[] L2]] L1 L3"},
      // A group into a sibling; a group up to the root.
      {{"GB"}, true, true, 2, nullptr, "T[] GA[GB[GB1[]]] L1 L2 L3"},
      {{"GB1"}, true, true, 0, nullptr, "T[] GA[] GB[] L1 L2 L3 GB1[]"},
      // A group on its own parent, a group on itself, launchers on their own group.
      {{"GB1"}, true, true, 3, SameFolder, Same},
      {{"GB"}, true, true, 3, SameFolder, Same},
      {{"L1"}, false, true, 0, SameFolder, Same},
      // A group on its own sub-group, two groups on a node inside the second, the root into a
      // group.
      {{"GB"}, true, true, 4, SubFolder, Same},
      {{"GA", "GB"}, false, true, 4, SubFolder, Same},
      {{"ランタン"}, true, true, 2, SubFolder, Same},
  };
  for (auto& c : Cases) {
    SCOPED_TRACE(&c - Cases);
    Restart();
    Boxes.Texts.clear();
    Root->SetName("ランタン");
    TDragControl* Source = &ListView;
    if (c.FromTree) {
      Source = &TreeView;
      TreeView.SetSelected(Find(c.Dragged[0])->TreeNode());
    } else {
      SelectRows(c.Dragged);
    }
    ASSERT_TRUE(Source->NativeBeginDrag());
    EXPECT_TRUE(Dragging->Dragging());
    TDragControl* Target = c.OnTree ? static_cast<TDragControl*>(&TreeView) : &ListView;
    Source->NativeDragDrop(Target, 3, RowY(c.Row));
    EXPECT_FALSE(Dragging->Dragging());
    EXPECT_EQ(Layout(Root.get()), c.After);
    EXPECT_EQ(Boxes.Texts,
              c.Warning ? std::vector<std::string>{c.Warning} : std::vector<std::string>{});
    // The list still shows the current group as it now is.
    EXPECT_EQ(ListRows(), Layout(Root->CurrentFolder()));
  }
}

TEST_F(DragDropTest, AGroupDroppedOnATreeNodeIsSelectedThereAndTheNodeOpens) {
  Find("GB")->TreeNode()->Collapse(false);
  Find("GA")->AsGroup()->Add(std::make_unique<TLauncherExec>(Find("GA")));
  Find("GA")->TreeNode()->Collapse(false);
  SelectRows({"GB", "L1"});
  ASSERT_TRUE(ListView.NativeBeginDrag());
  ListView.NativeDragDrop(&TreeView, 3, RowY(2));  // GA
  EXPECT_EQ(Layout(Find("GA")->AsGroup()), "新規ランチャ GB[GB1[]] L1");
  EXPECT_TRUE(Find("GA")->TreeNode()->Expanded());
  EXPECT_FALSE(Find("GB")->TreeNode()->Expanded());  // one level only
  EXPECT_EQ(TreeView.Selected(), Find("GB")->TreeNode());
  EXPECT_TRUE(Find("GB")->TreeNode()->Focused());
  // A launcher first: the selection stays.
  SelectRows({"L2"});
  ASSERT_TRUE(ListView.NativeBeginDrag());
  ListView.NativeDragDrop(&TreeView, 3, RowY(1));  // T
  EXPECT_EQ(Layout(Find("T")->AsGroup()), "L2");
  EXPECT_EQ(TreeView.Selected(), Find("GB")->TreeNode());
}

TEST_F(DragDropTest, WhereADragIsAccepted) {
  struct {
    const char* Name;
    bool FromTree;
    bool OverTree;
    int Row;
    bool Accept;
  } Cases[] = {
      {"list over a row of the list", false, false, 3, true},
      {"list over the empty list", false, false, 20, true},
      {"list over a node", false, true, 2, true},
      {"list over the tree's empty part", false, true, 20, false},
      {"tree over a node", true, true, 3, true},
      {"tree over the tree's empty part", true, true, 5, false},
      {"tree over a row of the list", true, false, 3, false},
      {"tree over the empty list", true, false, 20, false},
  };
  for (auto& c : Cases) {
    SCOPED_TRACE(c.Name);
    TDragControl* Source = &ListView;
    if (c.FromTree) {
      Source = &TreeView;
      TreeView.SetSelected(Find("GA")->TreeNode());
    } else {
      SelectRows({"L1"});
    }
    ASSERT_TRUE(Source->NativeBeginDrag());
    TDragControl* Over = c.OverTree ? static_cast<TDragControl*>(&TreeView) : &ListView;
    EXPECT_EQ(Source->NativeDragOver(Over, 3, RowY(c.Row)), c.Accept);
    Source->NativeEndDrag();
  }
  // Dropped where it is refused, nothing moves.
  TreeView.SetSelected(Find("GA")->TreeNode());
  ASSERT_TRUE(TreeView.NativeBeginDrag());
  TreeView.NativeDragDrop(&ListView, 3, RowY(4));
  EXPECT_EQ(Layout(Root.get()), "T[] GA[] GB[GB1[]] L1 L2 L3");
  EXPECT_FALSE(Dragging->Dragging());
}

TEST_F(DragDropTest, ACancelledDragEndsAndMovesNothing) {
  SelectRows({"L1"});
  ASSERT_TRUE(ListView.NativeBeginDrag());
  EXPECT_TRUE(Dragging->Dragging());
  EXPECT_TRUE(Dragging->Carrying());
  ListView.NativeEndDrag();
  EXPECT_FALSE(Dragging->Dragging());
  EXPECT_FALSE(Dragging->Carrying());  // the dragged items are forgotten
  EXPECT_EQ(Layout(Root.get()), "T[] GA[] GB[GB1[]] L1 L2 L3");
}

// Were a dragged group (or one inside it) current, its list refuses the drop.
TEST_F(DragDropTest, NoGroupTakesItself) {
  SelectRows({"GB"});
  ASSERT_TRUE(ListView.NativeBeginDrag());
  Root->SetCurrentFolder(Find("GB1")->AsGroup());
  EXPECT_FALSE(ListView.NativeDragOver(&ListView, 3, RowY(0)));
  ListView.NativeDragDrop(&ListView, 3, RowY(0));
  EXPECT_EQ(Layout(Root.get()), "T[] GA[] GB[GB1[]] L1 L2 L3");
  EXPECT_THROW(Find("GB1")->AsGroup()->CheckCanHold(Find("GB")), Exception);
}

TEST_F(DragDropTest, NothingSelectedStartsNoDrag) {
  SelectRows({});
  EXPECT_FALSE(ListView.NativeBeginDrag());
  EXPECT_FALSE(Dragging->Dragging());
  TreeView.SetSelected(nullptr);
  EXPECT_FALSE(TreeView.NativeBeginDrag());
  EXPECT_FALSE(Dragging->Dragging());
}

// A chain C1 .. C100 below the root reaches the deepest level; X holds one more group.
TEST_F(DragDropTest, AMoveThatWouldNestTooDeepIsRefusedAndChangesNothing) {
  TCompositeItem* Chain = Root.get();
  for (int Level = 1; Level <= MaxGroupDepth; ++Level) {
    auto* Next = Chain->Add(std::make_unique<TFolder>(Chain));
    Next->SetName("C" + std::to_string(Level));
    Chain = Next;
  }
  auto* X = Root->Add(std::make_unique<TFolder>(Root.get()));
  X->SetName("X");
  X->Add(std::make_unique<TFolder>(X))->SetName("Y");
  Root->TreeNode()->Expand(true);
  // Tree rows: root, T, GA, GB, GB1, C1 at 5 .. C100 at 104, X 105, Y 106.
  ASSERT_EQ(TreeView.GetNodeAt(0, RowY(105)), X->TreeNode());
  const std::string Before = Layout(Root.get());
  TreeView.SetSelected(X->TreeNode());
  ASSERT_TRUE(TreeView.NativeBeginDrag());
  try {
    TreeView.NativeDragDrop(&TreeView, 3, RowY(103));  // C99: Y would be at 101
    ADD_FAILURE() << "the move was not refused";
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), GroupTooDeepText());
  }
  EXPECT_FALSE(Dragging->Dragging());
  EXPECT_EQ(Layout(Root.get()), Before);
  EXPECT_EQ(X->TreeNode()->Parent(), Root->TreeNode());
  // One level higher it fits: Y at level 100.
  TreeView.SetSelected(X->TreeNode());
  ASSERT_TRUE(TreeView.NativeBeginDrag());
  TreeView.NativeDragDrop(&TreeView, 3, RowY(102));  // C98
  EXPECT_EQ(X->Parent()->Name(), "C98");
  EXPECT_EQ(X->AsGroup()->Items(0)->Depth(), MaxGroupDepth);
}

}  // namespace
}  // namespace lantern
