#pragma once
// A list of pictures of one size (16 x 16 for every list the program has).
#include <vector>

#include "ui/Icon.h"

namespace lantern {

class TImageList {
 public:
  explicit TImageList(int Width = 16, int Height = 16) : FWidth(Width), FHeight(Height) {}
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  int Count() const { return static_cast<int>(FPictures.size()); }
  // Appends the icon's picture; its index, or -1 when the icon is empty.
  int AddIcon(const TIcon& Icon);
  // Removes one picture; the ones after it move down. Out of range: nothing.
  void Delete(int Index);
  const TIcon& Icon(int Index) const { return FPictures.at(Index); }

 private:
  int FWidth, FHeight;
  std::vector<TIcon> FPictures;
};

}  // namespace lantern
