#pragma once
// The editing commands of the main window: adding, the property dialogs, removing and the
// trash, the item clipboard, the order within a group, and the sweep of dead launchers. They
// work on the launcher tree through the two views' choice.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/TreeGuard.h"

namespace lantern {

class TExecItem;
class TLauncher;
class TListView;
class TRoot;
class TTreeView;
class TWatcher;
class TWinControl;

// The questions asked before items are deleted for good, which cannot be undone; No is the
// default answer. One item is named, several are counted; the trash's items are counted.
std::string DeleteItemQuestion(const std::string& Name);
std::string DeleteItemsQuestion(int Count);
std::string EmptyTrashQuestion(int Count);

class TEditCommands {
 public:
  // Window: what comes to the front after a drop. Watcher: told of what is deleted for good.
  TEditCommands(TRoot& Root, TWatcher& Watcher, TWinControl& Window, TListView& List,
                TTreeView& Tree);
  ~TEditCommands();
  TEditCommands(const TEditCommands&) = delete;
  TEditCommands& operator=(const TEditCommands&) = delete;

  // What the window follows: a dialog changed the tree (saved at once); the clipboard's
  // state changed (the commands' enabling and the status bar); the program is ending (the
  // sweep stops).
  std::function<void()> OnSave;
  std::function<void()> OnStateChanged;
  std::function<bool()> Ending;

  void AddGroupExecute();
  void AddLauncherExecute();
  void AddLauncherFolderExecute();
  void AddLauncherURLExecute();
  // What the drop target hands over: a file or folder path, or a named URL, each becoming a
  // launcher in the current group; once the tree is free when a command holds it.
  void AddDroppedFile(const std::string& Path);
  void AddDroppedURL(const std::string& Name, const std::string& URL);
  // Changes from outside (another instance's path, a drop) run now or once the tree is free
  // and no name is being edited.
  void RunWhenTreeFree(std::function<void()> Change);
  // The property dialog of the launcher or group chosen in the active view; on OK the tree
  // takes the changes and is saved.
  void ObjPropertyActionExecute();
  void DeleteObjExecute();
  void MoveRecycledExecute();
  void EmptyTrashActionExecute();
  void CopyObjectExecute();
  void CutObjectExecute();
  void PasteObjectExecute();
  void UpObjectActionExecute() { MoveSelected(-1); }
  void DownObjectActionExecute() { MoveSelected(+1); }
  // The sweep of dead launchers (Sweep.cpp).
  void CheckNoLinkActionExecute();
  void OpenExplorerActionExecute();

  // Cut items wait in the trash for their paste; copies wait outside the tree.
  bool CutPending() const { return FCutPending; }
  void SetCutPending(bool Value);
  bool ClipboardFilled() const { return FClipboardFilled; }
  void SetClipboardFilled(bool Value);
  // The sweep of dead launchers walks the tree while messages are handled: until it ends,
  // nothing may change the tree.
  bool Sweeping() const { return FSweepHold != nullptr; }
  // The item is the trash or a group that holds it: it can be neither moved nor deleted.
  bool HoldsTrash(const TExecItem* Item) const;

 private:
  bool TreeHeld() const;
  void StateChanged();
  // A new launcher that the launcher dialog fills in, unshown with only its chooser or shown
  // (Show); kept in the current group when it came out with a file name.
  void AddNewLauncher(std::unique_ptr<TLauncher> Launcher, bool Show);
  // The items a removing command works on: the list's selection (Index: the first one's
  // row) or the tree's node. Raises Refusal when the trash is among them.
  std::vector<TExecItem*> CollectItems(const char* Refusal, int& Index);
  void ReselectRow(int Index);
  // Whether the user agrees to delete Items for good, asked with Question. When programs
  // that the watcher would learn again are among them, the box offers to keep them out for
  // good: KeepOut then has their paths, else it is empty.
  bool ConfirmDeleteForGood(const std::string& Question, const std::vector<TExecItem*>& Items,
                            std::vector<std::string>& KeepOut);
  // The paths the watcher would add again once Items are gone: those of the program launchers
  // among them (a shortcut's by its target) that no mask keeps out and no other launcher knows.
  std::vector<std::string> ProgramsToLearnAgain(const std::vector<TExecItem*>& Items);
  // Adds a mask for each path, unless the masks keep it out already, and stores the masks.
  void KeepOutForGood(const std::vector<std::string>& Paths);
  // Every delete for good ends here: takes the items (siblings, or none inside another of
  // them) out of their groups and frees them with their content.
  void DeleteForGood(const std::vector<TExecItem*>& Items);
  // The items cut and waiting for their paste, in tree order (a cut group's own items are
  // carried with it).
  std::vector<TExecItem*> CutItems();
  void MoveSelected(int Step);

  TRoot& FRoot;
  TWatcher& FWatcher;
  TWinControl& FWindow;
  TListView& FList;
  TTreeView& FTree;
  std::vector<std::unique_ptr<TExecItem>> FClipboardItems;  // copies, until pasted
  bool FCutPending = false;
  bool FClipboardFilled = false;
  std::unique_ptr<TTreeGuard::THold> FSweepHold;
};

}  // namespace lantern
