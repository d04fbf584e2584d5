// The main window's commands that open other windows or call the system's functions: the
// version window, the settings, help, the web site, the screen saver and the end of Windows.
#include "base/Path.h"
#include "main/Main.h"
#include "shell/About.h"
#include "ui/Messages.h"
#include "ui/Shell.h"
#include "ui/System.h"

namespace lantern {

namespace {

// Lantern has no public site yet: the web-site command opens the installed help's top page.
const char* const WebSiteAddress = "";

std::string HelpPage(const char* Name) {
  return ExtractFilePath(System().ProgramFileName()) + "Help\\" + Name;
}

}  // namespace

void TLanternMain::AboutActionExecute() {
  // Never the hidden main window to the front: the version window comes forward by itself.
  TAboutForm About;
  FAboutForm = &About;
  struct TClosed {
    TForm*& Form;
    ~TClosed() { Form = nullptr; }
  } Closed{FAboutForm};
  About.ShowModal();
}

void TLanternMain::EnvSetActionExecute() {
  // The settings dialog joins here; until then the command writes the settings. While it is
  // open the hot key opens the menu even over the shown main window.
  if (TreeHeld()) return;
  FEnvSetHold = std::make_unique<TTreeGuard::THold>(FRoot->Guard());
  struct TOpen {
    std::unique_ptr<TTreeGuard::THold>& Hold;
    ~TOpen() { Hold.reset(); }
  } Open{FEnvSetHold};
  SaveSettings();
}

void TLanternMain::HelpActionExecute() {
  const std::string Page = HelpPage("Top.html");
  CheckShellExec(Shell().ShellExec("", Page, "", "", SW_SHOW_), TShellTask::OpenPage, Page);
}

void TLanternMain::GoWebSiteActionExecute() {
  const std::string Address = *WebSiteAddress ? WebSiteAddress : HelpPage("Top.html");
  CheckShellExec(Shell().ShellExec("", Address, "", "", SW_SHOW_), TShellTask::OpenPage, Address);
}

void TLanternMain::ScreenSaverExecuteExecute() {
  if (System().ScreenSaverActive()) System().Send(Handle(), WmSysCommand, ScScreenSave, 0);
}

void TLanternMain::ExitWindowsActionExecute() {
  // No task bar (a shell without one, or Wine without a desktop): nothing to ask.
  if (void* TaskBar = System().FindWindowByClass("Shell_TrayWnd"))
    System().Send(TaskBar, WmClose, 0, 0);
}

}  // namespace lantern
