#pragma once
// Colour values as stored everywhere: 0x00BBGGRR, or 0x80000000 + a system colour index.
#include <cstdint>

namespace lantern {

using TColor = std::int32_t;

constexpr TColor SystemColor(int Index) {
  return static_cast<TColor>(0x80000000u | static_cast<std::uint32_t>(Index));
}
constexpr bool IsSystemColor(TColor Value) { return Value < 0; }
constexpr int SystemColorIndex(TColor Value) {
  return static_cast<int>(static_cast<std::uint32_t>(Value) & 0xFFu);
}

constexpr TColor clBtnFace = SystemColor(15);        // COLOR_BTNFACE
constexpr TColor clWindow = SystemColor(5);          // COLOR_WINDOW
constexpr TColor clHighlight = SystemColor(13);      // COLOR_HIGHLIGHT
constexpr TColor clBtnText = SystemColor(18);        // COLOR_BTNTEXT
constexpr TColor clHighlightText = SystemColor(14);  // COLOR_HIGHLIGHTTEXT
constexpr TColor clBtnHighlight = SystemColor(20);   // COLOR_BTNHIGHLIGHT
constexpr TColor clBtnShadow = SystemColor(16);      // COLOR_BTNSHADOW
constexpr TColor clGrayText = SystemColor(17);       // COLOR_GRAYTEXT

}  // namespace lantern
