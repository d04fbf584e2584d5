#pragma once
// The version window: the program's icon, what it is for, its name and its version.
#include <string>

#include "ui/ExtCtrls.h"
#include "ui/Form.h"
#include "ui/StdCtrls.h"

namespace lantern {

// "r." and the four parts of the running program's file version ("r.1.3.11 Build 36");
// empty when the program has no version resource.
std::string GetVersionString();

class TAboutForm : public TForm {
 public:
  // FormCreate: the layout, and the version of the running program.
  TAboutForm();

  TImage Image1{this};
  TLabel Label3{this};
  TLabel Label1{this};
  TLabel VersionLabel{this};
  TButton Button1{this};
};

}  // namespace lantern
