#pragma once
// The program's entry and its main window, TLanternMain: the owner of the launcher tree and
// of everything the program keeps running, the settings it reads and writes, the timer that
// drives the background duties, and the way the program stays resident and ends.
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "main/Pointer.h"
#include "main/Settings.h"
#include "main/Watcher.h"
#include "model/ExecObj.h"
#include "model/PopupMenuEx.h"
#include "shell/DropTarget.h"
#include "shell/TaskTray.h"
#include "ui/Application.h"
#include "ui/Bars.h"
#include "ui/Form.h"
#include "ui/ImageList.h"
#include "ui/ListView.h"
#include "ui/Menus.h"
#include "ui/Splitter.h"
#include "ui/Timer.h"
#include "ui/TreeView.h"

namespace lantern {

// Names shared between instances of the program.
extern const char* const LanternMutexName;     // "hLantern for Windows"
extern const char* const ActivateMessageName;  // "ZR Lantern Active"
extern const char* const MainWindowClass;      // "TLanternMain"

// The program: a second start hands its arguments to the running instance and ends; the
// first runs the main window until the program ends. Args are the command line's paths;
// Unusable those that had characters without a CP932 form (they name no file the program can
// reach, and are reported, with those characters written as <U+D55C>). Relative paths of
// either kind are taken in the current folder. The exit code.
int LanternEntry(const std::vector<std::string>& Args,
                 const std::vector<std::u16string>& Unusable = {});

// The questions asked before items are deleted for good, which cannot be undone; No is the
// default answer. One item is named, several are counted; the trash's items are counted.
std::string DeleteItemQuestion(const std::string& Name);
std::string DeleteItemsQuestion(int Count);
std::string EmptyTrashQuestion(int Count);

// One point, for the chasing window's offset.
struct TPoint {
  int X = 0, Y = 0;
};

class TLanternMain : public TForm, private TSettingsTarget {
 public:
  // The window's creation (FormCreate) with the command line's arguments.
  explicit TLanternMain(std::vector<std::string> Args);
  // FormDestroy.
  ~TLanternMain() override;

  // Components.
  TToolBar ToolBar1{this};
  TTreeView TreeView1{this};
  TSplitter Splitter1{this, &TreeView1};
  TListView ListView1{this};
  TStatusBar StatusBar1{this};
  TImageList ImageList1;
  TImageList ButtonImage;  // the commands' pictures; 9 is the notification area's icon
  static constexpr int ButtonPictures = 18;
  // The most the end of the program waits for icon fetches that a share holds.
  static constexpr int ExitFetchWaitMs = 1000;
  TTimer Timer1;
  TMainMenu MainMenu2;

  // Commands of the main window (the editing commands join them).
  TAction LanternProperty{"ランタンのプロパティ(&P)", [this] { LanternPropertyExecute(); }};
  TAction StationAction{"常駐(&T)", [this] { StationActionExecute(); }};
  TAction ExitAction{"終了(&X)", [this] { ExitActionExecute(); }};
  TAction SaveService{"データファイルの保存(&S)", [this] { SaveServiceExecute(); }};
  TAction LoadService{"データファイルの読み込み(&R)", [this] { LoadServiceExecute(); }};
  TAction GetEmptyIcon{"ランチャアイコン取得", [this] { GetEmptyIconExecute(); }};
  // The view commands.
  TAction OpenObject{"開く(&O)", [this] { OpenObjectExecute(); }};
  TAction UpperFolderOpen{"一つ上のグループへ(&B)", [this] { UpperFolderOpenExecute(); }};
  TAction RenameAction{"名前変更(&N)", [this] { RenameActionExecute(); }};
  // The two switches of the mouse features.
  TAction MouseFormToggleAction{"追っかけマウス(&O)", [this] {
                                  SetMouseFormEnabled(!Settings().MouseFormEnabled);
                                  SaveSettings();
                                }};
  TAction UchidenoKodutiToggleAction{"打ち出の小槌(&U)", [this] {
                                       SetUchidenoKoduti(!Settings().UchidenoKoduti);
                                       SaveSettings();
                                     }};
  // The editing commands and the other windows.
  TAction AddGroup{"グループの新規作成(&G)", [this] { AddGroupExecute(); }};
  TAction AddLauncher{"ランチャの新規作成(&L)", [this] { AddLauncherExecute(); }};
  TAction AddLauncherURL{"URLランチャの新規作成(&U)", [this] { AddLauncherURLExecute(); }};
  TAction AddLauncherFolder{"フォルダランチャの新規作成(&F)",
                            [this] { AddLauncherFolderExecute(); }};
  TAction MoveRecycled{"ゴミ入れに移動(&R)", [this] { MoveRecycledExecute(); }};
  TAction DeleteObj{"完全削除(&D)", [this] { DeleteObjExecute(); }};
  TAction EmptyTrashAction{"ゴミ入れを空にする(&E)", [this] { EmptyTrashActionExecute(); }};
  TAction CopyObject{"コピー(&C)", [this] { CopyObjectExecute(); }};
  TAction CutObject{"切り取り(&T)", [this] { CutObjectExecute(); }};
  TAction PasteObject{"貼り付け(&P)", [this] { PasteObjectExecute(); }};
  TAction ObjPropertyAction{"ランチャのプロパティ(&S)", [this] { ObjPropertyActionExecute(); }};
  TAction CheckNoLinkAction{"リンク先のないものを削除(&X)", [this] { CheckNoLinkActionExecute(); }};
  TAction UpObjectAction{"一つ上に(&U)", [this] { UpObjectActionExecute(); }};
  TAction DownObjectAction{"一つ下に(&V)", [this] { DownObjectActionExecute(); }};
  TAction OpenExplorerAction{"オリジナルをエクスプローラで開く(&O)",
                             [this] { OpenExplorerActionExecute(); }};
  TAction ScreenSaverExecute{"スクリーンセーバーの起動(&S)",
                             [this] { ScreenSaverExecuteExecute(); }};
  TAction ExitWindowsAction{"Windowsの終了(&Q)", [this] { ExitWindowsActionExecute(); }};
  TAction EnvSetAction{"設定(&E)", [this] { EnvSetActionExecute(); }};
  TAction AboutAction{"バージョン情報(&A)", [this] { AboutActionExecute(); }};
  TAction HelpAction{"ヘルプ目次(&H)", [this] { HelpActionExecute(); }};
  TAction GoWebSiteAction{"VE Diduvode Siteへ行く(&W)", [this] { GoWebSiteActionExecute(); }};

  TPopupMenu ListViewPopup;
  TPopupMenu TreeViewPopup;
  TPopupMenu SystemPopup;
  TPopupMenuEx LauncherMenu;  // the launcher tree as a menu, rebuilt after it changed

  // The state other parts share with the window: a menu opened through the icon is open (the
  // hot key and the chasing window open one too); items are cut and not yet pasted.
  bool MenuShowing() const { return FPointer->MenuShowing(); }
  void SetMenuShowing(bool Value) { FPointer->SetMenuShowing(Value); }
  bool CutPending() const { return FCutPending; }
  // Cut items wait for their paste: Cut is off, Paste on, and the status bar says the
  // watcher rests meanwhile.
  void SetCutPending(bool Value);
  bool ClipboardFilled() const { return FClipboardFilled; }
  void SetClipboardFilled(bool Value);
  // What the drop target hands over: a file or folder path, or a named URL, each becoming a
  // launcher in the current group.
  void AddDroppedFile(const std::string& Path);
  void AddDroppedURL(const std::string& Name, const std::string& URL);
  bool Dragging() const { return FDragHold != nullptr; }
  // The sweep of dead launchers walks the tree while messages are handled: until it ends,
  // nothing may change the tree (edits, drops and drags wait or are refused).
  bool Sweeping() const { return FSweepHold != nullptr; }
  // A command waits in a loop over the tree (a dialog, a message box, the sweep, a drag):
  // the commands that change the tree are off, and changes from outside wait.
  bool TreeHeld() const { return FRoot->Guard().Held(); }
  TRoot* Root() const { return FRoot.get(); }
  TTaskTray* Tray() const { return FTray.get(); }
  // Files, folders and URLs dropped on the window by other programs.
  TDropFileTarget* FileDropTarget() const { return FFileDropTarget.get(); }

  static unsigned ActivateMessage;

  // The settings, kept in the registry by the store; the main window follows them.
  const TSettings& Settings() const { return FStore->Values(); }
  TSettingsStore& SettingsStore() { return *FStore; }
  bool DataFileNameChanged() const { return FStore->DataFileNameChanged(); }
  void SetDataFileNameChanged(bool Value) { FStore->SetDataFileNameChanged(Value); }
  void SaveSettings() { FStore->Save(); }
  template <typename T, typename V>
  void SetSetting(T TSettings::*Member, V Value) {
    FStore->Update([&](TSettings& S) { S.*Member = Value; });
  }
  void SetDispRegisterIcon(bool Value) { SetSetting(&TSettings::DispRegisterIcon, Value); }
  void SetIconLeftClickPopupMenu(bool Value) {
    SetSetting(&TSettings::IconLeftClickPopupMenu, Value);
  }
  void SetMouseFormEnabled(bool Value) { SetSetting(&TSettings::MouseFormEnabled, Value); }
  void SetUchidenoKoduti(bool Value) { SetSetting(&TSettings::UchidenoKoduti, Value); }
  void SetHotKeyEnabled(bool Value) { SetSetting(&TSettings::HotKeyEnabled, Value); }
  void SetHotKey(int Value) { SetSetting(&TSettings::HotKey, Value); }
  void SetHotKeyModifiers(bool Ctrl, bool Shift, bool Alt) {
    FStore->Update([&](TSettings& S) {
      S.HotKeyCtrl = Ctrl;
      S.HotKeyShift = Shift;
      S.HotKeyAlt = Alt;
    });
  }
  void SetMouseFormWidth(int Value) { SetSetting(&TSettings::MouseFormWidth, Value); }
  void SetMouseFormHeight(int Value) { SetSetting(&TSettings::MouseFormHeight, Value); }
  void SetMouseFormColor(int Value) { SetSetting(&TSettings::MouseFormColor, Value); }
  void SetMouseFormOffset(TPoint Value) {
    FStore->Update([&](TSettings& S) {
      S.MouseFormOffsetX = Value.X;
      S.MouseFormOffsetY = Value.Y;
    });
  }
  void SetUseWatchApp(bool Value) { SetSetting(&TSettings::UseWatchApp, Value); }
  void SetNotWatchNetwortApp(bool Value) { SetSetting(&TSettings::NotWatchNetwortApp, Value); }
  void SetWatchAppInterval(int Value) { SetSetting(&TSettings::WatchAppInterval, Value); }
  void SetDataFileName(const std::string& Value) { SetSetting(&TSettings::DataFileName, Value); }
  void SetFixMenuPos(bool Value) { SetSetting(&TSettings::FixMenuPos, Value); }
  void SetMenuXPos(int Value) { SetSetting(&TSettings::MenuXPos, Value); }
  void SetMenuYPos(int Value) { SetSetting(&TSettings::MenuYPos, Value); }
  void SetMouseAppearInterval(int Value) { SetSetting(&TSettings::MouseAppearInterval, Value); }
  void SetWavingMouse(bool Value) { SetSetting(&TSettings::WavingMouse, Value); }
  void SetUchideMovingCount(int Value) { SetSetting(&TSettings::UchideMovingCount, Value); }
  void SetUchideLeftFast(bool Value) { SetSetting(&TSettings::UchideLeftFast, Value); }
  void SetUchideRangeX(int Value) { SetSetting(&TSettings::UchideRangeX, Value); }

  // The hot key, the chasing window and the gesture; the application watcher.
  TPointer& Pointer() const { return *FPointer; }
  TWatcher& Watcher() const { return *FWatcher; }
  TMouseForm* MouseForm() const { return FPointer->MouseForm(); }

  // The first showing: with paths the window shows and adds them; without, the program only
  // takes its place in the notification area and the window is never shown, so the window
  // the user was in keeps the foreground.
  void Launch();

  // A key of the views and the command it runs. The menus show ShortCut after the command's
  // caption, and the views run the command by this table, so that the two always agree.
  struct TViewKey {
    unsigned ShortCut;  // the key with the modifiers it is shown with
    unsigned Looked;    // the modifiers it is told apart by; others held do not matter
    TAction TLanternMain::*Action;
    bool InTree;  // every key works in the list; these in the tree as well
    // With its command off the key is still used up, or else goes on to the view (Shift+Up
    // then extends the selection).
    bool UsedWhenOff;
  };
  static const std::vector<TViewKey>& ViewKeys();

  const std::vector<std::string>& Arguments() const { return FArgs; }
  // The version window while it is open (the hot key leaves it alone).
  TForm* AboutForm() const { return FAboutForm; }

 private:
  // Events and commands.
  void FormShow();
  void FormCloseQuery(bool& CanClose);
  // The end of the Windows session: the query saves everything and answers; the program ends
  // only when the session really ends, and stays resident when another program cancels it.
  void FormQueryEndSession(bool& CanEnd);
  void FormEndSession(bool Ending);
  void AppMessage(TMessage& Msg, bool& Handled);
  void Timer1Timer();
  void AddFromPath(const std::string& Path);
  void ListView1ColumnClick(int Column);
  // Column 0 ("名前"): groups first, then by name; column 1 ("ファイル名"): by file name.
  // Both without regard to case, as the user's locale compares texts.
  int ListView1Compare(const TListItem* Item1, const TListItem* Item2, int Column);
  void RefreshListKeepingSelection();
  // A view's name is being edited in place: its rows must stay.
  bool ViewEditing() const { return ListView1.Editing() || TreeView1.Editing(); }
  // Changes from outside (another instance's path, a drop) run now or once the tree is free.
  void RunWhenTreeFree(std::function<void()> Change);
  // The tree saved within a second or two of its last edit, unless a command holds it.
  void SaveEditsSoon();
  void LanternPropertyExecute();
  void OpenObjectExecute();
  void UpperFolderOpenExecute();
  void RenameActionExecute();
  // The property dialog of the launcher or group chosen in the active view; on OK the tree
  // takes the changes and is saved.
  void ObjPropertyActionExecute();
  void AboutActionExecute();
  // The editing commands (Commands.cpp).
  void AddGroupExecute();
  void AddLauncherExecute();
  void AddLauncherFolderExecute();
  void AddLauncherURLExecute();
  // A new launcher that the launcher dialog fills in, unshown with only its chooser or shown
  // (Show); kept in the current group when it came out with a file name.
  void AddNewLauncher(std::unique_ptr<TLauncher> Launcher, bool Show);
  // The items a removing command works on: the list's selection (Index: the first one's
  // row) or the tree's node. Raises Refusal when the trash is among them.
  std::vector<TExecItem*> CollectItems(const char* Refusal, int& Index);
  void ReselectRow(int Index);
  // Whether the user agrees to delete for good, asked with Question.
  bool ConfirmDeleteForGood(const std::string& Question);
  // Every delete for good ends here: takes the items (siblings, or none inside another of
  // them) out of their groups and frees them with their content.
  void DeleteForGood(const std::vector<TExecItem*>& Items);
  void DeleteObjExecute();
  void MoveRecycledExecute();
  void EmptyTrashActionExecute();
  void CopyObjectExecute();
  void CutObjectExecute();
  void PasteObjectExecute();
  void UpObjectActionExecute();
  void DownObjectActionExecute();
  void MoveSelected(int Step);
  void CheckNoLinkActionExecute();
  void OpenExplorerActionExecute();
  void EnvSetActionExecute();
  void HelpActionExecute();
  void GoWebSiteActionExecute();
  void ScreenSaverExecuteExecute();
  void ExitWindowsActionExecute();
  // Paste and Cut as the clipboard's state has them.
  void UpdateClipboardActions();
  // The items cut and waiting for their paste, in tree order (a cut group's own items are
  // carried with it).
  std::vector<TExecItem*> CutItems();
  // The commands that change the tree, which rest while a command holds it.
  std::vector<TAction*> TreeCommands();
  // Enables the commands by the active view, its selection and focus.
  void UpdateActions();
  // The item is the trash or a group that holds it: it can be neither moved nor deleted.
  bool HoldsTrash(const TExecItem* Item) const;
  // The keys of both views (ListView1KeyDown, TreeView1KeyDown): those of ViewKeys, Esc and
  // Shift+F10.
  void ViewKeyDown(TWinControl* Sender, unsigned& Key, unsigned Shift);
  void SelectAllRows();  // Ctrl+A in the list
  // Dragging inside the views (DragDrop.cpp): the list's rows within the current group, the
  // list's rows and the tree's groups into a group of the tree. X, Y: the view's client point.
  void SetUpDragging();
  void ListView1StartDrag(bool& Start);
  void TreeView1StartDrag(bool& Start);
  void ListView1DragOver(TDragControl* Source, int X, int Y, bool& Accept);
  void TreeView1DragOver(TDragControl* Source, int X, int Y, bool& Accept);
  void ListView1DragDrop(int X, int Y);
  void TreeView1DragDrop(int X, int Y);
  void ViewEndDrag();  // dropped or not
  void StationActionExecute();
  void ExitActionExecute();
  void SaveServiceExecute();
  void LoadServiceExecute();
  void GetEmptyIconExecute();
  void SetUpCommands();
  // The settings' target: the window's layout, and what follows a setting.
  void ReadLayout(TSettings& Into) const override;
  void SettingsChanged(unsigned Effects) override;

  static constexpr int PendingIconBudgetMs = 40;  // of each 200 ms tick

  std::unique_ptr<TDropFileTarget> FFileDropTarget;
  std::unique_ptr<TTaskTray> FTray;
  std::unique_ptr<TRoot> FRoot;
  std::unique_ptr<TSettingsStore> FStore;
  std::unique_ptr<TWatcher> FWatcher;
  std::unique_ptr<TPointer> FPointer;
  std::vector<TExecItem*> FDragItems;  // does not own them
  // The holds of the tree's guard: by the drag, by the sweep, by each open modal loop.
  std::unique_ptr<TTreeGuard::THold> FDragHold, FSweepHold;
  std::vector<std::unique_ptr<TTreeGuard::THold>> FModalHolds;
  // What the data file has: TreeEdits() at the last save and at the last tick; the ticks
  // since the edits last moved and since the first one not saved.
  std::uint64_t FSavedEdits = 0, FSeenEdits = 0;
  int FQuietTicks = 0, FUnsavedTicks = 0;
  int FSaveRetryTicks = 0;  // after a failed save, ticks before the next try
  bool FAutoSaveTold = false;
  std::vector<std::unique_ptr<TExecItem>> FClipboardItems;  // copies, until pasted
  bool FExiting = false;
  bool FCutPending = false;
  bool FClipboardFilled = false;
  bool FFirstShow = true;
  int FIconCountdown = 250;
  int FSortDirection[2] = {1, 1};     // per list column: +1 ascending next, -1 descending

  TForm* FAboutForm = nullptr;
  std::unique_ptr<TTreeGuard::THold> FEnvSetHold;  // the settings dialog is open

  std::vector<std::string> FArgs;
  std::string FSaveError;         // why the last save at a close request failed
  std::string FBackupError;       // a backup that failed, until the user has been told
  bool FBackupTold = false;       // told once a run
  bool FSavedForSession = false;  // the session's query has saved everything
};

}  // namespace lantern
