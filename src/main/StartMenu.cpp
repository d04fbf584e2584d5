#include "main/StartMenu.h"

#include <cstdint>
#include <memory>
#include <set>
#include <utility>

#include "base/Cp932.h"
#include "base/Path.h"
#include "dialogs/ProgressForm.h"
#include "model/Root.h"
#include "shell/DropBlocks.h"
#include "ui/FileSystem.h"

namespace lantern {

namespace {

// A loop of links the walk has not seen through ends here.
constexpr int DeepestFolder = 32;

bool IsUrlFile(const std::string& Name) { return UpperCaseAscii(ExtractFileExt(Name)) == ".URL"; }

bool Importable(const std::string& Name) {
  const std::string Ext = UpperCaseAscii(ExtractFileExt(Name));
  return Ext == ".LNK" || Ext == ".EXE" || IsUrlFile(Name);
}

// One walk of the folders. A link to a folder is not followed, and a folder already walked
// (the same folder by its id, reached again through a link the listing did not show as one,
// or both top folders being the same) is not walked again: a link back up the tree would
// otherwise take in everything again at each level, and two such links without end.
class TWalker {
 public:
  TWalker(TStartMenuImport& Result, TProgress* Progress) : FResult(Result), FProgress(Progress) {}

  // Lists Folder unless it was walked before; a folder that cannot be read is named among
  // those.
  bool List(const std::string& Folder, std::vector<TFolderEntry>& Entries) {
    std::uint64_t Volume = 0, Index = 0;
    // A folder without an id is walked all the same: the depth ends a loop through it.
    if (FileSystem().FolderId(Folder, Volume, Index) && !FSeen.emplace(Volume, Index).second)
      return false;
    if (FileSystem().ListFolder(Folder, Entries)) return true;
    FResult.Unreadable.push_back(Folder);
    return false;
  }

  // The entries of Folder, until a stop is asked for; a top folder's (Depth 0) each counted
  // done once walked.
  void ReadEntries(const std::string& Folder, const std::vector<TFolderEntry>& Entries,
                   TStartMenuFolder& Into, int Depth) {
    for (const TFolderEntry& Entry : Entries) {
      if (FProgress && FProgress->Stopped) return;
      ReadEntry(Folder, Entry, Into, Depth);
      if (FProgress && Depth == 0) ++FProgress->Done;
    }
  }

 private:
  // One entry of Folder into Into: a subfolder is walked, an importable file kept.
  void ReadEntry(const std::string& Folder, const TFolderEntry& Entry, TStartMenuFolder& Into,
                 int Depth) {
    if (Entry.Folder && Entry.Link) return;  // its folder is walked where it lies, if at all
    if (!Entry.Folder && !Importable(Entry.Name)) return;
    if (!Entry.Cp932) return FResult.Skipped.push_back(Entry.Name);
    const std::string Path = IncludeTrailingBackslash(Folder) + Entry.Name;
    if (!Entry.Folder) {
      TStartMenuFile File{Path, ""};
      if (IsUrlFile(Entry.Name) && !ReadUrlFile(Path, File.URL)) File.URL.clear();
      Into.Files.emplace(Entry.Name, std::move(File));
      return;
    }
    std::vector<TFolderEntry> Entries;
    if (Depth < DeepestFolder && List(Path, Entries))
      ReadEntries(Path, Entries, Into.Folders[Entry.Name], Depth + 1);
  }

  TStartMenuImport& FResult;
  TProgress* FProgress;
  std::set<std::pair<std::uint64_t, std::uint64_t>> FSeen;  // the folders listed, by id
};

class TImporter {
 public:
  TImporter(TRoot& Root, TStartMenuImport& Result, std::string& Imported)
      : FResult(Result), FImported(Imported) {
    for (TExecItemIterator It(&Root); !It.Done(); It.Next())
      if (!It.Current()->IsGroup()) FKnown.insert(UpperCaseAscii(It.Current()->FileName()));
    for (std::size_t Start = 0; Start < Imported.size();) {
      std::size_t End = Imported.find('|', Start);
      if (End == std::string::npos) End = Imported.size();
      if (End > Start) FKnown.insert(UpperCaseAscii(Imported.substr(Start, End - Start)));
      Start = End + 1;
    }
  }
  // Adds what Group lacks of Folder; whether anything was added.
  bool Fill(TCompositeItem& Group, const TStartMenuFolder& Folder) {
    bool Added = false;
    for (const auto& [Name, Sub] : Folder.Folders) {
      TCompositeItem* Child = ChildGroup(Group, Name);
      const bool Made = !Child;
      if (Made) Child = MakeGroup(Group, Name);
      const bool Filled = Fill(*Child, Sub);
      if (Made && !Filled) Group.Remove(Child).reset();  // empty: not made after all
      Added = Added || Filled;
    }
    for (const auto& [Name, File] : Folder.Files) Added = AddFile(Group, Name, File) || Added;
    return Added;
  }
  static TCompositeItem* ChildGroup(TCompositeItem& Group, const std::string& Name) {
    for (int i = 0; i < Group.Count(); ++i) {
      TExecItem* Child = Group.Items(i);
      if (Child && Child->IsGroup() && !Child->AsGroup()->IsRecycledFolder() &&
          Child->Name() == Name)
        return Child->AsGroup();
    }
    return nullptr;
  }
  static TCompositeItem* MakeGroup(TCompositeItem& Parent, const std::string& Name) {
    auto Group = std::make_unique<TFolder>(&Parent);
    Group->SetName(Name);
    return Parent.Add(std::move(Group));
  }

 private:
  bool AddFile(TCompositeItem& Group, const std::string& Name, const TStartMenuFile& File) {
    const std::string Base = Name.substr(0, Name.size() - ExtractFileExt(Name).size());
    if (!FKnown.insert(UpperCaseAscii(File.Path)).second) return false;
    std::unique_ptr<TLauncher> Launcher;
    if (IsUrlFile(Name)) {
      if (File.URL.empty() || !FKnown.insert(UpperCaseAscii(File.URL)).second) return false;
      Launcher = std::make_unique<TLauncherURL>(&Group);
      Launcher->SetFileName(File.URL);
    } else {
      Launcher = std::make_unique<TLauncherExec>(&Group);
      Launcher->SetFileName(File.Path);
    }
    FImported += (FImported.empty() ? "" : "|") + File.Path;
    Launcher->SetName(Base);
    Group.Add(std::move(Launcher));
    ++FResult.Added;
    return true;
  }

  TStartMenuImport& FResult;
  std::string& FImported;
  std::set<std::string> FKnown;  // the files and URLs the tree has or had, in upper case
};

}  // namespace

void WalkStartMenu(const std::vector<std::string>& Folders, TStartMenuWalk& Walk,
                   TProgress* Progress) {
  TWalker Walker(Walk.Result, Progress);
  // The top folders listed first, so that the bar's end is known before it moves.
  std::vector<std::pair<std::string, std::vector<TFolderEntry>>> Tops;
  for (const std::string& Folder : Folders) {
    std::vector<TFolderEntry> Entries;
    if (!Walker.List(Folder, Entries)) continue;
    if (Progress) Progress->Total += static_cast<int>(Entries.size());
    Tops.emplace_back(Folder, std::move(Entries));
  }
  for (const auto& [Folder, Entries] : Tops) Walker.ReadEntries(Folder, Entries, Walk.Programs, 0);
}

TStartMenuImport ImportStartMenu(TRoot& Root, const std::vector<std::string>& Folders,
                                 std::string& Imported) {
  TStartMenuWalk Walk;
  WalkStartMenu(Folders, Walk);
  return ImportStartMenu(Root, Walk, Imported);
}

TStartMenuImport ImportStartMenu(TRoot& Root, const TStartMenuWalk& Walk, std::string& Imported) {
  TStartMenuImport Result = Walk.Result;
  const TStartMenuFolder& Merged = Walk.Programs;
  TImporter Importer(Root, Result, Imported);
  // The group at the end of the root (before the trash, where groups go), made only when
  // something comes into it.
  TCompositeItem* Group = TImporter::ChildGroup(Root, StartMenuGroupName);
  const bool Made = !Group;
  if (Made) Group = TImporter::MakeGroup(Root, StartMenuGroupName);
  if (!Importer.Fill(*Group, Merged) && Made) Root.Remove(Group).reset();
  return Result;
}

std::string ImportReport(const TStartMenuImport& Result) {
  std::string Text = Result.Added > 0 ? "スタートメニューから " + std::to_string(Result.Added) +
                                            " 個のランチャを取り込みました。"
                                      : "スタートメニューから取り込むものはありませんでした。";
  constexpr std::size_t Named = 3;
  if (!Result.Skipped.empty()) {
    Text += "\r\n\r\nShift-JIS で表せない名前の " + std::to_string(Result.Skipped.size()) +
            " 個は取り込みませんでした：";
    for (std::size_t i = 0; i < Result.Skipped.size() && i < Named; ++i)
      Text += (i ? "、" : "") + Result.Skipped[i];
    if (Result.Skipped.size() > Named) Text += " ほか";
  }
  for (const std::string& Folder : Result.Unreadable)
    Text += "\r\n\r\n読めなかったフォルダ：" + Folder;
  return Text;
}

}  // namespace lantern
