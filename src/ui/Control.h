#pragma once
// The base of every windowed control: bounds, alignment, visibility, focus and the native
// peer that mirrors them when there is a native window. Without a peer the control works
// windowless, and the program's handlers run all the same.
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace lantern {

class TWinControl;
class TWidgetFactory;

// The native side of a control; created by the platform's widget factory.
class TControlPeer {
 public:
  virtual ~TControlPeer() = default;
  virtual void* Handle() const = 0;
  virtual void BoundsChanged() {}
  virtual void VisibleChanged() {}
  virtual void StateChanged() {}  // caption, window state or another property to mirror
  virtual void Focus() {}
  virtual void EnabledChanged() {}
  virtual void Closed() {}  // a form was closed for good
  virtual bool ScreenOrigin(int&, int&) const { return false; }
  // The form's window came to a monitor of another DPI: the native control takes its size
  // and fonts at the new scale.
  virtual void DpiChanged() {}
};

enum class TAlign { None, Top, Bottom, Left, Client };
enum class TMouseButton { mbLeft, mbRight, mbMiddle };

class TPopupMenu;

// Virtual-key codes the program handles.
enum TVirtualKey : unsigned {
  VkBack = 0x08,
  VkTab = 0x09,
  VkReturn = 0x0D,
  VkEscape = 0x1B,
  VkPrior = 0x21,  // Page Up
  VkNext = 0x22,   // Page Down
  VkUp = 0x26,
  VkDown = 0x28,
  VkDelete = 0x2E,
  VkF2 = 0x71,
  VkF10 = 0x79
};

class TWinControl {
 public:
  using TNotifyEvent = std::function<void(TWinControl* Sender)>;
  // Key: a virtual-key code, set to 0 by a handler that consumes it; Shift: TShiftState bits.
  using TKeyEvent = std::function<void(TWinControl* Sender, unsigned& Key, unsigned Shift)>;

  explicit TWinControl(TWinControl* Parent = nullptr);
  TWinControl(const TWinControl&) = delete;
  TWinControl& operator=(const TWinControl&) = delete;
  virtual ~TWinControl();

  TWinControl* Parent() const { return FParent; }
  const std::vector<TWinControl*>& Controls() const { return FControls; }

  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetBounds(int Left, int Top, int Width, int Height);
  void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
  void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign Value);
  // The area inside the control that children are laid out in.
  virtual int ClientWidth() const { return FWidth; }
  virtual int ClientHeight() const { return FHeight; }
  // Lays the aligned children out: top and bottom ones first, then left, then client.
  void Realign();

  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool Value) { FTabStop = Value; }
  // The place of the control among its siblings when Tab moves the focus (creation order
  // unless set).
  int TabOrder() const;
  void SetTabOrder(int Value);
  // The children in their tab order.
  std::vector<TWinControl*> TabOrdered() const;
  // The "&" letters that several controls within share on purpose (Alt with one of them
  // steps through those controls); any other letter belongs to one control of a page.
  const std::string& SharedAltLetters() const { return FSharedAltLetters; }
  void SetSharedAltLetters(const std::string& Value) { FSharedAltLetters = Value; }
  // Whether the control has the keyboard focus. A view loses it as soon as its native window
  // does: when its window is no longer active (another program's or dialog's in front, or the
  // window hidden), a command does not find it focused.
  bool Focused() const;
  void SetFocus();

  void* Handle() const { return FPeer ? FPeer->Handle() : nullptr; }
  TControlPeer* Peer() const { return FPeer.get(); }
  void SetPeer(std::unique_ptr<TControlPeer> Value) { FPeer = std::move(Value); }
  // The native control of this kind of control, made by the factory in the parent's native
  // window; none for controls without one of their own.
  virtual std::unique_ptr<TControlPeer> CreateNativePeer(TWidgetFactory& Factory, void* Parent) {
    (void)Factory, (void)Parent;
    return nullptr;
  }

  // The native control reports what the user did; the state changes before handlers run.
  void NativeBoundsChanged(int Left, int Top, int Width, int Height);
  void NativeFocusEntered();
  void NativeFocusLeft();

  // The menu a right click (or Shift+F10, or the menu key) opens on the control.
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* Value) { FPopupMenu = Value; }
  // The screen point of the control's top left corner (windowless: its position).
  void ScreenOrigin(int& X, int& Y) const;
  // A key went down in the control; whether a handler consumed it.
  bool NativeKeyDown(unsigned Key, unsigned Shift);

  TNotifyEvent OnEnter;  // the control got the focus
  TNotifyEvent OnExit;   // the control lost it
  TKeyEvent OnKeyDown;

 protected:
  virtual void BoundsChanged() {}

 private:
  void ApplyBounds(int Left, int Top, int Width, int Height, bool Mirror);
  TWinControl* FParent;
  std::vector<TWinControl*> FControls;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  TAlign FAlign = TAlign::None;
  bool FVisible = true;
  bool FTabStop = true;
  bool FEnabled = true;
  std::vector<TWinControl*> FTabList;  // the children in their tab order
  bool FRealigning = false;
  TPopupMenu* FPopupMenu = nullptr;
  std::string FSharedAltLetters;
  std::unique_ptr<TControlPeer> FPeer;
};

}  // namespace lantern
