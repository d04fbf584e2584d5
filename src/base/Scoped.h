#pragma once
// A variable set for as long as a scope runs and given back the value it had before when the
// scope ends, however it ends (a return, an exception): a flag that says a loop is running,
// the window a command has open.
#include <utility>

namespace lantern {

template <typename T>
class TScopedValue {
 public:
  TScopedValue(T& Variable, T Value)
      : FVariable(Variable), FBefore(std::exchange(Variable, std::move(Value))) {}
  ~TScopedValue() { FVariable = std::move(FBefore); }
  TScopedValue(const TScopedValue&) = delete;
  TScopedValue& operator=(const TScopedValue&) = delete;

 private:
  T& FVariable;
  T FBefore;
};

}  // namespace lantern
