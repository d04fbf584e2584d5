// The toolkit's native side: forms, the tree and list views, image lists, timers and the
// message loop. Each native object mirrors the state its toolkit object keeps in C++, and
// reports what the user does through the toolkit's Native... calls, so that the C++ state
// changes before the program's handlers run. No exception leaves a window procedure.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <stdexcept>
#include <vector>

#include "ui/Action.h"
#include "ui/Application.h"
#include "ui/Bars.h"
#include "ui/Form.h"
#include "ui/ImageList.h"
#include "ui/ListView.h"
#include "ui/Menus.h"
#include "ui/MessageWindow.h"
#include "ui/Splitter.h"
#include "ui/Timer.h"
#include "ui/TreeView.h"
#include "ui/Widgets.h"
#include "ui/win32/CanvasWin32.h"
#include "ui/win32/WideText.h"

namespace lantern {

namespace {

HINSTANCE ModuleInstance() { return GetModuleHandleW(nullptr); }

// Runs a handler on behalf of a window procedure: an exception becomes the error box.
template <typename F>
void Dispatch(F&& Handler) {
  try {
    Handler();
  } catch (const std::exception& E) {
    Application().ShowException(E);
  } catch (...) {
    Application().ShowException(std::runtime_error("予期しないエラーが発生しました"));
  }
}

// The modifier keys held now, as the toolkit's TShiftState bits.
unsigned ShiftState() {
  return (GetKeyState(VK_SHIFT) < 0 ? ssShift : 0u) | (GetKeyState(VK_CONTROL) < 0 ? ssCtrl : 0u) |
         (GetKeyState(VK_MENU) < 0 ? ssAlt : 0u);
}

// Native child controls keep the peer that receives their notifications here.
class TNotifyTarget {
 public:
  virtual ~TNotifyTarget() = default;
  virtual LRESULT Notify(NMHDR* Header) = 0;
  virtual TWinControl* Control() { return nullptr; }        // the toolkit's control, if any
  virtual void Command(UINT) {}                             // WM_COMMAND from the control
  virtual bool DrawItem(DRAWITEMSTRUCT*) { return false; }  // WM_DRAWITEM for the control
};

void BindTarget(HWND Control, TNotifyTarget* Target) {
  SetWindowLongPtrW(Control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(Target));
}

TNotifyTarget* TargetOf(HWND Control) {
  return reinterpret_cast<TNotifyTarget*>(GetWindowLongPtrW(Control, GWLP_USERDATA));
}

// Sets a flag for as long as the peer itself changes the native control, so that the
// notifications this causes are not taken for the user's doing.
class TSyncing {
 public:
  explicit TSyncing(bool& Flag) : FFlag(Flag), FOld(Flag) { FFlag = true; }
  ~TSyncing() { FFlag = FOld; }

 private:
  bool& FFlag;
  bool FOld;
};

// The application's hidden top-level window: the owner of every form, so that the program
// has no task-bar button of its own, and the window that timers tick on.
class TUtilityWindow {
 public:
  static TUtilityWindow& Get() {
    static TUtilityWindow Instance;
    return Instance;
  }
  HWND Handle() const { return FHandle; }
  void AddTimer(UINT_PTR Id, TTimer* Timer) { FTimers[Id] = Timer; }
  void RemoveTimer(UINT_PTR Id) { FTimers.erase(Id); }

 private:
  TUtilityWindow() {
    WNDCLASSW Class = {};
    Class.lpfnWndProc = Proc;
    Class.hInstance = ModuleInstance();
    Class.lpszClassName = L"TLanternApplication";
    RegisterClassW(&Class);
    FHandle = CreateWindowExW(WS_EX_TOOLWINDOW, Class.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0,
                              nullptr, nullptr, ModuleInstance(), nullptr);
  }
  static LRESULT CALLBACK Proc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
    if (Message == WM_MEASUREITEM &&
        reinterpret_cast<MEASUREITEMSTRUCT*>(LParam)->CtlType == ODT_MENU) {
      MeasureMenuItem(Window, *reinterpret_cast<MEASUREITEMSTRUCT*>(LParam));
      return TRUE;
    }
    if (Message == WM_DRAWITEM && reinterpret_cast<DRAWITEMSTRUCT*>(LParam)->CtlType == ODT_MENU) {
      DrawMenuItem(*reinterpret_cast<DRAWITEMSTRUCT*>(LParam));
      return TRUE;
    }
    if (Message == WM_MENUCHAR && (HIWORD(WParam) & MF_POPUP))
      if (LRESULT Found = MenuChar(LOWORD(WParam), reinterpret_cast<HMENU>(LParam))) return Found;
    if (Message == WM_TIMER) {
      auto& Timers = Get().FTimers;
      auto It = Timers.find(WParam);
      if (It != Timers.end()) {
        TTimer* Timer = It->second;
        Dispatch([&] { Timer->Tick(); });
      }
      return 0;
    }
    return DefWindowProcW(Window, Message, WParam, LParam);
  }

  // Owner-drawn popup menus: each native item carries its TMenuItem.
  static void MeasureMenuItem(HWND Window, MEASUREITEMSTRUCT& Measure) {
    auto* Item = reinterpret_cast<TMenuItem*>(Measure.itemData);
    if (!Item || !Item->OnMeasureItem) return;
    HDC Dc = GetDC(Window);
    {
      TDcCanvas Canvas(Dc);
      int Width = static_cast<int>(Measure.itemWidth),
          Height = static_cast<int>(Measure.itemHeight);
      Dispatch([&] { Item->OnMeasureItem(Item, Canvas, Width, Height); });
      Measure.itemWidth = Width > 0 ? Width : 0;
      Measure.itemHeight = Height > 0 ? Height : 0;
    }
    ReleaseDC(Window, Dc);
  }
  static void DrawMenuItem(DRAWITEMSTRUCT& Draw) {
    auto* Item = reinterpret_cast<TMenuItem*>(Draw.itemData);
    if (!Item || !Item->OnDrawItem) return;
    const RECT& R = Draw.rcItem;
    {
      TDcCanvas Canvas(Draw.hDC);
      Dispatch([&] {
        Item->OnDrawItem(Item, Canvas, {R.left, R.top, R.right, R.bottom},
                         (Draw.itemState & ODS_SELECTED) != 0);
      });
    }
    // The entry draws its own submenu arrow; the system's would land on top of it.
    if (Item->Count() > 0) ExcludeClipRect(Draw.hDC, R.right - 20, R.top, R.right, R.bottom);
  }

  // Windows does not know the underlined letters of owner-drawn entries: the underlined
  // letter chooses the entry (opens it, for a group). 0 when none has it.
  static LRESULT MenuChar(wchar_t Key, HMENU Menu) {
    auto Upper = [](wchar_t c) {
      return static_cast<wchar_t>(reinterpret_cast<UINT_PTR>(
          CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(c)))));
    };
    for (int i = 0, n = GetMenuItemCount(Menu); i < n; ++i) {
      MENUITEMINFOW Info = {};
      Info.cbSize = sizeof(Info);
      Info.fMask = MIIM_DATA | MIIM_FTYPE;
      if (!GetMenuItemInfoW(Menu, i, TRUE, &Info) || !(Info.fType & MFT_OWNERDRAW) ||
          !Info.dwItemData)
        continue;
      int Mark;
      std::string Text =
          StripAmpersands(reinterpret_cast<TMenuItem*>(Info.dwItemData)->Caption(), Mark);
      if (Mark < 0) continue;
      // Two bytes hold the marked character whether it takes one or two.
      std::wstring Letter = ToWide(Text.substr(Mark, 2));
      if (!Letter.empty() && Upper(Letter[0]) == Upper(Key)) return MAKELRESULT(i, MNC_EXECUTE);
    }
    return 0;
  }

  HWND FHandle = nullptr;
  std::map<UINT_PTR, TTimer*> FTimers;
};

class TWin32TimerPeer : public TTimerPeer {
 public:
  explicit TWin32TimerPeer(TTimer& Timer) : FTimer(Timer), FId(++LastId) {
    TUtilityWindow::Get().AddTimer(FId, &Timer);
  }
  ~TWin32TimerPeer() override {
    KillTimer(TUtilityWindow::Get().Handle(), FId);
    TUtilityWindow::Get().RemoveTimer(FId);
  }
  void Changed() override {
    if (FTimer.Enabled())
      SetTimer(TUtilityWindow::Get().Handle(), FId, static_cast<UINT>(FTimer.Interval()), nullptr);
    else
      KillTimer(TUtilityWindow::Get().Handle(), FId);
  }

 private:
  static UINT_PTR LastId;
  TTimer& FTimer;
  UINT_PTR FId;
};

UINT_PTR TWin32TimerPeer::LastId = 0;

class TWin32ImageListPeer : public TImageListPeer {
 public:
  TWin32ImageListPeer(int Width, int Height)
      : FList(ImageList_Create(Width, Height, ILC_COLOR32 | ILC_MASK, 16, 64)) {}
  ~TWin32ImageListPeer() override { ImageList_Destroy(FList); }
  void* Handle() const override { return FList; }
  void Added(const TIcon& Icon) override {
    if (ImageList_ReplaceIcon(FList, -1, static_cast<HICON>(Icon.Handle())) < 0) {
      // Keep the indexes in step with the toolkit's list even when Windows refuses a picture.
      HICON Blank = CreateIcon(ModuleInstance(), 1, 1, 1, 1, Mask, Mask + 1);
      ImageList_ReplaceIcon(FList, -1, Blank);
      DestroyIcon(Blank);
    }
  }
  void Deleted(int Index) override { ImageList_Remove(FList, Index); }
  TIcon GetIcon(int Index) const override {
    return TIcon(ImageList_GetIcon(FList, Index, ILD_NORMAL),
                 [](void* Handle) { DestroyIcon(static_cast<HICON>(Handle)); });
  }

 private:
  static const BYTE Mask[2];
  HIMAGELIST FList;
};

const BYTE TWin32ImageListPeer::Mask[2] = {0xFF, 0x00};

HIMAGELIST NativeList(TImageList* List) {
  return List ? static_cast<HIMAGELIST>(List->Handle()) : nullptr;
}

// A native child control of ours.
class TChildPeer : public TNotifyTarget {
 public:
  explicit TChildPeer(TWinControl& Control) : FControl(Control) {}
  TWinControl* Control() override { return &FControl; }
  ~TChildPeer() override {
    if (FHandle) {
      BindTarget(FHandle, nullptr);
      DestroyWindow(FHandle);
    }
  }

 protected:
  // Views take the focus and have a sunken edge; bars have neither. The keys of a view reach
  // its toolkit control before the control's own handling, WM_SYSKEYDOWN (Alt+Enter, Shift+F10)
  // as well as WM_KEYDOWN.
  void Create(const wchar_t* Class, DWORD Style, HWND Parent, bool View = true) {
    FHandle = CreateWindowExW(
        View ? WS_EX_CLIENTEDGE : 0, Class, L"",
        WS_CHILD | (View ? WS_TABSTOP : 0) | (FControl.Visible() ? WS_VISIBLE : 0) | Style,
        FControl.Left(), FControl.Top(), FControl.Width(), FControl.Height(), Parent, nullptr,
        ModuleInstance(), nullptr);
    BindTarget(FHandle, this);
    SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont()), FALSE);
    if (View) SetWindowSubclass(FHandle, KeyProc, 0, reinterpret_cast<DWORD_PTR>(this));
  }
  void MirrorBounds() {
    // Moved controls paint themselves anew: copied bits leave stale lines behind.
    SetWindowPos(FHandle, nullptr, FControl.Left(), FControl.Top(), FControl.Width(),
                 FControl.Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
  }
  void MirrorVisible() { ShowWindow(FHandle, FControl.Visible() ? SW_SHOW : SW_HIDE); }
  bool OriginOnScreen(int& X, int& Y) const {
    POINT p = {0, 0};
    if (!ClientToScreen(FHandle, &p)) return false;
    X = p.x;
    Y = p.y;
    return true;
  }
  void FocusNative() { ::SetFocus(FHandle); }

 private:
  // A key a handler used up goes no further: neither to the control, nor as the character or
  // the key release that follow it (no beep for Enter, no second popup from Shift+F10, which
  // the default handling would send as WM_CONTEXTMENU).
  static LRESULT CALLBACK KeyProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam, UINT_PTR,
                                  DWORD_PTR Data) {
    auto* Peer = reinterpret_cast<TChildPeer*>(Data);
    switch (Message) {
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN: {
        // Alt held is in the message itself, whoever sent it.
        unsigned Shift =
            ShiftState() | (Message == WM_SYSKEYDOWN && (LParam & (1 << 29)) ? ssAlt : 0u);
        bool Used = false;
        Dispatch(
            [&] { Used = Peer->FControl.NativeKeyDown(static_cast<unsigned>(WParam), Shift); });
        Peer->FUsedKey = Used ? WParam : 0;
        if (Used) return 0;
        break;
      }
      case WM_CHAR:
      case WM_SYSCHAR:
        if (Peer->FUsedKey) return 0;
        break;
      case WM_KEYUP:
      case WM_SYSKEYUP:
        if (Peer->FUsedKey == WParam) {
          Peer->FUsedKey = 0;
          return 0;
        }
        break;
      case WM_NCDESTROY: RemoveWindowSubclass(Window, KeyProc, 0); break;
    }
    return DefSubclassProc(Window, Message, WParam, LParam);
  }
  WPARAM FUsedKey = 0;

 public:
  static HFONT UiFont() {
    // The program's font: "ＭＳ Ｐゴシック", 12 pixels, Shift-JIS.
    static HFONT Font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                    DEFAULT_PITCH, ToWide("ＭＳ Ｐゴシック").c_str());
    return Font;
  }

 protected:
  TWinControl& FControl;
  HWND FHandle = nullptr;
  bool FSyncing = false;
};

class TWin32TreeViewPeer : public TTreeViewPeer, public TChildPeer {
 public:
  TWin32TreeViewPeer(TTreeView& View, HWND Parent) : TChildPeer(View), FView(View) {
    Create(WC_TREEVIEWW,
           TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | TVS_EDITLABELS,
           Parent);
    ImagesChanged();
    TSyncing Sync(FSyncing);
    for (int i = 0; i < View.Items().TopCount(); ++i) InsertTree(View.Items().Top(i));
    SelectionChanged(View.Selected());
  }

  void* Handle() const override { return FHandle; }
  void BoundsChanged() override { MirrorBounds(); }
  void VisibleChanged() override { MirrorVisible(); }
  void Focus() override { FocusNative(); }
  bool ScreenOrigin(int& X, int& Y) const override { return OriginOnScreen(X, Y); }

  void NodeAdded(TTreeNode* Node) override {
    TSyncing Sync(FSyncing);
    Insert(Node);
  }
  void NodeDeleting(TTreeNode* Node) override {
    TSyncing Sync(FSyncing);
    if (Node->ItemHandle())
      SendMessageW(FHandle, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(Node->ItemHandle()));
  }
  void NodeChanged(TTreeNode* Node) override {
    if (!Node->ItemHandle()) return;
    TSyncing Sync(FSyncing);
    std::wstring Text = ToWide(Node->Text());
    TVITEMW Item = {};
    Item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    Item.hItem = static_cast<HTREEITEM>(Node->ItemHandle());
    Item.pszText = &Text[0];
    Item.iImage = Node->ImageIndex();
    Item.iSelectedImage = Node->SelectedIndex();
    SendMessageW(FHandle, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&Item));
    UINT State = static_cast<UINT>(SendMessageW(
        FHandle, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(Item.hItem), TVIS_EXPANDED));
    if (((State & TVIS_EXPANDED) != 0) != Node->Expanded())
      SendMessageW(FHandle, TVM_EXPAND, Node->Expanded() ? TVE_EXPAND : TVE_COLLAPSE,
                   reinterpret_cast<LPARAM>(Item.hItem));
  }
  void SelectionChanged(TTreeNode* Node) override {
    TSyncing Sync(FSyncing);
    SendMessageW(FHandle, TVM_SELECTITEM, TVGN_CARET,
                 reinterpret_cast<LPARAM>(Node ? Node->ItemHandle() : nullptr));
  }
  void UpdateBracket(bool Begin) override {
    SendMessageW(FHandle, WM_SETREDRAW, Begin ? FALSE : TRUE, 0);
    if (!Begin) InvalidateRect(FHandle, nullptr, TRUE);
  }
  void InvalidateNode(TTreeNode* Node) override {
    if (!Node->ItemHandle()) return;
    // TVM_GETITEMRECT takes the item in the rectangle's place.
    RECT Rect;
    HTREEITEM Item = static_cast<HTREEITEM>(Node->ItemHandle());
    std::memcpy(&Rect, &Item, sizeof(Item));
    if (SendMessageW(FHandle, TVM_GETITEMRECT, FALSE, reinterpret_cast<LPARAM>(&Rect)))
      InvalidateRect(FHandle, &Rect, TRUE);
  }
  bool Editing() override { return SendMessageW(FHandle, TVM_GETEDITCONTROL, 0, 0) != 0; }
  void EditText(TTreeNode* Node) override {
    ::SetFocus(FHandle);
    SendMessageW(FHandle, TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(Node->ItemHandle()));
  }
  void ImagesChanged() override {
    SendMessageW(FHandle, TVM_SETIMAGELIST, TVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(NativeList(FView.Images())));
  }

  LRESULT Notify(NMHDR* Header) override {
    if (FSyncing && Header->code != TVN_BEGINLABELEDITW) return 0;
    switch (Header->code) {
      case TVN_SELCHANGEDW: {
        auto* Info = reinterpret_cast<NMTREEVIEWW*>(Header);
        FView.NativeSelected(reinterpret_cast<TTreeNode*>(Info->itemNew.lParam));
        return 0;
      }
      case TVN_ITEMEXPANDEDW: {
        auto* Info = reinterpret_cast<NMTREEVIEWW*>(Header);
        if (auto* Node = reinterpret_cast<TTreeNode*>(Info->itemNew.lParam))
          Node->NativeExpanded(Info->action == TVE_EXPAND);
        return 0;
      }
      case TVN_ENDLABELEDITW: {
        auto* Info = reinterpret_cast<NMTVDISPINFOW*>(Header);
        auto* Node = reinterpret_cast<TTreeNode*>(Info->item.lParam);
        if (Node && Info->item.pszText) FView.NativeEdited(Node, FromWide(Info->item.pszText));
        return FALSE;  // the toolkit has set the text itself
      }
      case NM_SETFOCUS: FView.NativeFocusEntered(); return 0;
      case NM_CLICK:
      case NM_RCLICK: return Click(Header->code == NM_CLICK);
      default: return 0;
    }
  }

 private:
  // The tree reports a click before it moves its selection (and before it takes the focus):
  // the node under the mouse is selected and focused first, so that the handler opens the
  // node the user clicked, at the first click. Non-zero keeps the tree from handling a left
  // click on a node selected this way once more: it would take it for a click on a selected
  // node and start renaming it.
  LRESULT Click(bool Left) {
    DWORD At = GetMessagePos();
    TVHITTESTINFO Hit = {};
    Hit.pt = {static_cast<short>(LOWORD(At)), static_cast<short>(HIWORD(At))};
    ScreenToClient(FHandle, &Hit.pt);
    SendMessageW(FHandle, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&Hit));
    bool OnNode = Hit.hItem && (Hit.flags & TVHT_ONITEM);
    HTREEITEM Selected =
        reinterpret_cast<HTREEITEM>(SendMessageW(FHandle, TVM_GETNEXTITEM, TVGN_CARET, 0));
    bool Moved = OnNode && Hit.hItem != Selected;
    if (GetFocus() != FHandle) ::SetFocus(FHandle);
    if (Moved)
      SendMessageW(FHandle, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Hit.hItem));
    FView.NativeClick();
    return Moved && Left ? 1 : 0;
  }

  void Insert(TTreeNode* Node) {
    std::wstring Text = ToWide(Node->Text());
    TVINSERTSTRUCTW Insert = {};
    Insert.hParent =
        Node->Parent() ? static_cast<HTREEITEM>(Node->Parent()->ItemHandle()) : TVI_ROOT;
    Insert.hInsertAfter =
        Node->Index() == 0
            ? TVI_FIRST
            : static_cast<HTREEITEM>((Node->Parent() ? Node->Parent()->Item(Node->Index() - 1)
                                                     : FView.Items().Top(Node->Index() - 1))
                                         ->ItemHandle());
    Insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    Insert.item.pszText = &Text[0];
    Insert.item.iImage = Node->ImageIndex();
    Insert.item.iSelectedImage = Node->SelectedIndex();
    Insert.item.lParam = reinterpret_cast<LPARAM>(Node);
    Node->SetItemHandle(reinterpret_cast<HTREEITEM>(
        SendMessageW(FHandle, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&Insert))));
  }
  void InsertTree(TTreeNode* Node) {
    Insert(Node);
    for (int i = 0; i < Node->Count(); ++i) InsertTree(Node->Item(i));
    if (Node->Expanded())
      SendMessageW(FHandle, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(Node->ItemHandle()));
  }

  TTreeView& FView;
};

// A window of one of the toolkit's own classes, bound to its peer: the class is registered
// the first time, and the procedure hands each message to the peer's Message.
class TOwnWindow : public TControlPeer {
 public:
  ~TOwnWindow() override {
    SetWindowLongPtrW(FHandle, GWLP_USERDATA, 0);
    DestroyWindow(FHandle);
  }
  void* Handle() const override { return FHandle; }

 protected:
  struct TClass {
    const std::wstring Name;
    HCURSOR Cursor = nullptr;
    HBRUSH Background = nullptr;
  };
  void Create(const TClass& Class, DWORD ExStyle, DWORD Style, int X, int Y, int Width, int Height,
              HWND Parent) {
    WNDCLASSW Info = {};
    if (!GetClassInfoW(ModuleInstance(), Class.Name.c_str(), &Info)) {
      Info.lpfnWndProc = Proc;
      Info.hInstance = ModuleInstance();
      Info.hCursor = Class.Cursor;
      Info.hbrBackground = Class.Background;
      Info.lpszClassName = Class.Name.c_str();
      RegisterClassW(&Info);
    }
    FHandle = CreateWindowExW(ExStyle, Class.Name.c_str(), L"", Style, X, Y, Width, Height, Parent,
                              nullptr, ModuleInstance(), nullptr);
    SetWindowLongPtrW(FHandle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  // True when handled (the result is then 0); otherwise the default handling runs.
  virtual bool Message(UINT Message, WPARAM WParam, LPARAM LParam) = 0;

  HWND FHandle = nullptr;

 private:
  static LRESULT CALLBACK Proc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
    auto* Peer = reinterpret_cast<TOwnWindow*>(GetWindowLongPtrW(Window, GWLP_USERDATA));
    if (Peer && Peer->Message(Message, WParam, LParam)) return 0;
    return DefWindowProcW(Window, Message, WParam, LParam);
  }
};

// The splitter bar: a window of its own class that follows the mouse while it is dragged.
class TWin32SplitterPeer : public TOwnWindow {
 public:
  TWin32SplitterPeer(TSplitter& Splitter, HWND Parent) : FSplitter(Splitter) {
    Create({L"TLanternSplitter", LoadCursorW(nullptr, MAKEINTRESOURCEW(32644)),  // IDC_SIZEWE
            reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)},
           0, WS_CHILD | WS_VISIBLE, Splitter.Left(), Splitter.Top(), Splitter.Width(),
           Splitter.Height(), Parent);
  }
  void BoundsChanged() override {
    SetWindowPos(FHandle, nullptr, FSplitter.Left(), FSplitter.Top(), FSplitter.Width(),
                 FSplitter.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  }

 private:
  bool Message(UINT Message, WPARAM, LPARAM) override {
    POINT At;
    GetCursorPos(&At);
    switch (Message) {
      case WM_LBUTTONDOWN:
        SetCapture(FHandle);
        FLastX = At.x;
        return true;
      case WM_MOUSEMOVE:
        if (GetCapture() == FHandle && At.x != FLastX) {
          int Delta = At.x - FLastX;
          FLastX = At.x;
          Dispatch([&] { FSplitter.NativeMoved(Delta); });
        }
        return true;
      case WM_LBUTTONUP: ReleaseCapture(); return true;
      default: return false;
    }
  }

  TSplitter& FSplitter;
  int FLastX = 0;
};

class TWin32ToolBarPeer : public TToolBarPeer, public TChildPeer {
 public:
  TWin32ToolBarPeer(TToolBar& Bar, HWND Parent) : TChildPeer(Bar), FBar(Bar) {
    Create(TOOLBARCLASSNAMEW,
           TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER,
           Parent, false);
    // The tooltips ask their texts through the form as well.
    if (HWND Tips = reinterpret_cast<HWND>(SendMessageW(FHandle, TB_GETTOOLTIPS, 0, 0)))
      BindTarget(Tips, this);
    SendMessageW(FHandle, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(FHandle, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(NativeList(Bar.Images())));
    SendMessageW(FHandle, TB_SETBUTTONSIZE, 0, MAKELPARAM(Bar.ButtonWidth(), Bar.ButtonHeight()));
    ButtonsChanged();
  }
  void* Handle() const override { return FHandle; }
  void BoundsChanged() override { MirrorBounds(); }
  void ButtonsChanged() override {
    while (SendMessageW(FHandle, TB_DELETEBUTTON, 0, 0)) {
    }
    const auto& Buttons = FBar.Buttons();
    std::vector<TBBUTTON> Native(Buttons.size());
    for (std::size_t i = 0; i < Buttons.size(); ++i) {
      Native[i].idCommand = static_cast<int>(FirstButton + i);
      Native[i].fsStyle = Buttons[i] ? BTNS_BUTTON : BTNS_SEP;
      Native[i].iBitmap =
          Buttons[i] && Buttons[i]->ImageIndex() >= 0 ? Buttons[i]->ImageIndex() : I_IMAGENONE;
      Native[i].fsState = State(Buttons[i]);
    }
    if (!Native.empty())
      SendMessageW(FHandle, TB_ADDBUTTONSW, Native.size(), reinterpret_cast<LPARAM>(Native.data()));
  }
  void StatesChanged() override {
    const auto& Buttons = FBar.Buttons();
    for (std::size_t i = 0; i < Buttons.size(); ++i)
      if (Buttons[i]) SendMessageW(FHandle, TB_SETSTATE, FirstButton + i, State(Buttons[i]));
  }
  void Command(UINT Id) override {
    if (Id >= FirstButton) FBar.NativeClick(static_cast<int>(Id - FirstButton));
  }
  LRESULT Notify(NMHDR* Header) override {
    if (Header->code == TTN_GETDISPINFOW) {
      auto* Info = reinterpret_cast<NMTTDISPINFOW*>(Header);
      std::size_t Index = Header->idFrom - FirstButton;
      if (Index < FBar.Buttons().size() && FBar.Buttons()[Index]) {
        FTip = ToWide(FBar.Buttons()[Index]->Hint());
        Info->lpszText = &FTip[0];
      }
    }
    return 0;
  }

 private:
  static constexpr UINT FirstButton = 2000;
  static BYTE State(TAction* Action) {
    if (!Action) return 0;
    return (Action->Enabled() ? TBSTATE_ENABLED : 0) | (Action->Checked() ? TBSTATE_CHECKED : 0);
  }
  TToolBar& FBar;
  std::wstring FTip;
};

// One line of red text.
class TWin32StatusBarPeer : public TControlPeer, public TChildPeer {
 public:
  TWin32StatusBarPeer(TStatusBar& Bar, HWND Parent) : TChildPeer(Bar), FBar(Bar) {
    Create(STATUSCLASSNAMEW, CCS_NORESIZE | CCS_NOPARENTALIGN, Parent, false);
    SendMessageW(FHandle, SB_SIMPLE, TRUE, 0);
    StateChanged();
  }
  void* Handle() const override { return FHandle; }
  void BoundsChanged() override { MirrorBounds(); }
  void StateChanged() override {
    SendMessageW(FHandle, SB_SETTEXTW, SB_SIMPLEID | SBT_OWNERDRAW, 0);
    InvalidateRect(FHandle, nullptr, TRUE);
  }
  LRESULT Notify(NMHDR*) override { return 0; }
  bool DrawItem(DRAWITEMSTRUCT* Draw) override {
    std::wstring Text = ToWide(FBar.SimpleText());
    SetTextColor(Draw->hDC, RGB(255, 0, 0));
    SetBkMode(Draw->hDC, TRANSPARENT);
    HGDIOBJ Old = SelectObject(Draw->hDC, UiFont());
    RECT Rect = Draw->rcItem;
    Rect.left += 2;
    DrawTextW(Draw->hDC, Text.c_str(), static_cast<int>(Text.size()), &Rect,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SelectObject(Draw->hDC, Old);
    return true;
  }

 private:
  TStatusBar& FBar;
};

class TWin32ListViewPeer : public TListViewPeer, public TChildPeer {
 public:
  TWin32ListViewPeer(TListView& View, HWND Parent) : TChildPeer(View), FView(View) {
    // The image lists belong to their toolkit objects, which destroy them.
    Create(WC_LISTVIEWW, LVS_REPORT | LVS_SHOWSELALWAYS | LVS_EDITLABELS | LVS_SHAREIMAGELISTS,
           Parent);
    SendMessageW(FHandle, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    ColumnsChanged();
    ImagesChanged();
    Rebuild();
  }

  ~TWin32ListViewPeer() override {
    // With shared image lists the control leaves its own check boxes' list behind as well.
    HIMAGELIST Checks =
        reinterpret_cast<HIMAGELIST>(SendMessageW(FHandle, LVM_GETIMAGELIST, LVSIL_STATE, 0));
    BindTarget(FHandle, nullptr);
    DestroyWindow(FHandle);
    FHandle = nullptr;
    if (Checks) ImageList_Destroy(Checks);
  }

  void* Handle() const override { return FHandle; }
  void BoundsChanged() override { MirrorBounds(); }
  void VisibleChanged() override { MirrorVisible(); }
  void Focus() override { FocusNative(); }
  bool ScreenOrigin(int& X, int& Y) const override { return OriginOnScreen(X, Y); }

  // While the list is inside an update bracket nothing is sent; the bracket's end rebuilds
  // the native rows at once (a group of thousands is listed in one pass).
  void RowInserted(TListItem* Row, int Index) override {
    if (FDeferred) return;
    TSyncing Sync(FSyncing);
    InsertRow(Row, Index);
  }
  void RowDeleting(TListItem*, int Index) override {
    if (FDeferred) return;
    TSyncing Sync(FSyncing);
    SendMessageW(FHandle, LVM_DELETEITEM, Index, 0);
  }
  void RowsReordered() override {
    if (!FDeferred) Rebuild();
  }
  void RowsCleared() override {
    if (FDeferred) return;
    TSyncing Sync(FSyncing);
    SendMessageW(FHandle, LVM_DELETEALLITEMS, 0, 0);
  }
  void RowChanged(TListItem* Row, TItemChange) override {
    if (FDeferred) return;
    TSyncing Sync(FSyncing);
    MirrorRow(Row, Row->Index());
  }
  void ImagesChanged() override {
    SendMessageW(FHandle, LVM_SETIMAGELIST, LVSIL_SMALL,
                 reinterpret_cast<LPARAM>(NativeList(FView.SmallImages())));
  }
  void ColumnsChanged() override {
    while (SendMessageW(FHandle, LVM_DELETECOLUMN, 0, 0)) {
    }
    const auto& Columns = FView.Columns();
    for (std::size_t i = 0; i < Columns.size(); ++i) {
      std::wstring Text = ToWide(Columns[i].Caption);
      LVCOLUMNW Column = {};
      Column.mask = LVCF_TEXT | LVCF_WIDTH;
      Column.pszText = &Text[0];
      Column.cx = Columns[i].Width;
      SendMessageW(FHandle, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&Column));
    }
  }
  void UpdateBracket(bool Begin) override {
    FDeferred = Begin;
    if (!Begin) Rebuild();
  }
  void MakeVisible(TListItem* Row) override {
    SendMessageW(FHandle, LVM_ENSUREVISIBLE, Row->Index(), FALSE);
  }
  bool Editing() override { return SendMessageW(FHandle, LVM_GETEDITCONTROL, 0, 0) != 0; }
  void EditCaption(TListItem* Row) override {
    ::SetFocus(FHandle);
    SendMessageW(FHandle, LVM_EDITLABELW, Row->Index(), 0);
  }
  int ColumnWidth(int Index) override {
    return static_cast<int>(SendMessageW(FHandle, LVM_GETCOLUMNWIDTH, Index, 0));
  }

  LRESULT Notify(NMHDR* Header) override {
    if (FSyncing) return 0;
    switch (Header->code) {
      case LVN_ITEMCHANGED: {
        auto* Info = reinterpret_cast<NMLISTVIEW*>(Header);
        if (!(Info->uChanged & LVIF_STATE)) return 0;
        if (Info->iItem < 0) {
          for (int i = 0; i < FView.Items().Count(); ++i) ReadState(i);
        } else {
          ReadState(Info->iItem);
        }
        return 0;
      }
      case LVN_ENDLABELEDITW: {
        auto* Info = reinterpret_cast<NMLVDISPINFOW*>(Header);
        if (Info->item.pszText && Info->item.iItem >= 0 && Info->item.iItem < FView.Items().Count())
          FView.NativeEdited(FView.Items()[Info->item.iItem], FromWide(Info->item.pszText));
        return FALSE;
      }
      case LVN_COLUMNCLICK:
        FView.NativeColumnClick(reinterpret_cast<NMLISTVIEW*>(Header)->iSubItem);
        return 0;
      case NM_DBLCLK: FView.NativeDblClick(); return 0;
      case NM_SETFOCUS: FView.NativeFocusEntered(); return 0;
      default: return 0;
    }
  }

 private:
  void InsertRow(TListItem* Row, int Index) {
    LVITEMW Item = {};
    Item.mask = LVIF_PARAM;
    Item.iItem = Index;
    Item.lParam = reinterpret_cast<LPARAM>(Row);
    SendMessageW(FHandle, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&Item));
    MirrorRow(Row, Index);
  }
  void MirrorRow(TListItem* Row, int Index) {
    std::wstring Caption = ToWide(Row->Caption());
    LVITEMW Item = {};
    Item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE;
    Item.iItem = Index;
    Item.pszText = &Caption[0];
    Item.iImage = Row->ImageIndex();
    Item.stateMask = LVIS_STATEIMAGEMASK | LVIS_SELECTED | LVIS_FOCUSED;
    Item.state = INDEXTOSTATEIMAGEMASK(Row->Checked() ? 2 : 1) |
                 (Row->Selected() ? LVIS_SELECTED : 0) | (Row->Focused() ? LVIS_FOCUSED : 0);
    SendMessageW(FHandle, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&Item));
    for (int i = 0; i < Row->SubItems().Count(); ++i) {
      std::wstring Text = ToWide(Row->SubItems()[i]);
      LVITEMW Sub = {};
      Sub.iSubItem = i + 1;
      Sub.pszText = &Text[0];
      SendMessageW(FHandle, LVM_SETITEMTEXTW, Index, reinterpret_cast<LPARAM>(&Sub));
    }
  }
  // All rows anew, drawn once at the end.
  void Rebuild() {
    TSyncing Sync(FSyncing);
    SendMessageW(FHandle, WM_SETREDRAW, FALSE, 0);
    SendMessageW(FHandle, LVM_DELETEALLITEMS, 0, 0);
    SendMessageW(FHandle, LVM_SETITEMCOUNT, FView.Items().Count(), 0);
    for (int i = 0; i < FView.Items().Count(); ++i) InsertRow(FView.Items()[i], i);
    SendMessageW(FHandle, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(FHandle, nullptr, TRUE);
  }
  void ReadState(int Index) {
    if (Index >= FView.Items().Count()) return;
    UINT State = static_cast<UINT>(SendMessageW(
        FHandle, LVM_GETITEMSTATE, Index, LVIS_STATEIMAGEMASK | LVIS_SELECTED | LVIS_FOCUSED));
    FView.Items()[Index]->NativeState(((State & LVIS_STATEIMAGEMASK) >> 12) == 2,
                                      (State & LVIS_SELECTED) != 0, (State & LVIS_FOCUSED) != 0);
  }

  TListView& FView;
  bool FDeferred = false;
};

// Native menus are made from the items when they are needed; each item's command number is
// its place in Items plus FirstCommand.
constexpr UINT FirstCommand = 1000;

void AppendItems(HMENU Menu, TMenuItem& Parent, std::vector<TMenuItem*>& Items,
                 bool OwnerDraw = false) {
  for (int i = 0; i < Parent.Count(); ++i) {
    TMenuItem* Item = Parent.Items(i);
    if (OwnerDraw) {
      // The entry measures and draws itself; its caption is only read when it paints.
      auto Data = reinterpret_cast<LPCWSTR>(Item);
      UINT Flags = MF_OWNERDRAW | (Item->Enabled() ? MF_ENABLED : MF_GRAYED);
      if (Item->Count() > 0) {
        HMENU Sub = CreatePopupMenu();
        AppendItems(Sub, *Item, Items, true);
        AppendMenuW(Menu, Flags | MF_POPUP, reinterpret_cast<UINT_PTR>(Sub), Data);
      } else {
        Items.push_back(Item);
        AppendMenuW(Menu, Flags, FirstCommand + Items.size() - 1, Data);
      }
      continue;
    }
    if (Item->IsSeparator()) {
      AppendMenuW(Menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    std::wstring Text = ToWide(Item->MenuText());
    UINT Flags = MF_STRING | (Item->Enabled() ? MF_ENABLED : MF_GRAYED) |
                 (Item->Checked() ? MF_CHECKED : MF_UNCHECKED);
    if (Item->Count() > 0) {
      HMENU Sub = CreatePopupMenu();
      AppendItems(Sub, *Item, Items);
      AppendMenuW(Menu, Flags | MF_POPUP, reinterpret_cast<UINT_PTR>(Sub), Text.c_str());
    } else {
      Items.push_back(Item);
      AppendMenuW(Menu, Flags, FirstCommand + Items.size() - 1, Text.c_str());
      if (Item->Default()) SetMenuDefaultItem(Menu, FirstCommand + Items.size() - 1, FALSE);
    }
  }
}

// Brings the items of a menu that is about to open up to date with their actions.
void RefreshItems(HMENU Menu, const std::vector<TMenuItem*>& Items) {
  for (int i = 0, n = GetMenuItemCount(Menu); i < n; ++i) {
    UINT Id = GetMenuItemID(Menu, i);
    if (Id < FirstCommand || Id - FirstCommand >= Items.size()) continue;
    TMenuItem* Item = Items[Id - FirstCommand];
    EnableMenuItem(Menu, i, MF_BYPOSITION | (Item->Enabled() ? MF_ENABLED : MF_GRAYED));
    CheckMenuItem(Menu, i, MF_BYPOSITION | (Item->Checked() ? MF_CHECKED : MF_UNCHECKED));
  }
}

class TWin32FormPeer;
TWin32FormPeer* MainForm = nullptr;

class TWin32FormPeer : public TControlPeer {
 public:
  explicit TWin32FormPeer(TForm& Form) : FForm(Form) {
    std::wstring Class = ToWide(Form.WindowClass());
    WNDCLASSEXW Info = {};
    Info.cbSize = sizeof(Info);
    if (!GetClassInfoExW(ModuleInstance(), Class.c_str(), &Info)) {
      Info.style = CS_DBLCLKS;
      Info.lpfnWndProc = Proc;
      Info.hInstance = ModuleInstance();
      Info.hIcon = LoadIconW(ModuleInstance(), MAKEINTRESOURCEW(1));
      Info.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
      Info.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
      Info.lpszClassName = Class.c_str();
      RegisterClassExW(&Info);
    }
    if (!MainForm) MainForm = this;
    Forms().push_back(this);
    CreateWindowExW(0, Class.c_str(), ToWide(Form.Caption()).c_str(),
                    WS_OVERLAPPEDWINDOW & ~WS_MINIMIZEBOX, Form.Left(), Form.Top(), Form.Width(),
                    Form.Height(), TUtilityWindow::Get().Handle(), nullptr, ModuleInstance(), this);
    RECT Client;
    GetClientRect(FHandle, &Client);
    FForm.NativeClientSize(Client.right, Client.bottom);
  }
  ~TWin32FormPeer() override {
    if (FHandle) {
      SetWindowLongPtrW(FHandle, GWLP_USERDATA, 0);
      DestroyWindow(FHandle);
    }
    if (MainForm == this) MainForm = nullptr;
    Forms().erase(std::find(Forms().begin(), Forms().end(), this));
  }

  // The form of a window of ours (or of one of its controls), if any.
  static TForm* FormOf(HWND Window) {
    HWND Top = Window ? GetAncestor(Window, GA_ROOT) : nullptr;
    for (TWin32FormPeer* Peer : Forms())
      if (Peer->FHandle && Peer->FHandle == Top) return &Peer->FForm;
    return nullptr;
  }

  void* Handle() const override { return FHandle; }
  void BoundsChanged() override {
    if (FSyncing) return;
    SetWindowPos(FHandle, nullptr, FForm.Left(), FForm.Top(), FForm.Width(), FForm.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  void VisibleChanged() override {
    if (!FForm.Visible())
      ShowWindow(FHandle, SW_HIDE);
    else
      StateChanged();
  }
  void StateChanged() override {
    SetWindowTextW(FHandle, ToWide(FForm.Caption()).c_str());
    if (!FForm.Visible()) return;
    if (FForm.WindowState() != TWindowState::Minimized) CreateChildren();
    switch (FForm.WindowState()) {
      case TWindowState::Minimized: ShowWindow(FHandle, SW_SHOWMINNOACTIVE); break;
      case TWindowState::Maximized: ShowWindow(FHandle, SW_SHOWMAXIMIZED); break;
      default: ShowWindow(FHandle, IsIconic(FHandle) || IsZoomed(FHandle) ? SW_RESTORE : SW_SHOW);
    }
  }
  void Focus() override { SetForegroundWindow(FHandle); }
  void Closed() override { DestroyWindow(FHandle); }

  // The menu bar and the native controls come with the first time the window is really
  // shown: a program that starts resident does not pay for them until the user opens it.
  void CreateChildren() {
    if (FChildrenCreated) return;
    FChildrenCreated = true;
    if (TMainMenu* Menu = FForm.Menu()) {
      HMENU Bar = CreateMenu();
      AppendItems(Bar, Menu->Items(), FMenuItems);
      SetMenu(FHandle, Bar);
      RECT Client;
      GetClientRect(FHandle, &Client);
      FForm.NativeClientSize(Client.right, Client.bottom);
    }
    for (TWinControl* Child : FForm.Controls()) {
      if (auto* Tree = dynamic_cast<TTreeView*>(Child))
        Tree->SetPeer(std::make_unique<TWin32TreeViewPeer>(*Tree, FHandle));
      else if (auto* List = dynamic_cast<TListView*>(Child))
        List->SetPeer(std::make_unique<TWin32ListViewPeer>(*List, FHandle));
      else if (auto* Bar = dynamic_cast<TSplitter*>(Child))
        Bar->SetPeer(std::make_unique<TWin32SplitterPeer>(*Bar, FHandle));
      else if (auto* Tools = dynamic_cast<TToolBar*>(Child))
        Tools->SetPeer(std::make_unique<TWin32ToolBarPeer>(*Tools, FHandle));
      else if (auto* Status = dynamic_cast<TStatusBar*>(Child))
        Status->SetPeer(std::make_unique<TWin32StatusBarPeer>(*Status, FHandle));
    }
    FForm.Realign();
  }

 private:
  static std::vector<TWin32FormPeer*>& Forms() {
    static std::vector<TWin32FormPeer*> Instances;
    return Instances;
  }

  static LRESULT CALLBACK Proc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
    if (Message == WM_NCCREATE) {
      auto* Peer =
          static_cast<TWin32FormPeer*>(reinterpret_cast<CREATESTRUCTW*>(LParam)->lpCreateParams);
      Peer->FHandle = Window;
      SetWindowLongPtrW(Window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(Peer));
    }
    auto* Peer = reinterpret_cast<TWin32FormPeer*>(GetWindowLongPtrW(Window, GWLP_USERDATA));
    if (!Peer) return DefWindowProcW(Window, Message, WParam, LParam);
    LRESULT Result = 0;
    bool Handled = false;
    Dispatch([&] { Handled = Peer->Handle(Message, WParam, LParam, Result); });
    return Handled ? Result : DefWindowProcW(Window, Message, WParam, LParam);
  }

  bool Handle(UINT Message, WPARAM WParam, LPARAM LParam, LRESULT& Result) {
    switch (Message) {
      case WM_NOTIFY: {
        auto* Header = reinterpret_cast<NMHDR*>(LParam);
        if (TNotifyTarget* Target = TargetOf(Header->hwndFrom)) Result = Target->Notify(Header);
        return true;
      }
      case WM_SIZE: {
        FForm.NativeWindowStateChanged(WParam == SIZE_MINIMIZED   ? TWindowState::Minimized
                                       : WParam == SIZE_MAXIMIZED ? TWindowState::Maximized
                                                                  : TWindowState::Normal);
        if (WParam != SIZE_MINIMIZED) FForm.NativeClientSize(LOWORD(LParam), HIWORD(LParam));
        ReadBounds();
        return true;
      }
      case WM_MOVE: ReadBounds(); return true;
      case WM_INITMENUPOPUP: RefreshItems(reinterpret_cast<HMENU>(WParam), FMenuItems); return true;
      case WM_COMMAND: {
        UINT Id = LOWORD(WParam);
        if (LParam != 0) {  // from a control
          if (TNotifyTarget* Target = TargetOf(reinterpret_cast<HWND>(LParam))) Target->Command(Id);
          return true;
        }
        if (HIWORD(WParam) != 0 || Id < FirstCommand || Id - FirstCommand >= FMenuItems.size())
          return false;
        FMenuItems[Id - FirstCommand]->Click();
        return true;
      }
      case WM_CONTEXTMENU: {
        TNotifyTarget* Target = TargetOf(reinterpret_cast<HWND>(WParam));
        TWinControl* Control = Target ? Target->Control() : nullptr;
        if (!Control || !Control->PopupMenu()) return false;
        int X = static_cast<short>(LOWORD(LParam)), Y = static_cast<short>(HIWORD(LParam));
        if (LParam == -1) Control->ScreenOrigin(X, Y);  // from the keyboard
        Control->PopupMenu()->Popup(X, Y);
        return true;
      }
      case WM_DRAWITEM: {
        auto* Draw = reinterpret_cast<DRAWITEMSTRUCT*>(LParam);
        TNotifyTarget* Target = TargetOf(Draw->hwndItem);
        Result = Target && Target->DrawItem(Draw);
        return Target != nullptr;
      }
      case WM_CLOSE: FForm.Close(); return true;
      case WM_QUERYENDSESSION:
        // Only asked: the window stays until the session really ends.
        Result = FForm.NativeQueryEndSession() ? TRUE : FALSE;
        return true;
      case WM_ENDSESSION: FForm.NativeEndSession(WParam != 0); return true;
      case WM_DESTROY:
        if (MainForm == this) PostQuitMessage(0);
        return true;
      case WM_NCDESTROY:
        SetWindowLongPtrW(FHandle, GWLP_USERDATA, 0);
        FHandle = nullptr;
        return false;
      default: return false;
    }
  }

  void ReadBounds() {
    // Only the normal position is kept: a minimised window reports nonsense.
    if (IsIconic(FHandle) || IsZoomed(FHandle)) return;
    RECT Rect;
    GetWindowRect(FHandle, &Rect);
    TSyncing Sync(FSyncing);
    FForm.NativeBoundsChanged(Rect.left, Rect.top, Rect.right - Rect.left, Rect.bottom - Rect.top);
  }

  TForm& FForm;
  HWND FHandle = nullptr;
  bool FSyncing = false;
  bool FChildrenCreated = false;
  std::vector<TMenuItem*> FMenuItems;
};

// A hidden top-level window (so that it hears the shell's broadcasts) whose messages from
// WM_USER up go to its toolkit object.
class TWin32MessageWindowPeer : public TOwnWindow {
 public:
  explicit TWin32MessageWindowPeer(TMessageWindow& Window) : FWindow(Window) {
    Create({ToWide(Window.ClassName())}, WS_EX_TOOLWINDOW, WS_POPUP, 0, 0, 0, 0, nullptr);
  }

 private:
  bool Message(UINT Message, WPARAM WParam, LPARAM LParam) override {
    if (Message < WM_USER) return false;
    Dispatch([&] { FWindow.WndProc(Message, WParam, LParam); });
    return true;
  }

  TMessageWindow& FWindow;
};

class TWin32Widgets : public TWidgetFactory {
 public:
  TWin32Widgets() {
    INITCOMMONCONTROLSEX Init = {sizeof(Init), ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES |
                                                   ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&Init);
  }

  void CreateForm(TForm& Form) override {
    Form.SetPeer(std::make_unique<TWin32FormPeer>(Form));
    Form.Realign();
  }

  std::unique_ptr<TTimerPeer> CreateTimer(TTimer& Timer) override {
    return std::make_unique<TWin32TimerPeer>(Timer);
  }

  std::unique_ptr<TImageListPeer> CreateImageList(TImageList& List) override {
    return std::make_unique<TWin32ImageListPeer>(List.Width(), List.Height());
  }

  TMenuItem* TrackPopupMenu(TPopupMenu& Menu, int X, int Y) override {
    std::vector<TMenuItem*> Items;
    HMENU Popup = CreatePopupMenu();
    AppendItems(Popup, Menu.Items(), Items, Menu.OwnerDraw());
    // The owner must be in the foreground, or the menu does not close when the user clicks
    // elsewhere; the message after it lets the menu go for good.
    HWND Owner = TUtilityWindow::Get().Handle();
    SetForegroundWindow(Owner);
    UINT Id = static_cast<UINT>(::TrackPopupMenu(
        Popup, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, X, Y, 0, Owner, nullptr));
    PostMessageW(Owner, WM_NULL, 0, 0);
    DestroyMenu(Popup);
    return Id >= FirstCommand && Id - FirstCommand < Items.size() ? Items[Id - FirstCommand]
                                                                  : nullptr;
  }

  std::unique_ptr<TControlPeer> CreateMessageWindow(TMessageWindow& Window) override {
    return std::make_unique<TWin32MessageWindowPeer>(Window);
  }

  void Run() override {
    MSG Msg;
    while (GetMessageW(&Msg, nullptr, 0, 0) > 0) Deliver(Msg);
  }

  void ProcessMessages() override {
    MSG Msg;
    while (PeekMessageW(&Msg, nullptr, 0, 0, PM_REMOVE)) {
      if (Msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(Msg.wParam));  // for the loop that waits for it
        return;
      }
      Deliver(Msg);
    }
  }

  void Terminate() override { PostQuitMessage(0); }

 private:
  // The application-wide hook sees the message first; then the shortcuts of the form the key
  // was typed in, as a menu's accelerators would.
  static void Deliver(MSG& Msg) {
    TMessage Portable{Msg.hwnd, Msg.message, Msg.wParam, Msg.lParam};
    bool Handled = false;
    if (Application().OnMessage) Dispatch([&] { Application().OnMessage(Portable, Handled); });
    if (Handled) return;
    if ((Msg.message == WM_KEYDOWN || Msg.message == WM_SYSKEYDOWN) && IsShortCut(Msg)) return;
    TranslateMessage(&Msg);
    DispatchMessageW(&Msg);
  }

  static bool IsShortCut(const MSG& Msg) {
    // In-place editing keeps its keys: F2 and Shift+arrows belong to the text there.
    wchar_t Class[16] = L"";
    GetClassNameW(Msg.hwnd, Class, 16);
    if (lstrcmpiW(Class, L"Edit") == 0) return false;
    TForm* Form = TWin32FormPeer::FormOf(Msg.hwnd);
    if (!Form) return false;
    bool Used = false;
    Dispatch([&] { Used = Form->IsShortCut(static_cast<unsigned>(Msg.wParam), ShiftState()); });
    return Used;
  }
};

}  // namespace

TWidgetFactory* PlatformWidgets() {
  static TWin32Widgets Instance;
  return &Instance;
}

}  // namespace lantern
