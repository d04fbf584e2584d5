// The views' drag, windowless: the events in their order, the drag's end in every case, and
// the rows tests aim at (each RowHeight pixels high, the tree's shown nodes in order).
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "ui/ListView.h"
#include "ui/TreeView.h"

namespace lantern {
namespace {

class DragControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    List.OnStartDrag = [this](TDragControl* Sender, bool& Start) {
      Log.push_back(Sender == &List ? "start list" : "start ?");
      Start = Allow;
    };
    List.OnEndDrag = [this](TDragControl*) { Log.push_back("end"); };
    Tree.OnDragOver = [this](TDragControl* Sender, TDragControl* Source, int X, int Y,
                             bool& Accept) {
      Log.push_back("over " + std::to_string(X) + "," + std::to_string(Y) +
                    (Sender == &Tree && Source == &List ? "" : " ?"));
      Accept = Y < 100;
    };
    Tree.OnDragDrop = [this](TDragControl*, TDragControl* Source, int X, int Y) {
      Log.push_back("drop " + std::to_string(X) + "," + std::to_string(Y) +
                    (Source == &List ? "" : " ?"));
      if (Fail) throw std::runtime_error("refused");
    };
  }
  using Lines = std::vector<std::string>;
  TListView List;
  TTreeView Tree;
  Lines Log;
  bool Allow = true;
  bool Fail = false;
};

TEST_F(DragControlTest, ADropGoesToTheTargetThatAcceptsItAndTheDragEnds) {
  ASSERT_TRUE(List.NativeBeginDrag());
  EXPECT_TRUE(List.Dragged());
  EXPECT_TRUE(List.NativeDragOver(&Tree, 5, 20));
  EXPECT_FALSE(List.NativeDragOver(&Tree, 5, 120));
  EXPECT_FALSE(List.NativeDragOver(&List, 5, 20));    // no handler: refused
  EXPECT_FALSE(List.NativeDragOver(nullptr, 5, 20));  // nothing of ours
  List.NativeDragDrop(&Tree, 7, 30);
  EXPECT_FALSE(List.Dragged());
  EXPECT_EQ(Log, (Lines{"start list", "over 5,20", "over 5,120", "over 7,30", "drop 7,30", "end"}));
}

TEST_F(DragControlTest, ARefusedDropOrACancelOnlyEndsTheDrag) {
  List.NativeBeginDrag();
  List.NativeDragDrop(&Tree, 7, 130);
  List.NativeBeginDrag();
  List.NativeEndDrag();
  List.NativeEndDrag();  // once ended, nothing more
  List.NativeDragDrop(&Tree, 7, 30);
  EXPECT_EQ(Log, (Lines{"start list", "over 7,130", "end", "start list", "end"}));
}

TEST_F(DragControlTest, ADropThatRaisesStillEndsTheDrag) {
  Fail = true;
  List.NativeBeginDrag();
  EXPECT_THROW(List.NativeDragDrop(&Tree, 1, 2), std::runtime_error);
  EXPECT_FALSE(List.Dragged());
  EXPECT_EQ(Log.back(), "end");
}

TEST_F(DragControlTest, AStartRefusedByItsHandlerIsNoDrag) {
  Allow = false;
  EXPECT_FALSE(List.NativeBeginDrag());
  EXPECT_FALSE(List.Dragged());
  EXPECT_FALSE(List.NativeDragOver(&Tree, 5, 20));
  List.NativeDragDrop(&Tree, 5, 20);
  List.NativeEndDrag();
  EXPECT_EQ(Log, (Lines{"start list"}));
}

TEST_F(DragControlTest, TheWindowlessRowsAreRowHeightHigh) {
  const int H = TDragControl::RowHeight;
  for (const char* Caption : {"a", "b"}) List.Items().Add()->SetCaption(Caption);
  EXPECT_EQ(List.GetItemAt(0, 0), List.Items()[0]);
  EXPECT_EQ(List.GetItemAt(300, H - 1), List.Items()[0]);
  EXPECT_EQ(List.GetItemAt(0, H), List.Items()[1]);
  EXPECT_EQ(List.GetItemAt(0, 2 * H), nullptr);
  EXPECT_EQ(List.GetItemAt(0, -1), nullptr);
  EXPECT_EQ(List.GetItemAt(-1, 0), nullptr);
  // Shown: a, its children a1 and a2 (a2's own child is hidden), then b.
  TTreeNode* A = Tree.Items().AddChild(nullptr, "a");
  TTreeNode* A1 = Tree.Items().AddChild(A, "a1");
  TTreeNode* A2 = Tree.Items().AddChild(A, "a2");
  Tree.Items().AddChild(A2, "a21");
  TTreeNode* B = Tree.Items().AddChild(nullptr, "b");
  A->Expand(false);
  std::vector<TTreeNode*> Shown;
  for (int Y = H / 2; Y < 5 * H; Y += H) Shown.push_back(Tree.GetNodeAt(0, Y));
  EXPECT_EQ(Shown, (std::vector<TTreeNode*>{A, A1, A2, B, nullptr}));
  EXPECT_EQ(Tree.GetNodeAt(0, -1), nullptr);
}

}  // namespace
}  // namespace lantern
