// The launcher menu on a monitor at 144 DPI (a system double gives it: Wine has one system
// DPI), through the real owner-draw measuring and the real shell.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <commctrl.h>
// The system interface's own AddAtom, not the macro.
#undef AddAtom

#include "model/PopupMenuEx.h"
#include "model/Root.h"
#include "support/FakeSystem.h"
#include "ui/ImageList.h"
#include "ui/ListView.h"
#include "ui/Shell.h"
#include "ui/TreeView.h"
#include "ui/Widgets.h"
#include "ui/win32/MenusWin32.h"

namespace lantern {
namespace {

TEST(LauncherMenuWin32Test, RowsAndIconsFollowTheDpiOfTheMonitorTheMenuOpensOn) {
  TFakeSystem Sys;
  Sys.Monitors = {{0, 0, 1280, 1024, 96}, {1280, 0, 1280, 1024, 144}};
  TSystem* OldSystem = SetSystem(&Sys);
  TListView List;
  TTreeView Tree;
  SetWidgets(PlatformWidgets());
  {
    TImageList Images;
    for (int i = 0; i < FixedPictures; ++i)
      Images.AddIcon(PlatformSystem().ResourceIcon(FirstPictureId + i, 16));
    TRoot Root;
    Root.ShowInViews(List, Tree, Images, Images);
    auto* Notepad = Root.Add(std::make_unique<TLauncherExec>(&Root));
    Notepad->SetName("メモ帳");
    Notepad->SetFileName("C:\\windows\\notepad.exe");
    TPopupMenuEx Menu;
    Root.SetMenuDirty(true);
    Root.BuildMenu(&Menu, nullptr);
    Root.MenuOpensAt(1300, 10);
    MEASUREITEMSTRUCT Measure = {};
    Measure.itemData = reinterpret_cast<ULONG_PTR>(Menu.Items().Items(0));
    MeasureOwnerDrawn(GetDesktopWindow(), Measure);
    // The 9-point font is 18 pixels high at 144: less than the least row, 19 * 1.5.
    EXPECT_EQ(Measure.itemHeight, 29u);
    TImageList* Drawn = nullptr;
    Root.MenuPicture(Notepad->ImageIndex(), Notepad->FileName(), Drawn);
    int W = 0, H = 0;
    ImageList_GetIconSize(static_cast<HIMAGELIST>(Drawn->Handle()), &W, &H);
    EXPECT_EQ(std::make_pair(W, H), std::make_pair(24, 24));
    // Made at that size by the shell, not a 32-pixel icon shrunk.
    ICONINFO Info = {};
    TIcon Made = Shell().FileIconAt(Notepad->FileName(), 24);
    ASSERT_TRUE(GetIconInfo(static_cast<HICON>(Made.Handle()), &Info));
    BITMAP Color = {};
    GetObjectW(Info.hbmColor, sizeof(Color), &Color);
    EXPECT_EQ(Color.bmWidth, 24);
    DeleteObject(Info.hbmColor);
    DeleteObject(Info.hbmMask);
  }
  SetWidgets(nullptr);
  SetSystem(OldSystem);
}

}  // namespace
}  // namespace lantern
