#include "ui/Control.h"

#include <algorithm>

#include "base/Scoped.h"

namespace lantern {

namespace {
TWinControl* FocusedControl = nullptr;
}

TWinControl::TWinControl(TWinControl* Parent) : FParent(Parent) {
  if (FParent) {
    FParent->FControls.push_back(this);
    FParent->FTabList.push_back(this);
  }
}

TWinControl::~TWinControl() {
  if (FocusedControl == this) FocusedControl = nullptr;
  FPeer.reset();
  if (FParent) {
    auto& Siblings = FParent->FControls;
    Siblings.erase(std::remove(Siblings.begin(), Siblings.end(), this), Siblings.end());
    auto& Tabs = FParent->FTabList;
    Tabs.erase(std::remove(Tabs.begin(), Tabs.end(), this), Tabs.end());
  }
}

void TWinControl::SetBounds(int Left, int Top, int Width, int Height) {
  ApplyBounds(Left, Top, Width, Height, true);
}

void TWinControl::NativeBoundsChanged(int Left, int Top, int Width, int Height) {
  ApplyBounds(Left, Top, Width, Height, false);
}

void TWinControl::ApplyBounds(int Left, int Top, int Width, int Height, bool Mirror) {
  if (Left == FLeft && Top == FTop && Width == FWidth && Height == FHeight) return;
  FLeft = Left;
  FTop = Top;
  FWidth = Width;
  FHeight = Height;
  if (Mirror && FPeer) FPeer->BoundsChanged();
  BoundsChanged();
  Realign();
  // An aligned control that changes its size moves its neighbours.
  if (FParent && FAlign != TAlign::None && !FParent->FRealigning) FParent->Realign();
}

void TWinControl::SetAlign(TAlign Value) {
  FAlign = Value;
  if (FParent) FParent->Realign();
}

void TWinControl::Realign() {
  if (FRealigning) return;
  TScopedValue<bool> Realigning(FRealigning, true);
  int Left = 0, Top = 0, Right = ClientWidth(), Bottom = ClientHeight();
  for (TAlign Pass : {TAlign::Top, TAlign::Bottom, TAlign::Left, TAlign::Client}) {
    for (TWinControl* c : FControls) {
      if (c->FAlign != Pass || !c->FVisible) continue;
      switch (Pass) {
        case TAlign::Top:
          c->SetBounds(Left, Top, Right - Left, c->FHeight);
          Top += c->FHeight;
          break;
        case TAlign::Bottom:
          Bottom -= c->FHeight;
          c->SetBounds(Left, Bottom, Right - Left, c->FHeight);
          break;
        case TAlign::Left:
          c->SetBounds(Left, Top, c->FWidth, std::max(0, Bottom - Top));
          Left += c->FWidth;
          break;
        default:
          c->SetBounds(Left, Top, std::max(0, Right - Left), std::max(0, Bottom - Top));
          break;
      }
    }
  }
}

void TWinControl::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  if (FPeer) FPeer->VisibleChanged();
  if (FParent) FParent->Realign();
}

void TWinControl::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  if (FPeer) FPeer->EnabledChanged();
}

int TWinControl::TabOrder() const {
  if (!FParent) return -1;
  const auto& Tabs = FParent->FTabList;
  return static_cast<int>(std::find(Tabs.begin(), Tabs.end(), this) - Tabs.begin());
}

void TWinControl::SetTabOrder(int Value) {
  if (!FParent) return;
  auto& Tabs = FParent->FTabList;
  Tabs.erase(std::find(Tabs.begin(), Tabs.end(), this));
  Value = std::max(0, std::min(Value, static_cast<int>(Tabs.size())));
  Tabs.insert(Tabs.begin() + Value, this);
}

std::vector<TWinControl*> TWinControl::TabOrdered() const { return FTabList; }

bool TWinControl::Focused() const { return FocusedControl == this; }

void TWinControl::SetFocus() {
  if (FPeer) FPeer->Focus();  // the native control reports the focus back
  if (FocusedControl != this) NativeFocusEntered();
}

void TWinControl::ScreenOrigin(int& X, int& Y) const {
  if (FPeer && FPeer->ScreenOrigin(X, Y)) return;
  X = FLeft;
  Y = FTop;
  for (TWinControl* p = FParent; p; p = p->FParent) {
    X += p->FLeft;
    Y += p->FTop;
  }
}

bool TWinControl::NativeKeyDown(unsigned Key, unsigned Shift) {
  if (!OnKeyDown) return false;
  OnKeyDown(this, Key, Shift);
  return Key == 0;
}

void TWinControl::NativeFocusEntered() {
  if (FocusedControl == this) return;
  FocusedControl = this;
  if (OnEnter) OnEnter(this);
}

void TWinControl::NativeFocusLeft() {
  if (FocusedControl != this) return;
  FocusedControl = nullptr;
  if (OnExit) OnExit(this);
}

}  // namespace lantern
