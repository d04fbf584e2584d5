// The main window's commands that open other windows or call the system's functions: the
// version window, the settings, help, the web site, the screen saver and the end of Windows.
#include "base/Path.h"
#include "dialogs/EnvSet.h"
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
  // The dialog holds the tree's colours and masks until it closes: the tree waits meanwhile,
  // and the hot key opens the menu even over the shown main window.
  if (TreeHeld()) return;
  FEnvSetHold = std::make_unique<TTreeGuard::THold>(FRoot->Guard());
  struct TOpen {
    std::unique_ptr<TTreeGuard::THold>& Hold;
    ~TOpen() { Hold.reset(); }
  } Open{FEnvSetHold};
  bool Applied = false;
  {
    TEnvSetForm Dialog(Settings(), *FRoot);
    Dialog.HotKeyTaken = [this](unsigned Modifiers, unsigned Key) {
      return FPointer->HotKeyTaken(Modifiers, Key);
    };
    if (Dialog.ShowModal() == mrOk) {
      if (Dialog.DataFileChanged()) FStore->ChangeDataFileName(Dialog.DataFileEdit.Text());
      FStore->Update([&Dialog](TSettings& S) { Dialog.ApplySettings(S); });
      // The menu is measured and drawn anew in the new colours and fonts.
      FRoot->SetMenuDirty(true);
      Applied = true;
    }
  }
  SaveSettings();
  // The colours and fonts are the data file's.
  if (Applied) SaveService.Execute();
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
