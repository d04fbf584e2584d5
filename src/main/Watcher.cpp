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

void TLanternMain::Scan(const std::vector<std::string>& Paths) {
  if (!FSettings.UseWatchApp) return;
  FRoot->BeginWatchScan();
  for (const std::string& Path : Paths) {
    // Programs on removable media and CDs come and go with the medium: never launchers.
    if (!Path.empty() && Path[0] != '\\') {
      const int Type = FileSystem().DriveType(Path.substr(0, 1) + ":\\");
      if (Type == dtRemovable || Type == dtCdRom) continue;
    }
    const std::string Long = FileSystem().FileExists(Path) ? ExpandLongPath(Path) : Path;
    if (FSettings.NotWatchNetwortApp && Long.compare(0, 2, "\\\\") == 0) continue;
    FRoot->AddRunningFile(Long);
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
