// The launcher and group property dialogs as native windows under Wine: their windows mirror
// the controls on each page, the focus, the keys and the tabs of the shown dialog, and the
// colour swatches as they are painted.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/GroupProperty.h"
#include "dialogs/LauncherProperty.h"
#include "support/FakeSystem.h"
#include "support/TempFolder.h"
#include "support/TreeFixture.h"
#include "support/win32/ModalRun.h"
#include "support/win32/NativeMatchesToolkit.h"
#include "ui/FileSystem.h"
#include "ui/Widgets.h"
#include "ui/win32/WideText.h"

namespace lantern {
namespace {

// The colour of the pixel at X, Y of the window's client area, freshly painted.
COLORREF PixelAt(HWND Window, int X, int Y) {
  RedrawWindow(Window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  HDC Dc = GetDC(Window);
  COLORREF Color = GetPixel(Dc, X, Y);
  ReleaseDC(Window, Dc);
  return Color;
}

COLORREF CentreOf(TWinControl& Control) {
  RECT Client;
  GetClientRect(Of(Control), &Client);
  return PixelAt(Of(Control), Client.right / 2, Client.bottom / 2);
}

// Whether some pixel of the window's client area in rows [Top, Bottom) has Color.
bool RowsShow(HWND Window, int Top, int Bottom, COLORREF Color) {
  RedrawWindow(Window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  RECT Client;
  GetClientRect(Window, &Client);
  HDC Dc = GetDC(Window);
  bool Found = false;
  for (int y = Top; y < Bottom && y < Client.bottom && !Found; ++y)
    for (int x = 0; x < Client.right && !Found; ++x) Found = GetPixel(Dc, x, y) == Color;
  ReleaseDC(Window, Dc);
  return Found;
}

enum TKind : unsigned { Exec = 1, Folder = 2, URL = 4 };

class PropertyDialogsWin32Test : public TreeFixture {
 protected:
  void SetUp() override {
    TreeFixture::SetUp();
    // Color.dat goes beside the program: into the temporary folder.
    Sys.Program = Disk / "Lantern.exe";
    OldSystem = SetSystem(&Sys);
    OldDialogs = SetDialogs(&Boxes);
    OldFiles = SetFileSystem(&PlatformFileSystem());
    SetWidgets(PlatformWidgets());
  }
  void TearDown() override {
    SetWidgets(nullptr);
    SetFileSystem(OldFiles);
    SetDialogs(OldDialogs);
    SetSystem(OldSystem);
    TreeFixture::TearDown();
  }
  template <typename T>
  T* AddItem(const std::string& Name, const std::string& FileName) {
    T* Item = Root->Add(std::make_unique<T>(Root.get()));
    Item->SetName(Name);
    Item->SetFileName(FileName);
    return Item;
  }
  // Own colours: the swatches and their labels are enabled.
  static void GiveColors(TExecItem* Item) {
    Item->SetOwnColors(true);
    Item->SetColors({0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF});
  }
  TLauncher* AddLauncherOf(TKind Kind) {
    TLauncher* Item = Kind == Exec ? AddItem<TLauncherExec>("メモ", "C:\\windows\\notepad.exe")
                      : Kind == Folder
                          ? static_cast<TLauncher*>(AddItem<TLauncherFolder>("窓", "C:\\windows"))
                          : AddItem<TLauncherURL>("例", "http://example.com/");
    GiveColors(Item);
    return Item;
  }

  TTempFolder Disk;
  TFakeSystem Sys;
  TFakeDialogs Boxes;
  TSystem* OldSystem = nullptr;
  TDialogService* OldDialogs = nullptr;
  TFileSystem* OldFiles = nullptr;
};

// Every kind of launcher and a group, on each page and after a change: the windows show what
// the controls hold.
TEST_F(PropertyDialogsWin32Test, NativeWindowsMirrorTheControlsOnEachPage) {
  TLauncherPropertyForm ForProgram, ForFolder, ForUrl;
  ForProgram.LoadItem(AddLauncherOf(Exec));
  ForFolder.LoadItem(AddLauncherOf(Folder));
  ForUrl.LoadItem(AddLauncherOf(URL));
  TGroupPropertyForm Group;
  TFolder* Tools = AddFolder(Root.get(), "道具");
  GiveColors(Tools);
  Group.LoadItem(Tools);
  struct TCase {
    const char* Name;
    TForm& Form;
    TPageControl& Pages;
    TCheckBox& Common;
  } Cases[] = {{"program", ForProgram, ForProgram.PageControl1, ForProgram.Colors.CommonColorCheck},
               {"folder", ForFolder, ForFolder.PageControl1, ForFolder.Colors.CommonColorCheck},
               {"URL", ForUrl, ForUrl.PageControl1, ForUrl.Colors.CommonColorCheck},
               {"group", Group, Group.PageControl1, Group.Colors.CommonColorCheck}};
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    Case.Form.CreateHandle();
    Case.Form.Show();
    for (int Page = 0; Page < Case.Pages.PageCount(); ++Page) {
      SCOPED_TRACE(Case.Pages.Pages(Page)->Caption());
      Case.Pages.SetActivePageIndex(Page);
      ExpectNativeMatchesToolkit(Case.Form);
    }
    // What changes while the windows exist: the box disables the colours.
    Case.Common.NativeClick();
    ExpectNativeMatchesToolkit(Case.Form);
    Case.Form.Hide();
  }
}

TEST_F(PropertyDialogsWin32Test, GroupDialogFollowsTheMonitorsDpiAndBack) {
  TGroupPropertyForm Group;
  Group.LoadItem(AddFolder(Root.get(), "道具"));
  Group.CreateHandle();
  Group.Show();
  ExpectFollowsDpi(Group, &Group.PageControl1);
}

TEST_F(PropertyDialogsWin32Test, ModalDialogsOpenWithTheFocusInTheName) {
  TLauncherPropertyForm Launcher;
  Launcher.LoadItem(AddLauncherOf(Exec));
  TGroupPropertyForm Group;
  Group.LoadItem(AddFolder(Root.get(), "道具"));
  struct TCase {
    const char* Name;
    TForm& Form;
    TEdit& NameEdit;
  } Cases[] = {{"launcher", Launcher, Launcher.NameEdit}, {"group", Group, Group.NameEdit}};
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    HWND Focus = nullptr;
    EXPECT_EQ(RunModal(Case.Form,
                       [&] {
                         Focus = GetFocus();
                         PostMessageW(ModalDialog, WM_CLOSE, 0, 0);
                         return true;
                       }),
              mrCancel);
    EXPECT_EQ(Focus, Of(Case.NameEdit));
  }
}

TEST_F(PropertyDialogsWin32Test, TypingGoesToTheNameAndEnterOrEscCloses) {
  struct TCase {
    const char* Name;
    bool Group;
    UINT Key;
    TModalResult Expected;
  } Cases[] = {{"launcher, Enter", false, VK_RETURN, mrOk},
               {"launcher, Esc", false, VK_ESCAPE, mrCancel},
               {"group, Enter", true, VK_RETURN, mrOk},
               {"group, Esc", true, VK_ESCAPE, mrCancel}};
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    // A nameless item: what is typed is all the name holds, wherever the caret stood.
    auto Launcher = std::make_unique<TLauncherPropertyForm>();
    auto Group = std::make_unique<TGroupPropertyForm>();
    Launcher->LoadItem(AddItem<TLauncherExec>("", ""));
    Group->LoadItem(AddFolder(Root.get(), ""));
    TForm& Form = Case.Group ? static_cast<TForm&>(*Group) : *Launcher;
    TEdit& Name = Case.Group ? Group->NameEdit : Launcher->NameEdit;
    ASSERT_EQ(Name.Text(), "");
    HWND Typed = nullptr;
    std::string Shown;
    int Step = 0;
    TModalResult Result = RunModal(Form, [&] {
      if (Step++ == 0) {
        Typed = GetFocus();
        for (wchar_t Char : ToWide("表a")) PostMessageW(Typed, WM_CHAR, Char, 1);
        return false;
      }
      Shown = WindowText(Of(Name));
      PostKey(GetFocus(), Case.Key);
      return true;
    });
    EXPECT_EQ(Result, Case.Expected);
    EXPECT_EQ(Typed, Of(Name));
    EXPECT_EQ(Shown, "表a");
    EXPECT_EQ(Name.Text(), "表a");
  }
}

// The tabs are a stop of their own, after the buttons and before the page: from them the arrow
// keys turn the pages. (The system's own walk would only step into the tab control.)
TEST_F(PropertyDialogsWin32Test, TabWalksTheFirstPageThenTheButtonsAndTheTabs) {
  TLauncherPropertyForm F;
  F.LoadItem(AddLauncherOf(Exec));
  const std::vector<std::pair<const char*, TWinControl*>> Names = {
      {"NameEdit", &F.NameEdit},
      {"FilenameEdit", &F.FilenameEdit},
      {"RefButton", &F.RefButton},
      {"OptionEdit", &F.OptionEdit},
      {"ExecFolderEdit", &F.ExecFolderEdit},
      {"ExecFolderRefButton", &F.ExecFolderRefButton},
      {"FixPositionCheck", &F.FixPositionCheck},
      {"Button1", &F.Button1},
      {"Button2", &F.Button2},
      {"Button3", &F.Button3},
      {"PageControl1", &F.PageControl1}};
  auto NameOf = [&](HWND Window) -> std::string {
    for (const auto& Entry : Names)
      if (Of(*Entry.second) == Window) return Entry.first;
    wchar_t Class[64] = L"";
    GetClassNameW(Window, Class, 64);
    return "other " + FromWide(Class) + " \"" + WindowText(Window) + "\"";
  };
  std::vector<std::string> Expected;
  for (const auto& Entry : Names) Expected.push_back(Entry.first);
  Expected.push_back("NameEdit");  // and round again

  std::vector<std::string> Tabbed;
  EXPECT_EQ(RunModal(
                F,
                [&] {
                  HWND Focus = GetFocus();
                  Tabbed.push_back(NameOf(Focus));
                  if (Tabbed.size() == Expected.size()) {
                    PostMessageW(ModalDialog, WM_CLOSE, 0, 0);
                    return true;
                  }
                  PostKey(Focus, VK_TAB);
                  return false;
                },
                50),
            mrCancel);
  EXPECT_EQ(Tabbed, Expected);
}

// Alt with a letter, as the keyboard sends it (WM_SYSCHAR): a label's letter focuses its
// field, a colour label's opens that colour's chooser, and letters of the hidden page do
// nothing.
TEST_F(PropertyDialogsWin32Test, AltLettersReachTheFieldsAndTheColourChoosers) {
  TLauncherPropertyForm F;
  F.LoadItem(AddLauncherOf(Exec));
  auto Alt = [](char Letter) {
    PostMessageW(GetFocus(), WM_SYSCHAR, static_cast<WPARAM>(Letter), 1 << 29);
  };
  std::vector<std::string> Seen;
  Boxes.ColorAnswers = {0x808000};
  int Step = 0;
  EXPECT_EQ(RunModal(F,
                     [&] {
                       switch (Step++) {
                         case 0: Alt('o'); return false;  // 起動オプション(&O)
                         case 1:
                           Seen.push_back(GetFocus() == Of(F.OptionEdit) ? "option" : "?");
                           Alt('B');  // 背景色(&B) is on the hidden page
                           return false;
                         case 2:
                           Seen.push_back(Boxes.ColorPresets.empty() ? "none" : "chooser");
                           F.PageControl1.NativeSelect(1);
                           Alt('B');
                           return false;
                         default:
                           Seen.push_back(Boxes.ColorPresets.size() == 1 ? "chooser" : "none");
                           PostMessageW(ModalDialog, WM_CLOSE, 0, 0);
                           return true;
                       }
                     }),
            mrCancel);
  EXPECT_EQ(Seen, (std::vector<std::string>{"option", "none", "chooser"}));
  EXPECT_EQ(F.Colors.BackColorPanel.Color(), 0x808000);
}

TEST_F(PropertyDialogsWin32Test, AClickOnTheSecondTabShowsItsPageInsteadOfTheFirst) {
  TLauncherPropertyForm F;
  F.LoadItem(AddLauncherOf(Exec));
  F.CreateHandle();
  F.Show();
  HWND Tabs = Of(F.PageControl1);
  RECT Tab;
  ASSERT_TRUE(SendMessageW(Tabs, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&Tab)));
  Click(Tabs, (Tab.left + Tab.right) / 2, (Tab.top + Tab.bottom) / 2);
  EXPECT_EQ(F.PageControl1.ActivePage(), &F.TabSheet2);
  ExpectNativeMatchesToolkit(F);  // the second page's windows show, the first's do not
}

TEST_F(PropertyDialogsWin32Test, SwatchesAndPreviewShowTheLaunchersColours) {
  TLauncherPropertyForm F;
  F.LoadItem(AddLauncherOf(Exec));
  F.CreateHandle();
  F.Show();
  F.PageControl1.SetActivePage(&F.TabSheet2);
  TColorSetEditor& C = F.Colors;
  // COLORREF and the stored colours both read 0x00BBGGRR.
  EXPECT_EQ(CentreOf(C.BackColorPanel), RGB(255, 0, 0));
  EXPECT_EQ(CentreOf(C.FontColorPanel), RGB(0, 255, 0));
  EXPECT_EQ(CentreOf(C.SelectedBackColorPanel), RGB(0, 0, 255));
  EXPECT_EQ(CentreOf(C.SelectedFontColorPanel), RGB(255, 255, 0));
  // The first sample row starts 10 pixels down and is at least 19 high.
  HWND Preview = Of(C.Image1);
  EXPECT_TRUE(RowsShow(Preview, 10, 29, RGB(255, 0, 0)));
  EXPECT_FALSE(RowsShow(Preview, 0, 10, RGB(255, 0, 0)));
  EXPECT_TRUE(RowsShow(Preview, 29, 105, RGB(0, 0, 255)));  // the selected row below it
  RECT Client;
  GetClientRect(Preview, &Client);
  EXPECT_EQ(PixelAt(Preview, Client.right - 1, Client.bottom - 1), GetSysColor(COLOR_BACKGROUND));
}

TEST_F(PropertyDialogsWin32Test, AClickOnAColourLabelAsksForThatColourAndShowsTheAnswer) {
  struct TCase {
    const char* Name;
    TLabel TColorSetEditor::*Label;
    TPaintPanel TColorSetEditor::*Swatch;
    TColor Preset;
  } Cases[] = {
      {"back", &TColorSetEditor::BackColorLabel, &TColorSetEditor::BackColorPanel, 0x0000FF},
      {"font", &TColorSetEditor::FontColorLabel, &TColorSetEditor::FontColorPanel, 0x00FF00},
      {"selected back", &TColorSetEditor::SelectedBackColorLabel,
       &TColorSetEditor::SelectedBackColorPanel, 0xFF0000},
      {"selected font", &TColorSetEditor::SelectedFontColorLabel,
       &TColorSetEditor::SelectedFontColorPanel, 0x00FFFF}};
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    TLauncherPropertyForm F;
    F.LoadItem(AddLauncherOf(Exec));
    F.CreateHandle();
    F.Show();
    F.PageControl1.SetActivePage(&F.TabSheet2);
    Boxes.ColorPresets.clear();
    Boxes.ColorAnswers = {0x808000};
    Click(Of(F.Colors.*Case.Label), 3, 3);
    EXPECT_EQ(Boxes.ColorPresets, std::vector<TColor>{Case.Preset});
    EXPECT_EQ((F.Colors.*Case.Swatch).Color(), 0x808000);
    EXPECT_EQ(CentreOf(F.Colors.*Case.Swatch), RGB(0, 128, 128));
  }
}

}  // namespace
}  // namespace lantern
