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

std::string PathRoot(const std::string& Path) {
  const char Drive = Path.empty() ? 0 : static_cast<char>(Path[0] & ~0x20);
  if (Path.size() >= 3 && Drive >= 'A' && Drive <= 'Z' && Path[1] == ':' && Path[2] == '\\')
    return Path.substr(0, 3);
  if (!IsNetworkPath(Path)) return std::string();
  const std::size_t Server = FindChar(Path, '\\', 2);
  if (Server == std::string::npos || Server == 2) return std::string();
  const std::size_t Share = FindChar(Path, '\\', Server + 1);
  if (Share == Server + 1 || Server + 1 == Path.size()) return std::string();
  return Share == std::string::npos ? Path + '\\' : Path.substr(0, Share + 1);
}

}  // namespace lantern
