#pragma once
// Report-style list view with rows. The state lives here; a native control, when there is
// one, mirrors it. Every change of a row's texts, picture or state is reported to OnChange,
// which the program may take away while it writes rows itself.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/DragControl.h"

namespace lantern {

class TImageList;
class TListView;
class TListItem;

enum class TItemChange { ctText, ctImage, ctState };

// The native list control's side: told of every change, in the order they happen.
class TListViewPeer : public TControlPeer {
 public:
  virtual void RowInserted(TListItem* Row, int Index) = 0;
  virtual void RowDeleting(TListItem* Row, int Index) = 0;
  virtual void RowsCleared() = 0;
  virtual void RowsReordered() = 0;
  virtual void RowChanged(TListItem* Row, TItemChange Change) = 0;
  virtual void ImagesChanged() = 0;
  virtual void ColumnsChanged() = 0;
  virtual void UpdateBracket(bool Begin) = 0;
  virtual void MakeVisible(TListItem* Row) = 0;
  virtual int ColumnWidth(int Index) = 0;  // as the user left it
  virtual void EditCaption(TListItem* Row) = 0;
  virtual bool Editing() = 0;
  virtual int RowAt(int X, int Y) = 0;  // client point; -1 for none
};

struct TListColumn {
  std::string Caption;
  int Width;
};

// The texts of a row after its caption (sub-item 0 is the second column).
class TSubItems {
 public:
  int Count() const { return static_cast<int>(FTexts.size()); }
  const std::string& operator[](int Index) const { return FTexts.at(Index); }
  void Add(const std::string& Text);
  void Set(int Index, const std::string& Text);
  void Clear();

 private:
  friend class TListItem;
  explicit TSubItems(TListItem* Owner) : FOwner(Owner) {}
  TListItem* FOwner;
  std::vector<std::string> FTexts;
};

class TListItem {
 public:
  TListItem(const TListItem&) = delete;
  TListItem& operator=(const TListItem&) = delete;

  TListView* ListView() const { return FOwner; }
  int Index() const;
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  TSubItems& SubItems() { return FSubItems; }
  const TSubItems& SubItems() const { return FSubItems; }
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  void* Data() const { return FData; }
  void SetData(void* Value) { FData = Value; }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  bool Selected() const { return FSelected; }
  void SetSelected(bool Value);
  bool Focused() const { return FFocused; }
  void SetFocused(bool Value);
  // Frees the row; the rows after it move up.
  void Delete();
  // Scrolls the list so that the row can be seen.
  void MakeVisible();
  // Starts in-place editing of the caption (windowless: the next NativeEdited is its end).
  void EditCaption();
  // The user changed the row's check box, selection or focus in the native control.
  void NativeState(bool Checked, bool Selected, bool Focused);

 private:
  friend class TListItems;
  friend class TSubItems;
  explicit TListItem(TListView* Owner) : FOwner(Owner), FSubItems(this) {}
  void Changed(TItemChange Change);

  TListView* FOwner;
  std::string FCaption;
  TSubItems FSubItems;
  bool FChecked = false;
  void* FData = nullptr;
  int FImageIndex = -1;
  bool FSelected = false;
  bool FFocused = false;
};

class TListItems {
 public:
  explicit TListItems(TListView* Owner) : FOwner(Owner) {}
  TListItem* Add();
  TListItem* Insert(int Index);  // Index is clamped to 0..Count
  void Clear();
  int Count() const { return static_cast<int>(FRows.size()); }
  TListItem* operator[](int Index) const { return FRows.at(Index).get(); }
  int IndexOf(const TListItem* Row) const;
  // Puts the rows in the order Less gives (a stable sort); the items stay as they are.
  void Sort(const std::function<bool(const TListItem*, const TListItem*)>& Less);

  void BeginUpdate();
  void EndUpdate();
  bool Updating() const { return FUpdateCount > 0; }

 private:
  friend class TListItem;
  TListView* FOwner;
  std::vector<std::unique_ptr<TListItem>> FRows;
  int FUpdateCount = 0;
};

class TListView : public TDragControl {
 public:
  std::unique_ptr<TControlPeer> CreateNativePeer(TWidgetFactory& Factory, void* Parent) override;
  using TChangeEvent = std::function<void(TListView* Sender, TListItem* Item, TItemChange)>;
  using TEditedEvent = std::function<void(TListView* Sender, TListItem* Item, std::string& S)>;
  using TColumnEvent = std::function<void(TListView* Sender, int Column)>;

  explicit TListView(TWinControl* Parent = nullptr) : TDragControl(Parent), FItems(this) {}
  ~TListView() override;
  TListViewPeer* ListPeer() const { return static_cast<TListViewPeer*>(Peer()); }
  TListItems& Items() { return FItems; }
  const TListItems& Items() const { return FItems; }
  TImageList* SmallImages() const { return FSmallImages; }
  void SetSmallImages(TImageList* Value);
  TListItem* Selected() const;  // the first selected row
  int SelCount() const;
  // Row alone chosen, focused and scrolled into view.
  void SelectOnly(TListItem* Row);
  // The row at the client point, if any.
  TListItem* GetItemAt(int X, int Y) const;

  const std::vector<TListColumn>& Columns() const { return FColumns; }
  void AddColumn(const std::string& Caption, int Width);
  int ColumnWidth(int Index) const;
  void SetColumnWidth(int Index, int Width);
  // The user finished editing a caption, double-clicked or clicked a column header.
  void NativeEdited(TListItem* Item, const std::string& Text);
  // A caption is being edited in place.
  bool Editing() const { return ListPeer() ? ListPeer()->Editing() : FEditing; }
  void NativeDblClick() {
    if (OnDblClick) OnDblClick(this);
  }
  void NativeColumnClick(int Column) {
    if (OnColumnClick) OnColumnClick(this, Column);
  }

  TChangeEvent OnChange;
  TEditedEvent OnEdited;
  TNotifyEvent OnDblClick;
  TColumnEvent OnColumnClick;

 private:
  TListItems FItems;
  TImageList* FSmallImages = nullptr;
  std::vector<TListColumn> FColumns;
  bool FEditing = false;  // windowless
  friend class TListItem;
  friend class TListItems;
};

// Takes the view's change handler away for a while, so that the handler sees only the
// user's own changes, not the rows the program writes itself. No view: nothing to do.
class TSilentChanges {
 public:
  explicit TSilentChanges(TListView* View) : FView(View) {
    if (FView) {
      FSaved = std::move(FView->OnChange);
      FView->OnChange = nullptr;
    }
  }
  ~TSilentChanges() {
    if (FView) FView->OnChange = std::move(FSaved);
  }
  TSilentChanges(const TSilentChanges&) = delete;
  TSilentChanges& operator=(const TSilentChanges&) = delete;

 private:
  TListView* FView;
  TListView::TChangeEvent FSaved;
};

}  // namespace lantern
