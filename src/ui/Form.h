#pragma once
// A top-level window. Windowless it keeps its state; on Windows CreateHandle makes the native
// window (of the class the form names) and the native controls of its children.
#include <functional>
#include <string>

#include "ui/Control.h"

namespace lantern {

class TMainMenu;

enum class TWindowState { Normal, Minimized, Maximized };

class TForm : public TWinControl {
 public:
  using TCloseQueryEvent = std::function<void(TForm* Sender, bool& CanClose)>;

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
  // Shows the form; OnShow runs when it was hidden.
  void Show();
  void Hide() { SetVisible(false); }
  // Asks OnCloseQuery; when the close is allowed the form is closed (a main form's closing
  // ends the message loop).
  void Close();
  bool Closed() const { return FClosed; }
  // Makes the native window and its controls, when the platform has native windows.
  void CreateHandle();

  int ClientWidth() const override;
  int ClientHeight() const override;

  // Reported by the native window.
  void NativeWindowStateChanged(TWindowState Value) { FWindowState = Value; }
  void NativeClientSize(int Width, int Height);

  TCloseQueryEvent OnCloseQuery;
  TNotifyEvent OnShow;
  // The end of the Windows session is asked for (WM_QUERYENDSESSION); before the close.
  TNotifyEvent OnQueryEndSession;

 private:
  std::string FWindowClass;
  std::string FCaption;
  TMainMenu* FMenu = nullptr;
  TWindowState FWindowState = TWindowState::Normal;
  bool FClosed = false;
  int FClientWidth = -1, FClientHeight = -1;  // -1: the same as the bounds (windowless)
};

}  // namespace lantern
