#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it.
#include <string>

namespace lantern {

class TTempFolder {
 public:
  TTempFolder();
  ~TTempFolder();
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;
  const std::string& Path() const { return FPath; }
  // Path of a name inside the folder, with the platform's separator.
  std::string operator/(const std::string& Name) const;

 private:
  std::string FPath;
};

std::string ReadFileBytes(const std::string& Path);  // CP932 names on Windows too
void WriteFileBytes(const std::string& Path, const std::string& Bytes);
bool PathExists(const std::string& Path);

}  // namespace lantern
