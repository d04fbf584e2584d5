#pragma once
// The colour-set editor that the settings, launcher and group dialogs share: four colour
// swatches, a preview of two menu rows, the "use the shared colours" box and the named colour
// examples of Color.dat. Each dialog places the controls on its own page with its own layout
// table and says which colours the box shows.
#include <functional>
#include <string>
#include <vector>

#include "dialogs/ColorExample.h"
#include "ui/Dialogs.h"
#include "ui/ExtCtrls.h"
#include "ui/ListCtrls.h"
#include "ui/StdCtrls.h"

namespace lantern {

class TExecItem;
class TImageList;

// The four colours of a menu row.
struct TColorSet {
  TColor BackColor, FontColor, SelectedBackColor, SelectedFontColor;
  bool operator==(const TColorSet& Other) const {
    return BackColor == Other.BackColor && FontColor == Other.FontColor &&
           SelectedBackColor == Other.SelectedBackColor &&
           SelectedFontColor == Other.SelectedFontColor;
  }
};

// The system's menu colours: what the reset button brings back.
constexpr TColorSet DefaultColorSet = {clBtnFace, clBtnText, clHighlight, clHighlightText};

enum class TColorDialogKind { Settings, LauncherProperty, GroupProperty };

// The index of the example that a dialog of Kind applied last; -1: none. Reset when such a
// dialog opens, when its combo loses its choice and when an example is deleted, so that it
// only keeps a repeated notification of the same choice from applying it twice.
int& LastExampleIndex(TColorDialogKind Kind);

class TColorSetEditor {
 public:
  // The controls are made on Page, with their captions; the dialog places them (LayOut).
  TColorSetEditor(TWinControl& Page, TColorDialogKind Kind);
  ~TColorSetEditor();

  TLabel Label9;
  TCheckBox CommonColorCheck;
  TLabel Label17;
  TComboBox ColorExampleCombo;
  TPaintPanel Image1;
  TButton AddColorExampleButton;
  TButton ColorExampleDeleteButton;
  TLabel BackColorLabel;
  TPaintPanel BackColorPanel;
  TLabel FontColorLabel;
  TPaintPanel FontColorPanel;
  TGroupBox GroupBox2;
  TLabel SelectedBackColorLabel;
  TPaintPanel SelectedBackColorPanel;
  TLabel SelectedFontColorLabel;
  TPaintPanel SelectedFontColorPanel;
  TButton ResetButton;
  TColorDialog ColorDialog1;

  // The colours the swatches show for the box's state: ticked, the shared ones that apply;
  // unticked, the own ones stored.
  std::function<TColorSet(bool Common)> ColorsToShow;
  // Every change of the swatches (the settings dialog keeps a working copy).
  std::function<void(const TColorSet&)> OnColorsChanged;
  // Controls that the box disables with the swatches (the settings dialog's font button).
  std::vector<TWinControl*> CommonControls;
  // What the preview draws with.
  TFont PreviewFont;
  const TImageList* Images = nullptr;

  // The four swatches.
  TColorSet Colors() const;
  void SetColors(const TColorSet& Value);

  // Fills the combo from Color.dat. A file that could not be read to its end leaves what was
  // read and is reported once, by ReportLoadError (after the dialog has shown).
  void LoadColorExamples();
  // Writes Color.dat when the examples changed or the file is missing. A file that could not
  // be read is left alone unless the user changed the examples; then it is first kept as
  // Color.dat.bad. Raises EFileError when the file cannot be written.
  void SaveColorExamples();
  // What LoadColorExamples could not read; empty when nothing went wrong.
  const std::string& LoadError() const { return FLoadError; }
  void ReportLoadError();
  TColorExampleList& Examples() { return FExamples; }

  // The property dialogs' part of loading an item (a group or a launcher): the box is ticked
  // when the item has no own colours and then shows those of its kind, or else the common
  // ones; unticked, the item's own. The preview takes the font the menu gives the item.
  void LoadItem(TExecItem* Item);
  // The box into the item's OwnColors; unticked, the swatches into its colours. Ticked, the
  // item's own colours stay stored for a later unticking.
  void StoreItem(TExecItem* Item);

  // Draws the two sample rows onto the preview's canvas.
  void DrawPreview(TCanvas& Canvas);

  // Handlers.
  void CommonColorCheckClick();
  void BackColorLabelClick() { PickColor(BackColorPanel); }
  void FontColorLabelClick() { PickColor(FontColorPanel); }
  void SelectedBackColorLabelClick() { PickColor(SelectedBackColorPanel); }
  void SelectedFontColorLabelClick() { PickColor(SelectedFontColorPanel); }
  void ResetButtonClick();
  void ColorExampleComboChange();
  void AddColorExampleButtonClick();
  void ColorExampleDeleteButtonClick();

 private:
  void PickColor(TPaintPanel& Swatch);
  void ColorsChanged();
  std::vector<TWinControl*> SwitchedControls();

  TColorDialogKind FKind;
  TColorExampleList FExamples;
  std::string FLoadError;
  bool FLoadFailed = false;
  bool FExamplesChanged = false;
};

}  // namespace lantern
