#include "base/Path.h"

#include "base/Cp932.h"

namespace lantern {

std::string ExtractFilePath(const std::string& Path) {
  std::size_t i = LastDelimiter("\\:", Path);
  return i == std::string::npos ? std::string() : Path.substr(0, i + 1);
}

std::string ExtractFileName(const std::string& Path) {
  std::size_t i = LastDelimiter("\\:", Path);
  return i == std::string::npos ? Path : Path.substr(i + 1);
}

std::string ExtractFolderName(const std::string& Path) {
  std::string Name = ExtractFileName(ExcludeTrailingBackslash(Path));
  return Name.empty() ? Path : Name;
}

std::string ExcludeTrailingBackslash(const std::string& Path) {
  return EndsWithChar(Path, '\\') ? Path.substr(0, Path.size() - 1) : Path;
}

std::string IncludeTrailingBackslash(const std::string& Path) {
  return EndsWithChar(Path, '\\') ? Path : Path + '\\';
}

std::string ExtractFileExt(const std::string& Path) {
  std::size_t i = LastDelimiter(".\\:", Path);
  return i != std::string::npos && Path[i] == '.' ? Path.substr(i) : std::string();
}

bool IsNetworkPath(const std::string& Path) { return Path.compare(0, 2, "\\\\") == 0; }

std::string ExtractPathRoot(const std::string& Path) {
  if (IsNetworkPath(Path)) {
    // The server and the share end at single-byte backslashes only.
    const std::size_t Server = FindChar(Path, '\\', 2);
    if (Server == std::string::npos || Server == 2) return std::string();
    std::size_t Share = FindChar(Path, '\\', Server + 1);
    if (Share == std::string::npos) Share = Path.size();
    if (Share == Server + 1) return std::string();
    return Path.substr(0, Share) + '\\';
  }
  const char Drive = Path.empty() ? 0 : Path[0];
  if (Path.size() >= 2 && Path[1] == ':' &&
      ((Drive >= 'A' && Drive <= 'Z') || (Drive >= 'a' && Drive <= 'z')))
    return Path.substr(0, 2) + '\\';
  return std::string();
}

}  // namespace lantern
