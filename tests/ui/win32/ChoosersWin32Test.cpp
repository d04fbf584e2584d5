// The platform's choosers under Wine: each opens preset to the value it is given, and the
// user's OK hands that value back whole (a timer presses OK in the chooser's own loop).
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <dlgs.h>
#include <shlobj.h>

#include <string>

#include "base/Cp932.h"
#include "base/Exception.h"
#include "support/TempFolder.h"
#include "support/win32/ModalRun.h"
#include "ui/Dialogs.h"
#include "ui/win32/WideText.h"

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
  int Image = -2;
  EXPECT_TRUE(Dialogs().BrowseForFolder("フォルダの選択", BIF_RETURNONLYFSDIRS, Folder, Image));
  EXPECT_STRCASEEQ(Folder.c_str(), "C:\\windows");
}

// The chooser of this thread that is showing, if any.
HWND ShownChooser() {
  HWND Found = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND Window, LPARAM Out) {
        wchar_t Class[16] = L"";
        GetClassNameW(Window, Class, 16);
        if (!IsWindowVisible(Window) || lstrcmpW(Class, L"#32770") != 0) return TRUE;
        *reinterpret_cast<HWND*>(Out) = Window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&Found));
  return Found;
}

void PressOkIn(HWND Chooser) {
  PostMessageW(Chooser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(Chooser, IDOK)));
}

// The first edit within Window (the file name field, which may sit in a combo box).
HWND FirstEdit(HWND Window) {
  HWND Found = nullptr;
  EnumChildWindows(
      Window,
      [](HWND Child, LPARAM Out) {
        wchar_t Class[16] = L"";
        GetClassNameW(Child, Class, 16);
        if (lstrcmpiW(Class, L"Edit") != 0 || !IsWindowVisible(Child)) return TRUE;
        *reinterpret_cast<HWND*>(Out) = Child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&Found));
  return Found;
}

// The path the user picks in the next chooser, which opened without a preset: typed into a
// file chooser's name field, or chosen in a folder browser's tree.
std::wstring Picked;

void CALLBACK PickPath(HWND, UINT, UINT_PTR Id, DWORD) {
  HWND Chooser = ShownChooser();
  if (!Chooser) return;
  KillTimer(nullptr, Id);
  HWND Name = GetDlgItem(Chooser, edt1);
  if (!Name || !IsWindowVisible(Name)) Name = FirstEdit(Chooser);
  if (Name)
    SendMessageW(Name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Picked.c_str()));
  else
    SendMessageW(Chooser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(Picked.c_str()));
  PressOkIn(Chooser);
}

class ChoosersWithoutPresetWin32Test : public ::testing::Test {
 protected:
  void SetUp() override { Old = SetDialogs(nullptr); }
  void TearDown() override { SetDialogs(Old); }
  TDialogService* Old = nullptr;
};

TEST_F(ChoosersWithoutPresetWin32Test, FolderBrowserReturnsThePathChosenInItsTree) {
  Picked = L"C:\\windows";
  SetTimer(nullptr, 0, 300, PickPath);
  std::string Folder;
  int Image = -2;
  EXPECT_TRUE(Dialogs().BrowseForFolder("フォルダの選択", BIF_RETURNONLYFSDIRS, Folder, Image));
  EXPECT_STRCASEEQ(Folder.c_str(), "C:\\windows");
  EXPECT_NE(Image, -2);  // the browser reported the folder's icon
}

TEST_F(ChoosersWithoutPresetWin32Test, FileToOpenIsThePathTypedIntoTheNameField) {
  Picked = L"C:\\windows\\notepad.exe";
  SetTimer(nullptr, 0, 300, PickPath);
  TOpenDialog Dialog;
  Dialog.Filter = "プログラム|*.exe|すべて|*.*";
  EXPECT_TRUE(Dialog.Execute());
  EXPECT_STRCASEEQ(Dialog.FileName.c_str(), "C:\\windows\\notepad.exe");
}

// When not negative, typed into the colour chooser's red field (COLOR_RED) before OK.
int TypedRed = -1;

void CALLBACK TypeRedAndPressOk(HWND, UINT, UINT_PTR Id, DWORD) {
  HWND Chooser = ShownChooser();
  if (!Chooser) return;
  KillTimer(nullptr, Id);
  if (TypedRed >= 0) SetDlgItemInt(Chooser, 706, TypedRed, FALSE);
  PressOkIn(Chooser);
}

// Changed in red only, the colour keeps the green and blue it opened with.
TEST_F(ChoosersWithoutPresetWin32Test, ASystemColourOpensAsItsColourAndUnchangedStaysItself) {
  const COLORREF Face = GetSysColor(COLOR_BTNFACE);
  for (int Red : {-1, (GetRValue(Face) + 1) % 256}) {
    TypedRed = Red;
    SetTimer(nullptr, 0, 300, TypeRedAndPressOk);
    TColorDialog Dialog;
    Dialog.Color = clBtnFace;
    ASSERT_TRUE(Dialog.Execute());
    EXPECT_EQ(Dialog.Color,
              Red < 0 ? clBtnFace : TColor(RGB(Red, GetGValue(Face), GetBValue(Face))));
  }
}

// In CP932 such a name would be a '?' path: a dead launcher, or one naming another file.
TEST_F(ChoosersWithoutPresetWin32Test, ANameWithoutACp932FormIsRefusedAsOnTheCommandLine) {
  TTempFolder Temp;
  const std::wstring Folder = ToWide(Temp.Path()) + L"\\\xD55C", File = Folder + L"\\a.exe";
  ASSERT_TRUE(CreateDirectoryW(Folder.c_str(), nullptr));
  CloseHandle(CreateFileW(File.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
  std::string Shown, Chosen;
  int Image = -1;
  for (const std::wstring& Path : {File, Folder}) {
    Picked = Path;
    SetTimer(nullptr, 0, 300, PickPath);
    FromWideExact(Path, Shown);
    try {
      if (Path == File) TOpenDialog().Execute();
      if (Path == Folder) Dialogs().BrowseForFolder("", BIF_RETURNONLYFSDIRS, Chosen, Image);
      ADD_FAILURE() << "no refusal of " << Shown;
    } catch (const Exception& E) {
      EXPECT_EQ(E.Message(), UnusablePathsText({Shown}));
    }
  }
}

// Enter in the box, where its keys are: on the button that has the focus.
void CALLBACK PressEnter(HWND, UINT, UINT_PTR Id, DWORD) {
  HWND Box = ShownChooser();
  if (!Box) return;
  KillTimer(nullptr, Id);
  HWND Focus = GetFocus();
  PostMessageW(Focus ? Focus : Box, WM_KEYDOWN, VK_RETURN, 1);
}

TEST_F(ChoosersWithoutPresetWin32Test, EnterInAMessageBoxPressesItsDefaultButton) {
  for (auto [Default, Pressed] : {std::pair{0u, mrYes}, std::pair{unsigned(mbNo), mrNo}}) {
    SetTimer(nullptr, 0, 300, PressEnter);
    EXPECT_EQ(MessageDlg("削除しますか？", TMsgDlgType::Confirmation, mbYes | mbNo, Default),
              Pressed);
  }
}

// The question with a check box, as the user finds it: what its check box says and how it
// was shown, and then what the user does with it.
struct TCheckQuestion {
  std::string Text;           // the check box's label
  bool Shown = false;         // shown ticked
  bool UntickedSeen = false;  // the click took the tick away
  bool ClickCheck = false;    // the user clicks the check box and Yes, else presses Enter
  int Step = 0;
} Question;

HWND CheckBoxOf(HWND Box) {
  HWND Found = nullptr;
  EnumChildWindows(
      Box,
      [](HWND Child, LPARAM Out) {
        wchar_t Class[16] = L"";
        GetClassNameW(Child, Class, 16);
        const LONG Kind = GetWindowLongW(Child, GWL_STYLE) & BS_TYPEMASK;
        if (lstrcmpiW(Class, L"Button") != 0 || !IsWindowVisible(Child) ||
            (Kind != BS_AUTOCHECKBOX && Kind != BS_CHECKBOX))
          return TRUE;
        *reinterpret_cast<HWND*>(Out) = Child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&Found));
  return Found;
}

void CALLBACK AnswerCheckQuestion(HWND, UINT, UINT_PTR Id, DWORD) {
  HWND Box = ShownChooser();
  HWND Check = Box ? CheckBoxOf(Box) : nullptr;
  if (!Check) return;
  if (Question.Step++ == 0) {
    wchar_t Label[128] = L"";
    GetWindowTextW(Check, Label, 128);
    Question.Text = FromWide(Label);
    Question.Shown = SendMessageW(Check, BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (Question.ClickCheck) {
      RECT Area;
      GetClientRect(Check, &Area);
      Click(Check, 6, Area.bottom / 2);
    } else {
      KillTimer(nullptr, Id);
      HWND Focus = GetFocus();
      PostMessageW(Focus ? Focus : Box, WM_KEYDOWN, VK_RETURN, 1);
    }
    return;
  }
  KillTimer(nullptr, Id);
  Question.UntickedSeen = SendMessageW(Check, BM_GETCHECK, 0, 0) == BST_UNCHECKED;
  HWND Yes = GetDlgItem(Box, IDYES);
  RECT Area;
  GetClientRect(Yes, &Area);
  Click(Yes, Area.right / 2, Area.bottom / 2);
}

// A task dialog: the check box shows ticked, Enter keeps to No, and a click on the check box
// takes the tick away, which Yes hands back.
TEST_F(ChoosersWithoutPresetWin32Test, AQuestionWithACheckBoxShowsItAndHandsBackItsState) {
  const std::string Label = "このプログラムを今後自動追加しない(&W)";
  for (bool ClickCheck : {false, true}) {
    SCOPED_TRACE(ClickCheck ? "clicked" : "Enter");
    Question = TCheckQuestion();
    Question.ClickCheck = ClickCheck;
    SetTimer(nullptr, 0, 300, AnswerCheckQuestion);
    bool Checked = true;
    EXPECT_EQ(MessageDlgCheck("「A」を完全に削除しますか？", TMsgDlgType::Confirmation,
                              mbYes | mbNo, mbNo, Label, Checked),
              ClickCheck ? mrYes : mrNo);
    EXPECT_EQ(Question.Text, Label);
    EXPECT_TRUE(Question.Shown);
    EXPECT_EQ(Question.UntickedSeen, ClickCheck);
    EXPECT_EQ(Checked, !ClickCheck);
  }
}

}  // namespace
}  // namespace lantern
