// A launcher's picture: from the shell at once for a local file, from a thread of its own
// for a share, which may take long to answer; after a data file loads, a few each tick.
#include <algorithm>
#include <chrono>

#include "base/Path.h"
#include "model/ExecObj.h"
#include "model/SeekIconThread.h"
#include "ui/ImageList.h"
#include "ui/Shell.h"

namespace lantern {

void TRoot::NotePendingIcons(TExecItem* Item) {
  auto Note = [this](TExecItem* Each) {
    auto* Launcher = dynamic_cast<TLauncher*>(Each);
    if (Launcher && Launcher->FIconPending) ++FPendingIcons;
  };
  Note(Item);
  if (TCompositeItem* Group = Item->AsGroup())
    for (TExecItemIterator It(Group); !It.Done(); It.Next()) Note(It.Current());
}

void TRoot::FetchPendingIcons(int BudgetMs) {
  if (FPendingIcons == 0) return;
  auto Deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(BudgetMs);
  // The walk is cheap next to one shell call; counting anew keeps the count right when
  // pending launchers were deleted or moved into the trash meanwhile.
  int Left = 0;
  for (TExecItemIterator It(this); !It.Done(); It.Next()) {
    auto* Launcher = dynamic_cast<TLauncher*>(It.Current());
    if (!Launcher || !Launcher->FIconPending) continue;
    if (std::chrono::steady_clock::now() < Deadline)
      Launcher->FetchIcon();
    else
      ++Left;
  }
  FPendingIcons = Left;
}

void TLauncher::FetchIcon() {
  FIconPending = false;
  FRetrySkip = 0;
  FRetryGap = 1;
  if (InTrash()) return;
  TRoot* Root = OwnerRoot();
  if (Root && Root->DeferIcons()) {
    FIconPending = true;
    Root->NotePendingIcon();
    return;
  }
  TImageList* Images = Root ? Root->ImageList() : nullptr;
  // A share may take long to answer, and the window must not wait: the icon comes from a
  // thread of its own.
  if (IsNetworkPath(FFileName)) {
    if (!Images) return;
    if (FIconThread) {
      // The fetch under way answers for this path (the retry must not pile threads up on a
      // share that hangs); one for an older path finishes on its own, unheard.
      if (FIconThread->FileName() == FFileName) return;
      FIconThread.release()->LetGo();
    }
    FIconThread = std::make_unique<TSeekIconThread>(FFileName, FListItem, Images);
    FIconThread->OnTerminate = [this](TThread*) { IconThreadTerminate(); };
    return;
  }
  std::unique_ptr<TIcon> Icon = GetFileIcon(FFileName, false);
  if (!Images) return;
  int Index = Images->AddIcon(*Icon);
  // No icon from the shell: no picture is appended and the item keeps -1, so that the
  // periodic fetch of missing icons tries again later.
  if (Index < 0) return;
  FImageIndex = Index;
  SetRowPicture(FImageIndex, false);
}

void TLauncher::IconThreadTerminate() {
  FImageIndex = FIconThread->IconIndex();
  // Freed by the thread's queue once this handler is done with it.
  FIconThread.release()->SetFreeOnTerminate(true);
  SetRowPicture(FImageIndex, false);
}

void TLauncher::RetryIcon() {
  if (!IsNetworkPath(FFileName)) return FetchIcon();
  if (FRetrySkip > 0) {
    --FRetrySkip;
    return;
  }
  const int Gap = FRetryGap;
  FetchIcon();
  FRetrySkip = Gap - 1;
  FRetryGap = std::min(Gap * 2, IconRetryMostRounds);
}

}  // namespace lantern
