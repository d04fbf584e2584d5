// The main window's commands that open other windows or call the system's functions: the
// version window, the settings, help, the web site, the screen saver and the end of Windows.
#include <memory>
#include <optional>

#include "base/Path.h"
#include "base/Scoped.h"
#include "dialogs/EnvSet.h"
#include "dialogs/ProgressForm.h"
#include "dialogs/SearchForm.h"
#include "main/Main.h"
#include "main/StartMenu.h"
#include "shell/About.h"
#include "ui/Dialogs.h"
#include "ui/Dpi.h"
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
  TScopedValue<TForm*> Open(FAboutForm, &About);
  About.ShowModal();
}

void TLanternMain::EnvSetActionExecute() {
  // Something holds the tree (a dialog or a box, this one too, the sweep, a drag): no second
  // dialog over it, but the window that holds it comes forward, or the user hears why
  // nothing opens.
  if (TreeHeld()) {
    if (TForm* Open = TForm::ModalForm()) return System().ForceForeground(Open->Handle());
    if (Visible()) return System().ForceForeground(Handle());  // its box comes with it
    MessageDlg(
        "ほかの操作が終わっていないので、設定を開けません。その操作を終えてから、もう一度選ん"
        "でください。",
        TMsgDlgType::Information, mbOK);
    return;
  }
  // The dialog holds the tree's colours and masks until it closes: the tree waits meanwhile,
  // and the hot key opens the menu even over the shown main window.
  FEnvSetHold = std::make_unique<TTreeGuard::THold>(FRoot->Guard());
  struct TOpen {
    std::unique_ptr<TTreeGuard::THold>& Hold;
    ~TOpen() { Hold.reset(); }
  } Open{FEnvSetHold};
  bool Applied = false;
  {
    TEnvSetForm Dialog(Settings(), *FRoot);
    Dialog.ShowNextDataFile(FStore->NextDataFileName());
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

void TLanternMain::SearchActionExecute() {
  int X, Y;
  System().CursorPos(X, Y);
  OpenSearch(X, Y, false);
}

void TLanternMain::FindActionExecute() {
  // Over the main window, a little below its caption.
  OpenSearch(Left() + ScaleToDpi(40, Dpi()), Top() + ScaleToDpi(60, Dpi()), true);
}

void TLanternMain::OpenSearch(int X, int Y, bool InWindow) {
  if (FSearchForm) return System().ForceForeground(FSearchForm->Handle());
  // What was chosen is used once the window has closed: the tree waits until then.
  if (TreeHeld()) return;
  std::optional<TTreeGuard::THold> Hold(std::in_place, FRoot->Guard());
  if (!FSearch) FSearch = std::make_unique<TLauncherSearch>(*FRoot);
  TSearchForm Form(*FRoot, *FSearch);
  TScopedValue<TForm*> Open(FSearchForm, &Form);
  if (Form.ShowAt(X, Y) != mrOk || !Form.Chosen()) return;
  if (!InWindow) return RunChosen(*Form.Chosen(), Form.ChoseFolder(), Form.Left(), Form.Top());
  // The list is filled only while nothing holds the tree; the changes that waited run at the
  // next tick, after the choice is shown.
  Hold.reset();
  ShowInViews(*Form.Chosen());
}

void TLanternMain::RunChosen(TExecItem& Item, bool Folder, int X, int Y) {
  if (TCompositeItem* Group = Item.AsGroup()) {
    if (Folder) return;
    for (int i = GroupMenu.Items().Count() - 1; i >= 0; --i) GroupMenu.Items().Delete(i);
    Group->AddChildrenToMenu(&GroupMenu, &GroupMenu.Items());
    FRoot->MenuOpensAt(X, Y);
    GroupMenu.SetDpi(FRoot->MenuDpi());
    return GroupMenu.Popup(X, Y);
  }
  auto* Launcher = dynamic_cast<TLauncher*>(&Item);
  if (!Launcher) return;
  Application().Guard([&] {
    if (!Folder) return Launcher->Execute(nullptr);
    // The folder that holds the target, the target chosen in it; a URL has none.
    if (dynamic_cast<TLauncherURL*>(Launcher)) return;
    CheckShellExec(
        Shell().ShellExec("", "explorer.exe", ExplorerSelect(Item.FileName()), "", SW_SHOW_),
        TShellTask::Explore, Item.FileName());
  });
}

void TLanternMain::ShowInViews(TExecItem& Item) {
  if (auto* Group = dynamic_cast<TCompositeItem*>(Item.Parent())) FRoot->SetCurrentFolder(Group);
  if (TListItem* Row = Item.ListItem()) ListView1.SelectOnly(Row);
  ListView1.SetFocus();
}

void TLanternMain::ImportStartMenuExecute() {
  if (TreeHeld()) return;
  TStartMenuImport Result;
  std::string Imported = Settings().StartMenuImported;
  {
    // The progress window's loop is a door: nothing else changes the tree until the walk
    // is merged in.
    TTreeGuard::THold Hold(FRoot->Guard());
    auto Walk = std::make_shared<TStartMenuWalk>();
    TProgressForm Progress("スタートメニューから取り込む", "スタートメニューを読んでいます...");
    if (!Progress.Run([Walk, Folders = Shell().StartMenuFolders()](TProgress& Done) {
          WalkStartMenu(Folders, *Walk, &Done);
        }))
      return;  // stopped by the user: nothing changes
    Result = ImportStartMenu(*FRoot, *Walk, Imported);
  }
  // On disk at once, before the message waits for the user.
  if (Result.Added > 0) {
    FStore->Update([&Imported](TSettings& S) { S.StartMenuImported = Imported; });
    SaveSettings();
    SaveService.Execute();
  }
  MessageDlg(ImportReport(Result),
             Result.Skipped.empty() && Result.Unreadable.empty() ? TMsgDlgType::Information
                                                                 : TMsgDlgType::Warning,
             mbOK);
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
