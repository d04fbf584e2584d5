#pragma once
// Dragging inside the main window's views: launchers and groups from the list are put before
// another row or at the end of the current group; groups and launchers from either view are
// moved into a group of the tree.
#include <memory>
#include <vector>

#include "model/TreeGuard.h"

namespace lantern {

class TDragControl;
class TExecItem;
class TListView;
class TRoot;
class TTreeView;

class TViewDragging {
 public:
  // Takes over the views' drag handlers.
  TViewDragging(TRoot& Root, TListView& List, TTreeView& Tree);
  ~TViewDragging();
  TViewDragging(const TViewDragging&) = delete;
  TViewDragging& operator=(const TViewDragging&) = delete;

  // A drag holds the tree from its start to its end, so that the items it carries stay.
  bool Dragging() const { return FHold != nullptr; }
  // Items are carried (the drop has not yet come).
  bool Carrying() const { return !FItems.empty(); }

 private:
  // X, Y: the view's client point.
  void ListStartDrag(bool& Start);
  void TreeStartDrag(bool& Start);
  void ListDragOver(TDragControl* Source, bool& Accept);
  void TreeDragOver(int X, int Y, bool& Accept);
  void ListDragDrop(int X, int Y);
  void TreeDragDrop(int X, int Y);
  void EndDrag();  // dropped or not

  TRoot& FRoot;
  TListView& FList;
  TTreeView& FTree;
  std::vector<TExecItem*> FItems;  // does not own them
  std::unique_ptr<TTreeGuard::THold> FHold;
};

}  // namespace lantern
