// The settings in the registry: read once at start, written at exit and after they change.
// The table below names, types and defaults every value and drives both the reading and the
// writing; what a change affects is told to the main window, which follows it.
#include "main/Settings.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <variant>
#include <vector>

#include "base/Cp932.h"
#include "base/Path.h"
#include "model/Root.h"
#include "shell/About.h"
#include "ui/Dpi.h"
#include "ui/FileSystem.h"
#include "ui/Registry.h"
#include "ui/System.h"

namespace lantern {

namespace {

constexpr int MinimumWindowSize = 100;
constexpr int MaximumWindowCoordinate = 100000;

// Booleans and integers are REG_DWORD, texts REG_SZ, dates REG_BINARY (a double of 8 bytes).
enum class TSettingType { Boolean, Integer, String, Date };
using TSettingValue = std::variant<bool, int, std::string, double>;
using TMember = std::variant<bool TSettings::*, int TSettings::*, std::string TSettings::*,
                             double TSettings::*>;

struct TRow {
  const char* Name;
  TSettingType Type;
  TMember Member;
  unsigned Effect = seNone;
  // Read only when this value is present; nullptr: whenever present.
  const char* ReadWith = nullptr;
  // What a missing value sets, when it is read at all; none: the setting keeps what it had.
  std::optional<TSettingValue> WhenMissing = std::nullopt;
};

const std::vector<TRow>& Rows() {
  using T = TSettingType;
  using S = TSettings;
  static const std::vector<TRow> Table = {
      {"HotKeyEnabled", T::Boolean, &S::HotKeyEnabled, seHotKey},
      // The three modifiers replace the whole set, and only together: a missing Shift or Alt
      // beside a stored Ctrl is off.
      {"HotKeyCtrl", T::Boolean, &S::HotKeyCtrl, seHotKey},
      {"HotKeyShift", T::Boolean, &S::HotKeyShift, seHotKey, "HotKeyCtrl", false},
      {"HotKeyAlt", T::Boolean, &S::HotKeyAlt, seHotKey, "HotKeyCtrl", false},
      {"HotKey", T::Integer, &S::HotKey, seHotKey},
      {"UseWatchApp", T::Boolean, &S::UseWatchApp},
      {"NotWatchNetwortApp", T::Boolean, &S::NotWatchNetwortApp},
      {"WatchAppInterval", T::Integer, &S::WatchAppInterval},
      {"MoveFirstPosition", T::Boolean, &S::MoveFirstPosition},
      {"UpperFirst", T::Boolean, &S::UpperFirst},
      {"DispRegisterIcon", T::Boolean, &S::DispRegisterIcon, seTrayIcon},
      {"IconLeftClickPopupMenu", T::Boolean, &S::IconLeftClickPopupMenu, seTrayMenu},
      // A name changed in the settings dialog was written there and takes effect at the next
      // start: it is not written over.
      {"DataFileName", T::String, &S::DataFileName},
      {"ExplorerOption", T::String, &S::ExplorerOption},
      {"FixMenuPos", T::Boolean, &S::FixMenuPos},
      {"MenuXPos", T::Integer, &S::MenuXPos},
      {"MenuYPos", T::Integer, &S::MenuYPos},
      {"MouseFormEnabled", T::Boolean, &S::MouseFormEnabled, seMouseSwitches},
      {"MouseFormOffsetX", T::Integer, &S::MouseFormOffsetX},
      {"MouseFormOffsetY", T::Integer, &S::MouseFormOffsetY, seNone, "MouseFormOffsetX"},
      {"MouseAppearInterval", T::Integer, &S::MouseAppearInterval},
      {"MouseFormWidth", T::Integer, &S::MouseFormWidth, seMouseFormShape},
      {"MouseFormHeight", T::Integer, &S::MouseFormHeight, seMouseFormShape},
      {"MouseFormColor", T::Integer, &S::MouseFormColor, seMouseFormColor},
      {"WavingMouse", T::Boolean, &S::WavingMouse},
      {"UchidenoKoduti", T::Boolean, &S::UchidenoKoduti, seMouseSwitches},
      {"UchideMovingCount", T::Integer, &S::UchideMovingCount},
      {"UchideLeftFast", T::Boolean, &S::UchideLeftFast},
      {"UchideRangeX", T::Integer, &S::UchideRangeX},
      // The window's bounds: read together, and only with Top; then kept on a monitor.
      {"Width", T::Integer, &S::Width, seLayout, "Top"},
      {"Left", T::Integer, &S::Left, seLayout, "Top"},
      {"Height", T::Integer, &S::Height, seLayout, "Top"},
      {"Top", T::Integer, &S::Top, seLayout},
      {"TreeViewWidth", T::Integer, &S::TreeViewWidth, seLayout},
      {"ColumnWidth0", T::Integer, &S::ColumnWidth0, seLayout},
      {"ColumnWidth1", T::Integer, &S::ColumnWidth1, seLayout},
      {"BackupDate", T::Date, &S::BackupDate, seNone, nullptr, 0.0},
      // Newer than the others: after them.
      {"StartMenuImported", T::String, &S::StartMenuImported},
  };
  return Table;
}

TSettingValue Get(const TSettings& Values, const TRow& Row) {
  return std::visit([&](auto Member) -> TSettingValue { return Values.*Member; }, Row.Member);
}

void Set(TSettings& Values, const TRow& Row, const TSettingValue& Value) {
  std::visit(
      [&](auto Member) {
        using V = std::remove_reference_t<decltype(Values.*Member)>;
        Values.*Member = std::get<V>(Value);
      },
      Row.Member);
}

// A value that is missing, or of another type, is not read.
std::optional<TSettingValue> ReadValue(const std::string& Key, const TRow& Row) {
  switch (Row.Type) {
    case TSettingType::Boolean:
    case TSettingType::Integer: {
      std::uint32_t v;
      if (!Registry().ReadDWord(Key, Row.Name, v)) return std::nullopt;
      if (Row.Type == TSettingType::Boolean) return TSettingValue(v != 0);
      return TSettingValue(static_cast<int>(static_cast<std::int32_t>(v)));
    }
    case TSettingType::String: {
      std::string Text;
      if (!Registry().ReadString(Key, Row.Name, Text)) return std::nullopt;
      return TSettingValue(Text);
    }
    case TSettingType::Date: {
      std::string Bytes;
      double Date;
      if (!Registry().ReadBinary(Key, Row.Name, Bytes) || Bytes.size() != sizeof Date)
        return std::nullopt;
      std::memcpy(&Date, Bytes.data(), sizeof Date);
      return TSettingValue(Date);
    }
  }
  return std::nullopt;
}

void WriteValue(const std::string& Key, const TRow& Row, const TSettingValue& Value) {
  switch (Row.Type) {
    case TSettingType::Boolean:
      Registry().WriteDWord(Key, Row.Name, std::get<bool>(Value) ? 1 : 0);
      break;
    case TSettingType::Integer:
      Registry().WriteDWord(Key, Row.Name, static_cast<std::uint32_t>(std::get<int>(Value)));
      break;
    case TSettingType::String:
      Registry().WriteString(Key, Row.Name, std::get<std::string>(Value));
      break;
    case TSettingType::Date: {
      double Date = std::get<double>(Value);
      Registry().WriteBinary(Key, Row.Name,
                             std::string(reinterpret_cast<const char*>(&Date), sizeof Date));
      break;
    }
  }
}

// Keeps stored bounds when the window lies on one of the monitors (a second monitor
// included), else centres it on the primary one: a window stored for a monitor that is gone
// comes back where the user can reach it.
void KeepOnAMonitor(TSettings& S, bool Stored) {
  // A strange registry value must not overflow the sums below.
  S.Width = std::clamp(S.Width, MinimumWindowSize, MaximumWindowCoordinate);
  S.Height = std::clamp(S.Height, MinimumWindowSize, MaximumWindowCoordinate);
  S.Left = std::clamp(S.Left, -MaximumWindowCoordinate, MaximumWindowCoordinate);
  S.Top = std::clamp(S.Top, -MaximumWindowCoordinate, MaximumWindowCoordinate);
  // The first window is as large to the eye on a finer primary monitor, within its screen.
  if (!Stored) {
    const int Dpi = System().DpiAt(0, 0);
    S.Width = std::min(ScaleToDpi(S.Width, Dpi), std::max(System().ScreenWidth(), S.Width));
    S.Height = std::min(ScaleToDpi(S.Height, Dpi), std::max(System().ScreenHeight(), S.Height));
  }
  if (!Stored || !System().RectOnAnyMonitor(S.Left, S.Top, S.Width, S.Height)) {
    S.Left = (System().ScreenWidth() - S.Width) / 2;
    S.Top = (System().ScreenHeight() - S.Height) / 2;
  }
}

// The chasing window and the gesture exclude each other: the one switched on last wins, and
// the gesture when both came on together.
void ExcludeMouseSwitches(const TSettings& Old, TSettings& New) {
  if (!New.MouseFormEnabled || !New.UchidenoKoduti) return;
  if (New.MouseFormEnabled != Old.MouseFormEnabled && New.UchidenoKoduti == Old.UchidenoKoduti)
    New.UchidenoKoduti = false;
  else
    New.MouseFormEnabled = false;
}

// The program's folder with the user's name, or Default.dat for a name that cannot be one.
std::string DefaultDataFileName() {
  std::string Folder = ExtractFilePath(System().ProgramFileName());
  std::string User = System().UserName();
  return !User.empty() && static_cast<unsigned char>(User[0]) >= 32 ? Folder + User + ".dat"
                                                                    : Folder + "Default.dat";
}

// The program's folder moved since the last start (Before: where it was then), its data file
// with it, while the stored name still points into the old folder, where nothing is left: the
// file in the new folder is the user's tree, and an empty one must not take its place. Only
// asked when the old folder's drive or share is there: else nothing shows that it moved.
void FollowMovedFolder(std::string& DataFileName, const std::string& Before,
                       const std::string& Now) {
  const std::string Old = UpperCaseAscii(Before);
  if (Old.empty() || Old == UpperCaseAscii(Now) || FileSystem().FileExists(DataFileName) ||
      UpperCaseAscii(DataFileName).compare(0, Old.size(), Old) != 0)
    return;
  const std::string Moved = Now + DataFileName.substr(Old.size());
  if (FileSystem().FileExists(Moved)) DataFileName = Moved;
}

}  // namespace

TSettingsStore::TSettingsStore(TRoot& Root, TSettingsTarget& Target)
    : FRoot(Root), FTarget(Target) {
  FValues.DataFileName = DefaultDataFileName();
}

unsigned TSettingsStore::HotKeyModifiers(const TSettings& Values) {
  return HotKeyModifierFlags(Values.HotKeyShift, Values.HotKeyCtrl, Values.HotKeyAlt);
}

void TSettingsStore::Load() {
  const std::string Key = LanternRegistryKey;
  Registry().CreateKey(Key);
  Registry().WriteString(Key, "RELEASE", GetVersionString());
  std::string Before;
  if (!Registry().ReadString(Key, "Path", Before)) Before.clear();
  const std::string Folder = ExtractFilePath(System().ProgramFileName());
  Registry().WriteString(Key, "Path", Folder);

  const std::vector<TRow>& Table = Rows();
  std::vector<std::optional<TSettingValue>> Stored;
  for (const TRow& Row : Table) Stored.push_back(ReadValue(Key, Row));
  auto Present = [&](const char* Name) {
    for (std::size_t i = 0; i < Table.size(); ++i)
      if (std::strcmp(Table[i].Name, Name) == 0) return Stored[i].has_value();
    return false;
  };
  const TSettings Old = FValues;
  for (std::size_t i = 0; i < Table.size(); ++i) {
    const TRow& Row = Table[i];
    if (Row.ReadWith && !Present(Row.ReadWith)) continue;
    if (Stored[i])
      Set(FValues, Row, *Stored[i]);
    else if (Row.WhenMissing)
      Set(FValues, Row, *Row.WhenMissing);
  }
  // A value set by hand outside its range would stop the watcher (below 0) or make it scan
  // at every tick (0), and worse elsewhere.
  for (const TSettingRange& Range : SettingRanges(System().ScreenWidth(), System().ScreenHeight()))
    FValues.*Range.Member = std::clamp(FValues.*Range.Member, Range.Min, Range.Max);
  ExcludeMouseSwitches(Old, FValues);
  // A drive unplugged or a share offline hides the file, and a copy in the program's folder
  // may be an older one: the stored name stays, and the tree is neither read nor written.
  const std::string DataRoot = PathRoot(FValues.DataFileName);
  FDataFileUnreachable = !DataRoot.empty() && !FileSystem().DirectoryExists(DataRoot);
  if (!FDataFileUnreachable) FollowMovedFolder(FValues.DataFileName, Before, Folder);
  KeepOnAMonitor(FValues, Present("Top"));
  if (Registry().KeyExists(Key + TFilterList::KeyName)) {
    FRoot.Filters().LoadFromRegistry(Key);
  } else {
    FRoot.Filters().Add("*\\SETUP.EXE");
    FRoot.Filters().Add("*.DLL");
  }
  ApplyToTree();
  FTarget.SettingsChanged(seAllEffects);
}

void TSettingsStore::Save() {
  const std::string Key = LanternRegistryKey;
  FTarget.ReadLayout(FValues);
  for (const TRow& Row : Rows()) {
    // A name changed in the settings dialog was written there; it waits for the next start.
    if (FDataFileNameChanged && std::strcmp(Row.Name, "DataFileName") == 0) continue;
    WriteValue(Key, Row, Get(FValues, Row));
  }
  FRoot.Filters().SaveToRegistry(Key);
}

void TSettingsStore::ChangeDataFileName(const std::string& Name) {
  FDataFileNameChanged = UpperCaseAscii(Name) != UpperCaseAscii(FValues.DataFileName);
  FNextDataFileName = Name;
  Registry().CreateKey(LanternRegistryKey);
  Registry().WriteString(LanternRegistryKey, "DataFileName",
                         FDataFileNameChanged ? Name : FValues.DataFileName);
}

void TSettingsStore::Update(const std::function<void(TSettings&)>& Change) {
  const TSettings Old = FValues;
  Change(FValues);
  ExcludeMouseSwitches(Old, FValues);
  ApplyToTree();
  if (const unsigned Changed = Effects(Old)) FTarget.SettingsChanged(Changed);
}

void TSettingsStore::ApplyToTree() {
  FRoot.SetMoveFirstPosition(FValues.MoveFirstPosition);
  FRoot.SetUpperFirst(FValues.UpperFirst);
  FRoot.SetExplorerOption(FValues.ExplorerOption);
}

unsigned TSettingsStore::Effects(const TSettings& Old) const {
  unsigned Changed = seNone;
  for (const TRow& Row : Rows())
    if (Row.Effect != seNone && Get(Old, Row) != Get(FValues, Row)) Changed |= Row.Effect;
  return Changed;
}

}  // namespace lantern
