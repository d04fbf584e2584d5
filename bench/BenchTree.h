#pragma once
// The tree the benchmarks work on: the program's start-up state with a shell that answers at
// once, and launchers in nested groups.
#include <memory>
#include <string>

#include "model/ExecObj.h"
#include "support/StartedTree.h"

namespace lantern {

// 25 launchers per group and four subgroups per group, three levels deep: 525 launchers in
// 21 groups under each top-level group.
inline void Fill(TCompositeItem* Group, int& Left, int Depth) {
  for (int i = 0; i < 25 && Left > 0; ++i, --Left) {
    TLauncherExec* L = Group->Add(std::make_unique<TLauncherExec>(Group));
    L->SetName("ランチャ" + std::to_string(Left));
    L->SetFileName("C:\\Program Files\\表示ソフト" + std::to_string(Left % 97) + "\\app" +
                   std::to_string(Left) + ".exe");
    L->SetParameters("-x");
    L->SetRunCount(Left % 13);
  }
  for (int g = 0; g < 4 && Left > 0 && Depth < 3; ++g) {
    TFolder* F = Group->Add(std::make_unique<TFolder>(Group));
    F->SetName("グループ" + std::to_string(Depth) + "-" + std::to_string(g));
    Fill(F, Left, Depth + 1);
  }
}

}  // namespace lantern
