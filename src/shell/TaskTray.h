#pragma once
// The program's icon in the notification area. TTaskTray is one icon; TNotifyWindow is the
// hidden window that receives the shell's callbacks for every icon of the process and hands
// each to its TTaskTray, which opens its menus.
#include <functional>
#include <optional>
#include <string>

#include "ui/Icon.h"
#include "ui/Menus.h"
#include "ui/MessageWindow.h"
#include "ui/Messages.h"
#include "ui/Shell.h"

namespace lantern {

class TTaskTray;

class TNotifyWindow : public TMessageWindow {
 public:
  TNotifyWindow();
  // WM_TRAYNOTIFY: WParam an icon's ID, LParam the mouse message. "TaskbarCreated": the
  // shell has started again and has forgotten every icon, which are added again.
  void WndProc(unsigned Message, std::uintptr_t WParam, std::intptr_t LParam) override;

 private:
  unsigned FTaskbarCreated;
};

class TTaskTray : private TMenuFreeListener {
 public:
  using TButtonDblClick = std::function<void(TTaskTray* Seft, TMouseButton Button)>;
  using TMouseMoveEvent = std::function<void(TTaskTray* Sender, unsigned Shift, int X, int Y)>;
  using TMouseEvent =
      std::function<void(TTaskTray* Sender, TMouseButton Button, unsigned Shift, int X, int Y)>;
  struct TPopupPos {
    int X = 0, Y = 0;
  };

  // AOwner: the window whose menus the icon opens; brought to the front on a button-down
  // when it shows.
  explicit TTaskTray(TWinControl* AOwner);
  TTaskTray(const TTaskTray&) = delete;
  TTaskTray& operator=(const TTaskTray&) = delete;
  virtual ~TTaskTray();

  TPopupMenu* PopupMenuL() const { return FPopupMenuL; }
  void SetPopupMenuL(TPopupMenu* Value) { SetMenu(FPopupMenuL, Value); }
  TPopupMenu* PopupMenuR() const { return FPopupMenuR; }
  void SetPopupMenuR(TPopupMenu* Value) { SetMenu(FPopupMenuR, Value); }
  const std::string& TipString() const { return FTipString; }
  void SetTipString(const std::string& Value);
  const TIcon& Icon() const { return FIcon; }
  void SetIcon(const TIcon& Value);  // an empty icon takes the icon away
  int IconID() const { return FIconID; }
  void SetIconID(int Value);
  bool Registered() const { return FRegistered; }
  void SetRegistered(bool Value);
  bool Added() const { return FAdded; }  // the shell holds the icon

  TButtonDblClick OnDblClick;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;

  // Opens the menu of Button as a click on the icon would (the owner in front, then
  // OnMouseDown), at Point (screen pixels, any monitor's, left or above the primary's too)
  // or, unset, at the cursor. Nothing while a menu of an icon is open.
  void OpenMenu(TMouseButton Button, std::optional<TPopupPos> Point);
  void OpenMenu(TMouseButton Button, TPopupPos Point) {
    OpenMenu(Button, std::optional<TPopupPos>(Point));
  }
  void OpenMenu(TMouseButton Button) { OpenMenu(Button, std::nullopt); }

  // The shared notify window; null until the first icon was shown.
  static TNotifyWindow* GetNotifyWindow();
  // The icon of an ID, null when no icon has it.
  static TTaskTray* FindIcon(unsigned ID);

  virtual void DeleteIcon();
  virtual void UpdateIcon();
  virtual void DblClick(TMouseButton Button);
  virtual void MouseDown(TMouseButton Button, unsigned Shift, int X, int Y);
  virtual void MouseMove(int X, int Y);
  virtual void MouseUp(TMouseButton Button, unsigned Shift, int X, int Y);
  void Loaded() { UpdateIcon(); }

 private:
  friend class TNotifyWindow;
  // The shell forgot the icon: add it again when it is meant to be there.
  void Readd();
  // A menu that goes is no longer opened (Notification).
  void SetMenu(TPopupMenu*& Field, TPopupMenu* Value);
  void MenuFreed(TPopupMenu* Menu) override;

  TWinControl* FOwner;
  TPopupMenu* FPopupMenuL = nullptr;
  TPopupMenu* FPopupMenuR = nullptr;
  std::string FTipString;
  TIcon FIcon;
  int FIconID = 0;
  bool FRegistered = false;
  bool FAdded = false;
  TNotifyIconData FIconData;
};

}  // namespace lantern
