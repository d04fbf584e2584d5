#pragma once
// The four colours of a launcher menu row, as items, kinds, colour examples and the dialogs
// hold them.
#include "base/Color.h"

namespace lantern {

struct TColorSet {
  TColor BackColor, FontColor, SelectedBackColor, SelectedFontColor;
  bool operator==(const TColorSet& Other) const {
    return BackColor == Other.BackColor && FontColor == Other.FontColor &&
           SelectedBackColor == Other.SelectedBackColor &&
           SelectedFontColor == Other.SelectedFontColor;
  }
  bool operator!=(const TColorSet& Other) const { return !(*this == Other); }
};

// The system's menu colours: what every set starts as and what the reset button brings back.
constexpr TColorSet DefaultColorSet = {clBtnFace, clBtnText, clHighlight, clHighlightText};

}  // namespace lantern
