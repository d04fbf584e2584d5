#pragma once
// The small folder chooser of the launcher dialog: the platform's folder browser over the
// desktop, with a title and the browser's options.
#include <string>

namespace lantern {

// Each option is the browser's flag of the same meaning.
enum TFolderDlgOption : unsigned {
  bifReturnOnlyFSDirs = 0x1,      // BIF_RETURNONLYFSDIRS
  bifDontGoBelowDomain = 0x2,     // BIF_DONTGOBELOWDOMAIN
  bifStatusText = 0x4,            // BIF_STATUSTEXT
  bifReturnFSAncestors = 0x8,     // BIF_RETURNFSANCESTORS
  bifBrowseForComputer = 0x1000,  // BIF_BROWSEFORCOMPUTER
  bifBrowseForPrinter = 0x2000    // BIF_BROWSEFORPRINTER
};
using TFolderDlgOptions = unsigned;  // a set of TFolderDlgOption

class TFolderDialog {
 public:
  std::string Title;
  TFolderDlgOptions Option = bifReturnOnlyFSDirs;
  // Shows the browser; whether the user chose a folder. Then FolderName is its path and
  // FolderImageIndex the picture the browser showed for it.
  bool Browse();
  std::string FolderName;
  int FolderImageIndex = -1;
};

}  // namespace lantern
