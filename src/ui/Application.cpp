#include "ui/Application.h"

#include "ui/Dialogs.h"
#include "ui/Widgets.h"

namespace lantern {

namespace {
TDialogService* InstalledDialogs = nullptr;
}

TApplication& Application() {
  static TApplication Instance;
  return Instance;
}

void TApplication::Run() {
  if (Widgets()) Widgets()->Run();
}

void TApplication::Terminate() {
  if (Widgets()) Widgets()->Terminate();
}

void TApplication::ShowException(const std::exception& E) {
  try {
    MessageDlg(E.what(), TMsgDlgType::Error, mbOK);
  } catch (...) {
    // The error display itself must never fail outward.
  }
}

TDialogService& Dialogs() { return InstalledDialogs ? *InstalledDialogs : PlatformDialogs(); }

TDialogService* SetDialogs(TDialogService* Value) {
  TDialogService* Old = &Dialogs();
  InstalledDialogs = Value;
  return Old;
}

}  // namespace lantern
