#include "support/TreeFixture.h"

namespace lantern {

void TreeFixture::SetUp() {
  OldShell = SetShell(&FakeShell);
  // The five fixed pictures: group, current group, trash, current trash, URL.
  for (const char* Name : {"group", "current group", "trash", "current trash", "url"})
    Images.AddIcon(FakeShell.GetFileInfoIcon(Name, 0));
  FakeShell.Asked.clear();
  ListView.OnChange = [this](TListView*, TListItem*, TItemChange) { ++UserChanges; };
  Root = std::make_unique<TRoot>();
  Root->ShowInViews(ListView, TreeView, Images, Images);
  Trash = Root->Add(std::make_unique<TRecycledFolder>(Root.get()));
  UserChanges = 0;
}

void TreeFixture::TearDown() {
  Root.reset();
  SetShell(OldShell);
}

TFolder* TreeFixture::AddFolder(TCompositeItem* Parent, const std::string& Name) {
  TFolder* Folder = Parent->Add(std::make_unique<TFolder>(Parent));
  Folder->SetName(Name);
  return Folder;
}

TLauncherExec* TreeFixture::AddLauncher(TCompositeItem* Parent, const std::string& Name,
                                        const std::string& FileName) {
  TLauncherExec* Launcher = Parent->Add(std::make_unique<TLauncherExec>(Parent));
  Launcher->SetName(Name);
  Launcher->SetFileName(FileName);
  return Launcher;
}

std::vector<std::string> TreeFixture::RowCaptions() {
  std::vector<std::string> Result;
  for (int i = 0; i < ListView.Items().Count(); ++i)
    Result.push_back(ListView.Items()[i]->Caption());
  return Result;
}

std::vector<std::string> TreeFixture::ChildNames(const TCompositeItem* Group) {
  std::vector<std::string> Result;
  for (int i = 0; i < Group->Count(); ++i) Result.push_back(Group->Items(i)->Name());
  return Result;
}

std::vector<std::string> TreeFixture::NodeTexts(const TTreeNode* Node) {
  std::vector<std::string> Result;
  for (int i = 0; i < Node->Count(); ++i) Result.push_back(Node->Item(i)->Text());
  return Result;
}

}  // namespace lantern
