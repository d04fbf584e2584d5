// The device-context canvas and the notify window on Windows' real GDI and windows (under
// Wine): colours resolved at drawing time, text in the canvas's font and colours, and the
// shell's callbacks reaching the icon through the native window.
#include <gtest/gtest.h>
#include <windows.h>

#include "shell/TaskTray.h"
#include "support/FakeShell.h"
#include "ui/Widgets.h"
#include "ui/win32/CanvasWin32.h"

namespace lantern {
namespace {

// A 64 x 24 bitmap to draw on.
class CanvasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Screen = GetDC(nullptr);
    Dc = CreateCompatibleDC(Screen);
    Bitmap = CreateCompatibleBitmap(Screen, 64, 24);
    Old = SelectObject(Dc, Bitmap);
  }
  void TearDown() override {
    SelectObject(Dc, Old);
    DeleteObject(Bitmap);
    DeleteDC(Dc);
    ReleaseDC(nullptr, Screen);
  }
  int CountPixels(COLORREF Color, int Left = 0, int Right = 64) {
    int n = 0;
    for (int y = 0; y < 24; ++y)
      for (int x = Left; x < Right; ++x) n += GetPixel(Dc, x, y) == Color;
    return n;
  }
  HDC Screen, Dc;
  HBITMAP Bitmap;
  HGDIOBJ Old;
};

TEST_F(CanvasTest, SystemColoursAreTheSchemesAndOthersAreThemselves) {
  TDcCanvas Canvas(Dc);
  Canvas.SetBrushColor(clHighlight);
  Canvas.FillRect({0, 0, 32, 24});
  Canvas.SetBrushColor(0x00336699);
  Canvas.FillRect({32, 0, 64, 24});
  EXPECT_EQ(GetPixel(Dc, 5, 5), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(GetPixel(Dc, 40, 5), RGB(0x99, 0x66, 0x33));
  EXPECT_EQ(GetPixel(Dc, 32, 23), RGB(0x99, 0x66, 0x33));
}

TEST_F(CanvasTest, TextIsWrittenInTheFontColourOnTheBrushColour) {
  TDcCanvas Canvas(Dc);
  Canvas.SetBrushColor(0x00FFFFFF);
  Canvas.FillRect({0, 0, 64, 24});
  Canvas.SetBrushColor(0x0000FF00);
  Canvas.SetFontColor(0x000000FF);
  Canvas.Font().SetHeight(-12);
  int Width = Canvas.TextWidth("設定");
  EXPECT_GT(Width, 12);
  Canvas.WriteText(2, 2, "設定");
  EXPECT_GT(CountPixels(RGB(255, 0, 0), 2, 2 + Width), 10);
  EXPECT_GT(CountPixels(RGB(0, 255, 0), 2, 2 + Width), 10) << "opaque: the brush behind it";
  EXPECT_EQ(CountPixels(RGB(255, 0, 0), 2 + Width + 1), 0);
  // The underlined font is another font, and wider text is wider.
  Canvas.Font().SetStyle(fsUnderline);
  EXPECT_GT(Canvas.TextWidth("設定設定"), Width);
}

TEST_F(CanvasTest, TextCutShortStopsBeforeItsRightEdgeWithItsLetterUnderlined) {
  TDcCanvas Canvas(Dc);
  Canvas.SetFontColor(0x000000FF);
  int Red[2];
  for (int Underline : {-1, 2}) {
    Canvas.SetBrushColor(0x00FFFFFF);
    Canvas.FillRect({0, 0, 64, 24});
    Canvas.WriteTextEllipsis(2, 2, 40, "設定設定設定設定", Underline);
    EXPECT_EQ(CountPixels(RGB(255, 0, 0), 40), 0);
    Red[Underline > 0] = CountPixels(RGB(255, 0, 0), 2, 40);
  }
  EXPECT_GT(Red[0], 10);
  EXPECT_GT(Red[1], Red[0]) << "the underline";
}

TEST_F(CanvasTest, LinesUseThePenColour) {
  TDcCanvas Canvas(Dc);
  Canvas.SetBrushColor(0x00FFFFFF);
  Canvas.FillRect({0, 0, 64, 24});
  Canvas.SetPenColor(clBtnShadow);
  Canvas.MoveTo(0, 10);
  Canvas.LineTo(20, 10);
  EXPECT_EQ(GetPixel(Dc, 10, 10), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(GetPixel(Dc, 20, 10), RGB(255, 255, 255)) << "the end point is not drawn";
}

TEST(NotifyWindowTest, TheShellsCallbackReachesTheIconThroughTheNativeWindow) {
  SetWidgets(PlatformWidgets());
  TFakeShell Shell;
  TShell* OldShell = SetShell(&Shell);
  {
    TTaskTray Tray(nullptr);
    Tray.SetIcon(TIcon(LoadIconW(nullptr, IDI_APPLICATION), [](void*) {}));
    Tray.SetRegistered(true);
    HWND Window = static_cast<HWND>(TTaskTray::GetNotifyWindow()->Handle());
    ASSERT_NE(Window, nullptr);
    EXPECT_EQ(Shell.NotifyCalls[0].Data.Window, Window);
    int Moves = 0;
    Tray.OnMouseMove = [&](TTaskTray*, unsigned, int, int) { ++Moves; };
    SendMessageW(Window, WM_TRAYNOTIFY, Tray.IconID(), WM_MOUSEMOVE);
    EXPECT_EQ(Moves, 1);
    // The window is a top-level one, so the shell's broadcast after a restart reaches it.
    EXPECT_EQ(GetParent(Window), nullptr);
    SendMessageW(Window, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_EQ(Shell.NotifyCalls.size(), 2u);
    EXPECT_EQ(Shell.NotifyCalls.back().Message, NimAdd);
  }
  SetShell(OldShell);
  SetWidgets(nullptr);
}

}  // namespace
}  // namespace lantern
