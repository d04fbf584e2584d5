#include "main/Pointer.h"

#include <cstdlib>

#include "base/Scoped.h"
#include "main/Settings.h"
#include "shell/TaskTray.h"
#include "ui/Dialogs.h"
#include "ui/Dpi.h"
#include "ui/Form.h"
#include "ui/Menus.h"
#include "ui/System.h"

namespace lantern {

namespace {

constexpr int HotKeyId = 0;
constexpr int TrialHotKeyId = 1;
constexpr int VerticalLimit = 30;  // what a leftward-first wave may drift per tick, at 96 DPI

}  // namespace

TPointer::TPointer(TForm& Window, TTaskTray& Tray, TPopupMenu& LauncherMenu,
                   const TSettings& Settings)
    : FWindow(Window), FTray(Tray), FLauncherMenu(LauncherMenu), FSettings(Settings) {
  if (FSettings.HotKeyEnabled) RegisterHotKey();
}

TPointer::~TPointer() {
  if (FRegistered) System().UnregisterHotKey(FWindow.Handle(), HotKeyId);
}

bool TPointer::RegisterHotKey() {
  // No key chosen (the settings store 0 then): nothing to register, nothing to report.
  if (FSettings.HotKey == 0) return true;
  FRegistered = System().RegisterHotKey(FWindow.Handle(), HotKeyId,
                                        TSettingsStore::HotKeyModifiers(FSettings),
                                        static_cast<unsigned>(FSettings.HotKey));
  return FRegistered;
}

// A combination the user has just chosen and another program holds is told at once; at start
// it is not, since the user chose it long ago.
void TPointer::ReregisterHotKey() {
  if (FRegistered) System().UnregisterHotKey(FWindow.Handle(), HotKeyId);
  FRegistered = false;
  if (!FSettings.HotKeyEnabled || RegisterHotKey()) return;
  MessageDlg(
      "ホットキーを登録できませんでした。ほかのプログラムが同じキーの組み合わせを使って"
      "います。設定で別のキーを選んでください。",
      TMsgDlgType::Warning, mbOK);
}

bool TPointer::HotKeyTaken(unsigned Modifiers, unsigned Key) {
  if (FRegistered && Modifiers == TSettingsStore::HotKeyModifiers(FSettings) &&
      Key == static_cast<unsigned>(FSettings.HotKey))
    return false;
  // Tried under an identifier of its own, and let go at once.
  if (!System().RegisterHotKey(FWindow.Handle(), TrialHotKeyId, Modifiers, Key)) return true;
  System().UnregisterHotKey(FWindow.Handle(), TrialHotKeyId);
  return false;
}

// The window's shape is made with it: a new size needs a new window. It is made when it first
// appears, with the settings of then (a resident start makes no window it may never show).
void TPointer::RecreateMouseForm() {
  if (FMouseForm) MakeMouseForm(FMouseForm->Dpi());
}

void TPointer::MakeMouseForm(int Dpi) {
  FMouseForm.reset();
  FMouseForm = std::make_unique<TMouseForm>(FWindow, ScaleToDpi(FSettings.MouseFormWidth, Dpi),
                                            ScaleToDpi(FSettings.MouseFormHeight, Dpi),
                                            FSettings.MouseFormColor, Dpi);
}

void TPointer::UpdateMouseFormColor() {
  if (FMouseForm) FMouseForm->SetColor(FSettings.MouseFormColor);
}

void TPointer::HotKey(std::uintptr_t Id) {
  // The main window shown: the key only raises it.
  if (FWindow.Visible() && (!KeyOnlyRaises || KeyOnlyRaises())) {
    System().ForceForeground(FWindow.Handle());
    return;
  }
  if (FMenuShowing) {
    // The launcher menu's key again: the menu closes and the search window takes its place.
    if (Id == 0 && FLauncherMenu.Showing()) {
      FSearchWanted = true;
      System().EndMenu();
      return;
    }
    System().ForceForeground(System().ApplicationWindow());  // the open menu's owner
    return;
  }
  if (Id == 0) OpenMenu(TMouseButton::mbLeft);
  if (Id == 1) OpenMenu(TMouseButton::mbRight);
}

void TPointer::OpenMenu(TMouseButton Button) {
  FSavedForeground = System().ForegroundWindow();
  // The menu needs the program in front; a hidden main window must not get the keys.
  System().ForceForeground(FWindow.Visible() ? FWindow.Handle() : System().ApplicationWindow());
  {
    TScopedValue<bool> Showing(FMenuShowing, true);
    std::optional<TTaskTray::TPopupPos> At;
    if (FSettings.FixMenuPos) At = TTaskTray::TPopupPos{FSettings.MenuXPos, FSettings.MenuYPos};
    FTray.OpenMenu(Button, At);
  }
  // Back to the program the user was in, unless the menu started another one or brought a
  // window of Lantern's forward (the main window, a dialog).
  void* Front = System().ForegroundWindow();
  if (FSavedForeground &&
      (Front == System().ApplicationWindow() || (Front == FWindow.Handle() && !FWindow.Visible())))
    System().ForceForeground(FSavedForeground);
}

void TPointer::Track() {
  // Neither the chasing window nor the gesture: nothing follows the pointer, and under Wine
  // reading it costs more than all the rest of an idle tick.
  if (!FSettings.MouseFormEnabled && !FSettings.UchidenoKoduti) {
    if (FMouseForm && FMouseForm->Width() > 0)
      FMouseForm->SetBounds(FMouseForm->Left(), FMouseForm->Top(), 0, 0);
    FLastStrokeX = 0;  // a wave begins afresh once one is wanted again
    FAppearCountdown = 0;
    return;
  }
  int X, Y;
  System().CursorPos(X, Y);
  // The settings' lengths are at 96 DPI; they are scaled to the monitor under the cursor,
  // asked only on the ticks that measure something.
  int Dpi = 0;
  auto AtCursor = [&](int Length) {
    if (!Dpi) Dpi = System().DpiAt(X, Y);
    return ScaleToDpi(Length, Dpi);
  };
  bool Stroke = false;
  // A wave: two strokes between samples, each longer than the range, the first in the
  // direction the settings name, the second back.
  if (FSampleCountdown <= 0) {
    const long long Range = AtCursor(FSettings.UchideRangeX);
    const long long NewStroke = static_cast<long long>(X) - FSampleX;
    if (FSettings.UchideLeftFast) {
      Stroke = FLastStrokeX < -Range && NewStroke > Range &&
               std::llabs(static_cast<long long>(Y) - FPrevCursor.Y) < AtCursor(VerticalLimit);
    } else {
      Stroke = FLastStrokeX > Range && NewStroke < -Range;
    }
    FLastStrokeX = NewStroke;
    FSampleX = X;
    FSampleCountdown = FSettings.UchideMovingCount;
  } else {
    --FSampleCountdown;
  }
  if (FAppearCountdown <= 0) {
    if (FMouseForm) FMouseForm->SetBounds(FMouseForm->Left(), FMouseForm->Top(), 0, 0);
    const bool Moved = X != FPrevCursor.X || Y != FPrevCursor.Y;
    if (FSettings.UchidenoKoduti && Stroke) {
      // Shift brings the program's own menu instead, as the settings' memo tells.
      OpenMenu(System().ShiftDown() ? TMouseButton::mbRight : TMouseButton::mbLeft);
    } else if (FSettings.MouseFormEnabled &&
               (FSettings.WavingMouse
                    ? Stroke
                    : !FWindow.Visible() && Moved && FLauncherMenu.Items().Count() > 0)) {
      FAppearCountdown = FSettings.MouseAppearInterval;
      const int Width = AtCursor(FSettings.MouseFormWidth);
      if (!FMouseForm || FMouseForm->Dpi() != Dpi) MakeMouseForm(Dpi);
      FMouseForm->SetBounds(X + AtCursor(FSettings.MouseFormOffsetX),
                            Y + AtCursor(FSettings.MouseFormOffsetY), Width,
                            AtCursor(FSettings.MouseFormHeight));
      FMouseForm->ShowTopmost();
    }
  }
  if (FAppearCountdown > 0) --FAppearCountdown;
  FPrevCursor = {X, Y};
}

}  // namespace lantern
