// Spins, page controls, panels and painted panels as native windows, under Wine, driven by the
// mouse and keyboard messages the user's actions send.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "support/win32/NativeMatchesToolkit.h"
#include "ui/ExtCtrls.h"
#include "ui/Form.h"
#include "ui/Widgets.h"

namespace lantern {
namespace {

class TExtForm : public TForm {
 public:
  TExtForm() : TForm("TLanternExtCtrlsTest") {
    SetBounds(40, 40, 440, 340);
    Pages.SetBounds(0, 0, 412, 281);
    General.SetCaption("一般設定");
    Colors.SetCaption("色とフォント");
    Edit.SetBounds(184, 28, 49, 20);
    Spin.SetBounds(233, 28, 15, 20);
    Spin.SetMin(1);
    Spin.SetAssociate(&Edit);
    Panel.SetBounds(8, 8, 60, 40);
  }
  TPageControl Pages{this};
  TTabSheet General{&Pages};
  TEdit Edit{&General};
  TUpDown Spin{&General};
  TTabSheet Colors{&Pages};
  TPaintPanel Panel{&Colors};
};

class ExtCtrlsWin32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    SetWidgets(PlatformWidgets());
    Form = std::make_unique<TExtForm>();
    Form->CreateHandle();
    Form->Show();
    ASSERT_NE(Form->Spin.Handle(), nullptr);
  }
  void TearDown() override {
    Form.reset();
    SetWidgets(nullptr);
  }
  static HWND Of(TWinControl& Control) { return static_cast<HWND>(Control.Handle()); }
  static void ClickAt(HWND Window, int X, int Y) {
    SendMessageW(Window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(X, Y));
    SendMessageW(Window, WM_LBUTTONUP, 0, MAKELPARAM(X, Y));
  }
  std::unique_ptr<TExtForm> Form;
};

TEST_F(ExtCtrlsWin32Test, SpinArrowsAndArrowKeysStepTheNumberInTheEdit) {
  std::vector<int> Clicks;
  Form->Spin.OnClick = [&](TWinControl*) { Clicks.push_back(Form->Spin.Position()); };
  Form->Spin.SetPosition(5);
  ClickAt(Of(Form->Spin), 7, 3);  // the upper arrow
  EXPECT_EQ(Form->Edit.Text(), "6");
  SendMessageW(Of(Form->Edit), WM_KEYDOWN, VK_DOWN, 1);  // the spin watches its edit's keys
  SendMessageW(Of(Form->Edit), WM_KEYUP, VK_DOWN, 0xC0000001);
  EXPECT_EQ(Form->Edit.Text(), "5");
  wchar_t Shown[16] = L"";
  GetWindowTextW(Of(Form->Edit), Shown, 16);
  EXPECT_STREQ(Shown, L"5");
  EXPECT_EQ(Clicks, (std::vector<int>{6, 5}));
  SetWindowTextW(Of(Form->Edit), L"1");
  ClickAt(Of(Form->Spin), 7, 17);  // the lower arrow, at the minimum
  EXPECT_EQ(Form->Edit.Text(), "1");
}

TEST_F(ExtCtrlsWin32Test, AClickOnATabShowsItsPageAndHidesTheOthers) {
  HWND Tabs = Of(Form->Pages);
  ExpectNativeMatchesToolkit(*Form);
  std::vector<int> Seen;
  Form->Pages.OnChange = [&](TWinControl*) { Seen.push_back(Form->Pages.ActivePageIndex()); };
  RECT Tab;
  SendMessageW(Tabs, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&Tab));
  ClickAt(Tabs, (Tab.left + Tab.right) / 2, (Tab.top + Tab.bottom) / 2);
  EXPECT_EQ(Seen, std::vector<int>{1});
  ExpectNativeMatchesToolkit(*Form);
  // The pages fill the tab control's display area.
  RECT Display;
  GetClientRect(Tabs, &Display);
  SendMessageW(Tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&Display));
  EXPECT_EQ(Form->Colors.Top(), Display.top);
  EXPECT_EQ(Form->Colors.Width(), Display.right - Display.left);
  Form->Pages.SetActivePageIndex(0);
  ExpectNativeMatchesToolkit(*Form);
}

TEST_F(ExtCtrlsWin32Test, PanelShowsItsColourAndWhatOnPaintDraws) {
  Form->Pages.SetActivePage(&Form->Colors);
  Form->Panel.SetColor(0x0000FF);
  Form->Panel.OnPaint = [](TPaintPanel*, TCanvas& Canvas) {
    Canvas.SetBrushColor(0x00FF00);
    Canvas.FillRect({20, 10, 40, 30});
  };
  RedrawWindow(Of(Form->Panel), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  HDC Dc = GetDC(Of(Form->Panel));
  COLORREF Back = GetPixel(Dc, 5, 5), Drawn = GetPixel(Dc, 30, 20);
  ReleaseDC(Of(Form->Panel), Dc);
  EXPECT_EQ(Back, RGB(255, 0, 0));
  EXPECT_EQ(Drawn, RGB(0, 255, 0));
}

TEST_F(ExtCtrlsWin32Test, AClickOnThePanelRunsOnClickUnlessDisabledOrReleasedOutside) {
  Form->Pages.SetActivePage(&Form->Colors);
  int Clicks = 0;
  Form->Panel.OnClick = [&](TWinControl* Sender) { Clicks += Sender == &Form->Panel; };
  ClickAt(Of(Form->Panel), 10, 10);
  EXPECT_EQ(Clicks, 1);
  SendMessageW(Of(Form->Panel), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  SendMessageW(Of(Form->Panel), WM_LBUTTONUP, 0, MAKELPARAM(100, 10));  // dragged away
  EXPECT_EQ(Clicks, 1);
  Form->Panel.SetEnabled(false);
  ClickAt(Of(Form->Panel), 10, 10);
  EXPECT_EQ(Clicks, 1);
}

TEST_F(ExtCtrlsWin32Test, PanelsBorderIsWithinItsBounds) {
  HWND Panel = Of(Form->Panel);
  auto Sizes = [&] {
    RECT Window, Client;
    GetWindowRect(Panel, &Window);
    GetClientRect(Panel, &Client);
    return std::vector<LONG>{Window.right - Window.left, Window.bottom - Window.top, Client.right,
                             Client.bottom};
  };
  EXPECT_EQ(Sizes(), (std::vector<LONG>{60, 40, 60, 40}));
  Form->Panel.SetBorder(true);
  EXPECT_NE(GetWindowLongW(Panel, GWL_EXSTYLE) & WS_EX_STATICEDGE, 0);
  EXPECT_EQ(Sizes(), (std::vector<LONG>{60, 40, 58, 38}));  // a one-pixel edge all round
  Form->Panel.SetBorder(false);
  EXPECT_EQ(Sizes(), (std::vector<LONG>{60, 40, 60, 40}));
}

// The size of an icon's picture.
SIZE IconSize(const TIcon& Icon) {
  ICONINFO Info = {};
  if (!GetIconInfo(static_cast<HICON>(Icon.Handle()), &Info)) return {0, 0};
  BITMAP Bits = {};
  GetObjectW(Info.hbmColor ? Info.hbmColor : Info.hbmMask, sizeof(Bits), &Bits);
  if (Info.hbmColor) DeleteObject(Info.hbmColor);
  DeleteObject(Info.hbmMask);
  return {Bits.bmWidth, Info.hbmColor ? Bits.bmHeight : Bits.bmHeight / 2};
}

TEST(ProgramIconTest, ComesFromTheResourcesAtTheSizeAskedFor) {
  for (int Size : {32, 16}) {
    SCOPED_TRACE(Size);
    TIcon Icon = ProgramIcon(Size);
    ASSERT_FALSE(Icon.Empty());
    SIZE Got = IconSize(Icon);
    EXPECT_EQ(Got.cx, Size);
    EXPECT_EQ(Got.cy, Size);
  }
}

// The box around the pixels of the window that are not the face colour; empty when none are.
RECT PaintedBox(HWND Window) {
  RedrawWindow(Window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  RECT Client, Box = {LONG_MAX, LONG_MAX, -1, -1};
  GetClientRect(Window, &Client);
  HDC Dc = GetDC(Window);
  COLORREF Face = GetSysColor(COLOR_BTNFACE);
  for (int y = 0; y < Client.bottom; ++y)
    for (int x = 0; x < Client.right; ++x)
      if (GetPixel(Dc, x, y) != Face) {
        Box = {std::min<LONG>(Box.left, x), std::min<LONG>(Box.top, y),
               std::max<LONG>(Box.right, x + 1), std::max<LONG>(Box.bottom, y + 1)};
      }
  ReleaseDC(Window, Dc);
  return Box;
}

TEST_F(ExtCtrlsWin32Test, ImageDrawsItsIconStretchedOverItsArea) {
  TForm Holder("TLanternImageTest");
  TImage Image(&Holder);
  Holder.SetBounds(500, 60, 200, 200);
  Image.SetBounds(10, 10, 32, 32);
  Holder.CreateHandle();
  Holder.Show();
  HWND Window = Of(Image);
  ASSERT_NE(Window, nullptr);
  EXPECT_EQ(PaintedBox(Window).right, -1);  // no picture: the face colour only
  Image.SetPicture(ProgramIcon(32));
  RECT Small = PaintedBox(Window);
  EXPECT_GT(Small.right - Small.left, 16);  // the icon covers most of the control
  EXPECT_GT(Small.bottom - Small.top, 16);
  Image.SetBounds(10, 10, 64, 64);
  RECT Large = PaintedBox(Window);
  // Twice the size: the icon's picture is twice as large.
  EXPECT_NEAR(Large.right - Large.left, 2 * (Small.right - Small.left), 2);
  EXPECT_NEAR(Large.bottom - Large.top, 2 * (Small.bottom - Small.top), 2);
}

// A page's controls on a panel at its bottom, and a note in a memo, as the settings have them.
class TPanelForm : public TForm {
 public:
  TPanelForm() : TForm("TLanternPanelTest") {
    SetBounds(60, 60, 400, 300);
    Panel.SetHeight(80);
    Panel.SetAlign(TAlign::Bottom);
    Label.SetCaption("間隔(&I)");
    Label.SetFocusControl(&Edit);
    Edit.SetBounds(96, 4, 60, 20);
    Check.SetBounds(8, 40, 150, 17);
    Memo.SetBounds(8, 8, 153, 100);
    Memo.SetReadOnly(true);
    Memo.SetBorder(false);
    Memo.SetColor(clBtnFace);
    Memo.SetFontColor(0x000080);
    Memo.Lines().Add("■■■");
    Ok.SetModalResult(mrOk);
    Ok.SetDefault(true);
    CreateHandle();
    Show();
  }
  TPanel Panel{this};
  TLabel Label{&Panel};
  TEdit Edit{&Panel};
  TCheckBox Check{&Panel};
  TMemo Memo{this};
  TButton Ok{this};
};

TEST_F(ExtCtrlsWin32Test, PanelHoldsItsControlsWindowsAndTheMemoShowsItsLinesInItsColours) {
  TPanelForm Panel;
  ExpectNativeMatchesToolkit(Panel);
  int Clicks = 0;
  Panel.Check.OnClick = [&](TWinControl*) { Clicks += Panel.Check.Checked(); };
  SendMessageW(Of(Panel.Check), BM_CLICK, 0, 0);
  EXPECT_EQ(Clicks, 1);
  // Maroon squares on the face colour, nothing of the window's colour.
  HWND Memo = Of(Panel.Memo);
  RedrawWindow(Memo, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  HDC Dc = GetDC(Memo);
  int Maroon = 0, White = 0;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 153; ++x) {
      Maroon += GetPixel(Dc, x, y) == RGB(128, 0, 0);
      White += GetPixel(Dc, x, y) == GetSysColor(COLOR_WINDOW);
    }
  ReleaseDC(Memo, Dc);
  EXPECT_GT(Maroon, 0);
  EXPECT_EQ(White, 0);
  Panel.Memo.SetReadOnly(false);  // the user's typing comes back as lines
  SendMessageW(Memo, EM_SETSEL, 0, -1);
  SendMessageW(Memo, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"x\r\n\u8868"));
  EXPECT_EQ(Panel.Memo.Lines().Lines(), (std::vector<std::string>{"x", "表"}));
  ExpectNativeMatchesToolkit(Panel);
}

HWND FocusAtClose = nullptr;

void CALLBACK NoteFocusAndClose(HWND, UINT, UINT_PTR Id, DWORD) {
  KillTimer(nullptr, Id);
  FocusAtClose = GetFocus();
  PostMessageW(GetAncestor(FocusAtClose, GA_ROOT), WM_CLOSE, 0, 0);
}

// The dialog keys walk into the panel, and a read-only memo leaves them to the dialog.
TEST_F(ExtCtrlsWin32Test, DialogKeysReachThePanelsControlsAndPassTheMemo) {
  enum { Edit, Check, Memo, Ok };
  const struct {
    int Start;
    UINT Message, Key;
    int Focused;
    TModalResult Result;
  } Cases[] = {{Ok, WM_SYSCHAR, 'i', Edit, mrCancel},
               {Edit, WM_KEYDOWN, VK_TAB, Check, mrCancel},
               {Memo, WM_KEYDOWN, VK_TAB, Ok, mrCancel},
               {Memo, WM_KEYDOWN, VK_RETURN, Memo, mrOk}};
  for (const auto& Case : Cases) {
    SCOPED_TRACE(Case.Key);
    TPanelForm Panel;
    TWinControl* Controls[] = {&Panel.Edit, &Panel.Check, &Panel.Memo, &Panel.Ok};
    Controls[Case.Start]->SetFocus();
    PostMessageW(GetFocus(), Case.Message, Case.Key, Case.Message == WM_SYSCHAR ? 1 << 29 : 1);
    FocusAtClose = nullptr;
    UINT_PTR Timer = SetTimer(nullptr, 0, 300, NoteFocusAndClose);
    EXPECT_EQ(Panel.ShowModal(), Case.Result);
    KillTimer(nullptr, Timer);
    if (Case.Result == mrCancel) {
      EXPECT_EQ(FocusAtClose, Of(*Controls[Case.Focused]));
    }
  }
}

}  // namespace
}  // namespace lantern
