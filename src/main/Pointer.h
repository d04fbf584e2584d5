#pragma once
// The ways to the launcher menu that need no click on the task bar: the global hot key, the
// chasing window beside the mouse cursor and the waving gesture. All three open the menus of
// the notification-area icon as a click on the icon would.
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>

#include "main/Mouse.h"

namespace lantern {

class TForm;
class TPopupMenu;
class TTaskTray;
struct TSettings;

class TPointer {
 public:
  // Window: the main window, which hears the hot key and the chasing window's clicks.
  // LauncherMenu: the chasing window shows only while it has entries. Registers the hot key
  // as the settings have it (a combination another program holds is not told at start) and
  // makes the chasing window.
  TPointer(TForm& Window, TTaskTray& Tray, TPopupMenu& LauncherMenu, const TSettings& Settings);
  ~TPointer();
  TPointer(const TPointer&) = delete;
  TPointer& operator=(const TPointer&) = delete;

  // Whether the shown main window only comes to the front for the key (no dialog of its own
  // is open); unset, it does whenever it is shown.
  std::function<bool()> KeyOnlyRaises;

  // WM_HOTKEY: Id 0 the launcher menu, 1 the program's menu.
  void HotKey(std::uintptr_t Id);
  // Opens the icon's menu of Button, then gives the window that was in front back.
  void OpenMenu(TMouseButton Button);
  // Each tick: the waving gesture, the chasing window.
  void Track();
  // The hot key came again while the launcher menu was open: the menu was closed for the
  // search window. Asked once.
  bool TakeSearchWanted() { return std::exchange(FSearchWanted, false); }
  // A menu of the icon is open (the hot key then only brings it to the front).
  bool MenuShowing() const { return FMenuShowing; }
  void SetMenuShowing(bool Value) { FMenuShowing = Value; }

  // After the settings changed: the hot key registered again (a failure is told), the
  // chasing window made anew in its size, or painted in its colour.
  void ReregisterHotKey();
  // Whether another program holds the combination (RegisterHotKey's modifier flags and a
  // key); the one registered now is not another program's.
  bool HotKeyTaken(unsigned Modifiers, unsigned Key);
  void RecreateMouseForm();
  void UpdateMouseFormColor();
  TMouseForm* MouseForm() const { return FMouseForm.get(); }  // none before it first appears

 private:
  bool RegisterHotKey();  // with the current combination; whether it was taken
  // The chasing window made for the settings' size scaled to Dpi.
  void MakeMouseForm(int Dpi);

  struct TPoint {
    int X = 0, Y = 0;
  };
  TForm& FWindow;
  TTaskTray& FTray;
  TPopupMenu& FLauncherMenu;
  const TSettings& FSettings;
  std::unique_ptr<TMouseForm> FMouseForm;
  bool FMenuShowing = false;
  bool FSearchWanted = false;
  bool FRegistered = false;          // the hot key is registered
  void* FSavedForeground = nullptr;  // in front before the menu opened
  int FAppearCountdown = 10;         // ticks before the chasing window may change again
  int FSampleCountdown = 1;          // ticks before the next sample of the wave
  long long FLastStrokeX = 0;        // the last stroke between two samples; + to the right
  int FSampleX = 0;                  // the cursor's x at the last sample
  TPoint FPrevCursor;                // at the previous tick
};

}  // namespace lantern
