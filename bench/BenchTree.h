#pragma once
// The tree the benchmarks work on: the program's start-up state with a shell that answers at
// once, and launchers in nested groups.
#include <memory>
#include <string>

#include "model/ExecObj.h"
#include "ui/ImageList.h"
#include "ui/ListView.h"
#include "ui/Shell.h"
#include "ui/TreeView.h"

namespace lantern {

// A shell that answers at once with one shared icon: what is measured is the tree's own
// work, not the shell's (which on Windows costs far more than everything else here).
class TQuickShell : public TShell {
 public:
  TIcon GetFileInfoIcon(const std::string&, unsigned) override { return FIcon; }
  int ShellExec(void*, const std::string&, const std::string&, const std::string&,
                const std::string&, int) override {
    return 42;
  }
  bool NotifyIcon(TNotifyIconMessage, const TNotifyIconData&, unsigned&) override { return true; }

 private:
  TIcon FIcon{new int(0), [](void* p) { delete static_cast<int*>(p); }};
};

// The program's start-up state: registered views, root with its node, root current.
struct TProgram {
  TTreeView TreeView;
  TListView ListView;
  TImageList Images;
  TQuickShell Shell;
  TShell* OldShell;
  std::unique_ptr<TRoot> Root;

  TProgram() : OldShell(SetShell(&Shell)) {
    for (int i = 0; i < 5; ++i) Images.AddIcon(Shell.GetFileInfoIcon("", 0));
    ListView.OnChange = [](TListView*, TListItem*, TItemChange) {};
    TRoot::SetListView(&ListView);
    TRoot::SetTreeView(&TreeView);
    TRoot::SetImageList(&Images);
    TRoot::SetListImageList(&Images);
    Root = std::make_unique<TRoot>();
    Root->ShowInTreeNode(TreeView.Items().AddChild(nullptr, Root->Name()));
    Root->SetCurrentFolder(Root.get());
  }
  ~TProgram() {
    Root->BeginShutdown();
    Root.reset();
    TRoot::SetListView(nullptr);
    TRoot::SetTreeView(nullptr);
    TRoot::SetImageList(nullptr);
    TRoot::SetListImageList(nullptr);
    SetShell(OldShell);
  }
};

// 25 launchers per group and four subgroups per group, three levels deep: 525 launchers in
// 21 groups under each top-level group.
inline void Fill(TCompositeItem* Group, int& Left, int Depth) {
  for (int i = 0; i < 25 && Left > 0; ++i, --Left) {
    auto* L = new TLauncherExec(Group);
    Group->Add(L);
    L->SetName("ランチャ" + std::to_string(Left));
    L->SetFileName("C:\\Program Files\\表示ソフト" + std::to_string(Left % 97) + "\\app" +
                   std::to_string(Left) + ".exe");
    L->SetParameters("-x");
    L->SetRunCount(Left % 13);
  }
  for (int g = 0; g < 4 && Left > 0 && Depth < 3; ++g) {
    auto* F = new TFolder(Group);
    Group->Add(F);
    F->SetName("グループ" + std::to_string(Depth) + "-" + std::to_string(g));
    Fill(F, Left, Depth + 1);
  }
}

}  // namespace lantern
