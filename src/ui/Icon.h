#pragma once
// An icon: a native icon handle shared by its copies and released with the last of them.
// Windowless code only passes icons along; the handle means something to the platform.
#include <memory>

namespace lantern {

class TIcon {
 public:
  using TRelease = void (*)(void* Handle);
  TIcon() = default;
  TIcon(void* Handle, TRelease Release)
      : FHandle(Handle ? std::shared_ptr<void>(Handle, Release) : nullptr) {}
  void* Handle() const { return FHandle.get(); }
  bool Empty() const { return !FHandle; }

 private:
  std::shared_ptr<void> FHandle;
};

// The program's own icon at Size pixels square (32 or 16), from its resources; empty when
// the program has none (always without windows).
TIcon ProgramIcon(int Size);

}  // namespace lantern
