#include "dialogs/GroupProperty.h"

#include "base/Path.h"
#include "model/ExecObj.h"
#include "ui/Application.h"
#include "ui/Layout.h"
#include "ui/Shell.h"
#include "ui/System.h"

namespace lantern {

TGroupPropertyForm::TGroupPropertyForm() {
  SetCaption("グループのプロパティ");
  SetBorderStyle(TFormBorderStyle::Dialog);
  SetClientSize(419, 280);
  SetPosition(TFormPosition::ScreenCenter);
  LayOut({
      {Button1, 168, 256, 75, 20, "&OK"},
      {Button2, 248, 256, 75, 20, "キャンセル"},
      {Button3, 328, 256, 75, 20, "ヘルプ(&H)", [this](TWinControl*) { Button3Click(); }},
      {PageControl1, 0, 0, 419, 249},
      {Label1, 56, 20, 40, 12, "名前(&C)"},
      {NameEdit, 112, 16, 249, 20},
  });
  // The examples above the preview and the swatches, the reset button below the preview.
  Colors.LayOut({/*CommonColorCheck*/ 224, 8, /*examples*/ 32, false, /*preview*/ 32,
                 /*swatches*/ 108, /*selected*/ 152, /*reset*/ 136, 200});
  TabSheet1.SetCaption("基本設定");
  TabSheet2.SetCaption("色");
  Button1.SetDefault(true);
  Button1.SetModalResult(mrOk);
  Button2.SetCancel(true);
  Button2.SetModalResult(mrCancel);
  PageControl1.SetAlign(TAlign::Top);
  Label1.SetFocusControl(&NameEdit);
  // A choice in the list comes as a change and as a click; the second does nothing.
  Colors.ColorExampleCombo.OnClick = [this](TWinControl*) { Colors.ColorExampleComboChange(); };
  OnShow = [this](TWinControl*) { Colors.ReportLoadError(); };

  SetActiveControl(&NameEdit);
  PageControl1.SetActivePage(&TabSheet1);
  Colors.LoadColorExamples();
}

TGroupPropertyForm::~TGroupPropertyForm() {
  Application().Guard([this] { Colors.SaveColorExamples(); });
}

void TGroupPropertyForm::LoadItem(TCompositeItem* Group) {
  FItem = Group;
  NameEdit.SetText(Group->Name());
  Colors.LoadItem(Group);
}

TCompositeItem* TGroupPropertyForm::StoreItem() {
  if (!FItem) return nullptr;
  FItem->SetName(NameEdit.Text());
  Colors.StoreItem(FItem);
  return FItem;
}

void TGroupPropertyForm::Button3Click() {
  // Groups have no page of their own: the help's top page explains them.
  const std::string Page = ExtractFilePath(System().ProgramFileName()) + "Help\\Top.html";
  CheckShellExec(Shell().ShellExec("", Page, "", "", SW_SHOW_), TShellTask::OpenPage, Page);
}

}  // namespace lantern
