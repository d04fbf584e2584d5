#include "support/TreeFixture.h"

namespace lantern {

void TreeFixture::SetUp() {
  OldShell = SetShell(&FakeShell);
  // The five fixed pictures: group, current group, trash, current trash, URL.
  for (const char* Name : {"group", "current group", "trash", "current trash", "url"})
    Images.AddIcon(FakeShell.GetFileInfoIcon(Name, 0));
  FakeShell.Asked.clear();
  ListView.OnChange = [this](TListView*, TListItem*, TItemChange) { ++UserChanges; };
  TRoot::SetListView(&ListView);
  TRoot::SetTreeView(&TreeView);
  TRoot::SetImageList(&Images);
  TRoot::SetOwnerWindow(nullptr);
  TRoot::SetListImageList(&Images);
  Root = std::make_unique<TRoot>();
  Root->ShowInTreeNode(TreeView.Items().AddChild(nullptr, Root->Name()));
  Root->SetCurrentFolder(Root.get());
  Trash = new TRecycledFolder(Root.get());
  Root->Add(Trash);
  UserChanges = 0;
}

void TreeFixture::TearDown() {
  Root.reset();
  TRoot::SetListView(nullptr);
  TRoot::SetTreeView(nullptr);
  TRoot::SetImageList(nullptr);
  TRoot::SetListImageList(nullptr);
  TRoot::SetExplorerOption("");
  SetShell(OldShell);
}

TFolder* TreeFixture::AddFolder(TCompositeItem* Parent, const std::string& Name) {
  auto* Folder = new TFolder(Parent);
  Parent->Add(Folder);
  Folder->SetName(Name);
  return Folder;
}

TLauncherExec* TreeFixture::AddLauncher(TCompositeItem* Parent, const std::string& Name,
                                        const std::string& FileName) {
  auto* Launcher = new TLauncherExec(Parent);
  Parent->Add(Launcher);
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
