#include "ui/ListView.h"

#include <algorithm>

#include "ui/Widgets.h"

namespace lantern {

// TSubItems

void TSubItems::Add(const std::string& Text) {
  FTexts.push_back(Text);
  FOwner->Changed(TItemChange::ctText);
}

void TSubItems::Set(int Index, const std::string& Text) {
  if (Index < 0) return;
  if (Index >= Count()) FTexts.resize(Index + 1);
  FTexts[Index] = Text;
  FOwner->Changed(TItemChange::ctText);
}

void TSubItems::Clear() {
  FTexts.clear();
  FOwner->Changed(TItemChange::ctText);
}

// TListItem

int TListItem::Index() const { return FOwner->Items().IndexOf(this); }

void TListItem::Changed(TItemChange Change) {
  if (TListViewPeer* Peer = FOwner->ListPeer()) Peer->RowChanged(this, Change);
  if (FOwner->OnChange) FOwner->OnChange(FOwner, this, Change);
}

void TListItem::NativeState(bool Checked, bool Selected, bool Focused) {
  if (Checked == FChecked && Selected == FSelected && Focused == FFocused) return;
  FChecked = Checked;
  FSelected = Selected;
  FFocused = Focused;
  if (FOwner->OnChange) FOwner->OnChange(FOwner, this, TItemChange::ctState);
}

void TListItem::EditCaption() {
  if (TListViewPeer* Peer = FOwner->ListPeer())
    Peer->EditCaption(this);
  else
    FOwner->FEditing = true;
}

void TListItem::MakeVisible() {
  if (TListViewPeer* Peer = FOwner->ListPeer()) Peer->MakeVisible(this);
}

void TListItem::SetCaption(const std::string& Value) {
  FCaption = Value;
  Changed(TItemChange::ctText);
}

void TListItem::SetChecked(bool Value) {
  if (FChecked == Value) return;
  FChecked = Value;
  Changed(TItemChange::ctState);
}

void TListItem::SetImageIndex(int Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  Changed(TItemChange::ctImage);
}

void TListItem::SetSelected(bool Value) {
  if (FSelected == Value) return;
  FSelected = Value;
  Changed(TItemChange::ctState);
}

void TListItem::SetFocused(bool Value) {
  if (FFocused == Value) return;
  if (Value)  // one focused row at a time
    for (int i = 0; i < FOwner->Items().Count(); ++i) {
      TListItem* Other = FOwner->Items()[i];
      if (Other != this && Other->FFocused) Other->SetFocused(false);
    }
  FFocused = Value;
  Changed(TItemChange::ctState);
}

void TListItem::Delete() {
  auto& Rows = FOwner->Items().FRows;
  // Searched from the end: rows are mostly deleted last first.
  auto It = std::find_if(Rows.rbegin(), Rows.rend(),
                         [this](const std::unique_ptr<TListItem>& p) { return p.get() == this; });
  if (It == Rows.rend()) return;
  if (TListViewPeer* Peer = FOwner->ListPeer())
    Peer->RowDeleting(this, static_cast<int>(Rows.rend() - It) - 1);
  std::unique_ptr<TListItem> Owned = std::move(*It);
  Rows.erase(std::next(It).base());
}

// TListItems

TListItem* TListItems::Add() { return Insert(Count()); }

TListItem* TListItems::Insert(int Index) {
  Index = std::max(0, std::min(Index, Count()));
  FRows.emplace(FRows.begin() + Index, new TListItem(FOwner));
  if (TListViewPeer* Peer = FOwner->ListPeer()) Peer->RowInserted(FRows[Index].get(), Index);
  return FRows[Index].get();
}

void TListItems::Clear() {
  if (TListViewPeer* Peer = FOwner->ListPeer()) Peer->RowsCleared();
  FOwner->FEditing = false;  // as the control's own edit box goes with its rows
  FRows.clear();
}

void TListItems::BeginUpdate() {
  if (FUpdateCount++ == 0)
    if (TListViewPeer* Peer = FOwner->ListPeer()) Peer->UpdateBracket(true);
}

void TListItems::Sort(const std::function<bool(const TListItem*, const TListItem*)>& Less) {
  std::stable_sort(FRows.begin(), FRows.end(),
                   [&](const std::unique_ptr<TListItem>& a, const std::unique_ptr<TListItem>& b) {
                     return Less(a.get(), b.get());
                   });
  if (TListViewPeer* Peer = FOwner->ListPeer()) Peer->RowsReordered();
}

int TListItems::IndexOf(const TListItem* Row) const {
  for (std::size_t i = 0; i < FRows.size(); ++i)
    if (FRows[i].get() == Row) return static_cast<int>(i);
  return -1;
}

void TListItems::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0)
    if (TListViewPeer* Peer = FOwner->ListPeer()) Peer->UpdateBracket(false);
}

// TListView

TListView::~TListView() {
  OnChange = nullptr;
  OnEdited = nullptr;
  OnDblClick = nullptr;
  OnColumnClick = nullptr;
  SetPeer(nullptr);
}

void TListView::SetSmallImages(TImageList* Value) {
  if (FSmallImages == Value) return;
  FSmallImages = Value;
  if (TListViewPeer* Peer = ListPeer()) Peer->ImagesChanged();
}

void TListView::AddColumn(const std::string& Caption, int Width) {
  FColumns.push_back({Caption, Width});
  if (TListViewPeer* Peer = ListPeer()) Peer->ColumnsChanged();
}

void TListView::SetColumnWidth(int Index, int Width) {
  if (Index < 0 || Index >= static_cast<int>(FColumns.size())) return;
  FColumns[Index].Width = Width;
  if (TListViewPeer* Peer = ListPeer()) Peer->ColumnsChanged();
}

int TListView::ColumnWidth(int Index) const {
  if (Index < 0 || Index >= static_cast<int>(FColumns.size())) return 0;
  return ListPeer() ? ListPeer()->ColumnWidth(Index) : FColumns[Index].Width;
}

void TListView::NativeEdited(TListItem* Item, const std::string& Text) {
  FEditing = false;
  std::string S = Text;
  if (OnEdited) OnEdited(this, Item, S);
  Item->SetCaption(S);
}

TListItem* TListView::Selected() const {
  for (int i = 0; i < FItems.Count(); ++i)
    if (FItems[i]->Selected()) return FItems[i];
  return nullptr;
}

int TListView::SelCount() const {
  int n = 0;
  for (int i = 0; i < FItems.Count(); ++i) n += FItems[i]->Selected() ? 1 : 0;
  return n;
}

void TListView::SelectOnly(TListItem* Row) {
  for (int i = 0; i < FItems.Count(); ++i)
    if (FItems[i] != Row) FItems[i]->SetSelected(false);
  Row->SetSelected(true);
  Row->SetFocused(true);
  Row->MakeVisible();
}

TListItem* TListView::GetItemAt(int X, int Y) const {
  int Row = -1;
  if (TListViewPeer* Peer = ListPeer())
    Row = Peer->RowAt(X, Y);
  else if (X >= 0 && Y >= 0)
    Row = Y / RowHeight;
  return Row >= 0 && Row < FItems.Count() ? FItems[Row] : nullptr;
}

std::unique_ptr<TControlPeer> TListView::CreateNativePeer(TWidgetFactory& Factory, void* Parent) {
  return Factory.CreateListView(*this, Parent);
}

}  // namespace lantern
