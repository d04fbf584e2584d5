#include "dialogs/SearchForm.h"

#include <algorithm>
#include <cstdlib>

#include "base/Path.h"
#include "model/Root.h"
#include "ui/Action.h"
#include "ui/Canvas.h"
#include "ui/Dpi.h"
#include "ui/ImageList.h"
#include "ui/Menus.h"
#include "ui/System.h"

namespace lantern {

namespace {

constexpr int FormWidth = 380;  // layout units
constexpr int EditHeight = 22;
constexpr int ListTop = EditHeight + 8;

// The group path and the "missing" mark: between the text's colour and its background, or
// the system's grey text where either follows the system.
TColor Quieter(TColor Text, TColor Back) {
  if (IsSystemColor(Text) || IsSystemColor(Back)) return clGrayText;
  auto Mix = [&](int Shift) { return (((Text >> Shift) & 0xFF) + ((Back >> Shift) & 0xFF)) / 2; };
  return static_cast<TColor>(Mix(0) | Mix(8) << 8 | Mix(16) << 16);
}

// Marked as Enter would find it, except that a share, which may take long to answer, is
// taken to be there.
bool TargetMissing(TExecItem& Item) {
  auto* Launcher = dynamic_cast<TLauncher*>(&Item);
  return Launcher && !IsNetworkPath(Launcher->FileName()) && Launcher->FileMissing();
}

}  // namespace

TSearchForm::TSearchForm(TRoot& Root, TLauncherSearch& Search)
    : TForm("TSearchForm"), FRoot(Root), FSearch(Search) {
  SetCaption("ランチャを検索");
  SetBorderStyle(TFormBorderStyle::Popup);
  Edit1.SetBounds(4, 4, FormWidth - 8, EditHeight);
  Results.SetInPixels(true);
  Results.SetTabStop(false);
  SetActiveControl(&Edit1);
  Edit1.OnChange = [this](TWinControl*) { Find(); };
  Edit1.OnKeyDown = [this](TWinControl*, unsigned& Key, unsigned) {
    const int Page = MostRows - 1;
    const int By = Key == VkUp      ? -1
                   : Key == VkDown  ? 1
                   : Key == VkPrior ? -Page
                   : Key == VkNext  ? Page
                                    : 0;
    if (!By) return;
    Move(By);
    Key = 0;
  };
  Results.OnPaint = [this](TPaintPanel*, TCanvas& Canvas) { Paint(Canvas); };
  Results.OnMouseDown = [this](TPaintPanel*, int X, int Y) { ResultsMouseDown(X, Y); };
  OnDeactivate = [this](TWinControl*) {
    if (Modal() && ModalResult() == mrNone) SetModalResult(mrCancel);
  };
  Find();
}

TModalResult TSearchForm::ShowAt(int X, int Y) {
  SetBounds(X, Y, Width(), Height());
  CreateHandle();  // now at the scale of that monitor
  // Placed as tall as it can grow, so that more rows never reach past the work area.
  FitRows(MostRows);
  const TRect Kept = KeepInArea({X, Y, X + Width(), Y + Height()}, System().WorkAreaAt(X, Y));
  SetBounds(Kept.Left, Kept.Top, Width(), Height());
  FitRows(static_cast<int>(FHits.size()));
  return ShowModal();
}

void TSearchForm::FitRows(int Rows) {
  const int Height = std::max(1, Rows) * RowHeight();
  SetClientSize(FormWidth, ListTop + Height);
  Results.SetBounds(0, ListTop, FormWidth, Height);
}

TExecItem* TSearchForm::Chosen() const {
  return ModalResult() == mrOk && FChoice >= 0 && FChoice < static_cast<int>(FHits.size())
             ? FHits[FChoice].Item
             : nullptr;
}

bool TSearchForm::DialogKey(unsigned Key, unsigned Shift) {
  switch (Key) {
    case VkReturn:
      if (FChoice >= 0) Choose(FChoice, (Shift & ssCtrl) != 0);
      return true;
    case VkEscape: SetModalResult(mrCancel); return true;
    case VkTab: return true;  // the box keeps the keys
    default: return TForm::DialogKey(Key, Shift);
  }
}

void TSearchForm::Find() {
  FHits = FSearch.Find(Edit1.Text(), MostRows);
  FMissing.clear();
  for (const TSearchHit& Hit : FHits) FMissing.push_back(TargetMissing(*Hit.Item));
  FChoice = FHits.empty() ? -1 : 0;
  FitRows(static_cast<int>(FHits.size()));
  Results.Invalidate();
}

void TSearchForm::Move(int By) {
  if (FHits.empty()) return;
  FChoice = std::clamp(FChoice + By, 0, static_cast<int>(FHits.size()) - 1);
  Results.Invalidate();
}

void TSearchForm::Choose(int Index, bool Folder) {
  FChoice = Index;
  FChoseFolder = Folder;
  SetModalResult(mrOk);
}

int TSearchForm::RowHeight() const { return std::max(20, std::abs(FRoot.Font().Height()) + 8); }

int TSearchForm::RowTop(int Row) const { return ScaleToDpi(Row * RowHeight(), Dpi()); }

void TSearchForm::ResultsMouseDown(int, int Y) {
  for (int Row = 0; Row < static_cast<int>(FHits.size()); ++Row)
    if (Y >= RowTop(Row) && Y < RowTop(Row + 1)) return Choose(Row, false);
}

void TSearchForm::Paint(TCanvas& Canvas) {
  const int Dpi = this->Dpi();
  const TColorSet& C = FRoot.Colors();
  const int Width = ScaleToDpi(Results.Width(), Dpi), Gap = ScaleToDpi(4, Dpi);
  const int Icon = SmallIconSize(Dpi), TextX = 2 * Gap + Icon;
  Canvas.SetBrushColor(C.BackColor);
  Canvas.FillRect({0, 0, Width, ScaleToDpi(Results.Height(), Dpi)});
  Canvas.Font().Assign(FRoot.Font());
  Canvas.Font().SetHeight(ScaleToDpi(Canvas.Font().Height(), Dpi));
  const int FontHeight = std::abs(Canvas.Font().Height());
  if (FHits.empty()) {
    Canvas.SetFontColor(Quieter(C.FontColor, C.BackColor));
    Canvas.WriteText(
        TextX, (RowTop(1) - FontHeight) / 2,
        Edit1.Text().empty() ? "まだ起動したランチャはありません" : "一致するランチャはありません");
    return;
  }
  for (int Row = 0; Row < static_cast<int>(FHits.size()); ++Row) {
    const TSearchHit& Hit = FHits[Row];
    const bool Selected = Row == FChoice;
    const int Top = RowTop(Row), Bottom = RowTop(Row + 1);
    const TColor Back = Selected ? C.SelectedBackColor : C.BackColor;
    const TColor Text = Selected ? C.SelectedFontColor : C.FontColor;
    Canvas.SetBrushColor(Back);
    Canvas.FillRect({0, Top, Width, Bottom});
    TImageList* Images = nullptr;
    const int Picture =
        FRoot.SizedPicture(Icon, Hit.Item->ImageIndex(), Hit.Item->FileName(), Images);
    if (Images && Picture >= 0) Canvas.Draw(Gap, Top + (Bottom - Top - Icon) / 2, *Images, Picture);
    // The name first, at most two thirds of the row; the path and the mark after it.
    int Underline;
    const std::string Name = StripAmpersands(Hit.Item->Name(), Underline);
    const int Y = Top + (Bottom - Top - FontHeight) / 2;
    const int NameRight = std::min(TextX + Canvas.TextWidth(Name), TextX + (Width - TextX) * 2 / 3);
    Canvas.SetFontColor(Text);
    Canvas.WriteTextEllipsis(TextX, Y, NameRight, Name, -1);
    std::string After = Hit.Path;
    if (FMissing[Row]) After += After.empty() ? "（見つかりません）" : "　（見つかりません）";
    if (After.empty()) continue;
    Canvas.SetFontColor(Quieter(Text, Back));
    Canvas.WriteTextEllipsis(NameRight + 3 * Gap, Y, Width - Gap, After, -1);
  }
}

}  // namespace lantern
