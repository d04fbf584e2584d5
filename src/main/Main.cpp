#include "main/Main.h"

#include "base/Cp932.h"
#include "base/Exception.h"
#include "base/Path.h"
#include "dialogs/LauncherProperty.h"
#include "shell/DropTarget.h"
#include "ui/Dialogs.h"
#include "ui/FileSystem.h"
#include "ui/System.h"
#include "ui/Widgets.h"

namespace lantern {

const char* const LanternMutexName = "hLantern for Windows";
const char* const ActivateMessageName = "ZR Lantern Active";
const char* const MainWindowClass = "TLanternMain";

unsigned TLanternMain::ActivateMessage = 0;

int LanternEntry(const std::vector<std::string>& Args) {
  TSystem& Sys = System();
  TLanternMain::ActivateMessage = Sys.RegisterMessage(ActivateMessageName);
  if (Sys.MutexExists(LanternMutexName)) {
    // Another instance runs: hand it the arguments (the first one deletes the atoms).
    if (void* Window = Sys.FindWindowByClass(MainWindowClass)) {
      if (Args.empty()) Sys.Post(Window, TLanternMain::ActivateMessage, 0, 0);
      for (const std::string& Arg : Args)
        Sys.Post(Window, TLanternMain::ActivateMessage, Sys.AddAtom(Arg), 0);
    }
    return 0;
  }
  Sys.CreateInstanceMutex(LanternMutexName);
  SetWidgets(PlatformWidgets());
  Application().SetTitle("ランタン for Windows");
  int ExitCode = 0;
  try {
    TLanternMain Main(Args);
    Main.Show();
    Application().Run();
  } catch (const std::exception& E) {
    Application().ShowException(E);
    ExitCode = 1;
  }
  Sys.ReleaseMutex();
  return ExitCode;
}

TLanternMain::TLanternMain(std::vector<std::string> Args)
    : TForm(MainWindowClass), FArgs(std::move(Args)) {
  SetCaption("ランタン for Windows");
  SetBounds(0, 0, 614, 446);
  ToolBar1.SetImages(&ButtonImage);
  TreeView1.SetAlign(TAlign::Left);
  TreeView1.SetWidth(177);
  TreeView1.SetImages(&ImageList1);
  ListView1.SetAlign(TAlign::Client);
  ListView1.AddColumn("名前", 150);
  ListView1.AddColumn("ファイル名", 250);
  // Group, current group, trash, current trash, URL launcher.
  for (int Id = 101; Id <= 105; ++Id) ImageList1.AddIcon(System().ResourceIcon(Id, 16));
  TMenuItem* File = MainMenu2.Items().Add(std::make_unique<TMenuItem>("ファイル(&F)"));
  File->Add(&StationAction);
  File->Add(&ExitAction);
  SetMenu(&MainMenu2);
  Timer1.SetInterval(200);
  Timer1.OnTimer = [this](TTimer*) { Timer1Timer(); };
  ListView1.OnColumnClick = [this](TListView*, int Column) { ListView1ColumnClick(Column); };
  OnShow = [this](TWinControl*) { FormShow(); };
  OnCloseQuery = [this](TForm*, bool& CanClose) { FormCloseQuery(CanClose); };
  // The end of the Windows session: the close that follows saves everything and is allowed.
  OnQueryEndSession = [this](TWinControl*) { Exiting = true; };
  CreateHandle();

  IsWindowsNT = System().IsWindowsNT();
  ChooseDataFileName();

  TRoot::SetListView(&ListView1);
  TRoot::SetTreeView(&TreeView1);
  TRoot::SetImageList(&ImageList1);
  TRoot::SetOwnerWindow(Handle());
  TRoot::SetListImageList(&ImageList1);
  Root = std::make_unique<TRoot>();
  Root->ShowInTreeNode(TreeView1.Items().AddChild(nullptr, Root->Name()));
  Root->SetCurrentFolder(Root.get());
  Root->Add(new TRecycledFolder(Root.get()));
  Root->TreeNode()->Expand(true);

  LoadSettings();

  // A data file that cannot be read is reported; the program goes on with what was read.
  Application().Guard([this] { LoadService.Execute(); });
  if (!TRoot::GetRecycledFolder()) Root->Add(new TRecycledFolder(Root.get()));

  if (!ActivateMessage) ActivateMessage = System().RegisterMessage(ActivateMessageName);
  Application().OnMessage = [this](TMessage& Msg, bool& Handled) { AppMessage(Msg, Handled); };
  Timer1.SetEnabled(true);
}

TLanternMain::~TLanternMain() {
  Timer1.SetEnabled(false);
  Application().OnMessage = nullptr;
  ListView1.OnChange = nullptr;
  Root->BeginShutdown();
  Root.reset();
  for (TExecItem* Item : ClipboardItems) delete Item;
  ClipboardItems.clear();
  DragItems.clear();
  TRoot::SetListView(nullptr);
  TRoot::SetTreeView(nullptr);
  TRoot::SetImageList(nullptr);
  TRoot::SetOwnerWindow(nullptr);
  TRoot::SetListImageList(nullptr);
}

void TLanternMain::ChooseDataFileName() {
  std::string Folder = ExtractFilePath(System().ProgramFileName());
  std::string User = System().UserName();
  DataFileName = !User.empty() && static_cast<unsigned char>(User[0]) >= 32
                     ? Folder + User + ".dat"
                     : Folder + "Default.dat";
}

std::string TLanternMain::GetVersionString() {
  unsigned v[4];
  if (!System().FileVersion(System().ProgramFileName(), v)) return std::string();
  return "r." + std::to_string(v[0]) + "." + std::to_string(v[1]) + "." + std::to_string(v[2]) +
         " Build " + std::to_string(v[3]);
}

void TLanternMain::FormShow() {
  if (!FirstShow) return;
  FirstShow = false;
  if (FArgs.empty()) {
    // A timer tick hides the minimised window: the program ends up resident. The first tick
    // runs at once rather than 200 ms later, so that the window does not linger.
    SetWindowState(TWindowState::Minimized);
    Timer1Timer();
  } else {
    for (const std::string& Path : FArgs) AddFromPath(Path);
  }
}

void TLanternMain::AppMessage(TMessage& Msg, bool&) {
  if (ActivateMessage == 0 || Msg.Message != ActivateMessage) return;
  if (Msg.WParam != 0) {
    unsigned Atom = static_cast<unsigned>(Msg.WParam);
    std::string Path = System().AtomText(Atom);
    System().DeleteAtom(Atom);
    AddFromPath(Path);
  }
  LanternProperty.Execute();
}

void TLanternMain::AddFromPath(const std::string& Path) {
  TLauncher* Launcher = nullptr;
  // A new launcher named as the launcher dialog names it, without showing the dialog.
  auto FillAsDialog = [](TLauncher* L, const std::string& FileName) {
    std::string NameEdit = FilenameEditChange(L->Name(), L->FileName());
    NameEdit = FilenameEditChange(NameEdit, FileName);
    L->SetName(NameEdit);
    L->SetFileName(FileName);
  };
  if (FileSystem().FileExists(Path)) {
    std::string LongPath = ExpandLongPath(Path);
    std::string URL;
    if (UpperCaseAscii(ExtractFileExt(LongPath)) == ".URL" && ReadUrlFile(LongPath, URL)) {
      auto* Url = new TLauncherURL(Root.get());
      std::string Name = ExtractFileName(LongPath);
      Url->SetName(Name.substr(0, Name.size() - 4));
      Url->SetFileName(URL);
      Launcher = Url;
    } else {
      Launcher = new TLauncherExec(Root.get());
      FillAsDialog(Launcher, LongPath);
    }
  } else if (FileSystem().DirectoryExists(Path)) {
    Launcher = new TLauncherFolder(Root.get());
    FillAsDialog(Launcher, ExpandLongPath(Path));
  }
  if (!Launcher) return;
  Root->Add(Launcher);
  Root->SetCurrentFolder(Root.get());
  if (TListItem* Row = Launcher->ListItem()) {
    for (int i = 0; i < ListView1.Items().Count(); ++i)
      if (ListView1.Items()[i] != Row) ListView1.Items()[i]->SetSelected(false);
    Row->SetSelected(true);
    Row->SetFocused(true);
    Row->MakeVisible();
  }
}

void TLanternMain::ListView1ColumnClick(int Column) {
  if (Column < 0 || Column > 1) return;
  int Direction = SortDirection[Column];
  ListView1.Items().Sort([&](const TListItem* A, const TListItem* B) {
    return ListView1Compare(A, B, Column) * Direction < 0;
  });
  SortDirection[Column] = -Direction;
}

int TLanternMain::ListView1Compare(const TListItem* Item1, const TListItem* Item2, int Column) {
  auto* A = static_cast<TExecItem*>(Item1->Data());
  auto* B = static_cast<TExecItem*>(Item2->Data());
  if (!A || !B) return 0;
  if (Column == 1) return System().CompareText(A->FileName(), B->FileName());
  if (A->IsGroup() != B->IsGroup()) return A->IsGroup() ? -1 : 1;
  return System().CompareText(A->Name(), B->Name());
}

void TLanternMain::Timer1Timer() {
  if (WindowState() == TWindowState::Minimized) {
    ListView1.SetTabStop(false);
    TreeView1.SetTabStop(false);
    Hide();
    SetWindowState(TWindowState::Normal);
  }
  if (MenuShowing) return;
  // The application watcher's scans join here, every WatchAppInterval + 1 ticks.
  if (WatchCountdown == 0)
    WatchCountdown = WatchAppInterval;
  else
    --WatchCountdown;
  if (Root->WatchChanged()) {
    Root->RefreshListView();
    SaveService.Execute();
  }
  if (IconCountdown == 0) {
    IconCountdown = 250;
    GetEmptyIcon.Execute();
  } else {
    --IconCountdown;
  }
  // The icons of a freshly loaded data file, a few each tick.
  Root->FetchPendingIcons(PendingIconBudgetMs);
}

void TLanternMain::FormCloseQuery(bool& CanClose) {
  if (Exiting) {
    SaveSettings();
    CanClose = true;
    try {
      SaveService.Execute();
    } catch (const std::exception&) {
      CanClose = false;
    }
    return;
  }
  CanClose = false;
  if (CutPending)
    MessageDlg("アイテムが切り取られています。まず貼り付けを行ってください", TMsgDlgType::Warning,
               mbOK);
  else
    Hide();
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

void TLanternMain::ExitActionExecute() {
  Timer1.SetEnabled(false);
  Exiting = true;
  ListView1.OnChange = nullptr;
  Close();
}

void TLanternMain::SaveServiceExecute() {
  std::string Folder = ExtractFilePath(DataFileName);
  if (!Folder.empty() && !FileSystem().DirectoryExists(ExcludeTrailingBackslash(Folder))) {
    LanternProperty.Execute();
    switch (MessageDlg(
        "データファイルをセーブするフォルダ " + Folder + "が存在しません。新たに作成しますか",
        TMsgDlgType::Warning, mbYes | mbNo | mbCancel)) {
      case mrYes:
        if (!FileSystem().CreateFolders(ExcludeTrailingBackslash(Folder)))
          throw EFileError("ファイル作成エラー");
        break;
      case mrNo: return;
      default: throw EFileError("ファイル作成エラー");
    }
  }
  double Now = System().Now();
  if (Now - BackupDate > 1.0) {
    // The backup holds the file as it was before this save.
    if (FileSystem().FileExists(DataFileName))
      FileSystem().Copy(DataFileName, DataFileName + ".bak");
    BackupDate = Now;
    SaveSettings();
  }
  Root->SaveToFile(DataFileName);
}

void TLanternMain::LoadServiceExecute() {
  if (!FileSystem().FileExists(DataFileName)) return;
  try {
    Root->LoadFromFile(DataFileName);
  } catch (const Exception& E) {
    // What was read stays in the tree and the next save writes it; the file's own bytes are
    // kept aside first, so that nothing the user had is lost.
    std::string Bad = DataFileName + ".bad";
    if (FileSystem().Copy(DataFileName, Bad))
      throw Exception(E.Message() + "\r\n\r\n読み込めなかったデータファイルを " + Bad +
                      " に残しました。");
    throw;
  }
}

void TLanternMain::GetEmptyIconExecute() {
  std::vector<TExecItem*> Missing;
  for (TExecItemIterator It(Root.get()); !It.Done(); It.Next()) {
    auto* Launcher = dynamic_cast<TLauncher*>(It.Current());
    // Icons still waiting after a load come a few at a time, not all at once here.
    if (Launcher && Launcher->ImageIndex() == -1 && !Launcher->IconPending())
      Missing.push_back(Launcher);
  }
  for (TExecItem* Item : Missing) static_cast<TLauncher*>(Item)->FetchIcon();
}

// Setters whose effects join with the parts they drive (the notification-area icon, the hot
// key and the chasing window) store the value until then.

void TLanternMain::SetDispRegisterIcon(bool Value) { DispRegisterIcon = Value; }
void TLanternMain::SetIconLeftClickPopupMenu(bool Value) { IconLeftClickPopupMenu = Value; }
void TLanternMain::SetHotKeyEnabled(bool Value) { HotKeyEnabled = Value; }
void TLanternMain::SetHotKey(int Value) { HotKey = Value; }
void TLanternMain::SetMouseFormWidth(int Value) { MouseFormWidth = Value; }
void TLanternMain::SetMouseFormHeight(int Value) { MouseFormHeight = Value; }
void TLanternMain::SetMouseFormColor(int Value) { MouseFormColor = Value; }
void TLanternMain::SetMouseFormOffset(TPoint Value) { MouseFormOffset = Value; }

void TLanternMain::SetHotKeyModifiers(bool Ctrl, bool Shift, bool Alt) {
  HotKeyCtrl = Ctrl;
  HotKeyShift = Shift;
  HotKeyAlt = Alt;
}

// The chasing window and the waving gesture exclude each other.
void TLanternMain::SetMouseFormEnabled(bool Value) {
  MouseFormEnabled = Value;
  if (Value) UchidenoKoduti = false;
}

void TLanternMain::SetUchidenoKoduti(bool Value) {
  UchidenoKoduti = Value;
  if (Value) MouseFormEnabled = false;
}

}  // namespace lantern
