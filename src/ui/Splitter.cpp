#include "ui/Splitter.h"

#include <algorithm>

#include "ui/Widgets.h"

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

std::unique_ptr<TControlPeer> TSplitter::CreateNativePeer(TWidgetFactory& Factory, void* Parent) {
  return Factory.CreateSplitter(*this, Parent);
}

}  // namespace lantern
