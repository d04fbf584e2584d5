#include <gtest/gtest.h>

#include <vector>

#include "ui/Action.h"
#include "ui/Font.h"
#include "ui/ImageList.h"
#include "ui/ListView.h"
#include "ui/Menus.h"
#include "ui/Splitter.h"
#include "ui/TreeView.h"

namespace lantern {
namespace {

TEST(ListViewTest, ChangesFromCodeReachTheHandlerUntilItIsTakenAway) {
  TListView View;
  std::vector<TItemChange> Seen;
  View.OnChange = [&](TListView*, TListItem*, TItemChange c) { Seen.push_back(c); };
  TListItem* Row = View.Items().Add();
  Row->SetChecked(true);
  Row->SetCaption("名前");
  Row->SubItems().Add("x");
  Row->SetImageIndex(3);
  EXPECT_EQ(Seen, (std::vector<TItemChange>{TItemChange::ctState, TItemChange::ctText,
                                            TItemChange::ctText, TItemChange::ctImage}));
  auto Saved = std::move(View.OnChange);
  View.OnChange = nullptr;
  Row->SetChecked(false);
  View.OnChange = std::move(Saved);
  EXPECT_EQ(Seen.size(), 4u);
  Row->SetChecked(true);
  EXPECT_EQ(Seen.size(), 5u);
}

TEST(ListViewTest, InsertDeleteAndSelection) {
  TListView View;
  for (const char* c : {"a", "b", "c"}) View.Items().Add()->SetCaption(c);
  TListItem* Middle = View.Items().Insert(1);
  Middle->SetCaption("x");
  EXPECT_EQ(Middle->Index(), 1);
  EXPECT_EQ(View.Items().Insert(99)->Index(), 4);
  View.Items()[2]->SetSelected(true);
  View.Items()[3]->SetSelected(true);
  EXPECT_EQ(View.SelCount(), 2);
  EXPECT_EQ(View.Selected()->Caption(), "b");
  View.Items()[2]->Delete();
  EXPECT_EQ(View.Items().Count(), 4);
  EXPECT_EQ(View.Selected()->Caption(), "c");
  View.Items()[0]->SetFocused(true);
  View.Items()[1]->SetFocused(true);
  EXPECT_FALSE(View.Items()[0]->Focused());
}

TEST(ListViewTest, UpdateBracketsNest) {
  TListView View;
  View.Items().BeginUpdate();
  View.Items().BeginUpdate();
  View.Items().EndUpdate();
  EXPECT_TRUE(View.Items().Updating());
  View.Items().EndUpdate();
  EXPECT_FALSE(View.Items().Updating());
}

TEST(TreeViewTest, ExpandAndCollapseReportRealChangesOnly) {
  TTreeView View;
  std::vector<std::string> Events;
  View.OnExpanded = [&](TTreeView*, TTreeNode* n) { Events.push_back("+" + n->Text()); };
  View.OnCollapsed = [&](TTreeView*, TTreeNode* n) { Events.push_back("-" + n->Text()); };
  TTreeNode* Top = View.Items().AddChild(nullptr, "top");
  Top->Expand(false);  // no children: stays collapsed, as the native control does
  EXPECT_FALSE(Top->Expanded());
  View.Items().AddChild(Top, "child");
  Top->Expand(false);
  Top->Expand(false);
  Top->Collapse(false);
  EXPECT_EQ(Events, (std::vector<std::string>{"+top", "-top"}));
}

TEST(TreeViewTest, ANodeLosingItsLastChildIsCollapsed) {
  TTreeView View;
  TTreeNode* Top = View.Items().AddChild(nullptr, "top");
  TTreeNode* Child = View.Items().AddChild(Top, "child");
  Top->Expand(false);
  Child->Delete();
  View.Items().AddChild(Top, "again");
  EXPECT_FALSE(Top->Expanded());
}

TEST(TreeViewTest, DeletingANodeKeepsItsSiblingsInOrder) {
  const std::vector<std::pair<int, std::vector<std::string>>> Cases = {
      {0, {"b", "c"}}, {1, {"a", "c"}}, {2, {"a", "b"}}};
  for (const auto& [Index, Left] : Cases) {
    TTreeView View;
    TTreeNode* Top = View.Items().AddChild(nullptr, "top");
    for (const char* Text : {"a", "b", "c"}) View.Items().AddChild(Top, Text);
    Top->Item(Index)->Delete();
    std::vector<std::string> Texts;
    for (int i = 0; i < Top->Count(); ++i) Texts.push_back(Top->Item(i)->Text());
    EXPECT_EQ(Texts, Left) << Index;
  }
}

TEST(TreeViewTest, DeletingASubtreeTakesTheSelectionWithIt) {
  TTreeView View;
  int Changes = 0;
  View.OnChange = [&](TTreeView*, TTreeNode*) { ++Changes; };
  TTreeNode* Top = View.Items().AddChild(nullptr, "top");
  TTreeNode* Child = View.Items().AddChild(Top, "child");
  TTreeNode* Grandchild = View.Items().AddChild(Child, "grandchild");
  Grandchild->SetSelected(true);
  EXPECT_EQ(View.Items().Count(), 3);
  Child->Delete();
  EXPECT_EQ(View.Selected(), nullptr);
  EXPECT_EQ(Changes, 2);
  EXPECT_EQ(View.Items().Count(), 1);
  EXPECT_EQ(Top->Count(), 0);
}

TEST(TreeViewTest, RepaintRequestsAreCounted) {
  TTreeView View;
  TTreeNode* Top = View.Items().AddChild(nullptr, "top");
  View.InvalidateNode(Top);
  View.InvalidateNode(nullptr);
  EXPECT_EQ(View.RepaintRequests(), 1);
}

TEST(ImageListTest, EmptyIconsAreNotAdded) {
  TImageList List;
  EXPECT_EQ(List.AddIcon(TIcon()), -1);
  static int Released = 0;
  EXPECT_EQ(List.AddIcon(TIcon(new int(1),
                               [](void* p) {
                                 delete static_cast<int*>(p);
                                 ++Released;
                               })),
            0);
  List.Delete(5);
  EXPECT_EQ(List.Count(), 1);
  List.Delete(0);
  EXPECT_EQ(Released, 1);
}

// Icons of one source share a picture; one without a source is a picture of its own; a
// deleted picture's source is appended anew, and the pictures after it keep theirs.
TEST(ImageListTest, IconsOfOneSourceShareOnePicture) {
  static int Held = 0;
  auto Icon = [](long long Source) {
    return TIcon(
        &Held, [](void*) {}, Source);
  };
  TImageList List;
  EXPECT_EQ(List.AddIcon(Icon(7)), 0);
  EXPECT_EQ(List.AddIcon(Icon(-1)), 1);
  EXPECT_EQ(List.AddIcon(Icon(9)), 2);
  EXPECT_EQ(List.AddIcon(Icon(7)), 0);
  EXPECT_EQ(List.AddIcon(Icon(-1)), 3);
  List.Delete(0);
  EXPECT_EQ(List.AddIcon(Icon(9)), 1);
  EXPECT_EQ(List.AddIcon(Icon(7)), 3);
  EXPECT_EQ(List.Count(), 4);
}

// Pictures appended for later are made at the list's first use, in their places: the ones
// added meanwhile follow them, and nothing is made while only counted.
TEST(ImageListTest, PicturesForLaterAreMadeAtTheFirstUseInTheirPlaces) {
  static int Made = 0, Held = 0;
  auto Icon = [](long long Source) {
    return TIcon(
        &Held, [](void*) {}, Source);
  };
  Made = 0;
  TImageList List;
  for (long long Source : {100, 101})
    List.AppendLater([Source, Icon] {
      ++Made;
      return Icon(Source);
    });
  EXPECT_EQ(List.Count(), 2);
  EXPECT_EQ(Made, 0);
  EXPECT_EQ(List.GetIcon(1).Source(), 101);
  EXPECT_EQ(Made, 2);
  EXPECT_EQ(List.AddIcon(Icon(7)), 2);
  List.AppendLater([Icon] { return Icon(102); });  // once in use: at once
  EXPECT_EQ(List.Icon(3).Source(), 102);
  EXPECT_EQ(List.Icon(0).Source(), 100);

  // An icon added before the first use goes after the waiting pictures, which are made then.
  Made = 0;
  TImageList Other;
  Other.AppendLater([Icon] {
    ++Made;
    return Icon(100);
  });
  EXPECT_EQ(Other.AddIcon(Icon(7)), 1);
  EXPECT_EQ(Made, 1);
  EXPECT_EQ(Other.Icon(0).Source(), 100);
}

TEST(StripAmpersandsTest, EveryAmpersandGoesAndTheLastOneMarksTheNextCharacter) {
  struct {
    const char* Name;
    const char* Text;
    int Underline;
  } Cases[] = {
      {"Plain", "Plain", -1}, {"A&&B", "AB", 1}, {"&File", "File", 0}, {"ab&", "ab", -1},
      {"&a&b", "ab", 1},      {"", "", -1},      {"&設定", "設定", 0}, {"設&定", "設定", 2},
  };
  for (auto& c : Cases) {
    int Underline = 99;
    EXPECT_EQ(StripAmpersands(c.Name, Underline), c.Text) << c.Name;
    EXPECT_EQ(Underline, c.Underline) << c.Name;
  }
}

TEST(ActionTest, HintsDropTheAcceleratorAndDisabledActionsDoNotRun) {
  struct {
    const char* Caption;
    const char* Hint;
  } Cases[] = {{"名前変更(&N)", "名前変更"},
               {"グループの新規作成(&G)", "グループの新規作成"},
               {"A&&B", "AB"},
               {"ランチャアイコン取得", "ランチャアイコン取得"},
               {"ソ&フト", "ソフト"}};
  for (auto& c : Cases) EXPECT_EQ(TAction(c.Caption, nullptr).Hint(), c.Hint);
  int Runs = 0;
  TAction Action("実行(&R)", [&] { ++Runs; });
  TMenuItem Item(&Action);
  Item.Click();
  Action.SetEnabled(false);
  Item.Click();
  EXPECT_FALSE(Action.Execute());
  EXPECT_EQ(Runs, 1);
  EXPECT_FALSE(Item.Enabled());
}

TEST(MenuTest, APopupRunsTheChosenItemWhenItCloses) {
  TPopupMenu Menu;
  int Clicks = 0;
  TMenuItem* First = Menu.Items().Add(std::make_unique<TMenuItem>("一"));
  Menu.Items().AddSeparator();
  First->OnClick = [&](TMenuItem*) { ++Clicks; };
  Menu.Popup(10, 20);
  EXPECT_EQ(Clicks, 0);
  Menu.Choice = First;
  Menu.Popup(30, 40);
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(Menu.PopupX, 30);
  EXPECT_EQ(Menu.Popups, 2);
  EXPECT_TRUE(Menu.Items().Items(1)->IsSeparator());
}

// Entries to come are made once, when first asked for; the entry opens a submenu meanwhile
// only when they will be some; a cleared entry makes none.
TEST(MenuTest, EntriesToComeAreMadeOnceWhenFirstAskedFor) {
  int Fills = 0;
  auto AddTwo = [&](TMenuItem* Sender) {
    ++Fills;
    Sender->Add(std::make_unique<TMenuItem>("a"));
    Sender->Add(std::make_unique<TMenuItem>("b"));
  };
  TMenuItem Group, Empty, Cleared;
  Group.SetFill(AddTwo, true);
  Empty.SetFill([&](TMenuItem*) { ++Fills; }, false);
  Cleared.SetFill(AddTwo, true);
  EXPECT_TRUE(Group.HasEntries());
  EXPECT_FALSE(Empty.HasEntries());
  EXPECT_EQ(Fills, 0);
  EXPECT_EQ(Group.Count(), 2);
  EXPECT_EQ(Group.Items(1)->Caption(), "b");
  EXPECT_EQ(Fills, 1);
  EXPECT_TRUE(Group.HasEntries());
  Cleared.Clear();
  EXPECT_FALSE(Cleared.HasEntries());
  EXPECT_EQ(Cleared.Count(), 0);
  EXPECT_EQ(Fills, 1);
}

TEST(LayoutTest, AlignedControlsFillTheClientAreaAndTheSplitterResizesItsNeighbour) {
  TWinControl Form;
  TWinControl Top(&Form), Tree(&Form), Client(&Form);
  Top.SetHeight(28);
  Top.SetAlign(TAlign::Top);
  Tree.SetWidth(177);
  Tree.SetAlign(TAlign::Left);
  TSplitter Bar(&Form, &Tree);
  Client.SetAlign(TAlign::Client);
  Form.SetBounds(0, 0, 600, 400);
  EXPECT_EQ(Tree.Left(), 0);
  EXPECT_EQ(Tree.Top(), 28);
  EXPECT_EQ(Tree.Height(), 372);
  EXPECT_EQ(Bar.Left(), 177);
  EXPECT_EQ(Client.Left(), 180);
  EXPECT_EQ(Client.Width(), 420);
  Bar.NativeMoved(23);
  EXPECT_EQ(Tree.Width(), 200);
  EXPECT_EQ(Client.Left(), 203);
  Bar.NativeMoved(-1000);  // never below the least width
  EXPECT_EQ(Tree.Width(), TSplitter::MinSize);
  Bar.NativeMoved(5000);  // nor wider than leaves room for the rest
  EXPECT_EQ(Tree.Width(), 600 - 3 - TSplitter::MinSize);
}

struct FontCase {
  int Size;
  int Height;
};

class FontSizeTest : public ::testing::TestWithParam<FontCase> {};

// Height = -(Size * 96 / 72), rounded; the size given is kept exactly.
TEST_P(FontSizeTest, SizeAndHeightFollowEachOther) {
  TFont Font;
  Font.SetSize(GetParam().Size);
  EXPECT_EQ(Font.Height(), GetParam().Height);
  EXPECT_EQ(Font.Size(), GetParam().Size);
  TFont Other;
  Other.SetHeight(GetParam().Height);
  EXPECT_EQ(Other.Size(), GetParam().Size);
}

INSTANTIATE_TEST_SUITE_P(Sizes, FontSizeTest,
                         ::testing::Values(FontCase{9, -12}, FontCase{10, -13}, FontCase{11, -15},
                                           FontCase{1, -1}, FontCase{0, 0}, FontCase{-12, 16},
                                           FontCase{72, -96}));

// Whatever int is set, the height keeps a magnitude that is an int (no INT_MIN) and the
// other value follows, rounded half away from zero and clamped to +-INT_MAX.
TEST(FontTest, AnyIntGivesASizeAndAHeightWithoutOverflow) {
  struct {
    int Value;
    bool AsHeight;
    int Size, Height;
  } Cases[] = {{INT32_MIN, true, 1610612735, -2147483647},
               {INT32_MAX, true, -1610612735, 2147483647},
               {INT32_MAX, false, INT32_MAX, -2147483647},
               {INT32_MIN, false, INT32_MIN, 2147483647}};
  for (auto& c : Cases) {
    TFont Font;
    if (c.AsHeight)
      Font.SetHeight(c.Value);
    else
      Font.SetSize(c.Value);
    EXPECT_EQ(Font.Size(), c.Size) << c.Value << " " << c.AsHeight;
    EXPECT_EQ(Font.Height(), c.Height) << c.Value << " " << c.AsHeight;
  }
}

TEST(FontTest, DefaultsAndStyleBits) {
  TFont Font;
  EXPECT_EQ(Font.Name(), "ＭＳ Ｐゴシック");
  EXPECT_EQ(Font.Height(), -12);
  Font.SetStyle(fsBold | fsStrikeOut | 0x30);
  EXPECT_EQ(Font.Style(), 9u);
}

}  // namespace
}  // namespace lantern
