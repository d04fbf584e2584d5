#include "ui/Canvas.h"

#include <cstdint>
#include <cstdlib>

#include "ui/ImageList.h"

namespace lantern {

namespace {
// a + b, stopping at the ends of int (a text far wider than any surface).
int SaturatedSum(int a, long long b) {
  long long Sum = a + b;
  return Sum > INT32_MAX ? INT32_MAX : Sum < INT32_MIN ? INT32_MIN : static_cast<int>(Sum);
}
}  // namespace

void TRecordingCanvas::FillRect(const TRect& Rect) {
  TRecord R{TOp::Fill, Rect};
  R.Color = BrushColor();
  Records.push_back(std::move(R));
}

void TRecordingCanvas::WriteText(int X, int Y, const std::string& Text) {
  TRecord R{TOp::Text,
            {X, Y, SaturatedSum(X, TextWidth(Text)), SaturatedSum(Y, std::abs(Font().Height()))}};
  R.Color = FontColor();
  R.Back = BrushColor();
  R.Text = Text;
  R.Font = Font();
  Records.push_back(std::move(R));
}

void TRecordingCanvas::WriteTextEllipsis(int X, int Y, int Right, const std::string& Text,
                                         int Underline) {
  WriteText(X, Y, Text);
  TRecord& R = Records.back();
  R.Rect.Right = Right;
  R.Ellipsis = true;
  R.Underline = Underline;
}

// Half the font's height per byte; a width beyond an int stops at INT_MAX.
int TRecordingCanvas::TextWidth(const std::string& Text) {
  double Width = static_cast<double>(Text.size()) * (std::abs(Font().Height()) / 2);
  return Width < INT32_MAX ? static_cast<int>(Width) : INT32_MAX;
}

void TRecordingCanvas::Draw(int X, int Y, const TImageList& Images, int Index) {
  if (Index < 0 || Index >= Images.Count()) return;
  TRecord R{TOp::Picture, {X, Y, X + Images.Width(), Y + Images.Height()}};
  R.Index = Index;
  Records.push_back(std::move(R));
}

void TRecordingCanvas::Line(int X1, int Y1, int X2, int Y2) {
  TRecord R{TOp::Line, {X1, Y1, X2, Y2}};
  R.Color = PenColor();
  Records.push_back(std::move(R));
}

}  // namespace lantern
