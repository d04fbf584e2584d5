#include "ui/Dpi.h"

#include <algorithm>
#include <cstdint>

namespace lantern {

namespace {

// Value * Numerator / Denominator to the nearest integer, halves away from zero, without
// overflow for any int.
int MulDivRound(int Value, int Numerator, int Denominator) {
  if (Denominator <= 0) return Value;
  const std::int64_t Product = static_cast<std::int64_t>(Value) * Numerator;
  const std::int64_t Half = Denominator / 2;
  const std::int64_t Result =
      Product >= 0 ? (Product + Half) / Denominator : -((-Product + Half) / Denominator);
  return static_cast<int>(std::clamp<std::int64_t>(Result, INT32_MIN, INT32_MAX));
}

}  // namespace

int ScaleToDpi(int Value, int Dpi) { return MulDivRound(Value, Dpi, DesignDpi); }

int ScaleFromDpi(int Value, int Dpi) { return MulDivRound(Value, DesignDpi, Dpi); }

int PointsToHeight(int Points, int Dpi) { return Points <= 0 ? 0 : -MulDivRound(Points, Dpi, 72); }

int SmallIconSize(int Dpi) { return ScaleToDpi(16, Dpi); }

TRect KeepInArea(const TRect& Window, const TRect& Area) {
  const int Width = Window.Width(), Height = Window.Height();
  const int Left = std::max(Area.Left, std::min(Window.Left, Area.Right - Width));
  const int Top = std::max(Area.Top, std::min(Window.Top, Area.Bottom - Height));
  return {Left, Top, Left + Width, Top + Height};
}

}  // namespace lantern
