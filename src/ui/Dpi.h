#pragma once
// The screen's scale. Layouts are given at 96 dots per inch (100%); a window is drawn at the
// DPI of the monitor it is on, so its lengths are scaled from the layout's.
#include "ui/Rect.h"

namespace lantern {

constexpr int DesignDpi = 96;

// A length of the layouts at Dpi, to the nearest pixel (halves away from zero).
int ScaleToDpi(int Value, int Dpi);
// A length at Dpi back in the layouts' units, to the nearest unit.
int ScaleFromDpi(int Value, int Dpi);
// A font's size in points as its character height in pixels at Dpi: negative, as LOGFONT
// takes it; a size of 0 or less stays 0 (the face's default).
int PointsToHeight(int Points, int Dpi);
// The side of a small icon at Dpi (the launcher menu's, the views', the notification
// area's): 16 at 96, 20 at 120, 24 at 144, 32 at 192.
int SmallIconSize(int Dpi);
// Window moved (not resized, unless it is larger than Area: then it starts at Area's left or
// top) so that it lies inside Area, a monitor's work area.
TRect KeepInArea(const TRect& Window, const TRect& Area);

}  // namespace lantern
