#pragma once
// Native child controls of a form: a system control subclassed onto its peer, which mirrors
// the toolkit control's bounds, visibility and focus. Views (the tree and the list) also hand
// their keys to the toolkit first.
#include "ui/Control.h"
#include "ui/win32/Window.h"

namespace lantern {

// The font the program's controls show text in: "ＭＳ Ｐゴシック", 12 layout pixels at Dpi,
// Shift-JIS. Made once per DPI and kept.
HFONT UiFont(int Dpi);

// The DPI of the form the control is in (96 outside a form).
int DpiOf(const TWinControl& Control);

// The control's bounds in its parent window's pixels at Dpi: its edges are scaled from the
// form's client origin, so that controls that meet in the layout meet on the screen, and a
// control that fills its parent in the layout fills it to the pixel, however deep.
RECT PixelBounds(const TWinControl& Control, int Dpi);

class TChildWindow : public TWindow {
 public:
  explicit TChildWindow(TWinControl& Control) : FControl(Control) {}
  TWinControl* Control() override { return &FControl; }

 protected:
  // Views take the focus and have a sunken edge; bars have neither.
  void CreateChild(const wchar_t* Class, DWORD Style, HWND Parent, bool View);
  void MirrorBounds();
  void MirrorVisible();
  bool OriginOnScreen(int& X, int& Y) const;
  void FocusNative();
  // The DPI of the control's form, and a length of the layout at it.
  int Dpi() const { return DpiOf(FControl); }
  int Pixels(int Layout) const;
  // The form came to another DPI: the program's font made for it (unless the control shows
  // a font of its own) and the bounds scaled anew.
  void Rescale();

  TWinControl& FControl;
  // The peer itself changes the native control: the notifications this causes are not the
  // user's doing.
  bool FSyncing = false;
};

// Sets a flag for as long as a peer itself changes its native control.
class TSyncing {
 public:
  explicit TSyncing(bool& Flag) : FFlag(Flag), FOld(Flag) { FFlag = true; }
  ~TSyncing() { FFlag = FOld; }
  TSyncing(const TSyncing&) = delete;
  TSyncing& operator=(const TSyncing&) = delete;

 private:
  bool& FFlag;
  bool FOld;
};

// A child control's peer: the toolkit's peer interface (TPeerBase) mirrored by a child window.
template <typename TPeerBase>
class TChildPeer : public TPeerBase, public TChildWindow {
 public:
  using TChildWindow::TChildWindow;
  void* Handle() const override { return FHandle; }
  void BoundsChanged() override { MirrorBounds(); }
  void VisibleChanged() override { MirrorVisible(); }
  void EnabledChanged() override { EnableWindow(FHandle, FControl.Enabled()); }
  void Focus() override { FocusNative(); }
  bool ScreenOrigin(int& X, int& Y) const override { return OriginOnScreen(X, Y); }
  void DpiChanged() override {
    Rescale();
    this->BoundsChanged();  // a control's own mirroring of its bounds, if it has one
  }
};

class TViewWindow : public TChildWindow {
 public:
  using TChildWindow::TChildWindow;

 protected:
  // Keys reach the toolkit control before the control's own handling, WM_SYSKEYDOWN (Alt+Enter,
  // Shift+F10) as well as WM_KEYDOWN. A key a handler used up goes no further: neither to the
  // control, nor as the character or the key release that follow it (no beep for Enter, no
  // second popup from Shift+F10, which the default handling would send as WM_CONTEXTMENU).
  bool HandleMessage(UINT Message, WPARAM WParam, LPARAM LParam, LRESULT& Result) override;
  // The view's notifications, as its parent passes them on.
  virtual LRESULT Notify(NMHDR* Header) = 0;
  bool Reflected(UINT Message, WPARAM, LPARAM LParam, LRESULT& Result) override {
    if (Message != WM_NOTIFY) return false;
    Result = Notify(reinterpret_cast<NMHDR*>(LParam));
    return true;
  }
  // The control reported that the user started dragging an entry (LVN_BEGINDRAG,
  // TVN_BEGINDRAG): the view holds the mouse until the button goes up, Esc or the mouse is
  // lost, and tells the toolkit where it is.
  void BeginDrag();
  // As a drop target: marks the entry at the client point (Over) or no entry any more.
  virtual void ShowDropTarget(bool Over, int X, int Y) { (void)Over, (void)X, (void)Y; }

 private:
  // The mouse at a point of this view's client area; Drop: the button went up there.
  void DragTo(LPARAM Point, bool Drop);
  void EndDrag(bool Drop, LPARAM Point);
  void LeaveDropTarget();
  WPARAM FUsedKey = 0;
  bool FDragging = false;
  HWND FDropWindow = nullptr;  // the view marked as the drop target
};

}  // namespace lantern
