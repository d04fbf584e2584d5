// A form's native window: a top-level window of the form's own class, owned by the
// application's hidden window (so that the program has no task-bar button of its own). Its
// menu bar and native controls come with the first time it is really shown.
#include <algorithm>
#include <memory>
#include <vector>

#include "ui/Dpi.h"
#include "ui/Form.h"
#include "ui/Menus.h"
#include "ui/System.h"
#include "ui/Widgets.h"
#include "ui/win32/MenusWin32.h"
#include "ui/win32/Peers.h"
#include "ui/win32/WideText.h"
#include "ui/win32/Window.h"

namespace lantern {

namespace {

class TWin32FormPeer;
std::vector<TWin32FormPeer*> Forms;  // every form's window, the first one the main form's

class TWin32FormPeer : public TControlPeer, public TWindow {
 public:
  explicit TWin32FormPeer(TForm& Form) : FForm(Form) {
    Forms.push_back(this);
    FClass = ToWide(Form.WindowClass());
    const TFormBorderStyle Border = Form.BorderStyle();
    const DWORD ExStyle[] = {0, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT,
                             WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_CONTROLPARENT};
    const DWORD Style[] = {WS_OVERLAPPEDWINDOW & ~WS_MINIMIZEBOX,
                           WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_POPUP | WS_BORDER};
    Create({FClass.c_str(), LoadCursorW(nullptr, IDC_ARROW),
            reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
            LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(ProgramIconId)), CS_DBLCLKS},
           ExStyle[static_cast<int>(Border)], Style[static_cast<int>(Border)],
           ToWide(Form.Caption()), Form.Left(), Form.Top(), Form.Width(), Form.Height(),
           UtilityWindow());
    FForm.NativeDpiChanged(WindowDpi());
    RECT Client;
    GetClientRect(FHandle, &Client);
    FForm.NativeClientSize(Client.right, Client.bottom);
  }
  ~TWin32FormPeer() override {
    FPeerGoing = true;
    DestroyNow();
    Forms.erase(std::find(Forms.begin(), Forms.end(), this));
  }

  static TForm* FormOf(HWND Window) {
    HWND Top = Window ? GetAncestor(Window, GA_ROOT) : nullptr;
    for (TWin32FormPeer* Peer : Forms)
      if (Peer->FHandle && Peer->FHandle == Top) return &Peer->FForm;
    return nullptr;
  }

  void* Handle() const override { return FHandle; }
  TWinControl* Control() override { return &FForm; }
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
  void Closed() override { DestroyNow(); }

 private:
  // A program that starts resident does not pay for the menu bar and the controls until the
  // user opens its window.
  void CreateChildren() {
    if (FChildrenCreated) return;
    FChildrenCreated = true;
    if (TMainMenu* Menu = FForm.Menu()) {
      FMenuBar = std::make_unique<TNativeMenu>(Menu->Items(), false, false);
      SetMenu(FHandle, FMenuBar->TakeHandle());  // the window destroys its bar
      RECT Client;
      GetClientRect(FHandle, &Client);
      FForm.NativeClientSize(Client.right, Client.bottom);
    }
    CreateChildPeers(FForm, FHandle);
    FForm.Realign();
    if (FForm.BorderStyle() == TFormBorderStyle::Dialog) HoldChildren();
  }

  // A dialog whose labels came out wider than laid out (a wider substitute font) grows to
  // hold them with a small margin, rather than cut its texts at its edge.
  void HoldChildren() {
    RECT Client;
    GetClientRect(FHandle, &Client);
    LONG Right = Client.right, Bottom = Client.bottom;
    for (HWND Child = GetWindow(FHandle, GW_CHILD); Child; Child = GetWindow(Child, GW_HWNDNEXT)) {
      RECT Rect;
      GetWindowRect(Child, &Rect);
      MapWindowPoints(nullptr, FHandle, reinterpret_cast<POINT*>(&Rect), 2);
      if (Rect.right > Client.right) Right = std::max(Right, Rect.right + 8);
      if (Rect.bottom > Client.bottom) Bottom = std::max(Bottom, Rect.bottom + 8);
    }
    if (Right == Client.right && Bottom == Client.bottom) return;
    // In layout units, rounded up so that the area holds every pixel of them.
    const int Dpi = FForm.Dpi();
    auto Layout = [Dpi](LONG Pixels, LONG Was, int Laid) {
      return Pixels == Was ? Laid : static_cast<int>((Pixels * DesignDpi + Dpi - 1) / Dpi);
    };
    FForm.SetClientSize(Layout(Right, Client.right, FForm.ClientWidth()),
                        Layout(Bottom, Client.bottom, FForm.ClientHeight()));
  }

  // The DPI the window is shown at: the window's own where the system tells it, else that of
  // the monitor under its centre.
  int WindowDpi() const {
    using TGetDpiForWindow = UINT(WINAPI*)(HWND);
    static const auto GetDpiForWindow = reinterpret_cast<TGetDpiForWindow>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (GetDpiForWindow)
      if (UINT Dpi = GetDpiForWindow(FHandle)) return static_cast<int>(Dpi);
    RECT Rect;
    GetWindowRect(FHandle, &Rect);
    return System().DpiAt((Rect.left + Rect.right) / 2, (Rect.top + Rect.bottom) / 2);
  }

  // The system moved the window to a monitor of another scale: it takes the size the system
  // suggests, and its controls and their fonts are made over at the new scale.
  void DpiChanged(int Dpi, const RECT& Suggested) {
    const int Width = FForm.ClientWidth(), Height = FForm.ClientHeight();  // layout units
    FForm.NativeDpiChanged(Dpi);
    SetWindowPos(FHandle, nullptr, Suggested.left, Suggested.top, Suggested.right - Suggested.left,
                 Suggested.bottom - Suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // A dialog or a popup keeps its client area in layout units: the suggestion scales the
    // frame as well, which need not have scaled.
    if (FForm.BorderStyle() != TFormBorderStyle::Sizeable) FForm.SetClientSize(Width, Height);
    RescaleChildren(FForm);
    FForm.Realign();
    // The suggested place may lie off every monitor (monitors of other sizes side by side).
    KeepOnAMonitor();
  }
  // A window that lies off every monitor comes into the work area of the nearest one.
  void KeepOnAMonitor() {
    if (IsIconic(FHandle)) return;  // parked far off by the system
    RECT Rect;
    GetWindowRect(FHandle, &Rect);
    const TRect Is = {Rect.left, Rect.top, Rect.right, Rect.bottom};
    if (System().RectOnAnyMonitor(Is.Left, Is.Top, Is.Width(), Is.Height())) return;
    const TRect Kept =
        KeepInArea(Is, System().WorkAreaAt((Is.Left + Is.Right) / 2, (Is.Top + Is.Bottom) / 2));
    SetWindowPos(FHandle, nullptr, Kept.Left, Kept.Top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  static void RescaleChildren(TWinControl& Parent) {
    for (TWinControl* Child : Parent.Controls()) {
      if (Child->Peer()) Child->Peer()->DpiChanged();
      RescaleChildren(*Child);
    }
  }

  bool HandleMessage(UINT Message, WPARAM WParam, LPARAM LParam, LRESULT& Result) override {
    Result = 0;
    switch (Message) {
      case WM_SIZE: {
        FForm.NativeWindowStateChanged(WParam == SIZE_MINIMIZED   ? TWindowState::Minimized
                                       : WParam == SIZE_MAXIMIZED ? TWindowState::Maximized
                                                                  : TWindowState::Normal);
        if (WParam != SIZE_MINIMIZED) FForm.NativeClientSize(LOWORD(LParam), HIWORD(LParam));
        ReadBounds();
        return true;
      }
      case WM_MOVE: ReadBounds(); return true;
      case 0x02E0:  // WM_DPICHANGED: the new DPI in both words, the suggested window rectangle
        DpiChanged(LOWORD(WParam), *reinterpret_cast<const RECT*>(LParam));
        return true;
      case WM_DISPLAYCHANGE:  // a monitor came or went, or changed its resolution
        KeepOnAMonitor();
        return false;
      case WM_INITMENUPOPUP: return FMenuBar && FMenuBar->Opening(reinterpret_cast<HMENU>(WParam));
      case WM_COMMAND: {
        TMenuItem* Item = FMenuBar && HIWORD(WParam) == 0 && LParam == 0
                              ? FMenuBar->Command(LOWORD(WParam))
                              : nullptr;
        if (!Item) return false;
        Item->Click();
        return true;
      }
      case WM_CONTEXTMENU: {
        TWindow* Source = TWindow::FromHandle(reinterpret_cast<HWND>(WParam));
        TWinControl* Control = Source ? Source->Control() : nullptr;
        if (!Control || !Control->PopupMenu()) return false;
        int X = static_cast<short>(LOWORD(LParam)), Y = static_cast<short>(HIWORD(LParam));
        if (LParam == -1) Control->ScreenOrigin(X, Y);  // from the keyboard
        Control->PopupMenu()->Popup(X, Y);
        return true;
      }
      case WM_ACTIVATE:
        // The control that had the focus gets it back when the window is active again
        // (after a dialog it owned, or another program): the keys go on where they were.
        if (LOWORD(WParam) == WA_INACTIVE) {
          HWND Focus = GetFocus();
          if (Focus && IsChild(FHandle, Focus)) FLastFocus = Focus;
          // Not from the window's own end: the form's members may be gone by then.
          if (!FPeerGoing) FForm.NativeDeactivated();
          return false;
        }
        if (FLastFocus && IsChild(FHandle, FLastFocus) && IsWindowVisible(FLastFocus) &&
            IsWindowEnabled(FLastFocus)) {
          SetFocus(FLastFocus);
          return true;
        }
        return false;
      case WM_CLOSE: FForm.Close(); return true;
      case WM_QUERYENDSESSION:
        // Only asked: the window stays until the session really ends.
        Result = FForm.NativeQueryEndSession() ? TRUE : FALSE;
        return true;
      case WM_ENDSESSION: FForm.NativeEndSession(WParam != 0); return true;
      case WM_HOTKEY: FForm.NativeHotKey(WParam); return true;
      case WM_DESTROY:
        // The main form's window closing ends the message loop; its toolkit object going
        // away (after the loop, or in a test) does not.
        if (!FPeerGoing && !Forms.empty() && Forms.front() == this) PostQuitMessage(0);
        return true;
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

  // Set while the peer reports the window's own moves, which must not be mirrored back.
  class TSyncing {
   public:
    explicit TSyncing(bool& Flag) : FFlag(Flag) { FFlag = true; }
    ~TSyncing() { FFlag = false; }

   private:
    bool& FFlag;
  };

  TForm& FForm;
  std::wstring FClass;
  bool FSyncing = false;
  bool FChildrenCreated = false;
  bool FPeerGoing = false;
  HWND FLastFocus = nullptr;  // the control with the focus when the window was left
  std::unique_ptr<TNativeMenu> FMenuBar;
};

}  // namespace

std::unique_ptr<TControlPeer> NewFormPeer(TForm& Form) {
  return std::make_unique<TWin32FormPeer>(Form);
}

TForm* FormOfWindow(HWND Window) { return TWin32FormPeer::FormOf(Window); }

HWND MainFormWindow() {
  return Forms.empty() ? nullptr : static_cast<HWND>(Forms.front()->Handle());
}

}  // namespace lantern
