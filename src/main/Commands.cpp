// The main window's commands that open the property dialogs and the version window.
#include "dialogs/GroupProperty.h"
#include "dialogs/LauncherProperty.h"
#include "main/Main.h"
#include "shell/About.h"
#include "ui/System.h"

namespace lantern {

void TLanternMain::ObjPropertyActionExecute() {
  TCompositeItem* Group = nullptr;
  if (ListView1.Focused()) {
    TListItem* Row = ListView1.Selected();
    auto* Item = Row ? static_cast<TExecItem*>(Row->Data()) : nullptr;
    if (auto* Launcher = dynamic_cast<TLauncher*>(Item)) {
      TLauncherPropertyForm Dialog;
      Dialog.LoadItem(Launcher);
      if (Dialog.ShowModal() != mrOk) return;
      Row->SetData(Dialog.StoreItem());
      SaveService.Execute();
      return;
    }
    // The trash is only opened from the tree.
    if (Item && Item->IsGroup() && !Item->IsRecycledFolder()) Group = Item->AsGroup();
  } else if (TreeView1.Focused()) {
    TTreeNode* Node = TreeView1.Selected();
    auto* Item = Node ? static_cast<TExecItem*>(Node->Data()) : nullptr;
    if (Item && Item != FRoot.get()) Group = Item->AsGroup();
  }
  if (!Group) return;
  TGroupPropertyForm Dialog;
  Dialog.LoadItem(Group);
  if (Dialog.ShowModal() != mrOk) return;
  Dialog.StoreItem();
  SaveService.Execute();
}

void TLanternMain::AboutActionExecute() {
  System().ForceForeground(Handle());
  TAboutForm About;
  FAboutForm = &About;
  struct TClosed {
    TForm*& Form;
    ~TClosed() { Form = nullptr; }
  } Closed{FAboutForm};
  About.ShowModal();
}

}  // namespace lantern
