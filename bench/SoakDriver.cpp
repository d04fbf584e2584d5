// The soak benchmark's driver: does what a user does with Lantern.exe many times over, through
// the messages the system sends for those clicks and keys, and counts Lantern's GDI and USER
// objects from outside.
//   soak_driver counts            "gdi N user N reported-gdi N reported-user N": the GDI objects
//                                 in Lantern's handle table (stock objects aside), its windows
//                                 (message-only ones too), and what GetGuiResources says
//   soak_driver menu N            N times: the icon's left click opens the launcher menu, the
//                                 arrow keys open a top group's submenu and the first entry's
//                                 (a nested group), and Esc closes them one by one
//   soak_driver launcher-dialog N a click on the list's first launcher, then N times Alt+Enter
//                                 (the launcher dialog) and Esc
//   soak_driver group-dialog N GROUP  a click on the group's node in the tree, then N times
//                                 Alt+Enter (the group dialog) and Esc
//   soak_driver about N           N times: the icon's right click opens the program's menu, "a"
//                                 chooses バージョン情報, and Esc closes the version window
//   soak_driver drag N GROUP1 GROUP2  with GROUP1's node clicked (its launchers in the list),
//                                 N drags of a launcher's row with the mouse: in turn before the
//                                 first launcher's row, and onto the other group's node in the
//                                 tree, whose node is clicked next
// Each action waits for what it should bring about (a menu, a dialog, a row moved); the
// driver prints "N done, F failed, T ms" and ends with 1 when one failed.
#include <windows.h>
// after windows.h
#include <commctrl.h>
#include <winternl.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr UINT TrayMessage = 0x466;  // the notification area's callback to Lantern's icon
constexpr UINT TrayIconId = 1;

template <typename F>
bool WaitFor(double Seconds, F Condition) {
  DWORD End = GetTickCount() + static_cast<DWORD>(Seconds * 1000);
  for (;;) {
    if (Condition()) return true;
    if (static_cast<LONG>(GetTickCount() - End) > 0) return false;
    Sleep(2);
  }
}

HWND Main() { return FindWindowW(L"TLanternMain", nullptr); }

DWORD LanternPid() {
  DWORD Pid = 0;
  if (HWND Window = Main()) GetWindowThreadProcessId(Window, &Pid);
  return Pid;
}

// Returns once Lantern's thread takes messages again. That may be inside a loop of its own
// (a view following the mouse, a menu), before what was posted is done: what an action brings
// about is waited for, not assumed after this.
bool Settle() {
  DWORD_PTR Ignored;
  return SendMessageTimeoutW(Main(), WM_NULL, 0, 0, SMTO_NORMAL, 10000, &Ignored) != 0;
}

// A key going down, or up, in the window, with Alt held or not.
void KeyDown(HWND Window, WPARAM Key, bool Alt = false) {
  PostMessageW(Window, Alt ? WM_SYSKEYDOWN : WM_KEYDOWN, Key, 1 | (Alt ? 1 << 29 : 0));
}

void KeyUp(HWND Window, WPARAM Key, bool Alt = false) {
  PostMessageW(Window, Alt ? WM_SYSKEYUP : WM_KEYUP, Key, 0xC0000001 | (Alt ? 1 << 29 : 0));
}

void Key(HWND Window, WPARAM Key, bool Alt = false) {
  KeyDown(Window, Key, Alt);
  KeyUp(Window, Key, Alt);
}

LPARAM At(POINT Point) { return MAKELPARAM(Point.x, Point.y); }

// Puts the pointer on the window's client point: the position of the messages posted next is
// the pointer's, as the views read it. The move itself reaches the window a moment later, as
// a message without the button: it is let pass before anything else happens.
void PointerTo(HWND Window, POINT Point) {
  POINT Screen = Point;
  ClientToScreen(Window, &Screen);
  SetCursorPos(Screen.x, Screen.y);
  Sleep(30);
  Settle();
}

void Click(HWND Window, POINT Point) {
  PointerTo(Window, Point);
  PostMessageW(Window, WM_LBUTTONDOWN, MK_LBUTTON, At(Point));
  PostMessageW(Window, WM_LBUTTONUP, 0, At(Point));
}

// The popup menus on the screen, the last opened first.
std::vector<HWND> OpenMenus() {
  std::vector<HWND> Found;
  for (HWND Menu = nullptr; (Menu = FindWindowExW(nullptr, Menu, L"#32768", nullptr));)
    if (IsWindowVisible(Menu)) Found.push_back(Menu);
  return Found;
}

// The menu on the screen when there is exactly one.
HWND OneMenu() {
  std::vector<HWND> Menus = OpenMenus();
  return Menus.size() == 1 ? Menus[0] : nullptr;
}

HWND Caption(const wchar_t* Text) {
  HWND Window = FindWindowW(nullptr, Text);
  return Window && IsWindowVisible(Window) ? Window : nullptr;
}

// A message box Lantern showed instead of doing what was asked: closed, and the action failed.
bool NoMessageBox() {
  HWND Box = FindWindowW(L"#32770", nullptr);
  if (!Box || !IsWindowVisible(Box)) return true;
  PostMessageW(Box, WM_COMMAND, IDOK, 0);
  return false;
}

// A buffer in Lantern's own memory, for the views' messages that read or write through a
// pointer.
class TRemote {
 public:
  explicit TRemote(HWND Window) {
    DWORD Pid = 0;
    GetWindowThreadProcessId(Window, &Pid);
    FProcess = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, Pid);
    if (FProcess)
      FBuffer =
          static_cast<char*>(VirtualAllocEx(FProcess, nullptr, Size, MEM_COMMIT, PAGE_READWRITE));
  }
  ~TRemote() {
    if (FBuffer) VirtualFreeEx(FProcess, FBuffer, 0, MEM_RELEASE);
    if (FProcess) CloseHandle(FProcess);
  }
  TRemote(const TRemote&) = delete;
  TRemote& operator=(const TRemote&) = delete;

  // Writes In at the buffer's start, sends the message with the buffer (at Offset) as its
  // lParam, and reads Out back from the buffer's start.
  template <typename T>
  bool Send(HWND Window, UINT Message, WPARAM WParam, const T& In, T& Out) {
    SIZE_T n = 0;
    return FBuffer && WriteProcessMemory(FProcess, FBuffer, &In, sizeof(In), &n) &&
           SendMessageW(Window, Message, WParam, reinterpret_cast<LPARAM>(FBuffer)) &&
           ReadProcessMemory(FProcess, FBuffer, &Out, sizeof(Out), &n);
  }
  // A text the message writes into the buffer after the item structure that points to it.
  template <typename TItem>
  std::wstring Text(HWND Window, UINT Message, WPARAM WParam, TItem Item) {
    Item.pszText = reinterpret_cast<wchar_t*>(FBuffer + sizeof(TItem));
    Item.cchTextMax = TextMax;
    wchar_t Text[TextMax] = L"";
    SIZE_T n = 0;
    if (!FBuffer || !WriteProcessMemory(FProcess, FBuffer, &Item, sizeof(Item), &n)) return L"";
    SendMessageW(Window, Message, WParam, reinterpret_cast<LPARAM>(FBuffer));
    ReadProcessMemory(FProcess, FBuffer + sizeof(TItem), Text, sizeof(Text), &n);
    Text[TextMax - 1] = L'\0';
    return Text;
  }

 private:
  static constexpr SIZE_T TextMax = 256;
  static constexpr SIZE_T Size = 4096;
  HANDLE FProcess = nullptr;
  char* FBuffer = nullptr;
};

HWND View(const wchar_t* Class) {
  HWND Window = Main();
  return Window ? FindWindowExW(Window, nullptr, Class, nullptr) : nullptr;
}

POINT Middle(const RECT& Rect) {
  return {(Rect.left + Rect.right) / 2, (Rect.top + Rect.bottom) / 2};
}

// The list's rows: caption, file name (empty for a group), the middle of the label and of
// the picture (a click there never starts renaming the row, as one on the label of the
// selected row does), and whether the row is wholly in sight (a click on a row partly
// scrolled away scrolls it in).
struct TRow {
  std::wstring Name, File;
  POINT Point, Picture;
  bool Shown;
};

std::vector<TRow> Rows() {
  std::vector<TRow> Result;
  HWND List = View(WC_LISTVIEWW);
  if (!List) return Result;
  TRemote Remote(List);
  RECT Client;
  GetClientRect(List, &Client);
  const int Count = static_cast<int>(SendMessageW(List, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < Count; ++i) {
    LVITEMW Item = {};
    TRow Row;
    Row.Name = Remote.Text(List, LVM_GETITEMTEXTW, i, Item);
    Item.iSubItem = 1;
    Row.File = Remote.Text(List, LVM_GETITEMTEXTW, i, Item);
    RECT Rect = {LVIR_LABEL, 0, 0, 0};
    if (!Remote.Send(List, LVM_GETITEMRECT, i, Rect, Rect)) continue;
    Row.Point = Middle(Rect);
    Row.Shown = Rect.top >= Client.top && Rect.bottom <= Client.bottom;
    RECT Icon = {LVIR_ICON, 0, 0, 0};
    if (!Remote.Send(List, LVM_GETITEMRECT, i, Icon, Icon)) continue;
    Row.Picture = Middle(Icon);
    Result.push_back(Row);
  }
  return Result;
}

// The middle of the node's picture, left of its label: a click there never starts renaming
// the node, as one on the label of the selected node does.
bool ItemPoint(HWND Tree, TRemote& Remote, HTREEITEM Item, POINT& Point) {
  RECT Rect = {};
  static_assert(sizeof(HTREEITEM) <= sizeof(RECT), "the item goes in the rectangle's place");
  memcpy(&Rect, &Item, sizeof(Item));
  if (!Remote.Send(Tree, TVM_GETITEMRECT, TRUE, Rect, Rect)) return false;
  constexpr int PictureMiddle = 11;  // 16 pixels wide, 3 left of the label
  Point = {Rect.left - PictureMiddle, Middle(Rect).y};
  return true;
}

// A point on the tree's node named Name, among the root's children; a
// collapsed root is clicked and opened with the right arrow key first.
bool NodePoint(const wchar_t* Name, POINT& Point) {
  HWND Tree = View(WC_TREEVIEWW);
  if (!Tree) return false;
  TRemote Remote(Tree);
  auto Next = [Tree](HTREEITEM Item, WPARAM How) {
    return reinterpret_cast<HTREEITEM>(
        SendMessageW(Tree, TVM_GETNEXTITEM, How, reinterpret_cast<LPARAM>(Item)));
  };
  HTREEITEM Root = Next(nullptr, TVGN_ROOT);
  if (!Root) return false;
  if (!(SendMessageW(Tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(Root), TVIS_EXPANDED) &
        TVIS_EXPANDED)) {
    if (!ItemPoint(Tree, Remote, Root, Point)) return false;
    Click(Tree, Point);
    Key(Tree, VK_RIGHT);
    Settle();
  }
  for (HTREEITEM Item = Next(Root, TVGN_CHILD); Item; Item = Next(Item, TVGN_NEXT)) {
    TVITEMW Info = {};
    Info.mask = TVIF_TEXT;
    Info.hItem = Item;
    if (Remote.Text(Tree, TVM_GETITEMW, 0, Info) == Name)
      return ItemPoint(Tree, Remote, Item, Point);
  }
  return false;
}

// A click on the node; the list shows its group a moment later.
bool ClickNode(const wchar_t* Name) {
  POINT Point;
  if (!NodePoint(Name, Point)) return false;
  Click(View(WC_TREEVIEWW), Point);
  return true;
}

// A launcher's row: the first one or the last one, of all or of those in sight.
const TRow* Launcher(const std::vector<TRow>& List, bool Last, bool InSight = true) {
  const TRow* Found = nullptr;
  for (const TRow& Row : List)
    if (!Row.File.empty() && (Row.Shown || !InSight)) {
      Found = &Row;
      if (!Last) break;
    }
  return Found;
}

// The first thing that did not happen, for the summary.
const char* FirstFailure = nullptr;

bool Fail(const char* What) {
  if (!FirstFailure) FirstFailure = What;
  return false;
}

// Lantern's thread is inside a menu's loop. A menu's windows may still show for a moment
// after the loop has ended, or already before it begins.
bool InMenu() {
  GUITHREADINFO Info = {};
  Info.cbSize = sizeof(Info);
  return GetGUIThreadInfo(GetWindowThreadProcessId(Main(), nullptr), &Info) &&
         (Info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE));
}

bool MenuGone() { return !InMenu() && OpenMenus().empty(); }

// The menu that Lantern's loop tracks, once it is the only one on the screen.
HWND TrackedMenu() { return InMenu() ? OneMenu() : nullptr; }

// Esc until no menu is left, after a round that went wrong.
void CloseMenus() {
  for (int i = 0; i < 5 && !MenuGone(); ++i) {
    std::vector<HWND> Menus = OpenMenus();
    if (!Menus.empty()) Key(Menus.front(), VK_ESCAPE);
    WaitFor(1, MenuGone);
  }
}

bool MenuRound(int Round) {
  HWND Notify = FindWindowW(L"TNotifyWindow", nullptr);
  if (!Notify || !PostMessageW(Notify, TrayMessage, TrayIconId, WM_LBUTTONDOWN))
    return Fail("no icon");
  HWND Menu = nullptr;
  if (!WaitFor(10, [&Menu] { return (Menu = TrackedMenu()) != nullptr; })) {
    CloseMenus();
    return Fail("no launcher menu");
  }
  // The first or the second top group, then its first entry, a nested group: the menu takes
  // the keys one after the other.
  for (int i = 0; i <= Round % 2; ++i) Key(Menu, VK_DOWN);
  Key(Menu, VK_RIGHT);
  Key(Menu, VK_RIGHT);
  bool Opened = WaitFor(5, [] { return OpenMenus().size() == 3; });
  for (int i = 0; i < 3; ++i) Key(Menu, VK_ESCAPE);
  bool Closed = WaitFor(5, MenuGone);
  if (!Closed) CloseMenus();
  if (!Opened) return Fail("no submenus");
  if (!Closed) return Fail("Esc left menus open");
  return Settle() || Fail("Lantern does not answer");
}

// Alt+Enter on the view, Esc in the dialog with the caption. Enter comes up where the focus
// is by then, in the dialog.
bool DialogRound(HWND View, const wchar_t* Title) {
  KeyDown(View, VK_RETURN, true);
  HWND Dialog = nullptr;
  if (!WaitFor(10, [&] { return (Dialog = Caption(Title)) != nullptr; })) return Fail("no dialog");
  KeyUp(Dialog, VK_RETURN, true);
  Key(Dialog, VK_ESCAPE);
  if (!WaitFor(10, [Title] { return !Caption(Title); })) return Fail("Esc left the dialog open");
  return Settle() || Fail("Lantern does not answer");
}

bool AboutRound() {
  HWND Notify = FindWindowW(L"TNotifyWindow", nullptr);
  if (!Notify || !PostMessageW(Notify, TrayMessage, TrayIconId, WM_RBUTTONDOWN))
    return Fail("no icon");
  HWND Menu = nullptr;
  if (!WaitFor(10, [&Menu] { return (Menu = TrackedMenu()) != nullptr; })) {
    CloseMenus();
    return Fail("no program menu");
  }
  PostMessageW(Menu, WM_CHAR, L'a', 1);
  const wchar_t* Title = L"バージョン情報";
  HWND About = nullptr;
  if (!WaitFor(10, [&] { return (About = Caption(Title)) != nullptr; }))
    return Fail("no version window");
  Key(About, VK_ESCAPE);
  if (!WaitFor(10, [Title] { return !Caption(Title); })) return Fail("Esc left it open");
  return Settle() || Fail("Lantern does not answer");
}

// Presses the button on the row, moves the mouse in steps to the list's client point To, and
// lets go there. The pointer itself stays on the row: a move of its own during the drag would
// come without the button and end the drag.
bool DragRow(HWND List, POINT From, POINT To) {
  PointerTo(List, From);
  PostMessageW(List, WM_LBUTTONDOWN, MK_LBUTTON, At(From));
  constexpr int Steps = 4;
  for (int i = 1; i <= Steps; ++i) {
    POINT p = {From.x + (To.x - From.x) * i / Steps, From.y + (To.y - From.y) * i / Steps};
    PostMessageW(List, WM_MOUSEMOVE, MK_LBUTTON, At(p));
    Sleep(5);  // as a hand moves: the view sees each position
  }
  PostMessageW(List, WM_LBUTTONUP, 0, At(To));
  if (!Settle()) return Fail("Lantern does not answer");
  return NoMessageBox() || Fail("a message box instead of the drop");
}

// One drag: Round even before the first launcher's row, odd onto the other group's node. Names:
// the two groups, the one shown first.
bool DragRound(int Round, const wchar_t* (&Names)[2]) {
  HWND List = View(WC_LISTVIEWW);
  std::vector<TRow> Before = Rows();
  const TRow* First = Launcher(Before, false);
  const TRow* Last = Launcher(Before, true);
  if (!List || !First || First == Last) return Fail("no two launchers in sight");
  if (Round % 2 == 0) {
    // The last launcher goes before the first.
    std::wstring Moved = Last->Name;
    size_t Index = First - Before.data();
    if (!DragRow(List, Last->Point, First->Point)) return false;
    return WaitFor(5,
                   [&] {
                     std::vector<TRow> After = Rows();
                     return After.size() == Before.size() && After[Index].Name == Moved;
                   }) ||
           Fail("the row did not move in the list");
  }
  POINT Target;
  if (!NodePoint(Names[1], Target)) return Fail("no group node");
  MapWindowPoints(View(WC_TREEVIEWW), List, &Target, 1);
  std::wstring Moved = First->Name;
  if (!DragRow(List, First->Point, Target)) return false;
  bool Gone = WaitFor(5, [&] { return Rows().size() + 1 == Before.size(); });
  std::swap(Names[0], Names[1]);
  if (!ClickNode(Names[0])) return Fail("no group node");
  auto Arrived = [&Moved] {
    std::vector<TRow> Shown = Rows();
    const TRow* Last = Launcher(Shown, true, false);
    return Last && Last->Name == Moved;
  };
  if (!Gone) return Fail("the row stayed in the list");
  return WaitFor(5, Arrived) || Fail("the launcher is not at the group's end");
}

// The GDI objects of the process, counted in its GDI handle table, which the system keeps in
// the process's memory and names in its PEB.
int GdiObjects(HANDLE Process) {
  struct TEntry {  // a 64-bit GDI_HANDLE_ENTRY
    ULONGLONG Object;
    ULONG Owner;
    USHORT Unique;
    UCHAR Type, Flags;
    ULONGLONG UserPointer;
  };
  static_assert(sizeof(TEntry) == 24, "the table's entries are 24 bytes");
  constexpr size_t Entries = 0x10000, PebTableOffset = 0xF8;
  constexpr USHORT Stock = 0x80;
  PROCESS_BASIC_INFORMATION Info = {};
  ULONG n = 0;
  if (NtQueryInformationProcess(Process, ProcessBasicInformation, &Info, sizeof(Info), &n) != 0)
    return -1;
  ULONGLONG Table = 0;
  SIZE_T Read = 0;
  if (!ReadProcessMemory(Process, reinterpret_cast<char*>(Info.PebBaseAddress) + PebTableOffset,
                         &Table, sizeof(Table), &Read) ||
      !Table)
    return -1;
  std::vector<TEntry> Handles(Entries);
  if (!ReadProcessMemory(Process, reinterpret_cast<void*>(Table), Handles.data(),
                         Handles.size() * sizeof(TEntry), &Read))
    return -1;
  int Count = 0;
  for (const TEntry& Entry : Handles) Count += Entry.Type != 0 && !(Entry.Unique & Stock);
  return Count;
}

// The windows of the process, at any depth, message-only ones too.
int Windows(DWORD Pid) {
  struct TCount {
    DWORD Pid;
    int Count;
  } Count = {Pid, 0};
  auto Counted = [](HWND Window, LPARAM Param) -> BOOL {
    auto* c = reinterpret_cast<TCount*>(Param);
    DWORD Owner = 0;
    GetWindowThreadProcessId(Window, &Owner);
    c->Count += Owner == c->Pid;
    return TRUE;
  };
  auto Top = [](HWND Window, LPARAM Param) -> BOOL {
    auto Child = [](HWND Child, LPARAM Param) -> BOOL {
      auto* c = reinterpret_cast<TCount*>(Param);
      DWORD Owner = 0;
      GetWindowThreadProcessId(Child, &Owner);
      c->Count += Owner == c->Pid;
      return TRUE;
    };
    auto* c = reinterpret_cast<TCount*>(Param);
    DWORD Owner = 0;
    GetWindowThreadProcessId(Window, &Owner);
    if (Owner != c->Pid) return TRUE;
    ++c->Count;
    EnumChildWindows(Window, Child, Param);
    return TRUE;
  };
  EnumWindows(Top, reinterpret_cast<LPARAM>(&Count));
  for (HWND Window = nullptr; (Window = FindWindowExW(HWND_MESSAGE, Window, nullptr, nullptr));) {
    Counted(Window, reinterpret_cast<LPARAM>(&Count));
    EnumChildWindows(Window, Counted, reinterpret_cast<LPARAM>(&Count));
  }
  return Count.Count;
}

int Counts() {
  DWORD Pid = LanternPid();
  HANDLE Process =
      Pid ? OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, Pid) : nullptr;
  if (!Process) return 1;
  std::printf("gdi %d user %d reported-gdi %lu reported-user %lu\n", GdiObjects(Process),
              Windows(Pid), GetGuiResources(Process, GR_GDIOBJECTS),
              GetGuiResources(Process, GR_USEROBJECTS));
  CloseHandle(Process);
  return 0;
}

// Runs the rounds; five failures in a row end them (the state is not what they expect).
template <typename F>
int Repeat(int Times, F Round) {
  DWORD Start = GetTickCount();
  int Done = 0, Failed = 0, InARow = 0;
  for (; Done < Times && InARow < 5; ++Done) {
    bool Ok = Round(Done);
    Failed += !Ok;
    InARow = Ok ? 0 : InARow + 1;
  }
  std::printf("%d done, %d failed%s%s, %lu ms\n", Done, Failed, FirstFailure ? ", first: " : "",
              FirstFailure ? FirstFailure : "", GetTickCount() - Start);
  return Failed ? 1 : 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  std::wstring Command = argv[1];
  if (Command == L"counts") return Counts();
  if (argc < 3 || !Main()) return 2;
  const int Times = _wtoi(argv[2]);
  if (Command == L"menu") return Repeat(Times, MenuRound);
  if (Command == L"about") return Repeat(Times, [](int) { return AboutRound(); });
  if (Command == L"launcher-dialog") {
    HWND List = View(WC_LISTVIEWW);
    const TRow* Row = nullptr;
    std::vector<TRow> List1 = Rows();
    if (!List || !(Row = Launcher(List1, false))) return 2;
    Click(List, Row->Picture);
    Settle();
    return Repeat(Times, [List](int) { return DialogRound(List, L"ランチャのプロパティ"); });
  }
  if (Command == L"group-dialog" && argc > 3) {
    HWND Tree = View(WC_TREEVIEWW);
    if (!Tree || !ClickNode(argv[3])) return 2;
    return Repeat(Times, [Tree](int) { return DialogRound(Tree, L"グループのプロパティ"); });
  }
  if (Command == L"drag" && argc > 4) {
    const wchar_t* Names[2] = {argv[3], argv[4]};
    if (!ClickNode(Names[0])) return 2;
    return Repeat(Times, [&Names](int Round) { return DragRound(Round, Names); });
  }
  return 2;
}
