#pragma once
// The Start Menu's programs taken into the tree: one group, スタートメニュー, at the end of the
// root, that mirrors the folders of the user's and the common Programs folders merged.
#include <map>
#include <string>
#include <vector>

namespace lantern {

class TRoot;
struct TProgress;

inline constexpr const char* StartMenuGroupName = "スタートメニュー";

struct TStartMenuImport {
  int Added = 0;                        // launchers made
  std::vector<std::string> Skipped;     // names without a Shift-JIS form ('?' in their place)
  std::vector<std::string> Unreadable;  // folders that could not be read
};

// A folder of the Start Menu as read: its subfolders and its importable files by name, sorted;
// the user's and the common folder merged, the user's file first where both have one.
struct TStartMenuFile {
  std::string Path;
  std::string URL;  // an internet shortcut's, read in the walk; empty when it had none
};
struct TStartMenuFolder {
  std::map<std::string, TStartMenuFolder> Folders;
  std::map<std::string, TStartMenuFile> Files;  // by name
};

// The walk, which touches no tree and so may run on a worker thread: the merged folders, and
// in Result what was skipped and what could not be read. Progress (when given) counts the
// entries of the top folders done, and a stop it asks for ends the walk early.
struct TStartMenuWalk {
  TStartMenuFolder Programs;
  TStartMenuImport Result;
};
void WalkStartMenu(const std::vector<std::string>& Folders, TStartMenuWalk& Walk,
                   TProgress* Progress = nullptr);

// Shortcuts (.lnk, kept as shortcuts: the shell resolves them at each start), internet
// shortcuts (.url, as URL launchers) and programs (.exe) become launchers named after their
// file without its extension. Only what the tree lacks is added: a file (or a URL) that a
// launcher anywhere in the tree has already, the trash included, is left out, so that what
// the user renamed, coloured or moved stays as they left it; so is a file of Imported (the
// files taken in before, "|" between them: what the user deleted since), to which the files
// taken in now are added. Folders left empty are not made.
TStartMenuImport ImportStartMenu(TRoot& Root, const TStartMenuWalk& Walk, std::string& Imported);
// Walks and imports in one.
TStartMenuImport ImportStartMenu(TRoot& Root, const std::vector<std::string>& Folders,
                                 std::string& Imported);

// The message that closes an import: how many were added, the names skipped (the first few)
// and the folders that could not be read.
std::string ImportReport(const TStartMenuImport& Result);

}  // namespace lantern
