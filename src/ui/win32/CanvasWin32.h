#pragma once
// A canvas on a Windows device context, for the owner-drawn menus.
#include <windows.h>

#include "ui/Canvas.h"
#include "ui/Dpi.h"
#include "ui/win32/Handles.h"

namespace lantern {

// A new font of the description at Dpi: the one place a TFont becomes a Windows font.
TFontHandle NewFont(const TFont& Font, int Dpi = DesignDpi);

class TDcCanvas : public TCanvas {
 public:
  explicit TDcCanvas(HDC Dc);
  ~TDcCanvas() override;  // the context gets its own font back
  TDcCanvas(const TDcCanvas&) = delete;
  TDcCanvas& operator=(const TDcCanvas&) = delete;

  void FillRect(const TRect& Rect) override;
  void WriteText(int X, int Y, const std::string& Text) override;
  void WriteTextEllipsis(int X, int Y, int Right, const std::string& Text, int Underline) override;
  int TextWidth(const std::string& Text) override;
  void Draw(int X, int Y, const TImageList& Images, int Index) override;

  // 0x00BBGGRR as it is, a system colour as the current scheme has it.
  static COLORREF Resolve(TColor Color);

 protected:
  void Line(int X1, int Y1, int X2, int Y2) override;

 private:
  void SelectCurrentFont();

  HDC FDc;
  HGDIOBJ FSavedFont;
};

}  // namespace lantern
