#pragma once
// The colour-set editor that the settings, launcher and group dialogs share: four colour
// swatches, a preview of two menu rows, the "use the shared colours" box and the named colour
// examples of Color.dat. Each dialog says where the parts stand on its page (TColorPageLayout)
// and which colours the box shows.
#include <functional>
#include <string>
#include <vector>

#include "base/ColorSet.h"
#include "dialogs/ColorExample.h"
#include "ui/Dialogs.h"
#include "ui/ExtCtrls.h"
#include "ui/ListCtrls.h"
#include "ui/StdCtrls.h"

namespace lantern {

class TExecItem;
class TImageList;

// Where a dialog puts the parts of its colour page that do not stand alike in every dialog.
// The rest (the sizes, the swatches' columns, the inside of GroupBox2) is the editor's. The
// settings dialog places its category list and font button itself, and words and widens
// Label9 its own way.
struct TColorPageLayout {
  int CheckLeft, CheckTop;     // CommonColorCheck
  int ExamplesTop;             // ColorExampleCombo, with Label17 before it
  bool ExamplesBesideButtons;  // a shorter combo beside the example buttons, not above them
  int PreviewTop;              // Image1, at the page's left margin
  int SwatchesTop;             // BackColorPanel, with FontColorPanel below it
  int SelectedTop;             // GroupBox2: the selected state's swatches
  int ResetLeft, ResetTop;     // ResetButton
};

enum class TColorDialogKind { Settings, LauncherProperty, GroupProperty };

// The index of the example that a dialog of Kind applied last; -1: none. Reset when such a
// dialog opens, when its combo loses its choice and when an example is deleted, so that it
// only keeps a repeated notification of the same choice from applying it twice.
int& LastExampleIndex(TColorDialogKind Kind);

class TColorSetEditor {
 public:
  // The controls are made on Page, with their captions; the dialog has them placed (LayOut).
  TColorSetEditor(TWinControl& Page, TColorDialogKind Kind);
  ~TColorSetEditor();

  // Places the controls on the page, in tab order after what the page holds already.
  void LayOut(const TColorPageLayout& Layout);

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
