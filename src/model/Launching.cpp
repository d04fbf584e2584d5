// Launching: the three kinds of launcher hand their target to the shell, with the main
// window as the shell's owner.
#include "base/Convert.h"
#include "base/Cp932.h"
#include "base/Path.h"
#include "model/ExecObj.h"
#include "ui/Dialogs.h"
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
void TLauncher::Execute(void*) {
  if (!FileSystem().FileExists(FFileName) && !FileSystem().DirectoryExists(FFileName)) return;
  Shell().ShellExec("", FFileName, FParameters, StartFolder(FWorkFolder, FFileName),
                    SW_SHOWNORMAL_);
}

// A folder, in the explorer as its option (or the program-wide one) says; counted here.
void TLauncherFolder::Execute(void*) {
  TRoot* Root = OwnerRoot();
  const std::string Option = !FExplorerOption.empty() ? FExplorerOption
                             : Root                   ? Root->ExplorerOption()
                                                      : std::string();
  if (!FileSystem().DirectoryExists(FFileName)) return;
  std::string Verb, File = FFileName, Parameters;
  if (ContainsText(Option, "/root")) {
    File = "explorer";
    Parameters = Option + FFileName;
  } else if (ContainsText(Option, "/e")) {
    Verb = "explore";
  }
  int Result = Shell().ShellExec(Verb, File, Parameters, "", SW_SHOWNORMAL_);
  if (Result <= 32) MessageDlg("Execution Error = " + IntToStr(Result), TMsgDlgType::Plain, mbOK);
  SetRunCount(OneMore(FRunCount));
}

// A URL, opened by the program registered for it. A URL has no folder of its own: one is
// passed only when the launcher names one.
void TLauncherURL::Execute(void*) {
  Shell().ShellExec("", FFileName, FParameters, Trim(FWorkFolder).empty() ? "" : FWorkFolder,
                    SW_SHOWNORMAL_);
}

}  // namespace lantern
