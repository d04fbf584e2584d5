#pragma once
// The one base of the toolkit's native windows. A window of our own class is bound to its
// object at WM_NCCREATE; a system control (tree view, list view, bars) is subclassed onto the
// same object. Every message then goes through one dispatch that shows the error box for any
// exception, and a parent hands the notifications of its children (WM_COMMAND, WM_NOTIFY,
// WM_DRAWITEM, WM_MEASUREITEM, WM_CTLCOLOR*) to the child's object.
#include <windows.h>

#include <string>

namespace lantern {

class TWinControl;

// Runs a handler on behalf of a window procedure: an exception becomes the error box.
template <typename F>
void Dispatch(F&& Handler);
void ShowDispatchError(const char* What);

// The modifier keys held now, as the toolkit's TShiftState bits.
unsigned ShiftState();

// A window class of the program's own.
struct TWindowClass {
  const wchar_t* Name;
  HCURSOR Cursor = nullptr;
  HBRUSH Background = nullptr;
  HICON Icon = nullptr;
  UINT Style = 0;
};

class TWindow {
 public:
  TWindow() = default;
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;
  virtual ~TWindow();  // destroys the window when it still exists

  HWND Window() const { return FHandle; }
  // The object of a window of ours or of a control subclassed onto one; null for others.
  static TWindow* FromHandle(HWND Window);
  // The toolkit's control the window shows, if any.
  virtual TWinControl* Control() { return nullptr; }

 protected:
  // A window of our own class (registered the first time). Failures are raised.
  void Create(const TWindowClass& Class, DWORD ExStyle, DWORD Style, const std::wstring& Caption,
              int X, int Y, int Width, int Height, HWND Parent);
  // A system control, subclassed onto this object. Failures are raised.
  void CreateControl(const wchar_t* Class, DWORD ExStyle, DWORD Style, int X, int Y, int Width,
                     int Height, HWND Parent);
  // Destroys the window now (the destructor does it otherwise).
  void DestroyNow();
  // Notifications from another window (a control's own tool tips) come to this object too.
  void Adopt(HWND Other);

  // One message. True when handled, with its Result; otherwise the default handling runs
  // (DefWindowProc, or the control's own procedure).
  virtual bool HandleMessage(UINT Message, WPARAM WParam, LPARAM LParam, LRESULT& Result) {
    (void)Message, (void)WParam, (void)LParam, (void)Result;
    return false;
  }
  // A notification of this control that its parent passed on: WM_COMMAND, WM_NOTIFY,
  // WM_DRAWITEM, WM_MEASUREITEM or WM_CTLCOLOR*. True when handled, with its Result.
  virtual bool Reflected(UINT Message, WPARAM WParam, LPARAM LParam, LRESULT& Result) {
    (void)Message, (void)WParam, (void)LParam, (void)Result;
    return false;
  }

  HWND FHandle = nullptr;

 private:
  static LRESULT CALLBACK OwnProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam);
  static LRESULT CALLBACK ControlProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam,
                                      UINT_PTR, DWORD_PTR Data);
  // What both procedures do with a message; false leaves it to the default handling.
  bool Deliver(UINT Message, WPARAM WParam, LPARAM LParam, LRESULT& Result);
  void Bind(HWND Window);
  void Unbind();
  bool FSubclassed = false;
};

template <typename F>
void Dispatch(F&& Handler) {
  try {
    Handler();
  } catch (const std::exception& E) {
    ShowDispatchError(E.what());
  } catch (...) {
    ShowDispatchError(nullptr);
  }
}

}  // namespace lantern
