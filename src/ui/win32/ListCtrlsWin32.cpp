// List boxes and combo boxes as system controls. The peer fills the lines anew whenever they
// change (a dialog's lists are short) and mirrors the chosen line and the edit field's text;
// the user's choice and typing come back through the notifications.
#include "ui/ListCtrls.h"
#include "ui/win32/ChildWindow.h"
#include "ui/win32/Peers.h"
#include "ui/win32/WideText.h"

namespace lantern {

namespace {

std::wstring TextOf(HWND Window) {
  std::wstring Text(static_cast<std::size_t>(GetWindowTextLengthW(Window)) + 1, L'\0');
  Text.resize(
      static_cast<std::size_t>(GetWindowTextW(Window, &Text[0], static_cast<int>(Text.size()))));
  return Text;
}

class TListPeerBase : public TChildPeer<TListControlPeer> {
 public:
  using TChildPeer::TChildPeer;

 protected:
  void Make(const wchar_t* Class, DWORD Style, HWND Parent) {
    CreateChild(Class, Style | (FControl.Enabled() ? 0 : WS_DISABLED), Parent, true);
  }
  bool HandleMessage(UINT Message, WPARAM, LPARAM, LRESULT&) override {
    if (Message == WM_SETFOCUS) FControl.NativeFocusEntered();
    return false;
  }
  void Fill(const TStrings& Items, UINT Reset, UINT Add) {
    TSyncing Sync(FSyncing);
    SendMessageW(FHandle, Reset, 0, 0);
    for (const std::string& Line : Items.Lines())
      SendMessageW(FHandle, Add, 0, reinterpret_cast<LPARAM>(ToWide(Line).c_str()));
  }
};

class TWin32ListBoxPeer : public TListPeerBase {
 public:
  TWin32ListBoxPeer(TListBox& Box, HWND Parent) : TListPeerBase(Box), FBox(Box) {
    Make(WC_LISTBOXW, LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL, Parent);
    ItemsChanged();
    StateChanged();
  }
  void ItemsChanged() override { Fill(FBox.Items(), LB_RESETCONTENT, LB_ADDSTRING); }
  void StateChanged() override {
    TSyncing Sync(FSyncing);
    SendMessageW(FHandle, LB_SETCURSEL, static_cast<WPARAM>(FBox.ItemIndex()), 0);
  }
  bool Reflected(UINT Message, WPARAM WParam, LPARAM, LRESULT& Result) override {
    if (Message != WM_COMMAND || HIWORD(WParam) != LBN_SELCHANGE || FSyncing) return false;
    FBox.NativeSelect(static_cast<int>(SendMessageW(FHandle, LB_GETCURSEL, 0, 0)));
    Result = 0;
    return true;
  }

 private:
  TListBox& FBox;
};

class TWin32ComboBoxPeer : public TListPeerBase {
 public:
  TWin32ComboBoxPeer(TComboBox& Box, HWND Parent) : TListPeerBase(Box), FBox(Box) {
    DWORD Style = Box.Style() == TComboBoxStyle::Simple         ? CBS_SIMPLE
                  : Box.Style() == TComboBoxStyle::DropDownList ? CBS_DROPDOWNLIST
                                                                : CBS_DROPDOWN;
    Make(WC_COMBOBOXW, Style | CBS_AUTOHSCROLL | WS_VSCROLL, Parent);
    BoundsChanged();
    ItemsChanged();
    StateChanged();
  }
  void BoundsChanged() override {
    // A drop-down combo's window includes its open list: the bounds are its closed size.
    const RECT Place = PixelBounds(FBox, Dpi());
    const int Height =
        Place.bottom - Place.top + (FBox.Style() == TComboBoxStyle::Simple ? 0 : Pixels(200));
    SetWindowPos(FHandle, nullptr, Place.left, Place.top, Place.right - Place.left, Height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
  }
  void ItemsChanged() override { Fill(FBox.Items(), CB_RESETCONTENT, CB_ADDSTRING); }
  void StateChanged() override {
    TSyncing Sync(FSyncing);
    if (SendMessageW(FHandle, CB_GETCURSEL, 0, 0) != FBox.ItemIndex() || FBox.ItemIndex() < 0)
      SendMessageW(FHandle, CB_SETCURSEL, static_cast<WPARAM>(FBox.ItemIndex()), 0);
    std::wstring Text = ToWide(FBox.Text());
    if (FBox.Style() != TComboBoxStyle::DropDownList && TextOf(FHandle) != Text)
      SetWindowTextW(FHandle, Text.c_str());
  }
  bool Reflected(UINT Message, WPARAM WParam, LPARAM, LRESULT& Result) override {
    if (Message != WM_COMMAND || FSyncing) return false;
    switch (HIWORD(WParam)) {
      case CBN_SELCHANGE:
        FBox.NativeSelect(static_cast<int>(SendMessageW(FHandle, CB_GETCURSEL, 0, 0)));
        break;
      case CBN_EDITCHANGE: FBox.NativeTextChanged(FromWide(TextOf(FHandle))); break;
      default: return false;
    }
    Result = 0;
    return true;
  }

 private:
  TComboBox& FBox;
};

}  // namespace

std::unique_ptr<TControlPeer> NewListBoxPeer(TListBox& Box, HWND Parent) {
  return std::make_unique<TWin32ListBoxPeer>(Box, Parent);
}

std::unique_ptr<TControlPeer> NewComboBoxPeer(TComboBox& Box, HWND Parent) {
  return std::make_unique<TWin32ComboBoxPeer>(Box, Parent);
}

}  // namespace lantern
