// Spins, page controls and painted panels as native windows, under Wine, driven by the mouse
// and keyboard messages the user's actions send.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <string>
#include <vector>

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
  EXPECT_EQ(GetParent(Of(Form->Panel)), Of(Form->Colors));
  EXPECT_EQ(GetParent(Of(Form->Colors)), Tabs);
  EXPECT_TRUE(IsWindowVisible(Of(Form->Edit)));
  EXPECT_FALSE(IsWindowVisible(Of(Form->Panel)));
  EXPECT_EQ(SendMessageW(Tabs, TCM_GETITEMCOUNT, 0, 0), 2);
  std::vector<int> Seen;
  Form->Pages.OnChange = [&](TWinControl*) { Seen.push_back(Form->Pages.ActivePageIndex()); };
  RECT Tab;
  SendMessageW(Tabs, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&Tab));
  ClickAt(Tabs, (Tab.left + Tab.right) / 2, (Tab.top + Tab.bottom) / 2);
  EXPECT_EQ(Seen, std::vector<int>{1});
  EXPECT_FALSE(IsWindowVisible(Of(Form->Edit)));
  EXPECT_TRUE(IsWindowVisible(Of(Form->Panel)));
  // The pages fill the tab control's display area.
  RECT Display;
  GetClientRect(Tabs, &Display);
  SendMessageW(Tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&Display));
  EXPECT_EQ(Form->Colors.Top(), Display.top);
  EXPECT_EQ(Form->Colors.Width(), Display.right - Display.left);
  Form->Pages.SetActivePageIndex(0);
  EXPECT_EQ(SendMessageW(Tabs, TCM_GETCURSEL, 0, 0), 0);
  EXPECT_TRUE(IsWindowVisible(Of(Form->Edit)));
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

}  // namespace
}  // namespace lantern
