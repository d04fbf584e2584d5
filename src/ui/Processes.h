#pragma once
// The running processes' executable paths, through the two interfaces Windows offers: the
// process-status library (PSAPI, loaded at run time) and the ToolHelp snapshot. One narrow
// service; the Windows side lives in win32/, tests install a double.
#include <string>
#include <vector>

namespace lantern {

// One running process as the watcher sees it.
struct TRunningProcess {
  std::string Path;       // its executable; empty when it could not be read
  unsigned long Id = 0;   // the system's process id
  bool Windowed = false;  // shows a visible top-level window of its own, not a tool window
};

class TProcessService {
 public:
  virtual ~TProcessService() = default;
  // Loads the process-status library and binds its functions. Raises Exception with
  // "PSAPI.DLL がロードできません。" when the library is missing, or "PSAPI のアドレスを取得
  // できません。" when a function is missing (the library is released again). True once
  // loaded; false, without an error, on a platform that has no such library at all.
  virtual bool LoadPSAPI() = 0;
  virtual void UnloadPSAPI() = 0;
  virtual bool PSAPILoaded() const = 0;
  // Every running process with its executable path, in the order the system gives them,
  // whole however long; an empty path for a process that could not be read. Empty while
  // the library is not loaded. A path with characters without a CP932 form is left out: in
  // CP932 it would name another file or none.
  virtual std::vector<TRunningProcess> ListByProcessStatus() = 0;
  // Every running process with its executable as the ToolHelp snapshot names it, those
  // without a CP932 form left out; needs no library.
  virtual std::vector<TRunningProcess> ListBySnapshot() = 0;
  // This program's own process id.
  virtual unsigned long CurrentProcessId() const = 0;
};

TProcessService& Processes();
TProcessService* SetProcesses(TProcessService* Value);  // nullptr: the platform's own
TProcessService& PlatformProcesses();

}  // namespace lantern
