#include "ui/ImageList.h"

namespace lantern {

int TImageList::AddIcon(const TIcon& Icon) {
  if (Icon.Empty()) return -1;
  FPictures.push_back(Icon);
  return Count() - 1;
}

void TImageList::Delete(int Index) {
  if (Index >= 0 && Index < Count()) FPictures.erase(FPictures.begin() + Index);
}

}  // namespace lantern
