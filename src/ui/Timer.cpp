#include "ui/Timer.h"

#include "ui/Widgets.h"

namespace lantern {

namespace {
TWidgetFactory* Factory = nullptr;
}

TWidgetFactory* Widgets() { return Factory; }
void SetWidgets(TWidgetFactory* Value) { Factory = Value; }

TTimer::TTimer() {
  if (Widgets()) FPeer = Widgets()->CreateTimer(*this);
}

TTimer::~TTimer() = default;

void TTimer::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  if (FPeer) FPeer->Changed();
}

void TTimer::SetInterval(int Milliseconds) {
  if (FInterval == Milliseconds) return;
  FInterval = Milliseconds;
  if (FPeer) FPeer->Changed();
}

void TTimer::Tick() {
  if (FEnabled && OnTimer) OnTimer(this);
}

}  // namespace lantern
