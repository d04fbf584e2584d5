#pragma once
// Forms are laid out from tables that read like their layout tables: one row per control with
// its position in pixels within its parent, its caption (an edit's text) and its handler (a
// button's or a box's OnClick, an edit's OnChange). The kind is the control's own class and the
// parent the one it was made in.
#include <functional>
#include <initializer_list>
#include <string>
#include <type_traits>

#include "ui/StdCtrls.h"

namespace lantern {

class TLayoutRow {
 public:
  template <typename TControl>
  TLayoutRow(TControl& Control, int Left, int Top, int Width, int Height, std::string Caption = {},
             TWinControl::TNotifyEvent Handler = {})
      : FControl(&Control),
        FApply([&Control, Left, Top, Width, Height, Caption = std::move(Caption),
                Handler = std::move(Handler)] {
          Control.SetBounds(Left, Top, Width, Height);
          if constexpr (std::is_base_of_v<TCaptionControl, TControl>) {
            if (!Caption.empty()) Control.SetCaption(Caption);
          } else if constexpr (std::is_base_of_v<TEdit, TControl>) {
            if (!Caption.empty()) Control.SetText(Caption);
          }
          if constexpr (std::is_base_of_v<TButtonControl, TControl>) {
            if (Handler) Control.OnClick = Handler;
          } else if constexpr (std::is_base_of_v<TEdit, TControl>) {
            if (Handler) Control.OnChange = Handler;
          }
        }) {}
  TWinControl* Control() const { return FControl; }
  void Apply() const { FApply(); }

 private:
  TWinControl* FControl;
  std::function<void()> FApply;
};

// Applies the rows in order; the order is also the controls' tab order within each parent
// (after any control that the table leaves out).
inline void LayOut(std::initializer_list<TLayoutRow> Rows) {
  for (const TLayoutRow& Row : Rows) {
    Row.Apply();
    Row.Control()->SetTabOrder(
        static_cast<int>(Row.Control()->Parent() ? Row.Control()->Parent()->Controls().size() : 0));
  }
}

}  // namespace lantern
