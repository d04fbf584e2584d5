#include "ui/Font.h"

#include <cstdint>

#include "ui/Dpi.h"

namespace lantern {

namespace {
// a * b / c rounded half away from zero, clamped to int (as Windows' MulDiv, without its -1).
int MulDiv(int a, int b, int c) {
  std::int64_t p = static_cast<std::int64_t>(a) * b;
  std::int64_t q = (p >= 0 ? p + c / 2 : p - c / 2) / c;
  if (q > INT32_MAX) return INT32_MAX;
  if (q < -INT32_MAX) return -INT32_MAX;
  return static_cast<int>(q);
}
}  // namespace

// The size is kept as given, so that what is read is written back unchanged; the height is
// clamped to +-INT_MAX (MulDiv).
void TFont::SetSize(int Value) {
  FSize = Value;
  FHeight = -MulDiv(Value, PixelsPerInch, 72);
  FInPoints = true;
}

// INT_MIN has no magnitude in an int: it becomes -INT_MAX, so that abs(Height()) is always
// defined.
void TFont::SetHeight(int Value) {
  FHeight = Value < -INT32_MAX ? -INT32_MAX : Value;
  FSize = -MulDiv(FHeight, 72, PixelsPerInch);
  FInPoints = false;
}

int TFont::HeightAt(int Dpi) const {
  if (FInPoints && FSize > 0) return PointsToHeight(FSize, Dpi);
  return ScaleToDpi(FHeight, Dpi);
}

}  // namespace lantern
