#pragma once
// The icon of a launcher on a network share, fetched in the background: the shell may take
// long to answer for a share, and the window must not wait. The picture is appended to the
// shared image list on the user-interface thread.
#include <memory>
#include <string>

#include "ui/Icon.h"
#include "ui/Thread.h"

namespace lantern {

class TImageList;
class TListItem;

class TSeekIconThread : public TThread {
 public:
  // Starts at once.
  TSeekIconThread(const std::string& FileName, TListItem* ListItem, TImageList* ImageList);
  ~TSeekIconThread() override;
  const std::string& FileName() const { return FFileName; }
  TListItem* ListItem() const { return FListItem; }
  // The appended picture's index; -1 when none was (no such file, or no icon).
  int IconIndex() const { return FIconIndex; }

 protected:
  void Execute() override;

 private:
  void AddIconToList();

  const std::string FFileName;
  TImageList* FImageList;
  TListItem* FListItem;  // kept for whoever asked; the thread never touches it
  std::unique_ptr<TIcon> FIcon;
  int FIconIndex = -1;
};

}  // namespace lantern
