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
  if (ListView1.Focused()) {
    if (TListItem* Row = ListView1.Selected()) Row->EditCaption();
  } else if (TTreeNode* Node = TreeView1.Selected()) {
    Node->EditText();
  }
}

void TLanternMain::UpdateActions() {
  if (ListView1.Focused()) {
    int Selected = ListView1.SelCount();
    bool One = Selected == 1, Some = Selected > 0;
    for (TAction* Action :
         {&RenameAction, &OpenObject, &ObjPropertyAction, &UpObjectAction, &DownObjectAction})
      Action->SetEnabled(One);
    for (TAction* Action : {&DeleteObj, &MoveRecycled, &CopyObject, &CutObject})
      Action->SetEnabled(Some);
    auto* Item = One ? static_cast<TExecItem*>(ListView1.Selected()->Data()) : nullptr;
    OpenExplorerAction.SetEnabled(Item && !Item->IsGroup() && !dynamic_cast<TLauncherURL*>(Item));
  } else {
    UpObjectAction.SetEnabled(false);
    DownObjectAction.SetEnabled(false);
    OpenExplorerAction.SetEnabled(false);
    TTreeNode* Node = TreeView1.Selected();
    OpenObject.SetEnabled(Node != nullptr);
    bool NotRoot = Node && Node->Data() != FRoot.get();
    for (TAction* Action :
         {&RenameAction, &DeleteObj, &MoveRecycled, &CopyObject, &CutObject, &ObjPropertyAction})
      Action->SetEnabled(NotRoot);
  }
  // While a command holds the tree, what would change it stays off; the commands that need
  // no choice come back with it.
  const bool Held = TreeHeld();
  for (TAction* Action : {&AddGroup, &AddLauncher, &AddLauncherURL, &AddLauncherFolder,
                          &CheckNoLinkAction, &EnvSetAction, &LoadService})
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

}  // namespace lantern
