#include "ui/win32/CanvasWin32.h"

#include <commctrl.h>

#include <map>
#include <tuple>

#include "ui/ImageList.h"
#include "ui/win32/Handles.h"
#include "ui/win32/WideText.h"

namespace lantern {

TFontHandle NewFont(const TFont& Font, int Dpi) {
  LOGFONTW Log = {};
  Log.lfHeight = Font.HeightAt(Dpi);
  Log.lfWeight = Font.Style() & fsBold ? FW_BOLD : FW_NORMAL;
  Log.lfItalic = (Font.Style() & fsItalic) != 0;
  Log.lfUnderline = (Font.Style() & fsUnderline) != 0;
  Log.lfStrikeOut = (Font.Style() & fsStrikeOut) != 0;
  Log.lfCharSet = static_cast<BYTE>(Font.Charset());
  Log.lfPitchAndFamily = Font.Pitch() == TFontPitch::Fixed      ? FIXED_PITCH
                         : Font.Pitch() == TFontPitch::Variable ? VARIABLE_PITCH
                                                                : DEFAULT_PITCH;
  std::wstring Face = ToWide(Font.Name());
  lstrcpynW(Log.lfFaceName, Face.c_str(), LF_FACESIZE);
  return TFontHandle(CreateFontIndirectW(&Log));
}

namespace {

// The fonts menus are drawn with: a handful (one per item kind, with and without the
// underline), made once and kept, rather than made and freed for every entry.
class TFontCache {
 public:
  HFONT Get(const TFont& Font) {
    auto Key = std::make_tuple(Font.Name(), Font.Height(), Font.Style(), Font.Charset(),
                               static_cast<int>(Font.Pitch()));
    auto It = FFonts.find(Key);
    if (It != FFonts.end()) return It->second.Get();
    if (FFonts.size() >= 32) FFonts.clear();  // settings edited many times over: start again
    return FFonts.emplace(Key, NewFont(Font)).first->second.Get();
  }

 private:
  std::map<std::tuple<std::string, int, unsigned, int, int>, TFontHandle> FFonts;
};

TFontCache& Fonts() {
  static TFontCache Instance;
  return Instance;
}

}  // namespace

TDcCanvas::TDcCanvas(HDC Dc) : FDc(Dc), FSavedFont(GetCurrentObject(Dc, OBJ_FONT)) {}

TDcCanvas::~TDcCanvas() { SelectObject(FDc, FSavedFont); }

COLORREF TDcCanvas::Resolve(TColor Color) {
  return IsSystemColor(Color) ? GetSysColor(SystemColorIndex(Color))
                              : static_cast<COLORREF>(Color) & 0xFFFFFF;
}

void TDcCanvas::FillRect(const TRect& Rect) {
  RECT Native = {Rect.Left, Rect.Top, Rect.Right, Rect.Bottom};
  SetBkColor(FDc, Resolve(BrushColor()));
  // An opaque empty text fills with the background colour and needs no brush.
  ExtTextOutW(FDc, 0, 0, ETO_OPAQUE, &Native, nullptr, 0, nullptr);
}

void TDcCanvas::SelectCurrentFont() {
  if (HFONT Font = Fonts().Get(this->Font())) SelectObject(FDc, Font);
}

void TDcCanvas::WriteText(int X, int Y, const std::string& Text) {
  if (Text.empty()) return;
  SelectCurrentFont();
  SetTextColor(FDc, Resolve(FontColor()));
  SetBkColor(FDc, Resolve(BrushColor()));
  SetBkMode(FDc, OPAQUE);
  std::wstring Wide = ToWide(Text);
  ::TextOutW(FDc, X, Y, Wide.c_str(), static_cast<int>(Wide.size()));
}

void TDcCanvas::WriteTextEllipsis(int X, int Y, int Right, const std::string& Text, int Underline) {
  if (Text.empty()) return;
  SelectCurrentFont();
  SetTextColor(FDc, Resolve(FontColor()));
  SetBkColor(FDc, Resolve(BrushColor()));
  SetBkMode(FDc, OPAQUE);
  // DrawText underlines the character after an "&"; the text has no other "&" left.
  const bool Marked = Underline >= 0 && Underline < static_cast<int>(Text.size());
  std::wstring Wide =
      ToWide(Marked ? Text.substr(0, Underline) + "&" + Text.substr(Underline) : Text);
  TEXTMETRICW Metrics = {};
  GetTextMetricsW(FDc, &Metrics);
  RECT Rect = {X, Y, Right, Y + Metrics.tmHeight};
  DrawTextW(FDc, Wide.c_str(), static_cast<int>(Wide.size()), &Rect,
            DT_SINGLELINE | DT_END_ELLIPSIS | (Marked ? 0u : DT_NOPREFIX));
}

int TDcCanvas::TextWidth(const std::string& Text) {
  SelectCurrentFont();
  std::wstring Wide = ToWide(Text);
  SIZE Size = {};
  GetTextExtentPoint32W(FDc, Wide.c_str(), static_cast<int>(Wide.size()), &Size);
  return Size.cx;
}

void TDcCanvas::Draw(int X, int Y, const TImageList& Images, int Index) {
  if (Index < 0 || Index >= Images.Count() || !Images.Handle()) return;
  ImageList_Draw(static_cast<HIMAGELIST>(Images.Handle()), Index, FDc, X, Y, ILD_TRANSPARENT);
}

void TDcCanvas::Line(int X1, int Y1, int X2, int Y2) {
  TPenHandle Pen(CreatePen(PS_SOLID, 1, Resolve(PenColor())));
  TSelection Selected(FDc, Pen.Get());
  MoveToEx(FDc, X1, Y1, nullptr);
  ::LineTo(FDc, X2, Y2);
}

}  // namespace lantern
