#pragma once
// The launcher tree set up as the main window sets it up at start-up, against windowless
// views and a shell double: registrations, the root with its tree node, the root current,
// and the trash.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/Root.h"
#include "support/FakeShell.h"
#include "ui/ImageList.h"
#include "ui/ListView.h"
#include "ui/TreeView.h"

namespace lantern {

class TreeFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Helpers that build items the way the program does: construct with the parent, then Add.
  // They return the item the tree now owns.
  TFolder* AddFolder(TCompositeItem* Parent, const std::string& Name);
  TLauncherExec* AddLauncher(TCompositeItem* Parent, const std::string& Name,
                             const std::string& FileName = "");
  // Captions of the list rows, in order.
  std::vector<std::string> RowCaptions();
  // Names of Group's children, in stored order.
  static std::vector<std::string> ChildNames(const TCompositeItem* Group);
  // Texts of the tree node's children, in order.
  static std::vector<std::string> NodeTexts(const TTreeNode* Node);

  TTreeView TreeView;
  TListView ListView;
  TImageList Images;
  TFakeShell FakeShell;
  TShell* OldShell = nullptr;
  std::unique_ptr<TRoot> Root;
  TRecycledFolder* Trash = nullptr;
  int UserChanges = 0;  // calls of the list view's change handler
};

}  // namespace lantern
