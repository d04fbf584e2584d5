#include "ui/ImageList.h"

#include "ui/Widgets.h"

namespace lantern {

TImageList::TImageList(int Width, int Height) : FWidth(Width), FHeight(Height) {
  if (Widgets()) FPeer = Widgets()->CreateImageList(*this);
}

TImageList::~TImageList() = default;

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
  if (FPeer) {
    FPeer->Added(Icon);  // an empty icon becomes a blank picture
    FPictures.emplace_back();
  } else {
    FPictures.push_back(Icon);
  }
}

TIcon TImageList::GetIcon(int Index) const {
  if (Index < 0 || Index >= Count()) return TIcon();
  return FPeer ? FPeer->GetIcon(Index) : FPictures[Index];
}

void TImageList::Delete(int Index) {
  if (Index < 0 || Index >= Count()) return;
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
