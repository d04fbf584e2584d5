// What the tree asks about a file: the long-name form of its path, and its icon.
#include "base/Cp932.h"
#include "base/Path.h"
#include "model/Root.h"
#include "ui/FileSystem.h"
#include "ui/Shell.h"

namespace lantern {

std::string GetLongName(const std::string& Path) { return FileSystem().FindFirstName(Path); }

namespace {

// The part of a path that the walk keeps as it is: "\\server\share" of a network path, the
// drive ("C:") or the leading "\" of a local one, nothing for a relative path. The server and
// the share end at single-byte backslashes only ("\\srv\ソフト" is one share).
std::size_t RootLength(const std::string& Path) {
  if (IsNetworkPath(Path)) {
    std::size_t Server = FindChar(Path, '\\', 2);
    std::size_t Share = Server == std::string::npos ? Server : FindChar(Path, '\\', Server + 1);
    return Share == std::string::npos ? Path.size() : Share;
  }
  if (Path.size() >= 2 && Path[1] == ':' && !IsLeadByte(static_cast<unsigned char>(Path[0])))
    return 2;
  return !Path.empty() && Path[0] == '\\' ? 1 : 0;
}

}  // namespace

std::string LongPathOrAsIs(const std::string& Path) {
  std::string Long = ExpandLongPath(Path);
  return Long.empty() ? Path : Long;
}

std::string ExpandLongPath(const std::string& Path) {
  // Windows takes '/' for '\'; the walk below only knows '\'.
  std::string Remaining = ReplaceChar(Trim(Path), '/', '\\');
  if (!IsNetworkPath(Remaining) && !FileSystem().FileExists(Remaining) &&
      !FileSystem().DirectoryExists(Remaining))
    return std::string();
  const std::size_t Root = RootLength(Remaining);
  // From the end, one component at a time. Only backslashes separate components (a ':'
  // after the drive names a stream, it is no folder), and every step takes at least one
  // byte off the path, so the walk ends whatever the path holds.
  std::string Collected;
  bool First = true;
  while (Remaining.size() > Root) {
    std::size_t Cut = LastDelimiter("\\", Remaining);
    bool Separated = Cut != std::string::npos && Cut >= Root;
    std::string Component = Remaining.substr(Separated ? Cut + 1 : Root);
    // A component that is not found (a share that is not there, a stream) stays as given.
    if (!Component.empty()) {
      std::string Long = GetLongName(Remaining);
      if (!Long.empty()) Component = Long;
    }
    Collected = First ? Component : Component + "\\" + Collected;
    First = false;
    Remaining.resize(Separated ? Cut : Root);
  }
  if (Remaining.empty()) return Collected;  // a relative path stays relative
  return UpperCaseAscii(Remaining) + (EndsWithChar(Remaining, '\\') ? "" : "\\") + Collected;
}

std::unique_ptr<TIcon> GetFileIcon(const std::string& Path, bool Large) {
  unsigned Flags = ShgfiIcon | ShgfiDisplayName | ShgfiSysIconIndex;
  if (!Large) Flags |= ShgfiSmallIcon;
  return std::make_unique<TIcon>(Shell().GetFileInfoIcon(Path, Flags));
}

}  // namespace lantern
