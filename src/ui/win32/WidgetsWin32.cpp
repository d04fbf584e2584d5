// The toolkit's native side as a whole: the widget factory, the message loop, and the
// application's hidden window, which owns the forms and the popup menus and on which the
// timers tick; also image lists, timers and message windows.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <map>
#include <memory>
#include <string>

#include "ui/Application.h"
#include "ui/Bars.h"
#include "ui/ExtCtrls.h"
#include "ui/Form.h"
#include "ui/ListCtrls.h"
#include "ui/ListView.h"
#include "ui/Menus.h"
#include "ui/MessageWindow.h"
#include "ui/Splitter.h"
#include "ui/StdCtrls.h"
#include "ui/Timer.h"
#include "ui/TreeView.h"
#include "ui/Widgets.h"
#include "ui/win32/Handles.h"
#include "ui/win32/MenusWin32.h"
#include "ui/win32/Peers.h"
#include "ui/win32/WideText.h"
#include "ui/win32/Window.h"

namespace lantern {

namespace {

// The application's hidden top-level window.
class TUtilityWindow : public TWindow {
 public:
  static TUtilityWindow& Get() {
    static TUtilityWindow Instance;
    return Instance;
  }
  void AddTimer(UINT_PTR Id, TTimer* Timer) { FTimers[Id] = Timer; }
  void RemoveTimer(UINT_PTR Id) { FTimers.erase(Id); }

 private:
  TUtilityWindow() {
    Create({L"TLanternApplication"}, WS_EX_TOOLWINDOW, WS_POPUP, L"", 0, 0, 0, 0, nullptr);
  }

  bool HandleMessage(UINT Message, WPARAM WParam, LPARAM LParam, LRESULT& Result) override {
    switch (Message) {
      case WM_MEASUREITEM: {
        auto& Measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(LParam);
        if (Measure.CtlType != ODT_MENU) return false;
        MeasureOwnerDrawn(FHandle, Measure);
        Result = TRUE;
        return true;
      }
      case WM_DRAWITEM: {
        auto& Draw = *reinterpret_cast<DRAWITEMSTRUCT*>(LParam);
        if (Draw.CtlType != ODT_MENU) return false;
        DrawOwnerDrawn(Draw);
        Result = TRUE;
        return true;
      }
      case WM_INITMENUPOPUP:
        Result = 0;
        return TrackedMenu() && TrackedMenu()->Opening(reinterpret_cast<HMENU>(WParam));
      case WM_MENUCHAR:
        if (!(HIWORD(WParam) & MF_POPUP)) return false;
        Result = OwnerDrawnMenuChar(LOWORD(WParam), reinterpret_cast<HMENU>(LParam));
        return Result != 0;
      case WM_TIMER: {
        auto It = FTimers.find(WParam);
        if (It != FTimers.end()) It->second->Tick();
        Result = 0;
        return true;
      }
      default: return false;
    }
  }

  std::map<UINT_PTR, TTimer*> FTimers;
};

class TWin32TimerPeer : public TTimerPeer {
 public:
  explicit TWin32TimerPeer(TTimer& Timer) : FTimer(Timer), FId(++LastId) {
    TUtilityWindow::Get().AddTimer(FId, &Timer);
  }
  ~TWin32TimerPeer() override {
    KillTimer(UtilityWindow(), FId);
    TUtilityWindow::Get().RemoveTimer(FId);
  }
  void Changed() override {
    if (FTimer.Enabled())
      SetTimer(UtilityWindow(), FId, static_cast<UINT>(FTimer.Interval()), nullptr);
    else
      KillTimer(UtilityWindow(), FId);
  }

 private:
  static inline UINT_PTR LastId = 0;
  TTimer& FTimer;
  UINT_PTR FId;
};

class TWin32ImageListPeer : public TImageListPeer {
 public:
  TWin32ImageListPeer(int Width, int Height)
      : FList(ImageList_Create(Width, Height, ILC_COLOR32 | ILC_MASK, 16, 64)) {}
  void* Handle() const override { return FList.Get(); }
  void Added(const TIcon& Icon) override {
    if (ImageList_ReplaceIcon(FList.Get(), -1, static_cast<HICON>(Icon.Handle())) < 0) {
      // Keep the indexes in step with the toolkit's list even when Windows refuses a picture.
      static const BYTE Mask[2] = {0xFF, 0x00};
      TIconHandle Blank(CreateIcon(GetModuleHandleW(nullptr), 1, 1, 1, 1, Mask, Mask + 1));
      ImageList_ReplaceIcon(FList.Get(), -1, Blank.Get());
    }
  }
  void Deleted(int Index) override { ImageList_Remove(FList.Get(), Index); }
  TIcon GetIcon(int Index) const override {
    return TIcon(ImageList_GetIcon(FList.Get(), Index, ILD_NORMAL),
                 [](void* Handle) { DestroyIcon(static_cast<HICON>(Handle)); });
  }

 private:
  TImageListHandle FList;
};

// A hidden top-level window (so that it hears the shell's broadcasts) whose messages from
// WM_USER up go to its toolkit object.
class TWin32MessageWindowPeer : public TControlPeer, public TWindow {
 public:
  explicit TWin32MessageWindowPeer(TMessageWindow& Window) : FWindow(Window) {
    FClass = ToWide(Window.ClassName());
    Create({FClass.c_str()}, WS_EX_TOOLWINDOW, WS_POPUP, L"", 0, 0, 0, 0, nullptr);
  }
  void* Handle() const override { return FHandle; }

 private:
  bool HandleMessage(UINT Message, WPARAM WParam, LPARAM LParam, LRESULT& Result) override {
    if (Message < WM_USER) return false;
    FWindow.WndProc(Message, WParam, LParam);
    Result = 0;
    return true;
  }

  TMessageWindow& FWindow;
  std::wstring FClass;
};

class TWin32Widgets : public TWidgetFactory {
 public:
  void CreateForm(TForm& Form) override {
    Form.SetPeer(NewFormPeer(Form));
    Form.Realign();
  }
  std::unique_ptr<TControlPeer> CreateTreeView(TTreeView& View, void* Parent) override {
    return NewTreeViewPeer(View, static_cast<HWND>(Parent));
  }
  std::unique_ptr<TControlPeer> CreateListView(TListView& View, void* Parent) override {
    return NewListViewPeer(View, static_cast<HWND>(Parent));
  }
  std::unique_ptr<TControlPeer> CreateSplitter(TSplitter& Splitter, void* Parent) override {
    return NewSplitterPeer(Splitter, static_cast<HWND>(Parent));
  }
  std::unique_ptr<TControlPeer> CreateToolBar(TToolBar& Bar, void* Parent) override {
    return NewToolBarPeer(Bar, static_cast<HWND>(Parent));
  }
  std::unique_ptr<TControlPeer> CreateStatusBar(TStatusBar& Bar, void* Parent) override {
    return NewStatusBarPeer(Bar, static_cast<HWND>(Parent));
  }
  std::unique_ptr<TControlPeer> CreateLabel(TLabel& Label, void* Parent) override {
    return NewLabelPeer(Label, static_cast<HWND>(Parent));
  }
  std::unique_ptr<TControlPeer> CreateEdit(TEdit& Edit, void* Parent) override {
    return NewEditPeer(Edit, static_cast<HWND>(Parent));
  }
  std::unique_ptr<TControlPeer> CreateButton(TButton& Button, void* Parent) override {
    return NewButtonPeer(Button, static_cast<HWND>(Parent));
  }
  std::unique_ptr<TControlPeer> CreateCheckBox(TCheckBox& Box, void* Parent) override {
    return NewCheckBoxPeer(Box, static_cast<HWND>(Parent));
  }
  std::unique_ptr<TControlPeer> CreateRadioButton(TRadioButton& Button, void* Parent) override {
    return NewRadioButtonPeer(Button, static_cast<HWND>(Parent));
  }
  std::unique_ptr<TControlPeer> CreateGroupBox(TGroupBox& Box, void* Parent) override {
    return NewGroupBoxPeer(Box, static_cast<HWND>(Parent));
  }
  std::unique_ptr<TControlPeer> CreateMemo(TMemo& Memo, void* Parent) override {
    return NewMemoPeer(Memo, static_cast<HWND>(Parent));
  }
  std::unique_ptr<TControlPeer> CreateListBox(TListBox& Box, void* Parent) override {
    return NewListBoxPeer(Box, static_cast<HWND>(Parent));
  }
  std::unique_ptr<TControlPeer> CreateComboBox(TComboBox& Box, void* Parent) override {
    return NewComboBoxPeer(Box, static_cast<HWND>(Parent));
  }
  std::unique_ptr<TControlPeer> CreateUpDown(TUpDown& UpDown, void* Parent) override {
    return NewUpDownPeer(UpDown, static_cast<HWND>(Parent));
  }
  std::unique_ptr<TControlPeer> CreateProgressBar(TProgressBar& Bar, void* Parent) override {
    return NewProgressBarPeer(Bar, static_cast<HWND>(Parent));
  }
  std::unique_ptr<TControlPeer> CreatePageControl(TPageControl& Pages, void* Parent) override {
    return NewPageControlPeer(Pages, static_cast<HWND>(Parent));
  }
  std::unique_ptr<TControlPeer> CreateTabSheet(TTabSheet& Sheet, void* Parent) override {
    return NewTabSheetPeer(Sheet, static_cast<HWND>(Parent));
  }
  std::unique_ptr<TControlPeer> CreatePanel(TPanel& Panel, void* Parent) override {
    return NewPanelPeer(Panel, static_cast<HWND>(Parent));
  }
  std::unique_ptr<TControlPeer> CreatePaintPanel(TPaintPanel& Panel, void* Parent) override {
    return NewPaintPanelPeer(Panel, static_cast<HWND>(Parent));
  }
  std::unique_ptr<TControlPeer> CreateImage(TImage& Image, void* Parent) override {
    return NewImagePeer(Image, static_cast<HWND>(Parent));
  }
  // An edit that the keyboard focuses shows its whole text chosen, as in the system's
  // dialogs: typing replaces it.
  static void SelectFocusedText() {
    HWND Focus = GetFocus();
    if (Focus && (SendMessageW(Focus, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL))
      SendMessageW(Focus, EM_SETSEL, 0, -1);
  }
  void RunModal(TForm& Form) override {
    HWND Dialog = static_cast<HWND>(Form.Handle());
    ArrangeTabOrder(Form);
    // The owner is chosen before the dialog shows, since showing makes the dialog the active
    // window; it takes no input until the dialog closes. A dialog without one stands alone.
    HWND Owner = ModalOwner();
    if (Owner == Dialog) Owner = nullptr;  // shown already: never its own owner
    SetWindowLongPtrW(Dialog, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(Owner));
    if (Owner) EnableWindow(Owner, FALSE);
    struct TRestore {
      HWND Owner;
      // The owner takes input again before the dialog goes, so that it is the window the
      // system activates next; a dialog that stood alone gives the foreground back.
      ~TRestore() {
        if (!Owner) {
          GiveForegroundBack();
          return;
        }
        EnableWindow(Owner, TRUE);
        SetActiveWindow(Owner);
      }
    } Restore{Owner};
    Form.Show();
    BringForward(Dialog, true);
    if (!IsChild(Dialog, GetFocus())) {
      Form.SelectFirst();
      SelectFocusedText();
    }
    MSG Msg;
    while (Form.ModalResult() == mrNone && IsWindow(Dialog)) {
      if (GetMessageW(&Msg, nullptr, 0, 0) <= 0) {
        PostQuitMessage(static_cast<int>(Msg.wParam));  // for the loop that waits for it
        break;
      }
      TMessage Portable{Msg.hwnd, Msg.message, Msg.wParam, Msg.lParam};
      bool Handled = false;
      if (Application().OnMessage) Dispatch([&] { Application().OnMessage(Portable, Handled); });
      if (Handled) continue;
      // The dialog keys as the toolkit has them: Enter presses the focused button or else the
      // default one, Esc cancels even a dialog without a cancel button, Tab follows the
      // toolkit's tab order (which stops at a page control's tabs before its page), Ctrl+Tab
      // turns the pages, and Alt with a letter finds its control (a colour label opens its
      // chooser). The system does the rest.
      const bool Inside = Msg.hwnd == Dialog || IsChild(Dialog, Msg.hwnd);
      if (Inside && Msg.message == WM_KEYDOWN &&
          (Msg.wParam == VK_ESCAPE || Msg.wParam == VK_RETURN || Msg.wParam == VK_TAB) &&
          // A dropped-down combo list wants them itself, as a multi-line edit wants Enter.
          !(SendMessageW(Msg.hwnd, WM_GETDLGCODE, Msg.wParam, reinterpret_cast<LPARAM>(&Msg)) &
            (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE | (Msg.wParam == VK_TAB ? DLGC_WANTTAB : 0)))) {
        bool Used = false;
        Dispatch([&] { Used = Form.DialogKey(static_cast<unsigned>(Msg.wParam), ShiftState()); });
        if (Used && Msg.wParam == VK_TAB) SelectFocusedText();
        if (Used) continue;
      }
      if (Inside && Msg.message == WM_SYSCHAR && Msg.wParam < 0x80) {
        bool Used = false;
        Dispatch([&] { Used = Form.DialogChar(static_cast<char>(Msg.wParam)); });
        if (Used) SelectFocusedText();
        if (Used) continue;
      }
      if (IsDialogMessageW(Dialog, &Msg)) continue;
      TranslateMessage(&Msg);
      DispatchMessageW(&Msg);
    }
  }
  std::unique_ptr<TTimerPeer> CreateTimer(TTimer& Timer) override {
    return std::make_unique<TWin32TimerPeer>(Timer);
  }
  std::unique_ptr<TImageListPeer> CreateImageList(TImageList& List) override {
    return std::make_unique<TWin32ImageListPeer>(List.Width(), List.Height());
  }
  TMenuItem* TrackPopupMenu(TPopupMenu& Menu, int X, int Y) override {
    return TrackPopup(Menu, X, Y, UtilityWindow());
  }
  std::unique_ptr<TControlPeer> CreateFloatWindow(TFloatWindow& Float) override {
    return NewFloatWindowPeer(Float);
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
    if (lstrcmpiW(Class, WC_EDITW) == 0) return false;
    // A hidden window has no shortcuts, whatever keys still reach it.
    TForm* Form = FormOfWindow(Msg.hwnd);
    if (!Form || !IsWindowVisible(GetAncestor(Msg.hwnd, GA_ROOT))) return false;
    bool Used = false;
    // Alt held is in the message itself, whoever sent it.
    const unsigned Shift =
        ShiftState() | (Msg.message == WM_SYSKEYDOWN && (Msg.lParam & (1 << 29)) ? ssAlt : 0u);
    Dispatch([&] { Used = Form->IsShortCut(static_cast<unsigned>(Msg.wParam), Shift); });
    return Used;
  }
};

}  // namespace

HWND UtilityWindow() { return TUtilityWindow::Get().Window(); }

namespace {

HWND UserWindow = nullptr;  // the other program's window the program last came in front of

bool Ours(HWND Window) {
  return Window && GetWindowThreadProcessId(Window, nullptr) == GetCurrentThreadId();
}

bool TakesInput(HWND Window) {
  return Window && IsWindowVisible(Window) && IsWindowEnabled(Window);
}

}  // namespace

HWND ModalOwner() {
  HWND Active = GetActiveWindow();
  if (TakesInput(Active)) return Active;
  HWND Main = MainFormWindow();
  return TakesInput(Main) ? Main : nullptr;
}

void BringForward(HWND Window, bool Force) {
  // A window that its modal dialog disables: the dialog, which has the keys, comes instead.
  if (!IsWindowEnabled(Window)) Window = GetLastActivePopup(Window);
  HWND Front = GetForegroundWindow();
  if (Ours(Window) && Front && !Ours(Front)) UserWindow = Front;
  // Attached to the input of the thread in front, the call has its rights.
  DWORD Mine = GetWindowThreadProcessId(Window, nullptr);
  DWORD Theirs = Front ? GetWindowThreadProcessId(Front, nullptr) : 0;
  const bool Attach = Force && Theirs && Theirs != Mine;
  if (Attach) AttachThreadInput(Theirs, Mine, TRUE);
  BringWindowToTop(Window);
  SetForegroundWindow(Window);
  if (Attach) AttachThreadInput(Theirs, Mine, FALSE);
}

void GiveForegroundBack() {
  if (Ours(GetForegroundWindow()) && IsWindow(UserWindow) && IsWindowVisible(UserWindow))
    SetForegroundWindow(UserWindow);
}

TWidgetFactory* PlatformWidgets() {
  static TWin32Widgets Instance;
  return &Instance;
}

}  // namespace lantern
