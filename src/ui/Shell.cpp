#include "ui/Shell.h"

#include "ui/Service.h"

namespace lantern {

namespace {
TServiceSlot<TShell> Slot(PlatformShell);
}

TShell& Shell() { return Slot.Get(); }
TShell* SetShell(TShell* Value) { return Slot.Set(Value); }

}  // namespace lantern
