// Launching: the three kinds of launcher hand their target to the shell, with the main
// window as the shell's owner. A target that is not there, or that the shell cannot open, is
// raised as an error that names it: a click that does nothing would leave the user guessing.
// Raised rather than shown here, so that the box comes once the menu the click came from has
// closed and let go of the program.
#include "base/Cp932.h"
#include "base/Exception.h"
#include "base/Path.h"
#include "model/Root.h"
#include "ui/FileSystem.h"
#include "ui/Shell.h"

namespace lantern {

namespace {

// The folder a program starts in: its own working folder when that is not blank, else the
// folder of its file (up to and including the last '\' or ':').
std::string StartFolder(const std::string& WorkFolder, const std::string& FileName) {
  return Trim(WorkFolder).empty() ? ExtractFilePath(FileName) : WorkFolder;
}

}  // namespace

// A program or document: started by the shell; the watcher counts it when it shows up.
bool TLauncher::FileMissing() {
  return !FileSystem().FileExists(FFileName) && !FileSystem().DirectoryExists(FFileName);
}

void TLauncher::Execute(void*) {
  if (FileMissing()) throw Exception(MissingTargetText(FFileName));
  CheckShellExec(Shell().ShellExec("", FFileName, FParameters, StartFolder(FWorkFolder, FFileName),
                                   SW_SHOWNORMAL_),
                 TShellTask::Start, FFileName);
}

// A folder, in the explorer as its option (or the program-wide one) says; counted here, also
// when the shell fails.
bool TLauncherFolder::FileMissing() { return !FileSystem().DirectoryExists(FFileName); }

void TLauncherFolder::Execute(void*) {
  TRoot* Root = OwnerRoot();
  const std::string Option = !FExplorerOption.empty() ? FExplorerOption
                             : Root                   ? Root->ExplorerOption()
                                                      : std::string();
  if (FileMissing()) throw Exception(MissingTargetText(FFileName));
  std::string Verb, File = FFileName, Parameters;
  if (ContainsText(Option, "/root")) {
    File = "explorer";
    Parameters = Option + FFileName;
  } else if (ContainsText(Option, "/e")) {
    Verb = "explore";
  }
  int Result = Shell().ShellExec(Verb, File, Parameters, "", SW_SHOWNORMAL_);
  SetRunCount(OneMore(FRunCount));
  CheckShellExec(Result, TShellTask::Start, FFileName);
}

// A URL, opened by the program registered for it. A URL has no folder of its own: one is
// passed only when the launcher names one.
void TLauncherURL::Execute(void*) {
  CheckShellExec(Shell().ShellExec("", FFileName, FParameters,
                                   Trim(FWorkFolder).empty() ? "" : FWorkFolder, SW_SHOWNORMAL_),
                 TShellTask::Start, FFileName);
}

}  // namespace lantern
