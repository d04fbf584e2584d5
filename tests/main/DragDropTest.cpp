// Dragging inside the main window's views, windowless: rows of the list moved within the
// current group, rows and groups moved into a group of the tree, the refusals and warnings.
// Windowless, a view's row N lies at Y = N * RowHeight (the tree's shown nodes in order).
#include <gtest/gtest.h>

#include "base/Exception.h"
#include "main/Main.h"
#include "support/FakeFileSystem.h"
#include "support/FakeShell.h"
#include "support/FakeSystem.h"
#include "support/MainFixture.h"
#include "support/TempFolder.h"
#include "ui/MemoryRegistry.h"

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

class DragDropTest : public MainFixture {
 protected:
  void SetUp() override {
    MainFixture::SetUp();
    Build();
  }
  // A fresh window over the tree "T[] GA[] GB[GB1[]] L1 L2 L3", every node expanded: tree
  // rows root 0, T 1, GA 2, GB 3, GB1 4; list rows T 0, GA 1, GB 2, L1 3, L2 4, L3 5.
  void Build() {
    Boxes.Texts.clear();
    M = &Start();
    TRoot* Root = M->Root();
    Root->RecycledFolder()->SetName("T");
    auto Group = [](TCompositeItem* Parent, const char* Name) {
      auto* G = Parent->Add(std::make_unique<TFolder>(Parent));
      G->SetName(Name);
      return G;
    };
    Group(Root, "GA");
    Group(Group(Root, "GB"), "GB1");
    for (const char* Name : {"L1", "L2", "L3"})
      Root->Add(std::make_unique<TLauncherExec>(Root))->SetName(Name);
    Root->TreeNode()->Expand(true);
  }
  TExecItem* Find(const std::string& Name) {
    if (M->Root()->Name() == Name) return M->Root();
    for (TExecItemIterator It(M->Root()); !It.Done(); It.Next())
      if (It.Current()->Name() == Name) return It.Current();
    return nullptr;
  }
  void SelectRows(const std::vector<std::string>& Names) {
    for (int i = 0; i < M->ListView1.Items().Count(); ++i) {
      TListItem* Row = M->ListView1.Items()[i];
      bool Chosen = false;
      for (const std::string& Name : Names) Chosen |= Find(Name)->ListItem() == Row;
      Row->SetSelected(Chosen);
    }
  }
  // The list's rows, as the current group's layout writes them.
  std::string ListRows() {
    std::string Text;
    for (int i = 0; i < M->ListView1.Items().Count(); ++i) {
      auto* Item = static_cast<TExecItem*>(M->ListView1.Items()[i]->Data());
      if (!Text.empty()) Text += ' ';
      Text += Item->Name();
      if (TCompositeItem* Sub = Item->AsGroup()) Text += "[" + Layout(Sub) + "]";
    }
    return Text;
  }

  TLanternMain* M = nullptr;
};

TEST_F(DragDropTest, TheWindowlessRowsAreWhereTheTestsAimAtThem) {
  EXPECT_EQ(Layout(M->Root()), "T[] GA[] GB[GB1[]] L1 L2 L3");
  EXPECT_EQ(M->TreeView1.GetNodeAt(0, RowY(0)), M->Root()->TreeNode());
  EXPECT_EQ(M->TreeView1.GetNodeAt(0, RowY(4)), Find("GB1")->TreeNode());
  EXPECT_EQ(M->TreeView1.GetNodeAt(0, RowY(5)), nullptr);
  EXPECT_EQ(M->ListView1.GetItemAt(0, RowY(5)), Find("L3")->ListItem());
  EXPECT_EQ(M->ListView1.GetItemAt(0, RowY(6)), nullptr);
  Find("GB")->TreeNode()->Collapse(false);
  EXPECT_EQ(M->TreeView1.GetNodeAt(0, RowY(4)), nullptr);
}

TEST_F(DragDropTest, DropsMoveTheItemsOrWarnAndChangeNothing) {
  struct {
    const char* Name;
    bool FromTree;  // the tree's node of the first name; else list rows
    std::vector<std::string> Dragged;
    bool OnTree;
    int Row;
    const char* Warning;  // none: no box
    const char* After;
  } Cases[] = {
      {"two launchers just before a third, in order",
       false,
       {"L1", "L3"},
       false,
       4,
       nullptr,
       "T[] GA[] GB[GB1[]] L1 L3 L2"},
      {"two launchers before a group",
       false,
       {"L2", "L3"},
       false,
       1,
       nullptr,
       "T[] L2 L3 GA[] GB[GB1[]] L1"},
      {"a launcher on itself", false, {"L2"}, false, 4, nullptr, "T[] GA[] GB[GB1[]] L1 L2 L3"},
      {"a launcher among others on itself",
       false,
       {"L1", "L2"},
       false,
       4,
       nullptr,
       "T[] GA[] GB[GB1[]] L1 L2 L3"},
      {"the empty part of the list",
       false,
       {"GA", "L1"},
       false,
       9,
       nullptr,
       "T[] GB[GB1[]] L2 L3 GA[] L1"},
      {"launchers on the trash",
       false,
       {"L1", "L3"},
       true,
       1,
       nullptr,
       "T[L1 L3] GA[] GB[GB1[]] L2"},
      {"rows of the list into a group",
       false,
       {"GA", "L2"},
       true,
       4,
       nullptr,
       "T[] GB[GB1[GA[] L2]] L1 L3"},
      {"a group into a sibling", true, {"GB"}, true, 2, nullptr, "T[] GA[GB[GB1[]]] L1 L2 L3"},
      {"a group up to the root", true, {"GB1"}, true, 0, nullptr, "T[] GA[] GB[] L1 L2 L3 GB1[]"},
      {"a group on its own parent",
       true,
       {"GB1"},
       true,
       3,
       SameFolder,
       "T[] GA[] GB[GB1[]] L1 L2 L3"},
      {"a group on itself", true, {"GB"}, true, 3, SameFolder, "T[] GA[] GB[GB1[]] L1 L2 L3"},
      {"launchers on their own group",
       false,
       {"L1"},
       true,
       0,
       SameFolder,
       "T[] GA[] GB[GB1[]] L1 L2 L3"},
      {"a group on its own sub-group",
       true,
       {"GB"},
       true,
       4,
       SubFolder,
       "T[] GA[] GB[GB1[]] L1 L2 L3"},
      {"two groups on a node inside the second",
       false,
       {"GA", "GB"},
       true,
       4,
       SubFolder,
       "T[] GA[] GB[GB1[]] L1 L2 L3"},
      {"the root into a group",
       true,
       {"ランタン"},
       true,
       2,
       SubFolder,
       "T[] GA[] GB[GB1[]] L1 L2 L3"},
  };
  for (auto& c : Cases) {
    SCOPED_TRACE(c.Name);
    Build();
    M->Root()->SetName("ランタン");
    TDragControl* Source = &M->ListView1;
    if (c.FromTree) {
      Source = &M->TreeView1;
      M->TreeView1.SetSelected(Find(c.Dragged[0])->TreeNode());
    } else {
      SelectRows(c.Dragged);
    }
    ASSERT_TRUE(Source->NativeBeginDrag());
    EXPECT_TRUE(M->Dragging());
    TDragControl* Target = c.OnTree ? static_cast<TDragControl*>(&M->TreeView1) : &M->ListView1;
    Source->NativeDragDrop(Target, 3, RowY(c.Row));
    EXPECT_FALSE(M->Dragging());
    EXPECT_EQ(Layout(M->Root()), c.After);
    EXPECT_EQ(Boxes.Texts,
              c.Warning ? std::vector<std::string>{c.Warning} : std::vector<std::string>{});
    // The list still shows the current group as it now is.
    EXPECT_EQ(ListRows(), Layout(M->Root()->CurrentFolder()));
  }
}

TEST_F(DragDropTest, AGroupDroppedOnATreeNodeIsSelectedThereAndTheNodeOpens) {
  Find("GB")->TreeNode()->Collapse(false);
  Find("GA")->AsGroup()->Add(std::make_unique<TLauncherExec>(Find("GA")));
  Find("GA")->TreeNode()->Collapse(false);
  SelectRows({"GB", "L1"});
  ASSERT_TRUE(M->ListView1.NativeBeginDrag());
  M->ListView1.NativeDragDrop(&M->TreeView1, 3, RowY(2));  // GA
  EXPECT_EQ(Layout(Find("GA")->AsGroup()), "新規ランチャ GB[GB1[]] L1");
  EXPECT_TRUE(Find("GA")->TreeNode()->Expanded());
  EXPECT_FALSE(Find("GB")->TreeNode()->Expanded());  // one level only
  EXPECT_EQ(M->TreeView1.Selected(), Find("GB")->TreeNode());
  EXPECT_TRUE(Find("GB")->TreeNode()->Focused());
  // A launcher first: the selection stays.
  SelectRows({"L2"});
  ASSERT_TRUE(M->ListView1.NativeBeginDrag());
  M->ListView1.NativeDragDrop(&M->TreeView1, 3, RowY(1));  // T
  EXPECT_EQ(Layout(Find("T")->AsGroup()), "L2");
  EXPECT_EQ(M->TreeView1.Selected(), Find("GB")->TreeNode());
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
    TDragControl* Source = &M->ListView1;
    if (c.FromTree) {
      Source = &M->TreeView1;
      M->TreeView1.SetSelected(Find("GA")->TreeNode());
    } else {
      SelectRows({"L1"});
    }
    ASSERT_TRUE(Source->NativeBeginDrag());
    TDragControl* Over = c.OverTree ? static_cast<TDragControl*>(&M->TreeView1) : &M->ListView1;
    EXPECT_EQ(Source->NativeDragOver(Over, 3, RowY(c.Row)), c.Accept);
    Source->NativeEndDrag();
  }
  // Dropped where it is refused, nothing moves.
  M->TreeView1.SetSelected(Find("GA")->TreeNode());
  ASSERT_TRUE(M->TreeView1.NativeBeginDrag());
  M->TreeView1.NativeDragDrop(&M->ListView1, 3, RowY(4));
  EXPECT_EQ(Layout(M->Root()), "T[] GA[] GB[GB1[]] L1 L2 L3");
  EXPECT_FALSE(M->Dragging());
}

TEST_F(DragDropTest, ACancelledDragEndsAndMovesNothing) {
  SelectRows({"L1"});
  ASSERT_TRUE(M->ListView1.NativeBeginDrag());
  EXPECT_TRUE(M->Dragging());
  // While the drag goes on, a click in the tree does not open its group.
  M->TreeView1.SetFocus();
  M->TreeView1.SetSelected(Find("GA")->TreeNode());
  M->TreeView1.NativeClick();
  EXPECT_EQ(M->Root()->CurrentFolder(), M->Root());
  M->ListView1.NativeEndDrag();
  EXPECT_FALSE(M->Dragging());
  EXPECT_EQ(Layout(M->Root()), "T[] GA[] GB[GB1[]] L1 L2 L3");
  // The dragged items are forgotten: the click opens the group again.
  M->TreeView1.NativeClick();
  EXPECT_EQ(M->Root()->CurrentFolder(), Find("GA"));
}

TEST_F(DragDropTest, DuringADragOnlyEscActsAndNoGroupTakesItself) {
  M->ListView1.SetFocus();
  SelectRows({"GB"});
  ASSERT_TRUE(M->ListView1.NativeBeginDrag());
  // What would free, cut or open the dragged group does nothing until the drop.
  struct {
    unsigned Key, Shift;
  } Keys[] = {{VkDelete, ssShift}, {VkDelete, 0}, {'X', ssCtrl}, {VkReturn, 0}};
  for (auto& k : Keys) M->ListView1.NativeKeyDown(k.Key, k.Shift);
  EXPECT_EQ(Layout(M->Root()), "T[] GA[] GB[GB1[]] L1 L2 L3");
  EXPECT_EQ(M->Root()->CurrentFolder(), M->Root());
  // Were a dragged group (or one inside it) current, its list refuses the drop.
  M->Root()->SetCurrentFolder(Find("GB1")->AsGroup());
  EXPECT_FALSE(M->ListView1.NativeDragOver(&M->ListView1, 3, RowY(0)));
  M->ListView1.NativeDragDrop(&M->ListView1, 3, RowY(0));
  EXPECT_EQ(Layout(M->Root()), "T[] GA[] GB[GB1[]] L1 L2 L3");
  EXPECT_THROW(Find("GB1")->AsGroup()->CheckCanHold(Find("GB")), Exception);
}

TEST_F(DragDropTest, NothingSelectedStartsNoDrag) {
  SelectRows({});
  EXPECT_FALSE(M->ListView1.NativeBeginDrag());
  EXPECT_FALSE(M->Dragging());
  M->TreeView1.SetSelected(nullptr);
  EXPECT_FALSE(M->TreeView1.NativeBeginDrag());
  EXPECT_FALSE(M->Dragging());
}

// A chain C1 .. C100 below the root reaches the deepest level; X holds one more group.
TEST_F(DragDropTest, AMoveThatWouldNestTooDeepIsRefusedAndChangesNothing) {
  TCompositeItem* Chain = M->Root();
  for (int Level = 1; Level <= MaxGroupDepth; ++Level) {
    auto* Next = Chain->Add(std::make_unique<TFolder>(Chain));
    Next->SetName("C" + std::to_string(Level));
    Chain = Next;
  }
  auto* X = M->Root()->Add(std::make_unique<TFolder>(M->Root()));
  X->SetName("X");
  X->Add(std::make_unique<TFolder>(X))->SetName("Y");
  M->Root()->TreeNode()->Expand(true);
  // Tree rows: root, T, GA, GB, GB1, C1 at 5 .. C100 at 104, X 105, Y 106.
  ASSERT_EQ(M->TreeView1.GetNodeAt(0, RowY(105)), X->TreeNode());
  const std::string Before = Layout(M->Root());
  M->TreeView1.SetSelected(X->TreeNode());
  ASSERT_TRUE(M->TreeView1.NativeBeginDrag());
  try {
    M->TreeView1.NativeDragDrop(&M->TreeView1, 3, RowY(103));  // C99: Y would be at 101
    ADD_FAILURE() << "the move was not refused";
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), GroupTooDeepText());
  }
  EXPECT_FALSE(M->Dragging());
  EXPECT_EQ(Layout(M->Root()), Before);
  EXPECT_EQ(X->TreeNode()->Parent(), M->Root()->TreeNode());
  // One level higher it fits: Y at level 100.
  M->TreeView1.SetSelected(X->TreeNode());
  ASSERT_TRUE(M->TreeView1.NativeBeginDrag());
  M->TreeView1.NativeDragDrop(&M->TreeView1, 3, RowY(102));  // C98
  EXPECT_EQ(X->Parent()->Name(), "C98");
  EXPECT_EQ(X->AsGroup()->Items(0)->Depth(), MaxGroupDepth);
}

}  // namespace
}  // namespace lantern
