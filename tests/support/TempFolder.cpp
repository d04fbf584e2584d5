#include "support/TempFolder.h"

#include <stdexcept>

#include "ui/FileSystem.h"
#include "ui/Stream.h"

#ifdef _WIN32
#include <windows.h>

#include "ui/win32/WideText.h"
#else
#include <ftw.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace lantern {

#ifdef _WIN32
namespace {
void RemoveTree(const std::wstring& Path) {
  WIN32_FIND_DATAW Data;
  HANDLE Find = FindFirstFileW((Path + L"\\*").c_str(), &Data);
  if (Find != INVALID_HANDLE_VALUE) {
    do {
      std::wstring Name = Data.cFileName;
      if (Name == L"." || Name == L"..") continue;
      std::wstring Full = Path + L"\\" + Name;
      if (Data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(Full);
      else
        DeleteFileW(Full.c_str());
    } while (FindNextFileW(Find, &Data));
    FindClose(Find);
  }
  RemoveDirectoryW(Path.c_str());
}
}  // namespace

TTempFolder::TTempFolder() {
  wchar_t Base[MAX_PATH];
  GetTempPathW(MAX_PATH, Base);
  static int Serial = 0;
  for (;;) {
    std::wstring Candidate = std::wstring(Base) + L"lantern-test-" +
                             std::to_wstring(GetCurrentProcessId()) + L"-" +
                             std::to_wstring(++Serial);
    if (CreateDirectoryW(Candidate.c_str(), nullptr)) {
      FPath = FromWide(Candidate);
      return;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("no temporary folder");
  }
}

TTempFolder::~TTempFolder() { RemoveTree(ToWide(FPath)); }

std::string TTempFolder::operator/(const std::string& Name) const { return FPath + "\\" + Name; }

bool PathExists(const std::string& Path) {
  return GetFileAttributesW(ToWide(Path).c_str()) != INVALID_FILE_ATTRIBUTES;
}
#else
TTempFolder::TTempFolder() {
  char Template[] = "/tmp/lantern-test-XXXXXX";
  if (!mkdtemp(Template)) throw std::runtime_error("no temporary folder");
  FPath = Template;
}

TTempFolder::~TTempFolder() {
  nftw(
      FPath.c_str(),
      [](const char* p, const struct stat*, int, struct FTW*) { return ::remove(p); }, 16,
      FTW_DEPTH | FTW_PHYS);
}

std::string TTempFolder::operator/(const std::string& Name) const { return FPath + "/" + Name; }

bool PathExists(const std::string& Path) {
  struct stat st;
  return ::stat(Path.c_str(), &st) == 0;
}
#endif

std::string ReadFileBytes(const std::string& Path) {
  auto Handle = PlatformFileSystem().Open(Path, TFileMode::OpenRead);
  std::string Bytes, Chunk(4096, '\0');
  while (std::size_t n = Handle->Read(&Chunk[0], Chunk.size())) Bytes.append(Chunk, 0, n);
  return Bytes;
}

void WriteFileBytes(const std::string& Path, const std::string& Bytes) {
  auto Handle = PlatformFileSystem().Open(Path, TFileMode::Create);
  Handle->Write(Bytes.data(), Bytes.size());
}

}  // namespace lantern
