#include "shell/About.h"

#include "ui/Layout.h"
#include "ui/System.h"

namespace lantern {

std::string GetVersionString() {
  unsigned v[4];
  if (!System().FileVersion(System().ProgramFileName(), v)) return std::string();
  return "r." + std::to_string(v[0]) + "." + std::to_string(v[1]) + "." + std::to_string(v[2]) +
         " Build " + std::to_string(v[3]);
}

namespace {

TFont AboutFont(int Height, unsigned Style) {
  TFont Font;
  Font.SetName("ＭＳ Ｐゴシック");
  Font.SetCharset(ShiftJisCharset);
  Font.SetHeight(Height);
  Font.SetStyle(Style);
  return Font;
}

}  // namespace

TAboutForm::TAboutForm() : TForm("TAboutForm") {
  SetCaption("バージョン情報");
  SetBorderStyle(TFormBorderStyle::Dialog);
  SetPosition(TFormPosition::ScreenCenter);
  SetClientSize(343, 185);
  // The labels' sizes hold their texts at 96 pixels per inch and end within the 343-pixel
  // client area: Label3 256 x 20 (its text needs about 210 x 17), Label1 263 x 30, up to the
  // right edge, VersionLabel 200 x 16 ("r.1.3.11 Build 36" needs about 112 x 13). The name is
  // narrower in "ＭＳ Ｐゴシック" than the 268 pixels of the IPA font Wine shows instead.
  LayOut({
      {Image1, 24, 16, 32, 32},
      {Label3, 80, 8, 256, 20, "よく使うプログラムをすぐ起動"},
      {Label1, 80, 32, 263, 30, "ランタン for Windows"},
      {VersionLabel, 128, 88, 200, 16},
      {Button1, 72, 152, 75, 25, "&OK"},
  });
  Image1.SetPicture(ProgramIcon(32));
  Label3.SetFont(AboutFont(-16, fsBold));
  Label3.SetFontColor(0x0000FF);
  Label1.SetFont(AboutFont(-27, fsBold));
  Label1.SetFontColor(0xFF0000);
  VersionLabel.SetFont(AboutFont(-12, fsBold));
  Button1.SetDefault(true);
  Button1.SetModalResult(mrOk);
  VersionLabel.SetCaption(GetVersionString());
}

}  // namespace lantern
