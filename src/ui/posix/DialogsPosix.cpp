// Without windows a message box is a line on the error output, answered as Enter would: with
// its default button, else its first.
#include <cstdio>

#include "ui/Dialogs.h"
#include "ui/Widgets.h"

namespace lantern {

namespace {
class TConsoleDialogs : public TDialogService {
 public:
  TModalResult MessageDlg(const std::string& Text, TMsgDlgType, unsigned Buttons,
                          unsigned Default) override {
    std::fprintf(stderr, "%s\n", Text.c_str());
    if (Default & Buttons) return ButtonResult(Default);
    if (Buttons & mbOK) return mrOk;
    if (Buttons & mbYes) return mrYes;
    return mrCancel;
  }
};
}  // namespace

TWidgetFactory* PlatformWidgets() { return nullptr; }

TDialogService& PlatformDialogs() {
  static TConsoleDialogs Instance;
  return Instance;
}

}  // namespace lantern
