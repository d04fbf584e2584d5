#include "ui/ListCtrls.h"

#include "ui/Widgets.h"

namespace lantern {

TListControl::TListControl(TWinControl* Parent) : TWinControl(Parent) {
  FItems.FChanged = [this](int Index, int Count) {
    if (Index < 0 || (Count < 0 && Index == FItemIndex))
      FItemIndex = -1;
    else if (Index <= FItemIndex)
      FItemIndex += Count;
    if (ListPeer()) ListPeer()->ItemsChanged();
    if (ListPeer()) ListPeer()->StateChanged();
  };
}

void TListControl::SetItemIndex(int Value) {
  if (Value < -1 || Value >= FItems.Count()) Value = -1;
  if (Value == FItemIndex) return;
  FItemIndex = Value;
  IndexChanged();
  if (Peer()) Peer()->StateChanged();
}

void TListControl::NativeSelect(int Index) {
  SetItemIndex(Index);
  Selected();
  if (OnClick) OnClick(this);
}

TComboBox::TComboBox(TWinControl* Parent, TComboBoxStyle Style)
    : TListControl(Parent), FStyle(Style) {}

std::string TComboBox::Text() const {
  if (FStyle != TComboBoxStyle::DropDownList) return FText;
  return ItemIndex() >= 0 ? Items()[ItemIndex()] : std::string();
}

void TComboBox::SetText(const std::string& Value) {
  if (FStyle == TComboBoxStyle::DropDownList) {
    SetItemIndex(Items().IndexOf(Value));
    return;
  }
  FText = Value;
  if (Peer()) Peer()->StateChanged();
}

void TComboBox::NativeTextChanged(const std::string& Value) {
  FText = Value;
  Unselect();  // the native control has no line chosen either; its text stays as typed
  if (OnChange) OnChange(this);
}

void TComboBox::IndexChanged() { FText = ItemIndex() >= 0 ? Items()[ItemIndex()] : std::string(); }

void TComboBox::Selected() {
  if (OnChange) OnChange(this);
}

std::unique_ptr<TControlPeer> TListBox::CreateNativePeer(TWidgetFactory& Factory, void* Parent) {
  return Factory.CreateListBox(*this, Parent);
}

std::unique_ptr<TControlPeer> TComboBox::CreateNativePeer(TWidgetFactory& Factory, void* Parent) {
  return Factory.CreateComboBox(*this, Parent);
}

}  // namespace lantern
