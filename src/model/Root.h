#pragma once
// The root of the launcher tree: the views it keeps in step with itself, the launcher menu it
// builds, the common colours and fonts of the menu's kinds, the masks of the watcher, the
// index of the launchers by path, and the guard that holds the tree while a command waits.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/ExecObj.h"
#include "model/FilterList.h"
#include "model/MenuPictures.h"
#include "model/TreeGuard.h"

namespace lantern {

// Colours and font of one item kind in the launcher menu.
class TKindColorSet {
 public:
  bool UseOwn() const { return FUseOwn; }
  const TColorSet& Colors() const { return FColors; }
  TFont& Font() { return FFont; }
  const TFont& Font() const { return FFont; }
  void SetUseOwn(bool Value) { FUseOwn = Value; }
  void SetColors(const TColorSet& Value) { FColors = Value; }

 private:
  bool FUseOwn = false;
  TColorSet FColors = DefaultColorSet;
  TFont FFont;
};

class TRoot : public TCompositeItem {
 public:
  TRoot();
  ~TRoot() override;

  // The views the tree keeps in step with itself, set once by the main window at start-up:
  // the group tree, the launcher list, the icon pictures and the list's small pictures.
  void SetListView(TListView* Value) { FListView = Value; }
  void SetTreeView(TTreeView* Value) { FTreeView = Value; }
  void SetImageList(TImageList* Value) { FImageList = Value; }
  void SetListImageList(TImageList* Value) { FListImageList = Value; }
  TListView* ListView() const { return FListView; }
  TTreeView* TreeView() const { return FTreeView; }
  TImageList* ImageList() const { return FImageList; }
  TImageList* ListImageList() const { return FListImageList; }
  // The start-up of the views: the list, the tree, the pictures and the list's pictures
  // registered in that order, the root's node at the top of the tree, the root current.
  void ShowInViews(TListView& List, TTreeView& Tree, TImageList& Images, TImageList& ListImages);
  // How folder launchers without an option of their own open the explorer.
  void SetExplorerOption(const std::string& Value) { FExplorerOption = Value; }
  const std::string& ExplorerOption() const { return FExplorerOption; }
  // The tree's trash: the one most recently constructed in it or added to it; none once
  // that one is freed.
  TRecycledFolder* RecycledFolder() const { return FRecycledFolder; }
  void SetRecycledFolder(TRecycledFolder* Value) { FRecycledFolder = Value; }
  // The font a launcher menu entry is measured and drawn with.
  TFont& MenuFont() { return FMenuFont; }
  // The launcher menu opens at the screen point: an entry is at most a third as wide as that
  // monitor (a long name ends in "..."), so that the menu never fills the screen.
  // The entries are measured and drawn at that monitor's DPI, with pictures of its small
  // icon size.
  void MenuOpensAt(int X, int Y);
  // A menu of a tree with nothing visible says so in two greyed rows, and offers to add a
  // launcher (OnAddLauncher: the main window's new-launcher command) or to import the Start
  // Menu's programs (OnImportStartMenu).
  static constexpr const char* EmptyMenuHints[] = {"ランチャはまだありません",
                                                   "取り込むか追加すると、ここに並びます"};
  static constexpr const char* ImportStartMenuCaption = "スタートメニューから取り込む(&I)...";
  static constexpr const char* AddLauncherCaption = "ランチャを追加(&A)...";
  std::function<void()> OnImportStartMenu, OnAddLauncher;
  int MenuWidthLimit() const { return FMenuWidthLimit; }
  int MenuDpi() const { return FMenuDpi; }
  void AddEmptyMenuHints(TMenuItem& Entries);
  // The launcher menu's pictures at its DPI: the 16 px list itself at 96, else a list of
  // that size made when first needed. Picture: the index in the 16 px list; FileName, where
  // a launcher's picture comes from. Images is set to the list, and the picture's index in
  // it is returned (-1: none).
  int MenuPicture(int Picture, const std::string& FileName, TImageList*& Images);
  // The same at Size pixels square, for a window of its own scale.
  int SizedPicture(int Size, int Picture, const std::string& FileName, TImageList*& Images);
  // The views' pictures at Size pixels (the window's small icon size): the 16 px list
  // itself at 16, else a list of that size numbered as the 16 px one, which the tree and
  // the list are given and which grows with it.
  void SetViewPictureSize(int Size);
  TImageList* ViewPictures() const { return FViewPictures ? FViewPictures.get() : FImageList; }
  // A launcher's picture into the 16 px list, and at the views' size; its index, or -1.
  // FileName: where it comes from, for the views' size and the menu's.
  int AddPicture(const TIcon& Icon, const std::string& FileName);
  // The views' list catches up with the 16 px list (a picture added by a thread).
  void SyncViewPictures();
  // Every picture but the fixed ones goes (a data file is about to load).
  void ForgetPictures();

  void SaveToStream(TStream& Stream) override;
  void LoadFromStream(TStream& Stream) override;

  TRoot* AsRoot() override { return this; }
  // Held by a command while it waits in a message loop; see TTreeGuard.
  TTreeGuard& Guard() { return FGuard; }

  void BeginShutdown() { FClosing = true; }
  bool Closing() const { return FClosing; }
  TCompositeItem* CurrentFolder() const { return FCurrentFolder; }
  void SetCurrentFolder(TCompositeItem* AGroup);
  void RefreshListView();
  // A field that is no number raises EConvertError with CannotReadDataLineText.
  void LoadFromFile(const std::string& FileName);
  // What LoadFromFile does once the file is open: replaces the tree with the one in Stream.
  void LoadTree(TStream& Stream);
  // A group read as marked current: while a file loads, the last one marked becomes current
  // once reading ends (a file marking thousands of groups must not refill the list each
  // time); otherwise at once.
  void NoteCurrentFolder(TCompositeItem* AGroup);
  // Writes a temporary file beside FileName and puts it in place in one step, so that a
  // failed save leaves the old file whole; the failure is raised all the same.
  void SaveToFile(const std::string& FileName);

  bool WatchChanged() const { return FWatchChanged; }
  void SetWatchChanged(bool Value) { FWatchChanged = Value; }
  bool MenuDirty() const { return FMenuDirty; }
  void SetMenuDirty(bool Value) { FMenuDirty = Value; }
  bool MoveFirstPosition() const { return FMoveFirstPosition; }
  void SetMoveFirstPosition(bool Value) { FMoveFirstPosition = Value; }
  bool UpperFirst() const { return FUpperFirst; }
  void SetUpperFirst(bool Value) { FUpperFirst = Value; }
  TFont& Font() { return FFont; }
  void SetFont(const TFont& AFont) { FFont.Assign(AFont); }
  // Fills Entries (nullptr: Menu's top level) with the tree when MenuDirty says it changed.
  void BuildMenu(TPopupMenu* Menu, TMenuItem* Entries);
  TKindColorSet& GroupColors() { return FGroupColors; }
  TKindColorSet& LauncherColors() { return FLauncherColors; }
  TKindColorSet& FolderLauncherColors() { return FFolderLauncherColors; }
  TKindColorSet& URLLauncherColors() { return FURLLauncherColors; }
  TFilterList& Filters() { return *FFilters; }
  // The watcher's find: Path, an existing program that no exclusion mask rules out, either
  // counts as a start of the launcher that has it (anywhere, the trash too) or becomes a new
  // launcher at the end of the root. Whether one was added.
  bool AddRunningFile(const std::string& Path);
  // The same for a Path the caller already knows to exist; with MayAdd false a program the
  // tree does not have is only passed over.
  bool AddExistingRunningFile(const std::string& Path, bool MayAdd);

  // While a data file loads, launchers only note that their icon is wanted: asking the shell
  // for thousands of icons would hold the start-up for many seconds. The main window's timer
  // then fetches them a few at a time, each call for about BudgetMs milliseconds.
  bool DeferIcons() const { return FDeferIcons; }
  // Launchers added meanwhile only note that their icon is wanted (FetchPendingIcons).
  void SetDeferIcons(bool Value) { FDeferIcons = Value; }
  bool IconsPending() const { return FPendingIcons > 0; }
  void NotePendingIcon() { ++FPendingIcons; }
  // Counts again the launchers at or below Item whose icons are still pending: Item has come
  // (back) into the tree, and the count forgot them when they were out of it.
  void NotePendingIcons(TExecItem* Item);
  void FetchPendingIcons(int BudgetMs);

 private:
  enum class TStillRunning { Unknown, Still, Changed };
  // Path's launchers when every one of them and every group above them was running at the
  // last scan: the full walk would then only mark them running, which this does without it.
  // Unknown: no launcher has Path. Changed: the walk has counting or moving to do.
  TStillRunning MarkStillRunning(const std::string& Path);

  std::unique_ptr<TFilterList> FFilters;
  TTreeGuard FGuard;
  // Launchers by path, as of TreeChanges() == FPathIndexAt.
  std::unordered_map<std::string, std::vector<TExecItem*>> FPathIndex;
  std::uint64_t FPathIndexAt = ~std::uint64_t(0);
  bool FDeferIcons = false;
  int FPendingIcons = 0;
  bool FLoading = false;
  TCompositeItem* FLoadedCurrent = nullptr;  // the last group read as current
  bool FClosing = false;
  TCompositeItem* FCurrentFolder = nullptr;
  bool FWatchChanged = false;
  bool FMenuDirty = false;
  bool FMoveFirstPosition = true;
  bool FUpperFirst = true;
  TFont FFont;
  TKindColorSet FGroupColors, FLauncherColors, FFolderLauncherColors, FURLLauncherColors;
  TFont FMenuFont;
  int FMenuWidthLimit = INT32_MAX;  // none until the menu first opens
  int FMenuDpi = 96;
  std::map<int, TSizedPictures> FMenuPictures;  // the menu's lists of other sizes, by size
  std::unique_ptr<TImageList> FViewPictures;    // none at 16 px
  std::vector<std::string> FPictureFiles;       // each 16 px picture's file ("": not known)
  TListView* FListView = nullptr;
  TTreeView* FTreeView = nullptr;
  TImageList* FImageList = nullptr;
  TImageList* FListImageList = nullptr;
  std::string FExplorerOption;
  TRecycledFolder* FRecycledFolder = nullptr;
};

}  // namespace lantern
