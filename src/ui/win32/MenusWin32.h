#pragma once
// Native menus made from the toolkit's items: a form's menu bar and the popup menus. A popup's
// submenu is filled only when it is about to open, so that a menu of thousands of entries in
// nested groups opens as fast as its top level. Owner-drawn entries carry their TMenuItem, which
// measures and draws itself.
#include <windows.h>

#include <map>
#include <vector>

#include "ui/win32/Handles.h"

namespace lantern {

class TMenuItem;
class TPopupMenu;

class TNativeMenu {
 public:
  // The entries of Items: a menu bar, or a popup menu (owner-drawn or not).
  TNativeMenu(TMenuItem& Items, bool Popup, bool OwnerDraw);
  HMENU Handle() const { return FMenu.Get(); }
  // The window takes the menu (a menu bar goes with its window).
  HMENU TakeHandle() { return FMenu.Take(); }
  // WM_INITMENUPOPUP: a submenu of ours is filled the first time it opens, and its entries
  // show the current state of their actions. False for a menu that is not ours.
  bool Opening(HMENU Menu);
  // The entry of a command number; nullptr when it is not one of ours.
  TMenuItem* Command(UINT Id) const;
  int Dpi = 96;  // of the owner-drawn entries

 private:
  void Append(HMENU Menu, TMenuItem& Parent);
  void Refresh(HMENU Menu) const;

  TMenuHandle FMenu;
  bool FOwnerDraw;
  bool FLazy;
  std::vector<TMenuItem*> FCommands;      // by command number - FirstCommand
  std::map<HMENU, TMenuItem*> FUnfilled;  // submenus that have not opened yet
  std::vector<HMENU> FOwn;                // every submenu of ours
};

// Shows a popup menu at the screen point for Owner until it closes; the entry chosen, if any.
TMenuItem* TrackPopup(TPopupMenu& Menu, int X, int Y, HWND Owner);
// The popup menu being shown, for its owner's WM_INITMENUPOPUP; nullptr when none.
TNativeMenu* TrackedMenu();

// The owner of owner-drawn popup menus forwards these.
void MeasureOwnerDrawn(HWND Owner, MEASUREITEMSTRUCT& Measure);
void DrawOwnerDrawn(DRAWITEMSTRUCT& Draw);
// WM_MENUCHAR: the entry whose underlined letter is Key; 0 when none has it.
LRESULT OwnerDrawnMenuChar(wchar_t Key, HMENU Menu);

}  // namespace lantern
