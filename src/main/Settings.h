#pragma once
// The program's settings in the registry: TSettingsStore reads and writes the values of
// TSettings by one table (Settings.cpp), which names and types each, and tells those who
// follow a setting when it changed.
#include <functional>
#include <string>

#include "model/Settings.h"

namespace lantern {

class TRoot;

// What a change of a setting affects beyond its value: bits of a set.
enum TSettingEffect : unsigned {
  seNone = 0,
  seLayout = 1,           // the window's bounds and the views' widths
  seTrayIcon = 2,         // DispRegisterIcon
  seTrayMenu = 4,         // IconLeftClickPopupMenu
  seMouseSwitches = 8,    // MouseFormEnabled, UchidenoKoduti
  seHotKey = 16,          // the switch, the key and its modifiers
  seMouseFormShape = 32,  // its width and height: the window is made for its size
  seMouseFormColor = 64,
  seAllEffects = 127,
};

// Who follows the settings: the main window.
class TSettingsTarget {
 public:
  virtual ~TSettingsTarget() = default;
  // The window's bounds and its views' widths as they are now, for saving.
  virtual void ReadLayout(TSettings& Into) const = 0;
  // Settings with these effects (TSettingEffect bits) have new values.
  virtual void SettingsChanged(unsigned Effects) = 0;
};

class TSettingsStore {
 public:
  // Root follows the run-order rule and the explorer options, and holds the exclusion masks.
  TSettingsStore(TRoot& Root, TSettingsTarget& Target);

  const TSettings& Values() const { return FValues; }
  // Reads the registry (writing RELEASE and Path first) and applies every value: missing
  // ones keep their defaults, the window is kept on a monitor, and the target hears of all.
  void Load();
  // Writes every value, with the target's layout as it is now, and the exclusion masks.
  void Save();
  // Changes values; the chasing window and the gesture exclude each other (the one switched
  // on last wins), and the target hears once of each effect of what changed.
  void Update(const std::function<void(TSettings&)>& Change);

  // A data file name changed in the settings dialog is written at once and takes effect at the
  // next start: until then the program keeps its file, and saving leaves the stored name alone.
  // The name in use (in any case of its letters) takes a change back.
  void ChangeDataFileName(const std::string& Name);
  bool DataFileNameChanged() const { return FDataFileNameChanged; }
  void SetDataFileNameChanged(bool Value) { FDataFileNameChanged = Value; }
  // The name the next start takes: a change waiting for it, else the name in use.
  const std::string& NextDataFileName() const {
    return FDataFileNameChanged ? FNextDataFileName : FValues.DataFileName;
  }

  // The drive or share of the data file was not there at start (an unplugged drive, a share
  // offline): the stored name is kept for the next start, and nothing is read or written.
  bool DataFileUnreachable() const { return FDataFileUnreachable; }

  // The hot key's modifiers as RegisterHotKey takes them: Shift 4, Ctrl 2, Alt 1.
  static unsigned HotKeyModifiers(const TSettings& Values);

 private:
  void ApplyToTree();
  unsigned Effects(const TSettings& Old) const;

  TRoot& FRoot;
  TSettingsTarget& FTarget;
  TSettings FValues;
  bool FDataFileNameChanged = false;  // never stored
  std::string FNextDataFileName;      // while FDataFileNameChanged
  bool FDataFileUnreachable = false;
};

}  // namespace lantern
