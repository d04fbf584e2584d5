#pragma once
// Message boxes. Windows shows real ones; tests install a double that answers.
#include <string>

namespace lantern {

enum class TMsgDlgType { Warning, Error, Information, Confirmation, Plain };
enum TMsgDlgButtons : unsigned { mbOK = 1, mbCancel = 2, mbYes = 4, mbNo = 8 };
enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

class TDialogService {
 public:
  virtual ~TDialogService() = default;
  // Shows Text with the application's title; the button pressed.
  virtual TModalResult MessageDlg(const std::string& Text, TMsgDlgType Type, unsigned Buttons) = 0;
};

TDialogService& Dialogs();
TDialogService* SetDialogs(TDialogService* Value);  // nullptr: the platform's own
TDialogService& PlatformDialogs();

inline TModalResult MessageDlg(const std::string& Text, TMsgDlgType Type, unsigned Buttons) {
  return Dialogs().MessageDlg(Text, Type, Buttons);
}

}  // namespace lantern
