// The main window's dialogs and boxes under Wine, reached by real keys and menus: whom they
// belong to, and what of a hidden main window can take the keys.
#include <gtest/gtest.h>

#include "support/MainFixture.h"
// After the doubles: windows.h's AddAtom macro would rename theirs.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "support/win32/ModalRun.h"
#include "ui/Widgets.h"

namespace lantern {
namespace {

// The system's double, but its windows come to the front for real.
class TRealForeground : public TFakeSystem {
 public:
  void ForceForeground(void* W) override { PlatformSystem().ForceForeground(W); }
  void SetForegroundWindow(void* W) override { PlatformSystem().SetForegroundWindow(W); }
  void* ForegroundWindow() override { return PlatformSystem().ForegroundWindow(); }
  void* ApplicationWindow() override { return PlatformSystem().ApplicationWindow(); }
};

// The user's part while a menu or a dialog runs: one step a tick, until a step is the last.
std::function<bool()> Step;
void CALLBACK Tick(HWND, UINT, UINT_PTR Id, DWORD) {
  if (Step()) KillTimer(nullptr, Id);
}

void Press(BYTE Key) {
  keybd_event(Key, 0, 0, 0);
  keybd_event(Key, 0, KEYEVENTF_KEYUP, 0);
}

class ModalWin32Test : public MainFixture {
 protected:
  void SetUp() override {
    MainFixture::SetUp();
    Real.Program = "C:\\Lantern.exe";  // where the dialogs keep Color.dat
    SetSystem(&Real);
    Memory.WriteDWord(Key, "UseWatchApp", 0);
    SetWidgets(PlatformWidgets());
    M = &Start();
    TLauncher* One = M->Root()->Add(std::make_unique<TLauncherFolder>(M->Root()));
    One->SetName("&one");
    One->SetFileName("C:\\");
    M->LanternProperty.Execute();
    M->ListView1.Items()[1]->SetSelected(true);
    Run(nullptr);
  }
  void TearDown() override {
    MainFixture::TearDown();
    SetWidgets(nullptr);
  }
  // Handles the messages as the program's loop does, with the steps, until they are done.
  void Run(std::function<bool()> Steps) {
    bool Done = !Steps, Stuck = false;
    int Ticks = 0;
    Step = [&] {
      // A fault must not hang the run: Esc for whatever is open, after 9 s.
      if (++Ticks > 30) return Press(VK_ESCAPE), Stuck = Done = true;
      return Done = Steps();
    };
    if (Steps) SetTimer(nullptr, 0, 300, Tick);
    for (int i = 0; i < 100 && !Done; ++i, Sleep(30)) Widgets()->ProcessMessages();
    Widgets()->ProcessMessages();
    EXPECT_TRUE(Done && !Stuck);
  }
  HWND MainWindow() { return static_cast<HWND>(M->Handle()); }
  TRealForeground Real;
  TLanternMain* M = nullptr;
};

TEST_F(ModalWin32Test, ACommandsDialogOrBoxBelongsToTheShownMainWindowWhichTakesNoInput) {
  TDialogService* Fake = SetDialogs(nullptr);  // real boxes
  Shell.ExecuteResult = 2;                     // a launch fails, which a box says
  for (bool FromMenu : {false, true}) {
    SCOPED_TRACE(FromMenu ? "a launch from the icon's menu" : "Alt+Enter in the list");
    M->ListView1.SetFocus();
    if (FromMenu)
      PostMessageW(static_cast<HWND>(TTaskTray::GetNotifyWindow()->Handle()), WM_TRAYNOTIFY,
                   M->Tray()->IconID(), WmLButtonDown);
    else
      PostMessageW(static_cast<HWND>(M->ListView1.Handle()), WM_SYSKEYDOWN, VK_RETURN, 1 << 29);
    HWND Owner = nullptr;
    BOOL Enabled = TRUE;
    Run([&] {
      HWND Front = GetForegroundWindow();
      if (Front == MainWindow() || !IsWindowVisible(Front)) {  // not yet, or the menu: &one
        if (FromMenu) Press('O');
        return false;
      }
      Owner = GetWindow(Front, GW_OWNER);
      Enabled = IsWindowEnabled(MainWindow());
      M->NativeHotKey(0);  // which raises the main window: the dialog keeps the keys
      EXPECT_EQ(GetForegroundWindow(), Front);
      Press(VK_ESCAPE);
      return true;
    });
    EXPECT_EQ(Owner, MainWindow());
    EXPECT_FALSE(Enabled);
    EXPECT_TRUE(IsWindowEnabled(MainWindow()));
  }
  SetDialogs(Fake);
}

// Whether the hidden window was made active, which gives it the keys.
HWND Hidden = nullptr;
bool HiddenActivated = false;
LRESULT CALLBACK Watch(int Code, WPARAM WParam, LPARAM LParam) {
  auto& Msg = *reinterpret_cast<CWPSTRUCT*>(LParam);
  if (Msg.hwnd == Hidden && Msg.message == WM_ACTIVATE && LOWORD(Msg.wParam) != WA_INACTIVE)
    HiddenActivated = true;
  return CallNextHookEx(nullptr, Code, WParam, LParam);
}

TEST_F(ModalWin32Test, AHiddenMainWindowTakesNoKeysAndTheVersionWindowStandsAlone) {
  M->ListView1.SetFocus();
  Press(VK_ESCAPE);
  Run(nullptr);
  ASSERT_FALSE(M->Visible());
  EXPECT_FALSE(M->ListView1.Focused());
  PostMessageW(static_cast<HWND>(M->ListView1.Handle()), WM_KEYDOWN, VK_F2, 1);
  Run(nullptr);
  EXPECT_FALSE(M->ListView1.Editing() || M->TreeView1.Editing());

  // The program's menu, as the chasing window opens it; バージョン情報.
  Hidden = MainWindow();
  HHOOK Hook = SetWindowsHookExW(WH_CALLWNDPROC, Watch, nullptr, GetCurrentThreadId());
  PostMessageW(MainWindow(), WM_HOTKEY, 1, 0);
  HWND Owner = MainWindow();
  Run([&] {
    if (!M->AboutForm()) return Press('A'), false;
    Owner = GetWindow(static_cast<HWND>(M->AboutForm()->Handle()), GW_OWNER);
    Press(VK_RETURN);
    return true;
  });
  UnhookWindowsHookEx(Hook);
  EXPECT_EQ(Owner, nullptr);
  EXPECT_FALSE(HiddenActivated);
}

// The text of the thread's message box on show, and the box; none when no box is shown.
HWND ShownBox(std::string& Text) {
  HWND Box = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND Window, LPARAM Found) -> BOOL {
        wchar_t Class[16];
        GetClassNameW(Window, Class, 16);
        if (lstrcmpW(Class, L"#32770") != 0 || !IsWindowVisible(Window)) return TRUE;
        *reinterpret_cast<HWND*>(Found) = Window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&Box));
  Text.clear();
  for (HWND Child = Box ? GetWindow(Box, GW_CHILD) : nullptr; Child;
       Child = GetWindow(Child, GW_HWNDNEXT))
    Text += WindowText(Child) + "|";
  return Box;
}

// The real question of the sweep: Enter keeps everything; after Yes the dead launcher is in
// the trash.
TEST_F(ModalWin32Test, TheSweepsQuestionKeepsEverythingOnEnterAndYesMovesTheDeadToTheTrash) {
  TDialogService* Fake = SetDialogs(nullptr);  // real boxes
  TRoot* R = M->Root();
  TLauncher* Gone = R->Add(std::make_unique<TLauncherExec>(R));
  Gone->SetName("gone");
  Gone->SetFileName("C:\\gone.exe");
  for (bool Yes : {false, true}) {
    SCOPED_TRACE(Yes ? "Yes" : "Enter");
    std::vector<std::string> Texts;
    HWND Last = nullptr;
    int Ticks = 0;
    Step = [&] {
      std::string Text;
      HWND Box = ShownBox(Text);
      if (Box && ++Ticks > 30) {  // a fault must not hang the run
        PostMessageW(Box, WM_COMMAND, IDNO, 0);
        PostMessageW(Box, WM_COMMAND, IDOK, 0);
      }
      if (!Box || Box == Last) return false;
      Last = Box;
      Texts.push_back(Text);
      if (Texts.size() == 1 && !Yes) {
        HWND Focus = GetFocus();
        PostMessageW(Focus ? Focus : Box, WM_KEYDOWN, VK_RETURN, 1);
      } else {
        PostMessageW(Box, WM_COMMAND, Texts.size() == 1 ? IDYES : IDOK, 0);
      }
      return false;
    };
    const UINT_PTR Timer = SetTimer(nullptr, 0, 300, Tick);
    M->CheckNoLinkAction.Execute();
    KillTimer(nullptr, Timer);
    ASSERT_EQ(Texts.size(), Yes ? 2u : 1u);
    EXPECT_NE(Texts[0].find("リンク先のないランチャが 1 個あります。"), std::string::npos);
    EXPECT_NE(Texts[0].find("・gone"), std::string::npos);
    EXPECT_EQ(Gone->Parent(), Yes ? static_cast<TExecItem*>(R->RecycledFolder()) : R);
    if (Yes) EXPECT_NE(Texts[1].find("1 個のランチャをゴミ入れに移動しました"), std::string::npos);
  }
  SetDialogs(Fake);
}

}  // namespace
}  // namespace lantern
