// The main window under Wine moved to a monitor of another DPI and back: its bars, views and
// splitter at the scale of their layout, the list's columns as wide as the user left them.
#include <gtest/gtest.h>

#include "support/MainFixture.h"
// After the doubles: windows.h's AddAtom macro would rename theirs.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include "support/win32/NativeMatchesToolkit.h"
#include "ui/Dpi.h"
#include "ui/Widgets.h"

namespace lantern {
namespace {

class MainDpiWin32Test : public MainFixture {
 protected:
  void SetUp() override {
    MainFixture::SetUp();
    Memory.WriteDWord(Key, "UseWatchApp", 0);
    SetWidgets(PlatformWidgets());
  }
  void TearDown() override {
    MainFixture::TearDown();
    SetWidgets(nullptr);
  }
};

TEST_F(MainDpiWin32Test, BarsViewsAndColumnsFollowTheMonitorsDpiAndBack) {
  TLanternMain& M = Start();
  M.LanternProperty.Execute();  // shows the main window
  Widgets()->ProcessMessages();
  const int Columns[] = {M.ListView1.ColumnWidth(0), M.ListView1.ColumnWidth(1)};
  for (int Dpi : {M.Dpi() == 144 ? 96 : 144, M.Dpi()}) {
    SCOPED_TRACE(Dpi);
    ChangeDpi(M, Dpi);
    ASSERT_EQ(M.Dpi(), Dpi);
    for (TWinControl* c : M.Controls()) {
      if (!c->Handle()) continue;
      RECT Is;
      HWND Window = static_cast<HWND>(c->Handle());
      GetWindowRect(Window, &Is);
      MapWindowPoints(nullptr, static_cast<HWND>(M.Handle()), reinterpret_cast<POINT*>(&Is), 2);
      EXPECT_EQ(Is.left, ScaleToDpi(c->Left(), Dpi));
      EXPECT_EQ(Is.top, ScaleToDpi(c->Top(), Dpi));
      EXPECT_EQ(Is.right, ScaleToDpi(c->Left() + c->Width(), Dpi));
      EXPECT_EQ(Is.bottom, ScaleToDpi(c->Top() + c->Height(), Dpi));
    }
    auto List = static_cast<HWND>(M.ListView1.Handle());
    for (int i : {0, 1}) {
      EXPECT_EQ(M.ListView1.ColumnWidth(i), Columns[i]);
      EXPECT_EQ(SendMessageW(List, LVM_GETCOLUMNWIDTH, i, 0), ScaleToDpi(Columns[i], Dpi));
    }
    LOGFONTW Log = {};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(List, WM_GETFONT, 0, 0)), sizeof(Log), &Log);
    EXPECT_EQ(Log.lfHeight, ScaleToDpi(M.Font().Height(), Dpi));
  }
}

}  // namespace
}  // namespace lantern
