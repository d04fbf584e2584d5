#include "ui/System.h"

#include "ui/Service.h"

namespace lantern {

namespace {
TServiceSlot<TSystem> Slot(PlatformSystem);
}

TSystem& System() { return Slot.Get(); }
TSystem* SetSystem(TSystem* Value) { return Slot.Set(Value); }

}  // namespace lantern
