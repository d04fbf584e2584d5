#pragma once
// The program's entry and its main window, TLanternMain: the owner of the launcher tree and
// of the parts that work on it (the settings store, the watcher, the pointer, the editing
// commands, the dragging), the views and the commands' actions, the timer that drives the
// background duties, saving, and the way the program stays resident and ends.
#include <memory>
#include <string>
#include <vector>

#include "main/Commands.h"
#include "main/DragDrop.h"
#include "main/Pointer.h"
#include "main/Settings.h"
#include "main/Watcher.h"
#include "model/PopupMenuEx.h"
#include "model/Root.h"
#include "model/Search.h"
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
  // The commands' pictures at the window's small icon size; 9 is the notification area's icon.
  std::unique_ptr<TImageList> ButtonImage;
  static constexpr int ButtonPictures = 18;
  static constexpr int FirstButtonId = 200;  // the resource of the first button's picture
  static constexpr int TrayButton = 9;       // the button whose picture the tray icon shows
  // The most the end of the program waits for icon fetches that a share holds.
  static constexpr int ExitFetchWaitMs = 1000;
  TTimer Timer1;
  TMainMenu MainMenu2;

  // Commands of the main window; the editing ones run in the commands part.
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
  TAction AddGroup{"グループの新規作成(&G)", [this] { FCommands->AddGroupExecute(); }};
  TAction AddLauncher{"ランチャの新規作成(&L)", [this] { FCommands->AddLauncherExecute(); }};
  TAction AddLauncherURL{"URLランチャの新規作成(&U)",
                         [this] { FCommands->AddLauncherURLExecute(); }};
  TAction AddLauncherFolder{"フォルダランチャの新規作成(&F)",
                            [this] { FCommands->AddLauncherFolderExecute(); }};
  TAction MoveRecycled{"ゴミ入れに移動(&R)", [this] { FCommands->MoveRecycledExecute(); }};
  TAction DeleteObj{"完全削除(&D)", [this] { FCommands->DeleteObjExecute(); }};
  TAction EmptyTrashAction{"ゴミ入れを空にする(&E)",
                           [this] { FCommands->EmptyTrashActionExecute(); }};
  TAction CopyObject{"コピー(&C)", [this] { FCommands->CopyObjectExecute(); }};
  TAction CutObject{"切り取り(&T)", [this] { FCommands->CutObjectExecute(); }};
  TAction PasteObject{"貼り付け(&P)", [this] { FCommands->PasteObjectExecute(); }};
  TAction ObjPropertyAction{"ランチャのプロパティ(&S)",
                            [this] { FCommands->ObjPropertyActionExecute(); }};
  TAction CheckNoLinkAction{"リンク先のないものを削除(&X)",
                            [this] { FCommands->CheckNoLinkActionExecute(); }};
  TAction UpObjectAction{"一つ上に(&U)", [this] { FCommands->UpObjectActionExecute(); }};
  TAction DownObjectAction{"一つ下に(&V)", [this] { FCommands->DownObjectActionExecute(); }};
  TAction OpenExplorerAction{"オリジナルをエクスプローラで開く(&O)",
                             [this] { FCommands->OpenExplorerActionExecute(); }};
  TAction ScreenSaverExecute{"スクリーンセーバーの起動(&S)",
                             [this] { ScreenSaverExecuteExecute(); }};
  TAction ExitWindowsAction{"Windowsの終了(&Q)", [this] { ExitWindowsActionExecute(); }};
  TAction EnvSetAction{"設定(&E)", [this] { EnvSetActionExecute(); }};
  // The search window: from the program's menu at the pointer, where Enter starts the
  // launcher; from the main window (Ctrl+F) over it, where Enter shows it in the views.
  TAction SearchAction{"ランチャを検索(&S)", [this] { SearchActionExecute(); }};
  TAction FindAction{"ランチャを検索(&S)", [this] { FindActionExecute(); }};
  TAction ImportStartMenuAction{"スタートメニューから取り込む(&I)",
                                [this] { ImportStartMenuExecute(); }};
  TAction AboutAction{"バージョン情報(&A)", [this] { AboutActionExecute(); }};
  TAction HelpAction{"ヘルプ目次(&H)", [this] { HelpActionExecute(); }};
  TAction GoWebSiteAction{"VE Diduvode Siteへ行く(&W)", [this] { GoWebSiteActionExecute(); }};

  TPopupMenu ListViewPopup;
  TPopupMenu TreeViewPopup;
  TPopupMenu SystemPopup;
  TPopupMenuEx LauncherMenu;  // the launcher tree as a menu, rebuilt after it changed
  TPopupMenuEx GroupMenu;     // a group chosen in the search window

  // The state other parts share with the window: a menu opened through the icon is open (the
  // hot key and the chasing window open one too); items are cut and not yet pasted.
  bool MenuShowing() const { return FPointer->MenuShowing(); }
  void SetMenuShowing(bool Value) { FPointer->SetMenuShowing(Value); }
  // Cut items wait for their paste: Cut is off, Paste on, and the status bar says the
  // watcher rests meanwhile.
  bool CutPending() const { return FCommands->CutPending(); }
  void SetCutPending(bool Value) { FCommands->SetCutPending(Value); }
  bool ClipboardFilled() const { return FCommands->ClipboardFilled(); }
  void SetClipboardFilled(bool Value) { FCommands->SetClipboardFilled(Value); }
  TEditCommands& Commands() const { return *FCommands; }
  bool Dragging() const { return FDragging->Dragging(); }
  bool Sweeping() const { return FCommands->Sweeping(); }
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
  TForm* SearchForm() const { return FSearchForm; }

 private:
  // Events and commands.
  void FormShow();
  // What only a shown window needs, made before its first showing: the pictures of the bar
  // and the views, the drop target.
  void PrepareShowing();
  // The tool bar's, the views' and the notification area's pictures at the window's scale.
  void MakeDpiPictures();
  TIcon TrayIcon() const;
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
  // The tree saved within a second or two of its last edit, unless a command holds it.
  void SaveEditsSoon();
  void LanternPropertyExecute();
  void OpenObjectExecute();
  void UpperFolderOpenExecute();
  void RenameActionExecute();
  void AboutActionExecute();
  // The commands that open other windows or the system's functions.
  void EnvSetActionExecute();
  void SearchActionExecute();
  void ImportStartMenuExecute();
  void FindActionExecute();
  // The search window at the screen point; InWindow: chosen for the views, not started.
  void OpenSearch(int X, int Y, bool InWindow);
  // What the search window chose, as a click in the launcher menu would have it.
  void RunChosen(TExecItem& Item, bool Folder, int X, int Y);
  void ShowInViews(TExecItem& Item);
  void HelpActionExecute();
  void GoWebSiteActionExecute();
  void ScreenSaverExecuteExecute();
  void ExitWindowsActionExecute();
  // Paste and Cut as the clipboard's state has them, and the status bar.
  void UpdateClipboardActions();
  // The commands that change the tree, which rest while a command holds it.
  std::vector<TAction*> TreeCommands();
  // Enables the commands by the active view, its selection and focus.
  void UpdateActions();
  // The keys of both views (ListView1KeyDown, TreeView1KeyDown): those of ViewKeys, Esc and
  // Shift+F10.
  void ViewKeyDown(TWinControl* Sender, unsigned& Key, unsigned Shift);
  void SelectAllRows();  // Ctrl+A in the list
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
  std::unique_ptr<TEditCommands> FCommands;
  std::unique_ptr<TViewDragging> FDragging;
  // The holds of the tree's guard by each open modal loop.
  std::vector<std::unique_ptr<TTreeGuard::THold>> FModalHolds;
  // What the data file has: TreeEdits() at the last save and at the last tick; the ticks
  // since the edits last moved and since the first one not saved.
  std::uint64_t FSavedEdits = 0, FSeenEdits = 0;
  int FQuietTicks = 0, FUnsavedTicks = 0;
  int FSaveRetryTicks = 0;  // after a failed save, ticks before the next try
  bool FAutoSaveTold = false;
  bool FExiting = false;
  bool FFirstShow = true;
  bool FShowingPrepared = false;
  int FIconCountdown = 250;
  int FSortDirection[2] = {1, 1};  // per list column: +1 ascending next, -1 descending

  TForm* FAboutForm = nullptr;
  TForm* FSearchForm = nullptr;                    // shown now
  std::unique_ptr<TLauncherSearch> FSearch;        // made at the first search
  std::unique_ptr<TTreeGuard::THold> FEnvSetHold;  // the settings dialog is open

  std::vector<std::string> FArgs;
  std::string FSaveError;         // why the last save at a close request failed
  std::string FBackupError;       // a backup that failed, until the user has been told
  bool FBackupTold = false;       // told once a run
  bool FSavedForSession = false;  // the session's query has saved everything
};

}  // namespace lantern
