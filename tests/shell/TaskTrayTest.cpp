// The notification-area icon against the shell's double: IDs, what is handed to the shell,
// the retries of a busy shell, the refusals, and the callbacks that open the menus.
#include <gtest/gtest.h>

#include <memory>

#include "base/Exception.h"
#include "shell/TaskTray.h"
#include "support/FakeShell.h"
#include "support/FakeSystem.h"
#include "ui/Form.h"
#include "ui/Menus.h"

namespace lantern {
namespace {

class TaskTrayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OldShell = SetShell(&Shell);
    OldSystem = SetSystem(&Sys);
    Sys.CursorX = 300;
    Sys.CursorY = 400;
  }
  void TearDown() override {
    Trays.clear();
    SetSystem(OldSystem);
    SetShell(OldShell);
  }
  TTaskTray& NewTray(TWinControl* Owner = nullptr) {
    Trays.push_back(std::make_unique<TTaskTray>(Owner));
    return *Trays.back();
  }
  TTaskTray& Shown(const std::string& Tip = "ランタン") {
    TTaskTray& Tray = NewTray();
    Tray.SetTipString(Tip);
    Tray.SetIcon(Sys.ResourceIcon(1, 16));
    Tray.SetRegistered(true);
    return Tray;
  }
  static void Click(unsigned ID, std::intptr_t Message) {
    TTaskTray::GetNotifyWindow()->Perform(WM_TRAYNOTIFY, ID, Message);
  }
  // The shell's calls as "add 1", "modify 1", "delete 1".
  std::vector<std::string> Calls() {
    std::vector<std::string> Result;
    for (auto& Call : Shell.NotifyCalls)
      Result.push_back(std::string(Call.Message == NimAdd      ? "add "
                                   : Call.Message == NimModify ? "modify "
                                                               : "delete ") +
                       std::to_string(Call.Data.ID));
    return Result;
  }

  TFakeShell Shell;
  TFakeSystem Sys;
  TShell* OldShell = nullptr;
  TSystem* OldSystem = nullptr;
  std::vector<std::unique_ptr<TTaskTray>> Trays;
};

using Strings = std::vector<std::string>;

TEST_F(TaskTrayTest, IDsFollowTheLastOneAndStartAgainAtOne) {
  EXPECT_EQ(NewTray().IconID(), 1);
  EXPECT_EQ(NewTray().IconID(), 2);
  Trays[1]->SetIconID(7);
  EXPECT_EQ(NewTray().IconID(), 8);
  Trays.erase(Trays.begin() + 2);
  EXPECT_EQ(NewTray().IconID(), 8);
  Trays.clear();
  EXPECT_EQ(NewTray().IconID(), 1);
}

TEST_F(TaskTrayTest, TheIconIsHandedOverWithItsTipAndCallback) {
  TTaskTray& Tray = Shown();
  ASSERT_EQ(Calls(), Strings{"add 1"});
  const TNotifyIconData& Data = Shell.NotifyCalls[0].Data;
  EXPECT_EQ(Data.Size, 88u);
  EXPECT_EQ(Data.Flags, 7u);
  EXPECT_EQ(Data.CallbackMessage, 0x466u);
  EXPECT_EQ(Data.Tip, "ランタン");
  EXPECT_NE(Data.Icon, nullptr);
  EXPECT_TRUE(Tray.Added());
  EXPECT_NE(TTaskTray::GetNotifyWindow(), nullptr);

  Tray.SetTipString("");  // no tip: no tip flag
  EXPECT_EQ(Calls(), (Strings{"add 1", "modify 1"}));
  EXPECT_EQ(Shell.NotifyCalls[1].Data.Flags, 3u);
  Tray.SetTipString("");  // unchanged: nothing asked
  EXPECT_EQ(Shell.NotifyCalls.size(), 2u);

  Tray.SetRegistered(false);
  EXPECT_EQ(Calls().back(), "delete 1");
  EXPECT_FALSE(Tray.Added());
}

TEST_F(TaskTrayTest, TipsAreCutTo63BytesWithoutSplittingACharacter) {
  Shown(std::string(70, 'a'));
  std::string Wide;
  for (int i = 0; i < 35; ++i) Wide += "あ";
  Shown(Wide);
  EXPECT_EQ(Shell.NotifyCalls[0].Data.Tip, std::string(63, 'a'));
  EXPECT_EQ(Shell.NotifyCalls[1].Data.Tip, Wide.substr(0, 62));
}

TEST_F(TaskTrayTest, RefusalsLeaveTheStateAsItWas) {
  TTaskTray& Tray = NewTray();
  try {
    Tray.SetRegistered(true);
    ADD_FAILURE() << "no icon, no registration";
  } catch (const EInvalidOperation& E) {
    EXPECT_STREQ(E.what(), "アイコンが指定されていません");
  }
  EXPECT_FALSE(Tray.Registered());
  EXPECT_TRUE(Shell.NotifyCalls.empty());

  TTaskTray& Other = NewTray();
  for (int Bad : {0, -3}) {
    try {
      Tray.SetIconID(Bad);
      ADD_FAILURE();
    } catch (const EInvalidOperation& E) {
      EXPECT_STREQ(E.what(), "0以下は指定できません");
    }
  }
  try {
    Tray.SetIconID(Other.IconID());
    ADD_FAILURE();
  } catch (const EInvalidOperation& E) {
    EXPECT_STREQ(E.what(), "同じアイコン識別子が有ります");
  }
  EXPECT_EQ(Tray.IconID(), 1);
}

TEST_F(TaskTrayTest, ANewIDMovesAShownIcon) {
  TTaskTray& Tray = Shown();
  Tray.SetIconID(5);
  EXPECT_EQ(Calls(), (Strings{"add 1", "delete 1", "add 5"}));
  EXPECT_TRUE(Tray.Registered());
  Tray.SetIcon(TIcon());  // no icon: the icon goes away
  EXPECT_EQ(Calls().back(), "delete 5");
  EXPECT_FALSE(Tray.Registered());
}

struct RetryCase {
  const char* Name;
  std::deque<unsigned> Errors;  // answers of the shell's calls in order (0 = success)
  Strings Calls;
  std::string Error;  // empty: added
};

class TaskTrayRetryTest : public TaskTrayTest, public ::testing::WithParamInterface<RetryCase> {};

TEST_P(TaskTrayRetryTest, ABusyShellIsAskedAgainThreeTimesAtMost) {
  const RetryCase& c = GetParam();
  Shell.NotifyErrors = c.Errors;
  TTaskTray& Tray = NewTray();
  Tray.SetIcon(Sys.ResourceIcon(1, 16));
  std::string Error;
  try {
    Tray.SetRegistered(true);
  } catch (const EInvalidOperation& E) {
    Error = E.what();
  }
  EXPECT_EQ(Error, c.Error);
  EXPECT_EQ(Calls(), c.Calls);
  EXPECT_EQ(Tray.Added(), c.Error.empty());
  EXPECT_TRUE(Tray.Registered());
  size_t Retries = (c.Calls.size()) / 2;
  EXPECT_EQ(Sys.Sleeps, std::vector<int>(Retries, 100));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, TaskTrayRetryTest,
    ::testing::Values(RetryCase{"AddedAtOnce", {}, {"add 1"}, ""},
                      RetryCase{"TimedOutButTaken", {1460}, {"add 1", "modify 1"}, ""},
                      RetryCase{"SecondAdd", {1460, 1460}, {"add 1", "modify 1", "add 1"}, ""},
                      RetryCase{"OtherError", {5}, {"add 1"}, "タスクトレイに登録できません(0)"},
                      RetryCase{"OtherErrorLater",
                                {1460, 1460, 5},
                                {"add 1", "modify 1", "add 1"},
                                "タスクトレイに登録できません(1)"},
                      RetryCase{
                          "ThreeTimeOuts",
                          {1460, 1460, 1460, 1460, 1460, 1460, 1460},
                          {"add 1", "modify 1", "add 1", "modify 1", "add 1", "modify 1", "add 1"},
                          "タスクトレイに登録できません(3)"}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(TaskTrayTest, AFailedChangeIsReported) {
  TTaskTray& Tray = Shown();
  Shell.NotifyErrors = {5};
  try {
    Tray.SetTipString("新しい");
    ADD_FAILURE();
  } catch (const EInvalidOperation& E) {
    EXPECT_STREQ(E.what(), "タスクトレイに登録できません");
  }
}

TEST_F(TaskTrayTest, CallbacksBecomeMouseEventsOfTheirIcon) {
  TTaskTray& Tray = Shown();
  std::string Seen;
  Tray.OnMouseMove = [&](TTaskTray*, unsigned Shift, int X, int Y) {
    Seen += "move " + std::to_string(Shift) + " " + std::to_string(X) + "," + std::to_string(Y);
  };
  auto Name = [](TMouseButton B) {
    return B == TMouseButton::mbLeft ? "L" : B == TMouseButton::mbRight ? "R" : "M";
  };
  Tray.OnMouseDown = [&](TTaskTray*, TMouseButton B, unsigned Shift, int X, int Y) {
    Seen += std::string("down ") + Name(B) + " " + std::to_string(Shift) + " " + std::to_string(X) +
            "," + std::to_string(Y);
  };
  Tray.OnMouseUp = [&](TTaskTray*, TMouseButton B, unsigned Shift, int, int) {
    Seen += std::string("up ") + Name(B) + " " + std::to_string(Shift);
  };
  Tray.OnDblClick = [&](TTaskTray* Seft, TMouseButton B) {
    EXPECT_EQ(Seft, &Tray);
    Seen += std::string("dbl ") + Name(B);
  };
  struct {
    std::intptr_t Message;
    std::string Expected;
  } Cases[] = {
      {WmMouseMove, "move 0 300,400"},
      {WmLButtonDown, "down L " + std::to_string(ssLeft) + " 300,400"},
      {WmLButtonUp, "up L " + std::to_string(ssLeft)},
      {WmLButtonDblClk, "dbl L"},
      {WmRButtonDown, "down R " + std::to_string(ssRight) + " 300,400"},
      {WmRButtonUp, "up R " + std::to_string(ssRight)},
      {WmRButtonDblClk, "dbl R"},
      {WmMButtonDown, "down M " + std::to_string(ssMiddle) + " 300,400"},
      {WmMButtonUp, "up M " + std::to_string(ssMiddle)},
      {WmMButtonUp + 1, ""},  // a middle double click
      {0x0100, ""},
  };
  for (auto& c : Cases) {
    Seen.clear();
    Click(1, c.Message);
    EXPECT_EQ(Seen, c.Expected) << std::hex << c.Message;
  }
  Seen.clear();
  Click(2, WmLButtonDown);  // no icon has ID 2
  TTaskTray::GetNotifyWindow()->Perform(WM_TRAYNOTIFY + 1, 1, WmLButtonDown);
  EXPECT_EQ(Seen, "");
}

TEST_F(TaskTrayTest, ButtonsOpenTheirMenusAtTheMouseOrOnceAtTheGivenPlace) {
  TForm Owner("TOwner");
  TPopupMenu Left, Right;
  TTaskTray& Tray = NewTray(&Owner);
  Tray.SetIcon(Sys.ResourceIcon(1, 16));
  Tray.SetRegistered(true);
  Tray.SetPopupMenuL(&Left);
  Tray.SetPopupMenuR(&Right);
  int Downs = 0;
  Tray.OnMouseDown = [&](TTaskTray*, TMouseButton, unsigned, int, int) {
    EXPECT_EQ(Sys.ForegroundWindows.size(), static_cast<size_t>(Downs + 1))
        << "the owner comes to the front first";
    ++Downs;
  };

  Click(1, WmLButtonDown);
  EXPECT_EQ(Left.Popups, 1);
  EXPECT_EQ(std::make_pair(Left.PopupX, Left.PopupY), std::make_pair(300, 400));
  Tray.OpenMenu(TMouseButton::mbRight, {10, 20});  // as the hot key opens it
  EXPECT_EQ(Right.Popups, 1);
  EXPECT_EQ(std::make_pair(Right.PopupX, Right.PopupY), std::make_pair(10, 20));
  Click(1, WmLButtonDown);
  EXPECT_EQ(std::make_pair(Left.PopupX, Left.PopupY), std::make_pair(300, 400));
  Click(1, WmMButtonDown);  // the middle button opens nothing
  EXPECT_EQ(Left.Popups + Right.Popups, 3);

  Tray.SetPopupMenuL(nullptr);
  Click(1, WmLButtonDown);
  EXPECT_EQ(Left.Popups, 2);
  EXPECT_EQ(Downs, 5);
}

// A fixed point (screen pixels) stays where it is within its monitor's work area, and is
// brought into the nearest one from a task bar or from beyond every monitor.
TEST_F(TaskTrayTest, AFixedMenuPointIsKeptInTheWorkAreaOfItsMonitor) {
  Sys.Monitors = {{0, 0, 1280, 1024, 96, 40}, {1280, 0, 1920, 1080, 144, 60}};
  TPopupMenu Menu;
  TTaskTray& Tray = Shown();
  Tray.SetPopupMenuL(&Menu);
  const int Cases[][4] = {{0, 0, 0, 0},
                          {1279, 1023, 1279, 983},
                          {-50, 2000, 0, 983},
                          {1280, 0, 1280, 0},
                          {3199, 1079, 3199, 1019},
                          {5000, -300, 3199, 0},
                          {1300, 1050, 1300, 1019}};  // from, to
  for (auto& c : Cases) {
    Tray.OpenMenu(TMouseButton::mbLeft, {c[0], c[1]});
    EXPECT_EQ(std::make_pair(Menu.PopupX, Menu.PopupY), std::make_pair(c[2], c[3])) << c[0];
  }
}

TEST_F(TaskTrayTest, AMenuThatGoesIsNoLongerOpened) {
  TTaskTray& Tray = Shown();
  auto Left = std::make_unique<TPopupMenu>();
  TPopupMenu Right;
  Tray.SetPopupMenuL(Left.get());
  Tray.SetPopupMenuR(Left.get());
  Tray.SetPopupMenuR(&Right);
  Left.reset();
  EXPECT_EQ(Tray.PopupMenuL(), nullptr);
  EXPECT_EQ(Tray.PopupMenuR(), &Right);
  Click(1, WmLButtonDown);  // nothing to open, nothing touched
  Trays.clear();            // the tray goes first: the menu that stays must not call it later
}

TEST_F(TaskTrayTest, ClicksWhileACallbackRunsAreDroppedAndErrorsEndIt) {
  TTaskTray& Tray = Shown();
  int Downs = 0;
  bool Fail = false;
  Tray.OnMouseDown = [&](TTaskTray*, TMouseButton, unsigned, int, int) {
    ++Downs;
    Click(1, WmLButtonDown);  // as a click during an open menu's own loop
    if (Fail) throw Exception("failed");
  };
  Click(1, WmLButtonDown);
  EXPECT_EQ(Downs, 1);
  Fail = true;
  EXPECT_THROW(Click(1, WmLButtonDown), Exception);
  Fail = false;
  Click(1, WmLButtonDown);
  EXPECT_EQ(Downs, 3);
}

TEST_F(TaskTrayTest, ANewTaskBarGetsEveryRegisteredIconAgain) {
  TTaskTray& Shown1 = Shown();
  TTaskTray& Hidden = NewTray();
  Hidden.SetIcon(Sys.ResourceIcon(1, 16));
  Shell.NotifyCalls.clear();
  TTaskTray::GetNotifyWindow()->Perform(Sys.RegisterMessage("TaskbarCreated"), 0, 0);
  EXPECT_EQ(Calls(), Strings{"add 1"});
  EXPECT_TRUE(Shown1.Added());
  EXPECT_FALSE(Hidden.Registered());
}

}  // namespace
}  // namespace lantern
