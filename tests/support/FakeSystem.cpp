#include "support/FakeSystem.h"

#include <algorithm>

#include "base/Cp932.h"

namespace lantern {

bool TFakeSystem::FileVersion(const std::string&, unsigned (&Parts)[4]) {
  if (Version.size() != 4) return false;
  for (int i = 0; i < 4; ++i) Parts[i] = Version[i];
  return true;
}

TIcon TFakeSystem::ResourceIcon(int Id, int Size) {
  ResourceIcons.push_back({Id, Size});
  static int Picture;
  return TIcon(&Picture, [](void*) {});
}

int TFakeSystem::CompareText(const std::string& A, const std::string& B) {
  return UpperCaseAscii(A).compare(UpperCaseAscii(B));
}

void* TFakeSystem::FindWindowByClass(const std::string& ClassName) {
  if (ClassName == "Shell_TrayWnd") return TaskBar;
  return ClassName == "TLanternMain" ? OtherWindow : nullptr;
}

unsigned TFakeSystem::RegisterMessage(const std::string& Name) {
  if (Name == "ZR Lantern Active") return 0xC123;
  auto It = Messages.find(Name);
  if (It == Messages.end()) It = Messages.emplace(Name, 0xC200 + Messages.size()).first;
  return It->second;
}

bool TFakeSystem::RegisterHotKey(void* Window, int Id, unsigned Modifiers, unsigned Key) {
  HotKeyCalls.push_back("register " + std::to_string(Modifiers) + "+" + std::to_string(Key));
  for (unsigned Combination : Taken)
    if (Combination == (Key | Modifiers << 16)) return false;
  HotKeys[Id] = {Window, Id, Modifiers, Key};
  return true;
}

unsigned TFakeSystem::AddAtom(const std::string& Text) {
  if (Text.size() > 255) return 0;  // as global atoms: at most 255 characters
  unsigned Atom = 0xC000 + static_cast<unsigned>(Atoms.size());
  Atoms[Atom] = Text;
  return Atom;
}

bool TFakeSystem::RectOnAnyMonitor(int Left, int Top, int W, int H) {
  std::vector<TMonitor> All = Monitors;
  if (All.empty()) All.push_back({0, 0, Width, Height});
  for (const TMonitor& m : All)
    if (Left < m.Left + m.Width && m.Left < Left + W && Top < m.Top + m.Height && m.Top < Top + H)
      return true;
  return false;
}

TFakeSystem::TMonitor TFakeSystem::MonitorAt(int X, int Y) const {
  if (Monitors.empty()) return TMonitor{0, 0, Width, Height};
  // As Windows: the monitor that holds the point, else the nearest one.
  auto Distance = [X, Y](const TMonitor& m) {
    auto Off = [](long long v, long long Low, long long High) {
      return v < Low ? Low - v : v >= High ? v - High + 1 : 0;
    };
    const long long dx = Off(X, m.Left, m.Left + m.Width), dy = Off(Y, m.Top, m.Top + m.Height);
    return dx * dx + dy * dy;
  };
  return *std::min_element(
      Monitors.begin(), Monitors.end(),
      [&](const TMonitor& a, const TMonitor& b) { return Distance(a) < Distance(b); });
}

int TFakeSystem::MonitorWidthAt(int X, int Y) { return MonitorAt(X, Y).Width; }

// Enough of the system's rules for the tests: a drive or a network path is absolute, a path
// from the drive's root takes the current drive, anything else the current folder.
std::string TFakeSystem::FullPathName(const std::string& Path) {
  if (Path.size() >= 2 && (Path[1] == ':' || (Path[0] == '\\' && Path[1] == '\\'))) return Path;
  if (!Path.empty() && Path[0] == '\\') return CurrentFolder.substr(0, 2) + Path;
  return CurrentFolder + Path;
}

namespace {

template <typename T>
bool Answer(std::deque<T>& Answers, T& Value) {
  if (Answers.empty()) return false;
  Value = Answers.front();
  Answers.pop_front();
  return true;
}

}  // namespace

bool TFakeDialogs::PickColor(TColor& Color) {
  ColorPresets.push_back(Color);
  return Answer(ColorAnswers, Color);
}

bool TFakeDialogs::PickFont(TFont& Font) {
  FontPresets.push_back(Font);
  return Answer(FontAnswers, Font);
}

bool TFakeDialogs::PickOpenFile(std::string& FileName, const std::string& Filter,
                                const std::string& Folder) {
  FilePresets.push_back("open:" + FileName + "|" + Filter);
  OpenFolders.push_back(Folder);
  return Answer(FileAnswers, FileName);
}

bool TFakeDialogs::PickSaveFile(std::string& FileName, const std::string& Filter) {
  FilePresets.push_back("save:" + FileName + "|" + Filter);
  return Answer(FileAnswers, FileName);
}

bool TFakeDialogs::BrowseForFolder(const std::string& Title, unsigned Flags, std::string& Folder,
                                   int& ImageIndex) {
  FolderPresets.push_back(Title + "|" + Folder);
  FolderFlags.push_back(Flags);
  if (!Answer(FolderAnswers, Folder)) return false;
  ImageIndex = FolderImageIndex;
  return true;
}

TModalResult TFakeDialogs::MessageDlg(const std::string& Text, TMsgDlgType Type, unsigned Buttons,
                                      unsigned Default) {
  Texts.push_back(Text);
  Shown.push_back({Type, Buttons, Default, std::string(), false});
  if (Answers.empty()) return mrOk;
  TModalResult Answer = Answers.front();
  Answers.pop_front();
  return Answer;
}

TModalResult TFakeDialogs::MessageDlgCheck(const std::string& Text, TMsgDlgType Type,
                                           unsigned Buttons, unsigned Default,
                                           const std::string& CheckText, bool& Checked) {
  const TModalResult Answer = MessageDlg(Text, Type, Buttons, Default);
  Shown.back().CheckText = CheckText;
  Shown.back().Checked = Checked;
  if (!CheckAnswers.empty()) {
    Checked = CheckAnswers.front();
    CheckAnswers.pop_front();
  }
  return Answer;
}

}  // namespace lantern
