#pragma once
// BeginUpdate on construction, EndUpdate on destruction, also when an exception passes.
// Works with anything that has the pair (tree nodes, list rows); a null target does nothing.

namespace lantern {

template <typename T>
class TUpdateBracket {
 public:
  explicit TUpdateBracket(T* Target) : FTarget(Target) {
    if (FTarget) FTarget->BeginUpdate();
  }
  ~TUpdateBracket() {
    if (FTarget) FTarget->EndUpdate();
  }
  TUpdateBracket(TUpdateBracket&& Other) noexcept : FTarget(Other.FTarget) {
    Other.FTarget = nullptr;
  }
  TUpdateBracket(const TUpdateBracket&) = delete;
  TUpdateBracket& operator=(const TUpdateBracket&) = delete;

 private:
  T* FTarget;
};

}  // namespace lantern
