// The main window's settings in the registry: read once at start, written at exit and after
// the settings change. The table below names, types and defaults every value, says where it is
// held, and drives both the reading and the writing. The setters with effects follow it.
#include <algorithm>
#include <cstring>
#include <optional>
#include <variant>

#include "base/Path.h"
#include "main/Main.h"
#include "shell/About.h"
#include "ui/Registry.h"
#include "ui/System.h"

namespace lantern {

namespace {

constexpr int MinimumWindowSize = 100;
constexpr int MaximumWindowCoordinate = 100000;

// Booleans and integers are REG_DWORD, texts REG_SZ, dates REG_BINARY (a double of 8 bytes).
enum class TSettingType { Boolean, Integer, String, Date };
using TSettingValue = std::variant<bool, int, std::string, double>;

}  // namespace

struct TSettingsTable {
  // Where a setting lives: a member of TSettings, or a holder of its own reached through the
  // window (the tree's root, the window's bounds and the views' widths).
  struct THeld {
    std::variant<bool TSettings::*, int TSettings::*, std::string TSettings::*, double TSettings::*>
        Member;
    TSettingValue (*Get)(const TLanternMain&) = nullptr;
    void (*Set)(TLanternMain&, const TSettingValue&) = nullptr;
  };
  struct TRow {
    const char* Name;
    TSettingType Type;
    // None: worked out at start (the data file's name, the window's centred position).
    std::optional<TSettingValue> Default;
    THeld Held;
    // Read only when this value is present; nullptr: whenever present.
    const char* ReadWith = nullptr;
    // What a missing value sets, when it is read at all; none: the setting keeps what it had.
    std::optional<TSettingValue> WhenMissing = std::nullopt;
  };

  static const std::vector<TRow>& Rows();
  static TSettingValue Get(const TLanternMain& M, const TRow& Row);
  static void Set(TLanternMain& M, const TRow& Row, const TSettingValue& Value);
};

namespace {

using TRow = TSettingsTable::TRow;
using THeld = TSettingsTable::THeld;

template <typename T>
THeld Plain(T TSettings::*M) {
  return THeld{M, nullptr, nullptr};
}

}  // namespace

// Held outside TSettings: read by the expression, applied by the statement (M the window, V
// the value).
#define HELD_BY(GetExpr, SetStatement)                                  \
  THeld {                                                               \
    static_cast<bool TSettings::*>(nullptr),                            \
        [](const TLanternMain& M) -> TSettingValue { return GetExpr; }, \
        [](TLanternMain& M, const TSettingValue& V) { SetStatement; }   \
  }

// Held in TSettings and applied through the window's setter, for its effects.
#define THROUGH(Member, Setter)                                                \
  THeld {                                                                      \
    &TSettings::Member, nullptr, [](TLanternMain& M, const TSettingValue& V) { \
      M.Setter(std::get<decltype(TSettings::Member)>(V));                      \
    }                                                                          \
  }

const std::vector<TRow>& TSettingsTable::Rows() {
  using T = TSettingType;
  using S = TSettings;
  static const std::vector<TRow> Table = {
      {"HotKeyEnabled", T::Boolean, true, Plain(&S::HotKeyEnabled)},
      // The three modifiers replace the whole set, and only together: a missing Shift or Alt
      // beside a stored Ctrl is off.
      {"HotKeyCtrl", T::Boolean, false, Plain(&S::HotKeyCtrl)},
      {"HotKeyShift", T::Boolean, true, Plain(&S::HotKeyShift), "HotKeyCtrl", false},
      {"HotKeyAlt", T::Boolean, false, Plain(&S::HotKeyAlt), "HotKeyCtrl", false},
      {"HotKey", T::Integer, 27, Plain(&S::HotKey)},  // Esc
      {"UseWatchApp", T::Boolean, true, Plain(&S::UseWatchApp)},
      {"NotWatchNetwortApp", T::Boolean, false, Plain(&S::NotWatchNetwortApp)},
      {"WatchAppInterval", T::Integer, 25, Plain(&S::WatchAppInterval)},
      {"MoveFirstPosition", T::Boolean, true,
       HELD_BY(M.FRoot->MoveFirstPosition(), M.FRoot->SetMoveFirstPosition(std::get<bool>(V)))},
      {"UpperFirst", T::Boolean, true,
       HELD_BY(M.FRoot->UpperFirst(), M.FRoot->SetUpperFirst(std::get<bool>(V)))},
      {"DispRegisterIcon", T::Boolean, true, Plain(&S::DispRegisterIcon)},
      {"IconLeftClickPopupMenu", T::Boolean, true,
       THROUGH(IconLeftClickPopupMenu, SetIconLeftClickPopupMenu)},
      // A name changed in the settings dialog was written there and takes effect at the next
      // start: it is not written over.
      {"DataFileName", T::String, std::nullopt, Plain(&S::DataFileName)},
      {"ExplorerOption", T::String, std::string(),
       HELD_BY(M.FRoot->ExplorerOption(), M.FRoot->SetExplorerOption(std::get<std::string>(V)))},
      {"FixMenuPos", T::Boolean, false, Plain(&S::FixMenuPos)},
      {"MenuXPos", T::Integer, 0, Plain(&S::MenuXPos)},
      {"MenuYPos", T::Integer, 0, Plain(&S::MenuYPos)},
      {"MouseFormEnabled", T::Boolean, true, THROUGH(MouseFormEnabled, SetMouseFormEnabled)},
      {"MouseFormOffsetX", T::Integer, 20, Plain(&S::MouseFormOffsetX)},
      {"MouseFormOffsetY", T::Integer, 20, Plain(&S::MouseFormOffsetY), "MouseFormOffsetX"},
      {"MouseAppearInterval", T::Integer, 10, Plain(&S::MouseAppearInterval)},
      {"MouseFormWidth", T::Integer, 15, Plain(&S::MouseFormWidth)},
      {"MouseFormHeight", T::Integer, 15, Plain(&S::MouseFormHeight)},
      {"MouseFormColor", T::Integer, 0x00FFFF, Plain(&S::MouseFormColor)},  // yellow
      {"WavingMouse", T::Boolean, false, Plain(&S::WavingMouse)},
      // After MouseFormEnabled: when both are stored on, the gesture wins.
      {"UchidenoKoduti", T::Boolean, false, THROUGH(UchidenoKoduti, SetUchidenoKoduti)},
      {"UchideMovingCount", T::Integer, 1, Plain(&S::UchideMovingCount)},
      {"UchideLeftFast", T::Boolean, true, Plain(&S::UchideLeftFast)},
      {"UchideRangeX", T::Integer, 100, Plain(&S::UchideRangeX)},
      // The window's bounds: read together, and only with Top; then kept on a monitor.
      {"Width", T::Integer, 614,
       HELD_BY(M.Width(), M.SetBounds(M.Left(), M.Top(), std::get<int>(V), M.Height())), "Top"},
      {"Left", T::Integer, std::nullopt,
       HELD_BY(M.Left(), M.SetBounds(std::get<int>(V), M.Top(), M.Width(), M.Height())), "Top"},
      {"Height", T::Integer, 446,
       HELD_BY(M.Height(), M.SetBounds(M.Left(), M.Top(), M.Width(), std::get<int>(V))), "Top"},
      {"Top", T::Integer, std::nullopt,
       HELD_BY(M.Top(), M.SetBounds(M.Left(), std::get<int>(V), M.Width(), M.Height()))},
      {"TreeViewWidth", T::Integer, 177,
       HELD_BY(M.TreeView1.Width(), M.TreeView1.SetWidth(std::get<int>(V)))},
      {"ColumnWidth0", T::Integer, 150,
       HELD_BY(M.ListView1.ColumnWidth(0), M.ListView1.SetColumnWidth(0, std::get<int>(V)))},
      {"ColumnWidth1", T::Integer, 250,
       HELD_BY(M.ListView1.ColumnWidth(1), M.ListView1.SetColumnWidth(1, std::get<int>(V)))},
      {"BackupDate", T::Date, 0.0, Plain(&S::BackupDate), nullptr, 0.0},
  };
  return Table;
}

#undef HELD_BY
#undef THROUGH

TSettingValue TSettingsTable::Get(const TLanternMain& M, const TRow& Row) {
  if (Row.Held.Get) return Row.Held.Get(M);
  return std::visit([&M](auto Member) -> TSettingValue { return M.FSettings.*Member; },
                    Row.Held.Member);
}

void TSettingsTable::Set(TLanternMain& M, const TRow& Row, const TSettingValue& Value) {
  if (Row.Held.Set) return Row.Held.Set(M, Value);
  std::visit(
      [&](auto Member) {
        using T = std::remove_reference_t<decltype(M.FSettings.*Member)>;
        M.FSettings.*Member = std::get<T>(Value);
      },
      Row.Held.Member);
}

namespace {

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

bool HeldInSettings(const TRow& Row) {
  return std::visit([](auto Member) { return Member != nullptr; }, Row.Held.Member);
}

}  // namespace

TSettings::TSettings() {
  for (const TRow& Row : TSettingsTable::Rows()) {
    if (!HeldInSettings(Row) || !Row.Default) continue;
    std::visit(
        [&](auto Member) {
          using T = std::remove_reference_t<decltype(this->*Member)>;
          this->*Member = std::get<T>(*Row.Default);
        },
        Row.Held.Member);
  }
}

void TLanternMain::SetDefaultSettings() {
  for (const TRow& Row : TSettingsTable::Rows())
    if (!HeldInSettings(Row) && Row.Default) TSettingsTable::Set(*this, Row, *Row.Default);
}

void TLanternMain::LoadSettings() {
  const std::string Key = LanternRegistryKey;
  Registry().CreateKey(Key);
  Registry().WriteString(Key, "RELEASE", GetVersionString());
  Registry().WriteString(Key, "Path", ExtractFilePath(System().ProgramFileName()));

  const std::vector<TRow>& Rows = TSettingsTable::Rows();
  std::vector<std::optional<TSettingValue>> Stored;
  for (const TRow& Row : Rows) Stored.push_back(ReadValue(Key, Row));
  auto Present = [&](const char* Name) {
    for (std::size_t i = 0; i < Rows.size(); ++i)
      if (std::strcmp(Rows[i].Name, Name) == 0) return Stored[i].has_value();
    return false;
  };
  for (std::size_t i = 0; i < Rows.size(); ++i) {
    const TRow& Row = Rows[i];
    if (Row.ReadWith && !Present(Row.ReadWith)) continue;
    if (Stored[i])
      TSettingsTable::Set(*this, Row, *Stored[i]);
    else if (Row.WhenMissing)
      TSettingsTable::Set(*this, Row, *Row.WhenMissing);
  }
  ApplyWindowBounds(Present("Top"));
  if (Registry().KeyExists(Key + TFilterList::KeyName)) {
    FRoot->Filters().LoadFromRegistry(Key);
  } else {
    FRoot->Filters().Add("*\\SETUP.EXE");
    FRoot->Filters().Add("*.DLL");
  }
}

// Keeps the stored bounds when the window lies on one of the monitors (a second monitor
// included), else centres it on the primary one: a window stored for a monitor that is gone
// comes back where the user can reach it.
void TLanternMain::ApplyWindowBounds(bool Stored) {
  // A strange registry value must not overflow the sums below.
  int Width = std::clamp(this->Width(), MinimumWindowSize, MaximumWindowCoordinate);
  int Height = std::clamp(this->Height(), MinimumWindowSize, MaximumWindowCoordinate);
  int Left = std::clamp(this->Left(), -MaximumWindowCoordinate, MaximumWindowCoordinate);
  int Top = std::clamp(this->Top(), -MaximumWindowCoordinate, MaximumWindowCoordinate);
  if (!Stored || !System().RectOnAnyMonitor(Left, Top, Width, Height)) {
    Left = (System().ScreenWidth() - Width) / 2;
    Top = (System().ScreenHeight() - Height) / 2;
  }
  SetBounds(Left, Top, Width, Height);
}

void TLanternMain::SaveSettings() {
  const std::string Key = LanternRegistryKey;
  for (const TSettingsTable::TRow& Row : TSettingsTable::Rows()) {
    // A name changed in the settings dialog was written there; it waits for the next start.
    if (FDataFileNameChanged && std::strcmp(Row.Name, "DataFileName") == 0) continue;
    WriteValue(Key, Row, TSettingsTable::Get(*this, Row));
  }
  FRoot->Filters().SaveToRegistry(Key);
}

// The setters of the settings with effects beyond storing the value.

void TLanternMain::SetDispRegisterIcon(bool Value) {
  if (Value == FSettings.DispRegisterIcon) return;
  FSettings.DispRegisterIcon = Value;
  FTray->SetRegistered(Value);
}

void TLanternMain::SetIconLeftClickPopupMenu(bool Value) {
  if (Value == FSettings.IconLeftClickPopupMenu) return;
  FSettings.IconLeftClickPopupMenu = Value;
  FTray->SetPopupMenuL(Value ? &LauncherMenu : nullptr);
}

// The chasing window and the waving gesture exclude each other; the toggles show both.
void TLanternMain::SetMouseFormEnabled(bool Value) {
  FSettings.MouseFormEnabled = Value;
  MouseFormToggleAction.SetChecked(Value);
  if (Value) SetUchidenoKoduti(false);
}

void TLanternMain::SetUchidenoKoduti(bool Value) {
  FSettings.UchidenoKoduti = Value;
  UchidenoKodutiToggleAction.SetChecked(Value);
  if (Value) SetMouseFormEnabled(false);
}

}  // namespace lantern
