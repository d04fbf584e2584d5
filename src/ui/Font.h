#pragma once
// A font description: face name, size in points (or height in pixels), style bits,
// character set and pitch. Size and height follow each other at 96 pixels per inch.
#include <string>

namespace lantern {

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
enum class TFontPitch { Default, Variable, Fixed };

constexpr int DefaultCharset = 1;     // DEFAULT_CHARSET
constexpr int ShiftJisCharset = 128;  // SHIFTJIS_CHARSET

class TFont {
 public:
  static constexpr int PixelsPerInch = 96;

  const std::string& Name() const { return FName; }
  void SetName(const std::string& Value) { FName = Value; }
  int Size() const { return FSize; }
  void SetSize(int Value);
  // Negative: character height; positive: cell height (as Windows fonts have it). Never
  // INT_MIN, whatever size or height was set, so that its magnitude is an int.
  int Height() const { return FHeight; }
  void SetHeight(int Value);
  // The height to make the font with on a screen of Dpi: a font given in points is that
  // many points there; one given by its height keeps its proportion to the layout (a height
  // in pixels at 96).
  int HeightAt(int Dpi) const;
  unsigned Style() const { return FStyle; }
  void SetStyle(unsigned Value) { FStyle = Value & 15u; }
  int Charset() const { return FCharset; }
  void SetCharset(int Value) { FCharset = Value; }
  TFontPitch Pitch() const { return FPitch; }
  void SetPitch(TFontPitch Value) { FPitch = Value; }
  void Assign(const TFont& Source) { *this = Source; }

  bool operator==(const TFont& Other) const {
    return FName == Other.FName && FHeight == Other.FHeight && FSize == Other.FSize &&
           FStyle == Other.FStyle && FCharset == Other.FCharset && FPitch == Other.FPitch;
  }

 private:
  std::string FName = "ＭＳ Ｐゴシック";
  int FHeight = -12;
  int FSize = 9;
  unsigned FStyle = 0;
  int FCharset = DefaultCharset;
  TFontPitch FPitch = TFontPitch::Default;
  bool FInPoints = true;  // given by its size (else by its height)
};

}  // namespace lantern
