// A launcher's picture: from the shell at once for a local file, from a thread of its own
// for a share, which may take long to answer; after a data file loads, a few each tick.
// The same pictures at the sizes of finer screens, for the views and the launcher menu.
#include <algorithm>
#include <chrono>

#include "base/Path.h"
#include "model/Root.h"
#include "model/SeekIconThread.h"
#include "ui/Dpi.h"
#include "ui/ImageList.h"
#include "ui/ListView.h"
#include "ui/Shell.h"
#include "ui/System.h"
#include "ui/TreeView.h"

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
  int Index = Root->AddPicture(*Icon, FFileName);
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
  if (TRoot* Root = OwnerRoot()) Root->SyncViewPictures();
  SetRowPicture(FImageIndex, false);
}

// The pictures at other sizes

namespace {

// The picture at Size pixels: the program's own for a fixed one, the shell's for a file.
TIcon PictureAt(int Picture, const std::string& FileName, int Size) {
  return Picture < FixedPictures ? System().ResourceIcon(FirstPictureId + Picture, Size)
                                 : Shell().FileIconAt(FileName, Size);
}

}  // namespace

int TRoot::MenuPicture(int Picture, const std::string& FileName, TImageList*& Images) {
  return SizedPicture(SmallIconSize(FMenuDpi), Picture, FileName, Images);
}

int TRoot::SizedPicture(int Size, int Picture, const std::string& FileName, TImageList*& Images) {
  Images = FImageList;
  if (Size == 16 || !FImageList || Picture < 0 || Picture >= FImageList->Count()) return Picture;
  // A share may take long to answer while the menu waits: its launchers keep their 16-pixel
  // picture, drawn as it is rather than stretched.
  if (Picture >= FixedPictures && IsNetworkPath(FileName)) return Picture;
  if (FViewPictures && FViewPictures->Width() == Size) {
    Images = FViewPictures.get();
    return Picture;
  }
  TSizedPictures& Sized = FMenuPictures[Size];
  if (!Sized.Images) Sized.Images = std::make_unique<TImageList>(Size, Size);
  Images = Sized.Images.get();
  if (static_cast<int>(Sized.Indexes.size()) < FImageList->Count())
    Sized.Indexes.resize(FImageList->Count(), TSizedPictures::NotFetched);
  int& Index = Sized.Indexes[Picture];
  // A picture the shell has not at this size is asked for once, not at every repaint.
  if (Index == TSizedPictures::NotFetched) {
    const int Added = Sized.Images->AddIcon(PictureAt(Picture, FileName, Size));
    Index = Added < 0 ? TSizedPictures::NoPicture : Added;
  }
  return Index < 0 ? -1 : Index;
}

void TRoot::SetViewPictureSize(int Size) {
  if (!FImageList) return;
  std::unique_ptr<TImageList> Old = std::move(FViewPictures);
  if (Size != FImageList->Width()) {
    FViewPictures = std::make_unique<TImageList>(Size, Size);
    SyncViewPictures();
  }
  // The views let go of the old list before it goes.
  TImageList* Shown = ViewPictures();
  const bool ListShows = FListView && FListView->SmallImages() == FListImageList;
  FListImageList = Shown;
  if (FTreeView) FTreeView->SetImages(Shown);
  if (ListShows) FListView->SetSmallImages(Shown);
}

int TRoot::AddPicture(const TIcon& Icon, const std::string& FileName) {
  if (!FImageList) return -1;
  const int Count = FImageList->Count();
  const int Index = FImageList->AddIcon(Icon);
  if (Index == Count) {
    FPictureFiles.resize(Count + 1);
    FPictureFiles[Index] = FileName;
  }
  SyncViewPictures();
  return Index;
}

void TRoot::SyncViewPictures() {
  if (!FViewPictures || !FImageList) return;
  const int Size = FViewPictures->Width();
  for (int Picture = FViewPictures->Count(); Picture < FImageList->Count(); ++Picture) {
    const std::string* File =
        Picture < static_cast<int>(FPictureFiles.size()) ? &FPictureFiles[Picture] : nullptr;
    // A picture of a share, or of a file not known, is the 16 px one made larger: the list's
    // numbers must stay those of the 16 px list, and a share may take long to answer.
    const bool Fetch = Picture < FixedPictures || (File && !File->empty() && !IsNetworkPath(*File));
    TIcon Icon = Fetch ? PictureAt(Picture, File ? *File : std::string(), Size) : TIcon();
    FViewPictures->Append(Icon.Empty() ? FImageList->GetIcon(Picture) : Icon);
  }
}

void TRoot::ForgetPictures() {
  for (TImageList* Images : {FImageList, FViewPictures.get()})
    if (Images)
      while (Images->Count() > FixedPictures) Images->Delete(Images->Count() - 1);
  if (FPictureFiles.size() > static_cast<std::size_t>(FixedPictures))
    FPictureFiles.resize(FixedPictures);
  FMenuPictures.clear();  // their indexes were the deleted pictures'
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
