#include "ui/win32/MenusWin32.h"

#include <algorithm>

#include "ui/Dpi.h"
#include "ui/Menus.h"
#include "ui/win32/CanvasWin32.h"
#include "ui/win32/Peers.h"
#include "ui/win32/WideText.h"
#include "ui/win32/Window.h"

namespace lantern {

namespace {

constexpr UINT FirstCommand = 1000;
TNativeMenu* Tracked = nullptr;

}  // namespace

TNativeMenu::TNativeMenu(TMenuItem& Items, bool Popup, bool OwnerDraw)
    : FMenu(Popup ? CreatePopupMenu() : CreateMenu()), FOwnerDraw(OwnerDraw), FLazy(Popup) {
  Append(FMenu.Get(), Items);
}

void TNativeMenu::Append(HMENU Menu, TMenuItem& Parent) {
  for (int i = 0; i < Parent.Count(); ++i) {
    TMenuItem* Item = Parent.Items(i);
    if (!FOwnerDraw && Item->IsSeparator()) {
      AppendMenuW(Menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    UINT Flags =
        (Item->Enabled() ? MF_ENABLED : MF_GRAYED) | (Item->Checked() ? MF_CHECKED : MF_UNCHECKED);
    // An owner-drawn entry is measured and drawn by its item; its caption is read then.
    std::wstring Text = FOwnerDraw ? std::wstring() : ToWide(Item->MenuText());
    const wchar_t* Content = FOwnerDraw ? reinterpret_cast<LPCWSTR>(Item) : Text.c_str();
    Flags |= FOwnerDraw ? MF_OWNERDRAW : MF_STRING;
    if (Item->HasEntries()) {
      HMENU Sub = CreatePopupMenu();
      FOwn.push_back(Sub);
      if (FLazy)
        FUnfilled[Sub] = Item;
      else
        Append(Sub, *Item);
      // The menu that holds a submenu destroys it with itself.
      AppendMenuW(Menu, Flags | MF_POPUP, reinterpret_cast<UINT_PTR>(Sub), Content);
      continue;
    }
    FCommands.push_back(Item);
    UINT Id = FirstCommand + static_cast<UINT>(FCommands.size()) - 1;
    AppendMenuW(Menu, Flags, Id, Content);
    if (Item->Default()) SetMenuDefaultItem(Menu, Id, FALSE);
  }
}

bool TNativeMenu::Opening(HMENU Menu) {
  if (Menu != FMenu.Get() && std::find(FOwn.begin(), FOwn.end(), Menu) == FOwn.end()) return false;
  auto It = FUnfilled.find(Menu);
  if (It != FUnfilled.end()) {
    TMenuItem* Parent = It->second;
    FUnfilled.erase(It);
    Append(Menu, *Parent);
  }
  Refresh(Menu);
  return true;
}

void TNativeMenu::Refresh(HMENU Menu) const {
  for (int i = 0, n = GetMenuItemCount(Menu); i < n; ++i) {
    TMenuItem* Item = Command(GetMenuItemID(Menu, i));
    if (!Item) continue;
    EnableMenuItem(Menu, i, MF_BYPOSITION | (Item->Enabled() ? MF_ENABLED : MF_GRAYED));
    CheckMenuItem(Menu, i, MF_BYPOSITION | (Item->Checked() ? MF_CHECKED : MF_UNCHECKED));
  }
}

TMenuItem* TNativeMenu::Command(UINT Id) const {
  return Id >= FirstCommand && Id - FirstCommand < FCommands.size() ? FCommands[Id - FirstCommand]
                                                                    : nullptr;
}

TNativeMenu* TrackedMenu() { return Tracked; }

TMenuItem* TrackPopup(TPopupMenu& Menu, int X, int Y, HWND Owner) {
  TNativeMenu Native(Menu.Items(), true, Menu.OwnerDraw());
  Native.Dpi = Menu.Dpi();
  TNativeMenu* Outer = std::exchange(Tracked, &Native);
  // The owner must be in the foreground, or the menu does not close when the user clicks
  // elsewhere; the message after it lets the menu go for good. The owner hears
  // WM_INITMENUPOPUP, which fills each submenu as it opens.
  BringForward(Owner, false);
  UINT Id = static_cast<UINT>(
      TrackPopupMenu(Native.Handle(), TPM_RETURNCMD | TPM_RIGHTBUTTON, X, Y, 0, Owner, nullptr));
  PostMessageW(Owner, WM_NULL, 0, 0);
  Tracked = Outer;
  return Native.Command(Id);
}

void MeasureOwnerDrawn(HWND Owner, MEASUREITEMSTRUCT& Measure) {
  auto* Item = reinterpret_cast<TMenuItem*>(Measure.itemData);
  if (!Item || !Item->OnMeasureItem) return;
  TWindowDc Dc(Owner);
  TDcCanvas Canvas(Dc.Get());
  int Width = static_cast<int>(Measure.itemWidth), Height = static_cast<int>(Measure.itemHeight);
  Dispatch([&] { Item->OnMeasureItem(Item, Canvas, Width, Height); });
  Measure.itemWidth = Width > 0 ? Width : 0;
  Measure.itemHeight = Height > 0 ? Height : 0;
}

void DrawOwnerDrawn(DRAWITEMSTRUCT& Draw) {
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
  const int Arrow = ScaleToDpi(20, Tracked ? Tracked->Dpi : DesignDpi);
  if (Item->HasEntries()) ExcludeClipRect(Draw.hDC, R.right - Arrow, R.top, R.right, R.bottom);
}

// Windows does not know the underlined letters of owner-drawn entries: the underlined letter
// chooses the entry (opens it, for a group).
LRESULT OwnerDrawnMenuChar(wchar_t Key, HMENU Menu) {
  auto Upper = [](wchar_t c) {
    return static_cast<wchar_t>(
        reinterpret_cast<UINT_PTR>(CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(c)))));
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

}  // namespace lantern
