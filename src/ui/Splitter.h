#pragma once
// A bar between two aligned controls; dragging it resizes the control before it.
#include "ui/Control.h"

namespace lantern {

class TSplitter : public TWinControl {
 public:
  std::unique_ptr<TControlPeer> CreateNativePeer(TWidgetFactory& Factory, void* Parent) override;
  // Target is the left-aligned control that the bar resizes.
  TSplitter(TWinControl* Parent, TWinControl* Target);
  TWinControl* Target() const { return FTarget; }
  // The bar was dragged by Delta pixels; the target keeps at least MinSize pixels and
  // leaves at least MinSize to the rest of its parent.
  void NativeMoved(int Delta);
  static constexpr int MinSize = 30;

 private:
  TWinControl* FTarget;
};

}  // namespace lantern
