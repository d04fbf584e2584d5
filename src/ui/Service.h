#pragma once
// Where a platform service is found: the platform's own, unless a test installed another.

namespace lantern {

template <typename T>
class TServiceSlot {
 public:
  constexpr explicit TServiceSlot(T& (*Platform)()) : FPlatform(Platform) {}
  T& Get() const { return FInstalled ? *FInstalled : FPlatform(); }
  // Installs Value (nullptr: the platform's own again); returns the one that was in use.
  T* Set(T* Value) {
    T* Old = &Get();
    FInstalled = Value;
    return Old;
  }

 private:
  T& (*FPlatform)();
  T* FInstalled = nullptr;
};

}  // namespace lantern
