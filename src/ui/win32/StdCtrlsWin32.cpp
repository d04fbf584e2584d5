// The standard controls of dialogs as system controls: STATIC for labels, EDIT (a multi-line
// one for memos), and BUTTON in its push, check box, radio and group box styles. Check boxes and
// radio buttons are of the manual styles: a click only tells the toolkit, which decides the new
// state and mirrors it.
#include <algorithm>

#include "ui/StdCtrls.h"
#include "ui/Widgets.h"
#include "ui/win32/CanvasWin32.h"
#include "ui/win32/ChildWindow.h"
#include "ui/win32/Handles.h"
#include "ui/win32/Peers.h"
#include "ui/win32/WideText.h"

namespace lantern {

namespace {

// What every standard control mirrors: bounds, visibility, enabled state, focus and text.
class TStdPeer : public TChildPeer<TControlPeer> {
 public:
  using TChildPeer::TChildPeer;

 protected:
  void Make(const wchar_t* Class, DWORD Style, HWND Parent, bool View) {
    CreateChild(
        Class,
        Style | (FControl.Enabled() ? 0 : WS_DISABLED) | (FControl.TabStop() ? WS_TABSTOP : 0),
        Parent, View);
  }
  void MirrorText(const std::string& Text) {
    std::wstring Wide = ToWide(Text);
    if (WindowText() == Wide) return;
    TSyncing Sync(FSyncing);
    SetWindowTextW(FHandle, Wide.c_str());
  }
  std::wstring WindowText() const {
    std::wstring Text(static_cast<std::size_t>(GetWindowTextLengthW(FHandle)) + 1, L'\0');
    Text.resize(
        static_cast<std::size_t>(GetWindowTextW(FHandle, &Text[0], static_cast<int>(Text.size()))));
    return Text;
  }
  bool HandleMessage(UINT Message, WPARAM WParam, LPARAM, LRESULT& Result) override {
    if (Message == WM_SETFOCUS) FControl.NativeFocusEntered();
    if (Message == WM_KILLFOCUS) FControl.NativeFocusLeft();
    // A key the program's handler uses up (an arrow in a box over a list) never reaches the
    // control.
    if (Message == WM_KEYDOWN && FControl.NativeKeyDown(static_cast<unsigned>(WParam), ShiftState())) {
      Result = 0;
      return true;
    }
    return false;  // the control's own handling runs as well
  }
  // A BN_CLICKED of this button that the user caused.
  bool Clicked(UINT Message, WPARAM WParam) const {
    return Message == WM_COMMAND && HIWORD(WParam) == BN_CLICKED && !FSyncing;
  }
};

class TWin32LabelPeer : public TStdPeer {
 public:
  TWin32LabelPeer(TLabel& Label, HWND Parent) : TStdPeer(Label), FLabel(Label) {
    // SS_NOTIFY: a click comes to the parent as STN_CLICKED.
    Make(WC_STATICW, AlignmentStyle() | SS_NOTIFY, Parent, false);
    StateChanged();
  }
  // The window goes before the font it shows.
  ~TWin32LabelPeer() override { DestroyNow(); }
  void StateChanged() override {
    MirrorText(FLabel.Caption());
    LONG_PTR Style = GetWindowLongPtrW(FHandle, GWL_STYLE);
    LONG_PTR Aligned = (Style & ~LONG_PTR(SS_TYPEMASK)) | AlignmentStyle();
    if (Aligned != Style) SetWindowLongPtrW(FHandle, GWL_STYLE, Aligned);
    MirrorFont();
    FitText();
    InvalidateRect(FHandle, nullptr, TRUE);
  }
  void BoundsChanged() override { FitText(); }
  // Its own font is made anew at the new DPI as well.
  void DpiChanged() override {
    FFont.Reset();
    if (FLabel.ParentFont())
      SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont(Dpi())), FALSE);
    MirrorFont();
    FitText();
    InvalidateRect(FHandle, nullptr, TRUE);
  }
  bool Reflected(UINT Message, WPARAM WParam, LPARAM, LRESULT& Result) override {
    if (Message == WM_COMMAND && HIWORD(WParam) == STN_CLICKED) {
      FLabel.Click();
      Result = 0;
      return true;
    }
    if (Message != WM_CTLCOLORSTATIC || FLabel.FontColor() < 0) return false;
    auto Dc = reinterpret_cast<HDC>(WParam);
    SetTextColor(Dc, static_cast<COLORREF>(FLabel.FontColor()));
    SetBkColor(Dc, GetSysColor(COLOR_BTNFACE));
    Result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    return true;
  }

 private:
  DWORD AlignmentStyle() const {
    switch (FLabel.Alignment()) {
      case TAlignment::RightJustify: return SS_RIGHT;
      case TAlignment::Center: return SS_CENTER;
      default: return SS_LEFT;
    }
  }
  // A label of the form's font shows the program's; one with its own font gets a font of its
  // own, made anew only when the description changed.
  void MirrorFont() {
    if (FLabel.ParentFont()) {
      if (FFont) {
        SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont(Dpi())), FALSE);
        FFont.Reset();
      }
      return;
    }
    if (FFont && FLabel.Font() == FMade) return;
    TFontHandle Made = NewFont(FLabel.Font(), Dpi());
    if (!Made) return;
    // The control lets go of the old font before it is freed.
    SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(Made.Get()), FALSE);
    FFont = std::move(Made);
    FMade = FLabel.Font();
  }

  // The label's place is the layout's; a font wider than the one it was laid out for (another
  // system's substitute) widens the window rather than wrap or cut the caption: to the right,
  // or to the left for a right-aligned label, whose text ends where the layout's ends.
  void FitText() {
    std::wstring Text = ToWide(FLabel.Caption());
    RECT Need = {0, 0, 0, 0};
    if (HDC Dc = GetDC(FHandle)) {
      HGDIOBJ Old =
          SelectObject(Dc, reinterpret_cast<HFONT>(SendMessageW(FHandle, WM_GETFONT, 0, 0)));
      DrawTextW(Dc, Text.c_str(), static_cast<int>(Text.size()), &Need,
                DT_CALCRECT | DT_SINGLELINE);
      SelectObject(Dc, Old);
      ReleaseDC(FHandle, Dc);
    }
    const RECT Place = PixelBounds(FControl, Dpi());  // the text is measured in pixels
    const int LaidWidth = Place.right - Place.left;
    const int Width = std::max<int>(LaidWidth, Need.right);
    const int Height = std::max<int>(Place.bottom - Place.top, Need.bottom);
    int Left = Place.left;
    if (FLabel.Alignment() == TAlignment::RightJustify) Left -= Width - LaidWidth;
    if (FLabel.Alignment() == TAlignment::Center) Left -= (Width - LaidWidth) / 2;
    SetWindowPos(FHandle, nullptr, Left, Place.top, Width, Height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
  }

  TLabel& FLabel;
  TFontHandle FFont;
  TFont FMade;
};

class TWin32EditPeer : public TStdPeer {
 public:
  TWin32EditPeer(TEdit& Edit, HWND Parent) : TStdPeer(Edit), FEdit(Edit) {
    Make(WC_EDITW, ES_AUTOHSCROLL, Parent, true);
    StateChanged();
  }
  void StateChanged() override {
    MirrorText(FEdit.Text());
    SendMessageW(FHandle, EM_SETREADONLY, FEdit.ReadOnly(), 0);
  }
  bool Reflected(UINT Message, WPARAM WParam, LPARAM, LRESULT& Result) override {
    if (Message != WM_COMMAND || HIWORD(WParam) != EN_CHANGE || FSyncing) return false;
    FEdit.NativeTextChanged(FromWide(WindowText()));
    Result = 0;
    return true;
  }

 private:
  TEdit& FEdit;
};

class TWin32ButtonPeer : public TStdPeer {
 public:
  TWin32ButtonPeer(TButton& Button, HWND Parent) : TStdPeer(Button), FButton(Button) {
    Make(WC_BUTTONW, Button.Default() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, Parent, false);
    // The dialog keys find the buttons by these identifiers: Enter IDOK, Esc IDCANCEL.
    if (Button.Default() || Button.Cancel())
      SetWindowLongPtrW(FHandle, GWLP_ID, Button.Default() ? IDOK : IDCANCEL);
    StateChanged();
  }
  void StateChanged() override {
    MirrorText(FButton.Caption());
    SendMessageW(FHandle, BM_SETSTYLE, FButton.Default() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
  }
  bool Reflected(UINT Message, WPARAM WParam, LPARAM, LRESULT& Result) override {
    if (!Clicked(Message, WParam)) return false;
    FButton.Click();
    Result = 0;
    return true;
  }

 private:
  TButton& FButton;
};

// A check box or a radio button: both toggle through their NativeClick.
template <typename TBox>
class TWin32CheckPeer : public TStdPeer {
 public:
  TWin32CheckPeer(TBox& Box, HWND Parent, DWORD Style) : TStdPeer(Box), FBox(Box) {
    Make(WC_BUTTONW, Style, Parent, false);
    StateChanged();
  }
  void StateChanged() override {
    MirrorText(FBox.Caption());
    LONG_PTR Style = GetWindowLongPtrW(FHandle, GWL_STYLE);
    SetWindowLongPtrW(FHandle, GWL_STYLE,
                      FBox.TabStop() ? Style | WS_TABSTOP : Style & ~LONG_PTR(WS_TABSTOP));
    TSyncing Sync(FSyncing);
    SendMessageW(FHandle, BM_SETCHECK, FBox.Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  bool Reflected(UINT Message, WPARAM WParam, LPARAM, LRESULT& Result) override {
    if (!Clicked(Message, WParam)) return false;
    FBox.NativeClick();
    Result = 0;
    return true;
  }

 private:
  TBox& FBox;
};

class TWin32GroupBoxPeer : public TStdPeer {
 public:
  TWin32GroupBoxPeer(TGroupBox& Box, HWND Parent) : TStdPeer(Box), FBox(Box) {
    // A control parent: the dialog keys walk into the controls inside.
    Make(WC_BUTTONW, BS_GROUPBOX, Parent, false);
    SetWindowLongPtrW(FHandle, GWL_EXSTYLE,
                      GetWindowLongPtrW(FHandle, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    StateChanged();
    CreateChildPeers(Box, FHandle);
  }
  void StateChanged() override { MirrorText(FBox.Caption()); }

 private:
  TGroupBox& FBox;
};

// A multi-line EDIT in the memo's colours; a read-only one asks for them as a STATIC does.
class TWin32MemoPeer : public TStdPeer {
 public:
  TWin32MemoPeer(TMemo& Memo, HWND Parent) : TStdPeer(Memo), FMemo(Memo) {
    Make(WC_EDITW, ES_MULTILINE | ES_AUTOVSCROLL, Parent, Memo.Border());
    StateChanged();
  }
  void StateChanged() override {
    MirrorText(FMemo.Text());
    SendMessageW(FHandle, EM_SETREADONLY, FMemo.ReadOnly(), 0);
    LONG_PTR Ex = GetWindowLongPtrW(FHandle, GWL_EXSTYLE);
    LONG_PTR Wanted = FMemo.Border() ? Ex | WS_EX_CLIENTEDGE : Ex & ~LONG_PTR(WS_EX_CLIENTEDGE);
    if (Wanted != Ex) {
      SetWindowLongPtrW(FHandle, GWL_EXSTYLE, Wanted);
      SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    const COLORREF Back = TDcCanvas::Resolve(FMemo.Color());
    if (!FBrush || Back != FBack) {
      FBrush.Reset(CreateSolidBrush(Back));
      FBack = Back;
    }
    InvalidateRect(FHandle, nullptr, TRUE);
  }
  bool Reflected(UINT Message, WPARAM WParam, LPARAM, LRESULT& Result) override {
    if (Message == WM_CTLCOLORSTATIC || Message == WM_CTLCOLOREDIT) {
      auto Dc = reinterpret_cast<HDC>(WParam);
      SetTextColor(Dc, FMemo.FontColor() < 0 ? GetSysColor(COLOR_WINDOWTEXT)
                                             : static_cast<COLORREF>(FMemo.FontColor()));
      SetBkColor(Dc, FBack);
      Result = reinterpret_cast<LRESULT>(FBrush.Get());
      return true;
    }
    if (Message != WM_COMMAND || HIWORD(WParam) != EN_CHANGE || FSyncing || FMemo.ReadOnly())
      return false;
    FMemo.NativeTextChanged(FromWide(WindowText()));
    Result = 0;
    return true;
  }

 private:
  // A multi-line edit wants every key, which would keep Tab, Esc and Enter from the dialog:
  // it keeps only Enter, and only while the user may type.
  bool HandleMessage(UINT Message, WPARAM WParam, LPARAM LParam, LRESULT& Result) override {
    if (Message != WM_GETDLGCODE) return TStdPeer::HandleMessage(Message, WParam, LParam, Result);
    Result = DefSubclassProc(FHandle, Message, WParam, LParam);
    auto* Msg = reinterpret_cast<MSG*>(LParam);
    const bool Typing =
        Msg && Msg->message == WM_KEYDOWN && Msg->wParam == VK_RETURN && !FMemo.ReadOnly();
    if (!Typing) Result &= ~LRESULT(DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_WANTMESSAGE);
    return true;
  }
  TMemo& FMemo;
  TBrushHandle FBrush;
  COLORREF FBack = 0;
};

}  // namespace

void CreateChildPeers(TWinControl& Parent, HWND Window) {
  for (TWinControl* Child : Parent.TabOrdered())
    if (!Child->Peer())
      if (auto Peer = Child->CreateNativePeer(*Widgets(), Window)) Child->SetPeer(std::move(Peer));
  ArrangeTabOrder(Parent);
}

void ArrangeTabOrder(TWinControl& Parent) {
  // The dialog keys follow the windows' z-order: each goes below the ones before it.
  for (TWinControl* Child : Parent.TabOrdered())
    if (Child->Handle())
      SetWindowPos(static_cast<HWND>(Child->Handle()), HWND_BOTTOM, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

std::unique_ptr<TControlPeer> NewLabelPeer(TLabel& Label, HWND Parent) {
  return std::make_unique<TWin32LabelPeer>(Label, Parent);
}
std::unique_ptr<TControlPeer> NewEditPeer(TEdit& Edit, HWND Parent) {
  return std::make_unique<TWin32EditPeer>(Edit, Parent);
}
std::unique_ptr<TControlPeer> NewButtonPeer(TButton& Button, HWND Parent) {
  return std::make_unique<TWin32ButtonPeer>(Button, Parent);
}
std::unique_ptr<TControlPeer> NewCheckBoxPeer(TCheckBox& Box, HWND Parent) {
  return std::make_unique<TWin32CheckPeer<TCheckBox>>(Box, Parent, BS_CHECKBOX);
}
std::unique_ptr<TControlPeer> NewRadioButtonPeer(TRadioButton& Button, HWND Parent) {
  return std::make_unique<TWin32CheckPeer<TRadioButton>>(Button, Parent, BS_RADIOBUTTON);
}
std::unique_ptr<TControlPeer> NewGroupBoxPeer(TGroupBox& Box, HWND Parent) {
  return std::make_unique<TWin32GroupBoxPeer>(Box, Parent);
}
std::unique_ptr<TControlPeer> NewMemoPeer(TMemo& Memo, HWND Parent) {
  return std::make_unique<TWin32MemoPeer>(Memo, Parent);
}

}  // namespace lantern
