#pragma once
// A drawing surface: what owner-drawn entries paint with. On Windows it wraps a device
// context; windowless, TRecordingCanvas keeps every operation for tests and benchmarks.
// Colours may be system colours (0x80000000 + index); the surface resolves them when it
// draws, so a change of the Windows colour scheme shows at the next paint.
#include <string>
#include <vector>

#include "base/Color.h"
#include "ui/Font.h"
#include "ui/Rect.h"

namespace lantern {

class TImageList;

class TCanvas {
 public:
  virtual ~TCanvas() = default;

  // The font that text is written and measured with.
  TFont& Font() { return FFont; }
  TColor FontColor() const { return FFontColor; }
  void SetFontColor(TColor Value) { FFontColor = Value; }
  TColor BrushColor() const { return FBrushColor; }
  void SetBrushColor(TColor Value) { FBrushColor = Value; }
  TColor PenColor() const { return FPenColor; }
  void SetPenColor(TColor Value) { FPenColor = Value; }

  // Fills Rect (right and bottom edges excluded) with the brush colour.
  virtual void FillRect(const TRect& Rect) = 0;
  void MoveTo(int X, int Y) {
    FPenX = X;
    FPenY = Y;
  }
  // A line in the pen colour from the pen position to (X, Y), which becomes the position.
  void LineTo(int X, int Y) {
    Line(FPenX, FPenY, X, Y);
    MoveTo(X, Y);
  }
  // Text in the font colour on the brush colour, its top-left corner at (X, Y).
  virtual void WriteText(int X, int Y, const std::string& Text) = 0;
  // The same, cut short to end in "..." where it would pass Right; the character at byte
  // Underline (-1: none) underlined.
  virtual void WriteTextEllipsis(int X, int Y, int Right, const std::string& Text,
                                 int Underline) = 0;
  virtual int TextWidth(const std::string& Text) = 0;
  // Picture Index of Images at (X, Y); nothing for an index outside the list.
  virtual void Draw(int X, int Y, const TImageList& Images, int Index) = 0;

 protected:
  virtual void Line(int X1, int Y1, int X2, int Y2) = 0;

 private:
  TFont FFont;
  TColor FFontColor = clBtnText;
  TColor FBrushColor = clBtnFace;
  TColor FPenColor = clBtnText;
  int FPenX = 0, FPenY = 0;
};

// Windowless: records what was drawn. Text is measured as a fixed-pitch font would be: each
// byte half the font's character height wide, so a double-byte character is a square.
class TRecordingCanvas : public TCanvas {
 public:
  enum class TOp { Fill, Line, Text, Picture };
  struct TRecord {
    TOp Op;
    TRect Rect;             // Fill: the area; Line: from (Left, Top) to (Right, Bottom);
                            // Text and Picture: the position in (Left, Top)
    TColor Color = 0;       // Fill: brush; Line: pen; Text: font colour
    TColor Back = 0;        // Text: the brush colour behind it
    std::string Text{};     // Text
    TFont Font{};           // Text
    int Index = -1;         // Picture
    bool Ellipsis = false;  // Text written by WriteTextEllipsis, up to Rect.Right
    int Underline = -1;     // its underlined byte
  };

  void FillRect(const TRect& Rect) override;
  void WriteText(int X, int Y, const std::string& Text) override;
  void WriteTextEllipsis(int X, int Y, int Right, const std::string& Text, int Underline) override;
  int TextWidth(const std::string& Text) override;
  void Draw(int X, int Y, const TImageList& Images, int Index) override;

  std::vector<TRecord> Records;

 protected:
  void Line(int X1, int Y1, int X2, int Y2) override;
};

}  // namespace lantern
