#include "main/Sweep.h"

#include <algorithm>
#include <memory>

#include "base/Convert.h"
#include "base/Cp932.h"
#include "base/Path.h"
#include "main/Commands.h"
#include "model/Root.h"
#include "ui/Dialogs.h"
#include "ui/FileSystem.h"
#include "ui/System.h"
#include "ui/Widgets.h"

namespace lantern {

namespace {

std::string UnknownNote(int Unknown) {
  return "リンク先を確かめられなかった " + IntToStr(Unknown) +
         " 個のランチャ（つながっていないドライブやネットワークの上のものなど）は、そのまま残"
         "します。";
}

}  // namespace

std::string SweepQuestion(const std::vector<std::string>& Names, int InTrash, int Unknown) {
  const int Count = static_cast<int>(Names.size());
  const int Shown = std::min(Count, 5);
  std::string Text = "リンク先のないランチャが " + IntToStr(Count) + " 個あります。\r\n\r\n";
  for (int i = 0; i < Shown; ++i) Text += "・" + Names[i] + "\r\n";
  if (Count > Shown) Text += "…ほか " + IntToStr(Count - Shown) + " 個\r\n";
  Text += "\r\n";
  if (Unknown > 0) Text += UnknownNote(Unknown) + "\r\n";
  if (InTrash >= Count) return Text + "完全に削除しますか？（どれもゴミ入れの中にあります）";
  if (InTrash > 0)
    return Text + "ゴミ入れに移動しますか？（ゴミ入れの中の " + IntToStr(InTrash) +
           " 個は完全に削除します）";
  return Text + "ゴミ入れに移動しますか？";
}

std::string SweepNothingDeadText(int Unknown) {
  std::string Text = "リンク先のないランチャはありませんでした";
  return Unknown > 0 ? Text + "\r\n" + UnknownNote(Unknown) : Text;
}

std::string SweepReport(int Recycled, int Deleted) {
  std::string Text;
  if (Recycled > 0) Text = IntToStr(Recycled) + " 個のランチャをゴミ入れに移動しました";
  if (Deleted > 0)
    Text += (Text.empty() ? "" : "\r\n") + IntToStr(Deleted) + " 個のランチャを完全に削除しました";
  return Text;
}

TLinkState JudgeLink(TExecItem* Item, std::map<std::string, bool>& Roots) {
  const bool Folder = dynamic_cast<TLauncherFolder*>(Item) != nullptr;
  auto* Launcher = dynamic_cast<TLauncher*>(Item);
  if (!Launcher || (!Folder && !dynamic_cast<TLauncherExec*>(Item))) return TLinkState::Live;
  const std::string& File = Launcher->FileName();
  if (Trim(File).empty()) return TLinkState::Dead;  // nothing to start
  // Whether the drive or share of a path answers, asked once per root.
  auto RootAnswers = [&Roots](const std::string& Path) {
    const std::string Root = UpperCaseAscii(PathRoot(Path));
    if (Root.empty()) return false;
    auto Asked = Roots.find(Root);
    if (Asked == Roots.end()) Asked = Roots.emplace(Root, FileSystem().DirectoryExists(Root)).first;
    return Asked->second;
  };
  auto Exists = [&] {
    return Folder ? FileSystem().DirectoryExists(File) : Launcher->TargetExists();
  };
  // The root first, so that a share that does not answer is waited for once, not for each
  // of its launchers. A path without a root depends on where the program runs: never dead.
  if (!RootAnswers(File))
    return PathRoot(File).empty() && Exists() ? TLinkState::Live : TLinkState::Unknown;
  if (Exists()) return TLinkState::Live;
  if (Folder) return TLinkState::Dead;
  // A shortcut whose target is gone is judged by the target's drive or share.
  const std::string& Target = Launcher->RunningPath();
  return Target == File || RootAnswers(Target) ? TLinkState::Dead : TLinkState::Unknown;
}

namespace {

// Whether some file or folder launcher, the trash's included, names a share or a file on a
// network drive: only those can keep the sweep waiting for minutes.
bool SomeLauncherOnNetwork(TRoot* Root) {
  int Types[26];  // each drive letter's type, asked once
  std::fill(std::begin(Types), std::end(Types), -1);
  for (TExecItemIterator It(Root); !It.Done(); It.Next()) {
    TExecItem* Item = It.Current();
    if (!dynamic_cast<TLauncherExec*>(Item) && !dynamic_cast<TLauncherFolder*>(Item)) continue;
    // A shortcut's target is looked at as well as the shortcut.
    for (const std::string* Path : {&Item->FileName(), &Item->RunningPath()}) {
      if (IsNetworkPath(*Path)) return true;
      if (Path->size() < 2 || (*Path)[1] != ':') continue;
      const char Letter = UpperCaseAscii(Path->substr(0, 1))[0];
      if (Letter < 'A' || Letter > 'Z') continue;
      int& Type = Types[Letter - 'A'];
      if (Type < 0) Type = FileSystem().DriveType(std::string(1, Letter) + ":\\");
      if (Type == dtRemote) return true;
    }
  }
  return false;
}

}  // namespace

void TEditCommands::CheckNoLinkActionExecute() {
  if (TreeHeld()) return;
  if (SomeLauncherOnNetwork(&FRoot) &&
      MessageDlg(
          "ゴミ入れを含めたすべてのランチャの中に、ネットワーク越しのファイルがあり、そのネット"
          "ワークコンピュータが、ネットワークに接続されていない場合、この処理を終了するのに数"
          "分かかる場合があります。\r\nもし、処理をしたくないならキャンセルボタンを押してくだ"
          "さい",
          TMsgDlgType::Information, mbOK | mbCancel) != mrOk)
    return;
  // The walk and the question let messages through: until the sweep ends it holds the tree,
  // so that nothing is freed, moved or reordered under it (the commands that would are off
  // meanwhile), and what it asks about is what it changes.
  FSweepHold = std::make_unique<TTreeGuard::THold>(FRoot.Guard());
  struct TSweepEnd {
    std::unique_ptr<TTreeGuard::THold>& Hold;
    ~TSweepEnd() { Hold.reset(); }
  } End{FSweepHold};
  std::vector<TExecItem*> Dead;
  int Unknown = 0;
  {
    System().SetWaitCursor(true);
    struct TWaitEnd {
      ~TWaitEnd() { System().SetWaitCursor(false); }
    } Wait;
    std::vector<TExecItem*> Items;
    for (TExecItemIterator It(&FRoot); !It.Done(); It.Next()) Items.push_back(It.Current());
    std::map<std::string, bool> Roots;
    for (TExecItem* Item : Items) {
      // Cut items wait in the trash for their paste: not the sweep's to take.
      bool Cut = false;
      for (TExecItem* Up = Item; Up && !Cut; Up = Up->Parent()) Cut = Up->Cut();
      const TLinkState State = Cut ? TLinkState::Live : JudgeLink(Item, Roots);
      if (State == TLinkState::Dead) Dead.push_back(Item);
      if (State == TLinkState::Unknown) ++Unknown;
      if (Widgets()) Widgets()->ProcessMessages();
      // The program is ending (its exit or the session's): it has saved the tree as it is.
      if (Ending && Ending()) return;
    }
  }
  if (Dead.empty()) {
    MessageDlg(SweepNothingDeadText(Unknown), TMsgDlgType::Information, mbOK);
    return;
  }
  // Those outside the trash go there, to be taken back if need be; those already in it go for
  // good.
  TRecycledFolder* Trash = FRoot.RecycledFolder();
  std::vector<TExecItem*> Recycled, ForGood;
  std::vector<std::string> Names;
  for (TExecItem* Item : Dead) {
    const bool InTrash = !Trash || Item->Parent()->AsGroup()->IsInside(Trash);
    (InTrash ? ForGood : Recycled).push_back(Item);
    Names.push_back(Item->Name().empty() ? Item->FileName() : Item->Name());
  }
  // As before a deletion for good: Enter keeps everything.
  if (MessageDlg(SweepQuestion(Names, static_cast<int>(ForGood.size()), Unknown),
                 TMsgDlgType::Confirmation, mbYes | mbNo, mbNo) != mrYes ||
      (Ending && Ending()))
    return;
  for (TExecItem* Item : Recycled) Trash->Add(Item->Parent()->AsGroup()->Remove(Item));
  DeleteForGood(ForGood);
  MessageDlg(SweepReport(static_cast<int>(Recycled.size()), static_cast<int>(ForGood.size())),
             TMsgDlgType::Information, mbOK);
}

}  // namespace lantern
