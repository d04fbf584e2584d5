#pragma once
// The list controls of dialogs: a list box and a combo box (an edit field over a list that
// drops down or stays open, or a drop-down list alone), both over a list of lines. The
// program's own choice of ItemIndex runs no handler; the user's choice runs OnChange (combo)
// and OnClick after the state has changed.
#include <functional>
#include <string>
#include <vector>

#include "ui/Control.h"
#include "ui/Strings.h"

namespace lantern {

class TListControlPeer : public TControlPeer {
 public:
  virtual void ItemsChanged() = 0;  // the lines are filled anew, then StateChanged
};

// What a list box and a combo box share: the lines and the chosen one.
class TListControl : public TWinControl {
 public:
  explicit TListControl(TWinControl* Parent);
  TStrings& Items() { return FItems; }
  const TStrings& Items() const { return FItems; }
  // The chosen line, -1 for none. Deleting lines before it moves it; deleting it clears it.
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value);
  // The user chose the line at Index.
  void NativeSelect(int Index);

  TNotifyEvent OnClick;

 protected:
  virtual void Selected() {}      // the user's choice, before OnClick
  virtual void IndexChanged() {}  // chosen by the program or the user
  // No line is chosen, as the native control has it already.
  void Unselect() { FItemIndex = -1; }
  TListControlPeer* ListPeer() const { return static_cast<TListControlPeer*>(Peer()); }

 private:
  TStrings FItems;
  int FItemIndex = -1;
};

class TListBox : public TListControl {
 public:
  std::unique_ptr<TControlPeer> CreateNativePeer(TWidgetFactory& Factory, void* Parent) override;
  using TListControl::TListControl;
};

enum class TComboBoxStyle { DropDown, Simple, DropDownList };

class TComboBox : public TListControl {
 public:
  std::unique_ptr<TControlPeer> CreateNativePeer(TWidgetFactory& Factory, void* Parent) override;
  explicit TComboBox(TWinControl* Parent, TComboBoxStyle Style = TComboBoxStyle::DropDown);
  TComboBoxStyle Style() const { return FStyle; }
  // The edit field's text; with a drop-down list alone, the chosen line's (or empty). Choosing
  // a line shows it there, and choosing none (-1) empties it; the lines' changes leave it.
  std::string Text() const;
  void SetText(const std::string& Value);
  // The user typed in the edit field: no line is chosen any more.
  void NativeTextChanged(const std::string& Value);

  TNotifyEvent OnChange;  // the user typed or chose a line

 protected:
  void Selected() override;
  void IndexChanged() override;

 private:
  TComboBoxStyle FStyle;
  std::string FText;
};

}  // namespace lantern
