#include "ui/ImageList.h"

#include "ui/Widgets.h"

namespace lantern {

TImageList::TImageList(int Width, int Height) : FWidth(Width), FHeight(Height) {}

TImageList::~TImageList() = default;

void TImageList::Realize() const {
  if (FRealized) return;
  FRealized = true;
  for (auto& [Index, Make] : FLater) FPictures[Index] = Make();
  FLater.clear();
  if (!Widgets()) return;
  FPeer = Widgets()->CreateImageList(const_cast<TImageList&>(*this));
  // The native list holds the pictures from now on.
  for (TIcon& Picture : FPictures) {
    FPeer->Added(Picture);
    Picture = TIcon();
  }
}

int TImageList::AddIcon(const TIcon& Icon) {
  if (Icon.Empty()) return -1;
  if (Icon.Source() >= 0) {
    auto [It, Added] = FBySource.emplace(Icon.Source(), Count());
    if (!Added) return It->second;
  }
  Append(Icon);
  return Count() - 1;
}

void TImageList::Append(const TIcon& Icon) {
  // Once pictures come one by one (a launcher list's thousands), the native list holds them:
  // icon handles are few.
  Realize();
  if (FPeer) {
    FPeer->Added(Icon);  // an empty icon becomes a blank picture
    FPictures.emplace_back();
  } else {
    FPictures.push_back(Icon);
  }
}

void TImageList::AppendLater(std::function<TIcon()> Make) {
  if (FRealized) return Append(Make());
  FLater.emplace_back(Count(), std::move(Make));
  FPictures.emplace_back();
}

TIcon TImageList::GetIcon(int Index) const {
  if (Index < 0 || Index >= Count()) return TIcon();
  Realize();
  return FPeer ? FPeer->GetIcon(Index) : FPictures[Index];
}

void TImageList::Delete(int Index) {
  if (Index < 0 || Index >= Count()) return;
  Realize();
  if (FPeer) FPeer->Deleted(Index);
  FPictures.erase(FPictures.begin() + Index);
  for (auto It = FBySource.begin(); It != FBySource.end();) {
    if (It->second == Index) {
      It = FBySource.erase(It);
      continue;
    }
    if (It->second > Index) --It->second;
    ++It;
  }
}

}  // namespace lantern
