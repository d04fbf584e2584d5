// The file system of a POSIX host, used by the native build (tests and benchmarks).
// Names are taken as bytes; there are no short names here.
#include <errno.h>
#include <dirent.h>
#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "base/Exception.h"
#include "ui/FileSystem.h"

namespace lantern {

namespace {

std::string Reason() { return strerror(errno); }

class TPosixFile : public TFileHandle {
 public:
  TPosixFile(int Fd, std::string Path) : FFd(Fd), FPath(std::move(Path)) {}
  ~TPosixFile() override { ::close(FFd); }

  std::size_t Read(void* Buffer, std::size_t Count) override {
    for (;;) {
      ssize_t n = ::read(FFd, Buffer, Count);
      if (n >= 0) return static_cast<std::size_t>(n);
      if (errno != EINTR) throw EFileError(CannotReadText(FPath, Reason()));
    }
  }

  void Write(const void* Buffer, std::size_t Count) override {
    const char* p = static_cast<const char*>(Buffer);
    while (Count > 0) {
      ssize_t n = ::write(FFd, p, Count);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) throw EFileError(CannotWriteText(FPath, Reason()));
      p += n;
      Count -= static_cast<std::size_t>(n);
    }
  }

  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override {
    int Whence = Origin == TSeekOrigin::Begin     ? SEEK_SET
                 : Origin == TSeekOrigin::Current ? SEEK_CUR
                                                  : SEEK_END;
    return ::lseek(FFd, Offset, Whence);
  }

  void FlushToDisk() override {
    if (::fsync(FFd) != 0 && errno != EINVAL) throw EFileError(CannotWriteText(FPath, Reason()));
  }

 private:
  int FFd;
  std::string FPath;
};

class TPosixFileSystem : public TFileSystem {
 public:
  bool FileExists(const std::string& Path) override {
    struct stat st;
    return ::stat(Path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
  }
  int DriveType(const std::string&) override { return dtFixed; }
  bool DirectoryExists(const std::string& Path) override {
    struct stat st;
    return ::stat(Path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  }
  bool ListFolder(const std::string& Path, std::vector<TFolderEntry>& Entries) override {
    DIR* Dir = ::opendir(Path.c_str());
    if (!Dir) return false;
    while (dirent* Each = ::readdir(Dir)) {
      const std::string Name = Each->d_name;
      if (Name == "." || Name == "..") continue;
      struct stat st;
      TFolderEntry Entry;
      Entry.Name = Name;
      const std::string Full = Path + "/" + Name;
      Entry.Folder = ::stat(Full.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
      Entry.Link = ::lstat(Full.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
      Entries.push_back(std::move(Entry));
    }
    ::closedir(Dir);
    return true;
  }
  bool FolderId(const std::string& Path, std::uint64_t& Volume, std::uint64_t& Index) override {
    struct stat st;
    if (::stat(Path.c_str(), &st) != 0) return false;
    Volume = static_cast<std::uint64_t>(st.st_dev);
    Index = static_cast<std::uint64_t>(st.st_ino);
    return true;
  }
  std::int64_t LastWriteTime(const std::string& Path) override {
    struct stat st;
    if (::stat(Path.c_str(), &st) != 0) return -1;
    return static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  }
  std::string FindFirstName(const std::string& Path) override {
    struct stat st;
    if (::lstat(Path.c_str(), &st) != 0) return std::string();
    std::size_t Slash = Path.find_last_of('/');
    return Slash == std::string::npos ? Path : Path.substr(Slash + 1);
  }
  std::unique_ptr<TFileHandle> Open(const std::string& Path, TFileMode Mode) override {
    int Fd = Mode == TFileMode::OpenRead
                 ? ::open(Path.c_str(), O_RDONLY | O_CLOEXEC)
                 : ::open(Path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (Fd < 0)
      throw EFileError(Mode == TFileMode::OpenRead ? CannotOpenText(Path, Reason())
                                                   : CannotCreateText(Path, Reason()));
    return std::make_unique<TPosixFile>(Fd, Path);
  }
  void ReplaceFile(const std::string& Source, const std::string& Target) override {
    if (::rename(Source.c_str(), Target.c_str()) != 0)
      throw EFileError(CannotReplaceText(Target, Reason()));
  }
  bool RemoveFile(const std::string& Path) override { return ::unlink(Path.c_str()) == 0; }
  bool Copy(const std::string& Source, const std::string& Target) override {
    try {
      auto In = Open(Source, TFileMode::OpenRead);
      auto Out = Open(Target, TFileMode::Create);
      char Buffer[65536];
      while (std::size_t n = In->Read(Buffer, sizeof(Buffer))) Out->Write(Buffer, n);
      return true;
    } catch (const EFileError&) {
      return false;
    }
  }
  bool CreateFolders(const std::string& Path) override {
    if (Path.empty() || DirectoryExists(Path)) return true;
    std::size_t Slash = Path.find_last_of('/', Path.size() - 2);
    if (Slash != std::string::npos && Slash > 0 && !CreateFolders(Path.substr(0, Slash)))
      return false;
    return ::mkdir(Path.c_str(), 0755) == 0 || errno == EEXIST;
  }
};

}  // namespace

TFileSystem& PlatformFileSystem() {
  static TPosixFileSystem Instance;
  return Instance;
}

}  // namespace lantern
