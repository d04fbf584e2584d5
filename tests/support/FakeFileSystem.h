#pragma once
// A Windows-like file system in memory for the path logic: drives and shares, folders and
// files with long and short (8.3) names, matched without regard to ASCII case. File contents
// go to the real file system; ReplaceFile and writes can be made to fail.
#include <functional>
#include <map>
#include <set>
#include <memory>
#include <string>
#include <vector>

#include "ui/FileSystem.h"

namespace lantern {

class TFakeFileSystem : public TFileSystem {
 public:
  TFakeFileSystem();
  ~TFakeFileSystem() override;
  // Adds a folder or file by its long path (folders on the way are made); ShortName, when
  // given, is the 8.3 alias of the last component.
  void AddFolder(const std::string& LongPath, const std::string& ShortName = "");
  void AddFile(const std::string& LongPath, const std::string& ShortName = "");
  // A folder entry at LinkPath that leads to the folder Target (added before): listed as a
  // link when Reparse (a junction, a symbolic link), else as a plain folder (as a hard-linked
  // folder shows). Either way it has Target's id and entries.
  void AddLink(const std::string& LinkPath, const std::string& Target, bool Reparse = true);
  // The last-write time of an entry added above (0 until set).
  void SetWriteTime(const std::string& LongPath, std::int64_t Time);
  // Relative paths are taken from here ("C:\Users\me" by default).
  void SetCurrentFolder(const std::string& LongPath) { FCurrent = LongPath; }
  // Instead of the entries above: Windows paths on the real disk, "C:\a\b" being the file
  // b in the folder a of Folder. Writes can still be made to fail.
  void MapDrive(const std::string& Folder) { FMapped = Folder; }
  // Another drive letter on the real disk as well (after MapDrive): "D:\a" is a in Folder.
  void MapOtherDrive(char Letter, const std::string& Folder) { FOtherDrives[Letter] = Folder; }
  std::string RealPath(const std::string& Path) const;

  bool FileExists(const std::string& Path) override;
  bool DirectoryExists(const std::string& Path) override;
  // Every drive is fixed unless a test says otherwise, by its letter in upper case.
  std::map<char, int> DriveTypes;
  int DriveType(const std::string& Root) override;
  std::int64_t LastWriteTime(const std::string& Path) override;
  std::string FindFirstName(const std::string& Path) override;
  std::unique_ptr<TFileHandle> Open(const std::string& Path, TFileMode Mode) override;
  void ReplaceFile(const std::string& Source, const std::string& Target) override;
  bool RemoveFile(const std::string& Path) override;
  bool Copy(const std::string& Source, const std::string& Target) override;
  bool CreateFolders(const std::string& Path) override;
  bool ListFolder(const std::string& Path, std::vector<TFolderEntry>& Entries) override;
  std::set<std::string> NoCp932;    // names listed as having no CP932 form
  std::set<std::string> Unreadable;  // folders that cannot be listed
  // Roots that do not answer ("E:", "\\PC\S", in upper case), as a drive unplugged or
  // without its disc, or a share offline: nothing on them is there, not even the root.
  std::set<std::string> Offline;
  // Each folder has an id of its own on volume 1; a link has its folder's.
  bool FolderId(const std::string& Path, std::uint64_t& Volume, std::uint64_t& Index) override;
  int ListCalls = 0;
  int MostListCalls = -1;  // >= 0: a listing past that many raises, to end a walk without end

  std::function<void()> OnFileExists;  // runs before each FileExists answers
  bool FailReplace = false;   // ReplaceFile raises, as when the target is locked
  long FailWritesAfter = -1;  // >= 0: a file being written fails after that many bytes
  int FindCalls = 0;

 private:
  struct TEntry;
  TEntry* Resolve(const std::string& Path);
  bool OnOfflineRoot(const std::string& Path);
  TEntry* Make(const std::string& LongPath, bool Folder, const std::string& ShortName);

  std::map<std::string, std::unique_ptr<TEntry>> FRoots;  // "C:" or "\\SERVER\SHARE"
  std::string FCurrent = "C:\\Users\\me";
  std::string FMapped;
  std::map<char, std::string> FOtherDrives;
  std::uint64_t FLastIndex = 0;
};

}  // namespace lantern
