#pragma once
// A rectangle of pixels: left and top inside, right and bottom just outside.
namespace lantern {

struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool operator==(const TRect& Other) const {
    return Left == Other.Left && Top == Other.Top && Right == Other.Right && Bottom == Other.Bottom;
  }
};

}  // namespace lantern
