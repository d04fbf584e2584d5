#include "dialogs/ColorSetEditor.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "model/Root.h"
#include "ui/FileSystem.h"
#include "ui/Layout.h"

namespace lantern {

namespace {

constexpr TColor clGreen = 0x008000;
constexpr TColor clBackground = SystemColor(1);  // COLOR_BACKGROUND: the desktop

}  // namespace

int& LastExampleIndex(TColorDialogKind Kind) {
  static int Last[3] = {-1, -1, -1};
  return Last[static_cast<int>(Kind)];
}

TColorSetEditor::TColorSetEditor(TWinControl& Page, TColorDialogKind Kind)
    : Label9(&Page),
      CommonColorCheck(&Page),
      Label17(&Page),
      ColorExampleCombo(&Page, TComboBoxStyle::DropDown),
      Image1(&Page),
      AddColorExampleButton(&Page),
      ColorExampleDeleteButton(&Page),
      BackColorLabel(&Page),
      BackColorPanel(&Page),
      FontColorLabel(&Page),
      FontColorPanel(&Page),
      GroupBox2(&Page),
      SelectedBackColorLabel(&GroupBox2),
      SelectedBackColorPanel(&GroupBox2),
      SelectedFontColorLabel(&GroupBox2),
      SelectedFontColorPanel(&GroupBox2),
      ResetButton(&Page),
      FKind(Kind) {
  // The captions are the same in every dialog (the settings dialog words Label9 its own way).
  Label9.SetCaption("ランチャメニューの色の設定をします。");
  CommonColorCheck.SetCaption("共通の設定を使う(&C)");
  Label17.SetCaption("色の例(&E)");
  AddColorExampleButton.SetCaption("例を保存(&R)");
  ColorExampleDeleteButton.SetCaption("例を削除(&Q)");
  BackColorLabel.SetCaption("背景色(&B)");
  FontColorLabel.SetCaption("文字色(&D)");
  GroupBox2.SetCaption("選択状態");
  SelectedBackColorLabel.SetCaption("背景色(&S)");
  SelectedFontColorLabel.SetCaption("文字色(&T)");
  ResetButton.SetCaption("リセット(&R)");
  // Both buttons have R: Alt+R goes from one to the other.
  Page.SetSharedAltLetters("R");
  // A new dialog starts without a choice to repeat.
  LastExampleIndex(FKind) = -1;
  Label9.SetFontColor(clGreen);
  Label17.SetFocusControl(&ColorExampleCombo);
  ColorExampleDeleteButton.SetEnabled(false);
  Image1.SetColor(clBackground);
  Image1.OnPaint = [this](TPaintPanel*, TCanvas& Canvas) { DrawPreview(Canvas); };
  for (TPaintPanel* Swatch :
       {&BackColorPanel, &FontColorPanel, &SelectedBackColorPanel, &SelectedFontColorPanel})
    Swatch->SetBorder(true);

  CommonColorCheck.OnClick = [this](TWinControl*) { CommonColorCheckClick(); };
  BackColorLabel.OnClick = BackColorPanel.OnClick = [this](TWinControl*) { BackColorLabelClick(); };
  FontColorLabel.OnClick = FontColorPanel.OnClick = [this](TWinControl*) { FontColorLabelClick(); };
  SelectedBackColorLabel.OnClick =
      SelectedBackColorPanel.OnClick = [this](TWinControl*) { SelectedBackColorLabelClick(); };
  SelectedFontColorLabel.OnClick =
      SelectedFontColorPanel.OnClick = [this](TWinControl*) { SelectedFontColorLabelClick(); };
  ResetButton.OnClick = [this](TWinControl*) { ResetButtonClick(); };
  ColorExampleCombo.OnChange = [this](TWinControl*) { ColorExampleComboChange(); };
  AddColorExampleButton.OnClick = [this](TWinControl*) { AddColorExampleButtonClick(); };
  ColorExampleDeleteButton.OnClick = [this](TWinControl*) { ColorExampleDeleteButtonClick(); };
}

TColorSetEditor::~TColorSetEditor() = default;

void TColorSetEditor::LayOut(const TColorPageLayout& P) {
  // The example buttons stand at the right; the combo reaches to their right edge above
  // them, or stops short of them on their row.
  const int ComboLeft = P.ExamplesBesideButtons ? 224 : 272;
  const int ComboWidth = P.ExamplesBesideButtons ? 97 : 129;
  const int ButtonsTop = P.ExamplesBesideButtons ? P.ExamplesTop : P.ExamplesTop + 24;
  lantern::LayOut({
      {Label9, 16, 8, 193, 12},
      {CommonColorCheck, P.CheckLeft, P.CheckTop, 137, 17},
      {Label17, ComboLeft - 56, P.ExamplesTop + 4, 51, 12},
      {ColorExampleCombo, ComboLeft, P.ExamplesTop, ComboWidth, 20},
      {Image1, 16, P.PreviewTop, 177, 105},
      {AddColorExampleButton, 328, ButtonsTop, 73, 20},
      {ColorExampleDeleteButton, 328, ButtonsTop + 24, 75, 20},
      {BackColorLabel, 224, P.SwatchesTop + 4, 52, 12},
      {BackColorPanel, 296, P.SwatchesTop, 60, 20},
      {FontColorLabel, 224, P.SwatchesTop + 26, 52, 12},
      {FontColorPanel, 296, P.SwatchesTop + 24, 60, 20},
      {GroupBox2, 216, P.SelectedTop, 161, 65},
      {SelectedBackColorLabel, 9, 20, 51, 12},
      {SelectedBackColorPanel, 80, 13, 60, 20},
      {SelectedFontColorLabel, 10, 41, 51, 12},
      {SelectedFontColorPanel, 80, 37, 60, 20},
      {ResetButton, P.ResetLeft, P.ResetTop, 68, 20},
  });
}

TColorSet TColorSetEditor::Colors() const {
  return {BackColorPanel.Color(), FontColorPanel.Color(), SelectedBackColorPanel.Color(),
          SelectedFontColorPanel.Color()};
}

void TColorSetEditor::SetColors(const TColorSet& Value) {
  BackColorPanel.SetColor(Value.BackColor);
  FontColorPanel.SetColor(Value.FontColor);
  SelectedBackColorPanel.SetColor(Value.SelectedBackColor);
  SelectedFontColorPanel.SetColor(Value.SelectedFontColor);
  Image1.Invalidate();
}

void TColorSetEditor::ColorsChanged() {
  if (OnColorsChanged) OnColorsChanged(Colors());
  Image1.Invalidate();
}

void TColorSetEditor::LoadColorExamples() {
  try {
    FExamples.LoadFromFile(ColorExampleFileName());
  } catch (const Exception& E) {
    // What was read is offered; the file itself stays as it is (SaveColorExamples).
    FLoadFailed = true;
    FLoadError = E.Message();
  }
  for (int i = 0; i < FExamples.Count(); ++i)
    ColorExampleCombo.Items().Add(FExamples.Items(i)->Name());
}

void TColorSetEditor::ReportLoadError() {
  if (FLoadError.empty()) return;
  std::string Text = FLoadError +
                     "\r\n\r\n読めた色の例だけを表示します。色の例を変更しなければ、"
                     "ファイルはそのまま残ります。";
  FLoadError.clear();
  MessageDlg(Text, TMsgDlgType::Error, mbOK);
}

void TColorSetEditor::SaveColorExamples() {
  const std::string Path = ColorExampleFileName();
  if (FLoadFailed) {
    if (!FExamplesChanged) return;
    // The file that could not be read is kept before the examples take its place.
    const std::string Bad = Path + ".bad";
    if (!FileSystem().Copy(Path, Bad))
      throw EFileError("色の例を " + Path + " に保存できません: 読み込めなかったファイルを " + Bad +
                       " に残せませんでした。");
  } else if (!FExamplesChanged && FileSystem().FileExists(Path)) {
    return;  // nothing to write: the file holds these examples already
  }
  FExamples.SaveToFile(Path);
  FExamplesChanged = false;
}

void TColorSetEditor::LoadItem(TExecItem* Item) {
  ColorsToShow = [Item](bool Common) {
    TRoot* Root = Item->OwnerRoot();
    if (!Common) return Item->Colors();
    if (!Root) return DefaultColorSet;
    const TKindColorSet& Kind = Item->MenuKind(*Root);
    return Kind.UseOwn() ? Kind.Colors() : Root->Colors();
  };
  if (TRoot* Root = Item->OwnerRoot()) {
    const TKindColorSet& Kind = Item->MenuKind(*Root);
    PreviewFont = Kind.UseOwn() ? Kind.Font() : Root->Font();
    Images = Root->ImageList();
  }
  // The box's handler runs whether or not its state changes: it fills the swatches.
  const bool Common = !Item->OwnColors();
  if (CommonColorCheck.Checked() != Common)
    CommonColorCheck.SetChecked(Common);
  else
    CommonColorCheckClick();
}

void TColorSetEditor::StoreItem(TExecItem* Item) {
  const bool Own = !CommonColorCheck.Checked();
  Item->SetOwnColors(Own);
  if (Own) Item->SetColors(Colors());
}

void TColorSetEditor::DrawPreview(TCanvas& Canvas) {
  Canvas.SetBrushColor(clBackground);
  Canvas.FillRect({0, 0, Image1.Width(), Image1.Height()});
  Canvas.Font().Assign(PreviewFont);
  const std::string Normal = "通常の状態";
  const int Width = Canvas.TextWidth(Normal) + 32;
  const TColorSet C = Colors();
  DrawMenuSample(Canvas, 10, 10, Width, C, PreviewFont, Normal, false, Images);
  // The first row's height, as an entry's: the font's height plus 4, at least 19.
  const int RowHeight = static_cast<int>(std::clamp<long long>(
      std::llabs(static_cast<long long>(PreviewFont.Height())) + 4, 19, 100000));
  DrawMenuSample(Canvas, 10, 10 + RowHeight, Width, C, PreviewFont, "選択状態", true, Images);
}

std::vector<TWinControl*> TColorSetEditor::SwitchedControls() {
  std::vector<TWinControl*> Controls = {&BackColorLabel,
                                        &BackColorPanel,
                                        &FontColorLabel,
                                        &FontColorPanel,
                                        &SelectedBackColorLabel,
                                        &SelectedBackColorPanel,
                                        &SelectedFontColorLabel,
                                        &SelectedFontColorPanel,
                                        &ResetButton,
                                        &Label17,
                                        &ColorExampleCombo,
                                        &AddColorExampleButton,
                                        &ColorExampleDeleteButton};
  Controls.insert(Controls.end(), CommonControls.begin(), CommonControls.end());
  return Controls;
}

void TColorSetEditor::CommonColorCheckClick() {
  const bool Common = CommonColorCheck.Checked();
  for (TWinControl* Control : SwitchedControls())
    // Unticked, the delete button keeps its state: it follows the combo's choice.
    if (Common || Control != &ColorExampleDeleteButton) Control->SetEnabled(!Common);
  ColorExampleCombo.SetItemIndex(-1);
  LastExampleIndex(FKind) = -1;
  if (ColorsToShow) SetColors(ColorsToShow(Common));
  Image1.Invalidate();
}

void TColorSetEditor::PickColor(TPaintPanel& Swatch) {
  ColorDialog1.Color = Swatch.Color();
  if (!ColorDialog1.Execute()) return;
  Swatch.SetColor(ColorDialog1.Color);
  ColorsChanged();
}

void TColorSetEditor::ResetButtonClick() {
  SetColors(DefaultColorSet);
  ColorsChanged();
}

void TColorSetEditor::ColorExampleComboChange() {
  const int Index = ColorExampleCombo.ItemIndex();
  int& Last = LastExampleIndex(FKind);
  if (Index < 0 || Index >= FExamples.Count()) {
    ColorExampleDeleteButton.SetEnabled(false);
    Last = -1;
    return;
  }
  if (Index == Last) return;  // the same choice told again
  ColorExampleDeleteButton.SetEnabled(true);
  SetColors(FExamples.Items(Index)->Colors());
  ColorsChanged();
  Last = Index;
}

void TColorSetEditor::AddColorExampleButtonClick() {
  const std::string Name = ColorExampleCombo.Text();
  if (Name.empty()) {
    MessageDlg("色の例につける名前を入力してください", TMsgDlgType::Warning, mbOK);
    return;
  }
  TColorExample* Example;
  int Index = FExamples.IndexOf(Name);
  if (Index == -1) {
    Example = FExamples.Items(FExamples.Add(std::make_unique<TColorExample>()));
    ColorExampleCombo.Items().Add(Name);
  } else {
    if (MessageDlg(Name + " が存在します。上書きしますか", TMsgDlgType::Confirmation,
                   mbYes | mbNo) != mrYes)
      return;
    Example = FExamples.Items(Index);
  }
  Example->SetName(Name);
  Example->SetColors(Colors());
  FExamplesChanged = true;
}

void TColorSetEditor::ColorExampleDeleteButtonClick() {
  const int Index = ColorExampleCombo.ItemIndex();
  if (Index < 0 || Index >= FExamples.Count()) return;
  FExamples.Delete(Index);
  ColorExampleCombo.Items().Delete(Index);
  // Another example may now stand at that index: choosing it must apply it.
  LastExampleIndex(FKind) = -1;
  FExamplesChanged = true;
}

}  // namespace lantern
