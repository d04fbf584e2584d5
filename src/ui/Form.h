#pragma once
// A top-level window. Windowless it keeps its state; on Windows CreateHandle makes the native
// window (of the class the form names) and the native controls of its children.
#include <cstdint>
#include <functional>
#include <string>

#include "ui/Control.h"
#include "ui/Dialogs.h"
#include "ui/Font.h"

namespace lantern {

class TMainMenu;

enum class TWindowState { Normal, Minimized, Maximized };
// Sizeable: the main window's frame; Dialog: a fixed dialog border, no minimise or maximise;
// Popup: a thin line and no caption, above the other windows, in neither the task bar nor
// Alt+Tab (a small window that a key brings up).
enum class TFormBorderStyle { Sizeable, Dialog, Popup };
// Designed: where its bounds put it; ScreenCenter: centred on the screen each time it shows.
enum class TFormPosition { Designed, ScreenCenter };
class TButton;

class TForm : public TWinControl {
 public:
  using TCloseQueryEvent = std::function<void(TForm* Sender, bool& CanClose)>;
  using TQueryEndSessionEvent = std::function<void(TForm* Sender, bool& CanEnd)>;
  using TEndSessionEvent = std::function<void(TForm* Sender, bool Ending)>;
  // WM_HOTKEY: the system's for a registered hot key (Id its identifier), or one posted.
  using THotKeyEvent = std::function<void(TForm* Sender, std::uintptr_t Id)>;

  // WindowClass names the native window's class (other instances find it by that name).
  explicit TForm(const std::string& WindowClass = "TLanternForm");
  ~TForm() override;

  const std::string& WindowClass() const { return FWindowClass; }
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  TWindowState WindowState() const { return FWindowState; }
  void SetWindowState(TWindowState Value);
  TMainMenu* Menu() const { return FMenu; }
  void SetMenu(TMainMenu* Value) { FMenu = Value; }
  // The window's font: "ＭＳ Ｐゴシック", 9 points, Shift-JIS, as its controls show text.
  const TFont& Font() const { return FFont; }
  // A key went down while the form was active: the enabled action of its menu that has the
  // key as its shortcut runs. Whether one did (the key is then used up).
  bool IsShortCut(unsigned Key, unsigned Shift);
  // Shows the form; OnShow runs when it was hidden.
  void Show();
  void Hide() { SetVisible(false); }
  // Asks OnCloseQuery; when the close is allowed the form is closed (a main form's closing
  // ends the message loop).
  void Close();
  bool Closed() const { return FClosed; }
  // Makes the native window and its controls, when the platform has native windows.
  void CreateHandle();

  // Sizes the form so that its client area is Width by Height (with a native window, its
  // frame and caption around that, once it exists).
  void SetClientSize(int Width, int Height);
  TFormPosition Position() const { return FPosition; }
  void SetPosition(TFormPosition Value) { FPosition = Value; }
  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value) { FBorderStyle = Value; }
  // Shows the form modally until a button or the program gives it a ModalResult or it is
  // closed (mrCancel). It belongs to the program's window the user sees and works in (the
  // main window, or a dialog over it), which takes no input meanwhile; with the main window
  // hidden it stands alone. Windowless, ModalUser acts as the user while
  // the form is shown; without one the form is cancelled.
  TModalResult ShowModal();
  bool Modal() const { return FModal; }
  // The innermost form shown modally now (its boxes and choosers belong to it); none: nullptr.
  static TForm* ModalForm();
  TModalResult ModalResult() const { return FModalResult; }
  // A modal form closes once it has a result.
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  static inline std::function<void(TForm& Form)> ModalUser;
  // The keys a dialog handles itself: Enter presses the focused button, or else the default
  // button; Esc the cancel button
  // (or cancels the form), Tab and Shift+Tab move the focus in tab order. Whether the key was
  // one of them. The native dialog loop does the same through the system. A form of its own
  // keys takes them first.
  virtual bool DialogKey(unsigned Key, unsigned Shift);
  // Alt with a letter: the control whose caption has that "&" letter acts as in the system's
  // dialogs: a label focuses its control or, without one, is clicked; a button is pressed; a
  // box is focused and toggled. Several controls with the letter: the focus moves on to the
  // next of them, pressing none. Whether a reachable control had the letter.
  bool DialogChar(char Letter);
  // Shows the next (or previous) page of the page control the focus is in (else the first
  // one showing); the focus goes to the new page when it was on the old one.
  bool NextPage(bool Forward);
  // The control with the focus, if it is one of the form's.
  TWinControl* FocusedControl();
  // Moves the focus to the next (or previous) enabled, visible control with a tab stop.
  void SelectNext(bool Forward);
  // Focuses ActiveControl when it can take the focus, else the first of them, as a dialog
  // opens.
  void SelectFirst();
  TWinControl* ActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* Value) { FActiveControl = Value; }

  int ClientWidth() const override;
  int ClientHeight() const override;

  // The dots per inch of the monitor the window is on: its children are laid out in units of
  // 1/96 inch and the native side scales them by it. 96 windowless and until the native
  // window tells.
  int Dpi() const { return FDpi; }

  // Reported by the native window.
  void NativeWindowStateChanged(TWindowState Value) { FWindowState = Value; }
  // The client area in the window's pixels; ClientWidth/ClientHeight are it in layout units.
  void NativeClientSize(int Width, int Height);
  // The window came to a monitor of another DPI (or was made on one): the client area is
  // counted anew in layout units.
  void NativeDpiChanged(int Dpi);
  // The end of the Windows session is asked for: whether the form lets it end.
  bool NativeQueryEndSession();
  // The session ends (Ending), or another program has cancelled its end.
  void NativeEndSession(bool Ending);
  void NativeDeactivated() {
    if (OnDeactivate) OnDeactivate(this);
  }
  void NativeHotKey(std::uintptr_t Id) {
    if (OnHotKey) OnHotKey(this, Id);
  }

  TCloseQueryEvent OnCloseQuery;
  // The close was allowed: runs while the native window still exists, just before it goes.
  TNotifyEvent OnClose;
  // Runs when Show() is about to make the hidden form visible: what only a shown window
  // needs can wait until then.
  TNotifyEvent OnBeforeShow;
  TNotifyEvent OnShow;
  // Another window became the active one.
  TNotifyEvent OnDeactivate;
  // Dpi() changed: the form's pictures are made anew at the new scale (its controls and
  // fonts follow by themselves).
  TNotifyEvent OnDpiChanged;
  TQueryEndSessionEvent OnQueryEndSession;
  TEndSessionEvent OnEndSession;
  THotKeyEvent OnHotKey;

 private:
  std::string FWindowClass;
  std::string FCaption;
  TMainMenu* FMenu = nullptr;
  TWinControl* FActiveControl = nullptr;
  TFont FFont;
  TWindowState FWindowState = TWindowState::Normal;
  bool FClosed = false;
  bool FModal = false;
  TModalResult FModalResult = mrNone;
  TFormBorderStyle FBorderStyle = TFormBorderStyle::Sizeable;
  TFormPosition FPosition = TFormPosition::Designed;
  int FWantedClientWidth = -1, FWantedClientHeight = -1;
  int FClientWidth = -1, FClientHeight = -1;     // -1: the same as the bounds (windowless)
  int FClientPixelsX = -1, FClientPixelsY = -1;  // the native client area as reported
  int FDpi = 96;
};

}  // namespace lantern
