// The bars of a form: the tool bar with its action buttons, the status bar with one line of
// red text, and the splitter between the views, a window of our own class that follows the
// mouse while it is dragged.
#include <vector>

#include "ui/Bars.h"
#include "ui/Dpi.h"
#include "ui/Splitter.h"
#include "ui/win32/ChildWindow.h"
#include "ui/win32/Handles.h"
#include "ui/win32/Peers.h"
#include "ui/win32/WideText.h"

namespace lantern {

namespace {

// The splitter bar: a window of its own class that follows the mouse while it is dragged.
class TWin32SplitterPeer : public TControlPeer, public TWindow {
 public:
  TWin32SplitterPeer(TSplitter& Splitter, HWND Parent) : FSplitter(Splitter) {
    const RECT Place = PixelBounds(Splitter, DpiOf(Splitter));
    Create({L"TLanternSplitter", LoadCursorW(nullptr, IDC_SIZEWE),
            reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)},
           0, WS_CHILD | WS_VISIBLE, L"", Place.left, Place.top, Place.right - Place.left,
           Place.bottom - Place.top, Parent);
  }
  void* Handle() const override { return FHandle; }
  TWinControl* Control() override { return &FSplitter; }
  void BoundsChanged() override {
    const RECT Place = PixelBounds(FSplitter, DpiOf(FSplitter));
    SetWindowPos(FHandle, nullptr, Place.left, Place.top, Place.right - Place.left,
                 Place.bottom - Place.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  void DpiChanged() override { BoundsChanged(); }

 private:
  bool HandleMessage(UINT Message, WPARAM, LPARAM, LRESULT& Result) override {
    POINT At;
    GetCursorPos(&At);
    Result = 0;
    switch (Message) {
      case WM_LBUTTONDOWN:
        SetCapture(FHandle);
        FLastX = At.x;
        return true;
      case WM_MOUSEMOVE:
        if (GetCapture() == FHandle && At.x != FLastX) {
          // The toolkit moves in layout units: what is less than one stays for the next move.
          const int Dpi = DpiOf(FSplitter);
          const int Delta = ScaleFromDpi(At.x - FLastX, Dpi);
          if (Delta == 0) return true;
          FLastX += ScaleToDpi(Delta, Dpi);
          FSplitter.NativeMoved(Delta);
        }
        return true;
      case WM_LBUTTONUP: ReleaseCapture(); return true;
      default: return false;
    }
  }

  TSplitter& FSplitter;
  int FLastX = 0;
};

class TWin32ToolBarPeer : public TToolBarPeer, public TChildWindow {
 public:
  TWin32ToolBarPeer(TToolBar& Bar, HWND Parent) : TChildWindow(Bar), FBar(Bar) {
    CreateChild(TOOLBARCLASSNAMEW,
                TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER,
                Parent, false);
    // The tooltips ask their texts through the form as well.
    Adopt(reinterpret_cast<HWND>(SendMessageW(FHandle, TB_GETTOOLTIPS, 0, 0)));
    SendMessageW(FHandle, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ImagesChanged();
    ButtonsChanged();
  }
  void* Handle() const override { return FHandle; }
  void BoundsChanged() override { MirrorBounds(); }
  void DpiChanged() override {
    Rescale();
    SizeButtons();
  }
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
  // The pictures' size sets the buttons' inner size; the buttons keep theirs.
  void ImagesChanged() override {
    SendMessageW(FHandle, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(NativeList(FBar.Images())));
    SizeButtons();
  }
  void StatesChanged() override {
    const auto& Buttons = FBar.Buttons();
    for (std::size_t i = 0; i < Buttons.size(); ++i)
      if (Buttons[i]) SendMessageW(FHandle, TB_SETSTATE, FirstButton + i, State(Buttons[i]));
  }
  bool Reflected(UINT Message, WPARAM WParam, LPARAM LParam, LRESULT& Result) override {
    Result = 0;
    if (Message == WM_COMMAND) {
      UINT Id = LOWORD(WParam);
      if (Id >= FirstButton) FBar.NativeClick(static_cast<int>(Id - FirstButton));
      return true;
    }
    auto* Header = reinterpret_cast<NMHDR*>(LParam);
    if (Message != WM_NOTIFY || Header->code != TTN_GETDISPINFOW) return false;
    auto* Info = reinterpret_cast<NMTTDISPINFOW*>(Header);
    std::size_t Index = Header->idFrom - FirstButton;
    if (Index < FBar.Buttons().size() && FBar.Buttons()[Index]) {
      FTip = ToWide(FBar.Buttons()[Index]->Hint());
      Info->lpszText = &FTip[0];
    }
    return true;
  }

 private:
  static constexpr UINT FirstButton = 2000;
  void SizeButtons() {
    SendMessageW(FHandle, TB_SETBUTTONSIZE, 0,
                 MAKELPARAM(Pixels(FBar.ButtonWidth()), Pixels(FBar.ButtonHeight())));
  }
  static BYTE State(TAction* Action) {
    if (!Action) return 0;
    return (Action->Enabled() ? TBSTATE_ENABLED : 0) | (Action->Checked() ? TBSTATE_CHECKED : 0);
  }
  TToolBar& FBar;
  std::wstring FTip;
};

// One line of red text.
class TWin32StatusBarPeer : public TControlPeer, public TChildWindow {
 public:
  TWin32StatusBarPeer(TStatusBar& Bar, HWND Parent) : TChildWindow(Bar), FBar(Bar) {
    CreateChild(STATUSCLASSNAMEW, CCS_NORESIZE | CCS_NOPARENTALIGN, Parent, false);
    SendMessageW(FHandle, SB_SIMPLE, TRUE, 0);
    StateChanged();
  }
  void* Handle() const override { return FHandle; }
  void BoundsChanged() override { MirrorBounds(); }
  void DpiChanged() override { Rescale(); }
  void StateChanged() override {
    SendMessageW(FHandle, SB_SETTEXTW, SB_SIMPLEID | SBT_OWNERDRAW, 0);
    InvalidateRect(FHandle, nullptr, TRUE);
  }
  bool Reflected(UINT Message, WPARAM, LPARAM LParam, LRESULT& Result) override {
    if (Message != WM_DRAWITEM) return false;
    auto* Draw = reinterpret_cast<DRAWITEMSTRUCT*>(LParam);
    std::wstring Text = ToWide(FBar.SimpleText());
    SetTextColor(Draw->hDC, RGB(255, 0, 0));
    SetBkMode(Draw->hDC, TRANSPARENT);
    TSelection Font(Draw->hDC, UiFont(Dpi()));
    RECT Rect = Draw->rcItem;
    Rect.left += Pixels(2);
    DrawTextW(Draw->hDC, Text.c_str(), static_cast<int>(Text.size()), &Rect,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    Result = TRUE;
    return true;
  }

 private:
  TStatusBar& FBar;
};

}  // namespace

std::unique_ptr<TControlPeer> NewSplitterPeer(TSplitter& Splitter, HWND Parent) {
  return std::make_unique<TWin32SplitterPeer>(Splitter, Parent);
}

std::unique_ptr<TControlPeer> NewToolBarPeer(TToolBar& Bar, HWND Parent) {
  return std::make_unique<TWin32ToolBarPeer>(Bar, Parent);
}

std::unique_ptr<TControlPeer> NewStatusBarPeer(TStatusBar& Bar, HWND Parent) {
  return std::make_unique<TWin32StatusBarPeer>(Bar, Parent);
}

}  // namespace lantern
