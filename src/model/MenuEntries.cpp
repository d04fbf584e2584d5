// The launcher menu's side of the tree: its entries, their colours and fonts, and how they
// are measured and drawn.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "base/Cp932.h"
#include "base/Path.h"
#include "model/Root.h"
#include "ui/Canvas.h"
#include "ui/Dpi.h"
#include "ui/ImageList.h"
#include "ui/Menus.h"
#include "ui/Shell.h"
#include "ui/System.h"

namespace lantern {

namespace {

// Measures in 64 bits, brought back into an int: a font or a text far larger than any
// screen must not overflow them.
int ToInt(std::int64_t Value) {
  return static_cast<int>(std::clamp<std::int64_t>(Value, INT32_MIN, INT32_MAX));
}

// An entry's row without its text: the picture column in the background colour, raised
// when selected, the picture, and the rest in the (selected) background colour. Lengths are
// at 96 DPI, scaled to Dpi.
void DrawRow(TCanvas& ACanvas, const TRect& ARect, const TColorSet& Colors,
             const TImageList* Images, int ImageIndex, bool Selected, int Dpi = DesignDpi) {
  const int L = ARect.Left, T = ARect.Top, R = ARect.Right, B = ARect.Bottom;
  const int Column = ScaleToDpi(20, Dpi), Frame = ScaleToDpi(18, Dpi);
  ACanvas.SetBrushColor(Colors.BackColor);
  ACanvas.FillRect({L, T, L + Column, B});
  if (Selected) {
    ACanvas.SetPenColor(clBtnHighlight);
    ACanvas.MoveTo(L, B - 1);
    ACanvas.LineTo(L, T);
    ACanvas.LineTo(L + Frame, T);
    ACanvas.SetPenColor(clBtnShadow);
    ACanvas.LineTo(L + Frame, B - 1);
    ACanvas.LineTo(L, B - 1);
  }
  if (Images)
    ACanvas.Draw(L + ScaleToDpi(1, Dpi), T + (B - T - Images->Height()) / 2, *Images, ImageIndex);
  ACanvas.SetBrushColor(Selected ? Colors.SelectedBackColor : Colors.BackColor);
  ACanvas.FillRect({L + Column, T, R, B});
}

// The data file's fonts are laid out at 96 DPI: their height at Dpi.
void ScaleMenuFont(TFont& Font, int Dpi) {
  if (Dpi != DesignDpi) Font.SetHeight(ScaleToDpi(Font.Height(), Dpi));
}

// An entry's caption in the canvas's font and colour, its "&" letter underlined; one wider
// than its entry ends in "..." before the entry's right margin.
void DrawEntryText(TCanvas& ACanvas, const TRect& ARect, const std::string& Caption, int Dpi) {
  int Underline;
  std::string Text = StripAmpersands(Caption, Underline);
  TFont& Font = ACanvas.Font();
  const int T = ARect.Top, B = ARect.Bottom;
  const int Y = ToInt(T + (std::int64_t{B} - T - std::llabs(Font.Height()) + 1) / 2);
  // The text starts at 22 (at 96 DPI) on the surface, wherever the entry's rectangle begins.
  const int Start = ScaleToDpi(22, Dpi);
  const int Right = ARect.Right - ScaleToDpi(10, Dpi);
  if (Start + std::int64_t{ACanvas.TextWidth(Text)} > Right) {
    ACanvas.WriteTextEllipsis(Start, Y, Right, Text, Underline);
    return;
  }
  if (Underline < 0) {
    ACanvas.WriteText(Start, Y, Text);
    return;
  }
  // The underlined character is whole even when it takes two bytes.
  int Length = IsLeadByte(Text[Underline]) && Underline + 1 < static_cast<int>(Text.size()) ? 2 : 1;
  std::string Before = Text.substr(0, Underline), Marked = Text.substr(Underline, Length),
              After = Text.substr(Underline + Length);
  int X = Start;
  ACanvas.WriteText(X, Y, Before);
  X += ACanvas.TextWidth(Before);
  Font.SetStyle(Font.Style() | fsUnderline);
  ACanvas.WriteText(X, Y, Marked);
  X += ACanvas.TextWidth(Marked);
  Font.SetStyle(Font.Style() & ~fsUnderline);
  ACanvas.WriteText(X, Y, After);
}

// An entry's size: its caption's width and the margins, within the menu's width limit; the
// font's height and a little, 19 at least (at 96 DPI).
void MeasureEntry(TCanvas& ACanvas, const std::string& Caption, int Dpi, int Limit, int& Width,
                  int& Height) {
  int Underline;
  Width = ToInt(std::int64_t{ACanvas.TextWidth(StripAmpersands(Caption, Underline))} +
                ScaleToDpi(32, Dpi));
  Width = std::min(Width, Limit);
  Height = ToInt(std::max<std::int64_t>(std::llabs(ACanvas.Font().Height()) + ScaleToDpi(4, Dpi),
                                        ScaleToDpi(19, Dpi)));
}

}  // namespace

void DrawMenuSample(TCanvas& Canvas, int L, int T, int W, const TColorSet& Colors,
                    const TFont& Font, const std::string& Text, bool Selected,
                    const TImageList* Images) {
  const int H = ToInt(std::max<std::int64_t>(std::llabs(Canvas.Font().Height()) + 4, 19));
  DrawRow(Canvas, {L, T, ToInt(std::int64_t{L} + W), ToInt(std::int64_t{T} + H)}, Colors, Images, 0,
          Selected);
  Canvas.Font().Assign(Font);
  Canvas.SetFontColor(Selected ? Colors.SelectedFontColor : Colors.FontColor);
  Canvas.WriteText(L + 22, ToInt(T + (std::int64_t{H} - std::llabs(Font.Height()) + 1) / 2), Text);
}

std::unique_ptr<TMenuItem> TExecItem::NewMenuEntry(int ImageIndex) {
  auto Entry = std::make_unique<TMenuItem>();
  Entry->SetCaption(FName);
  Entry->SetImageIndex(ImageIndex);
  Entry->OnMeasureItem = [this](TMenuItem* Sender, TCanvas& Canvas, int& Width, int& Height) {
    MeasureMenuItem(Sender, Canvas, Width, Height);
  };
  Entry->OnDrawItem = [this](TMenuItem* Sender, TCanvas& Canvas, const TRect& Rect, bool Selected) {
    DrawMenuItem(Sender, Canvas, Rect, Selected);
  };
  return Entry;
}

void TCompositeItem::AddToMenu(TPopupMenu* AOwner, TMenuItem* AParentEntry) {
  if (!FVisible) return;
  TMenuItem* Entry = AParentEntry->Add(NewMenuEntry(0));
  // The group's entries are made when its submenu first opens: ten thousand launchers in
  // nested groups would otherwise hold as many entries all the time, for submenus that are
  // seldom opened. The menu is rebuilt from scratch whenever the tree changes.
  bool Some = false;
  for (int i = 0; i < FChildren.Count() && !Some; ++i)
    if (TExecItem* Child = FChildren.Items(i)) Some = Child->Visible();
  Entry->SetFill([this, AOwner](TMenuItem* Sender) { AddChildrenToMenu(AOwner, Sender); }, Some);
}

void TCompositeItem::AddChildrenToMenu(TPopupMenu* AOwner, TMenuItem* AParentEntry) {
  for (int i = 0; i < FChildren.Count(); ++i)
    if (TExecItem* Child = FChildren.Items(i); Child && Child->IsGroup())
      Child->AddToMenu(AOwner, AParentEntry);
  for (int i = 0; i < FChildren.Count(); ++i)
    if (TExecItem* Child = FChildren.Items(i); Child && !Child->IsGroup())
      Child->AddToMenu(AOwner, AParentEntry);
}

void TLauncher::AddToMenu(TPopupMenu*, TMenuItem* AParentEntry) {
  if (!FVisible) return;
  TMenuItem* Entry = AParentEntry->Add(NewMenuEntry(FImageIndex));
  Entry->OnClick = [this](TMenuItem* Sender) { Execute(Sender); };
}

void TRoot::BuildMenu(TPopupMenu* Menu, TMenuItem* Entries) {
  if (!FMenuDirty) return;
  if (!Entries) Entries = &Menu->Items();
  for (int i = Entries->Count() - 1; i >= 0; --i) Entries->Delete(i);
  AddChildrenToMenu(Menu, Entries);
  if (Entries->Count() == 0) AddEmptyMenuHints(*Entries);
  FMenuDirty = false;
}

void TRoot::AddEmptyMenuHints(TMenuItem& Entries) {
  // Plain entries in the common colours and font: two hints, greyed and never chosen, and
  // the command that helps.
  auto Plain = [this](const std::string& Caption, bool Hint) {
    auto Entry = std::make_unique<TMenuItem>();
    Entry->SetCaption(Caption);
    Entry->SetEnabled(!Hint);
    Entry->OnMeasureItem = [this, Caption](TMenuItem*, TCanvas& Canvas, int& Width, int& Height) {
      Canvas.Font().Assign(FFont);
      ScaleMenuFont(Canvas.Font(), FMenuDpi);
      MeasureEntry(Canvas, Caption, FMenuDpi, FMenuWidthLimit, Width, Height);
    };
    Entry->OnDrawItem = [this, Caption, Hint](TMenuItem*, TCanvas& Canvas, const TRect& Rect,
                                              bool Selected) {
      Selected = Selected && !Hint;
      DrawRow(Canvas, Rect, FColors, nullptr, -1, Selected, FMenuDpi);
      Canvas.Font().Assign(FFont);
      ScaleMenuFont(Canvas.Font(), FMenuDpi);
      Canvas.SetFontColor(Hint       ? clGrayText
                          : Selected ? FColors.SelectedFontColor
                                     : FColors.FontColor);
      DrawEntryText(Canvas, Rect, Caption, FMenuDpi);
    };
    return Entry;
  };
  for (const char* Hint : EmptyMenuHints) Entries.Add(Plain(Hint, true));
  for (const auto& Offer : {std::pair{ImportStartMenuCaption, &OnImportStartMenu},
                            std::pair{AddLauncherCaption, &OnAddLauncher}}) {
    std::function<void()>* Command = Offer.second;
    if (!*Command) continue;
    Entries.Add(Plain(Offer.first, false))->OnClick = [Command](TMenuItem*) {
      if (*Command) (*Command)();
    };
  }
}

void TRoot::MenuOpensAt(int X, int Y) {
  FMenuWidthLimit = System().MonitorWidthAt(X, Y) / 3;
  FMenuDpi = System().DpiAt(X, Y);
}

TKindColorSet& TCompositeItem::MenuKind(TRoot& Root) { return Root.GroupColors(); }
TKindColorSet& TLauncher::MenuKind(TRoot& Root) { return Root.LauncherColors(); }
TKindColorSet& TLauncherFolder::MenuKind(TRoot& Root) { return Root.FolderLauncherColors(); }
TKindColorSet& TLauncherURL::MenuKind(TRoot& Root) { return Root.URLLauncherColors(); }

void TExecItem::MeasureMenuItem(TMenuItem*, TCanvas& ACanvas, int& Width, int& Height) {
  TFont& Font = ACanvas.Font();
  TRoot* Root = OwnerRoot();
  if (Root) {
    // The kind's font whatever the colour choice: every entry of a kind is as tall.
    Root->MenuFont().Assign(MenuKind(*Root).Font());
    Font.Assign(Root->MenuFont());
  }
  const int Dpi = Root ? Root->MenuDpi() : DesignDpi;
  ScaleMenuFont(Font, Dpi);
  MeasureEntry(ACanvas, FName, Dpi, Root ? Root->MenuWidthLimit() : INT32_MAX, Width, Height);
}

void TExecItem::DrawMenuItem(TMenuItem*, TCanvas& ACanvas, const TRect& ARect, bool Selected) {
  // The colours and the font: the item's own, else its kind's, else the common ones.
  TColorSet Colors = FColors;
  TRoot* Root = OwnerRoot();
  if (Root) {
    TKindColorSet& Kind = MenuKind(*Root);
    const TFont* Font = &Kind.Font();
    if (FOwnColors) {
      // the item's colours with the kind's font
    } else if (Kind.UseOwn()) {
      Colors = Kind.Colors();
    } else {
      Colors = Root->Colors();
      Font = &Root->Font();
    }
    Root->MenuFont().Assign(*Font);
  }

  const int Dpi = Root ? Root->MenuDpi() : DesignDpi;
  TImageList* Images = nullptr;
  const int Picture = Root ? Root->MenuPicture(FImageIndex, FFileName, Images) : FImageIndex;
  DrawRow(ACanvas, ARect, Colors, Images, Picture, Selected, Dpi);

  TFont& Font = ACanvas.Font();
  if (Root) {
    Font.Assign(Root->MenuFont());
    ScaleMenuFont(Font, Dpi);
  }
  ACanvas.SetFontColor(Selected ? Colors.SelectedFontColor : Colors.FontColor);
  DrawEntryText(ACanvas, ARect, FName, Dpi);
}

void TCompositeItem::DrawMenuItem(TMenuItem* Sender, TCanvas& ACanvas, const TRect& ARect,
                                  bool Selected) {
  TExecItem::DrawMenuItem(Sender, ACanvas, ARect, Selected);
  // The submenu arrow: a small triangle outline in the text's colour, 10 high at 96 DPI.
  const int T = ARect.Top, R = ARect.Right, B = ARect.Bottom;
  TRoot* Root = OwnerRoot();
  const int Dpi = Root ? Root->MenuDpi() : DesignDpi;
  const int Back = R - ScaleToDpi(9, Dpi), Tip = R - ScaleToDpi(4, Dpi);
  const int m = (B - T - ScaleToDpi(10, Dpi)) / 2;
  ACanvas.SetPenColor(ACanvas.FontColor());
  ACanvas.MoveTo(Back, T + m - 1);
  ACanvas.LineTo(Back, T + m + ScaleToDpi(9, Dpi));
  ACanvas.LineTo(Tip, T + (B - T - 2) / 2);
  ACanvas.LineTo(Back, T + m - 1);
}

}  // namespace lantern
