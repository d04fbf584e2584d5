// The main window's handlers of its two views: their keys, opening, renaming, the rule that
// enables the commands, and the sorting of the list by a column.
#include <algorithm>
#include <vector>

#include "main/Main.h"
#include "ui/System.h"

namespace lantern {

const std::vector<TLanternMain::TViewKey>& TLanternMain::ViewKeys() {
  constexpr unsigned Modifiers = ssShift | ssCtrl | ssAlt;
  static const std::vector<TViewKey> Keys = {
      {VkReturn, ssAlt, &TLanternMain::OpenObject, true, true},
      {ssAlt | VkReturn, ssAlt, &TLanternMain::ObjPropertyAction, true, true},
      {VkDelete, ssShift, &TLanternMain::MoveRecycled, true, true},
      {ssShift | VkDelete, ssShift, &TLanternMain::DeleteObj, true, true},
      {ssCtrl | 'C', Modifiers, &TLanternMain::CopyObject, true, true},
      {ssCtrl | 'X', Modifiers, &TLanternMain::CutObject, true, true},
      {ssCtrl | 'V', Modifiers, &TLanternMain::PasteObject, true, true},
      {VkF2, Modifiers, &TLanternMain::RenameAction, true, false},
      {ssShift | VkUp, Modifiers, &TLanternMain::UpObjectAction, true, false},
      {ssShift | VkDown, Modifiers, &TLanternMain::DownObjectAction, true, false},
      {VkBack, 0, &TLanternMain::UpperFolderOpen, false, true},
      {ssCtrl | 'F', Modifiers, &TLanternMain::FindAction, true, true},
  };
  return Keys;
}

void TLanternMain::ViewKeyDown(TWinControl* Sender, unsigned& Key, unsigned Shift) {
  bool List = Sender == &ListView1;
  if (List ? ListView1.Editing() : TreeView1.Editing()) return;
  // The dragged items must stay as they are until the drop: only Esc, which ends the drag,
  // acts meanwhile.
  if (Dragging()) {
    if (Key != VkEscape) Key = 0;
    return;
  }
  for (const TViewKey& Row : ViewKeys()) {
    if ((Row.ShortCut & 0xFF) != Key || (Shift & Row.Looked) != (Row.ShortCut & Row.Looked) ||
        !(List || Row.InTree))
      continue;
    if ((this->*Row.Action).Execute() || Row.UsedWhenOff) Key = 0;
    return;
  }
  switch (Key) {
    case VkEscape: StationAction.Execute(); break;  // the key goes on
    case 'A':
      // Every row of the list; no command, so no menu shows it.
      if (List && (Shift & (ssShift | ssCtrl | ssAlt)) == ssCtrl) {
        Key = 0;
        SelectAllRows();
      }
      break;
    case VkF10:
      if (Shift & ssShift) {
        int X, Y;
        Sender->ScreenOrigin(X, Y);
        Key = 0;
        (List ? ListViewPopup : TreeViewPopup).Popup(X, Y);
      }
      break;
  }
}

void TLanternMain::OpenObjectExecute() {
  // Enter reaches the command through the window's shortcuts too: a drag keeps its rows.
  if (Dragging()) return;
  if (ListView1.Focused()) {
    TListItem* Row = ListView1.Selected();
    if (Row && !ListView1.Editing()) static_cast<TExecItem*>(Row->Data())->Open();
  } else if (TreeView1.Focused()) {
    TTreeNode* Node = TreeView1.Selected();
    if (Node && !TreeView1.Editing()) static_cast<TExecItem*>(Node->Data())->Open();
  }
}

void TLanternMain::UpperFolderOpenExecute() {
  TCompositeItem* Current = FRoot->CurrentFolder();
  if (Current && Current->Parent()) FRoot->SetCurrentFolder(Current->Parent()->AsGroup());
}

void TLanternMain::RenameActionExecute() {
  // The trash keeps the name the program's own texts call it by.
  TRecycledFolder* Trash = FRoot->RecycledFolder();
  if (ListView1.Focused()) {
    TListItem* Row = ListView1.Selected();
    if (Row && (!Trash || Row != Trash->ListItem())) Row->EditCaption();
  } else if (TTreeNode* Node = TreeView1.Selected()) {
    if (!Trash || Node != Trash->TreeNode()) Node->EditText();
  }
}

void TLanternMain::SelectAllRows() {
  {
    // One enabling for the whole choice, not one per row.
    TSilentChanges Silent(&ListView1);
    for (int i = 0; i < ListView1.Items().Count(); ++i) ListView1.Items()[i]->SetSelected(true);
  }
  UpdateActions();
}

void TLanternMain::UpdateActions() {
  if (!FCommands) return;  // the views are filled before the commands are made
  TRecycledFolder* Trash = FRoot->RecycledFolder();
  // What would only be refused: the trash, or a group holding it, moved, deleted or cut; the
  // trash renamed. Emptying the trash is offered where the trash is chosen or shown.
  bool Removable, TrashChosen;
  if (ListView1.Focused()) {
    int Selected = ListView1.SelCount();
    bool One = Selected == 1, Some = Selected > 0;
    // Only a row of the current group can be chosen: the trash's row, or that of a group
    // above it.
    bool TrashRowChosen = false;
    for (TExecItem* Up = Trash; Up && !TrashRowChosen; Up = Up->Parent())
      TrashRowChosen = Up->ListItem() && Up->ListItem()->Selected();
    for (TAction* Action :
         {&RenameAction, &OpenObject, &ObjPropertyAction, &UpObjectAction, &DownObjectAction})
      Action->SetEnabled(One);
    CopyObject.SetEnabled(Some);
    Removable = Some && !TrashRowChosen;
    TrashChosen = Trash && Trash->ListItem() && Trash->ListItem()->Selected();
    auto* Item = One ? static_cast<TExecItem*>(ListView1.Selected()->Data()) : nullptr;
    OpenExplorerAction.SetEnabled(Item && !Item->IsGroup() && !dynamic_cast<TLauncherURL*>(Item));
    EmptyTrashAction.SetEnabled(TrashChosen || (Trash && FRoot->CurrentFolder() == Trash));
  } else {
    UpObjectAction.SetEnabled(false);
    DownObjectAction.SetEnabled(false);
    OpenExplorerAction.SetEnabled(false);
    TTreeNode* Node = TreeView1.Selected();
    auto* Item = Node ? static_cast<TExecItem*>(Node->Data()) : nullptr;
    OpenObject.SetEnabled(Node != nullptr);
    bool NotRoot = Item && Item != FRoot.get();
    for (TAction* Action : {&RenameAction, &CopyObject, &ObjPropertyAction})
      Action->SetEnabled(NotRoot);
    Removable = NotRoot && !FCommands->HoldsTrash(Item);
    TrashChosen = Trash && Item == Trash;
    EmptyTrashAction.SetEnabled(TrashChosen);
  }
  for (TAction* Action : {&DeleteObj, &MoveRecycled, &CutObject}) Action->SetEnabled(Removable);
  if (TrashChosen) RenameAction.SetEnabled(false);
  // Nothing to empty; or items cut wait in the trash for their paste.
  if (!Trash || Trash->Count() == 0 || CutPending()) EmptyTrashAction.SetEnabled(false);
  // While a command holds the tree, what would change it stays off; the commands that need
  // no choice come back with it. 設定 stays on: it brings forward what holds the tree.
  const bool Held = TreeHeld();
  for (TAction* Action : {&AddGroup, &AddLauncher, &AddLauncherURL, &AddLauncherFolder,
                          &CheckNoLinkAction, &LoadService})
    Action->SetEnabled(!Held);
  if (Held)
    for (TAction* Action : TreeCommands()) Action->SetEnabled(false);
  UpdateClipboardActions();
}

void TLanternMain::RefreshListKeepingSelection() {
  // The watcher's refill (a program started meanwhile) must not take the user's choice away:
  // a launcher chosen for Alt+Enter or Del stays chosen.
  TListItems& Rows = ListView1.Items();
  std::vector<void*> Selected;
  void* Focused = nullptr;
  for (int i = 0; i < Rows.Count(); ++i) {
    if (Rows[i]->Selected()) Selected.push_back(Rows[i]->Data());
    if (Rows[i]->Focused()) Focused = Rows[i]->Data();
  }
  FRoot->RefreshListView();
  for (int i = 0; i < Rows.Count(); ++i) {
    void* Item = Rows[i]->Data();
    if (std::find(Selected.begin(), Selected.end(), Item) != Selected.end())
      Rows[i]->SetSelected(true);
    if (Item && Item == Focused) Rows[i]->SetFocused(true);
  }
}

void TLanternMain::ListView1ColumnClick(int Column) {
  if (Column < 0 || Column > 1) return;
  int Direction = FSortDirection[Column];
  ListView1.Items().Sort([&](const TListItem* A, const TListItem* B) {
    return ListView1Compare(A, B, Column) * Direction < 0;
  });
  FSortDirection[Column] = -Direction;
}

int TLanternMain::ListView1Compare(const TListItem* Item1, const TListItem* Item2, int Column) {
  auto* A = static_cast<TExecItem*>(Item1->Data());
  auto* B = static_cast<TExecItem*>(Item2->Data());
  if (!A || !B) return 0;
  if (Column == 1) return System().CompareText(A->FileName(), B->FileName());
  if (A->IsGroup() != B->IsGroup()) return A->IsGroup() ? -1 : 1;
  return System().CompareText(A->Name(), B->Name());
}

void TLanternMain::UpdateClipboardActions() {
  const bool Held = TreeHeld(), Cut = CutPending();
  PasteObject.SetEnabled(!Held && (Cut || ClipboardFilled()));
  if (Cut || Held) CutObject.SetEnabled(false);
  StatusBar1.SetSimpleText(Cut ? "貼り付けを行うまでは自動ランチャ追加機能は働きません" : "");
}

std::vector<TAction*> TLanternMain::TreeCommands() {
  return {&AddGroup,       &AddLauncher,      &AddLauncherURL,    &AddLauncherFolder,
          &MoveRecycled,   &DeleteObj,        &EmptyTrashAction,  &CopyObject,
          &CutObject,      &PasteObject,      &ObjPropertyAction, &CheckNoLinkAction,
          &UpObjectAction, &DownObjectAction, &RenameAction,      &LoadService};
}

}  // namespace lantern
