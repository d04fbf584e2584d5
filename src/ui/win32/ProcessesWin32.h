#pragma once
// The Windows process service with a chosen first size of its process-id buffer, so that the
// buffer's growth can be seen without a thousand processes.
#include <cstddef>
#include <memory>

#include "ui/Processes.h"

namespace lantern {

std::unique_ptr<TProcessService> NewWin32Processes(std::size_t FirstIdCount);

}  // namespace lantern
