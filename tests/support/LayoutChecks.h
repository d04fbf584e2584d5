#pragma once
// Checks that any form's layout tables must pass, without a window: every control within its
// parent's client area, and no Alt letter that two controls of one page share unless the page
// says so. Failures name the control by its kind, caption and place.
#include <string>

#include "ui/Form.h"

namespace lantern {

// The control's kind, caption (an edit's text) and place, as a failure names it.
std::string DescribeControl(const TWinControl& Control);
// Every control within Parent, at any depth, lies inside its own parent's client area.
void ExpectControlsInsideTheirParents(const TWinControl& Parent);
// The controls shown together (the form's own and those of one page) have distinct "&"
// letters, except the letters that the form or the page declares shared (SharedAltLetters);
// a declared letter must then be shared.
void ExpectDistinctAltLetters(const TForm& Form);

}  // namespace lantern
