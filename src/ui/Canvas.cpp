#include "ui/Canvas.h"

#include <cstdlib>

#include "ui/ImageList.h"

namespace lantern {

void TRecordingCanvas::FillRect(const TRect& Rect) {
  TRecord R{TOp::Fill, Rect};
  R.Color = BrushColor();
  Records.push_back(std::move(R));
}

void TRecordingCanvas::WriteText(int X, int Y, const std::string& Text) {
  TRecord R{TOp::Text, {X, Y, X + TextWidth(Text), Y + std::abs(Font().Height())}};
  R.Color = FontColor();
  R.Back = BrushColor();
  R.Text = Text;
  R.Font = Font();
  Records.push_back(std::move(R));
}

int TRecordingCanvas::TextWidth(const std::string& Text) {
  return static_cast<int>(Text.size()) * (std::abs(Font().Height()) / 2);
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
