#pragma once
// The launcher tree's items: groups (user groups, the trash; the root in model/Root.h) and
// the three launcher kinds. The items keep the group tree view, the launcher list view and
// (through MenuDirty) the launcher menu in step with themselves; the data file reads and
// writes them.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/ColorSet.h"
#include "ui/Font.h"
#include "ui/Icon.h"

namespace lantern {

class TStream;
class TCanvas;
struct TRect;
class TMenuItem;
class TPopupMenu;
class TKindColorSet;
class TListView;
class TListItem;
class TTreeView;
class TTreeNode;
class TImageList;
class TExecItem;
class TCompositeItem;
class TRoot;
class TRecycledFolder;
class TSeekIconThread;
enum class TField : int;  // a field (one line) of a record of the data file
struct TRecordType;       // a record type of the data file: its tag lines and fields

// The program's key in the current user's registry, with its trailing backslash.
extern const char* const LanternRegistryKey;

// Groups nest at most this many levels below the root (a group in the root is at level 1).
// Every walk of the tree (reading, saving, the views, the watcher, the menu, copies, the
// destructors) recurses once per level, so the limit is what keeps them within the stack.
// A data file that nests deeper is refused, and so is an edit that would nest deeper.
constexpr int MaxGroupDepth = 100;
// The text of that refusal.
std::string GroupTooDeepText();
// The refusal of a move that would put a group inside itself or a group below it.
std::string SubGroupTargetText();

// Text as a field line of the data file, so that no record can be split whatever path the
// text came by: a line end in it would end the field early, and a line that reads as the end
// of its record's fields would end them; either loses every record after it at the next load.
// So each line end (CR LF, CR or LF, as ReadLine takes them) becomes a space, and a text that
// is such an end ("[/LAUNCHER]", "[FOLDERCOMPOSITE]"...) gets a space after it. Every setter of
// a text field that the data file writes as a line passes its value through this.
std::string FieldLine(const std::string& Text);

// Counts the changes that could alter which launcher has which path (an item added to or
// taken out of any group, a launcher's path set), so that what was worked out from the tree
// can tell whether it is still right.
std::uint64_t TreeChanges();
void NoteTreeChange();
// Such a change that the data file does not show: a shortcut's target read anew.
void NoteRunningPathChange();
// Counts every change that the data file would show (those above, and any field, order or
// current group written): what has not been saved since can be told.
std::uint64_t TreeEdits();
void NoteTreeEdit();

// An owning list of items. Slots are emptied before their item is freed, so code that runs
// while a list is being cleared sees a null slot, never a dying item.
class TExecItemList {
 public:
  TExecItemList() = default;
  TExecItemList(const TExecItemList&) = delete;
  TExecItemList& operator=(const TExecItemList&) = delete;
  ~TExecItemList() { Clear(); }

  int Add(std::unique_ptr<TExecItem> Item);
  void Insert(int Index, std::unique_ptr<TExecItem> Item);  // Index is clamped to 0..Count
  // Takes the first occurrence out and hands it back; null when Item is not in the list.
  std::unique_ptr<TExecItem> Remove(const TExecItem* Item);
  int IndexOf(const TExecItem* Item) const;
  TExecItem* Items(int Index) const { return FItems.at(Index).get(); }
  int Count() const { return static_cast<int>(FItems.size()); }
  void Clear();  // frees every item
  // The items in order, null slots left out.
  std::vector<TExecItem*> Snapshot() const;
  // Puts the items in the order Order gives; null slots go. An item of the list that Order
  // leaves out keeps its place after those it names, so nothing is ever dropped.
  void Reorder(const std::vector<TExecItem*>& Order);

 private:
  std::vector<std::unique_ptr<TExecItem>> FItems;
};

class TExecItem {
  friend class TRoot;  // the watcher marks running items without walking the tree

 public:
  explicit TExecItem(TExecItem* AParent);
  TExecItem(const TExecItem&) = delete;
  TExecItem& operator=(const TExecItem&) = delete;
  virtual ~TExecItem();

  virtual void SetParent(TExecItem* AParent);
  virtual bool MatchRunningFile(const std::string& Path) = 0;
  virtual void SetFileName(const std::string& Value);
  virtual void ShowInListItem(TListItem* ARow);
  virtual void ShowInTreeNode(TTreeNode* ANode);
  virtual void SaveToStream(TStream& Stream) = 0;
  virtual void LoadFromStream(TStream& Stream) = 0;
  virtual void ClearListItem();
  virtual void ClearTreeNode();
  virtual void Open() = 0;
  virtual void BeginWatchScan();
  // The path of the program a running process of this item has (its file, unless the
  // item knows better).
  virtual const std::string& RunningPath() { return FFileName; }
  // A copy outside the tree: no parent, no views, until it is added somewhere. nullptr: this
  // kind cannot be copied.
  virtual std::unique_ptr<TExecItem> Clone();
  // The launcher menu: the item's entry (and those below it) appended to AParentEntry, and
  // how an entry is measured and drawn. Entries read the item's current name, picture and
  // colours each time they are drawn.
  virtual void AddToMenu(TPopupMenu* /*AOwner*/, TMenuItem* /*AParentEntry*/) {}
  virtual void DrawMenuItem(TMenuItem* Sender, TCanvas& ACanvas, const TRect& ARect, bool Selected);
  virtual void MeasureMenuItem(TMenuItem* Sender, TCanvas& ACanvas, int& Width, int& Height);

  TExecItem* GetRoot();
  TRoot* OwnerRoot();  // GetRoot when that is a TRoot, else nullptr
  // The colours and font of this item's kind in the launcher menu.
  virtual TKindColorSet& MenuKind(TRoot& Root) = 0;
  int IndexInParent() const;
  // How many Parent links lead from this item to the top of its tree (0 for the root).
  int Depth() const;
  // What kind of item this is; asked on every tree operation, so not through casts.
  virtual TCompositeItem* AsGroup() { return nullptr; }
  virtual TRoot* AsRoot() { return nullptr; }
  virtual bool IsRecycledFolder() const { return false; }
  bool IsGroup() { return AsGroup() != nullptr; }

  bool WasRunning() const { return FWasRunning; }
  bool IsRunning() const { return FIsRunning; }
  bool Visible() const { return FVisible; }
  TListItem* ListItem() const { return FListItem; }
  TTreeNode* TreeNode() const { return FTreeNode; }
  bool Expanded() const { return FExpanded; }
  const std::string& Name() const { return FName; }
  TExecItem* Parent() const { return FParent; }
  int ImageIndex() const { return FImageIndex; }
  bool FixedPosition() const { return FFixedPosition; }
  int RunCount() const { return FRunCount; }
  const std::string& FileName() const { return FFileName; }
  // The item's own colours in the launcher menu, used while OwnColors is on (the root's are
  // the common ones).
  const TColorSet& Colors() const { return FColors; }
  bool OwnColors() const { return FOwnColors; }
  // Cut and waiting for its paste (kept in the trash meanwhile); never saved or copied.
  bool Cut() const { return FCut; }
  void SetCut(bool Value) { FCut = Value; }

  void SetName(const std::string& Value);
  void SetVisible(bool Value);
  void SetRunCount(int Value);
  void SetExpanded(bool Value) { Edit(FExpanded, Value); }
  void SetFixedPosition(bool Value) { Edit(FFixedPosition, Value); }
  void SetOwnColors(bool Value) { Edit(FOwnColors, Value); }
  void SetColors(const TColorSet& Value) { Edit(FColors, Value); }
  void SetImageIndex(int Value) { FImageIndex = Value; }

 protected:
  // Stores a field the data file writes, noting the edit when it changes.
  template <typename T>
  static void Edit(T& Field, const T& Value) {
    if (Field == Value) return;
    Field = Value;
    NoteTreeEdit();
  }
  // Takes the item out of the views (unless the tree is closing). Every destructor level
  // that still knows its class runs it; later runs find nothing to do.
  void LeaveViews();
  void ShowInListItemBase(TListItem* ARow);
  void SetRowPicture(int Index, bool Silently);
  void CopyBasicsTo(TExecItem* Copy) const;
  bool IsCurrent();                 // this is the root's current group
  void SetNodePictures(int Index);  // picture and selected picture of the tree node
  // An entry for the launcher menu that measures and draws itself as this item.
  std::unique_ptr<TMenuItem> NewMenuEntry(int ImageIndex);
  // The data file: one field of the item's record, and the record of a group or launcher.
  virtual void WriteField(TStream& Stream, TField Field);
  virtual void ApplyField(TField Field, const std::string& Line);
  void SaveRecord(TStream& Stream, const TRecordType& Type);
  void LoadRecord(TStream& Stream, const TRecordType& Type);

  // Small fields side by side, as a tree of ten thousand items holds them ten thousand times.
  bool FWasRunning = true;
  bool FIsRunning = true;
  bool FVisible = true;
  bool FExpanded = false;
  bool FFixedPosition = false;
  int FImageIndex = -1;
  int FRunCount = 0;
  TListItem* FListItem = nullptr;
  TTreeNode* FTreeNode = nullptr;
  std::string FName = "新規ランチャ";
  TExecItem* FParent;
  std::string FFileName;
  TColorSet FColors = DefaultColorSet;
  bool FOwnColors = false;
  bool FCut = false;
};

class TCompositeItem : public TExecItem {
 public:
  explicit TCompositeItem(TExecItem* AParent);
  ~TCompositeItem() override;

  bool MatchRunningFile(const std::string& Path) override;
  void ShowInListItem(TListItem* ARow) override;
  void ShowInTreeNode(TTreeNode* ANode) override;
  void SaveToStream(TStream& Stream) override;    // the children part:
  void LoadFromStream(TStream& Stream) override;  // SaveChildren, LoadChildren
  void ClearListItem() override;
  void ClearTreeNode() override;
  void Open() override;
  void BeginWatchScan() override;
  void AddToMenu(TPopupMenu* AOwner, TMenuItem* AParentEntry) override;
  void DrawMenuItem(TMenuItem* Sender, TCanvas& ACanvas, const TRect& ARect,
                    bool Selected) override;

  // The group takes the item; it is returned for the caller's convenience.
  // Refuses, before any change, a group whose sub-groups would nest deeper than
  // MaxGroupDepth here: the data file could not be read back (GroupTooDeepText). Add and
  // Insert ask it; a move asks it before taking the item out of its old place.
  void CheckCanHold(const TExecItem* AItem) const;
  virtual TExecItem* Add(std::unique_ptr<TExecItem> AItem);
  template <typename T>
  T* Add(std::unique_ptr<T> AItem) {
    T* Item = AItem.get();
    Add(std::unique_ptr<TExecItem>(std::move(AItem)));
    return Item;
  }
  // Where a new child goes: at the end, except that a group goes before the trash when the
  // trash is the last group here, so that the trash stays below the user's groups. Launchers
  // go at the end, as the list shows every group before them anyway.
  int NewChildIndex(const TExecItem* AItem) const;
  // Adds the item where a new child goes (what the user and the watcher add, not a load).
  TExecItem* AddNew(std::unique_ptr<TExecItem> AItem);
  template <typename T>
  T* AddNew(std::unique_ptr<T> AItem) {
    T* Item = AItem.get();
    AddNew(std::unique_ptr<TExecItem>(std::move(AItem)));
    return Item;
  }
  // Takes the item out of the group and hands it back (null when it is no child); it keeps
  // its Parent.
  virtual std::unique_ptr<TExecItem> Remove(TExecItem* AItem);
  virtual void Clear();
  virtual void Insert(int Index, std::unique_ptr<TExecItem> AItem);
  virtual void SetCurrentMark(bool Value);

  TExecItemList& Children() { return FChildren; }
  const TExecItemList& Children() const { return FChildren; }
  int Count() const { return FChildren.Count(); }
  TExecItem* Items(int Index) const { return FChildren.Items(Index); }
  bool IsInside(const TExecItem* AItem) const;
  TCompositeItem* AsGroup() override { return this; }
  // The records of the children, in Children order; reading ends at a closing tag.
  void SaveChildren(TStream& Stream);
  void LoadChildren(TStream& Stream);
  // The entries of the children: groups first, then the others, each in Children order.
  void AddChildrenToMenu(TPopupMenu* AOwner, TMenuItem* AParentEntry);

 protected:
  TKindColorSet& MenuKind(TRoot& Root) override;
  void CloneChildrenInto(TCompositeItem& Copy) const;

  TExecItemList FChildren;
};

class TFolder : public TCompositeItem {
 public:
  explicit TFolder(TExecItem* AParent);
  void SaveToStream(TStream& Stream) override;
  void LoadFromStream(TStream& Stream) override;
  std::unique_ptr<TExecItem> Clone() override;
};

class TRecycledFolder : public TCompositeItem {
 public:
  explicit TRecycledFolder(TExecItem* AParent);
  ~TRecycledFolder() override;
  void SetParent(TExecItem* AParent) override;
  void ShowInListItem(TListItem* ARow) override;
  void ShowInTreeNode(TTreeNode* ANode) override;
  void SaveToStream(TStream& Stream) override;
  void LoadFromStream(TStream& Stream) override;
  std::unique_ptr<TExecItem> Clone() override { return nullptr; }
  void SetCurrentMark(bool Value) override;
  bool IsRecycledFolder() const override { return true; }
};

class TLauncher : public TExecItem {
 public:
  explicit TLauncher(TExecItem* AParent);
  // A running icon fetch is let go, not waited for: its answer is dropped.
  ~TLauncher() override;

  void SetParent(TExecItem* AParent) override;
  bool MatchRunningFile(const std::string& Path) override;
  void SetFileName(const std::string& Value) override;
  // A launcher whose file is a shortcut (".lnk", any case) runs as the shortcut's target:
  // the shell's reading of it, taken when first needed and again only once the file's
  // last-write time changed (a scan looks at that time, a sweep too). Without a target
  // (no shortcut after all, a file the shell cannot read) it is known by its file.
  const std::string& RunningPath() override;
  void BeginWatchScan() override;
  // Whether what the launcher starts is there: a shortcut's target, file or folder, or, when
  // the shortcut has none that the shell can read, the shortcut itself (the shell may still
  // make something of it when it starts); any other launcher's file.
  bool TargetExists();
  void ShowInListItem(TListItem* ARow) override;
  void SaveToStream(TStream& Stream) override;
  void LoadFromStream(TStream& Stream) override;
  void Open() override;
  std::unique_ptr<TExecItem> Clone() override;
  void AddToMenu(TPopupMenu* AOwner, TMenuItem* AParentEntry) override;
  // Starts the target through the shell. A target that is not there, or that the shell
  // cannot open, raises Exception with MissingTargetText or ShellFailedText (ui/Shell.h).
  virtual void Execute(void* Sender);
  // Whether Execute finds its file missing before it asks the shell: a file or folder for a
  // launcher, a folder for a folder launcher; a URL is never missing.
  virtual bool FileMissing();
  virtual void FetchIcon();
  // The periodic retry of a missing icon: a share is asked again after 1, 2, 4 ... rounds of
  // it, at most IconRetryMostRounds apart, and at the next round once FetchIcon was asked
  // for otherwise (a new path); anything else at every round.
  void RetryIcon();
  static constexpr int IconRetryMostRounds = 32;
  // The icon is to be fetched by the root's FetchPendingIcons (set while a file loads).
  bool IconPending() const { return FIconPending; }
  // The background fetch of a network path's icon while it runs, else null.
  TSeekIconThread* IconThread() const { return FIconThread.get(); }

  const std::string& Parameters() const { return FParameters; }
  const std::string& WorkFolder() const { return FWorkFolder; }
  void SetParameters(const std::string& Value) { Edit(FParameters, FieldLine(Value)); }
  void SetWorkFolder(const std::string& Value) { Edit(FWorkFolder, FieldLine(Value)); }

 protected:
  void WriteField(TStream& Stream, TField Field) override;
  void ApplyField(TField Field, const std::string& Line) override;
  void CopyLauncherTo(TLauncher* Copy) const;
  bool InTrash() const;
  TKindColorSet& MenuKind(TRoot& Root) override;

  std::string FParameters;
  std::string FWorkFolder;
  // Folders are never shortcuts, whatever their names.
  virtual bool MayBeShortcut() const { return true; }

 private:
  friend class TRoot;
  void IconThreadTerminate();
  // A shortcut's target as last read: kept apart, as only a few launchers have one.
  struct TShortcut {
    bool Read = false;
    std::int64_t WriteTime = -1;  // the file's, when it was read
    bool Resolved = false;        // the shell read a target
    std::string Target;           // its long form when it is there, else as the shell gave it
  };
  // Reads the shortcut again when its file changed since the last reading.
  void RefreshShortcut();
  std::unique_ptr<TShortcut> FShortcut;
  bool FIconPending = false;
  // A copy made from a launcher in the trash: pasted elsewhere it fetches its icon. A copy
  // holds no parent until it is added (the group it came from may be gone by then), so this
  // is all it keeps of where it came from.
  bool FCopiedFromTrash = false;
  int FRetrySkip = 0, FRetryGap = 1;  // RetryIcon's rounds to pass, and the next gap
  std::unique_ptr<TSeekIconThread> FIconThread;
};

class TLauncherExec : public TLauncher {
 public:
  using TLauncher::TLauncher;
};

class TLauncherFolder : public TLauncher {
 public:
  explicit TLauncherFolder(TExecItem* AParent);
  void SaveToStream(TStream& Stream) override;
  void LoadFromStream(TStream& Stream) override;
  std::unique_ptr<TExecItem> Clone() override;
  void Execute(void* Sender) override;
  bool FileMissing() override;

  const std::string& ExplorerOption() const { return FExplorerOption; }
  void SetFolderExplorerOption(const std::string& Value) {
    Edit(FExplorerOption, FieldLine(Value));
  }

 protected:
  TKindColorSet& MenuKind(TRoot& Root) override;
  bool MayBeShortcut() const override { return false; }
  void WriteField(TStream& Stream, TField Field) override;
  void ApplyField(TField Field, const std::string& Line) override;

 private:
  std::string FExplorerOption;
};

class TLauncherURL : public TLauncher {
 public:
  explicit TLauncherURL(TExecItem* AParent);
  // Stores the URL and shows it in the row; a URL has no icon to fetch.
  void SetFileName(const std::string& Value) override;
  void SaveToStream(TStream& Stream) override;
  void LoadFromStream(TStream& Stream) override;
  std::unique_ptr<TExecItem> Clone() override;
  void Execute(void* Sender) override;
  bool FileMissing() override { return false; }
  void FetchIcon() override { FImageIndex = 4; }

 protected:
  TKindColorSet& MenuKind(TRoot& Root) override;
};

// Walks every item below a root once, in pre-order. The tree must not change meanwhile.
class TExecItemIterator {
 public:
  explicit TExecItemIterator(TCompositeItem* ARoot);
  void Next();
  bool Done() const { return FDone; }
  TExecItem* Current() const { return FCurrent; }
  TCompositeItem* RootItem() const { return FRootItem; }

 private:
  TCompositeItem* FRootItem;
  TExecItem* FCurrent;
  bool FDone = false;
  std::vector<int> FIndexes;  // the index of each item on the path below the root
};

void FillListView(TCompositeItem* AGroup);
void InvalidateTreeNode(TTreeNode* ANode);
std::string ExpandLongPath(const std::string& Path);
// The long form, or Path as it is when it has none: the form the watcher compares.
std::string LongPathOrAsIs(const std::string& Path);
// A count one run higher; a count at the top of its range stays there.
inline int OneMore(int Count) { return Count < 2147483647 ? Count + 1 : Count; }
std::string GetLongName(const std::string& Path);
std::unique_ptr<TIcon> GetFileIcon(const std::string& Path, bool Large);

// One row drawn as the launcher menu draws an entry, for the dialogs' colour previews: L, T
// and W place it, its height follows the canvas's font as an entry's does; picture 0 (the
// group's) of Images, then Text in Font, in the normal or the selected colours of Colors.
void DrawMenuSample(TCanvas& Canvas, int L, int T, int W, const TColorSet& Colors,
                    const TFont& Font, const std::string& Text, bool Selected,
                    const TImageList* Images);

// The refusal of a data file whose line Line (from 1) could not be read, for Reason.
std::string CannotReadDataLineText(const std::string& Path, int Line, const std::string& Reason);

std::string ReadLine(TStream& Stream);
void WriteLine(TStream& Stream, const std::string& Text);

}  // namespace lantern
