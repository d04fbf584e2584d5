#include "main/StartMenu.h"

#include <map>
#include <memory>
#include <set>

#include "base/Cp932.h"
#include "base/Path.h"
#include "model/ExecObj.h"
#include "shell/DropBlocks.h"
#include "ui/FileSystem.h"

namespace lantern {

namespace {

// A folder of the Start Menu as read: its subfolders and its files by name, sorted; the
// user's and the common folder merged, the user's file first where both have one.
struct TMenuFolder {
  std::map<std::string, TMenuFolder> Folders;
  std::map<std::string, std::string> Files;  // name -> path
};

constexpr int DeepestFolder = 32;  // a link loop in the folders ends here

bool Importable(const std::string& Name) {
  const std::string Ext = UpperCaseAscii(ExtractFileExt(Name));
  return Ext == ".LNK" || Ext == ".URL" || Ext == ".EXE";
}

void Read(const std::string& Folder, TMenuFolder& Into, TStartMenuImport& Result, int Depth) {
  std::vector<TFolderEntry> Entries;
  if (!FileSystem().ListFolder(Folder, Entries)) {
    Result.Unreadable.push_back(Folder);
    return;
  }
  for (const TFolderEntry& Entry : Entries) {
    if (!Entry.Folder && !Importable(Entry.Name)) continue;
    if (!Entry.Cp932) {
      Result.Skipped.push_back(Entry.Name);
      continue;
    }
    const std::string Path = IncludeTrailingBackslash(Folder) + Entry.Name;
    if (Entry.Folder) {
      if (Depth < DeepestFolder) Read(Path, Into.Folders[Entry.Name], Result, Depth + 1);
    } else {
      Into.Files.emplace(Entry.Name, Path);
    }
  }
}

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
  bool Fill(TCompositeItem& Group, const TMenuFolder& Folder) {
    bool Added = false;
    for (const auto& [Name, Sub] : Folder.Folders) {
      TCompositeItem* Child = ChildGroup(Group, Name);
      const bool Made = !Child;
      if (Made) Child = MakeGroup(Group, Name);
      const bool Filled = Fill(*Child, Sub);
      if (Made && !Filled) Group.Remove(Child).reset();  // empty: not made after all
      Added = Added || Filled;
    }
    for (const auto& [Name, Path] : Folder.Files) Added = AddFile(Group, Name, Path) || Added;
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
  bool AddFile(TCompositeItem& Group, const std::string& Name, const std::string& Path) {
    const std::string Base = Name.substr(0, Name.size() - ExtractFileExt(Name).size());
    if (!FKnown.insert(UpperCaseAscii(Path)).second) return false;
    std::unique_ptr<TLauncher> Launcher;
    if (UpperCaseAscii(ExtractFileExt(Name)) == ".URL") {
      std::string URL;
      if (!ReadUrlFile(Path, URL) || !FKnown.insert(UpperCaseAscii(URL)).second) return false;
      Launcher = std::make_unique<TLauncherURL>(&Group);
      Launcher->SetFileName(URL);
    } else {
      Launcher = std::make_unique<TLauncherExec>(&Group);
      Launcher->SetFileName(Path);
    }
    FImported += (FImported.empty() ? "" : "|") + Path;
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

TStartMenuImport ImportStartMenu(TRoot& Root, const std::vector<std::string>& Folders,
                                 std::string& Imported) {
  TStartMenuImport Result;
  TMenuFolder Merged;
  for (const std::string& Folder : Folders) Read(Folder, Merged, Result, 0);
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
