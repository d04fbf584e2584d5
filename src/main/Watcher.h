#pragma once
// The application watcher: every few seconds the paths of the running programs, filtered by
// drive, are handed to the tree, which counts the known ones and adds the new ones.
#include <string>
#include <unordered_map>
#include <vector>

namespace lantern {

class TRoot;
class TExecItem;
struct TSettings;
struct TRunningProcess;

class TWatcher {
 public:
  // Loads the process-status library where the system has it (a failure is told, and the
  // snapshot stands in).
  TWatcher(TRoot& Root, const TSettings& Settings);
  ~TWatcher();
  TWatcher(const TWatcher&) = delete;
  TWatcher& operator=(const TWatcher&) = delete;

  // Each tick: a scan every WatchAppInterval + 1 ticks, skipped while Resting (a command
  // holds the tree, items cut wait for their paste).
  void Tick(bool Resting);
  // One scan over the process-status list or the snapshot, the one the system has. Only a
  // program that shows a window of its own becomes a new launcher; every process counts a
  // start of a launcher the tree has.
  void Scan();
  void Scan(const std::vector<TRunningProcess>& Running);
  // The first start's scan: its finds go to the trash, unticked, and are not offered again.
  void StartUpScan();
  // The user has deleted Items for good: their programs that run now are not added again
  // while those same processes run.
  void NoteDeletedForGood(const std::vector<TExecItem*>& Items);
  bool Watching() const;  // the watcher is switched on

 private:
  // Each exclusion mask that cannot be read is told once; it excludes nothing meanwhile.
  void ReportMalformedMasks();

  // What a scan worked out for each process path, kept while the path is still being
  // listed: a running program's file stays where it is, and asking again would cost
  // several file system calls per process at every scan.
  struct TScannedPath {
    bool Candidate;    // not on a removable or CD-ROM drive
    bool Exists;       // the file and its long form both exist
    std::string Long;  // the long form
    bool Learnable;    // neither Lantern itself nor a program of the Windows folder
  };
  const TScannedPath& ScannedPath(const std::string& Path);

  TRoot& FRoot;
  const TSettings& FSettings;
  bool FStatusTried = false;  // to load the process-status library
  int FCountdown = 0;
  std::unordered_map<std::string, TScannedPath> FScannedPaths;
  // The processes of each long path at the last scan, and those of programs deleted for
  // good, which the scans pass over until they end.
  std::unordered_map<std::string, std::vector<unsigned long>> FRunningIds, FDeclinedIds;
  std::vector<std::string> FToldMasks;  // the malformed masks' texts already told
  // The long forms of Lantern's own program and of the Windows folder, read at the first scan.
  bool FSystemPathsRead = false;
  std::string FOwnProgram, FWindowsFolder;
};

}  // namespace lantern
