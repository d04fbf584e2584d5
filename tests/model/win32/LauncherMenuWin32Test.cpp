// The launcher menu's rows through the real owner-draw path on a monitor at 144 DPI (given by
// a system double, as Wine's one system DPI stays 96): their height, icons made at 24 pixels
// by the shell, and a picture of the rows for a look (build/logs/launcher-menu-144.bmp).
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <commctrl.h>
// The system interface's own AddAtom, not the macro.
#undef AddAtom

#include <fstream>

#include "model/ExecObj.h"
#include "model/PopupMenuEx.h"
#include "support/FakeSystem.h"
#include "ui/ImageList.h"
#include "ui/ListView.h"
#include "ui/Shell.h"
#include "ui/TreeView.h"
#include "ui/Widgets.h"
#include "ui/win32/MenusWin32.h"

namespace lantern {
namespace {

// Rows as a 24-bit bitmap file, bottom-up as such files are.
void SaveBitmap(HDC Dc, HBITMAP Bitmap, int W, int H, const char* Path) {
  BITMAPINFO Info = {};
  Info.bmiHeader = {sizeof(BITMAPINFOHEADER), W, H, 1, 24, BI_RGB};
  const int Stride = (W * 3 + 3) & ~3;
  std::string Bits(static_cast<size_t>(Stride) * H, '\0');
  GetDIBits(Dc, Bitmap, 0, H, Bits.data(), &Info, DIB_RGB_COLORS);
  BITMAPFILEHEADER File = {0x4D42,
                           static_cast<DWORD>(sizeof(File) + sizeof(Info.bmiHeader) + Bits.size()),
                           0, 0, sizeof(File) + sizeof(Info.bmiHeader)};
  std::ofstream Out(Path, std::ios::binary);
  Out.write(reinterpret_cast<const char*>(&File), sizeof(File));
  Out.write(reinterpret_cast<const char*>(&Info.bmiHeader), sizeof(Info.bmiHeader));
  Out.write(Bits.data(), static_cast<std::streamsize>(Bits.size()));
}

// The monitors of the test, with the program's real pictures.
class TMonitorsSystem : public TFakeSystem {
 public:
  TIcon ResourceIcon(int Id, int Size) override { return PlatformSystem().ResourceIcon(Id, Size); }
};

TEST(LauncherMenuWin32Test, RowsAndIconsFollowTheDpiOfTheMonitorTheMenuOpensOn) {
  TMonitorsSystem Sys;
  Sys.Monitors = {{0, 0, 1280, 1024, 96}, {1280, 0, 1280, 1024, 144}};
  TSystem* OldSystem = SetSystem(&Sys);
  TListView List;
  TTreeView Tree;
  SetWidgets(PlatformWidgets());
  {
    TImageList Images;
    for (int i = 0; i < FixedPictures; ++i) Images.AddIcon(Sys.ResourceIcon(FirstPictureId + i, 16));
    TRoot Root;
    Root.ShowInViews(List, Tree, Images, Images);
    TFolder* Group = Root.Add(std::make_unique<TFolder>(&Root));
    Group->SetName("グループ(&G)");
    for (const char* File : {"C:\\windows\\notepad.exe", "C:\\windows\\regedit.exe"}) {
      TLauncherExec* L = Root.Add(std::make_unique<TLauncherExec>(&Root));
      L->SetName(std::string("メモ帳と登録 ") + File);
      L->SetFileName(File);
    }
    TPopupMenuEx Menu;
    Root.SetMenuDirty(true);
    Root.BuildMenu(&Menu, nullptr);

    for (int Dpi : {96, 144}) {
      Root.MenuOpensAt(Dpi == 96 ? 10 : 1300, 10);
      const int Rows = Menu.Items().Count();
      int Height = 0, Width = 0;
      for (int i = 0; i < Rows; ++i) {
        MEASUREITEMSTRUCT Measure = {};
        Measure.itemData = reinterpret_cast<ULONG_PTR>(Menu.Items().Items(i));
        MeasureOwnerDrawn(GetDesktopWindow(), Measure);
        // The 9-point font is 12 pixels high at 96 and 18 at 144: the rows' least heights,
        // 19 and 28.5 (29), are more than the text and its margins.
        EXPECT_EQ(static_cast<int>(Measure.itemHeight), Dpi == 96 ? 19 : 29) << Dpi;
        Height = static_cast<int>(Measure.itemHeight);
        Width = std::max(Width, static_cast<int>(Measure.itemWidth));
      }
      HDC Screen = GetDC(nullptr);
      HDC Dc = CreateCompatibleDC(Screen);
      HBITMAP Bitmap = CreateCompatibleBitmap(Screen, Width, Height * Rows);
      HGDIOBJ Old = SelectObject(Dc, Bitmap);
      for (int i = 0; i < Rows; ++i) {
        DRAWITEMSTRUCT Draw = {};
        Draw.hDC = Dc;
        Draw.rcItem = {0, i * Height, Width, (i + 1) * Height};
        Draw.itemState = i == 1 ? ODS_SELECTED : 0;
        Draw.itemData = reinterpret_cast<ULONG_PTR>(Menu.Items().Items(i));
        DrawOwnerDrawn(Draw);
      }
      SelectObject(Dc, Old);
      SaveBitmap(
          Dc, Bitmap, Width, Height * Rows,
          Dpi == 96 ? "build\\logs\\launcher-menu-96.bmp" : "build\\logs\\launcher-menu-144.bmp");
      DeleteObject(Bitmap);
      DeleteDC(Dc);
      ReleaseDC(nullptr, Screen);

      // The pictures drawn come from a list of the DPI's size, made by the shell at it.
      TImageList* Drawn = nullptr;
      auto* Notepad = static_cast<TLauncherExec*>(Root.Items(1));
      Root.MenuPicture(Notepad->ImageIndex(), Notepad->FileName(), Drawn);
      ASSERT_NE(Drawn, nullptr);
      int W = 0, H = 0;
      ImageList_GetIconSize(static_cast<HIMAGELIST>(Drawn->Handle()), &W, &H);
      EXPECT_EQ(std::make_pair(W, H), Dpi == 96 ? std::make_pair(16, 16) : std::make_pair(24, 24));
    }
    TIcon Made = Shell().FileIconAt("C:\\windows\\notepad.exe", 24);
    ICONINFO Info = {};
    ASSERT_TRUE(GetIconInfo(static_cast<HICON>(Made.Handle()), &Info));
    BITMAP Color = {};
    GetObjectW(Info.hbmColor ? Info.hbmColor : Info.hbmMask, sizeof(Color), &Color);
    EXPECT_EQ(Color.bmWidth, 24) << "not a 32-pixel icon to be shrunk";
    DeleteObject(Info.hbmColor);
    DeleteObject(Info.hbmMask);
  }
  SetWidgets(nullptr);
  SetSystem(OldSystem);
}

}  // namespace
}  // namespace lantern
