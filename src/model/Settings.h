#pragma once
// The program's settings, each named as its registry value and starting at its default. The
// settings store of the main window reads and writes them; the settings dialog edits a copy.
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

}  // namespace lantern
