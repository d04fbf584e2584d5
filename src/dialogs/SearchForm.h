#pragma once
// The search window: an edit box over the launchers and groups whose names match what is
// typed, best first, in the launcher menu's colours and font. It only chooses: the caller
// starts, opens or shows the choice, and holds the tree's guard from before the window opens
// until it is done with it, so that nothing it shows can go meanwhile.
#include <string>
#include <vector>

#include "model/Search.h"
#include "ui/ExtCtrls.h"
#include "ui/Form.h"
#include "ui/StdCtrls.h"

namespace lantern {

class TExecItem;
class TRoot;

class TSearchForm : public TForm {
 public:
  static constexpr int MostRows = 12;
  // Search: kept by the caller, so that the names are folded once per change of the tree,
  // not at every opening.
  TSearchForm(TRoot& Root, TLauncherSearch& Search);
  // Opens with its top left at the screen point, inside the work area of that monitor: mrOk
  // once something was chosen, else mrCancel (Esc, a click elsewhere).
  TModalResult ShowAt(int X, int Y);
  // The choice after mrOk, and whether it was made with Ctrl held (the folder that holds the
  // target, rather than the target).
  TExecItem* Chosen() const;
  bool ChoseFolder() const { return FChoseFolder; }
  const std::vector<TSearchHit>& Hits() const { return FHits; }
  int Choice() const { return FChoice; }
  // A result's height in layout units.
  int RowHeight() const;
  // Enter chooses, Ctrl+Enter chooses the folder, Esc closes.
  bool DialogKey(unsigned Key, unsigned Shift) override;

  TEdit Edit1{this};
  TPaintPanel Results{this};

 private:
  void Find();        // the hits for the text typed, the first one chosen
  void Move(int By);  // the choice By rows down (up when negative), kept on the list
  void Choose(int Index, bool Folder);
  void Paint(TCanvas& Canvas);
  void ResultsMouseDown(int X, int Y);
  int RowTop(int Row) const;        // in the panel's pixels
  void FitRows(int Rows);           // the list and the window as tall as Rows (one at least)

  TRoot& FRoot;
  TLauncherSearch& FSearch;
  std::vector<TSearchHit> FHits;
  std::vector<bool> FMissing;  // each hit's target is not there
  int FChoice = -1;
  bool FChoseFolder = false;
};

}  // namespace lantern
