// The main window under Wine moved to a monitor of another DPI and back: its bars, views and
// splitter at the scale of their layout, the list's columns as wide as the user left them.
#include <gtest/gtest.h>

#include "support/MainFixture.h"
// After the doubles: windows.h's AddAtom macro would rename theirs.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include "support/win32/ModalRun.h"
#include "support/win32/NativeMatchesToolkit.h"
#include "ui/Dpi.h"
#include "ui/Widgets.h"

namespace lantern {
namespace {

class MainDpiWin32Test : public MainFixture {
 protected:
  void TearDown() override {
    MainFixture::TearDown();
    SetWidgets(nullptr);
  }
};

TEST_F(MainDpiWin32Test, BarsViewsAndColumnsFollowTheMonitorsDpiAndBack) {
  Memory.WriteDWord(Key, "UseWatchApp", 0);
  SetWidgets(PlatformWidgets());
  TLanternMain& M = Start();
  M.LanternProperty.Execute();  // shows the main window
  Widgets()->ProcessMessages();
  const int Columns[] = {M.ListView1.ColumnWidth(0), M.ListView1.ColumnWidth(1)};
  // The pictures of the bar and of both views at the small icon size of the DPI, the tree's
  // rows as tall as its pictures at least.
  auto ExpectPictures = [&] {
    const int Want = SmallIconSize(M.Dpi());
    for (LRESULT List : {SendMessageW(Of(M.ToolBar1), TB_GETIMAGELIST, 0, 0),
                         SendMessageW(Of(M.TreeView1), TVM_GETIMAGELIST, TVSIL_NORMAL, 0),
                         SendMessageW(Of(M.ListView1), LVM_GETIMAGELIST, LVSIL_SMALL, 0)}) {
      int Width = 0, Height = 0;
      ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(List), &Width, &Height);
      EXPECT_EQ(std::make_pair(Width, Height), std::make_pair(Want, Want)) << M.Dpi();
    }
    EXPECT_GE(SendMessageW(Of(M.TreeView1), TVM_GETITEMHEIGHT, 0, 0), Want);
  };
  ExpectPictures();
  ExpectFollowsDpi(M, nullptr);
  ChangeDpi(M, M.Dpi() == 144 ? 96 : 144);
  ExpectPictures();
  for (int i : {0, 1}) {
    EXPECT_EQ(M.ListView1.ColumnWidth(i), Columns[i]);
    EXPECT_EQ(SendMessageW(Of(M.ListView1), LVM_GETCOLUMNWIDTH, i, 0),
              ScaleToDpi(Columns[i], M.Dpi()));
  }
  // The monitor it was on is gone: the window comes back onto the one there is.
  HWND Window = static_cast<HWND>(M.Handle());
  SetWindowPos(Window, nullptr, -5000, -4000, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(Window, WM_DISPLAYCHANGE, 32, MAKELPARAM(1280, 1024));
  RECT Rect;
  GetWindowRect(Window, &Rect);
  EXPECT_NE(MonitorFromRect(&Rect, MONITOR_DEFAULTTONULL), nullptr);
}

}  // namespace
}  // namespace lantern
