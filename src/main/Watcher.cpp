#include "main/Watcher.h"

#include <algorithm>
#include <iterator>

#include "base/Cp932.h"
#include "base/Exception.h"
#include "main/Settings.h"
#include "model/Root.h"
#include "ui/Dialogs.h"
#include "ui/FileSystem.h"
#include "ui/Processes.h"
#include "ui/System.h"

namespace lantern {

namespace {

// Whether Path lies below Folder, whole components compared as Windows compares
// paths, without regard to ASCII case ("C:\WindowsApps" is not in "C:\Windows").
bool InFolder(const std::string& Path, std::string Folder) {
  if (EndsWithChar(Folder, '\\')) Folder.pop_back();
  if (Folder.empty() || Path.size() <= Folder.size() || Path[Folder.size()] != '\\') return false;
  return UpperCaseAscii(Path.substr(0, Folder.size())) == UpperCaseAscii(Folder);
}

}  // namespace

TWatcher::TWatcher(TRoot& Root, const TSettings& Settings) : FRoot(Root), FSettings(Settings) {
  if (!System().IsWindowsNT()) return;
  FStatusTried = true;  // a library found without its functions is let go too
  try {
    Processes().LoadPSAPI();
  } catch (const Exception& E) {
    // The watcher falls back on the snapshot.
    MessageDlg(E.Message() + "アプリケーション監視機能が使えません。" + "KEYHOOK.DLLがあるか、" +
                   "最新版かどうかを確認して再起動してください。",
               TMsgDlgType::Error, mbOK);
  }
}

TWatcher::~TWatcher() {
  if (FStatusTried) Processes().UnloadPSAPI();
}

void TWatcher::Tick(bool Resting) {
  if (FCountdown == 0) {
    if (!Resting) Scan();
    FCountdown = FSettings.WatchAppInterval;
  } else {
    --FCountdown;
  }
}

void TWatcher::Scan() {
  // Switched off, the scan's finds would go nowhere: listing every process each five seconds
  // is the resident program's largest idle cost.
  if (FSettings.UseWatchApp)
    Scan(Processes().PSAPILoaded() ? Processes().ListByProcessStatus()
                                   : Processes().ListBySnapshot());
  ReportMalformedMasks();
}

const TWatcher::TScannedPath& TWatcher::ScannedPath(const std::string& Path) {
  auto Known = FScannedPaths.find(Path);
  if (Known != FScannedPaths.end()) return Known->second;
  if (!FSystemPathsRead) {
    FSystemPathsRead = true;
    FOwnProgram = UpperCaseAscii(LongPathOrAsIs(System().ProgramFileName()));
    const std::string Windows = System().WindowsDirectory();
    if (!Windows.empty()) FWindowsFolder = LongPathOrAsIs(Windows);
  }
  TScannedPath Result{true, false, Path, false};
  // Programs on removable media and CDs come and go with the medium: never launchers.
  if (!Path.empty() && Path[0] != '\\') {
    const int Type = FileSystem().DriveType(Path.substr(0, 1) + ":\\");
    Result.Candidate = Type != dtRemovable && Type != dtCdRom;
  }
  if (Result.Candidate && FileSystem().FileExists(Path)) {
    Result.Long = ExpandLongPath(Path);
    Result.Exists = FileSystem().FileExists(Result.Long);
    // Another instance of Lantern is Lantern too; what comes with Windows (the shell, the
    // task manager, the settings) is not what the user means to keep in the tree.
    Result.Learnable =
        UpperCaseAscii(Result.Long) != FOwnProgram && !InFolder(Result.Long, FWindowsFolder);
  }
  return FScannedPaths.emplace(Path, std::move(Result)).first->second;
}

void TWatcher::Scan(const std::vector<TRunningProcess>& Running) {
  if (!FSettings.UseWatchApp) return;
  // Paths no longer listed are forgotten: their programs have ended.
  std::unordered_map<std::string, TScannedPath> Previous;
  Previous.swap(FScannedPaths);
  for (const TRunningProcess& Process : Running) {
    auto Known = Previous.find(Process.Path);
    if (Known != Previous.end()) FScannedPaths.insert(Previous.extract(Known));
  }
  FRunningIds.clear();
  const unsigned long Own = Processes().CurrentProcessId();
  FRoot.BeginWatchScan();
  for (const TRunningProcess& Process : Running) {
    const TScannedPath& Found = ScannedPath(Process.Path);
    if (!Found.Candidate) continue;
    if (FSettings.NotWatchNetwortApp && Found.Long.compare(0, 2, "\\\\") == 0) continue;
    if (!Found.Exists) continue;
    FRunningIds[Found.Long].push_back(Process.Id);
    // Services and helpers run unseen and come and go all day: a program the user started
    // shows a window. Lantern's own windows are no find. Launchers the user made for the
    // others are counted all the same.
    auto Declined = FDeclinedIds.find(Found.Long);
    const bool MayAdd = Process.Windowed && Process.Id != Own && Found.Learnable &&
                        (Declined == FDeclinedIds.end() ||
                         std::find(Declined->second.begin(), Declined->second.end(), Process.Id) ==
                             Declined->second.end());
    FRoot.AddExistingRunningFile(Found.Long, MayAdd);
  }
  // A declined program is offered again once the processes it ran in have all ended.
  for (auto It = FDeclinedIds.begin(); It != FDeclinedIds.end();) {
    auto Now = FRunningIds.find(It->first);
    std::vector<unsigned long>& Ids = It->second;
    Ids.erase(std::remove_if(Ids.begin(), Ids.end(),
                             [&](unsigned long Id) {
                               return Now == FRunningIds.end() ||
                                      std::find(Now->second.begin(), Now->second.end(), Id) ==
                                          Now->second.end();
                             }),
              Ids.end());
    It = Ids.empty() ? FDeclinedIds.erase(It) : std::next(It);
  }
}

void TWatcher::NoteDeletedForGood(const std::vector<TExecItem*>& Items) {
  auto Note = [this](TExecItem* Item) {
    if (!dynamic_cast<TLauncherExec*>(Item)) return;
    auto Running = FRunningIds.find(Item->RunningPath());
    if (Running == FRunningIds.end()) return;
    std::vector<unsigned long>& Declined = FDeclinedIds[Running->first];
    Declined.insert(Declined.end(), Running->second.begin(), Running->second.end());
  };
  for (TExecItem* Item : Items) {
    TCompositeItem* Group = Item->AsGroup();
    if (!Group) {
      Note(Item);
      continue;
    }
    for (TExecItemIterator It(Group); !It.Done(); It.Next()) Note(It.Current());
  }
}

bool TWatcher::Watching() const { return FSettings.UseWatchApp; }

void TWatcher::StartUpScan() {
  // Their icons are not asked for: they go to the trash at once.
  FRoot.SetDeferIcons(true);
  Scan();
  FRoot.SetDeferIcons(false);
  // The programs running at the first start are known, in the trash, unticked, and are not
  // offered again. The scan's own rule holds here too: what runs unseen is not a program the
  // user would look for in the trash.
  TRecycledFolder* Trash = FRoot.RecycledFolder();
  for (TExecItem* Item : FRoot.Children().Snapshot()) {
    if (Item == Trash || !Trash) continue;
    Item->SetVisible(false);
    Trash->Add(FRoot.Remove(Item));
  }
}

void TWatcher::ReportMalformedMasks() {
  for (const std::string& Error : FRoot.Filters().Errors()) {
    if (std::find(FToldMasks.begin(), FToldMasks.end(), Error) != FToldMasks.end()) continue;
    FToldMasks.push_back(Error);
    MessageDlg(Error, TMsgDlgType::Error, mbOK);
  }
}

}  // namespace lantern
