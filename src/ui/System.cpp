#include "ui/System.h"

namespace lantern {

namespace {
TSystem* Installed = nullptr;
}

TSystem& System() { return Installed ? *Installed : PlatformSystem(); }

TSystem* SetSystem(TSystem* Value) {
  TSystem* Old = &System();
  Installed = Value;
  return Old;
}

}  // namespace lantern
