// The application watcher's side of the tree: a running program's path either counts as a
// start of its launcher (a shortcut's launcher by its target) or becomes a new launcher.
#include "base/Cp932.h"
#include "base/Path.h"
#include "model/FilterList.h"
#include "model/Root.h"
#include "ui/FileSystem.h"
#include "ui/Shell.h"
#include "ui/TreeView.h"

namespace lantern {

// The run-order rule: before a scan every item's running flag goes to WasRunning; a path
// then marks its launchers running, counts those that were not, and moves them (and the
// groups above them that were not running either) to the front, or the end, of their groups.

void TExecItem::BeginWatchScan() {
  FWasRunning = FIsRunning;
  FIsRunning = false;
}

namespace {

// The group tree shows the groups in their stored order: a group that the rule moved moves
// there too, its node kept (selection and expansion stay).
void MoveTreeNode(TCompositeItem& Group, TExecItem* Child) {
  TTreeNode* Node = Child->TreeNode();
  if (!Node) return;
  int Index = 0;
  for (TExecItem* Sibling : Group.Children().Snapshot()) {
    if (Sibling == Child) break;
    if (Sibling->IsGroup()) ++Index;
  }
  Node->MoveTo(Index);
}

}  // namespace

bool TCompositeItem::MatchRunningFile(const std::string& Path) {
  bool Result = false;
  TRoot* Root = OwnerRoot();
  // Each child once, in the order the call began with, even when children move meanwhile.
  for (TExecItem* Child : FChildren.Snapshot()) {
    if (!Child->MatchRunningFile(Path)) continue;
    Result = true;
    FIsRunning = true;
    if (Child->Visible() && !Child->WasRunning() && Root && Root->MoveFirstPosition() &&
        !Child->FixedPosition()) {
      std::unique_ptr<TExecItem> Moving = FChildren.Remove(Child);
      if (Root->UpperFirst())
        FChildren.Insert(0, std::move(Moving));
      else
        FChildren.Add(std::move(Moving));
      MoveTreeNode(*this, Child);
      Root->SetWatchChanged(true);
      Root->SetMenuDirty(true);
      SetRunCount(OneMore(FRunCount));
    }
  }
  return Result;
}

void TCompositeItem::BeginWatchScan() {
  TExecItem::BeginWatchScan();
  // Changes nothing in the lists: no copy of them is needed (this runs at every scan).
  for (int i = 0; i < FChildren.Count(); ++i)
    if (TExecItem* Child = FChildren.Items(i)) Child->BeginWatchScan();
}

bool TLauncher::MatchRunningFile(const std::string& Path) {
  if (Path != RunningPath()) return false;
  FIsRunning = true;
  if (!FWasRunning) SetRunCount(OneMore(FRunCount));
  return true;
}

void TLauncher::BeginWatchScan() {
  TExecItem::BeginWatchScan();
  // A share that does not answer would hold every scan: a shortcut there is read once.
  if (FShortcut && !(FShortcut->Read && IsNetworkPath(FFileName))) RefreshShortcut();
}

const std::string& TLauncher::RunningPath() {
  if (!FShortcut) return FFileName;
  if (!FShortcut->Read) RefreshShortcut();
  return FShortcut->Resolved ? FShortcut->Target : FFileName;
}

void TLauncher::RefreshShortcut() {
  const std::int64_t WriteTime = FileSystem().LastWriteTime(FFileName);
  if (FShortcut->Read && WriteTime == FShortcut->WriteTime) return;
  TShortcut Now;
  Now.Read = true;
  Now.WriteTime = WriteTime;
  std::string Target;
  if (WriteTime >= 0 && Shell().ResolveShortcut(FFileName, Target) && !Target.empty()) {
    Now.Resolved = true;
    // The form the watcher has a running program's path in.
    Now.Target = LongPathOrAsIs(Target);
  }
  if (Now.Resolved != FShortcut->Resolved || Now.Target != FShortcut->Target)
    NoteRunningPathChange();
  *FShortcut = std::move(Now);
}

bool TLauncher::TargetExists() {
  if (FShortcut) {
    RefreshShortcut();
    if (FShortcut->Resolved)
      return FileSystem().FileExists(FShortcut->Target) ||
             FileSystem().DirectoryExists(FShortcut->Target);
  }
  return FileSystem().FileExists(FFileName);
}

bool TRoot::AddRunningFile(const std::string& Path) {
  if (!FileSystem().FileExists(Path)) return false;
  return AddExistingRunningFile(Path, true);
}

TRoot::TStillRunning TRoot::MarkStillRunning(const std::string& Path) {
  if (FPathIndexAt != TreeChanges()) {
    FPathIndex.clear();
    for (TExecItemIterator It(this); !It.Done(); It.Next())
      if (!It.Current()->IsGroup()) FPathIndex[It.Current()->RunningPath()].push_back(It.Current());
    FPathIndexAt = TreeChanges();
  }
  auto Found = FPathIndex.find(Path);
  if (Found == FPathIndex.end()) return TStillRunning::Unknown;
  for (TExecItem* Item : Found->second)
    for (TExecItem* Up = Item; Up && Up != this; Up = Up->Parent())
      if (!Up->FWasRunning) return TStillRunning::Changed;
  for (TExecItem* Item : Found->second)
    for (TExecItem* Up = Item; Up; Up = Up->Parent()) Up->FIsRunning = true;
  return TStillRunning::Still;
}

bool TRoot::AddExistingRunningFile(const std::string& Path, bool MayAdd) {
  // An excluded program is not counted either.
  if (FFilters->Matches(Path)) return false;
  switch (MarkStillRunning(Path)) {
    case TStillRunning::Still: return false;
    case TStillRunning::Changed:
      if (MatchRunningFile(Path)) return false;
      break;
    case TStillRunning::Unknown: break;  // the walk would find nothing
  }
  if (!MayAdd) return false;
  // Straight into the children: the views follow at the next tick, through WatchChanged.
  auto Owned = std::make_unique<TLauncherExec>(this);
  TLauncherExec* Launcher = Owned.get();
  FChildren.Insert(NewChildIndex(Launcher), std::move(Owned));
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
