#include "ui/Processes.h"

#include "ui/Service.h"

namespace lantern {

namespace {
TServiceSlot<TProcessService> Slot(PlatformProcesses);
}

TProcessService& Processes() { return Slot.Get(); }
TProcessService* SetProcesses(TProcessService* Value) { return Slot.Set(Value); }

}  // namespace lantern
