// The hot key, the chasing window and the waving gesture, windowless: the timer's ticks over a
// scripted cursor, WM_HOTKEY as the system delivers it, and the system's hot key registry.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "main/Main.h"
#include "support/MainFixture.h"
#include "ui/Canvas.h"
#include "ui/Messages.h"

namespace lantern {
namespace {

struct TAt {
  int X, Y;
};

class HotKeyTest : public MainFixture {
 protected:
  // The program resident, with one launcher in its menu.
  TLanternMain& StartWithLauncher() {
    TLanternMain& M = Start();
    M.Root()->Add(std::make_unique<TLauncherExec>(M.Root()))->SetName("one");
    return M;
  }
  void Tick(TAt At) {
    Sys.CursorX = At.X;
    Sys.CursorY = At.Y;
    Main->Timer1.Tick();
  }
  void Ticks(int Count, TAt At) {
    for (int i = 0; i < Count; ++i) Tick(At);
  }
  bool ChasingShown() { return Main->MouseForm()->Visible() && Main->MouseForm()->Width() > 0; }
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

class WaveTest : public HotKeyTest, public ::testing::WithParamInterface<TWave> {};

TEST_P(WaveTest, TheGestureOpensTheLauncherMenu) {
  const TWave& W = GetParam();
  Memory.WriteDWord(Key, "UchidenoKoduti", 1);
  Memory.WriteDWord(Key, "UchideMovingCount", W.MovingCount);
  Memory.WriteDWord(Key, "UchideLeftFast", W.LeftFast);
  TLanternMain& M = StartWithLauncher();
  if (W.Settle) Ticks(12, {500, 300});
  for (TAt At : W.Trace) Tick(At);
  EXPECT_EQ(M.LauncherMenu.Popups, W.Opened);
  EXPECT_EQ(M.SystemPopup.Popups, 0);
  EXPECT_FALSE(M.MenuShowing());
  if (W.Opened) {
    // At the cursor, where the second stroke ended.
    EXPECT_EQ(M.LauncherMenu.PopupX, W.Trace.back().X);
    EXPECT_EQ(M.LauncherMenu.PopupY, W.Trace.back().Y);
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

// ---- The chasing window ----

struct TAppearance {
  const char* Name;
  bool WithLauncher;
  bool Waving;
  bool MainShown;
  std::vector<TAt> Trace;  // after ten ticks at (100, 100)
  bool Shown;
};

class AppearanceTest : public HotKeyTest, public ::testing::WithParamInterface<TAppearance> {};

TEST_P(AppearanceTest, TheChasingWindowShowsBesideTheCursor) {
  const TAppearance& A = GetParam();
  Memory.WriteDWord(Key, "WavingMouse", A.Waving);
  TLanternMain& M = A.WithLauncher ? StartWithLauncher() : Start();
  if (A.MainShown) M.LanternProperty.Execute();
  Ticks(10, {100, 100});
  for (TAt At : A.Trace) Tick(At);
  ASSERT_EQ(ChasingShown(), A.Shown);
  if (A.Shown) {
    EXPECT_EQ(M.MouseForm()->Left(), A.Trace.back().X + 20);
    EXPECT_EQ(M.MouseForm()->Top(), A.Trace.back().Y + 20);
    EXPECT_EQ(M.MouseForm()->Height(), 15);
  }
  EXPECT_EQ(M.LauncherMenu.Popups, 0);
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
TEST_F(HotKeyTest, TheChasingWindowStaysItsIntervalThenJumpsOrShrinks) {
  TLanternMain& M = StartWithLauncher();
  EXPECT_FALSE(M.MouseForm()->Visible());
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

TEST_F(HotKeyTest, WithBothSwitchedOffThePointerIsNotReadAndAShownWindowGoes) {
  TLanternMain& M = StartWithLauncher();
  Ticks(10, {100, 100});
  Tick({200, 200});
  ASSERT_TRUE(ChasingShown());
  M.SetMouseFormEnabled(false);
  const int Reads = Sys.CursorReads;
  Ticks(20, {300, 300});
  EXPECT_FALSE(ChasingShown());
  EXPECT_EQ(Sys.CursorReads, Reads);
  // Switched on again, it follows the pointer at once.
  M.SetMouseFormEnabled(true);
  Tick({400, 400});
  EXPECT_TRUE(ChasingShown());
  EXPECT_EQ(M.MouseForm()->Left(), 420);
}

TEST_F(HotKeyTest, TheChasingWindowIsAnEllipseWithACrossThatClicksThroughTheHotKey) {
  Memory.WriteDWord(Key, "MouseFormColor", 0x0000FF);
  TLanternMain& M = Start();
  TMouseForm* Form = M.MouseForm();
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

  M.SetMouseFormColor(0x00FF00);
  EXPECT_EQ(M.MouseForm()->Color(), 0x00FF00);
  for (auto [Button, Id] : {std::pair{TMouseButton::mbLeft, 0},
                            {TMouseButton::mbRight, 1},
                            {TMouseButton::mbMiddle, 1}}) {
    Form->SetBounds(30, 40, 15, 15);
    Sys.Posts.clear();
    Form->NativeMouseDown(Button);
    ASSERT_EQ(Sys.Posts.size(), 1u);
    EXPECT_EQ(Sys.Posts[0].Message, WmHotKey);
    EXPECT_EQ(Sys.Posts[0].WParam, static_cast<std::uintptr_t>(Id));
    EXPECT_EQ(Form->Width(), 0);
    EXPECT_EQ(Form->Height(), 0);
  }
  // A new size makes a new window of that size.
  M.SetMouseFormWidth(31);
  M.SetMouseFormHeight(21);
  EXPECT_EQ(M.MouseForm()->Width(), 31);
  EXPECT_EQ(M.MouseForm()->Height(), 21);
  EXPECT_EQ(M.MouseForm()->Color(), 0x00FF00);
}

// ---- WM_HOTKEY ----

struct TGuard {
  const char* Name;
  void (*Setup)(TLanternMain& M);
  std::uintptr_t Id;
  int Launcher, System;  // menus opened
};

class GuardTest : public HotKeyTest, public ::testing::WithParamInterface<TGuard> {};

TEST_P(GuardTest, TheHotKeyOpensAMenuOnlyWhenNothingElseIsInTheWay) {
  const TGuard& G = GetParam();
  TLanternMain& M = StartWithLauncher();
  int Before;
  Sys.Foreground = &Before;
  G.Setup(M);
  M.NativeHotKey(G.Id);
  EXPECT_EQ(M.LauncherMenu.Popups, G.Launcher);
  EXPECT_EQ(M.SystemPopup.Popups, G.System);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, GuardTest,
    ::testing::Values(
        TGuard{"HiddenLeftOpensTheLauncherMenu", [](TLanternMain&) {}, 0, 1, 0},
        TGuard{"HiddenOneOpensTheProgramsMenu", [](TLanternMain&) {}, 1, 0, 1},
        TGuard{"OtherIdsOpenNothing", [](TLanternMain&) {}, 2, 0, 0},
        TGuard{"TheShownWindowIsOnlyRaised", [](TLanternMain& M) { M.LanternProperty.Execute(); },
               0, 0, 0},
        TGuard{"AnOpenMenuIsOnlyRaised", [](TLanternMain& M) { M.SetMenuShowing(true); }, 0, 0, 0},
        TGuard{"WithoutTheIconsLeftMenuNothingOpens",
               [](TLanternMain& M) { M.SetIconLeftClickPopupMenu(false); }, 0, 0, 0}),
    [](const ::testing::TestParamInfo<TGuard>& Info) { return std::string(Info.param.Name); });
// clang-format on

TEST_F(HotKeyTest, TheMenuGivesTheWindowInFrontBackUnlessALauncherTookIt) {
  TLanternMain& M = StartWithLauncher();
  int Editor, Started;
  Sys.Foreground = &Editor;
  M.NativeHotKey(0);
  // The menu's owner comes forward, never the hidden main window, which would get the keys.
  EXPECT_EQ(Sys.Forced.front(), &Sys.AppWindow);
  EXPECT_EQ(Sys.Foreground, &Editor);
  EXPECT_FALSE(M.MenuShowing());

  M.LauncherMenu.Choice = M.LauncherMenu.Items().Items(0);
  M.LauncherMenu.Choice->OnClick = [&](TMenuItem*) { Sys.Foreground = &Started; };
  M.NativeHotKey(0);
  EXPECT_EQ(Sys.Foreground, &Started);

  // An open menu is brought to the front, nothing more.
  Sys.Forced.clear();
  M.SetMenuShowing(true);
  M.NativeHotKey(0);
  EXPECT_EQ(Sys.Forced, std::vector<void*>{&Sys.AppWindow});
  M.SetMenuShowing(false);

  // The main window chosen from the program's menu stays in front.
  Sys.Foreground = &Editor;
  M.SystemPopup.Choice = M.SystemPopup.Items().Items(0);
  ASSERT_EQ(M.SystemPopup.Choice->Action(), &M.LanternProperty);
  M.NativeHotKey(1);
  EXPECT_TRUE(M.Visible());
  EXPECT_NE(Sys.Foreground, &Editor) << "the editor was given the foreground back";
}

TEST_F(HotKeyTest, TheMenuOpensOverTheShownWindowWhileTheVersionWindowIsOpen) {
  TLanternMain& M = StartWithLauncher();
  M.LanternProperty.Execute();
  TForm::ModalUser = [&](TForm&) { M.NativeHotKey(0); };
  M.AboutAction.Execute();
  EXPECT_EQ(M.LauncherMenu.Popups, 1);
}

TEST_F(HotKeyTest, AFixedPositionIsUsedOnce) {
  Memory.WriteDWord(Key, "FixMenuPos", 1);
  Memory.WriteDWord(Key, "MenuXPos", 300);
  Memory.WriteDWord(Key, "MenuYPos", 5);
  TLanternMain& M = StartWithLauncher();
  Sys.CursorX = 70;
  Sys.CursorY = 80;
  M.NativeHotKey(0);
  EXPECT_EQ(std::make_pair(M.LauncherMenu.PopupX, M.LauncherMenu.PopupY), std::make_pair(300, 5));
  M.SetFixMenuPos(false);
  M.NativeHotKey(0);
  EXPECT_EQ(std::make_pair(M.LauncherMenu.PopupX, M.LauncherMenu.PopupY), std::make_pair(70, 80));
}

// ---- Registration ----

struct TModifiers {
  int Ctrl, Shift, Alt;  // stored values; -1: none stored
  unsigned Flags;
};

class ModifiersTest : public HotKeyTest, public ::testing::WithParamInterface<TModifiers> {};

TEST_P(ModifiersTest, TheStoredCombinationIsRegisteredAtStartAndReleasedAtTheEnd) {
  const TModifiers& P = GetParam();
  if (P.Ctrl >= 0) Memory.WriteDWord(Key, "HotKeyCtrl", P.Ctrl);
  if (P.Shift >= 0) Memory.WriteDWord(Key, "HotKeyShift", P.Shift);
  if (P.Alt >= 0) Memory.WriteDWord(Key, "HotKeyAlt", P.Alt);
  TLanternMain& M = Start();
  EXPECT_EQ(TSettingsStore::HotKeyModifiers(M.Settings()), P.Flags);
  EXPECT_EQ(Sys.HotKeyCalls,
            std::vector<std::string>{"register " + std::to_string(P.Flags) + "+27"});
  ASSERT_EQ(Sys.HotKeys.count(0), 1u);
  EXPECT_EQ(Sys.HotKeys[0].Window, M.Handle());
  Main.reset();
  EXPECT_TRUE(Sys.HotKeys.empty());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Stored, ModifiersTest,
                         ::testing::Values(TModifiers{-1, -1, -1, 4}, TModifiers{0, 0, 0, 0},
                                           TModifiers{1, -1, -1, 2}, TModifiers{1, 1, 1, 7},
                                           TModifiers{0, 0, 1, 1}, TModifiers{-1, 0, 1, 4}));
// clang-format on

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
