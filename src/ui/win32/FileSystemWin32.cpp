// Windows' file system through the W functions, names converted from CP932.
#include <windows.h>

#include "base/Cp932.h"
#include "base/Exception.h"
#include "base/Path.h"
#include "ui/FileSystem.h"
#include "ui/win32/Handles.h"
#include "ui/win32/WideText.h"

namespace lantern {

namespace {

std::string LastErrorText() { return SystemErrorText(GetLastError()); }

// A drive without its disc or card answers "not there" instead of asking the user for one.
DWORD Attributes(const std::string& Path) {
  DWORD Before = 0;
  const bool Quiet = SetThreadErrorMode(SEM_FAILCRITICALERRORS, &Before);
  const DWORD Result = GetFileAttributesW(ToWide(Path).c_str());
  if (Quiet) SetThreadErrorMode(Before, nullptr);
  return Result;
}

class TWin32File : public TFileHandle {
 public:
  TWin32File(TKernelHandle Handle, std::string Path)
      : FFile(std::move(Handle)), FHandle(FFile.Get()), FPath(std::move(Path)) {}

  std::size_t Read(void* Buffer, std::size_t Count) override {
    DWORD Done = 0;
    DWORD Want = Count > 0x40000000 ? 0x40000000 : static_cast<DWORD>(Count);
    if (!ReadFile(FHandle, Buffer, Want, &Done, nullptr))
      throw EFileError(CannotReadText(FPath, LastErrorText()));
    return Done;
  }

  void Write(const void* Buffer, std::size_t Count) override {
    const char* p = static_cast<const char*>(Buffer);
    while (Count > 0) {
      DWORD Want = Count > 0x40000000 ? 0x40000000 : static_cast<DWORD>(Count);
      DWORD Done = 0;
      if (!WriteFile(FHandle, p, Want, &Done, nullptr) || Done == 0)
        throw EFileError(CannotWriteText(FPath, LastErrorText()));
      p += Done;
      Count -= Done;
    }
  }

  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override {
    LARGE_INTEGER Distance, Result;
    Distance.QuadPart = Offset;
    DWORD Method = Origin == TSeekOrigin::Begin     ? FILE_BEGIN
                   : Origin == TSeekOrigin::Current ? FILE_CURRENT
                                                    : FILE_END;
    if (!SetFilePointerEx(FHandle, Distance, &Result, Method)) return -1;
    return Result.QuadPart;
  }

  void FlushToDisk() override {
    if (!FlushFileBuffers(FHandle)) throw EFileError(CannotWriteText(FPath, LastErrorText()));
  }

 private:
  TKernelHandle FFile;
  HANDLE FHandle;
  std::string FPath;
};

class TWin32FileSystem : public TFileSystem {
 public:
  bool FileExists(const std::string& Path) override {
    DWORD a = Attributes(Path);
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
  }
  int DriveType(const std::string& Root) override {
    return static_cast<int>(GetDriveTypeW(ToWide(Root).c_str()));
  }
  bool DirectoryExists(const std::string& Path) override {
    DWORD a = Attributes(Path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
  }
  bool ListFolder(const std::string& Path, std::vector<TFolderEntry>& Entries) override {
    WIN32_FIND_DATAW Data;
    TFindHandle Find(FindFirstFileW((ToWide(IncludeTrailingBackslash(Path)) + L"*").c_str(), &Data));
    if (!Find) return false;
    do {
      const std::wstring Name = Data.cFileName;
      if (Name == L"." || Name == L"..") continue;
      TFolderEntry Entry;
      Entry.Folder = (Data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
      Entry.Link = (Data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
      Entry.Cp932 = FromWideExact(Name, Entry.Name);
      Entries.push_back(std::move(Entry));
    } while (FindNextFileW(Find.Get(), &Data));
    return true;
  }
  bool FolderId(const std::string& Path, std::uint64_t& Volume, std::uint64_t& Index) override {
    // A folder opens only with backup semantics; nothing is read or written through it.
    TKernelHandle Folder(CreateFileW(ToWide(Path).c_str(), FILE_READ_ATTRIBUTES,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION Info;
    if (!Folder || !GetFileInformationByHandle(Folder.Get(), &Info)) return false;
    Volume = Info.dwVolumeSerialNumber;
    Index = static_cast<std::uint64_t>(Info.nFileIndexHigh) << 32 | Info.nFileIndexLow;
    return true;
  }
  std::int64_t LastWriteTime(const std::string& Path) override {
    WIN32_FILE_ATTRIBUTE_DATA Data;
    if (!GetFileAttributesExW(ToWide(Path).c_str(), GetFileExInfoStandard, &Data)) return -1;
    return static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(Data.ftLastWriteTime.dwHighDateTime) << 32) |
        Data.ftLastWriteTime.dwLowDateTime);
  }
  std::string FindFirstName(const std::string& Path) override {
    WIN32_FIND_DATAW Data;
    TFindHandle Find(FindFirstFileW(ToWide(Path).c_str(), &Data));
    return Find ? FromWide(Data.cFileName) : std::string();
  }
  std::unique_ptr<TFileHandle> Open(const std::string& Path, TFileMode Mode) override {
    bool Reading = Mode == TFileMode::OpenRead;
    TKernelHandle File(CreateFileW(
        ToWide(Path).c_str(), Reading ? GENERIC_READ : GENERIC_WRITE, Reading ? FILE_SHARE_READ : 0,
        nullptr, Reading ? OPEN_EXISTING : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!File)
      throw EFileError(Reading ? CannotOpenText(Path, LastErrorText())
                               : CannotCreateText(Path, LastErrorText()));
    return std::make_unique<TWin32File>(std::move(File), Path);
  }
  void ReplaceFile(const std::string& Source, const std::string& Target) override {
    if (!MoveFileExW(ToWide(Source).c_str(), ToWide(Target).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      throw EFileError(CannotReplaceText(Target, LastErrorText()));
  }
  bool RemoveFile(const std::string& Path) override {
    return DeleteFileW(ToWide(Path).c_str()) != 0;
  }
  bool Copy(const std::string& Source, const std::string& Target) override {
    return CopyFileW(ToWide(Source).c_str(), ToWide(Target).c_str(), FALSE) != 0;
  }
  bool CreateFolders(const std::string& Path) override {
    std::string Folder = ExcludeTrailingBackslash(Path);
    if (Folder.empty() || DirectoryExists(Folder)) return true;
    std::string Parent = ExcludeTrailingBackslash(ExtractFilePath(Folder));
    if (!Parent.empty() && Parent != Folder && !EndsWithChar(Parent, ':') && !CreateFolders(Parent))
      return false;
    return CreateDirectoryW(ToWide(Folder).c_str(), nullptr) ||
           GetLastError() == ERROR_ALREADY_EXISTS;
  }
};

}  // namespace

TFileSystem& PlatformFileSystem() {
  static TWin32FileSystem Instance;
  return Instance;
}

}  // namespace lantern
