// The platform's choosers under Wine: each opens preset to the value it is given, and the
// user's OK hands that value back whole (a timer presses OK in the chooser's own loop).
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "ui/Dialogs.h"

namespace lantern {
namespace {

BOOL CALLBACK PressOk(HWND Window, LPARAM Pressed) {
  wchar_t Class[16] = L"";
  GetClassNameW(Window, Class, 16);
  if (!IsWindowVisible(Window) || lstrcmpW(Class, L"#32770") != 0) return TRUE;
  PostMessageW(Window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(Window, IDOK)));
  *reinterpret_cast<bool*>(Pressed) = true;
  return FALSE;
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR Id, DWORD) {
  bool Pressed = false;
  EnumThreadWindows(GetCurrentThreadId(), PressOk, reinterpret_cast<LPARAM>(&Pressed));
  if (Pressed) KillTimer(nullptr, Id);
}

class ChoosersWin32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    Old = SetDialogs(nullptr);
    SetTimer(nullptr, 0, 300, OnTimer);
  }
  void TearDown() override { SetDialogs(Old); }
  TDialogService* Old = nullptr;
};

TEST_F(ChoosersWin32Test, ColourComesBackAsPreset) {
  TColorDialog Dialog;
  Dialog.Color = 0x123456;
  EXPECT_TRUE(Dialog.Execute());
  EXPECT_EQ(Dialog.Color, 0x123456);
}

TEST_F(ChoosersWin32Test, FontComesBackAsPresetWithItsEffectsKept) {
  TFontDialog Dialog;
  Dialog.Font.SetName("Tahoma");
  Dialog.Font.SetHeight(-16);
  Dialog.Font.SetStyle(fsBold | fsUnderline);
  EXPECT_TRUE(Dialog.Execute());
  EXPECT_EQ(Dialog.Font.Name(), "Tahoma");
  EXPECT_EQ(Dialog.Font.Height(), -16);
  EXPECT_EQ(Dialog.Font.Style(), fsBold | fsUnderline);
}

TEST_F(ChoosersWin32Test, FileToOpenComesBackAsPreset) {
  TOpenDialog Dialog;
  Dialog.FileName = "C:\\windows\\notepad.exe";
  Dialog.Filter = "プログラム|*.exe|すべて|*.*";
  EXPECT_TRUE(Dialog.Execute());
  EXPECT_EQ(Dialog.FileName, "C:\\windows\\notepad.exe");
}

TEST_F(ChoosersWin32Test, FolderComesBackAsPreset) {
  std::string Folder = "C:\\windows";
  EXPECT_TRUE(Dialogs().BrowseForFolder("フォルダの選択", Folder));
  EXPECT_STRCASEEQ(Folder.c_str(), "C:\\windows");
}

}  // namespace
}  // namespace lantern
