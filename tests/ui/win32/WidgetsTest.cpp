// The native controls mirror the toolkit's state, and what the user does in them comes back
// to the toolkit before the program's handlers run (Windows' real controls, under Wine).
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "ui/Application.h"
#include "ui/Bars.h"
#include "ui/Dialogs.h"
#include "ui/Form.h"
#include "ui/ImageList.h"
#include "ui/ListView.h"
#include "ui/Menus.h"
#include "ui/Timer.h"
#include "ui/TreeView.h"
#include "ui/Widgets.h"
#include "ui/win32/WideText.h"

namespace lantern {
namespace {

class TTestForm : public TForm {
 public:
  TTestForm() : TForm("TLanternWidgetsTest") {}
  TTreeView Tree{this};
  TListView List{this};
};

class WidgetsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetWidgets(PlatformWidgets());
    Form = std::make_unique<TTestForm>();
    Form->SetBounds(0, 0, 500, 300);
    Form->Tree.SetAlign(TAlign::Left);
    Form->Tree.SetWidth(150);
    Form->List.SetAlign(TAlign::Client);
    Form->List.AddColumn("名前", 150);
    Form->List.AddColumn("ファイル名", 250);
  }
  void TearDown() override {
    Form.reset();
    SetWidgets(nullptr);
  }
  HWND TreeWindow() { return static_cast<HWND>(Form->Tree.Handle()); }
  HWND ListWindow() { return static_cast<HWND>(Form->List.Handle()); }
  std::string RowText(int Row, int Column) {
    wchar_t Buffer[256] = L"";
    LVITEMW Item = {};
    Item.iSubItem = Column;
    Item.pszText = Buffer;
    Item.cchTextMax = 256;
    SendMessageW(ListWindow(), LVM_GETITEMTEXTW, Row, reinterpret_cast<LPARAM>(&Item));
    return FromWide(Buffer);
  }
  std::unique_ptr<TTestForm> Form;
};

TEST_F(WidgetsTest, ControlsAreMadeWhenTheFormIsFirstReallyShown) {
  Form->CreateHandle();
  EXPECT_NE(Form->Handle(), nullptr);
  EXPECT_EQ(Form->List.Handle(), nullptr);  // a resident start pays nothing for them
  Form->SetWindowState(TWindowState::Minimized);
  Form->Show();
  EXPECT_EQ(Form->List.Handle(), nullptr);
  Form->SetWindowState(TWindowState::Normal);
  EXPECT_NE(Form->List.Handle(), nullptr);
  EXPECT_NE(Form->Tree.Handle(), nullptr);
}

TEST_F(WidgetsTest, RowsWrittenBeforeAndAfterTheControlExistAreMirrored) {
  TListItem* Before = Form->List.Items().Add();
  Before->SetCaption("表示");
  Before->SubItems().Add("C:\\表示\\a.exe");
  Before->SetChecked(true);
  Form->CreateHandle();
  Form->Show();
  ASSERT_NE(ListWindow(), nullptr);
  TListItem* After = Form->List.Items().Add();
  After->SetCaption("ソフト");
  After->SubItems().Add("x");
  EXPECT_EQ(SendMessageW(ListWindow(), LVM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(RowText(0, 0), "表示");
  EXPECT_EQ(RowText(0, 1), "C:\\表示\\a.exe");
  EXPECT_EQ(RowText(1, 0), "ソフト");
  EXPECT_EQ(ListView_GetCheckState(ListWindow(), 0), TRUE);
  EXPECT_EQ(ListView_GetCheckState(ListWindow(), 1), FALSE);
  // Many rows inside an update bracket arrive at its end.
  Form->List.Items().BeginUpdate();
  for (int i = 0; i < 300; ++i) Form->List.Items().Add()->SetCaption("row");
  Form->List.Items()[0]->Delete();
  Form->List.Items().EndUpdate();
  EXPECT_EQ(SendMessageW(ListWindow(), LVM_GETITEMCOUNT, 0, 0), 301);
  EXPECT_EQ(RowText(0, 0), "ソフト");
}

TEST_F(WidgetsTest, TheUsersCheckReachesTheToolkitBeforeTheHandler) {
  TListItem* Row = Form->List.Items().Add();
  Row->SetCaption("a");
  Form->CreateHandle();
  Form->Show();
  bool SeenChecked = false;
  int Calls = 0;
  Form->List.OnChange = [&](TListView*, TListItem* Item, TItemChange) {
    ++Calls;
    SeenChecked = Item->Checked();
  };
  // As a click on the check box does it.
  ListView_SetCheckState(ListWindow(), 0, TRUE);
  EXPECT_TRUE(Row->Checked());
  EXPECT_TRUE(SeenChecked);
  EXPECT_EQ(Calls, 1);
  // A change written by the program is not reported twice.
  Calls = 0;
  Row->SetChecked(false);
  EXPECT_EQ(Calls, 1);
  EXPECT_EQ(ListView_GetCheckState(ListWindow(), 0), FALSE);
}

TEST_F(WidgetsTest, InPlaceEditingEndsInTheToolkitWithTheTypedText) {
  TListItem* Row = Form->List.Items().Add();
  Row->SetCaption("旧い名前");
  Form->CreateHandle();
  Form->Show();
  std::string Seen;
  Form->List.OnEdited = [&](TListView*, TListItem*, std::string& S) { Seen = S; };
  Row->EditCaption();
  HWND Edit = reinterpret_cast<HWND>(SendMessageW(ListWindow(), LVM_GETEDITCONTROL, 0, 0));
  ASSERT_NE(Edit, nullptr);
  SetWindowTextW(Edit, ToWide("新しい名前").c_str());
  SendMessageW(Edit, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(Seen, "新しい名前");
  EXPECT_EQ(Row->Caption(), "新しい名前");
  EXPECT_EQ(RowText(0, 0), "新しい名前");
}

TEST_F(WidgetsTest, KeysInTheViewsReachTheirHandlers) {
  Form->List.Items().Add()->SetCaption("a");
  Form->Tree.Items().AddChild(nullptr, "n");
  Form->CreateHandle();
  Form->Show();
  std::vector<unsigned> Keys;
  auto Record = [&](TWinControl*, unsigned& Key, unsigned) { Keys.push_back(Key); };
  Form->List.OnKeyDown = Record;
  Form->Tree.OnKeyDown = Record;
  SendMessageW(ListWindow(), WM_KEYDOWN, VK_DELETE, 0);
  SendMessageW(TreeWindow(), WM_KEYDOWN, VK_BACK, 0);
  EXPECT_EQ(Keys, (std::vector<unsigned>{VkDelete, VkBack}));
}

TEST_F(WidgetsTest, TreeNodesFollowAndTheUsersSelectionComesBack) {
  TTreeNode* Root = Form->Tree.Items().AddChild(nullptr, "ランタン");
  TTreeNode* Trash = Form->Tree.Items().AddChild(Root, "ゴミ入れ");
  Form->CreateHandle();
  Form->Show();
  TTreeNode* Added = Form->Tree.Items().AddChild(Root, "グループ");
  Root->Expand(false);
  EXPECT_EQ(SendMessageW(TreeWindow(), TVM_GETCOUNT, 0, 0), 3);
  EXPECT_TRUE(SendMessageW(TreeWindow(), TVM_GETITEMSTATE,
                           reinterpret_cast<WPARAM>(Root->ItemHandle()), TVIS_EXPANDED) &
              TVIS_EXPANDED);
  TTreeNode* Selected = nullptr;
  Form->Tree.OnChange = [&](TTreeView*, TTreeNode* Node) { Selected = Node; };
  SendMessageW(TreeWindow(), TVM_SELECTITEM, TVGN_CARET,
               reinterpret_cast<LPARAM>(Added->ItemHandle()));
  // Selected by code through the native control: the toolkit is told all the same.
  EXPECT_EQ(Form->Tree.Selected(), Added);
  EXPECT_EQ(Selected, Added);
  Trash->Delete();
  EXPECT_EQ(SendMessageW(TreeWindow(), TVM_GETCOUNT, 0, 0), 2);
}

// A node moved among its siblings moves in the control as it is: the same native item, still
// selected, in the new order.
TEST_F(WidgetsTest, AMovedNodeKeepsItsNativeItemAndSelection) {
  TTreeNode* Root = Form->Tree.Items().AddChild(nullptr, "ランタン");
  for (const char* Text : {"A", "B", "C"}) Form->Tree.Items().AddChild(Root, Text);
  Form->CreateHandle();
  Form->Show();
  Root->Expand(false);
  TTreeNode* C = Root->Item(2);
  void* Native = C->ItemHandle();
  C->SetSelected(true);
  C->MoveTo(0);
  std::vector<std::string> Order;
  wchar_t Buffer[64];
  for (auto Item =
           reinterpret_cast<HTREEITEM>(SendMessageW(TreeWindow(), TVM_GETNEXTITEM, TVGN_CHILD,
                                                    reinterpret_cast<LPARAM>(Root->ItemHandle())));
       Item; Item = reinterpret_cast<HTREEITEM>(SendMessageW(
                 TreeWindow(), TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(Item)))) {
    TVITEMW Info = {};
    Info.mask = TVIF_TEXT;
    Info.hItem = Item;
    Info.pszText = Buffer;
    Info.cchTextMax = 64;
    SendMessageW(TreeWindow(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&Info));
    Order.push_back(FromWide(Buffer));
  }
  EXPECT_EQ(Order, (std::vector<std::string>{"C", "A", "B"}));
  EXPECT_EQ(C->ItemHandle(), Native);
  EXPECT_EQ(SendMessageW(TreeWindow(), TVM_GETNEXTITEM, TVGN_CARET, 0),
            reinterpret_cast<LRESULT>(Native));
  EXPECT_EQ(Form->Tree.Selected(), C);
}

TEST_F(WidgetsTest, TheMenuBarRunsTheActionsOfItsItems) {
  int Runs = 0;
  TAction Station("常駐(&T)", [&] { ++Runs; });
  TAction Exit("終了(&X)", nullptr);
  TMainMenu Menu;
  TMenuItem* File = Menu.Items().Add(std::make_unique<TMenuItem>("ファイル(&F)"));
  File->Add(&Station);
  File->Add(&Exit);
  Form->SetMenu(&Menu);
  Form->CreateHandle();
  EXPECT_EQ(GetMenu(static_cast<HWND>(Form->Handle())), nullptr);  // not before it is shown
  Form->Show();
  HMENU Bar = GetMenu(static_cast<HWND>(Form->Handle()));
  ASSERT_NE(Bar, nullptr);
  wchar_t Text[64];
  GetMenuStringW(Bar, 0, Text, 64, MF_BYPOSITION);
  EXPECT_EQ(FromWide(Text), "ファイル(&F)");
  HMENU FileMenu = GetSubMenu(Bar, 0);
  UINT StationId = GetMenuItemID(FileMenu, 0);
  SendMessageW(static_cast<HWND>(Form->Handle()), WM_COMMAND, StationId, 0);
  EXPECT_EQ(Runs, 1);
  // A disabled action shows grey when its menu opens, and does not run.
  Station.SetEnabled(false);
  SendMessageW(static_cast<HWND>(Form->Handle()), WM_INITMENUPOPUP,
               reinterpret_cast<WPARAM>(FileMenu), 0);
  EXPECT_TRUE(GetMenuState(FileMenu, 0, MF_BYPOSITION) & MF_GRAYED);
  SendMessageW(static_cast<HWND>(Form->Handle()), WM_COMMAND, StationId, 0);
  EXPECT_EQ(Runs, 1);
}

TEST_F(WidgetsTest, ToolButtonsRunTheirActionsAndFollowTheirState) {
  int Runs = 0;
  TAction Add("グループの新規作成(&G)", [&] { ++Runs; });
  TToolBar Tools(Form.get());
  TStatusBar Status(Form.get());
  Tools.AddButton(nullptr);
  Tools.AddButton(&Add);
  Form->CreateHandle();
  Form->Show();
  HWND Bar = static_cast<HWND>(Tools.Handle());
  ASSERT_NE(Bar, nullptr);
  EXPECT_EQ(SendMessageW(Bar, TB_BUTTONCOUNT, 0, 0), 2);
  TBBUTTON Button = {};
  SendMessageW(Bar, TB_GETBUTTON, 1, reinterpret_cast<LPARAM>(&Button));
  SendMessageW(static_cast<HWND>(Form->Handle()), WM_COMMAND, Button.idCommand,
               reinterpret_cast<LPARAM>(Bar));
  EXPECT_EQ(Runs, 1);
  Add.SetEnabled(false);
  EXPECT_FALSE(SendMessageW(Bar, TB_GETSTATE, Button.idCommand, 0) & TBSTATE_ENABLED);
  SendMessageW(static_cast<HWND>(Form->Handle()), WM_COMMAND, Button.idCommand,
               reinterpret_cast<LPARAM>(Bar));
  EXPECT_EQ(Runs, 1);
  // The bars take the top and the bottom; the views fill what is left.
  EXPECT_EQ(Tools.Top(), 0);
  EXPECT_EQ(Form->Tree.Top(), Tools.Height());
  EXPECT_EQ(Status.Top() + Status.Height(), Form->ClientHeight());
  EXPECT_EQ(Form->List.Top() + Form->List.Height(), Status.Top());
  Status.SetSimpleText("貼り付けを行うまでは自動ランチャ追加機能は働きません");
  EXPECT_NE(Status.Handle(), nullptr);
}

TEST_F(WidgetsTest, AKeyTheHandlerUsesNeverReachesTheControl) {
  for (const char* Caption : {"a", "b"}) Form->List.Items().Add()->SetCaption(Caption);
  Form->List.Items()[0]->SetSelected(true);
  Form->List.Items()[0]->SetFocused(true);
  Form->CreateHandle();
  Form->Show();
  bool Use = true;
  Form->List.OnKeyDown = [&](TWinControl*, unsigned& Key, unsigned) {
    if (Use) Key = 0;
  };
  SendMessageW(ListWindow(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_TRUE(Form->List.Items()[0]->Selected());  // the list did not move on
  Use = false;
  SendMessageW(ListWindow(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_TRUE(Form->List.Items()[1]->Selected());
}

TEST_F(WidgetsTest, SystemKeysReachTheViewsWithAltFromTheMessage) {
  Form->List.Items().Add()->SetCaption("a");
  Form->Tree.Items().AddChild(nullptr, "n");
  Form->CreateHandle();
  Form->Show();
  std::vector<std::pair<unsigned, unsigned>> Keys;
  auto Record = [&](TWinControl*, unsigned& Key, unsigned Shift) {
    Keys.push_back({Key, Shift & (ssShift | ssCtrl | ssAlt)});
    Key = 0;
  };
  Form->List.OnKeyDown = Record;
  Form->Tree.OnKeyDown = Record;
  const LPARAM AltHeld = 1 << 29;
  SendMessageW(ListWindow(), WM_SYSKEYDOWN, VK_RETURN, AltHeld);  // Alt+Enter
  SendMessageW(TreeWindow(), WM_SYSKEYDOWN, VK_RETURN, AltHeld);
  SendMessageW(ListWindow(), WM_SYSKEYDOWN, VK_F10, 0);  // F10 comes as a system key too
  EXPECT_EQ(Keys, (std::vector<std::pair<unsigned, unsigned>>{
                      {VkReturn, ssAlt}, {VkReturn, ssAlt}, {VkF10, 0}}));
}

TEST_F(WidgetsTest, MenusShowTheShortcutsOfTheirCommands) {
  TAction Rename("名前変更(&N)", nullptr);
  Rename.SetShortCut(0x71);
  TAction Up("一つ上に(&U)", nullptr);
  Up.SetShortCut(ssShift | 0x26);
  TMainMenu Menu;
  TMenuItem* Edit = Menu.Items().Add(std::make_unique<TMenuItem>("編集(&E)"));
  Edit->Add(&Rename);
  Edit->Add(&Up);
  Form->SetMenu(&Menu);
  Form->CreateHandle();
  Form->Show();
  HMENU EditMenu = GetSubMenu(GetMenu(static_cast<HWND>(Form->Handle())), 0);
  wchar_t Text[64];
  GetMenuStringW(EditMenu, 0, Text, 64, MF_BYPOSITION);
  EXPECT_EQ(FromWide(Text), "名前変更(&N)\tF2");
  GetMenuStringW(EditMenu, 1, Text, 64, MF_BYPOSITION);
  EXPECT_EQ(FromWide(Text), "一つ上に(&U)\tShift+Up");
}

TEST_F(WidgetsTest, TheListLeavesItsImageListToItsOwner) {
  TImageList Images;
  HICON Icon = LoadIconW(nullptr, IDI_APPLICATION);
  Images.AddIcon(TIcon(CopyIcon(Icon), [](void* h) { DestroyIcon(static_cast<HICON>(h)); }));
  Images.AddIcon(TIcon(CopyIcon(Icon), [](void* h) { DestroyIcon(static_cast<HICON>(h)); }));
  HIMAGELIST Native = static_cast<HIMAGELIST>(Images.Handle());
  ASSERT_NE(Native, nullptr);
  Form->List.SetSmallImages(&Images);
  Form->List.Items().Add()->SetCaption("a");
  Form->CreateHandle();
  Form->Show();
  ASSERT_NE(ListWindow(), nullptr);
  Form.reset();  // the list view goes; the pictures stay with their owner
  EXPECT_EQ(ImageList_GetImageCount(Native), 2);
}

// The native list is made at the first use, with the pictures that waited for it in their
// places before the ones added since.
TEST_F(WidgetsTest, TheNativeListGetsThePicturesThatWaitedInTheirPlaces) {
  TImageList Images;
  auto Copy = [](HICON Icon) {
    return TIcon(CopyIcon(Icon), [](void* h) { DestroyIcon(static_cast<HICON>(h)); });
  };
  Images.AppendLater([&] { return Copy(LoadIconW(nullptr, IDI_ERROR)); });
  Images.AppendLater([] { return TIcon(); });  // a blank picture keeps the numbering
  Images.AddIcon(Copy(LoadIconW(nullptr, IDI_APPLICATION)));
  HIMAGELIST Native = static_cast<HIMAGELIST>(Images.Handle());
  ASSERT_NE(Native, nullptr);
  EXPECT_EQ(ImageList_GetImageCount(Native), 3);
  EXPECT_TRUE(Images.Icon(0).Empty());  // the native list holds them
  for (int Index = 0; Index < 3; ++Index) {
    IMAGEINFO Info = {};
    EXPECT_TRUE(ImageList_GetImageInfo(Native, Index, &Info)) << Index;
    EXPECT_FALSE(Images.GetIcon(Index).Empty()) << Index;
  }
}

TEST_F(WidgetsTest, TheEndOfTheSessionIsAskedAndThenToldWithoutClosingTheWindow) {
  bool Answer = false;
  std::vector<bool> Told;
  Form->OnQueryEndSession = [&](TForm*, bool& CanEnd) { CanEnd = Answer; };
  Form->OnEndSession = [&](TForm*, bool Ending) { Told.push_back(Ending); };
  Form->CreateHandle();
  HWND Window = static_cast<HWND>(Form->Handle());
  EXPECT_EQ(SendMessageW(Window, WM_QUERYENDSESSION, 0, 0), FALSE);
  Answer = true;
  EXPECT_EQ(SendMessageW(Window, WM_QUERYENDSESSION, 0, 0), TRUE);
  SendMessageW(Window, WM_ENDSESSION, FALSE, 0);  // another program cancelled it
  EXPECT_EQ(Told, std::vector<bool>{false});
  EXPECT_TRUE(IsWindow(Window));
  EXPECT_FALSE(Form->Closed());
}

// The error box's modal loop keeps the timers ticking; a handler that fails on every tick
// must not stack boxes on top of the first.
TEST_F(WidgetsTest, AFailingTimerDoesNotOpenASecondErrorBox) {
  TTimer Timer;
  int Ticks = 0, MostBoxes = 0;
  Timer.SetInterval(20);
  Timer.OnTimer = [&](TTimer*) {
    if (++Ticks < 15) throw std::runtime_error("毎回のエラー");
    int Boxes = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND Window, LPARAM Count) -> BOOL {
          wchar_t Class[16];
          GetClassNameW(Window, Class, 16);
          if (lstrcmpW(Class, L"#32770") == 0 && IsWindowVisible(Window)) {
            ++*reinterpret_cast<int*>(Count);
            PostMessageW(Window, WM_COMMAND, IDOK, 0);
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&Boxes));
    MostBoxes = std::max(MostBoxes, Boxes);
    if (Boxes == 0) Timer.SetEnabled(false);
  };
  Timer.SetEnabled(true);
  Application().ShowException(std::runtime_error("最初のエラー"));
  Timer.SetEnabled(false);
  EXPECT_GE(Ticks, 15);
  EXPECT_EQ(MostBoxes, 1);
}

}  // namespace
}  // namespace lantern
