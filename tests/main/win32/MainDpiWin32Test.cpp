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
  ExpectFollowsDpi(M, nullptr);
  ChangeDpi(M, M.Dpi() == 144 ? 96 : 144);
  for (int i : {0, 1}) {
    EXPECT_EQ(M.ListView1.ColumnWidth(i), Columns[i]);
    EXPECT_EQ(SendMessageW(Of(M.ListView1), LVM_GETCOLUMNWIDTH, i, 0),
              ScaleToDpi(Columns[i], M.Dpi()));
  }
}

}  // namespace
}  // namespace lantern
