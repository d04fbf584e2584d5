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
      {Colors.Label9, 16, 8, 193, 12},
      {Colors.CommonColorCheck, 224, 8, 137, 17},
      {Colors.Image1, 16, 32, 177, 105},
      {Colors.Label17, 216, 36, 51, 12},
      {Colors.ColorExampleCombo, 272, 32, 129, 20},
      {Colors.AddColorExampleButton, 328, 56, 73, 20},
      {Colors.ColorExampleDeleteButton, 328, 80, 75, 20},
      {Colors.BackColorLabel, 224, 112, 52, 12},
      {Colors.BackColorPanel, 296, 108, 60, 20},
      {Colors.FontColorLabel, 224, 134, 52, 12},
      {Colors.FontColorPanel, 296, 132, 60, 20},
      {Colors.GroupBox2, 216, 152, 161, 65},
      {Colors.SelectedBackColorLabel, 9, 20, 51, 12},
      {Colors.SelectedBackColorPanel, 80, 13, 60, 20},
      {Colors.SelectedFontColorLabel, 10, 41, 51, 12},
      {Colors.SelectedFontColorPanel, 80, 37, 60, 20},
      {Colors.ResetButton, 136, 200, 68, 20},
  });
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
