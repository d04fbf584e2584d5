// The hot key, the chasing window and the waving gesture on their own, windowless: ticks over a
// scripted cursor, WM_HOTKEY as the system delivers it, and the system's hot key registry;
// then what the main window does with them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "main/Main.h"
#include "main/Pointer.h"
#include "main/Settings.h"
#include "shell/TaskTray.h"
#include "support/FakeSystem.h"
#include "support/MainFixture.h"
#include "ui/Canvas.h"
#include "ui/Messages.h"

namespace lantern {
namespace {

struct TAt {
  int X, Y;
};

// A hidden window with the icon's two menus, as the program has them.
class PointerTest : public ::testing::Test {
 public:
  void SetUp() override {
    OldSystem = SetSystem(&Sys);
    Tray.SetPopupMenuL(&Launcher);
    Tray.SetPopupMenuR(&Program);
    Program.Items().Add(std::make_unique<TMenuItem>("main window"));
  }
  void TearDown() override {
    Pointer.reset();
    SetSystem(OldSystem);
  }
  TPointer& Start() {
    Pointer = std::make_unique<TPointer>(Window, Tray, Launcher, Settings);
    return *Pointer;
  }
  // With one launcher in its menu.
  TPointer& StartWithLauncher() {
    Launcher.Items().Add(std::make_unique<TMenuItem>("one"));
    return Start();
  }
  void Tick(TAt At) {
    Sys.CursorX = At.X;
    Sys.CursorY = At.Y;
    Pointer->Track();
  }
  void Ticks(int Count, TAt At) {
    for (int i = 0; i < Count; ++i) Tick(At);
  }
  bool ChasingShown() {
    TMouseForm* Form = Pointer->MouseForm();
    return Form && Form->Visible() && Form->Width() > 0;
  }

  TFakeSystem Sys;
  TSystem* OldSystem = nullptr;
  TForm Window;
  TTaskTray Tray{&Window};
  TPopupMenu Launcher, Program;
  TSettings Settings;
  std::unique_ptr<TPointer> Pointer;
};

// ---- The waving gesture ----

struct TWave {
  const char* Name;
  int MovingCount;
  bool LeftFast;
  bool Settle;  // twelve ticks at (500, 300) first, past the first two seconds
  std::vector<TAt> Trace;
  int Opened;  // launcher menus opened
};

class WaveTest : public PointerTest, public ::testing::WithParamInterface<TWave> {};

TEST_P(WaveTest, TheGestureOpensTheLauncherMenu) {
  const TWave& W = GetParam();
  Settings.MouseFormEnabled = false;
  Settings.UchidenoKoduti = true;
  Settings.UchideMovingCount = W.MovingCount;
  Settings.UchideLeftFast = W.LeftFast;
  TPointer& M = StartWithLauncher();
  if (W.Settle) Ticks(12, {500, 300});
  for (TAt At : W.Trace) Tick(At);
  EXPECT_EQ(Launcher.Popups, W.Opened);
  EXPECT_EQ(Program.Popups, 0);
  EXPECT_FALSE(M.MenuShowing());
  if (W.Opened) {
    // At the cursor, where the second stroke ended.
    EXPECT_EQ(Launcher.PopupX, W.Trace.back().X);
    EXPECT_EQ(Launcher.PopupY, W.Trace.back().Y);
  }
}

// Samples every second tick (UchideMovingCount 1) fall on the even ticks; the range is 100.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Traces, WaveTest,
    ::testing::Values(
        TWave{"LeftThenRightOpens", 1, true, true,
              {{425, 300}, {350, 300}, {425, 300}, {500, 300}}, 1},
        TWave{"RightThenLeftDoesNot", 1, true, true,
              {{575, 300}, {650, 300}, {575, 300}, {500, 300}}, 0},
        TWave{"RightFirstOpensRightThenLeftWithoutVerticalLimit", 1, false, true,
              {{575, 300}, {650, 300}, {575, 400}, {500, 500}}, 1},
        TWave{"RightFirstIgnoresLeftThenRight", 1, false, true,
              {{425, 300}, {350, 300}, {425, 300}, {500, 300}}, 0},
        TWave{"ThirtyPixelsVerticallyInTheLastTickStopsIt", 1, true, true,
              {{425, 300}, {350, 300}, {425, 300}, {500, 330}}, 0},
        TWave{"TwentyNinePixelsAreLittleEnough", 1, true, true,
              {{425, 300}, {350, 300}, {425, 300}, {500, 271}}, 1},
        TWave{"DriftBeforeTheLastTickDoesNotCount", 1, true, true,
              {{425, 300}, {350, 300}, {425, 400}, {500, 420}}, 1},
        TWave{"AStrokeOfExactlyTheRangeIsTooShort", 1, true, true,
              {{450, 300}, {400, 300}, {450, 300}, {500, 300}}, 0},
        TWave{"AStrokeSpreadOverTwoSamplesIsTooShort", 1, true, true,
              {{462, 300}, {425, 300}, {387, 300}, {350, 300}, {425, 300}, {500, 300}}, 0},
        TWave{"EveryThirdTickWithMovingCountTwo", 2, true, true,
              {{425, 300}, {350, 300}, {400, 300}, {450, 300}, {500, 300}}, 1},
        TWave{"TheFirstTwoSecondsNeverOpen", 1, true, false,
              {{500, 300}, {500, 300}, {425, 300}, {350, 300}, {425, 300}, {500, 300}}, 0}),
    [](const ::testing::TestParamInfo<TWave>& Info) { return std::string(Info.param.Name); });
// clang-format on

// Shift held during the wave brings the program's menu; the hot key, whose own combination
// may hold Shift, is left as it is.
TEST_F(PointerTest, ShiftTurnsTheGestureButNotTheHotKeyToTheProgramsMenu) {
  Settings.MouseFormEnabled = false;
  Settings.UchidenoKoduti = true;
  Settings.UchideMovingCount = 1;
  TPointer& M = StartWithLauncher();
  const struct {
    bool Wave, Shift;
    int Launcher, Program;  // menus opened
  } Cases[] = {{true, false, 1, 0}, {true, true, 0, 1}, {false, true, 1, 0}, {false, false, 1, 0}};
  for (const auto& C : Cases) {
    Launcher.Popups = Program.Popups = 0;
    Ticks(12, {500, 300});
    Sys.Shift = C.Shift;
    if (C.Wave) {
      for (TAt At : std::vector<TAt>{{425, 300}, {350, 300}, {425, 300}, {500, 300}}) Tick(At);
    } else {
      M.HotKey(0);
    }
    Sys.Shift = false;
    EXPECT_EQ(Launcher.Popups, C.Launcher) << C.Wave << C.Shift;
    EXPECT_EQ(Program.Popups, C.Program) << C.Wave << C.Shift;
  }
}

// ---- The chasing window ----

struct TAppearance {
  const char* Name;
  bool WithLauncher;
  bool Waving;
  bool MainShown;
  std::vector<TAt> Trace;  // after ten ticks at (100, 100)
  bool Shown;
};

class AppearanceTest : public PointerTest, public ::testing::WithParamInterface<TAppearance> {};

TEST_P(AppearanceTest, TheChasingWindowShowsBesideTheCursor) {
  const TAppearance& A = GetParam();
  Settings.WavingMouse = A.Waving;
  TPointer& M = A.WithLauncher ? StartWithLauncher() : Start();
  if (A.MainShown) Window.Show();
  Ticks(10, {100, 100});
  for (TAt At : A.Trace) Tick(At);
  ASSERT_EQ(ChasingShown(), A.Shown);
  if (A.Shown) {
    EXPECT_EQ(M.MouseForm()->Left(), A.Trace.back().X + 20);
    EXPECT_EQ(M.MouseForm()->Top(), A.Trace.back().Y + 20);
    EXPECT_EQ(M.MouseForm()->Height(), 15);
  }
  EXPECT_EQ(Launcher.Popups, 0);
}

// Samples on the even ticks: -150 by tick 12, +150 by tick 14.
const std::vector<TAt> Wave = {{25, 100}, {-50, 100}, {25, 100}, {100, 100}};

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rules, AppearanceTest,
    ::testing::Values(
        TAppearance{"AfterAMouseMove", true, false, false, {{200, 150}}, true},
        TAppearance{"NotWithAnEmptyMenu", false, false, false, {{200, 150}}, false},
        TAppearance{"NotOverTheShownMainWindow", true, false, true, {{200, 150}}, false},
        TAppearance{"NotWhileTheMouseRests", true, false, false, {{100, 100}}, false},
        TAppearance{"NotInTheFirstTwoSeconds", true, false, false, {}, false},
        TAppearance{"WavingNotForAMove", true, true, false, {{200, 150}}, false},
        TAppearance{"WavingAfterAWaveEvenWithAnEmptyMenu", false, true, false, Wave, true},
        TAppearance{"WavingAfterAWaveOverTheShownWindow", true, true, true, Wave, true}),
    [](const ::testing::TestParamInfo<TAppearance>& Info) { return std::string(Info.param.Name); });
// clang-format on

// Shown on tick 11, it stays put for MouseAppearInterval (10) ticks, jumps to the cursor on
// the first tick after them, and shrinks away on the first tick without a move.
TEST_F(PointerTest, TheChasingWindowStaysItsIntervalThenJumpsOrShrinks) {
  TPointer& M = StartWithLauncher();
  EXPECT_FALSE(ChasingShown());
  Ticks(10, {100, 100});
  Tick({200, 200});
  for (int i = 1; i <= 9; ++i) {
    Tick({200 + i, 200});
    ASSERT_TRUE(ChasingShown());
    ASSERT_EQ(M.MouseForm()->Left(), 220);
  }
  Tick({400, 400});
  EXPECT_EQ(M.MouseForm()->Left(), 420);
  EXPECT_EQ(M.MouseForm()->Top(), 420);
  Ticks(9, {400, 400});
  EXPECT_TRUE(ChasingShown());
  Tick({400, 400});
  EXPECT_FALSE(ChasingShown());
  EXPECT_EQ(M.MouseForm()->Width(), 0);
}

TEST_F(PointerTest, WithBothSwitchedOffThePointerIsNotReadAndAShownWindowGoes) {
  TPointer& M = StartWithLauncher();
  Ticks(10, {100, 100});
  Tick({200, 200});
  ASSERT_TRUE(ChasingShown());
  Settings.MouseFormEnabled = false;
  const int Reads = Sys.CursorReads;
  Ticks(20, {300, 300});
  EXPECT_FALSE(ChasingShown());
  EXPECT_EQ(Sys.CursorReads, Reads);
  // Switched on again, it follows the pointer at once.
  Settings.MouseFormEnabled = true;
  Tick({400, 400});
  EXPECT_TRUE(ChasingShown());
  EXPECT_EQ(M.MouseForm()->Left(), 420);
}

TEST_F(PointerTest, TheChasingWindowIsAnEllipseWithACrossThatClicksThroughTheHotKey) {
  Settings.MouseFormColor = 0x0000FF;
  TPointer& M = StartWithLauncher();
  // None before it first appears; it appears with the settings of then.
  EXPECT_EQ(M.MouseForm(), nullptr);
  Settings.MouseFormWidth = 17;
  M.RecreateMouseForm();
  EXPECT_EQ(M.MouseForm(), nullptr);
  Ticks(10, {100, 100});
  Tick({200, 200});
  TMouseForm* Form = M.MouseForm();
  ASSERT_TRUE(ChasingShown());
  EXPECT_EQ(Form->Width(), 17);
  Form->SetBounds(30, 40, 15, 15);
  EXPECT_TRUE(Form->Elliptic());
  EXPECT_EQ(Form->Color(), 0x0000FF);
  TRecordingCanvas Canvas;
  Form->Paint(Canvas);
  ASSERT_EQ(Canvas.Records.size(), 3u);
  EXPECT_EQ(Canvas.Records[0].Op, TRecordingCanvas::TOp::Fill);
  EXPECT_EQ(Canvas.Records[0].Color, 0x0000FF);
  for (int i : {1, 2}) EXPECT_EQ(Canvas.Records[i].Color, 0x000000);
  // 15 x 15: the middle is 7, the ends 2 and 12.
  const TRect V = Canvas.Records[1].Rect, H = Canvas.Records[2].Rect;
  EXPECT_EQ(std::vector<int>({V.Left, V.Top, V.Right, V.Bottom}), std::vector<int>({7, 2, 7, 12}));
  EXPECT_EQ(std::vector<int>({H.Left, H.Top, H.Right, H.Bottom}), std::vector<int>({2, 7, 12, 7}));

  Settings.MouseFormColor = 0x00FF00;
  M.UpdateMouseFormColor();
  EXPECT_EQ(M.MouseForm()->Color(), 0x00FF00);
  // Only a left click without Shift asks for the launcher menu (id 0).
  const struct {
    TMouseButton Button;
    bool Shift;
    int Id;
  } Clicks[] = {{TMouseButton::mbLeft, false, 0},
                {TMouseButton::mbLeft, true, 1},
                {TMouseButton::mbRight, false, 1},
                {TMouseButton::mbRight, true, 1},
                {TMouseButton::mbMiddle, false, 1}};
  for (auto [Button, Shift, Id] : Clicks) {
    Form->SetBounds(30, 40, 15, 15);
    Sys.Posts.clear();
    Sys.Shift = Shift;
    Form->NativeMouseDown(Button);
    ASSERT_EQ(Sys.Posts.size(), 1u);
    EXPECT_EQ(Sys.Posts[0].Message, WmHotKey);
    EXPECT_EQ(Sys.Posts[0].WParam, static_cast<std::uintptr_t>(Id));
    EXPECT_EQ(Form->Width(), 0);
    EXPECT_EQ(Form->Height(), 0);
  }
  // A new size makes a new window of that size.
  Settings.MouseFormWidth = 31;
  Settings.MouseFormHeight = 21;
  M.RecreateMouseForm();
  EXPECT_EQ(M.MouseForm()->Width(), 31);
  EXPECT_EQ(M.MouseForm()->Height(), 21);
  EXPECT_EQ(M.MouseForm()->Color(), 0x00FF00);
}

// The settings' lengths are at 96 DPI: at 144 the chasing window, its offset and its cross
// are half as large again, and a wave must be half as long again (and may drift 45 pixels).
TEST_F(PointerTest, TheChasingWindowAndTheWaveScaleWithTheMonitorUnderTheCursor) {
  Sys.Monitors = {{0, 0, 1280, 1024, 96}, {1280, 0, 1920, 1080, 144}};
  TPointer& M = StartWithLauncher();
  Ticks(10, {1400, 100});
  for (auto [At, Bounds, Line] : {std::tuple{TAt{1500, 150}, std::vector{1530, 180, 23, 23}, 2},
                                  std::tuple{TAt{400, 400}, std::vector{420, 420, 15, 15}, 1}}) {
    Tick(At);
    const TMouseForm& F = *M.MouseForm();
    EXPECT_EQ(std::vector({F.Left(), F.Top(), F.Width(), F.Height()}), Bounds);
    TRecordingCanvas Canvas;
    M.MouseForm()->Paint(Canvas);
    EXPECT_EQ(Canvas.Records.size(), 1u + 2 * Line) << "the fill, then each line's rows";
    Ticks(10, At);
  }
  Settings.UchidenoKoduti = true;
  Settings.MouseFormEnabled = false;
  for (auto [Stroke, Drift, Opened] : {std::tuple{60, 0, 0}, {80, 40, 1}, {80, 45, 0}}) {
    Launcher.Popups = 0;
    Ticks(12, {1500, 300});
    for (int X : {1500 - Stroke, 1500 - 2 * Stroke, 1500 - Stroke}) Tick({X, 300});
    Tick({1500, 300 + Drift});
    EXPECT_EQ(Launcher.Popups, Opened) << Stroke << "," << Drift;
  }
}

// ---- WM_HOTKEY ----

struct TGuard {
  const char* Name;
  void (*Setup)(PointerTest& T);
  std::uintptr_t Id;
  int Launcher, System;  // menus opened
};

class GuardTest : public PointerTest, public ::testing::WithParamInterface<TGuard> {};

TEST_P(GuardTest, TheHotKeyOpensAMenuOnlyWhenNothingElseIsInTheWay) {
  const TGuard& G = GetParam();
  TPointer& M = StartWithLauncher();
  int Before;
  Sys.Foreground = &Before;
  G.Setup(*this);
  M.HotKey(G.Id);
  EXPECT_EQ(Launcher.Popups, G.Launcher);
  EXPECT_EQ(Program.Popups, G.System);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, GuardTest,
    ::testing::Values(
        TGuard{"HiddenLeftOpensTheLauncherMenu", [](PointerTest&) {}, 0, 1, 0},
        TGuard{"HiddenOneOpensTheProgramsMenu", [](PointerTest&) {}, 1, 0, 1},
        TGuard{"OtherIdsOpenNothing", [](PointerTest&) {}, 2, 0, 0},
        TGuard{"TheShownWindowIsOnlyRaised", [](PointerTest& T) { T.Window.Show(); },
               0, 0, 0},
        TGuard{"AnOpenMenuIsOnlyRaised", [](PointerTest& T) { T.Pointer->SetMenuShowing(true); }, 0, 0, 0},
        TGuard{"WithoutTheIconsLeftMenuNothingOpens",
               [](PointerTest& T) { T.Tray.SetPopupMenuL(nullptr); }, 0, 0, 0}),
    [](const ::testing::TestParamInfo<TGuard>& Info) { return std::string(Info.param.Name); });
// clang-format on

TEST_F(PointerTest, TheMenuGivesTheWindowInFrontBackUnlessALauncherTookIt) {
  TPointer& M = StartWithLauncher();
  int Editor, Started;
  Sys.Foreground = &Editor;
  M.HotKey(0);
  // The menu's owner comes forward, never the hidden main window, which would get the keys.
  EXPECT_EQ(Sys.Forced.front(), &Sys.AppWindow);
  EXPECT_EQ(Sys.Foreground, &Editor);
  EXPECT_FALSE(M.MenuShowing());

  Launcher.Choice = Launcher.Items().Items(0);
  Launcher.Choice->OnClick = [&](TMenuItem*) { Sys.Foreground = &Started; };
  M.HotKey(0);
  EXPECT_EQ(Sys.Foreground, &Started);

  // An open menu is brought to the front, nothing more.
  Sys.Forced.clear();
  M.SetMenuShowing(true);
  M.HotKey(0);
  EXPECT_EQ(Sys.Forced, std::vector<void*>{&Sys.AppWindow});
  M.SetMenuShowing(false);

  // The main window chosen from the program's menu stays in front.
  Sys.Foreground = &Editor;
  Program.Choice = Program.Items().Items(0);
  Program.Choice->OnClick = [&](TMenuItem*) {
    Window.Show();
    Sys.Foreground = Window.Handle();
  };
  M.HotKey(1);
  EXPECT_TRUE(Window.Visible());
  EXPECT_NE(Sys.Foreground, &Editor) << "the editor was given the foreground back";
}

TEST_F(PointerTest, AFixedPositionIsUsedOnce) {
  Settings.FixMenuPos = true;
  Settings.MenuXPos = 300;
  Settings.MenuYPos = 5;
  TPointer& M = StartWithLauncher();
  Sys.CursorX = 70;
  Sys.CursorY = 80;
  M.HotKey(0);
  EXPECT_EQ(std::make_pair(Launcher.PopupX, Launcher.PopupY), std::make_pair(300, 5));
  Settings.FixMenuPos = false;
  M.HotKey(0);
  EXPECT_EQ(std::make_pair(Launcher.PopupX, Launcher.PopupY), std::make_pair(70, 80));
}

// ---- Registration ----

struct TModifiers {
  bool Ctrl, Shift, Alt;
  unsigned Flags;  // as RegisterHotKey takes them: Shift 4, Ctrl 2, Alt 1
};

class ModifiersTest : public PointerTest, public ::testing::WithParamInterface<TModifiers> {};

TEST_P(ModifiersTest, TheCombinationIsRegisteredAtStartAndReleasedAtTheEnd) {
  const TModifiers& P = GetParam();
  Settings.HotKeyCtrl = P.Ctrl;
  Settings.HotKeyShift = P.Shift;
  Settings.HotKeyAlt = P.Alt;
  Start();
  EXPECT_EQ(Sys.HotKeyCalls,
            std::vector<std::string>{"register " + std::to_string(P.Flags) + "+27"});
  ASSERT_EQ(Sys.HotKeys.count(0), 1u);
  EXPECT_EQ(Sys.HotKeys[0].Window, Window.Handle());
  Pointer.reset();
  EXPECT_TRUE(Sys.HotKeys.empty());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Combinations, ModifiersTest,
                         ::testing::Values(TModifiers{false, true, false, 4},
                                           TModifiers{false, false, false, 0},
                                           TModifiers{true, false, false, 2},
                                           TModifiers{true, true, true, 7},
                                           TModifiers{false, false, true, 1}));
// clang-format on

class HotKeyTest : public MainFixture {
 protected:
  TLanternMain& StartWithLauncher() {
    TLanternMain& M = Start();
    M.Root()->Add(std::make_unique<TLauncherExec>(M.Root()))->SetName("one");
    return M;
  }
};

TEST_F(HotKeyTest, TheMenuOpensOverTheShownWindowWhileTheVersionWindowIsOpen) {
  TLanternMain& M = StartWithLauncher();
  M.LanternProperty.Execute();
  TForm::ModalUser = [&](TForm&) { M.NativeHotKey(0); };
  M.AboutAction.Execute();
  EXPECT_EQ(M.LauncherMenu.Popups, 1);
}

TEST_F(HotKeyTest, TheSettersRegisterTheKeyAgainOnlyWhenItIsOn) {
  Memory.WriteDWord(Key, "HotKeyEnabled", 0);
  TLanternMain& M = Start();
  EXPECT_TRUE(Sys.HotKeyCalls.empty());
  // As the settings dialog applies them: off, key, modifiers, then on: one registration.
  M.SetHotKeyEnabled(false);
  M.SetHotKey(0x70);
  M.SetHotKeyModifiers(true, false, true);
  EXPECT_TRUE(Sys.HotKeyCalls.empty());
  M.SetHotKeyEnabled(true);  // nothing was registered to let go of
  EXPECT_EQ(Sys.HotKeyCalls, std::vector<std::string>{"register 3+112"});
  Sys.HotKeyCalls.clear();
  M.SetHotKey(0x70);
  M.SetHotKeyModifiers(true, false, true);
  EXPECT_TRUE(Sys.HotKeyCalls.empty());
  M.SetHotKey(0x71);
  M.SetHotKeyModifiers(false, true, false);
  EXPECT_EQ(Sys.HotKeyCalls, (std::vector<std::string>{"unregister", "register 3+113", "unregister",
                                                       "register 4+113"}));
  Sys.HotKeyCalls.clear();
  M.SetHotKeyEnabled(false);
  EXPECT_EQ(Sys.HotKeyCalls, std::vector<std::string>{"unregister"});
  EXPECT_TRUE(Sys.HotKeys.empty());
  // No key chosen: nothing is registered.
  M.SetHotKey(0);
  M.SetHotKeyEnabled(true);
  EXPECT_TRUE(Sys.HotKeys.empty());
  EXPECT_TRUE(Boxes.Texts.empty());
}

TEST_F(HotKeyTest, AKeyAnotherProgramHoldsIsToldOnlyWhenTheUserChoosesIt) {
  Sys.Taken = {27 | 4u << 16, 0x70 | 4u << 16};
  TLanternMain& M = Start();
  EXPECT_TRUE(Boxes.Texts.empty());
  M.SetHotKey(0x70);
  ASSERT_EQ(Boxes.Texts.size(), 1u);
  EXPECT_NE(Boxes.Texts[0].find("ホットキーを登録できませんでした"), std::string::npos);
  M.SetHotKey(0x71);
  EXPECT_EQ(Boxes.Texts.size(), 1u);
  EXPECT_EQ(Sys.HotKeys[0].Key, 0x71u);
}

// ---- The two switches ----

TEST_F(HotKeyTest, TheSwitchesExcludeEachOtherAndTheirButtonsFollow) {
  TLanternMain& M = Start();
  const auto& Buttons = M.ToolBar1.Buttons();
  EXPECT_NE(std::find(Buttons.begin(), Buttons.end(), &M.MouseFormToggleAction), Buttons.end());
  EXPECT_NE(std::find(Buttons.begin(), Buttons.end(), &M.UchidenoKodutiToggleAction),
            Buttons.end());
  struct {
    TAction* Toggle;
    bool Mouse, Waving;
  } Steps[] = {{&M.UchidenoKodutiToggleAction, false, true},
               {&M.MouseFormToggleAction, true, false},
               {&M.MouseFormToggleAction, false, false},
               {&M.UchidenoKodutiToggleAction, false, true},
               {&M.UchidenoKodutiToggleAction, false, false}};
  for (auto& Step : Steps) {
    Step.Toggle->Execute();
    EXPECT_EQ(M.Settings().MouseFormEnabled, Step.Mouse);
    EXPECT_EQ(M.Settings().UchidenoKoduti, Step.Waving);
    EXPECT_EQ(M.MouseFormToggleAction.Checked(), Step.Mouse);
    EXPECT_EQ(M.UchidenoKodutiToggleAction.Checked(), Step.Waving);
    std::uint32_t Stored = 9;
    Memory.ReadDWord(Key, "UchidenoKoduti", Stored);
    EXPECT_EQ(Stored, Step.Waving ? 1u : 0u);
  }
}

}  // namespace
}  // namespace lantern
