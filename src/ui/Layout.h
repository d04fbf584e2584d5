#pragma once
// Forms are laid out from tables that read like their layout tables: one row per control with
// its position in pixels within its parent, its caption (an edit's text) and its handler (an
// edit's or a combo box's OnChange, any other control's OnClick). The kind is the control's own class and the
// parent the one it was made in.
#include <functional>
#include <initializer_list>
#include <string>
#include <type_traits>
#include <utility>

#include "ui/StdCtrls.h"

namespace lantern {

template <typename T, typename = void>
struct HasOnChange : std::false_type {};
template <typename T>
struct HasOnChange<T, std::void_t<decltype(std::declval<T&>().OnChange)>> : std::true_type {};
template <typename T, typename = void>
struct HasOnClick : std::false_type {};
template <typename T>
struct HasOnClick<T, std::void_t<decltype(std::declval<T&>().OnClick)>> : std::true_type {};

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
          // Edits and combo boxes take their change handler, other controls their click.
          if constexpr (HasOnChange<TControl>::value) {
            if (Handler) Control.OnChange = Handler;
          } else if constexpr (HasOnClick<TControl>::value) {
            if (Handler) Control.OnClick = Handler;
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
