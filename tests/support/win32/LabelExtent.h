#pragma once
// Windows tests only: where a label stands when its font is wider than the one its layout was
// made for. The layout's place, widened (and made taller) to hold the caption on one line,
// rightwards, or leftwards for a right-aligned label.
#include <windows.h>

#include <algorithm>
#include <string>

inline RECT LaidOutLabel(HWND Label, int Left, int Top, int Width, int Height) {
  std::wstring Text(static_cast<std::size_t>(GetWindowTextLengthW(Label)) + 1, L'\0');
  Text.resize(static_cast<std::size_t>(GetWindowTextW(Label, &Text[0], static_cast<int>(Text.size()))));
  RECT Need = {0, 0, 0, 0};
  HDC Dc = GetDC(Label);
  HGDIOBJ Old = SelectObject(Dc, reinterpret_cast<HFONT>(SendMessageW(Label, WM_GETFONT, 0, 0)));
  DrawTextW(Dc, Text.c_str(), static_cast<int>(Text.size()), &Need, DT_CALCRECT | DT_SINGLELINE);
  SelectObject(Dc, Old);
  ReleaseDC(Label, Dc);
  const int W = std::max<int>(Width, Need.right), H = std::max<int>(Height, Need.bottom);
  const LONG Style = GetWindowLongW(Label, GWL_STYLE) & SS_TYPEMASK;
  const int L = Style == SS_RIGHT ? Left - (W - Width) : Style == SS_CENTER ? Left - (W - Width) / 2 : Left;
  return {L, Top, L + W, Top + H};
}
