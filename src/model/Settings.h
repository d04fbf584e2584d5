#pragma once
// The program's settings, each named as its registry value and starting at its default. The
// settings store of the main window reads and writes them; the settings dialog edits a copy.
#include <array>
#include <string>

namespace lantern {

// The hot key's modifiers as RegisterHotKey takes them: Shift 4, Ctrl 2, Alt 1.
constexpr unsigned HotKeyModifierFlags(bool Shift, bool Ctrl, bool Alt) {
  return (Shift ? 4u : 0u) | (Ctrl ? 2u : 0u) | (Alt ? 1u : 0u);
}

struct TSettings {
  bool HotKeyEnabled = true;
  bool HotKeyCtrl = false;
  bool HotKeyShift = true;
  bool HotKeyAlt = false;
  int HotKey = 27;  // Esc: the default hot key is Shift+Esc
  bool UseWatchApp = true;
  bool NotWatchNetwortApp = false;
  int WatchAppInterval = 25;      // timer ticks of 200 ms
  bool MoveFirstPosition = true;  // the run-order rule and the explorer options: the tree's
  bool UpperFirst = true;
  bool DispRegisterIcon = true;
  bool IconLeftClickPopupMenu = true;
  std::string DataFileName;  // no default: the store works it out at start
  std::string ExplorerOption;
  // The Start Menu's files taken in so far, "|" between them (no path holds one): what the
  // user deleted after an import is not taken in again.
  std::string StartMenuImported;
  bool FixMenuPos = false;
  int MenuXPos = 0;
  int MenuYPos = 0;
  bool MouseFormEnabled = true;
  int MouseFormOffsetX = 20;
  int MouseFormOffsetY = 20;
  int MouseAppearInterval = 10;
  int MouseFormWidth = 15;
  int MouseFormHeight = 15;
  int MouseFormColor = 0x00FFFF;  // yellow
  bool WavingMouse = false;
  bool UchidenoKoduti = false;
  int UchideMovingCount = 1;
  bool UchideLeftFast = true;
  int UchideRangeX = 100;
  // The main window's bounds and its views' widths.
  int Width = 614;
  int Left = 0;  // no default: centred on the primary monitor
  int Height = 446;
  int Top = 0;
  int TreeViewWidth = 177;
  int ColumnWidth0 = 150;
  int ColumnWidth1 = 250;
  double BackupDate = 0;
};

// A number that has a range: the settings dialog offers no other, and one loaded from the
// registry outside it is brought to its nearer end.
struct TSettingRange {
  int TSettings::*Member;
  int Min, Max;
};

// The ranges, for a screen of this size (the fixed menu position lies on it).
inline std::array<TSettingRange, 10> SettingRanges(int ScreenWidth, int ScreenHeight) {
  return {{
      {&TSettings::WatchAppInterval, 5, 500},  // 1 to 100 seconds of 5 ticks
      {&TSettings::MenuXPos, 0, ScreenWidth},
      {&TSettings::MenuYPos, 0, ScreenHeight},
      {&TSettings::MouseFormOffsetX, -100, 100},
      {&TSettings::MouseFormOffsetY, -100, 100},
      {&TSettings::MouseAppearInterval, 0, 100},
      {&TSettings::MouseFormWidth, 1, 100},
      {&TSettings::MouseFormHeight, 1, 100},
      {&TSettings::UchideMovingCount, 1, 2},  // fast or slow
      {&TSettings::UchideRangeX, 50, 150},    // a small to a large wave
  }};
}

// The range of Member (which has one).
inline TSettingRange SettingRange(int TSettings::*Member, int ScreenWidth, int ScreenHeight) {
  for (const TSettingRange& Range : SettingRanges(ScreenWidth, ScreenHeight))
    if (Range.Member == Member) return Range;
  return {Member, 0, 0};
}

}  // namespace lantern
