// The tree's plumbing: the owning list of a group's children, the pre-order walk, and the
// rules of depth and ancestry.
#include <algorithm>
#include <unordered_map>

#include "base/Convert.h"
#include "base/Exception.h"
#include "model/ExecObj.h"

namespace lantern {

namespace {
std::uint64_t ChangeCount = 0;
std::uint64_t EditCount = 0;
}  // namespace

std::string SubGroupTargetText() { return "受け側は送り側のサブフォルダです。移動はできません"; }

std::uint64_t TreeChanges() { return ChangeCount; }
void NoteTreeChange() {
  ++ChangeCount;
  ++EditCount;
}
void NoteRunningPathChange() { ++ChangeCount; }
std::uint64_t TreeEdits() { return EditCount; }
void NoteTreeEdit() { ++EditCount; }

// TExecItemList

int TExecItemList::Add(std::unique_ptr<TExecItem> Item) {
  NoteTreeChange();
  FItems.push_back(std::move(Item));
  return Count() - 1;
}

void TExecItemList::Insert(int Index, std::unique_ptr<TExecItem> Item) {
  Index = std::max(0, std::min(Index, Count()));
  NoteTreeChange();
  FItems.insert(FItems.begin() + Index, std::move(Item));
}

std::unique_ptr<TExecItem> TExecItemList::Remove(const TExecItem* Item) {
  int Index = IndexOf(Item);
  if (Index < 0) return nullptr;
  NoteTreeChange();
  std::unique_ptr<TExecItem> Result = std::move(FItems[Index]);
  FItems.erase(FItems.begin() + Index);
  return Result;
}

int TExecItemList::IndexOf(const TExecItem* Item) const {
  auto It =
      std::find_if(FItems.begin(), FItems.end(),
                   [Item](const std::unique_ptr<TExecItem>& Slot) { return Slot.get() == Item; });
  return It == FItems.end() ? -1 : static_cast<int>(It - FItems.begin());
}

void TExecItemList::Clear() {
  if (!FItems.empty()) NoteTreeChange();
  // From the end, one slot at a time: a destructor may refill the list (the current group
  // going away shows the root again), and whatever is left is still freed.
  while (!FItems.empty()) {
    if (!FItems.back()) {
      FItems.pop_back();
      continue;
    }
    // Out of its slot first; freed once the slot is null.
    std::unique_ptr<TExecItem> Dying = std::move(FItems.back());
    Dying.reset();
  }
}

std::vector<TExecItem*> TExecItemList::Snapshot() const {
  std::vector<TExecItem*> Result;
  Result.reserve(FItems.size());
  for (const auto& Item : FItems)
    if (Item) Result.push_back(Item.get());
  return Result;
}

void TExecItemList::Reorder(const std::vector<TExecItem*>& Order) {
  std::unordered_map<const TExecItem*, std::size_t> Slots;
  Slots.reserve(FItems.size());
  for (std::size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i]) Slots.emplace(FItems[i].get(), i);
  std::vector<std::unique_ptr<TExecItem>> Result;
  Result.reserve(Slots.size());
  for (TExecItem* Item : Order) {
    auto It = Slots.find(Item);
    if (It == Slots.end() || !FItems[It->second]) continue;  // not ours, or named twice
    Result.push_back(std::move(FItems[It->second]));
  }
  for (auto& Left : FItems)
    if (Left) Result.push_back(std::move(Left));
  // Only a new order is an edit: every listing of a group passes through here.
  bool Moved = Result.size() != FItems.size();
  for (std::size_t i = 0; !Moved && i < Result.size(); ++i) Moved = Slots.at(Result[i].get()) != i;
  if (Moved) NoteTreeEdit();
  FItems = std::move(Result);
}

// TExecItemIterator

TExecItemIterator::TExecItemIterator(TCompositeItem* ARoot) : FRootItem(ARoot), FCurrent(ARoot) {
  if (ARoot->Count() == 0) {
    FDone = true;
  } else {
    FCurrent = ARoot->Items(0);
    FIndexes.push_back(0);
  }
}

void TExecItemIterator::Next() {
  if (FDone) return;
  TCompositeItem* Group = FCurrent->AsGroup();
  if (Group && Group->Count() > 0) {
    FCurrent = Group->Items(0);
    FIndexes.push_back(0);
    return;
  }
  // Climb until an item has a next sibling.
  while (FCurrent != FRootItem) {
    TCompositeItem* Parent = FCurrent->Parent()->AsGroup();
    int i = FIndexes.back();
    if (i + 1 < Parent->Count()) {
      FIndexes.back() = i + 1;
      FCurrent = Parent->Items(i + 1);
      return;
    }
    FIndexes.pop_back();
    FCurrent = Parent;
  }
  FDone = true;
}

// Depth and ancestry

int TExecItem::Depth() const {
  int Result = 0;
  for (const TExecItem* Item = FParent; Item; Item = Item->FParent) ++Result;
  return Result;
}

std::string GroupTooDeepText() {
  return "グループは " + IntToStr(MaxGroupDepth) + " 階層までしか入れ子にできません";
}

int TCompositeItem::NewChildIndex(const TExecItem* AItem) const {
  if (!const_cast<TExecItem*>(AItem)->AsGroup()) return Count();
  for (int i = Count() - 1; i >= 0; --i) {
    TExecItem* Child = Items(i);
    if (Child && Child->IsGroup()) return Child->IsRecycledFolder() ? i : Count();
  }
  return Count();
}

TExecItem* TCompositeItem::AddNew(std::unique_ptr<TExecItem> AItem) {
  const int Index = NewChildIndex(AItem.get());
  if (Index >= Count()) return Add(std::move(AItem));
  TExecItem* Item = AItem.get();
  Insert(Index, std::move(AItem));
  return Item;
}

bool TCompositeItem::IsInside(const TExecItem* AItem) const {
  for (const TExecItem* Item = this; Item; Item = Item->Parent())
    if (Item == AItem) return true;
  return false;
}

namespace {

// How many levels of groups lie below Group (0 when it holds none).
int GroupHeight(const TCompositeItem& Group) {
  int Height = 0;
  for (int i = 0; i < Group.Count(); ++i)
    if (const TCompositeItem* Child = Group.Items(i)->AsGroup())
      Height = std::max(Height, GroupHeight(*Child) + 1);
  return Height;
}

}  // namespace

void TCompositeItem::CheckCanHold(const TExecItem* AItem) const {
  const TCompositeItem* Group = const_cast<TExecItem*>(AItem)->AsGroup();
  // A group inside itself would be its own ancestor: every walk up the tree would loop.
  if (Group && IsInside(AItem)) throw Exception(SubGroupTargetText());
  if (Group && Depth() + 1 + GroupHeight(*Group) > MaxGroupDepth)
    throw Exception(GroupTooDeepText());
}

}  // namespace lantern
