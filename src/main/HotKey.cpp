// The ways to the launcher menu that need no click on the task bar: the global hot key, the
// chasing window beside the mouse cursor and the waving gesture. All three open the menus of
// the notification-area icon through its notify window, as a click on the icon would.
#include <cstdlib>

#include "main/Main.h"
#include "ui/Dialogs.h"
#include "ui/Messages.h"
#include "ui/System.h"

namespace lantern {

namespace {

constexpr int HotKeyId = 0;
constexpr unsigned ModAlt = 1, ModControl = 2, ModShift = 4;  // RegisterHotKey's MOD_ flags
constexpr int VerticalLimit = 30;  // pixels a leftward-first wave may drift per tick

}  // namespace

unsigned TLanternMain::HotKeyModifiers() const {
  return (FSettings.HotKeyShift ? ModShift : 0) | (FSettings.HotKeyCtrl ? ModControl : 0) |
         (FSettings.HotKeyAlt ? ModAlt : 0);
}

bool TLanternMain::RegisterHotKey() {
  // No key chosen (the settings store 0 then): nothing to register, nothing to report.
  if (FSettings.HotKey == 0) return true;
  return System().RegisterHotKey(Handle(), HotKeyId, HotKeyModifiers(),
                                 static_cast<unsigned>(FSettings.HotKey));
}

// A combination the user has just chosen and another program holds is told at once; at start
// it is not, since the user chose it long ago.
void TLanternMain::ReregisterHotKey() {
  System().UnregisterHotKey(Handle(), HotKeyId);
  if (!FSettings.HotKeyEnabled || RegisterHotKey()) return;
  MessageDlg(
      "ホットキーを登録できませんでした。ほかのプログラムが同じキーの組み合わせを使って"
      "います。設定で別のキーを選んでください。",
      TMsgDlgType::Warning, mbOK);
}

void TLanternMain::SetHotKeyEnabled(bool Value) {
  if (Value == FSettings.HotKeyEnabled) return;
  FSettings.HotKeyEnabled = Value;
  ReregisterHotKey();
}

void TLanternMain::SetHotKey(int Value) {
  if (Value == FSettings.HotKey) return;
  FSettings.HotKey = Value;
  if (FSettings.HotKeyEnabled) ReregisterHotKey();
}

void TLanternMain::SetHotKeyModifiers(bool Ctrl, bool Shift, bool Alt) {
  if (Ctrl == FSettings.HotKeyCtrl && Shift == FSettings.HotKeyShift && Alt == FSettings.HotKeyAlt)
    return;
  FSettings.HotKeyCtrl = Ctrl;
  FSettings.HotKeyShift = Shift;
  FSettings.HotKeyAlt = Alt;
  if (FSettings.HotKeyEnabled) ReregisterHotKey();
}

// The window's shape is made with it: a new size needs a new window.
void TLanternMain::SetMouseFormWidth(int Value) {
  FSettings.MouseFormWidth = Value;
  RecreateMouseForm();
}

void TLanternMain::SetMouseFormHeight(int Value) {
  FSettings.MouseFormHeight = Value;
  RecreateMouseForm();
}

void TLanternMain::SetMouseFormColor(int Value) {
  FSettings.MouseFormColor = Value;
  if (FMouseForm) FMouseForm->SetColor(Value);
}

void TLanternMain::SetMouseFormOffset(TPoint Value) {
  FSettings.MouseFormOffsetX = Value.X;
  FSettings.MouseFormOffsetY = Value.Y;
}

void TLanternMain::RecreateMouseForm() {
  FMouseForm.reset();
  FMouseForm = std::make_unique<TMouseForm>(*this, FSettings.MouseFormWidth,
                                            FSettings.MouseFormHeight, FSettings.MouseFormColor);
}

void TLanternMain::FormHotKey(std::uintptr_t Id) {
  // The main window shown: the key only raises it.
  if (Visible() && !FEnvSetHold && !FAboutForm) {
    System().ForceForeground(Handle());
    return;
  }
  if (FMenuShowing) {
    System().ForceForeground(System().ApplicationWindow());  // the open menu's owner
    return;
  }
  if (Id == 0) OpenIconMenu(WmLButtonDown);
  if (Id == 1) OpenIconMenu(WmRButtonDown);
}

void TLanternMain::OpenIconMenu(unsigned Button) {
  FSavedForeground = System().ForegroundWindow();
  // The menu needs the program in front; a hidden main window must not get the keys.
  System().ForceForeground(Visible() ? Handle() : System().ApplicationWindow());
  FTray->PopupPos = FSettings.FixMenuPos
                        ? TTaskTray::TPopupPos{FSettings.MenuXPos, FSettings.MenuYPos}
                        : TTaskTray::TPopupPos{};
  {
    struct TShowing {
      bool& Flag;
      ~TShowing() { Flag = false; }
    } Showing{FMenuShowing};
    FMenuShowing = true;
    if (TNotifyWindow* Notify = TTaskTray::GetNotifyWindow())
      Notify->Perform(WM_TRAYNOTIFY, static_cast<std::uintptr_t>(FTray->IconID()), Button);
  }
  // Back to the program the user was in, unless the menu started another one or brought a
  // window of Lantern's forward (the main window, a dialog).
  void* Front = System().ForegroundWindow();
  if (FSavedForeground &&
      (Front == System().ApplicationWindow() || (Front == Handle() && !Visible())))
    System().ForceForeground(FSavedForeground);
}

void TLanternMain::TrackMouse() {
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
  bool Stroke = false;
  // A wave: two strokes between samples, each longer than the range, the first in the
  // direction the settings name, the second back.
  if (FSampleCountdown <= 0) {
    const long long Range = FSettings.UchideRangeX;
    const long long NewStroke = static_cast<long long>(X) - FSampleX;
    if (FSettings.UchideLeftFast) {
      Stroke = FLastStrokeX < -Range && NewStroke > Range &&
               std::llabs(static_cast<long long>(Y) - FPrevCursor.Y) < VerticalLimit;
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
      OpenIconMenu(WmLButtonDown);
    } else if (FSettings.MouseFormEnabled && FMouseForm &&
               (FSettings.WavingMouse ? Stroke
                                      : !Visible() && Moved && LauncherMenu.Items().Count() > 0)) {
      FAppearCountdown = FSettings.MouseAppearInterval;
      FMouseForm->SetBounds(X + FSettings.MouseFormOffsetX, Y + FSettings.MouseFormOffsetY,
                            FSettings.MouseFormWidth, FSettings.MouseFormHeight);
      FMouseForm->ShowTopmost();
    }
  }
  if (FAppearCountdown > 0) --FAppearCountdown;
  FPrevCursor = {X, Y};
}

}  // namespace lantern
