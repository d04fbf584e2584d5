// Dragging an entry with the mouse in the real list and tree controls (under Wine): the
// control starts the drag, the view follows the mouse and reports to the toolkit's events.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "ui/Form.h"
#include "ui/ListView.h"
#include "ui/TreeView.h"
#include "ui/Widgets.h"
#include "ui/win32/WideText.h"

namespace lantern {
namespace {

class TDragForm : public TForm {
 public:
  TDragForm() : TForm("TLanternDragTest") {}
  TTreeView Tree{this};
  TListView List{this};
};

class DragWin32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    SetWidgets(PlatformWidgets());
    Form = std::make_unique<TDragForm>();
    Form->SetBounds(0, 0, 500, 300);
    Form->Tree.SetAlign(TAlign::Left);
    Form->Tree.SetWidth(150);
    Form->List.SetAlign(TAlign::Client);
    Form->List.AddColumn("名前", 150);
    for (const char* Caption : {"a", "b", "c", "d"}) Form->List.Items().Add()->SetCaption(Caption);
    for (const char* Text : {"n", "m"}) Form->Tree.Items().AddChild(nullptr, Text);
    Form->List.OnStartDrag = [this](TDragControl*, bool&) { Log.push_back("start"); };
    // The list takes drops from itself; the tree, without a handler, refuses every drag.
    Form->List.OnDragOver = [this](TDragControl*, TDragControl* Source, int X, int Y,
                                   bool& Accept) {
      TListItem* Row = Form->List.GetItemAt(X, Y);
      Log.push_back("over " + (Row ? Row->Caption() : std::string("-")));
      Accept = Source == &Form->List;
    };
    // The selected row goes before the row dropped on.
    Form->List.OnDragDrop = [this](TDragControl*, TDragControl*, int X, int Y) {
      TListItem* Target = Form->List.GetItemAt(X, Y);
      Log.push_back("drop " + (Target ? Target->Caption() : std::string("-")));
      TListItem* Moved = Form->List.Selected();
      if (!Target || !Moved || Moved == Target) return;
      std::map<const TListItem*, int> Rank;
      for (int i = 0; i < Form->List.Items().Count(); ++i) Rank[Form->List.Items()[i]] = 2 * i;
      Rank[Moved] = 2 * Target->Index() - 1;
      Form->List.Items().Sort(
          [&](const TListItem* A, const TListItem* B) { return Rank[A] < Rank[B]; });
    };
    Form->List.OnEndDrag = [this](TDragControl*) { Log.push_back("end"); };
    Form->CreateHandle();
    Form->Show();
  }
  void TearDown() override {
    Form.reset();
    SetWidgets(nullptr);
  }
  HWND ListWindow() { return static_cast<HWND>(Form->List.Handle()); }
  // The middle of a row, in the list's client area.
  POINT RowPoint(int Row) {
    RECT Rect = {};
    Rect.left = LVIR_LABEL;
    SendMessageW(ListWindow(), LVM_GETITEMRECT, Row, reinterpret_cast<LPARAM>(&Rect));
    return {(Rect.left + Rect.right) / 2, (Rect.top + Rect.bottom) / 2};
  }
  // A point of the tree, in the list's client area.
  POINT TreePoint() {
    POINT At = {40, 100};
    MapWindowPoints(static_cast<HWND>(Form->Tree.Handle()), ListWindow(), &At, 1);
    return At;
  }
  void Mouse(UINT Message, POINT At, WPARAM Buttons = MK_LBUTTON) {
    SendMessageW(ListWindow(), Message, Buttons, MAKELPARAM(At.x, At.y));
  }
  // The button goes down on Row and the mouse moves a little: the control starts the drag.
  void PressAndPull(int Row) {
    POINT At = RowPoint(Row);
    Mouse(WM_LBUTTONDOWN, At);
    for (int Step = 1; Step <= 3; ++Step) Mouse(WM_MOUSEMOVE, {At.x + 4 * Step, At.y + 2 * Step});
  }
  std::string Rows() {
    std::string Text;
    for (int i = 0; i < static_cast<int>(SendMessageW(ListWindow(), LVM_GETITEMCOUNT, 0, 0)); ++i) {
      wchar_t Buffer[64] = L"";
      LVITEMW Item = {};
      Item.pszText = Buffer;
      Item.cchTextMax = 64;
      SendMessageW(ListWindow(), LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(&Item));
      Text += FromWide(Buffer);
    }
    return Text;
  }
  std::unique_ptr<TDragForm> Form;
  std::vector<std::string> Log;
};

TEST_F(DragWin32Test, ARowDraggedOntoAnotherIsDroppedThereThroughTheEvents) {
  PressAndPull(0);
  ASSERT_EQ(Log.front(), "start");
  EXPECT_EQ(GetCapture(), ListWindow());
  Log.clear();
  Mouse(WM_MOUSEMOVE, RowPoint(2));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
  Mouse(WM_LBUTTONUP, RowPoint(2), 0);
  EXPECT_EQ(Log, (std::vector<std::string>{"over c", "over c", "drop c", "end"}));
  EXPECT_EQ(Rows(), "bacd");
  EXPECT_NE(GetCapture(), ListWindow());
  // The mouse moves on without a drag.
  Log.clear();
  Mouse(WM_MOUSEMOVE, RowPoint(3), 0);
  EXPECT_TRUE(Log.empty());
}

TEST_F(DragWin32Test, EscCancelsTheDragWithItsEndAndNoDrop) {
  PressAndPull(1);
  Mouse(WM_MOUSEMOVE, RowPoint(3));
  Log.clear();
  SendMessageW(ListWindow(), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(Log, (std::vector<std::string>{"end"}));
  EXPECT_NE(GetCapture(), ListWindow());
  Mouse(WM_LBUTTONUP, RowPoint(3), 0);
  EXPECT_EQ(Log, (std::vector<std::string>{"end"}));
  EXPECT_EQ(Rows(), "abcd");
}

TEST_F(DragWin32Test, OverAControlThatRefusesTheCursorSaysNoAndNothingIsDropped) {
  PressAndPull(0);
  Mouse(WM_MOUSEMOVE, TreePoint());
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_NO));
  Mouse(WM_MOUSEMOVE, RowPoint(3));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
  Mouse(WM_MOUSEMOVE, TreePoint());
  Log.clear();
  Mouse(WM_LBUTTONUP, TreePoint(), 0);
  EXPECT_EQ(Log, (std::vector<std::string>{"end"}));
  EXPECT_EQ(Rows(), "abcd");
}

// Losing the mouse to another window cancels the drag.
TEST_F(DragWin32Test, ALostMouseCancelsTheDrag) {
  PressAndPull(0);
  Log.clear();
  SetCapture(static_cast<HWND>(Form->Handle()));
  ReleaseCapture();
  EXPECT_EQ(Log, (std::vector<std::string>{"end"}));
}

// The tree selects the node dragged, marks the node under the mouse as the drop target and
// clears the mark at the end.
TEST_F(DragWin32Test, ATreeNodeIsDraggedOntoAnotherWithTheDropMark) {
  HWND Tree = static_cast<HWND>(Form->Tree.Handle());
  TTreeNode* N = Form->Tree.Items().Top(0);
  TTreeNode* M = Form->Tree.Items().Top(1);
  TTreeNode* Dragged = nullptr;
  TTreeNode* DroppedOn = nullptr;
  Form->Tree.OnStartDrag = [&](TDragControl*, bool&) { Dragged = Form->Tree.Selected(); };
  Form->Tree.OnDragOver = [&](TDragControl*, TDragControl*, int X, int Y, bool& Accept) {
    Accept = Form->Tree.GetNodeAt(X, Y) != nullptr;
  };
  Form->Tree.OnDragDrop = [&](TDragControl*, TDragControl*, int X, int Y) {
    DroppedOn = Form->Tree.GetNodeAt(X, Y);
  };
  auto Middle = [&](TTreeNode* Node) {
    // TVM_GETITEMRECT takes the item in the rectangle's place.
    RECT Rect;
    HTREEITEM Item = static_cast<HTREEITEM>(Node->ItemHandle());
    std::memcpy(&Rect, &Item, sizeof(Item));
    SendMessageW(Tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&Rect));
    return MAKELPARAM((Rect.left + Rect.right) / 2, (Rect.top + Rect.bottom) / 2);
  };
  auto DropMark = [&] {
    return reinterpret_cast<HTREEITEM>(SendMessageW(Tree, TVM_GETNEXTITEM, TVGN_DROPHILITE, 0));
  };
  Form->Tree.SetSelected(M);
  // The tree follows the mouse itself until it leaves the drag rectangle: that move is queued.
  PostMessageW(Tree, WM_MOUSEMOVE, MK_LBUTTON, Middle(M));
  SendMessageW(Tree, WM_LBUTTONDOWN, MK_LBUTTON, Middle(N));
  ASSERT_EQ(Dragged, N);
  SendMessageW(Tree, WM_MOUSEMOVE, MK_LBUTTON, Middle(M));
  EXPECT_EQ(DropMark(), M->ItemHandle());
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
  SendMessageW(Tree, WM_LBUTTONUP, 0, Middle(M));
  EXPECT_EQ(DroppedOn, M);
  EXPECT_EQ(DropMark(), nullptr);
}

}  // namespace
}  // namespace lantern
