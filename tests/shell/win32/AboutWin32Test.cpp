// The version window as a native window under Wine: where its controls really stand, what they
// show, and the version of the running program (unit_tests.exe has no version resource).
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "shell/About.h"
#include "ui/Widgets.h"
#include "ui/win32/WideText.h"

namespace lantern {
namespace {

class AboutWin32Test : public ::testing::Test {
 protected:
  void SetUp() override { SetWidgets(PlatformWidgets()); }
  void TearDown() override { SetWidgets(nullptr); }
  static HWND Of(TWinControl& Control) { return static_cast<HWND>(Control.Handle()); }
};

TEST_F(AboutWin32Test, ControlsStandAndReadAsLaidOut) {
  TAboutForm Form;
  Form.CreateHandle();
  Form.Show();  // the controls' windows come with the first showing
  HWND Window = Of(Form);
  ASSERT_NE(Window, nullptr);
  RECT Client;
  GetClientRect(Window, &Client);
  // 343 x 185, unless a wider substitute font widened a label beyond it: then the window
  // holds the label with 8 pixels to spare.
  LONG Widest = 0;
  for (TWinControl* Label : {&Form.Label1, &Form.Label3, &Form.VersionLabel}) {
    RECT Rect;
    GetWindowRect(Of(*Label), &Rect);
    MapWindowPoints(nullptr, Window, reinterpret_cast<POINT*>(&Rect), 2);
    Widest = std::max(Widest, Rect.right);
  }
  EXPECT_EQ(Client.right, Widest > 343 ? Widest + 8 : 343);
  EXPECT_EQ(Client.bottom, 185);
  wchar_t Title[64] = L"";
  GetWindowTextW(Window, Title, 64);
  EXPECT_EQ(FromWide(Title), "バージョン情報");
  struct TCase {
    const char* Name;
    TWinControl& Control;
    int Left, Top, Width, Height;  // 0: the label's own choice
    const char* Caption;           // null: not checked here
  };
  const TCase Cases[] = {
      {"Image1", Form.Image1, 24, 16, 32, 32, nullptr},
      {"Label3", Form.Label3, 80, 8, 0, 0, nullptr},
      {"Label1", Form.Label1, 80, 32, 0, 0, "ランタン for Windows"},
      {"VersionLabel", Form.VersionLabel, 128, 88, 0, 0, ""},
      {"Button1", Form.Button1, 72, 152, 75, 25, "&OK"},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    HWND Control = Of(Case.Control);
    ASSERT_NE(Control, nullptr);
    EXPECT_EQ(GetParent(Control), Window);
    RECT Rect;
    GetWindowRect(Control, &Rect);
    MapWindowPoints(nullptr, Window, reinterpret_cast<POINT*>(&Rect), 2);
    EXPECT_EQ(Rect.left, Case.Left);
    EXPECT_EQ(Rect.top, Case.Top);
    if (Case.Width) {
      EXPECT_EQ(Rect.right - Rect.left, Case.Width);
      EXPECT_EQ(Rect.bottom - Rect.top, Case.Height);
    }
    EXPECT_LE(Rect.right, Client.right);
    EXPECT_LE(Rect.bottom, Client.bottom);
    if (Case.Caption) {
      wchar_t Text[64] = L"";
      GetWindowTextW(Control, Text, 64);
      EXPECT_EQ(FromWide(Text), Case.Caption);
    }
  }
  // The test program carries the icon but no version resource.
  EXPECT_EQ(GetVersionString(), "");
  EXPECT_FALSE(Form.Image1.Picture().Empty());
  EXPECT_EQ(GetWindowLongPtrW(Of(Form.Button1), GWLP_ID), IDOK);  // Enter presses it
}

TEST_F(AboutWin32Test, NameIsShownInItsLargeBoldFont) {
  TAboutForm Form;
  Form.CreateHandle();
  Form.Show();
  auto Font = reinterpret_cast<HFONT>(SendMessageW(Of(Form.Label1), WM_GETFONT, 0, 0));
  LOGFONTW Log = {};
  ASSERT_TRUE(Font && GetObjectW(Font, sizeof(Log), &Log));
  EXPECT_EQ(Log.lfHeight, -27);
  EXPECT_EQ(Log.lfWeight, FW_BOLD);
  EXPECT_EQ(Log.lfCharSet, SHIFTJIS_CHARSET);
  EXPECT_EQ(FromWide(Log.lfFaceName), "ＭＳ Ｐゴシック");
}

}  // namespace
}  // namespace lantern
