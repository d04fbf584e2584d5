#include "model/SeekIconThread.h"

#include "model/ExecObj.h"
#include "ui/FileSystem.h"
#include "ui/ImageList.h"

namespace lantern {

TSeekIconThread::TSeekIconThread(const std::string& FileName, TListItem* ListItem,
                                 TImageList* ImageList)
    : FFileName(FileName), FImageList(ImageList), FListItem(ListItem) {
  Start();
}

// Waits here, while the members still exist, not in the base.
TSeekIconThread::~TSeekIconThread() { Stop(); }

void TSeekIconThread::Execute() {
  // A share that cannot be reached answers no here, after however long it takes. A thread
  // let go meanwhile asks nothing more: the program may be ending.
  bool Exists = FileSystem().FileExists(FFileName);
  if (!Exists && !Terminated()) Exists = FileSystem().DirectoryExists(FFileName);
  if (!Exists || Terminated()) return;
  FIcon = GetFileIcon(FFileName, false);
  Synchronize([this] { AddIconToList(); });
  FIcon.reset();
}

void TSeekIconThread::AddIconToList() {
  // An empty icon adds nothing and leaves -1, so the periodic retry asks again.
  if (FImageList && FIcon) FIconIndex = FImageList->AddIcon(*FIcon);
}

}  // namespace lantern
