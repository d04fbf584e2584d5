#include "ui/Splitter.h"

#include <algorithm>

namespace lantern {

TSplitter::TSplitter(TWinControl* Parent, TWinControl* Target)
    : TWinControl(Parent), FTarget(Target) {
  SetWidth(3);
  SetAlign(TAlign::Left);
}

void TSplitter::NativeMoved(int Delta) {
  int Room = Parent() ? Parent()->ClientWidth() - Width() - MinSize : FTarget->Width() + Delta;
  FTarget->SetWidth(std::max(MinSize, std::min(FTarget->Width() + Delta, Room)));
}

}  // namespace lantern
