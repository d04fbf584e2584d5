// The launcher menu: which entries the tree makes, in which order, what choosing them does,
// and how each entry is measured and drawn (colours, fonts, underline, picture, arrow).
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <utility>

#include "model/PopupMenuEx.h"
#include "model/Root.h"
#include "support/FakeFileSystem.h"
#include "support/FakeSystem.h"
#include "support/TreeFixture.h"
#include "ui/Canvas.h"
#include "ui/System.h"

namespace lantern {
namespace {

using TOp = TRecordingCanvas::TOp;

class LauncherMenuTest : public TreeFixture {
 protected:
  void SetUp() override {
    TreeFixture::SetUp();
    for (const char* Name : {"C:\\edit.exe", "C:\\1.exe", "C:\\2.exe"}) Files.AddFile(Name);
    OldFiles = SetFileSystem(&Files);
    OldDialogs = SetDialogs(&Boxes);
  }
  void TearDown() override {
    SetDialogs(OldDialogs);
    SetFileSystem(OldFiles);
    TreeFixture::TearDown();
  }
  // The entries as "name(children...)", comma-separated.
  static std::string Shape(TMenuItem& Level) {
    std::string Text;
    for (int i = 0; i < Level.Count(); ++i) {
      TMenuItem* Entry = Level.Items(i);
      if (i) Text += ",";
      Text += Entry->Caption();
      if (Entry->Count()) Text += "(" + Shape(*Entry) + ")";
    }
    return Text;
  }
  void Build() {
    Root->SetMenuDirty(true);
    Root->BuildMenu(&Menu, nullptr);
  }
  TPopupMenuEx Menu;
  TFakeFileSystem Files;
  TFakeDialogs Boxes;
  TFileSystem* OldFiles = nullptr;
  TDialogService* OldDialogs = nullptr;
};

TEST_F(LauncherMenuTest, GroupsComeFirstHiddenItemsAndTheTrashAreLeftOut) {
  AddLauncher(Root.get(), "L1", "C:\\l1.exe");
  TFolder* G1 = AddFolder(Root.get(), "G1");
  AddLauncher(G1, "A");
  AddFolder(G1, "Sub");
  AddLauncher(G1, "H")->SetVisible(false);
  TFolder* Hidden = AddFolder(Root.get(), "Hidden");
  AddLauncher(Hidden, "X");
  Hidden->SetVisible(false);
  AddLauncher(Root.get(), "L2");
  AddLauncher(Trash, "T");

  Root->BuildMenu(&Menu, nullptr);
  EXPECT_EQ(Shape(Menu.Items()), "G1(Sub,A),L1,L2");
  EXPECT_FALSE(Root->MenuDirty());

  // The trash shows once it is made visible.
  Trash->SetVisible(true);
  Root->BuildMenu(&Menu, nullptr);
  EXPECT_EQ(Shape(Menu.Items()), "ゴミ入れ(T),G1(Sub,A),L1,L2");
}

// A group's entries are made from the tree when its submenu opens, not with the menu; its
// entry opens a submenu only when it has something visible.
TEST_F(LauncherMenuTest, AGroupsEntriesAreMadeWhenItsSubmenuOpens) {
  TFolder* G = AddFolder(Root.get(), "G");
  AddLauncher(G, "A");
  AddLauncher(G, "B");
  AddFolder(Root.get(), "Empty");
  AddLauncher(AddFolder(Root.get(), "Hidden only"), "H")->SetVisible(false);
  Build();
  TMenuItem& Top = Menu.Items();
  EXPECT_TRUE(Top.Items(0)->HasEntries());
  EXPECT_FALSE(Top.Items(1)->HasEntries());
  EXPECT_FALSE(Top.Items(2)->HasEntries());
  G->Items(0)->SetVisible(false);  // before the submenu first opens
  EXPECT_EQ(Shape(Top), "G(B),Empty,Hidden only");
}

TEST_F(LauncherMenuTest, NothingIsRebuiltUntilTheTreeChanges) {
  AddLauncher(Root.get(), "L1");
  Root->BuildMenu(&Menu, nullptr);
  Menu.Items().Items(0)->SetCaption("kept");
  Root->BuildMenu(&Menu, nullptr);
  EXPECT_EQ(Shape(Menu.Items()), "kept");
  Root->Items(1)->SetName("renamed");
  EXPECT_TRUE(Root->MenuDirty());
  Root->BuildMenu(&Menu, nullptr);
  EXPECT_EQ(Shape(Menu.Items()), "renamed");
}

TEST_F(LauncherMenuTest, ChoosingALauncherStartsItAndAnEmptyGroupDoesNothing) {
  TLauncherExec* L = AddLauncher(Root.get(), "Edit", "C:\\edit.exe");
  L->SetParameters("-n");
  L->SetImageIndex(7);
  AddFolder(Root.get(), "Empty");
  Build();
  ASSERT_EQ(Shape(Menu.Items()), "Empty,Edit");
  EXPECT_EQ(Menu.Items().Items(0)->ImageIndex(), 0);
  EXPECT_EQ(Menu.Items().Items(1)->ImageIndex(), 7);

  int Done = 0;
  Menu.OnDonePopup = [&](TPopupMenuEx* Sender) {
    EXPECT_EQ(Sender, &Menu);
    ++Done;
  };
  Menu.Choice = Menu.Items().Items(0);
  Menu.Popup(10, 20);
  EXPECT_TRUE(FakeShell.Executions.empty());
  Menu.Choice = Menu.Items().Items(1);
  Menu.Popup(10, 20);
  ASSERT_EQ(FakeShell.Executions.size(), 1u);
  EXPECT_EQ(FakeShell.Executions[0].File, "C:\\edit.exe");
  EXPECT_EQ(FakeShell.Executions[0].Parameters, "-n");
  EXPECT_EQ(Done, 2);
}

TEST_F(LauncherMenuTest, AStartSeenByTheWatcherReordersTheMenuAtTheNextBuild) {
  AddLauncher(Root.get(), "First", "C:\\1.exe");
  AddLauncher(Root.get(), "Second", "C:\\2.exe");
  AddFolder(Root.get(), "G");
  Root->BeginWatchScan();  // the first scan only notes what runs
  Build();
  ASSERT_EQ(Shape(Menu.Items()), "G,First,Second");
  Root->BeginWatchScan();
  Root->MatchRunningFile("C:\\2.exe");
  EXPECT_EQ(Shape(Menu.Items()), "G,First,Second");  // until the next build
  Root->BuildMenu(&Menu, nullptr);
  EXPECT_EQ(Shape(Menu.Items()), "G,Second,First");
}

class MenuDrawingTest : public LauncherMenuTest {
 protected:
  void SetUp() override {
    LauncherMenuTest::SetUp();
    Root->Font().SetName("Common");
    Root->SetColors({0x21, 0x23, 0x22, 0x24});
  }
  std::vector<TRecordingCanvas::TRecord> Texts() {
    std::vector<TRecordingCanvas::TRecord> Result;
    for (auto& R : Canvas.Records)
      if (R.Op == TOp::Text && !R.Text.empty()) Result.push_back(R);
    return Result;
  }
  std::vector<TRecordingCanvas::TRecord> Lines() {
    std::vector<TRecordingCanvas::TRecord> Result;
    for (auto& R : Canvas.Records)
      if (R.Op == TOp::Line) Result.push_back(R);
    return Result;
  }
  TRecordingCanvas Canvas;
};

enum class TKind { Group, Exec, Folder, URL };
enum class TSource { Own, Kind, Common };
struct ColorCase {
  TKind Kind;
  bool OwnColors, UseOwn;
  TSource Colors;
  bool CommonFont;
};

class MenuColorTest : public MenuDrawingTest, public ::testing::WithParamInterface<ColorCase> {};

TEST_P(MenuColorTest, TheItemsOwnColoursElseTheKindsElseTheCommonOnes) {
  const ColorCase& c = GetParam();
  TExecItem* Item;
  TKindColorSet* Kind;
  switch (c.Kind) {
    case TKind::Group:
      Item = AddFolder(Root.get(), "Item");
      Kind = &Root->GroupColors();
      break;
    case TKind::Exec:
      Item = AddLauncher(Root.get(), "Item");
      Kind = &Root->LauncherColors();
      break;
    case TKind::Folder:
      Item = Root->Add(std::make_unique<TLauncherFolder>(Root.get()));
      Kind = &Root->FolderLauncherColors();
      break;
    default:
      Item = Root->Add(std::make_unique<TLauncherURL>(Root.get()));
      Kind = &Root->URLLauncherColors();
      break;
  }
  Item->SetName("Item");
  Item->SetOwnColors(c.OwnColors);
  Item->SetColors({0x01, 0x03, 0x02, 0x04});
  Kind->SetUseOwn(c.UseOwn);
  Kind->SetColors({0x11, 0x13, 0x12, 0x14});
  Kind->Font().SetName("Kind");
  Kind->Font().SetHeight(-20);
  TColor Base = c.Colors == TSource::Own ? 0x00 : c.Colors == TSource::Kind ? 0x10 : 0x20;

  for (bool Selected : {false, true}) {
    Canvas.Records.clear();
    Item->DrawMenuItem(nullptr, Canvas, {0, 0, 200, 24}, Selected);
    ASSERT_GE(Canvas.Records.size(), 2u);
    EXPECT_EQ(Canvas.Records[0].Color, Base + 1) << "the picture column";
    auto Text = Texts();
    ASSERT_EQ(Text.size(), 1u);
    EXPECT_EQ(Text[0].Color, Base + (Selected ? 4 : 3));
    EXPECT_EQ(Text[0].Back, Base + (Selected ? 2 : 1));
    EXPECT_EQ(Text[0].Font.Name(), c.CommonFont ? "Common" : "Kind");
  }
  // Measured with the kind's font whatever the colours say: 20 + 4 pixels high.
  int Width = 0, Height = 0;
  Item->MeasureMenuItem(nullptr, Canvas, Width, Height);
  EXPECT_EQ(Height, 24);
  EXPECT_EQ(Width, 4 * 10 + 32);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, MenuColorTest,
    ::testing::Values(ColorCase{TKind::Group, true, false, TSource::Own, false},
                      ColorCase{TKind::Group, true, true, TSource::Own, false},
                      ColorCase{TKind::Group, false, true, TSource::Kind, false},
                      ColorCase{TKind::Group, false, false, TSource::Common, true},
                      ColorCase{TKind::Exec, true, false, TSource::Own, false},
                      ColorCase{TKind::Exec, false, true, TSource::Kind, false},
                      ColorCase{TKind::Exec, false, false, TSource::Common, true},
                      ColorCase{TKind::Folder, true, true, TSource::Own, false},
                      ColorCase{TKind::Folder, false, true, TSource::Kind, false},
                      ColorCase{TKind::Folder, false, false, TSource::Common, true},
                      ColorCase{TKind::URL, true, false, TSource::Own, false},
                      ColorCase{TKind::URL, false, true, TSource::Kind, false},
                      ColorCase{TKind::URL, false, false, TSource::Common, true}));

TEST_F(MenuDrawingTest, TheLastAmpersandUnderlinesOneCharacterAndTextStartsAt22) {
  // The font is 12 pixels high: each byte 6 pixels wide on the recording canvas.
  struct {
    const char* Name;
    std::vector<std::tuple<std::string, int, bool>> Pieces;  // text, x, underlined
  } Cases[] = {
      {"Plain", {{"Plain", 22, false}}},
      {"A&&B", {{"A", 22, false}, {"B", 28, true}}},
      {"&File", {{"F", 22, true}, {"ile", 28, false}}},
      {"&設定", {{"設", 22, true}, {"定", 34, false}}},
  };
  TLauncherExec* L = AddLauncher(Root.get(), "x");
  for (auto& c : Cases) {
    L->SetName(c.Name);
    Canvas.Records.clear();
    L->DrawMenuItem(nullptr, Canvas, {5, 10, 200, 29}, false);
    auto Text = Texts();
    ASSERT_EQ(Text.size(), c.Pieces.size()) << c.Name;
    for (size_t i = 0; i < Text.size(); ++i) {
      EXPECT_EQ(Text[i].Text, std::get<0>(c.Pieces[i])) << c.Name;
      EXPECT_EQ(Text[i].Rect.Left, std::get<1>(c.Pieces[i])) << c.Name;
      EXPECT_EQ((Text[i].Font.Style() & fsUnderline) != 0, std::get<2>(c.Pieces[i])) << c.Name;
      EXPECT_EQ(Text[i].Rect.Top, 10 + (19 - 12 + 1) / 2) << c.Name;
    }
  }
}

TEST_F(MenuDrawingTest, APictureColumnWithARaisedFrameWhenSelectedAndAGroupArrow) {
  TFolder* G = AddFolder(Root.get(), "G");
  G->DrawMenuItem(nullptr, Canvas, {0, 10, 200, 29}, true);
  const auto& R = Canvas.Records;
  ASSERT_GE(R.size(), 3u);
  EXPECT_EQ(R[0].Op, TOp::Fill);
  EXPECT_EQ(std::make_tuple(R[0].Rect.Left, R[0].Rect.Top, R[0].Rect.Right, R[0].Rect.Bottom),
            std::make_tuple(0, 10, 20, 29));
  auto Picture = std::find_if(R.begin(), R.end(), [](auto& r) { return r.Op == TOp::Picture; });
  ASSERT_NE(Picture, R.end());
  EXPECT_EQ(Picture->Index, 0);
  EXPECT_EQ(std::make_pair(Picture->Rect.Left, Picture->Rect.Top), std::make_pair(1, 11));
  auto Fill = std::find_if(Picture, R.end(), [](auto& r) { return r.Op == TOp::Fill; });
  ASSERT_NE(Fill, R.end());
  EXPECT_EQ(Fill->Rect.Left, 20);
  EXPECT_EQ(Fill->Color, 0x22);

  // Frame: highlight up and along the top, shadow down and back; then the arrow.
  std::vector<std::tuple<int, int, int, int, TColor>> Expected = {
      {0, 28, 0, 10, clBtnHighlight}, {0, 10, 18, 10, clBtnHighlight},
      {18, 10, 18, 28, clBtnShadow},  {18, 28, 0, 28, clBtnShadow},
      {191, 13, 191, 23, 0x24},       {191, 23, 196, 18, 0x24},
      {196, 18, 191, 13, 0x24}};
  auto Drawn = Lines();
  ASSERT_EQ(Drawn.size(), Expected.size());
  for (size_t i = 0; i < Drawn.size(); ++i)
    EXPECT_EQ(std::make_tuple(Drawn[i].Rect.Left, Drawn[i].Rect.Top, Drawn[i].Rect.Right,
                              Drawn[i].Rect.Bottom, Drawn[i].Color),
              Expected[i])
        << "line " << i;

  // Not selected: no frame, and a launcher has no arrow.
  Canvas.Records.clear();
  AddLauncher(Root.get(), "L")->DrawMenuItem(nullptr, Canvas, {0, 10, 200, 29}, false);
  EXPECT_TRUE(Lines().empty());
}

TEST_F(MenuDrawingTest, EntriesAreAtLeast19PixelsHighAndAsWideAsTheirTextPlus32) {
  TLauncherExec* L = AddLauncher(Root.get(), "A&&B");
  struct {
    int FontHeight, Height, Width;
  } Cases[] = {{-5, 19, 2 * 2 + 32},
               {-12, 19, 2 * 6 + 32},
               {-15, 19, 2 * 7 + 32},
               {-16, 20, 2 * 8 + 32},
               {-30, 34, 2 * 15 + 32}};
  for (auto& c : Cases) {
    Root->LauncherColors().Font().SetHeight(c.FontHeight);
    int Width = 0, Height = 0;
    L->MeasureMenuItem(nullptr, Canvas, Width, Height);
    EXPECT_EQ(Height, c.Height) << c.FontHeight;
    EXPECT_EQ(Width, c.Width) << c.FontHeight;
  }
}

// A kind's font may be set to any size (the settings dialog assigns fonts directly): the
// measures stop at the largest int rather than overflow.
TEST_F(MenuDrawingTest, AFontOfAnySizeIsMeasuredWithoutOverflow) {
  TLauncherExec* L = AddLauncher(Root.get(), "A&&B");  // drawn as two bytes
  struct {
    int Size;
    bool AsHeight;  // Size is a height in pixels rather than a size in points
    int Height, Width;
  } Cases[] = {{1638, false, 2184 + 4, 2 * 1092 + 32},
               {2147483647, false, 2147483647, 2147483647},
               {-2147483647 - 1, true, 2147483647, 2147483647}};
  for (auto& c : Cases) {
    TFont& Font = Root->LauncherColors().Font();
    if (c.AsHeight)
      Font.SetHeight(c.Size);
    else
      Font.SetSize(c.Size);
    int Width = 0, Height = 0;
    L->MeasureMenuItem(nullptr, Canvas, Width, Height);
    EXPECT_EQ(Height, c.Height) << c.Size;
    EXPECT_EQ(Width, c.Width) << c.Size;
  }
}

TEST_F(MenuDrawingTest, ALongNameStaysWithinAThirdOfTheMonitorAndEndsInAnEllipsis) {
  TFakeSystem Sys;
  Sys.Monitors = {{0, 0, 1200, 900}, {1200, 0, 1920, 1080}};
  TSystem* OldSystem = SetSystem(&Sys);
  // 120 bytes drawn, 6 pixels each: 752 pixels with the margins, more than either third.
  TLauncherExec* L = AddLauncher(Root.get(), std::string(60, 'x') + "&y" + std::string(59, 'x'));
  TLauncherExec* Short = AddLauncher(Root.get(), "Short");
  for (auto [X, Third] : {std::pair{100, 400}, std::pair{1500, 640}}) {
    Root->MenuOpensAt(X, 10);
    int Width = 0, ShortWidth = 0, Height = 0;
    L->MeasureMenuItem(nullptr, Canvas, Width, Height);
    Short->MeasureMenuItem(nullptr, Canvas, ShortWidth, Height);
    EXPECT_EQ(std::make_pair(Width, ShortWidth), std::make_pair(Third, 5 * 6 + 32));
    Canvas.Records.clear();
    L->DrawMenuItem(nullptr, Canvas, {0, 0, Third, 19}, false);
    auto T = Texts();
    ASSERT_EQ(T.size(), 1u);  // one piece, the "&" letter marked within it
    EXPECT_EQ(std::make_tuple(T[0].Ellipsis, T[0].Underline, T[0].Rect.Left, T[0].Rect.Right),
              std::make_tuple(true, 60, 22, Third - 10));
  }
  SetSystem(OldSystem);
}

// On a monitor of another scale the 12-pixel font, the margins, the 19-pixel least height
// and the picture (asked of the shell at that size, once) scale with it.
TEST_F(MenuDrawingTest, AnEntryIsMeasuredAndDrawnAtTheDpiOfTheMonitorItOpensOn) {
  TFakeSystem Sys;
  TSystem* OldSystem = SetSystem(&Sys);
  TLauncherExec* L = AddLauncher(Root.get(), "AB", "C:\\1.exe");
  const int Cases[][5] = {{96, 19, 2 * 6 + 32, 16, 22},  // DPI, height, width, icon, text
                          {120, 24, 2 * 7 + 40, 20, 28},
                          {144, 29, 2 * 9 + 48, 24, 33},  // 19 * 1.5 = 28.5
                          {192, 38, 2 * 12 + 64, 32, 44}};
  for (auto [Dpi, Height, Width, Icon, TextX] : Cases) {
    Sys.Monitors = {{0, 0, 1200, 900, 96}, {1200, 0, 1920, 1080, Dpi}};
    Root->MenuOpensAt(1300, 10);
    FakeShell.SizesAsked.clear();
    int W = 0, H = 0;
    L->MeasureMenuItem(nullptr, Canvas, W, H);
    EXPECT_EQ(std::make_pair(H, W), std::make_pair(Height, Width)) << Dpi;
    for (int Twice = 0; Twice < 2; ++Twice) {
      Canvas.Records.clear();
      L->DrawMenuItem(nullptr, Canvas, {0, 0, 300, H}, false);
      EXPECT_EQ(Canvas.Records[1].Rect.Width(), Icon) << Dpi;  // after the picture column
      EXPECT_EQ(Texts().at(0).Rect.Left, TextX) << Dpi;
    }
    EXPECT_EQ(FakeShell.SizesAsked, Icon == 16 ? std::vector<int>{} : std::vector<int>{Icon});
  }
  // A file without a picture of that size is asked for once, however often it is drawn.
  TLauncherExec* Bare = AddLauncher(Root.get(), "CD", "C:\\2.exe");
  FakeShell.NoSizedIcons = true;
  FakeShell.SizesAsked.clear();
  for (int Twice = 0; Twice < 2; ++Twice)
    Bare->DrawMenuItem(nullptr, Canvas, {0, 0, 300, 38}, false);
  EXPECT_EQ(FakeShell.SizesAsked, std::vector<int>{32});
  SetSystem(OldSystem);
}

TEST_F(MenuDrawingTest, SystemColoursReachTheSurfaceUnresolved) {
  // Resolved by the surface when it paints, so a new Windows colour scheme shows at once.
  Root->SetColors(DefaultColorSet);
  AddLauncher(Root.get(), "L")->DrawMenuItem(nullptr, Canvas, {0, 0, 100, 19}, false);
  ASSERT_FALSE(Canvas.Records.empty());
  EXPECT_EQ(Canvas.Records[0].Color, clBtnFace);
}

}  // namespace
}  // namespace lantern
