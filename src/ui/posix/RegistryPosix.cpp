// Without Windows the registry lives in memory for the life of the process.
#include "ui/MemoryRegistry.h"

namespace lantern {

TRegistry& PlatformRegistry() {
  static TMemoryRegistry Instance;
  return Instance;
}

}  // namespace lantern
