// The screen scale's arithmetic: lengths, font heights and icon sizes at each DPI, and a
// window kept inside a monitor's work area.
#include <gtest/gtest.h>

#include <climits>

#include "ui/Dpi.h"
#include "ui/Font.h"
#include "ui/Form.h"

namespace lantern {
namespace {

TEST(DpiTest, LengthsScaleToTheNearestPixelAndBack) {
  struct {
    int Value, Dpi, Scaled, Back;
  } Cases[] = {
      {100, 96, 100, 100},
      {100, 120, 125, 100},
      {15, 144, 23, 15},  // 22.5 rounds up
      {-15, 144, -23, -15},
      {12, 192, 24, 12},
      {1, 120, 1, 1},  // 1.25
      {3, 120, 4, 3},
      {0, 192, 0, 0},
      {7, 168, 12, 7},  // 175%: 12.25
      {INT_MAX, 192, INT_MAX, INT_MAX / 2 + 1},
  };
  for (const auto& c : Cases) {
    SCOPED_TRACE(std::to_string(c.Value) + " at " + std::to_string(c.Dpi));
    EXPECT_EQ(ScaleToDpi(c.Value, c.Dpi), c.Scaled);
    EXPECT_EQ(ScaleFromDpi(c.Scaled, c.Dpi), c.Back);
  }
}

TEST(DpiTest, PointsBecomeCharacterHeightsAndIconsTheirSystemSizes) {
  struct {
    int Dpi, NinePoints, TenPoints, Icon;
  } Cases[] = {{96, -12, -13, 16}, {120, -15, -17, 20}, {144, -18, -20, 24}, {192, -24, -27, 32}};
  for (const auto& c : Cases) {
    EXPECT_EQ(PointsToHeight(9, c.Dpi), c.NinePoints) << c.Dpi;
    EXPECT_EQ(PointsToHeight(10, c.Dpi), c.TenPoints) << c.Dpi;
    EXPECT_EQ(SmallIconSize(c.Dpi), c.Icon) << c.Dpi;
  }
  EXPECT_EQ(PointsToHeight(0, 144), 0);
}

// Two monitors side by side, the right one at 150% and higher, each with a task bar at the
// bottom: a menu of 300 x 400 pixels at each corner of each work area.
TEST(DpiTest, AFontInPointsKeepsItsPointsAndOneByItsHeightItsProportion) {
  struct {
    int Size, Height, Dpi, Made;  // Size 0: the height is set instead
  } Cases[] = {
      {9, 0, 96, -12},    {9, 0, 144, -18}, {11, 0, 144, -22},  // 22 pixels are 11 points there
      {0, -15, 144, -23},  // 15 pixels at 96 (11 points too) are 22.5 there
      {0, 20, 144, 30},    // a cell height
  };
  for (const auto& c : Cases) {
    SCOPED_TRACE(testing::Message() << c.Size << "/" << c.Height << " at " << c.Dpi);
    TFont Font;
    if (c.Size > 0)
      Font.SetSize(c.Size);
    else
      Font.SetHeight(c.Height);
    EXPECT_EQ(Font.HeightAt(c.Dpi), c.Made);
  }
}

// The native window reports its client area in pixels; the children are laid out in layout
// units, and the client size asked for is one in layout units inside a frame of pixels.
TEST(DpiTest, AFormsClientAreaIsInLayoutUnitsAtItsDpi) {
  TForm Form;
  Form.SetBounds(10, 10, 620, 480);  // a frame of 20 by 30 pixels
  Form.NativeDpiChanged(144);
  Form.NativeClientSize(600, 450);
  EXPECT_EQ(Form.ClientWidth(), 400);
  EXPECT_EQ(Form.ClientHeight(), 300);
  Form.SetClientSize(200, 100);
  EXPECT_EQ(Form.Width(), 320);
  EXPECT_EQ(Form.Height(), 180);
  Form.NativeClientSize(913, 452);  // 608.67 units: 609 would take 914 pixels
  EXPECT_EQ(Form.ClientWidth(), 608);
  EXPECT_EQ(Form.ClientHeight(), 301);  // 301.33 units: 301 take 452 pixels
  Form.NativeDpiChanged(96);            // at 100% the same pixels are as many units
  EXPECT_EQ(Form.ClientWidth(), 913);
}

TEST(DpiTest, AWindowAtEachCornerOfTwoMonitorsIsKeptInsideItsWorkArea) {
  const TRect Left = {0, 0, 1920, 1040}, Right = {1920, -200, 5760, 1920};
  struct {
    TRect Area;
    int X, Y;     // where the menu would open
    int Kept[2];  // where it opens
  } Cases[] = {
      {Left, -50, -50, {0, 0}},          {Left, 1900, -50, {1620, 0}},
      {Left, -50, 1030, {0, 640}},       {Left, 1900, 1030, {1620, 640}},
      {Left, 500, 300, {500, 300}},      {Right, 1900, -300, {1920, -200}},
      {Right, 5700, -300, {5460, -200}}, {Right, 1900, 1900, {1920, 1520}},
      {Right, 5700, 1900, {5460, 1520}},
  };
  for (const auto& c : Cases) {
    const TRect Kept = KeepInArea({c.X, c.Y, c.X + 300, c.Y + 400}, c.Area);
    EXPECT_EQ(Kept, (TRect{c.Kept[0], c.Kept[1], c.Kept[0] + 300, c.Kept[1] + 400}))
        << c.X << "," << c.Y;
  }
  // Larger than the area: it starts at the area's top left.
  EXPECT_EQ(KeepInArea({100, 100, 2100, 1300}, Left), (TRect{0, 0, 2000, 1200}));
}

}  // namespace
}  // namespace lantern
