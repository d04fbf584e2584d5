#pragma once
// The base of every windowed control: bounds, alignment, visibility, focus and the native
// peer that mirrors them when there is a native window. Without a peer the control works
// windowless, and the program's handlers run all the same.
#include <functional>
#include <memory>
#include <vector>

namespace lantern {

class TWinControl;

// The native side of a control; created by the platform's widget factory.
class TControlPeer {
 public:
  virtual ~TControlPeer() = default;
  virtual void* Handle() const = 0;
  virtual void BoundsChanged() {}
  virtual void VisibleChanged() {}
  virtual void StateChanged() {}  // caption, window state or another property to mirror
  virtual void Focus() {}
  virtual void Closed() {}  // a form was closed for good
};

enum class TAlign { None, Top, Bottom, Left, Client };

class TWinControl {
 public:
  using TNotifyEvent = std::function<void(TWinControl* Sender)>;

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
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool Value) { FTabStop = Value; }
  bool Focused() const;
  void SetFocus();

  void* Handle() const { return FPeer ? FPeer->Handle() : nullptr; }
  TControlPeer* Peer() const { return FPeer.get(); }
  void SetPeer(std::unique_ptr<TControlPeer> Value) { FPeer = std::move(Value); }

  // The native control reports what the user did; the state changes before handlers run.
  void NativeBoundsChanged(int Left, int Top, int Width, int Height);
  void NativeFocusEntered();

  TNotifyEvent OnEnter;  // the control got the focus

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
  bool FRealigning = false;
  std::unique_ptr<TControlPeer> FPeer;
};

}  // namespace lantern
