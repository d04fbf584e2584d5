#include "main/Main.h"

#include "base/Cp932.h"
#include "base/Exception.h"
#include "base/Path.h"
#include "dialogs/LauncherProperty.h"
#include "shell/DropBlocks.h"
#include "shell/DropTarget.h"
#include "ui/Application.h"
#include "ui/Dialogs.h"
#include "ui/Dpi.h"
#include "ui/FileSystem.h"
#include "ui/Processes.h"
#include "ui/Shell.h"
#include "ui/System.h"
#include "ui/Thread.h"
#include "ui/UpdateBracket.h"
#include "ui/Widgets.h"

namespace lantern {

const char* const LanternMutexName = "hLantern for Windows";
const char* const ActivateMessageName = "ZR Lantern Active";
const char* const MainWindowClass = "TLanternMain";

unsigned TLanternMain::ActivateMessage = 0;

namespace {

std::string PathList(const std::vector<std::string>& Paths) {
  std::string Text;
  for (const std::string& Path : Paths) Text += "\r\n" + Path;
  return Text;
}

void ReportUnusable(const std::vector<std::string>& Unusable) {
  if (!Unusable.empty()) MessageDlg(UnusablePathsText(Unusable), TMsgDlgType::Error, mbOK);
}

// Paths without a CP932 form as the refusal names them: each character that CP932 cannot
// write as <U+D55C> (a '?' would not tell which), in the folder of this start, as the paths
// handed over are.
std::vector<std::string> DescribeUnusable(const std::vector<std::u16string>& Unusable) {
  std::vector<std::string> Described;
  for (const std::u16string& Path : Unusable)
    Described.push_back(System().FullPathName(DescribeWide(Path, PlatformWideToCp932)));
  return Described;
}

}  // namespace

int LanternEntry(const std::vector<std::string>& Args,
                 const std::vector<std::u16string>& UnusableArgs) {
  TSystem& Sys = System();
  TLanternMain::ActivateMessage = Sys.RegisterMessage(ActivateMessageName);
  // A relative path means the folder this start was made in, which the running instance does
  // not know.
  std::vector<std::string> Paths;
  for (const std::string& Arg : Args) Paths.push_back(Sys.FullPathName(Arg));
  const std::vector<std::string> Unusable = DescribeUnusable(UnusableArgs);
  if (Sys.MutexExists(LanternMutexName)) {
    // Another instance runs: hand it the paths (the first one deletes the atoms).
    if (void* Window = Sys.FindWindowByClass(MainWindowClass)) {
      std::vector<std::string> NotHanded;
      if (Paths.empty() && Unusable.empty()) Sys.Post(Window, TLanternMain::ActivateMessage, 0, 0);
      for (const std::string& Path : Paths) {
        // An atom holds at most 255 characters.
        if (unsigned Atom = Sys.AddAtom(Path))
          Sys.Post(Window, TLanternMain::ActivateMessage, Atom, 0);
        else
          NotHanded.push_back(Path);
      }
      Application().SetTitle("ランタン for Windows");
      ReportUnusable(Unusable);
      if (!NotHanded.empty())
        MessageDlg("次のパスを起動中のランタンに渡せませんでした(パスが長すぎます)。" +
                       PathList(NotHanded),
                   TMsgDlgType::Error, mbOK);
    }
    return 0;
  }
  Sys.CreateInstanceMutex(LanternMutexName);
  SetWidgets(PlatformWidgets());
  Application().SetTitle("ランタン for Windows");
  int ExitCode = 0;
  OleSetUp();  // before the main window, whose drop target needs it
  try {
    TLanternMain Main(Paths);
    // A failure of the first showing (no icon in the notification area) is reported; the
    // program runs on with its window shown.
    Application().Guard([&] { Main.Launch(); });
    ReportUnusable(Unusable);
    Application().Run();
  } catch (const std::exception& E) {
    Application().ShowException(E);
    ExitCode = 1;
  }
  OleTearDown();
  Sys.ReleaseMutex();
  return ExitCode;
}

TLanternMain::TLanternMain(std::vector<std::string> Args)
    : TForm(MainWindowClass), FArgs(std::move(Args)) {
  for (TPopupMenuEx* Menu : {&LauncherMenu, &GroupMenu}) {
    Menu->SetImages(&ImageList1);
    Menu->SetOwnerDraw(true);
  }
  LauncherMenu.OnDonePopup = [this](TPopupMenuEx*) {
    if (FPointer) FPointer->SetMenuShowing(false);
    // The hot key pressed again while the menu was open: the search window where it was.
    if (FPointer && FPointer->TakeSearchWanted())
      OpenSearch(LauncherMenu.PopupX, LauncherMenu.PopupY, false);
  };
  // The entries point at the tree's items: a change not yet rebuilt by the timer (an item
  // deleted a moment ago) is rebuilt now, and the timer leaves the entries alone while the
  // menu is open, however it was opened.
  LauncherMenu.OnPopup = [this](TPopupMenu*) {
    FRoot->BuildMenu(&LauncherMenu, nullptr);
    FRoot->MenuOpensAt(LauncherMenu.PopupX, LauncherMenu.PopupY);
    LauncherMenu.SetDpi(FRoot->MenuDpi());
    if (FPointer) FPointer->SetMenuShowing(true);
  };
  FFileDropTarget = std::make_unique<TDropFileTarget>();
  FFileDropTarget->OnDropFile = [this](TDropFileTarget*, const std::string& FileName) {
    FCommands->AddDroppedFile(FileName);
  };
  FFileDropTarget->OnDropURL = [this](TDropFileTarget*, const std::string& Name,
                                      const std::string& URL) {
    FCommands->AddDroppedURL(Name, URL);
  };
  FTray = std::make_unique<TTaskTray>(this);
  FTray->SetTipString("ランタン");
  FTray->SetPopupMenuL(&LauncherMenu);
  FTray->SetPopupMenuR(&SystemPopup);
  SetCaption("ランタン for Windows");
  TreeView1.SetAlign(TAlign::Left);
  TreeView1.SetImages(&ImageList1);
  ListView1.SetAlign(TAlign::Client);
  ListView1.AddColumn("名前", 0);  // the widths come with the settings
  ListView1.AddColumn("ファイル名", 0);
  // Group, current group, trash, current trash, URL launcher: made when a menu or a view
  // first shows a picture (a resident start may never need them).
  for (int Id = FirstPictureId; Id < FirstPictureId + FixedPictures; ++Id)
    ImageList1.AppendLater([Id] { return System().ResourceIcon(Id, 16); });
  SetUpCommands();
  Timer1.SetInterval(200);
  Timer1.OnTimer = [this](TTimer*) { Timer1Timer(); };
  ListView1.OnColumnClick = [this](TListView*, int Column) { ListView1ColumnClick(Column); };
  OnBeforeShow = [this](TWinControl*) { PrepareShowing(); };
  OnShow = [this](TWinControl*) { FormShow(); };
  OnCloseQuery = [this](TForm*, bool& CanClose) { FormCloseQuery(CanClose); };
  // OLE lets go of the drop target only while the window it was registered for exists.
  OnClose = [this](TWinControl*) {
    Application().Guard([this] { FFileDropTarget->RevokeTarget(); });
  };
  OnQueryEndSession = [this](TForm*, bool& CanEnd) { FormQueryEndSession(CanEnd); };
  OnEndSession = [this](TForm*, bool Ending) { FormEndSession(Ending); };
  OnHotKey = [this](TForm*, std::uintptr_t Id) {
    if (FSearchForm) return System().ForceForeground(FSearchForm->Handle());
    if (FPointer) FPointer->HotKey(Id);
  };
  OnDpiChanged = [this](TWinControl*) { MakeDpiPictures(); };
  CreateHandle();

  Shell().SetOwnerWindow(Handle());
  FRoot = std::make_unique<TRoot>();
  FRoot->ShowInViews(ListView1, TreeView1, ImageList1, ImageList1);
  FRoot->Add(std::make_unique<TRecycledFolder>(FRoot.get()));
  FRoot->TreeNode()->Expand(true);
  FRoot->SetFont(Font());
  FRoot->Guard().OnHeldChanged = [this](bool) { UpdateActions(); };
  // The empty launcher menu's offer: the main window and the new launcher's file chooser.
  FRoot->OnAddLauncher = [this] {
    LanternProperty.Execute();
    AddLauncher.Execute();
  };
  FRoot->OnImportStartMenu = [this] { ImportStartMenuAction.Execute(); };
  // Every modal loop holds the tree: its timer and other windows run under it.
  Application().OnModalLoop = [this](bool Begins) {
    if (Begins)
      FModalHolds.push_back(std::make_unique<TTreeGuard::THold>(FRoot->Guard()));
    else if (!FModalHolds.empty())
      FModalHolds.pop_back();
  };

  FStore = std::make_unique<TSettingsStore>(*FRoot, static_cast<TSettingsTarget&>(*this));
  FStore->Load();
  FWatcher = std::make_unique<TWatcher>(*FRoot, FStore->Values());
  FCommands = std::make_unique<TEditCommands>(*FRoot, *FWatcher, *this, ListView1, TreeView1);
  FCommands->OnSave = [this] { SaveService.Execute(); };
  FCommands->OnStateChanged = [this] { UpdateActions(); };
  FCommands->Ending = [this] { return FExiting || Closed(); };
  FDragging = std::make_unique<TViewDragging>(*FRoot, ListView1, TreeView1);
  Application().Guard([this] {
    TUpdateBracket<TListItems> Bracket(&ListView1.Items());
    FWatcher->StartUpScan();
  });

  // A data file that cannot be read is reported; the program goes on with what was read.
  Application().Guard([this] { LoadService.Execute(); });
  if (!FRoot->RecycledFolder()) {
    FRoot->Add(std::make_unique<TRecycledFolder>(FRoot.get()));
    // Listed where a group belongs, so that the first save already has the order that every
    // later one keeps.
    FRoot->RefreshListView();
  }
  FRoot->BuildMenu(&LauncherMenu, nullptr);

  if (!ActivateMessage) ActivateMessage = System().RegisterMessage(ActivateMessageName);
  Application().OnMessage = [this](TMessage& Msg, bool& Handled) { AppMessage(Msg, Handled); };
  FPointer = std::make_unique<TPointer>(*this, *FTray, LauncherMenu, FStore->Values());
  // The settings dialog and the version window take the key: the menu opens over them.
  FPointer->KeyOnlyRaises = [this] { return !FEnvSetHold && !FAboutForm; };
  Timer1.SetEnabled(true);
}

TLanternMain::~TLanternMain() {
  FPointer.reset();  // before the icon whose menus it opens
  FTray.reset();     // the icon leaves the notification area
  FWatcher.reset();
  ToolBar1.ClearButtons();  // the actions go before the bar
  Timer1.SetEnabled(false);
  Application().OnMessage = nullptr;
  Application().OnModalLoop = nullptr;
  ListView1.OnChange = nullptr;
  FRoot->Guard().OnHeldChanged = nullptr;
  FModalHolds.clear();
  FDragging.reset();
  FEnvSetHold.reset();
  FRoot->BeginShutdown();
  FCommands.reset();
  FRoot.reset();
  WaitForThreadsLetGo(ExitFetchWaitMs);
  Shell().SetOwnerWindow(nullptr);
  FFileDropTarget.reset();  // a window never closed (in a test) is still there for this
}

namespace {

// Items of actions, nullptr standing for a separator.
void AddItems(TMenuItem* Parent, std::initializer_list<TAction*> Actions) {
  for (TAction* Action : Actions) {
    if (Action)
      Parent->Add(Action);
    else
      Parent->AddSeparator();
  }
}

TMenuItem* AddMenu(TMenu& Menu, const char* Caption) {
  return Menu.Items().Add(std::make_unique<TMenuItem>(Caption));
}

}  // namespace

void TLanternMain::SetUpCommands() {
  struct {
    TAction* Action;
    int Image;
    const char* Category;
    bool Enabled;
  } Table[] = {
      {&AddGroup, 0, "オブジェクト操作", true},
      {&AddLauncher, 1, "オブジェクト操作", true},
      {&AddLauncherURL, 13, "オブジェクト操作", true},
      {&AddLauncherFolder, 8, "オブジェクト操作", true},
      {&MoveRecycled, 2, "オブジェクト操作", false},
      {&DeleteObj, -1, "オブジェクト操作", false},
      {&EmptyTrashAction, -1, "オブジェクト操作", false},
      {&SaveService, 3, "オブジェクト操作", true},
      {&LoadService, 4, "オブジェクト操作", true},
      {&CopyObject, 5, "オブジェクト操作", false},
      {&CutObject, 6, "オブジェクト操作", false},
      {&PasteObject, 7, "オブジェクト操作", false},
      {&ObjPropertyAction, -1, "オブジェクト操作", false},
      {&CheckNoLinkAction, -1, "オブジェクト操作", true},
      {&UpObjectAction, 10, "オブジェクト操作", false},
      {&DownObjectAction, 11, "オブジェクト操作", false},
      {&OpenExplorerAction, 12, "オブジェクト操作", false},
      {&GetEmptyIcon, -1, "オブジェクト操作", true},
      {&ScreenSaverExecute, 15, "特別な処理", true},
      {&ExitWindowsAction, 14, "特別な処理", true},
      {&OpenObject, -1, "ビュー操作", false},
      {&UpperFolderOpen, -1, "ビュー操作", true},
      {&RenameAction, -1, "ビュー操作", false},
      {&MouseFormToggleAction, 16, "", true},
      {&UchidenoKodutiToggleAction, 17, "", true},
  };
  for (auto& Row : Table) {
    Row.Action->SetImageIndex(Row.Image);
    Row.Action->SetCategory(Row.Category);
    Row.Action->SetEnabled(Row.Enabled);
  }
  CutObject.SetShowHint(false);
  GetEmptyIcon.SetShowHint(false);
  for (const TViewKey& Row : ViewKeys()) (this->*Row.Action).SetShortCut(Row.ShortCut);

  for (TAction* Button :
       {static_cast<TAction*>(nullptr), &AddGroup, &AddLauncher, &AddLauncherFolder,
        &AddLauncherURL, static_cast<TAction*>(nullptr), &CopyObject, &CutObject, &PasteObject,
        &UpObjectAction, &DownObjectAction, &OpenExplorerAction, &MoveRecycled,
        static_cast<TAction*>(nullptr), &MouseFormToggleAction, &UchidenoKodutiToggleAction})
    ToolBar1.AddButton(Button);
  AddItems(AddMenu(MainMenu2, "ファイル(&F)"),
           {&ImportStartMenuAction, nullptr, &StationAction, &ExitAction});
  AddItems(AddMenu(MainMenu2, "編集(&E)"),
           {&OpenObject, &AddGroup, &AddLauncher, &AddLauncherFolder, &AddLauncherURL, nullptr,
            &CopyObject, &CutObject, &PasteObject, nullptr, &UpObjectAction, &DownObjectAction,
            nullptr, &ObjPropertyAction, &RenameAction, &MoveRecycled, &DeleteObj, nullptr,
            &FindAction});
  AddItems(AddMenu(MainMenu2, "ツール(&T)"),
           {&CheckNoLinkAction, &OpenExplorerAction, nullptr, &MouseFormToggleAction,
            &UchidenoKodutiToggleAction, nullptr, &EnvSetAction});
  AddItems(AddMenu(MainMenu2, "ヘルプ(&H)"), {&HelpAction, &GoWebSiteAction, &AboutAction});
  SetMenu(&MainMenu2);
  AddItems(
      &ListViewPopup.Items(),
      {&OpenObject, &UpperFolderOpen, &AddGroup, &AddLauncher, &AddLauncherFolder, &AddLauncherURL,
       nullptr, &CopyObject, &CutObject, &PasteObject, nullptr, &MoveRecycled, &DeleteObj,
       &EmptyTrashAction, nullptr, &RenameAction, &OpenExplorerAction, &ObjPropertyAction});
  ListViewPopup.Items().Items(0)->SetDefault(true);
  AddItems(&TreeViewPopup.Items(), {&OpenObject, nullptr, &AddGroup, &MoveRecycled, &DeleteObj,
                                    &EmptyTrashAction, nullptr, &RenameAction, &ObjPropertyAction});
  // ゴミ入れを空にする stays in its place in both menus, off where the trash is neither chosen
  // nor shown; what the trash holds may have changed since the last choice.
  ListViewPopup.OnPopup = TreeViewPopup.OnPopup = [this](TPopupMenu*) { UpdateActions(); };
  TMenuItem* Main = SystemPopup.Items().Add(&LanternProperty);
  Main->SetCaption("ランタンのメイン画面(&P)");
  AddItems(&SystemPopup.Items(),
           {&SearchAction, &EnvSetAction, nullptr, &UchidenoKodutiToggleAction,
            &MouseFormToggleAction, nullptr,
            &ExitWindowsAction, &ScreenSaverExecute, nullptr, &HelpAction, &GoWebSiteAction,
            &AboutAction, nullptr, &ExitAction});

  // The views' handlers.
  TreeView1.OnChange = [this](TTreeView*, TTreeNode*) { UpdateActions(); };
  TreeView1.OnEnter = [this](TWinControl*) { UpdateActions(); };
  TreeView1.OnEdited = [](TTreeView*, TTreeNode* Node, std::string& S) {
    static_cast<TExecItem*>(Node->Data())->SetName(S);
  };
  TreeView1.OnExpanded = [](TTreeView*, TTreeNode* Node) {
    static_cast<TExecItem*>(Node->Data())->SetExpanded(true);
  };
  TreeView1.OnCollapsed = [](TTreeView*, TTreeNode* Node) {
    static_cast<TExecItem*>(Node->Data())->SetExpanded(false);
  };
  TreeView1.OnClick = [this](TWinControl*) {
    if (!FDragging->Carrying()) OpenObjectExecute();
  };
  ListView1.OnChange = [this](TListView*, TListItem* Row, TItemChange) {
    if (auto* Item = static_cast<TExecItem*>(Row->Data())) Item->SetVisible(Row->Checked());
    UpdateActions();
  };
  ListView1.OnEnter = [this](TWinControl*) { UpdateActions(); };
  ListView1.OnDblClick = [this](TWinControl*) {
    if (ListView1.Selected())
      OpenObjectExecute();
    else
      UpperFolderOpenExecute();
  };
  ListView1.OnEdited = [](TListView*, TListItem* Row, std::string& S) {
    static_cast<TExecItem*>(Row->Data())->SetName(S);
  };
  auto KeyDown = [this](TWinControl* Sender, unsigned& Key, unsigned Shift) {
    ViewKeyDown(Sender, Key, Shift);
  };
  ListView1.OnKeyDown = KeyDown;
  TreeView1.OnKeyDown = KeyDown;
  ListView1.SetPopupMenu(&ListViewPopup);
  TreeView1.SetPopupMenu(&TreeViewPopup);
}

void TLanternMain::ReadLayout(TSettings& Into) const {
  Into.Left = Left();
  Into.Top = Top();
  Into.Width = Width();
  Into.Height = Height();
  Into.TreeViewWidth = TreeView1.Width();
  Into.ColumnWidth0 = ListView1.ColumnWidth(0);
  Into.ColumnWidth1 = ListView1.ColumnWidth(1);
}

void TLanternMain::SettingsChanged(unsigned Effects) {
  const TSettings& S = FStore->Values();
  if (Effects & seLayout) {
    SetBounds(S.Left, S.Top, S.Width, S.Height);
    TreeView1.SetWidth(S.TreeViewWidth);
    ListView1.SetColumnWidth(0, S.ColumnWidth0);
    ListView1.SetColumnWidth(1, S.ColumnWidth1);
  }
  // The icon is first shown by the first showing, which knows when it failed.
  if ((Effects & seTrayIcon) && !FFirstShow) FTray->SetRegistered(S.DispRegisterIcon);
  if (Effects & seTrayMenu)
    FTray->SetPopupMenuL(S.IconLeftClickPopupMenu ? &LauncherMenu : nullptr);
  if (Effects & seMouseSwitches) {
    MouseFormToggleAction.SetChecked(S.MouseFormEnabled);
    UchidenoKodutiToggleAction.SetChecked(S.UchidenoKoduti);
  }
  // Until the pointer is made it takes the settings as they are then.
  if (!FPointer) return;
  if (Effects & seHotKey) FPointer->ReregisterHotKey();
  if (Effects & seMouseFormShape) FPointer->RecreateMouseForm();
  if (Effects & seMouseFormColor) FPointer->UpdateMouseFormColor();
}

void TLanternMain::Launch() {
  if (FArgs.empty()) {
    // Resident from the start: the window is never shown, not even minimised for a moment.
    ListView1.SetTabStop(false);
    TreeView1.SetTabStop(false);
    FormShow();
  } else {
    Show();
  }
}

void TLanternMain::PrepareShowing() {
  if (FShowingPrepared) return;
  FShowingPrepared = true;
  MakeDpiPictures();
  // A hidden window takes no drops. Without drops the program runs on; the user is told why
  // they are refused.
  Application().Guard([this] { FFileDropTarget->RegisterTarget(this, MainWindowClass); });
}

void TLanternMain::MakeDpiPictures() {
  // The bar's and the views' pictures wait for the window's first showing.
  if (FShowingPrepared) {
    const int Size = SmallIconSize(Dpi());
    if (!ButtonImage || ButtonImage->Width() != Size) {
      auto Buttons = std::make_unique<TImageList>(Size, Size);
      for (int Index = 0; Index < ButtonPictures; ++Index)
        Buttons->AddIcon(System().ResourceIcon(FirstButtonId + Index, Size));
      ToolBar1.SetImages(Buttons.get());  // before the old list goes
      ButtonImage = std::move(Buttons);
    }
    FRoot->SetViewPictureSize(Size);
  }
  // The notification area's icon size follows the scale as well; no icon before the first
  // showing.
  if (FTray && !FTray->Icon().Empty()) Application().Guard([this] { FTray->SetIcon(TrayIcon()); });
}

TIcon TLanternMain::TrayIcon() const {
  return System().ResourceIcon(FirstButtonId + TrayButton, System().NotifyIconSize());
}

void TLanternMain::FormShow() {
  if (!FFirstShow) return;
  FFirstShow = false;
  for (const std::string& Path : FArgs) AddFromPath(Path);
  // The new launchers are selected in the list: the keys go there, as after another
  // instance's paths.
  if (!FArgs.empty()) LanternProperty.Execute();
  // Without an icon the window must stay reachable.
  try {
    FTray->SetIcon(TrayIcon());
    FTray->SetRegistered(true);
    if (!Settings().DispRegisterIcon) FTray->SetRegistered(false);
  } catch (...) {
    if (Settings().DispRegisterIcon) LanternProperty.Execute();
    throw;
  }
}

void TLanternMain::AppMessage(TMessage& Msg, bool&) {
  if (ActivateMessage == 0 || Msg.Message != ActivateMessage) return;
  std::string Path;
  if (Msg.WParam != 0) {
    unsigned Atom = static_cast<unsigned>(Msg.WParam);
    Path = System().AtomText(Atom);
    System().DeleteAtom(Atom);
  }
  FCommands->RunWhenTreeFree([this, Path] {
    if (!Path.empty()) AddFromPath(Path);
    LanternProperty.Execute();
  });
}

void TLanternMain::AddFromPath(const std::string& Path) {
  std::unique_ptr<TLauncher> Launcher;
  // A new launcher filled in by the launcher dialog, which names it from its path, unshown.
  auto FillAsDialog = [](TLauncher* L, const std::string& FileName) {
    TLauncherPropertyForm Dialog;
    Dialog.LoadItem(L);
    Dialog.FilenameEdit.SetText(FileName);
    Dialog.StoreItem();
  };
  if (FileSystem().FileExists(Path)) {
    std::string LongPath = ExpandLongPath(Path);
    std::string URL;
    if (UpperCaseAscii(ExtractFileExt(LongPath)) == ".URL" && ReadUrlFile(LongPath, URL)) {
      Launcher = std::make_unique<TLauncherURL>(FRoot.get());
      std::string Name = ExtractFileName(LongPath);
      Launcher->SetName(Name.substr(0, Name.size() - 4));
      Launcher->SetFileName(URL);
    } else {
      Launcher = std::make_unique<TLauncherExec>(FRoot.get());
      FillAsDialog(Launcher.get(), LongPath);
    }
  } else if (FileSystem().DirectoryExists(Path)) {
    Launcher = std::make_unique<TLauncherFolder>(FRoot.get());
    FillAsDialog(Launcher.get(), ExpandLongPath(Path));
  }
  if (!Launcher) return;
  TLauncher* Added = FRoot->AddNew(std::move(Launcher));
  FRoot->SetCurrentFolder(FRoot.get());
  if (TListItem* Row = Added->ListItem()) ListView1.SelectOnly(Row);
}

void TLanternMain::Timer1Timer() {
  if (WindowState() == TWindowState::Minimized) {
    ListView1.SetTabStop(false);
    TreeView1.SetTabStop(false);
    Hide();
    SetWindowState(TWindowState::Normal);
  }
  if (FPointer->MenuShowing()) return;
  // What came from outside while a command held the tree.
  const bool Busy = TreeHeld() || ViewEditing();
  if (!Busy)
    FRoot->Guard().Flush([](const std::function<void()>& Change) { Application().Guard(Change); });
  // The application watcher, every WatchAppInterval + 1 ticks; it rests while a command
  // holds the tree (a dialog, a drag, the sweep) and while items cut wait for their paste.
  FWatcher->Tick(TreeHeld() || CutPending());
  // The list is filled again once no command holds its rows and no name is being typed.
  if (FRoot->WatchChanged() && !TreeHeld() && !ViewEditing()) {
    RefreshListKeepingSelection();
    SaveService.Execute();
  }
  SaveEditsSoon();
  FRoot->BuildMenu(&LauncherMenu, nullptr);  // only when the tree has changed
  FPointer->Track();
  if (!FBackupError.empty() && !FExiting) {
    // Told from here, not from the save: a save at the end of the session must not wait for
    // the user.
    FBackupTold = true;
    std::string Text = std::move(FBackupError);
    FBackupError.clear();
    MessageDlg(Text, TMsgDlgType::Warning, mbOK);
  }
  if (FIconCountdown == 0) {
    FIconCountdown = 250;
    GetEmptyIcon.Execute();
  } else {
    --FIconCountdown;
  }
  // The icons of a freshly loaded data file, a few each tick.
  FRoot->FetchPendingIcons(PendingIconBudgetMs);
}

void TLanternMain::LanternPropertyExecute() {
  // A window still minimised from the start would be hidden again by the next tick.
  if (WindowState() == TWindowState::Minimized) SetWindowState(TWindowState::Normal);
  Show();
  ListView1.SetTabStop(true);
  TreeView1.SetTabStop(true);
  ListView1.SetFocus();
  System().ForceForeground(Handle());
}

void TLanternMain::StationActionExecute() { Hide(); }

void TLanternMain::GetEmptyIconExecute() {
  std::vector<TExecItem*> Missing;
  for (TExecItemIterator It(FRoot.get()); !It.Done(); It.Next()) {
    auto* Launcher = dynamic_cast<TLauncher*>(It.Current());
    // Icons still waiting after a load come a few at a time, not all at once here.
    if (Launcher && Launcher->ImageIndex() == -1 && !Launcher->IconPending())
      Missing.push_back(Launcher);
  }
  for (TExecItem* Item : Missing) static_cast<TLauncher*>(Item)->RetryIcon();
}
}  // namespace lantern
