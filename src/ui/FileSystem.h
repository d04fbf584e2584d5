#pragma once
// The file services of the operating system, one narrow interface: existence tests, the
// long name of a directory entry, opening files, and putting a file in place atomically.
// Windows and POSIX implementations live in win32/ and posix/; tests install doubles.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/Stream.h"

namespace lantern {

// The kinds of drive that matter to the program, by their GetDriveType numbers.
enum TDriveType : int { dtRemovable = 2, dtFixed = 3, dtRemote = 4, dtCdRom = 5 };

class TFileHandle {
 public:
  virtual ~TFileHandle() = default;
  virtual std::size_t Read(void* Buffer, std::size_t Count) = 0;  // 0 at the end
  virtual void Write(const void* Buffer, std::size_t Count) = 0;  // all, or EFileError
  virtual std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) = 0;
  virtual void FlushToDisk() = 0;
};

// One entry of a folder: its name in CP932 (Cp932 false when it has none: the name then shows
// '?' for what CP932 cannot write), whether it is a folder, and whether it is a link to another
// place (a reparse point: a junction, a symbolic link, a mount point).
struct TFolderEntry {
  std::string Name;
  bool Folder = false;
  bool Cp932 = true;
  bool Link = false;
};

class TFileSystem {
 public:
  virtual ~TFileSystem() = default;
  virtual bool FileExists(const std::string& Path) = 0;       // a file, not a folder
  virtual bool DirectoryExists(const std::string& Path) = 0;  // a folder
  // The kind of drive of a root such as "C:\\" (GetDriveType): one of the TDriveType values.
  virtual int DriveType(const std::string& Root) = 0;
  // When the file or folder was last written, in the system's own units (only compared);
  // -1 when there is none.
  virtual std::int64_t LastWriteTime(const std::string& Path) = 0;
  // The long name of the first directory entry that matches Path, any attributes;
  // empty when nothing matches.
  virtual std::string FindFirstName(const std::string& Path) = 0;
  // Raises EFileError with the texts below when the file cannot be opened or created.
  virtual std::unique_ptr<TFileHandle> Open(const std::string& Path, TFileMode Mode) = 0;
  // Puts Source in the place of Target (replacing it) in one step; EFileError on failure.
  virtual void ReplaceFile(const std::string& Source, const std::string& Target) = 0;
  virtual bool RemoveFile(const std::string& Path) = 0;
  // Copies Source over Target (replacing it); false on failure.
  virtual bool Copy(const std::string& Source, const std::string& Target) = 0;
  // Creates the folder with every missing parent; false on failure.
  virtual bool CreateFolders(const std::string& Path) = 0;
  // Appends the folder's entries ("." and ".." left out) in the order the system gives them;
  // false when the folder cannot be read.
  virtual bool ListFolder(const std::string& Path, std::vector<TFolderEntry>& Entries) = 0;
  // What makes a folder itself, the same through every path that leads to it: the serial
  // number of its volume and its index there. False when the folder cannot be opened.
  virtual bool FolderId(const std::string& Path, std::uint64_t& Volume, std::uint64_t& Index) = 0;
};

// The file system in use: the real one unless a test installed another.
TFileSystem& FileSystem();
// Installs FileSystem (nullptr: the real one again); returns the one that was in use.
TFileSystem* SetFileSystem(TFileSystem* Value);
// The real file system of the platform this was built for.
TFileSystem& PlatformFileSystem();

// Writes a file through Write into FileName + ".tmp", puts it on the disk and then in the place
// of FileName in one step. On any failure the temporary goes and the error is raised again,
// so the old file stays whole whatever happened.
void SaveFileAtomically(const std::string& FileName, const std::function<void(TStream&)>& Write);

std::string CannotOpenText(const std::string& Path, const std::string& Reason);
std::string CannotReadText(const std::string& Path, const std::string& Reason);
std::string CannotCreateText(const std::string& Path, const std::string& Reason);
std::string CannotWriteText(const std::string& Path, const std::string& Reason);
std::string CannotReplaceText(const std::string& Path, const std::string& Reason);

}  // namespace lantern
