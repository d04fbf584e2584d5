#pragma once
// The launcher tree in the state the main window's start-up leaves it: registered windowless
// views, the root with its tree node, the root current, and a shell that answers at once. For
// the benchmarks and the fuzz target, which need no test framework.
#include <memory>
#include <string>

#include "model/Root.h"
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
  int ShellExec(const std::string&, const std::string&, const std::string&, const std::string&,
                int) override {
    return 42;
  }
  std::string ErrorText(unsigned) override { return std::string(); }
  bool ResolveShortcut(const std::string&, std::string&) override { return false; }
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
    Root = std::make_unique<TRoot>();
    Root->ShowInViews(ListView, TreeView, Images, Images);
  }
  ~TProgram() {
    Root->BeginShutdown();
    Root.reset();
    SetShell(OldShell);
  }
};

}  // namespace lantern
