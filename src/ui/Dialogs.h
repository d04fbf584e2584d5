#pragma once
// Message boxes and the common choosers (colour, font, file to open or save, folder). Windows
// shows real ones; tests install a double that answers.
#include <string>

#include "base/Color.h"
#include "ui/Application.h"
#include "ui/Font.h"

namespace lantern {

enum class TMsgDlgType { Warning, Error, Information, Confirmation, Plain };
enum TMsgDlgButtons : unsigned { mbOK = 1, mbCancel = 2, mbYes = 4, mbNo = 8 };
enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

class TDialogService {
 public:
  virtual ~TDialogService() = default;
  // Shows Text with the application's title; the button pressed. Default: the button that
  // Enter presses, one of Buttons; 0 for the first.
  virtual TModalResult MessageDlg(const std::string& Text, TMsgDlgType Type, unsigned Buttons,
                                  unsigned Default) = 0;
  // The same with a check box below the text, labelled CheckText and shown ticked when
  // Checked is; Checked is what the user left it at. A service that cannot show one asks the
  // plain question, and Checked comes back unticked: what the user did not see, the user
  // did not agree to.
  virtual TModalResult MessageDlgCheck(const std::string& Text, TMsgDlgType Type, unsigned Buttons,
                                       unsigned Default, const std::string& CheckText,
                                       bool& Checked) {
    (void)CheckText;
    Checked = false;
    return MessageDlg(Text, Type, Buttons, Default);
  }
  // The choosers, preset to the value passed in. Whether the user confirmed; only then is
  // the value the chosen one. A service without choosers answers as a user who cancels.
  // A system colour opens as the colour it stands for now; confirmed unchanged, it stays the
  // system colour and goes on following the system's settings. A chosen file or folder whose
  // name has characters without a CP932 form is refused: Exception with UnusablePathsText.
  virtual bool PickColor(TColor& Color) { return (void)Color, false; }
  // Face, size, style and character set; no effects section, no size limits.
  virtual bool PickFont(TFont& Font) { return (void)Font, false; }
  // Filter: pairs of description and masks separated by '|' ("Programs|*.exe|All|*.*"), or
  // empty for none. FileName: the full path. Folder: where the chooser opens, empty for
  // where the system would open it.
  virtual bool PickOpenFile(std::string& FileName, const std::string& Filter,
                            const std::string& Folder) {
    return (void)FileName, (void)Filter, (void)Folder, false;
  }
  // Neither creates the file nor asks about an existing one.
  virtual bool PickSaveFile(std::string& FileName, const std::string& Filter) {
    return (void)FileName, (void)Filter, false;
  }
  // The platform's folder browser with Title over its tree, rooted at the desktop, with the
  // BIF_ Flags; opened at Folder when it is not empty. On a choice Folder is its path and
  // ImageIndex the icon index the browser reports.
  virtual bool BrowseForFolder(const std::string& Title, unsigned Flags, std::string& Folder,
                               int& ImageIndex) {
    return (void)Title, (void)Flags, (void)Folder, (void)ImageIndex, false;
  }
};

TDialogService& Dialogs();
TDialogService* SetDialogs(TDialogService* Value);  // nullptr: the platform's own
TDialogService& PlatformDialogs();

inline TModalResult MessageDlg(const std::string& Text, TMsgDlgType Type, unsigned Buttons,
                               unsigned Default = 0) {
  TModalLoop Loop;
  return Dialogs().MessageDlg(Text, Type, Buttons, Default);
}

inline TModalResult MessageDlgCheck(const std::string& Text, TMsgDlgType Type, unsigned Buttons,
                                    unsigned Default, const std::string& CheckText, bool& Checked) {
  TModalLoop Loop;
  return Dialogs().MessageDlgCheck(Text, Type, Buttons, Default, CheckText, Checked);
}

// What pressing a button gives.
inline TModalResult ButtonResult(unsigned Button) {
  switch (Button) {
    case mbOK: return mrOk;
    case mbYes: return mrYes;
    case mbNo: return mrNo;
    default: return mrCancel;
  }
}

// The choosers as the dialogs hold them: set up, Execute, read back.
class TColorDialog {
 public:
  TColor Color = 0;
  bool Execute() {
    TModalLoop Loop;
    return Dialogs().PickColor(Color);
  }
};

class TFontDialog {
 public:
  TFont Font;
  bool Execute() {
    TModalLoop Loop;
    return Dialogs().PickFont(Font);
  }
};

class TOpenDialog {
 public:
  std::string FileName;
  std::string Filter;
  std::string InitialDir;
  bool Execute() {
    TModalLoop Loop;
    return Dialogs().PickOpenFile(FileName, Filter, InitialDir);
  }
};

class TSaveDialog {
 public:
  std::string FileName;
  std::string Filter;
  bool Execute() {
    TModalLoop Loop;
    return Dialogs().PickSaveFile(FileName, Filter);
  }
};

}  // namespace lantern
