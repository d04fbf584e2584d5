#include "dialogs/LauncherProperty.h"

#include <initializer_list>

#include "base/Cp932.h"
#include "base/Path.h"
#include "dialogs/FldrDlg.h"
#include "model/ExecObj.h"
#include "ui/Application.h"
#include "ui/Dialogs.h"
#include "ui/FileSystem.h"
#include "ui/Layout.h"
#include "ui/Shell.h"
#include "ui/System.h"

namespace lantern {

std::string AutoLauncherName(const std::string& NameEdit, const std::string& FileName,
                             bool Folder) {
  if (!NameEdit.empty() && !ContainsText(NameEdit, "新規")) return NameEdit;
  if (Folder) return ExtractFolderName(FileName);
  std::string Name = ExtractFileName(FileName);
  return Name.empty() ? FileName : Name;
}

TLauncherPropertyForm::TLauncherPropertyForm() {
  SetCaption("ランチャのプロパティ");
  SetBorderStyle(TFormBorderStyle::Dialog);
  SetClientSize(417, 296);
  SetPosition(TFormPosition::ScreenCenter);
  auto Handler = [](auto Method) { return [Method](TWinControl*) { Method(); }; };
  LayOut({
      {Button1, 168, 271, 75, 22, "OK", Handler([this] { Button1Click(); })},
      {Button2, 248, 271, 75, 22, "キャンセル"},
      {Button3, 328, 271, 75, 22, "ヘルプ", Handler([this] { Button3Click(); })},
      {PageControl1, 0, 0, 417, 265},
      {Label1, 60, 12, 40, 12, "名前(&N)"},
      {NameEdit, 104, 8, 241, 20},
      {FileLabel, 32, 44, 68, 12, "ファイル名(&F)"},
      {FilenameEdit, 104, 40, 241, 20, {}, Handler([this] { FilenameEditChange(); })},
      {RefButton, 350, 40, 51, 20, "参照(&E)", Handler([this] { RefButtonClick(); })},
      {OptionLabel, 9, 76, 91, 12, "起動オプション(&O)"},
      {OptionEdit, 104, 72, 241, 20},
      {ExecFolderLabel, 18, 108, 82, 12, "作業フォルダ(&S)"},
      {ExecFolderEdit, 104, 104, 241, 20},
      {ExecFolderRefButton, 350, 104, 51, 20, "参照(&V)",
       Handler([this] { ExecFolderRefButtonClick(); })},
      {FixPositionCheck, 24, 134, 177, 17, "順位の入れ替えをしない(&U)"},
      {UseGeneralExplorerOptionCheck, 24, 152, 305, 17,
       "ランタンの設定のエクスプローラオプションを使用する(&P)",
       Handler([this] { UpdateExplorerChecks(); })},
      {GroupBox1, 16, 173, 385, 57, "エクスプローラオプション"},
      {DispTreeExplorerCheck, 16, 16, 217, 17, "ツリー表示枠をつけて表示(&T)",
       Handler([this] { UpdateExplorerChecks(); })},
      {DispRootExplorerCheck, 16, 34, 209, 17, "表示するフォルダをルートにする(&R)"},
  });
  // The examples above the preview and the swatches, the reset button below the preview.
  Colors.LayOut({/*CommonColorCheck*/ 208, 8, /*examples*/ 32, false, /*preview*/ 48,
                 /*swatches*/ 116, /*selected*/ 168, /*reset*/ 136, 216});
  TabSheet1.SetCaption("基本");
  TabSheet2.SetCaption("色");
  Button1.SetDefault(true);
  Button2.SetCancel(true);
  Button2.SetModalResult(mrCancel);
  PageControl1.SetAlign(TAlign::Top);
  Label1.SetFocusControl(&NameEdit);
  FileLabel.SetAlignment(TAlignment::RightJustify);
  FileLabel.SetFocusControl(&FilenameEdit);
  OptionLabel.SetFocusControl(&OptionEdit);
  ExecFolderLabel.SetFocusControl(&ExecFolderEdit);
  UseGeneralExplorerOptionCheck.SetVisible(false);
  UseGeneralExplorerOptionCheck.SetChecked(true);
  GroupBox1.SetVisible(false);
  DispTreeExplorerCheck.SetEnabled(false);
  DispRootExplorerCheck.SetEnabled(false);
  OnShow = [this](TWinControl*) { Colors.ReportLoadError(); };

  PageControl1.SetActivePage(&TabSheet1);
  SetActiveControl(&NameEdit);
  Colors.LoadColorExamples();
}

TLauncherPropertyForm::~TLauncherPropertyForm() {
  Application().Guard([this] { Colors.SaveColorExamples(); });
}

void TLauncherPropertyForm::LoadItem(TLauncher* Launcher) {
  FItem = Launcher;
  auto* Folder = dynamic_cast<TLauncherFolder*>(Launcher);
  const bool URL = dynamic_cast<TLauncherURL*>(Launcher) != nullptr;
  if (Folder) FileLabel.SetCaption("フォルダ名(&F)");
  if (URL) FileLabel.SetCaption("URL(&A)");
  // Start options and a working folder only mean something for programs.
  for (TWinControl* Control : std::initializer_list<TWinControl*>{
           &OptionLabel, &OptionEdit, &ExecFolderLabel, &ExecFolderEdit, &ExecFolderRefButton})
    Control->SetVisible(!Folder && !URL);
  RefButton.SetVisible(!URL);
  UseGeneralExplorerOptionCheck.SetVisible(Folder != nullptr);
  GroupBox1.SetVisible(Folder != nullptr);

  NameEdit.SetText(Launcher->Name());
  // The naming runs even when the text stays as the field had it (a new launcher's empty
  // file name): a default name never comes up.
  if (FilenameEdit.Text() == Launcher->FileName()) FilenameEditChange();
  FilenameEdit.SetText(Launcher->FileName());
  OptionEdit.SetText(Launcher->Parameters());
  ExecFolderEdit.SetText(Launcher->WorkFolder());
  FixPositionCheck.SetChecked(Launcher->FixedPosition());

  if (Folder) {
    const std::string& Option = Folder->ExplorerOption();
    UseGeneralExplorerOptionCheck.SetChecked(Option.empty());
    if (!Option.empty()) {
      DispTreeExplorerCheck.SetChecked(Option.find("/e") != std::string::npos);
      DispRootExplorerCheck.SetChecked(Option.find("/root") != std::string::npos);
    }
  }

  Colors.LoadItem(Launcher);
}

TLauncher* TLauncherPropertyForm::StoreItem() {
  if (!FItem) return nullptr;
  FItem->SetName(NameEdit.Text());
  FItem->SetFileName(FilenameEdit.Text());
  FItem->SetParameters(OptionEdit.Text());
  FItem->SetWorkFolder(ExecFolderEdit.Text());
  FItem->SetFixedPosition(FixPositionCheck.Checked());
  if (auto* Folder = dynamic_cast<TLauncherFolder*>(FItem)) {
    std::string Option;
    if (!UseGeneralExplorerOptionCheck.Checked()) {
      // The blank keeps an own choice of no options apart from "the program's option".
      Option = " ";
      if (DispTreeExplorerCheck.Checked()) Option += "/e,";
      if (DispRootExplorerCheck.Checked()) Option += "/root,";
    }
    Folder->SetFolderExplorerOption(Option);
  }
  Colors.StoreItem(FItem);
  return FItem;
}

void TLauncherPropertyForm::Button1Click() {
  // A launcher without a name would be a blank row in the launcher menu and the list.
  if (IsBlank(NameEdit.Text())) {
    MessageDlg("ランチャの名前を入力してください", TMsgDlgType::Warning, mbOK);
    PageControl1.SetActivePage(&TabSheet1);
    NameEdit.SetFocus();
    return;
  }
  SetModalResult(mrOk);
}

void TLauncherPropertyForm::FilenameEditChange() {
  // A name the dialog gave keeps following the file name as it is typed, one character at a
  // time; a name the user gave stays.
  std::string Name = NameEdit.Text();
  if (!FAutoName.empty() && Name == FAutoName) Name.clear();
  Name =
      AutoLauncherName(Name, FilenameEdit.Text(), dynamic_cast<TLauncherFolder*>(FItem) != nullptr);
  if (Name != NameEdit.Text()) FAutoName = Name;
  NameEdit.SetText(Name);
}

void TLauncherPropertyForm::RefButtonClick() {
  if (dynamic_cast<TLauncherFolder*>(FItem)) {
    TFolderDialog Chooser;
    if (Chooser.Browse()) FilenameEdit.SetText(Chooser.FolderName);
    return;
  }
  OpenDialog1.FileName.clear();
  OpenDialog1.Filter.clear();
  // The chooser opens beside the current file, when its folder is there.
  const std::string Folder = ExtractFilePath(FilenameEdit.Text());
  OpenDialog1.InitialDir =
      !Folder.empty() && FileSystem().DirectoryExists(Folder) ? Folder : std::string();
  if (OpenDialog1.Execute()) FilenameEdit.SetText(OpenDialog1.FileName);
}

void TLauncherPropertyForm::ExecFolderRefButtonClick() {
  TFolderDialog Chooser;
  if (Chooser.Browse()) ExecFolderEdit.SetText(Chooser.FolderName);
}

void TLauncherPropertyForm::UpdateExplorerChecks() {
  if (UseGeneralExplorerOptionCheck.Checked()) {
    DispTreeExplorerCheck.SetEnabled(false);
    DispRootExplorerCheck.SetEnabled(false);
    return;
  }
  DispTreeExplorerCheck.SetEnabled(true);
  DispRootExplorerCheck.SetEnabled(DispTreeExplorerCheck.Checked());
  // "/root" only comes with the tree pane.
  if (!DispTreeExplorerCheck.Checked()) DispRootExplorerCheck.SetChecked(false);
}

void TLauncherPropertyForm::Button3Click() {
  const char* Page = dynamic_cast<TLauncherFolder*>(FItem) ? "Help\\LaunchFolderProp.html"
                                                           : "Help\\LauncherProp.html";
  // A page that does not open is reported; the dialog goes on either way.
  const std::string Path = ExtractFilePath(System().ProgramFileName()) + Page;
  CheckShellExec(Shell().ShellExec("", Path, "", "", SW_SHOW_), TShellTask::OpenPage, Path);
}

}  // namespace lantern
