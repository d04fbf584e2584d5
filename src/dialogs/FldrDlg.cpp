#include "dialogs/FldrDlg.h"

#include "ui/Dialogs.h"

namespace lantern {

bool TFolderDialog::Browse() {
  std::string Folder;  // the browser opens at the desktop
  int ImageIndex = -1;
  bool Chosen;
  {
    TModalLoop Loop;
    Chosen = Dialogs().BrowseForFolder(Title, Option, Folder, ImageIndex);
  }
  if (!Chosen) return false;
  FolderName = Folder;
  FolderImageIndex = ImageIndex;
  return true;
}

}  // namespace lantern
