#include "ui/Shell.h"

namespace lantern {

namespace {
TShell* Installed = nullptr;
}

TShell& Shell() { return Installed ? *Installed : PlatformShell(); }

TShell* SetShell(TShell* Value) {
  TShell* Old = &Shell();
  Installed = Value;
  return Old;
}

}  // namespace lantern
