// The application watcher: the paths of the running programs, filtered by drive, handed to
// the tree, which counts the known ones and adds the new ones.
#include <algorithm>

#include "base/Cp932.h"
#include "main/Main.h"
#include "ui/FileSystem.h"
#include "ui/Processes.h"
#include "ui/UpdateBracket.h"

namespace lantern {

void TLanternMain::ScanByProcessStatus() { Scan(Processes().ListByProcessStatus()); }
void TLanternMain::ScanBySnapshot() { Scan(Processes().ListBySnapshot()); }

void TLanternMain::WatchScan() {
  // Switched off, the scan's finds would go nowhere: listing every process each five seconds
  // is the resident program's largest idle cost.
  if (FSettings.UseWatchApp) {
    if (FIsWindowsNT && Processes().PSAPILoaded())
      ScanByProcessStatus();
    else
      ScanBySnapshot();
  }
  ReportMalformedMasks();
}

const TLanternMain::TScannedPath& TLanternMain::ScannedPath(const std::string& Path) {
  auto Known = FScannedPaths.find(Path);
  if (Known != FScannedPaths.end()) return Known->second;
  TScannedPath Result{true, false, Path};
  // Programs on removable media and CDs come and go with the medium: never launchers.
  if (!Path.empty() && Path[0] != '\\') {
    const int Type = FileSystem().DriveType(Path.substr(0, 1) + ":\\");
    Result.Candidate = Type != dtRemovable && Type != dtCdRom;
  }
  if (Result.Candidate && FileSystem().FileExists(Path)) {
    Result.Long = ExpandLongPath(Path);
    Result.Exists = FileSystem().FileExists(Result.Long);
  }
  return FScannedPaths.emplace(Path, std::move(Result)).first->second;
}

void TLanternMain::Scan(const std::vector<std::string>& Paths) {
  if (!FSettings.UseWatchApp) return;
  // Paths no longer listed are forgotten: their programs have ended.
  std::unordered_map<std::string, TScannedPath> Previous;
  Previous.swap(FScannedPaths);
  for (const std::string& Path : Paths) {
    auto Known = Previous.find(Path);
    if (Known != Previous.end()) FScannedPaths.insert(Previous.extract(Known));
  }
  FRoot->BeginWatchScan();
  for (const std::string& Path : Paths) {
    const TScannedPath& Found = ScannedPath(Path);
    if (!Found.Candidate) continue;
    if (FSettings.NotWatchNetwortApp && Found.Long.compare(0, 2, "\\\\") == 0) continue;
    if (Found.Exists) FRoot->AddExistingRunningFile(Found.Long);
  }
}

void TLanternMain::StartUpScan() {
  // Their icons are not asked for: they go to the trash at once.
  FRoot->SetDeferIcons(true);
  WatchScan();
  FRoot->SetDeferIcons(false);
  // The programs running at the first start are known, in the trash, unticked, and are not
  // offered again.
  TRecycledFolder* Trash = FRoot->RecycledFolder();
  TUpdateBracket<TListItems> Bracket(&ListView1.Items());
  for (TExecItem* Item : FRoot->Children().Snapshot()) {
    if (Item == Trash || !Trash) continue;
    Item->SetVisible(false);
    Trash->Add(FRoot->Remove(Item));
  }
}

void TLanternMain::ReportMalformedMasks() {
  for (const std::string& Error : FRoot->Filters().Errors()) {
    if (std::find(FToldMasks.begin(), FToldMasks.end(), Error) != FToldMasks.end()) continue;
    FToldMasks.push_back(Error);
    MessageDlg(Error, TMsgDlgType::Error, mbOK);
  }
}

}  // namespace lantern
