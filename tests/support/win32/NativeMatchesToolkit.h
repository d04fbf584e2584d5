#pragma once
// Windows tests only: whether a shown form's native windows mirror what its toolkit controls
// hold, whatever the form: each control's window, its parent window (a panel's, group box's or
// page's children are in its window), place, text, visibility, enabled and checked state, a
// list's lines and choice, a memo's text, read-only state and border, and the page control's
// tabs. A label may stand wider than laid out when its font is wider (it holds its caption on
// one line). Places and fonts are those of the form's DPI. Each mismatch names the control.
namespace lantern {

class TForm;
class TPageControl;

void ExpectNativeMatchesToolkit(TForm& Form);

// The system moves the shown form to a monitor of Dpi: WM_DPICHANGED with the window's
// rectangle scaled from its DPI as the suggestion.
void ChangeDpi(TForm& Form, int Dpi);
// The shown form moved to a monitor at 150% (or 100% from 150%) and back: on each page of
// Pages (if given) the windows match the controls; a dialog keeps its layout's client area.
void ExpectFollowsDpi(TForm& Form, TPageControl* Pages);

}  // namespace lantern
