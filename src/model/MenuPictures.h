#pragma once
// The pictures of the tree's items: the fixed ones every list starts with, and the launcher
// menu's lists at sizes other than 16 pixels.
#include <memory>
#include <vector>

namespace lantern {

class TImageList;

// The pictures every picture list starts with (group, current group, trash, current trash,
// URL launcher), from the program's resources FirstPictureId onwards.
constexpr int FixedPictures = 5;
constexpr int FirstPictureId = 101;

// A list of the launcher menu at another size: the list, and each 16 px picture's index in it
// (or NotFetched, or NoPicture when the source had none at that size). Shared sources are
// kept once, as in the 16 px list.
struct TSizedPictures {
  static constexpr int NotFetched = -1, NoPicture = -2;
  std::unique_ptr<TImageList> Images;
  std::vector<int> Indexes;
};

}  // namespace lantern
