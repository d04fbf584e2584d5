#include "model/TreeGuard.h"

#include <utility>

namespace lantern {

TTreeGuard::THold::THold(TTreeGuard& Guard) : FGuard(Guard) {
  if (FGuard.FHolds++ == 0 && FGuard.OnHeldChanged) FGuard.OnHeldChanged(true);
}

TTreeGuard::THold::~THold() {
  if (--FGuard.FHolds == 0 && FGuard.OnHeldChanged) FGuard.OnHeldChanged(false);
}

void TTreeGuard::Run(std::function<void()> Change) {
  if (Held())
    FWaiting.push_back(std::move(Change));
  else
    Change();
}

void TTreeGuard::Flush(const std::function<void(const std::function<void()>&)>& Runner) {
  while (!Held() && !FWaiting.empty()) {
    std::function<void()> Change = std::move(FWaiting.front());
    FWaiting.pop_front();
    Runner(Change);
  }
}

}  // namespace lantern
