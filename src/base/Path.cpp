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

}  // namespace lantern
