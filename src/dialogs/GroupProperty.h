#pragma once
// The group property dialog: a group's name and the colours of its row in the launcher menu.
#include "dialogs/ColorSetEditor.h"
#include "ui/ExtCtrls.h"
#include "ui/Form.h"
#include "ui/StdCtrls.h"

namespace lantern {

class TCompositeItem;

class TGroupPropertyForm : public TForm {
 public:
  // FormCreate.
  TGroupPropertyForm();
  // FormDestroy: the colour examples are written back.
  ~TGroupPropertyForm() override;

  TButton Button1{this};
  TButton Button2{this};
  TButton Button3{this};
  TPageControl PageControl1{this};
  TTabSheet TabSheet1{&PageControl1};
  TLabel Label1{&TabSheet1};
  TEdit NameEdit{&TabSheet1};
  TTabSheet TabSheet2{&PageControl1};
  TColorSetEditor Colors{TabSheet2, TColorDialogKind::GroupProperty};

  // Remembers the group (a user group or the trash) and fills the controls from it.
  void LoadItem(TCompositeItem* Group);
  // Writes the controls back into the group; the group, or none when none was loaded.
  TCompositeItem* StoreItem();
  void Button3Click();

 private:
  TCompositeItem* FItem = nullptr;
};

}  // namespace lantern
