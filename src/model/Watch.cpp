// The application watcher's side of the tree: a running program's path either counts as a
// start of its launcher or becomes a new launcher.
#include "base/Cp932.h"
#include "base/Path.h"
#include "model/ExecObj.h"
#include "model/FilterList.h"
#include "ui/FileSystem.h"

namespace lantern {

bool TRoot::AddRunningFile(const std::string& Path) {
  if (!FileSystem().FileExists(Path)) return false;
  // An excluded program is not counted either.
  if (FFilters->Matches(Path)) return false;
  if (MatchRunningFile(Path)) return false;
  // Straight into the children: the views follow at the next tick, through WatchChanged.
  auto Owned = std::make_unique<TLauncherExec>(this);
  TLauncherExec* Launcher = Owned.get();
  FChildren.Add(std::move(Owned));
  std::string Name = ExtractFileName(Path);
  const std::string Ext = ExtractFileExt(Name);
  if (UpperCaseAscii(Ext) == ".EXE") Name.erase(Name.size() - Ext.size());
  Launcher->SetName(Name);
  Launcher->SetFileName(Path);
  SetWatchChanged(true);
  SetMenuDirty(true);
  return true;
}

}  // namespace lantern
