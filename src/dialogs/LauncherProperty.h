#pragma once
// The launcher property dialog: a launcher's name, target, start options, working folder,
// place in the list, explorer options (folder launchers) and menu colours. One dialog for
// every kind of launcher; it shows the fields the kind has. It also names new launchers made
// for paths, without being shown.
#include <string>

#include "dialogs/ColorSetEditor.h"
#include "ui/ExtCtrls.h"
#include "ui/Form.h"
#include "ui/StdCtrls.h"

namespace lantern {

class TLauncher;

// What the name field shows after the file name field changed to FileName: a name the user
// gave (not empty, without "新規") stays; otherwise the file-name part of FileName, or all
// of FileName when nothing follows its last '\' or ':'. A Folder goes by its last part, as
// ExtractFolderName has it, also when a '\' ends it.
std::string AutoLauncherName(const std::string& NameEdit, const std::string& FileName,
                             bool Folder = false);

class TLauncherPropertyForm : public TForm {
 public:
  // FormCreate.
  TLauncherPropertyForm();
  // FormDestroy: the colour examples are written back.
  ~TLauncherPropertyForm() override;

  TButton Button1{this};
  TButton Button2{this};
  TButton Button3{this};
  TPageControl PageControl1{this};
  TTabSheet TabSheet1{&PageControl1};
  TLabel Label1{&TabSheet1};
  TEdit NameEdit{&TabSheet1};
  TLabel FileLabel{&TabSheet1};
  TEdit FilenameEdit{&TabSheet1};
  TButton RefButton{&TabSheet1};
  TLabel OptionLabel{&TabSheet1};
  TEdit OptionEdit{&TabSheet1};
  TLabel ExecFolderLabel{&TabSheet1};
  TEdit ExecFolderEdit{&TabSheet1};
  TButton ExecFolderRefButton{&TabSheet1};
  TCheckBox FixPositionCheck{&TabSheet1};
  TCheckBox UseGeneralExplorerOptionCheck{&TabSheet1};
  TGroupBox GroupBox1{&TabSheet1};
  TCheckBox DispTreeExplorerCheck{&GroupBox1};
  TCheckBox DispRootExplorerCheck{&GroupBox1};
  TTabSheet TabSheet2{&PageControl1};
  TColorSetEditor Colors{TabSheet2, TColorDialogKind::LauncherProperty};
  TOpenDialog OpenDialog1;

  // Remembers the launcher and fills the controls from it.
  void LoadItem(TLauncher* Launcher);
  // Writes the controls back into the launcher; the launcher.
  TLauncher* StoreItem();

  // Handlers.
  // OK: a blank name is refused, and the dialog stays open on it.
  void Button1Click();
  void FilenameEditChange();
  void RefButtonClick();
  void ExecFolderRefButtonClick();
  void UpdateExplorerChecks();
  void Button3Click();

 private:
  TLauncher* FItem = nullptr;
  std::string FAutoName;  // the name the automatic naming gave last
};

}  // namespace lantern
