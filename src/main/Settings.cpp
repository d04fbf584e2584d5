// The main window's settings in the registry: read once at start, written at exit and after
// the settings change. Every value is named, typed and defaulted here and in Main.h.
#include <algorithm>
#include <cstring>

#include "base/Path.h"
#include "main/Main.h"
#include "ui/Registry.h"
#include "ui/System.h"

namespace lantern {

namespace {

// Booleans and integers are REG_DWORD, texts REG_SZ, the backup date REG_BINARY. A value
// that is missing, or of another type, is not read and its setting keeps what it had.
class TSettingsReader {
 public:
  explicit TSettingsReader(const std::string& Key) : FKey(Key) {}
  bool Bool(const char* Name, bool& Value) {
    std::uint32_t v;
    if (!Registry().ReadDWord(FKey, Name, v)) return false;
    Value = v != 0;
    return true;
  }
  bool Int(const char* Name, int& Value) {
    std::uint32_t v;
    if (!Registry().ReadDWord(FKey, Name, v)) return false;
    Value = static_cast<std::int32_t>(v);
    return true;
  }
  bool Text(const char* Name, std::string& Value) {
    return Registry().ReadString(FKey, Name, Value);
  }

 private:
  std::string FKey;
};

class TSettingsWriter {
 public:
  explicit TSettingsWriter(const std::string& Key) : FKey(Key) {}
  void Bool(const char* Name, bool Value) { Registry().WriteDWord(FKey, Name, Value ? 1 : 0); }
  void Int(const char* Name, int Value) {
    Registry().WriteDWord(FKey, Name, static_cast<std::uint32_t>(Value));
  }
  void Text(const char* Name, const std::string& Value) {
    Registry().WriteString(FKey, Name, Value);
  }

 private:
  std::string FKey;
};

constexpr int MinimumWindowSize = 100;
constexpr int MaximumWindowCoordinate = 100000;

}  // namespace

void TLanternMain::LoadSettings() {
  const std::string Key = LanternRegistryKey;
  Registry().CreateKey(Key);
  Registry().WriteString(Key, "RELEASE", GetVersionString());
  Registry().WriteString(Key, "Path", ExtractFilePath(System().ProgramFileName()));

  TSettingsReader Read(Key);
  bool Flag;
  int Number;
  std::string Text;
  Read.Bool("HotKeyEnabled", HotKeyEnabled);
  // The three modifiers replace the whole set, and only together.
  bool Ctrl;
  if (Read.Bool("HotKeyCtrl", Ctrl)) {
    bool Shift = false, Alt = false;
    Read.Bool("HotKeyShift", Shift);
    Read.Bool("HotKeyAlt", Alt);
    HotKeyCtrl = Ctrl;
    HotKeyShift = Shift;
    HotKeyAlt = Alt;
  }
  Read.Int("HotKey", HotKey);
  Read.Bool("UseWatchApp", UseWatchApp);
  Read.Bool("NotWatchNetwortApp", NotWatchNetwortApp);
  Read.Int("WatchAppInterval", WatchAppInterval);
  if (Read.Bool("MoveFirstPosition", Flag)) Root->SetMoveFirstPosition(Flag);
  if (Read.Bool("UpperFirst", Flag)) Root->SetUpperFirst(Flag);
  Read.Bool("DispRegisterIcon", DispRegisterIcon);
  if (Read.Bool("IconLeftClickPopupMenu", Flag)) SetIconLeftClickPopupMenu(Flag);
  Read.Text("DataFileName", DataFileName);
  if (Read.Text("ExplorerOption", Text)) Root->SetExplorerOption(Text);
  Read.Bool("FixMenuPos", FixMenuPos);
  Read.Int("MenuXPos", MenuXPos);
  Read.Int("MenuYPos", MenuYPos);
  if (Read.Bool("MouseFormEnabled", Flag)) SetMouseFormEnabled(Flag);
  if (Read.Int("MouseFormOffsetX", Number)) {
    TPoint Offset{Number, MouseFormOffset.Y};
    Read.Int("MouseFormOffsetY", Offset.Y);
    MouseFormOffset = Offset;
  }
  Read.Int("MouseAppearInterval", MouseAppearInterval);
  Read.Int("MouseFormWidth", MouseFormWidth);
  Read.Int("MouseFormHeight", MouseFormHeight);
  Read.Int("MouseFormColor", MouseFormColor);
  Read.Bool("WavingMouse", WavingMouse);
  if (Read.Bool("UchidenoKoduti", Flag)) SetUchidenoKoduti(Flag);
  Read.Int("UchideMovingCount", UchideMovingCount);
  Read.Bool("UchideLeftFast", UchideLeftFast);
  Read.Int("UchideRangeX", UchideRangeX);
  int Top;
  if (Read.Int("Top", Top)) {
    int Height = this->Height(), Left = this->Left(), Width = this->Width();
    Read.Int("Height", Height);
    Read.Int("Left", Left);
    Read.Int("Width", Width);
    SetBounds(Left, Top, Width, Height);
    ApplyWindowBounds(true);
  } else {
    ApplyWindowBounds(false);
  }
  if (Read.Int("TreeViewWidth", Number)) TreeView1.SetWidth(Number);
  if (Read.Int("ColumnWidth0", Number)) ListView1.SetColumnWidth(0, Number);
  if (Read.Int("ColumnWidth1", Number)) ListView1.SetColumnWidth(1, Number);
  std::string Date;
  BackupDate = 0;
  if (Registry().ReadBinary(Key, "BackupDate", Date) && Date.size() == sizeof(double))
    std::memcpy(&BackupDate, Date.data(), sizeof(double));
  if (Registry().KeyExists(Key + TFilterList::KeyName)) {
    Root->Filters().LoadFromRegistry(Key);
  } else {
    Root->Filters().Add("*\\SETUP.EXE");
    Root->Filters().Add("*.DLL");
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
  TSettingsWriter Write(Key);
  Write.Bool("HotKeyEnabled", HotKeyEnabled);
  Write.Bool("HotKeyCtrl", HotKeyCtrl);
  Write.Bool("HotKeyShift", HotKeyShift);
  Write.Bool("HotKeyAlt", HotKeyAlt);
  Write.Int("HotKey", HotKey);
  Write.Bool("UseWatchApp", UseWatchApp);
  Write.Bool("NotWatchNetwortApp", NotWatchNetwortApp);
  Write.Int("WatchAppInterval", WatchAppInterval);
  Write.Bool("MoveFirstPosition", Root->MoveFirstPosition());
  Write.Bool("UpperFirst", Root->UpperFirst());
  Write.Bool("DispRegisterIcon", DispRegisterIcon);
  Write.Bool("IconLeftClickPopupMenu", IconLeftClickPopupMenu);
  // A name changed in the settings dialog was written there and takes effect at next start.
  if (!DataFileNameChanged) Write.Text("DataFileName", DataFileName);
  Write.Text("ExplorerOption", Root->ExplorerOption());
  Write.Bool("FixMenuPos", FixMenuPos);
  Write.Int("MenuXPos", MenuXPos);
  Write.Int("MenuYPos", MenuYPos);
  Write.Bool("MouseFormEnabled", MouseFormEnabled);
  Write.Int("MouseFormOffsetX", MouseFormOffset.X);
  Write.Int("MouseFormOffsetY", MouseFormOffset.Y);
  Write.Int("MouseAppearInterval", MouseAppearInterval);
  Write.Int("MouseFormWidth", MouseFormWidth);
  Write.Int("MouseFormHeight", MouseFormHeight);
  Write.Int("MouseFormColor", MouseFormColor);
  Write.Bool("WavingMouse", WavingMouse);
  Write.Bool("UchidenoKoduti", UchidenoKoduti);
  Write.Int("UchideMovingCount", UchideMovingCount);
  Write.Bool("UchideLeftFast", UchideLeftFast);
  Write.Int("UchideRangeX", UchideRangeX);
  Write.Int("Width", Width());
  Write.Int("Left", Left());
  Write.Int("Height", Height());
  Write.Int("Top", Top());
  Write.Int("TreeViewWidth", TreeView1.Width());
  Write.Int("ColumnWidth0", ListView1.ColumnWidth(0));
  Write.Int("ColumnWidth1", ListView1.ColumnWidth(1));
  Registry().WriteBinary(Key, "BackupDate",
                         std::string(reinterpret_cast<const char*>(&BackupDate), sizeof(double)));
  Root->Filters().SaveToRegistry(Key);
}

}  // namespace lantern
