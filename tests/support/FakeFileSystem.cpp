#include "support/FakeFileSystem.h"

#include "base/Cp932.h"
#include "base/Exception.h"

namespace lantern {

struct TFakeFileSystem::TEntry {
  std::string LongName, ShortName;
  bool Folder = true;
  std::int64_t WriteTime = 0;
  TEntry* Target = nullptr;  // a link's folder
  bool Reparse = false;      // a link listed as one
  std::uint64_t Index = 0;   // its id, on volume 1
  std::vector<std::unique_ptr<TEntry>> Children;

  TEntry* Find(const std::string& Name) {
    std::string Key = UpperCaseAscii(Name);
    for (auto& c : Children)
      if (UpperCaseAscii(c->LongName) == Key ||
          (!c->ShortName.empty() && UpperCaseAscii(c->ShortName) == Key))
        return c.get();
    return nullptr;
  }
};

namespace {

// Splits at single-byte backslashes only.
std::vector<std::string> Split(const std::string& Path) {
  std::vector<std::string> Parts(1);
  for (std::size_t i = 0; i < Path.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(Path[i])) && i + 1 < Path.size()) {
      Parts.back() += Path.substr(i++, 2);
    } else if (Path[i] == '\\') {
      Parts.emplace_back();
    } else {
      Parts.back() += Path[i];
    }
  }
  return Parts;
}

// The root key of a path and the components after it; false for a path without a root.
bool SplitRoot(const std::string& Path, std::string& Root, std::vector<std::string>& Rest) {
  std::vector<std::string> Parts = Split(Path);
  if (Path.compare(0, 2, "\\\\") == 0) {
    if (Parts.size() < 4) return false;
    Root = UpperCaseAscii("\\\\" + Parts[2] + "\\" + Parts[3]);
    Rest.assign(Parts.begin() + 4, Parts.end());
    return true;
  }
  if (Parts[0].size() == 2 && Parts[0][1] == ':') {
    Root = UpperCaseAscii(Parts[0]);
    Rest.assign(Parts.begin() + 1, Parts.end());
    return true;
  }
  return false;
}

}  // namespace

TFakeFileSystem::TFakeFileSystem() = default;
TFakeFileSystem::~TFakeFileSystem() = default;

TFakeFileSystem::TEntry* TFakeFileSystem::Make(const std::string& LongPath, bool Folder,
                                               const std::string& ShortName) {
  std::string Root;
  std::vector<std::string> Rest;
  if (!SplitRoot(LongPath, Root, Rest)) throw Exception("fake file system: no root in " + LongPath);
  auto& Slot = FRoots[Root];
  if (!Slot) {
    Slot.reset(new TEntry);
    Slot->Index = ++FLastIndex;
  }
  TEntry* Entry = Slot.get();
  for (const std::string& Name : Rest) {
    if (Name.empty()) continue;
    TEntry* Next = Entry->Find(Name);
    if (!Next) {
      Entry->Children.emplace_back(new TEntry);
      Next = Entry->Children.back().get();
      Next->LongName = Name;
      Next->Index = ++FLastIndex;
    }
    Entry = Next;
  }
  Entry->Folder = Folder;
  if (!ShortName.empty()) Entry->ShortName = ShortName;
  return Entry;
}

void TFakeFileSystem::AddFolder(const std::string& LongPath, const std::string& ShortName) {
  Make(LongPath, true, ShortName);
}

void TFakeFileSystem::AddFile(const std::string& LongPath, const std::string& ShortName) {
  Make(LongPath, false, ShortName);
}

bool TFakeFileSystem::OnOfflineRoot(const std::string& Path) {
  std::string Root;
  std::vector<std::string> Rest;
  return SplitRoot(Path, Root, Rest) && Offline.count(Root) > 0;
}

void TFakeFileSystem::AddLink(const std::string& LinkPath, const std::string& Target,
                              bool Reparse) {
  TEntry* Folder = Resolve(Target);
  if (!Folder || !Folder->Folder) throw Exception("fake file system: no folder " + Target);
  TEntry* Link = Make(LinkPath, true, "");
  Link->Target = Folder;
  Link->Reparse = Reparse;
}

TFakeFileSystem::TEntry* TFakeFileSystem::Resolve(const std::string& Path) {
  std::string Root;
  std::vector<std::string> Rest;
  if (!SplitRoot(Path, Root, Rest)) {
    if (Path.empty()) return nullptr;
    // From the current drive's root, or from the current folder.
    if (Path[0] == '\\') return Resolve(FCurrent.substr(0, 2) + Path);
    return Resolve(FCurrent + "\\" + Path);
  }
  auto It = FRoots.find(Root);
  if (It == FRoots.end() || Offline.count(Root)) return nullptr;
  TEntry* Entry = It->second.get();
  for (std::size_t i = 0; i < Rest.size(); ++i) {
    // A trailing backslash names the folder itself ("C:\" is the drive's root).
    if (Rest[i].empty() && i + 1 == Rest.size()) return Entry->Folder ? Entry : nullptr;
    if (!Entry->Folder || !(Entry = Entry->Find(Rest[i]))) return nullptr;
    if (Entry->Target) Entry = Entry->Target;  // through a link, to where it leads
  }
  return Entry;
}

std::string TFakeFileSystem::RealPath(const std::string& Path) const {
  if (FMapped.empty() || Path.size() < 2 || Path[1] != ':') return Path;
  const char Letter = UpperCaseAscii(Path.substr(0, 1))[0];
  auto Other = FOtherDrives.find(Letter);
  if (Letter != 'C' && Other == FOtherDrives.end()) return Path;
  const std::string& Root = Letter == 'C' ? FMapped : Other->second;
#ifdef _WIN32
  const char Separator = '\\';
#else
  const char Separator = '/';
#endif
  std::string Rest = ReplaceChar(Path.substr(2), '\\', Separator);
  if (!Rest.empty() && Rest[0] != Separator) Rest = Separator + Rest;
  return Root + Rest;
}

int TFakeFileSystem::DriveType(const std::string& Root) {
  char Letter = Root.empty() ? 0 : Root[0];
  if (Letter >= 'a' && Letter <= 'z') Letter = static_cast<char>(Letter - 'a' + 'A');
  auto It = DriveTypes.find(Letter);
  return It == DriveTypes.end() ? dtFixed : It->second;
}

bool TFakeFileSystem::FileExists(const std::string& Path) {
  if (OnFileExists) OnFileExists();
  if (OnOfflineRoot(Path)) return false;
  if (!FMapped.empty()) return PlatformFileSystem().FileExists(RealPath(Path));
  TEntry* e = Resolve(Path);
  return e && !e->Folder;
}

bool TFakeFileSystem::DirectoryExists(const std::string& Path) {
  if (OnOfflineRoot(Path)) return false;
  if (!FMapped.empty()) return PlatformFileSystem().DirectoryExists(RealPath(Path));
  TEntry* e = Resolve(Path);
  return e && e->Folder;
}

bool TFakeFileSystem::ListFolder(const std::string& Path, std::vector<TFolderEntry>& Entries) {
  if (MostListCalls >= 0 && ListCalls >= MostListCalls)
    throw Exception("fake file system: more than " + std::to_string(MostListCalls) + " listings");
  ++ListCalls;
  if (Unreadable.count(Path)) return false;
  const std::size_t First = Entries.size();
  if (!FMapped.empty()) {
    if (!PlatformFileSystem().ListFolder(RealPath(Path), Entries)) return false;
  } else {
    TEntry* e = Resolve(Path);
    if (!e || !e->Folder) return false;
    for (auto& Child : e->Children) {
      const bool Folder = Child->Target ? Child->Target->Folder : Child->Folder;
      Entries.push_back({Child->LongName, Folder, true, Child->Reparse});
    }
  }
  for (std::size_t i = First; i < Entries.size(); ++i)
    Entries[i].Cp932 = NoCp932.count(Entries[i].Name) == 0;
  return true;
}

bool TFakeFileSystem::FolderId(const std::string& Path, std::uint64_t& Volume,
                               std::uint64_t& Index) {
  if (!FMapped.empty()) return PlatformFileSystem().FolderId(RealPath(Path), Volume, Index);
  TEntry* e = Resolve(Path);
  if (!e || !e->Folder) return false;
  Volume = 1;
  Index = e->Index;
  return true;
}

void TFakeFileSystem::SetWriteTime(const std::string& LongPath, std::int64_t Time) {
  if (TEntry* e = Resolve(LongPath)) e->WriteTime = Time;
}

std::int64_t TFakeFileSystem::LastWriteTime(const std::string& Path) {
  if (OnOfflineRoot(Path)) return -1;
  if (!FMapped.empty()) return PlatformFileSystem().LastWriteTime(RealPath(Path));
  TEntry* e = Resolve(Path);
  return e ? e->WriteTime : -1;
}

std::string TFakeFileSystem::FindFirstName(const std::string& Path) {
  ++FindCalls;
  if (!FMapped.empty()) return PlatformFileSystem().FindFirstName(RealPath(Path));
  // As FindFirstFile: a path that ends in a backslash, or a bare root, finds nothing.
  if (Path.empty() || EndsWithChar(Path, '\\') || EndsWithChar(Path, ':')) return std::string();
  TEntry* e = Resolve(Path);
  return e ? e->LongName : std::string();
}

namespace {
// Counts the bytes written and fails past a limit, as a full disk would.
class TLimitedFile : public TFileHandle {
 public:
  TLimitedFile(std::unique_ptr<TFileHandle> Inner, long Limit, std::string Path)
      : FInner(std::move(Inner)), FLeft(Limit), FPath(std::move(Path)) {}
  std::size_t Read(void* Buffer, std::size_t Count) override { return FInner->Read(Buffer, Count); }
  void Write(const void* Buffer, std::size_t Count) override {
    if (FLeft >= 0 && static_cast<long>(Count) > FLeft)
      throw EFileError(CannotWriteText(FPath, "disk full"));
    if (FLeft >= 0) FLeft -= static_cast<long>(Count);
    FInner->Write(Buffer, Count);
  }
  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override {
    return FInner->Seek(Offset, Origin);
  }
  void FlushToDisk() override { FInner->FlushToDisk(); }

 private:
  std::unique_ptr<TFileHandle> FInner;
  long FLeft;
  std::string FPath;
};
}  // namespace

std::unique_ptr<TFileHandle> TFakeFileSystem::Open(const std::string& Path, TFileMode Mode) {
  auto Real = PlatformFileSystem().Open(RealPath(Path), Mode);
  if (Mode == TFileMode::Create && FailWritesAfter >= 0)
    return std::make_unique<TLimitedFile>(std::move(Real), FailWritesAfter, Path);
  return Real;
}

void TFakeFileSystem::ReplaceFile(const std::string& Source, const std::string& Target) {
  if (FailReplace) throw EFileError(CannotReplaceText(Target, "locked"));
  PlatformFileSystem().ReplaceFile(RealPath(Source), RealPath(Target));
}

bool TFakeFileSystem::Copy(const std::string& Source, const std::string& Target) {
  return PlatformFileSystem().Copy(RealPath(Source), RealPath(Target));
}

bool TFakeFileSystem::CreateFolders(const std::string& Path) {
  return PlatformFileSystem().CreateFolders(RealPath(Path));
}

bool TFakeFileSystem::RemoveFile(const std::string& Path) {
  return PlatformFileSystem().RemoveFile(RealPath(Path));
}

}  // namespace lantern
