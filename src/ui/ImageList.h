#pragma once
// A list of pictures of one size (16 x 16 at 96 DPI, more on a finer screen).
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "ui/Icon.h"

namespace lantern {

// The native image list's side. While there is one, it holds the pictures and the list
// keeps no icon handles of its own (there are thousands of pictures, and handles are few).
class TImageListPeer {
 public:
  virtual ~TImageListPeer() = default;
  virtual void* Handle() const = 0;
  virtual void Added(const TIcon& Icon) = 0;
  virtual void Deleted(int Index) = 0;
  virtual TIcon GetIcon(int Index) const = 0;  // a new icon of the picture
};

// The native list is made at the list's first use (its handle asked for, a picture added,
// asked for or deleted): a resident program that has shown no picture yet does not load the
// common controls for one.
class TImageList {
 public:
  explicit TImageList(int Width = 16, int Height = 16);
  ~TImageList();
  TImageList(const TImageList&) = delete;
  TImageList& operator=(const TImageList&) = delete;
  void* Handle() const {
    Realize();
    return FPeer ? FPeer->Handle() : nullptr;
  }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  int Count() const { return static_cast<int>(FPictures.size()); }
  // Appends the icon's picture; its index, or -1 when the icon is empty. An icon whose
  // source the list already holds is not appended again: the index of that picture (a
  // launcher list of thousands holds a few hundred different pictures, and each picture
  // costs a kilobyte or more).
  int AddIcon(const TIcon& Icon);
  // Appends the picture whatever its source, an empty icon as an empty picture: for a list
  // numbered as another one.
  void Append(const TIcon& Icon);
  // Appends a picture that Make gives at the list's first use, not before (the fixed pictures
  // of a list whose first use may be long after its making, or never).
  void AppendLater(std::function<TIcon()> Make);
  // Removes one picture; the ones after it move down. Out of range: nothing.
  void Delete(int Index);
  // The icon as added; empty while a native image list holds the pictures.
  const TIcon& Icon(int Index) const {
    Realize();
    return FPictures.at(Index);
  }
  // The picture as an icon of its own (from the native list when there is one); empty for
  // an index outside the list.
  TIcon GetIcon(int Index) const;

 private:
  // Makes the pictures that wait and the native list, once.
  void Realize() const;

  int FWidth, FHeight;
  mutable std::vector<TIcon> FPictures;
  std::unordered_map<long long, int> FBySource;  // the index of each known source's picture
  mutable std::vector<std::pair<int, std::function<TIcon()>>> FLater;  // index, maker
  mutable bool FRealized = false;
  mutable std::unique_ptr<TImageListPeer> FPeer;
};

}  // namespace lantern
