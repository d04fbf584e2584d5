#pragma once
// An icon: a native icon handle shared by its copies and released with the last of them.
// Windowless code only passes icons along; the handle means something to the platform.
#include <memory>

namespace lantern {

class TIcon {
 public:
  using TRelease = void (*)(void* Handle);
  TIcon() = default;
  TIcon(void* Handle, TRelease Release, long long Source = -1)
      : FHandle(Handle ? std::shared_ptr<void>(Handle, Release) : nullptr), FSource(Source) {}
  void* Handle() const { return FHandle.get(); }
  bool Empty() const { return !FHandle; }
  // Where the picture comes from, when the platform can tell (the shell's number for a
  // file's picture at its size): icons of one source show the same picture, so an image
  // list keeps it once. -1: unknown, every such icon is a picture of its own.
  long long Source() const { return FSource; }

 private:
  std::shared_ptr<void> FHandle;
  long long FSource = -1;
};

// The program's own icon at Size pixels square (32 or 16), from its resources; empty when
// the program has none (always without windows).
TIcon ProgramIcon(int Size);

}  // namespace lantern
