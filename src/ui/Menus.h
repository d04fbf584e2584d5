#pragma once
// Menus: a form's main menu and popup menus, made of items that run actions. Windowless, a
// popup records where it was asked to appear and a test chooses its item; on Windows the
// native menu is built from the items when it opens, so it always shows their current state.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/Action.h"
#include "ui/Canvas.h"

namespace lantern {

class TImageList;

// A caption as it is shown: every "&" removed. Underline: the byte offset in the result of the
// character that followed the last "&" removed (the one to underline), or -1 when none did.
std::string StripAmpersands(const std::string& Caption, int& Underline);

class TMenuItem {
 public:
  // Owner drawing: the entry's size, and its picture in its rectangle (Selected while it is
  // highlighted).
  using TMeasureItemEvent =
      std::function<void(TMenuItem* Sender, TCanvas& Canvas, int& Width, int& Height)>;
  using TDrawItemEvent =
      std::function<void(TMenuItem* Sender, TCanvas& Canvas, const TRect& Rect, bool Selected)>;

  TMenuItem() = default;
  explicit TMenuItem(TAction* Action) : FAction(Action) {}
  explicit TMenuItem(const std::string& Caption) : FCaption(Caption) {}
  TMenuItem(const TMenuItem&) = delete;
  TMenuItem& operator=(const TMenuItem&) = delete;

  // The item's own caption when it has one, else its action's; "-" is a separator.
  std::string Caption() const;
  // What a native menu shows: the caption, then a tab and the action's shortcut if it has one
  // ("名前変更(&N)" tab "F2"), so that the shortcut stands in its own column.
  std::string MenuText() const;
  void SetCaption(const std::string& Value) { FCaption = Value; }
  TAction* Action() const { return FAction; }
  bool IsSeparator() const { return FCaption == "-"; }
  bool Enabled() const { return FAction ? FAction->Enabled() : FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  bool Checked() const { return FAction && FAction->Checked(); }
  bool Default() const { return FDefault; }
  void SetDefault(bool Value) { FDefault = Value; }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value) { FImageIndex = Value; }

  // The entries below this one; asking for them makes those still to come (SetFill).
  int Count() const {
    Fill();
    return static_cast<int>(FItems.size());
  }
  TMenuItem* Items(int Index) const {
    Fill();
    return FItems.at(Index).get();
  }
  TMenuItem* Add(std::unique_ptr<TMenuItem> Item);
  TMenuItem* Add(TAction* Action) { return Add(std::make_unique<TMenuItem>(Action)); }
  TMenuItem* AddSeparator() { return Add(std::make_unique<TMenuItem>("-")); }
  void Clear() {
    FItems.clear();
    FFill = nullptr;
  }
  // Entries made only when first asked for: Fill adds them then, once. A menu of thousands
  // of entries in nested submenus costs only the entries of the submenus opened. Some tells
  // beforehand whether Fill adds any, so that the entry shows as a submenu (or not) without
  // making them.
  void SetFill(std::function<void(TMenuItem* Sender)> Fill, bool Some) {
    FFill = std::move(Fill);
    FFillAddsSome = Some;
  }
  // Whether the entry opens a submenu: it has entries, or they are to come.
  bool HasEntries() const { return !FItems.empty() || (FFill && FFillAddsSome); }
  void Delete(int Index) { FItems.erase(FItems.begin() + Index); }

  // The user chose the item: its action runs (when enabled), else its click handler.
  void Click();
  std::function<void(TMenuItem* Sender)> OnClick;
  TMeasureItemEvent OnMeasureItem;
  TDrawItemEvent OnDrawItem;

 private:
  std::string FCaption;
  TAction* FAction = nullptr;
  void Fill() const;
  bool FEnabled = true;
  bool FDefault = false;
  bool FFillAddsSome = false;
  int FImageIndex = -1;
  mutable std::vector<std::unique_ptr<TMenuItem>> FItems;
  mutable std::function<void(TMenuItem* Sender)> FFill;
};

class TMenu {
 public:
  virtual ~TMenu() = default;
  TMenuItem& Items() { return FItems; }
  // The pictures of the entries; the menu does not own them.
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value) { FImages = Value; }
  // Entries measured and drawn by their OnMeasureItem and OnDrawItem.
  bool OwnerDraw() const { return FOwnerDraw; }
  void SetOwnerDraw(bool Value) { FOwnerDraw = Value; }
  // The DPI the owner-drawn entries are drawn at (what the system leaves them is scaled).
  int Dpi() const { return FDpi; }
  void SetDpi(int Value) { FDpi = Value; }

 private:
  TMenuItem FItems;
  int FDpi = 96;
  TImageList* FImages = nullptr;
  bool FOwnerDraw = false;
};

// A form's menu bar.
class TMainMenu : public TMenu {};

class TPopupMenu;

// Something that keeps a pointer to a popup menu and must hear when the menu goes.
class TMenuFreeListener {
 public:
  virtual void MenuFreed(TPopupMenu* Menu) = 0;

 protected:
  ~TMenuFreeListener() = default;
};

class TPopupMenu : public TMenu {
 public:
  TPopupMenu() = default;
  TPopupMenu(const TPopupMenu&) = delete;
  TPopupMenu& operator=(const TPopupMenu&) = delete;
  ~TPopupMenu() override;
  // Listener hears of the menu's end, unless it removes itself first.
  void FreeNotification(TMenuFreeListener* Listener);
  void RemoveFreeNotification(TMenuFreeListener* Listener);

  // Shows the menu at the screen point and returns when it has closed; the chosen item has
  // run by then.
  virtual void Popup(int X, int Y);
  // Runs just before the menu shows.
  std::function<void(TPopupMenu* Sender)> OnPopup;
  // Shown now (Popup has not returned).
  bool Showing() const { return FShowing; }
  // Windowless: where the last popup appeared, and the item a test chooses in it.
  int PopupX = 0, PopupY = 0, Popups = 0;
  TMenuItem* Choice = nullptr;

 private:
  std::vector<TMenuFreeListener*> FFreeListeners;
  bool FShowing = false;
};

}  // namespace lantern
