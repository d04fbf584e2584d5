// The editing commands on their own over the tree (adding, removing and the trash, the item
// clipboard, the order within a group, the sweep of dead launchers, dropped files and URLs);
// then what the main window does with them: the commands' enabling, the status bar, the drop
// target, the timer, the exit, the daily backup and the commands that call the system.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/Convert.h"
#include "base/Exception.h"
#include "dialogs/LauncherProperty.h"
#include "main/Main.h"
#include "main/Sweep.h"
#include "support/EditFixture.h"
#include "support/FakeDropData.h"
#include "support/FakeFileSystem.h"
#include "support/FakeShell.h"
#include "support/FakeSystem.h"
#include "support/MainFixture.h"
#include "support/TempFolder.h"
#include "ui/MemoryRegistry.h"
#include "ui/Messages.h"

namespace lantern {
namespace {

// The names of a group's items, in order.
std::string Names(const TCompositeItem* In) {
  std::string Text;
  for (int i = 0; i < In->Count(); ++i) Text += (i ? "," : "") + In->Items(i)->Name();
  return Text;
}

void SelectInList(TListView& List, std::initializer_list<TExecItem*> Items) {
  List.SetFocus();
  for (int i = 0; i < List.Items().Count(); ++i) List.Items()[i]->SetSelected(false);
  for (TExecItem* Item : Items) Item->ListItem()->SetSelected(true);
}

void SelectInTree(TTreeView& Tree, TExecItem* Item) {
  Tree.SetFocus();
  Tree.SetSelected(Item->TreeNode());
}

TFolder* Group(TCompositeItem* In, const std::string& Name) {
  TFolder* F = In->Add(std::make_unique<TFolder>(In));
  F->SetName(Name);
  return F;
}

TLauncherExec* Exec(TCompositeItem* In, const std::string& Name, const std::string& File) {
  TLauncherExec* L = In->Add(std::make_unique<TLauncherExec>(In));
  L->SetName(Name);
  L->SetFileName(File);
  return L;
}

using TCommand = void (TEditCommands::*)();

// The commands over the top group: the trash, G, A, B, C.
class CommandsTest : public EditFixture {
 protected:
  void SetUp() override {
    EditFixture::SetUp();
    R = Root.get();
    G = Group(R, "G");
    A = Exec(R, "A", "C:\\a.exe");
    B = Exec(R, "B", "C:\\b.exe");
    C = Exec(R, "C", "C:\\c.exe");
  }
  void SelectInList(std::initializer_list<TExecItem*> Items) {
    lantern::SelectInList(ListView, Items);
  }
  void SelectInTree(TExecItem* Item) { lantern::SelectInTree(TreeView, Item); }
  void Run(TCommand Command) { (Commands.get()->*Command)(); }
  // What a refused command said.
  std::string Refusal(TCommand Command) {
    try {
      Run(Command);
    } catch (const Exception& E) {
      return E.Message();
    }
    return "";
  }

  TRoot* R = nullptr;
  TFolder* G = nullptr;
  TLauncherExec *A = nullptr, *B = nullptr, *C = nullptr;
  // Drives and shares in memory, for a test to install; kept as long as the icon fetches of
  // its network launchers may ask it.
  TFakeFileSystem Drives;
};

// ---- Removing and the trash ----

TEST_F(CommandsTest, TheTrashCommandsFollowTheViewTheSelectionAndTheTrashRules) {
  struct {
    const char* Name;
    bool Recycle;
    int Select;  // 0 A and B in the list, 1 the trash and A in the list, 2 the root node,
                 // 3 G's node, 4 Inner's node, 5 A in the list while the trash is shown
    const char* Refused;
    const char* Top;
    const char* InTrash;
  } Cases[] = {
      {"A and B to the trash", true, 0, "", "ゴミ入れ,G,C", "Inner,A,B"},
      {"A and B for good", false, 0, "", "ゴミ入れ,G,C", "Inner"},
      {"the trash from the list", true, 1, "ゴミ入れはゴミ入れに移動できません", "ゴミ入れ,G,A,B,C",
       "Inner"},
      {"the trash deleted from the list", false, 1, "ゴミ入れは削除できません", "ゴミ入れ,G,A,B,C",
       "Inner"},
      {"the root to the trash", true, 2, "ゴミ入れはゴミ入れに移動できません", "ゴミ入れ,G,A,B,C",
       "Inner"},
      {"the root deleted", false, 2, "ゴミ入れは削除できません", "ゴミ入れ,G,A,B,C", "Inner"},
      {"a group node to the trash", true, 3, "", "ゴミ入れ,A,B,C", "Inner,G"},
      {"a group in the trash, from the tree, goes for good", true, 4, "", "ゴミ入れ,G,A,B,C", ""},
      {"what the trash shows goes for good", true, 5, "", "ゴミ入れ,G,A,B,C", ""},
  };
  for (const auto& c : Cases) {
    SCOPED_TRACE(c.Name);
    Restart();
    TFolder* In = Group(Trash, "Inner");
    switch (c.Select) {
      case 0: SelectInList({A, B}); break;
      case 1: SelectInList({Trash, A}); break;
      case 2: SelectInTree(R); break;
      case 3: SelectInTree(G); break;
      case 4: SelectInTree(In); break;
      case 5:
        R->SetCurrentFolder(Trash);
        SelectInList({In});
        break;
    }
    Boxes.Answers = {mrYes};  // to the question before a deletion for good
    EXPECT_EQ(
        Refusal(c.Recycle ? &TEditCommands::MoveRecycledExecute : &TEditCommands::DeleteObjExecute),
        c.Refused);
    EXPECT_EQ(Names(R), c.Top);
    EXPECT_EQ(Names(Trash), c.InTrash);
  }
}

TEST_F(CommandsTest, DeletingTheLastEntriesSelectsTheNewLastOne) {
  SelectInList({B, C});
  Boxes.Answers = {mrYes};
  Commands->DeleteObjExecute();
  ASSERT_EQ(ListView.SelCount(), 1);
  EXPECT_EQ(ListView.Selected()->Data(), A);
  EXPECT_TRUE(A->ListItem()->Focused());
}

TEST_F(CommandsTest, DeletingForGoodAsksOnceWithNoAsTheDefault) {
  struct {
    int Select;  // 0 A in the list, 1 A and B, 2 X where the trash is shown, 3 the trash's node
    TCommand Command;
    std::string Question, AfterYes;  // the top group's and the trash's items
  } Cases[] = {
      {0, &TEditCommands::DeleteObjExecute, DeleteItemQuestion("A"), "ゴミ入れ,G,B,C|Inner,X"},
      {1, &TEditCommands::DeleteObjExecute, DeleteItemsQuestion(2), "ゴミ入れ,G,C|Inner,X"},
      {2, &TEditCommands::MoveRecycledExecute, DeleteItemQuestion("X"), "ゴミ入れ,G,A,B,C|Inner"},
      {3, &TEditCommands::EmptyTrashActionExecute, EmptyTrashQuestion(2), "ゴミ入れ,G,A,B,C|"},
  };
  for (const auto& c : Cases)
    for (TModalResult Answer : {mrYes, mrNo}) {
      SCOPED_TRACE(c.Question + (Answer == mrYes ? " Yes" : " No"));
      Restart();
      Group(Trash, "Inner");
      TLauncherExec* X = Exec(Trash, "X", "C:\\x.exe");
      switch (c.Select) {
        case 0: SelectInList({A}); break;
        case 1: SelectInList({A, B}); break;
        case 2: R->SetCurrentFolder(Trash), SelectInList({X}); break;
        case 3: SelectInTree(Trash); break;
      }
      Boxes.Texts.clear();
      Boxes.Shown.clear();
      Boxes.Answers = {Answer};
      Run(c.Command);
      ASSERT_EQ(Boxes.Texts, std::vector<std::string>{c.Question});
      const auto& Box = Boxes.Shown[0];
      EXPECT_TRUE(Box.Type == TMsgDlgType::Confirmation && Box.Buttons == (mbYes | mbNo));
      EXPECT_EQ(Box.Default, mbNo);
      EXPECT_EQ(Names(R) + "|" + Names(Trash),
                Answer == mrYes ? c.AfterYes : "ゴミ入れ,G,A,B,C|Inner,X");
    }
  // A cut waits for its paste, and the sweep asks its own question: neither asks this one.
  // The cut A waits in the trash: the sweep leaves it to its paste (X there is its own).
  Boxes.Texts.clear();
  SelectInList({A});
  Commands->CutObjectExecute();
  Commands->CheckNoLinkActionExecute();
  EXPECT_EQ(Boxes.Texts, std::vector<std::string>{SweepQuestion({"X", "B", "C"}, 1, 0)});
}

// The question before a delete for good offers to keep the programs among the items out of
// the watcher for good (ticked while it watches), by the paths it would see, unless nothing
// would be learned again. Yes with the box ticked adds and stores their masks.
TEST_F(CommandsTest, DeletingProgramsForGoodOffersToKeepThemOut) {
  struct {
    const char* Name;
    int Select;  // 0 A, 1 A and B, 2 G with a program, 3 G with a folder launcher, 4 A while
                 // another launcher has its program, 5 a shortcut, 6 the trash emptied
    bool Watching;
    int Check;  // how the user leaves the check box: 0 unticked, 1 ticked, -1 as shown
    TModalResult Answer;
    bool Offered, Ticked;  // the box has the check box, shown ticked
    const char* Masks;     // after the command, one a line
  } Cases[] = {
      {"a program", 0, true, -1, mrYes, true, true, "C:\\a.exe"},
      {"a program, No", 0, true, -1, mrNo, true, true, ""},
      {"a program, unticked", 0, true, 0, mrYes, true, true, ""},
      {"the watcher off", 0, false, -1, mrYes, true, false, ""},
      {"the watcher off, ticked", 0, false, 1, mrYes, true, false, "C:\\a.exe"},
      {"two programs, one kept out already", 1, true, -1, mrYes, true, true, "*\\B.EXE\nC:\\a.exe"},
      {"a program in a folder with [", 2, true, -1, mrYes, true, true, "C:\\[[]old]\\p.exe"},
      {"no program", 3, true, -1, mrYes, false, false, ""},
      {"a program another launcher goes on knowing", 4, true, -1, mrYes, false, false, ""},
      {"a shortcut, by its program", 5, true, -1, mrYes, true, true, "C:\\Tools\\s.exe"},
      {"the trash, a program in a group", 6, true, -1, mrYes, true, true, "C:\\x.exe"},
  };
  for (const auto& c : Cases) {
    SCOPED_TRACE(c.Name);
    Restart();
    Memory.DeleteKey("Software\\ZR");
    Settings.UseWatchApp = c.Watching;
    switch (c.Select) {
      case 0: SelectInList({A}); break;
      case 1: R->Filters().Add("*\\B.EXE"), SelectInList({A, B}); break;
      case 2: Exec(G, "P", "C:\\[old]\\p.exe"), SelectInTree(G); break;
      case 3:
        G->Add(std::make_unique<TLauncherFolder>(G))->SetFileName("C:\\Tools");
        SelectInTree(G);
        break;
      case 4: Exec(G, "A2", "C:\\a.exe"), SelectInList({A}); break;
      case 5:
        WriteFileBytes(Real("C:\\s.lnk"), "L");
        FakeShell.Shortcuts["C:\\s.lnk"] = "C:\\Tools\\s.exe";
        SelectInList({Exec(R, "S", "C:\\s.lnk")});
        break;
      case 6: Exec(Group(Trash, "Inner"), "X", "C:\\x.exe"); break;
    }
    Boxes.Shown.clear();
    Boxes.Answers = {c.Answer};
    Boxes.CheckAnswers.clear();
    if (c.Check >= 0) Boxes.CheckAnswers.push_back(c.Check == 1);
    Run(c.Select == 6 ? &TEditCommands::EmptyTrashActionExecute : &TEditCommands::DeleteObjExecute);
    ASSERT_EQ(Boxes.Shown.size(), 1u);
    EXPECT_EQ(Boxes.Shown[0].Default, mbNo);
    EXPECT_EQ(Boxes.Shown[0].CheckText, c.Offered ? "このプログラムを今後自動追加しない(&W)" : "");
    EXPECT_EQ(Boxes.Shown[0].Checked, c.Ticked);
    std::string Masks, Stored;
    for (int i = 0; i < R->Filters().Count(); ++i)
      Masks += (i ? "\n" : "") + R->Filters().Items(i).Mask();
    EXPECT_EQ(Masks, c.Masks);
    for (int i = 0;
         Memory.ReadString("Software\\ZR\\Lantern\\Filter", "Filter" + IntToStr(i), Masks); ++i)
      Stored += (i ? "\n" : "") + Masks;
    EXPECT_EQ(Stored, c.Masks);  // stored at once when one was added
  }
}

// What the enabling keeps from the user is refused by the commands themselves too.
TEST_F(CommandsTest, AGroupHoldingTheTrashStaysAndTheTrashIsEmptiedOnlyWhenNothingWaits) {
  Exec(Trash, "X", "C:\\x.exe");
  G->Add(R->Remove(Trash));
  SelectInList({G});
  EXPECT_EQ(Refusal(&TEditCommands::DeleteObjExecute), "ゴミ入れは削除できません");
  ASSERT_EQ(R->RecycledFolder(), Trash);  // not deleted with G
  // Emptying rests while a command holds the tree, and while cut items wait in the trash.
  SelectInTree(Trash);
  {
    TTreeGuard::THold Hold(R->Guard());
    Commands->EmptyTrashActionExecute();
  }
  SelectInList({A});
  Commands->CutObjectExecute();
  SelectInTree(Trash);
  Commands->EmptyTrashActionExecute();
  EXPECT_EQ(Names(Trash), "X,A");
  EXPECT_TRUE(Boxes.Texts.empty());
}

// ---- The item clipboard ----

TEST_F(CommandsTest, CutWaitsForItsPaste) {
  SelectInList({});
  Commands->CutObjectExecute();  // nothing chosen: nothing waits
  EXPECT_FALSE(Commands->CutPending());
  SelectInList({A, B});
  Commands->CutObjectExecute();
  EXPECT_EQ(Names(R), "ゴミ入れ,G,C");
  EXPECT_TRUE(Commands->CutPending());
  SelectInList({C});
  Commands->CutObjectExecute();  // a second cut waits for the paste
  EXPECT_EQ(Names(R), "ゴミ入れ,G,C");
  R->SetCurrentFolder(G);
  ListView.SetFocus();
  Commands->PasteObjectExecute();
  EXPECT_EQ(Names(G), "A,B");
  EXPECT_EQ(G->Items(0), A);  // the items themselves, counts and all
  EXPECT_EQ(ListView.SelCount(), 2);
  EXPECT_FALSE(Commands->CutPending());
  // The clipboard is used up: a second paste needs a new copy.
  EXPECT_FALSE(Commands->ClipboardFilled());
  Commands->PasteObjectExecute();
  EXPECT_EQ(Names(G), "A,B");
}

TEST_F(CommandsTest, CutItemsWaitInTheTrashSoThatNoCopyLosesThem) {
  SelectInList({A, B});
  Commands->CutObjectExecute();
  EXPECT_EQ(Names(Trash), "A,B");
  // A copy takes the clipboard's place: the cut ends, and its items stay in the trash.
  SelectInList({C});
  Commands->CopyObjectExecute();
  EXPECT_FALSE(Commands->CutPending());
  EXPECT_EQ(Names(Trash), "A,B");
}

TEST_F(CommandsTest, CopiesOutliveTheirSourcesAndTheProgram) {
  Exec(G, "inside", "C:\\in.exe");
  SelectInTree(G);
  Commands->CopyObjectExecute();
  EXPECT_TRUE(Commands->ClipboardFilled());
  Boxes.Answers = {mrYes};
  Commands->DeleteObjExecute();  // the source's group goes before the paste
  EXPECT_EQ(Names(R).find("G"), std::string::npos);
  R->SetCurrentFolder(Trash);
  ListView.SetFocus();
  Commands->PasteObjectExecute();
  ASSERT_EQ(Trash->Count(), 1);
  EXPECT_EQ(Names(Trash->Items(0)->AsGroup()), "inside");
  // Copies still held when the program ends are freed with it (AddressSanitizer watches).
  SelectInList({});
  R->SetCurrentFolder(R);
  SelectInList({A});
  Commands->CopyObjectExecute();
}

TEST_F(CommandsTest, TheTrashIsNeverCopiedAndNothingNestsTooDeep) {
  SelectInList({Trash});
  Commands->CopyObjectExecute();
  Commands->PasteObjectExecute();
  EXPECT_EQ(Names(R), "ゴミ入れ,G,A,B,C");  // the trash has no copy: nothing was pasted
  // A group 99 levels down takes no copy of a group with a sub-group.
  TCompositeItem* Deep = R;
  for (int i = 0; i < MaxGroupDepth - 1; ++i) Deep = Group(Deep, "d");
  Group(G, "sub");
  SelectInTree(G);
  Commands->CopyObjectExecute();
  R->SetCurrentFolder(Deep);
  ListView.SetFocus();
  const int Before = Deep->Count();
  EXPECT_EQ(Refusal(&TEditCommands::PasteObjectExecute), GroupTooDeepText());
  EXPECT_EQ(Deep->Count(), Before);
}

// ---- Order ----

TEST_F(CommandsTest, UpAndDownMoveOneStepAndStopAtTheEnds) {
  struct {
    const char* Name;
    bool Up;
    const char* Order;
  } Steps[] = {
      {"C", false, "ゴミ入れ,G,A,B,C"},  // the last stays
      {"B", true, "ゴミ入れ,G,B,A,C"},  {"B", true, "ゴミ入れ,B,G,A,C"},
      {"B", true, "B,ゴミ入れ,G,A,C"},  {"B", true, "B,ゴミ入れ,G,A,C"},  // the first stays
      {"A", false, "B,ゴミ入れ,G,C,A"},
  };
  for (const auto& s : Steps) {
    TExecItem* Item = nullptr;
    for (int i = 0; i < R->Count(); ++i)
      if (R->Items(i)->Name() == s.Name) Item = R->Items(i);
    SelectInList({Item});
    Run(s.Up ? &TEditCommands::UpObjectActionExecute : &TEditCommands::DownObjectActionExecute);
    EXPECT_EQ(Names(R), s.Order) << s.Name;
    // The list follows the tree and keeps the moved entry chosen.
    ASSERT_NE(ListView.Selected(), nullptr);
    EXPECT_EQ(ListView.Selected()->Data(), Item);
    EXPECT_EQ(ListView.Items()[Item->IndexInParent()]->Data(), Item);
  }
}

// ---- Adding ----

TEST_F(CommandsTest, TheTrashStaysBelowTheGroupsTheUserAdds) {
  for (TExecItem* Item : std::vector<TExecItem*>{G, A, B, C}) R->Remove(Item);
  Commands->AddGroupExecute();
  R->Items(0)->SetName("N");  // typed in place
  Commands->AddDroppedURL("U", "http://example.jp/");
  Commands->AddGroupExecute();
  SelectInList({R->Items(0)});
  Commands->CopyObjectExecute();
  Commands->PasteObjectExecute();
  EXPECT_EQ(Names(R), "N,新規グループ,N,ゴミ入れ,U");
  EXPECT_EQ(ListView.Items()[3]->Data(), Trash);  // the list shows it there too
}

TEST_F(CommandsTest, ANewGroupIsNamedInPlace) {
  R->SetCurrentFolder(G);
  Commands->AddGroupExecute();
  ASSERT_EQ(G->Count(), 1);
  EXPECT_EQ(G->Items(0)->Name(), "新規グループ");
  EXPECT_TRUE(ListView.Editing());
  EXPECT_TRUE(G->TreeNode()->Expanded());
}

TEST_F(CommandsTest, NewLaunchersComeFromTheChoosersAndTheUrlDialog) {
  WriteFileBytes(Real("C:\\tool.exe"), "MZ");
  Boxes.FileAnswers = {"C:\\tool.exe"};
  Commands->AddLauncherExecute();
  Commands->AddLauncherExecute();  // cancelled: nothing
  Boxes.FolderAnswers = {"C:\\ソフト"};
  Commands->AddLauncherFolderExecute();
  for (const char* Url : {"http://example.jp/", ""}) {
    TForm::ModalUser = [Url](TForm& Form) {
      dynamic_cast<TLauncherPropertyForm&>(Form).FilenameEdit.SetText(Url);
      Form.SetModalResult(mrOk);
    };
    Commands->AddLauncherURLExecute();
  }
  TForm::ModalUser = [](TForm& Form) { Form.SetModalResult(mrCancel); };
  Commands->AddLauncherURLExecute();
  EXPECT_EQ(Names(R).substr(Names(R).find("C,")), "C,tool.exe,ソフト,//example.jp/");
  auto* Url = dynamic_cast<TLauncherURL*>(R->Items(R->Count() - 1));
  ASSERT_NE(Url, nullptr);
  EXPECT_EQ(Url->FileName(), "http://example.jp/");
}

TEST_F(CommandsTest, DroppedPathsAndUrlsBecomeLaunchersInTheCurrentGroup) {
  WriteFileBytes(Real("C:\\tool.exe"), "MZ");
  PlatformFileSystem().CreateFolders(Real("C:\\表示"));
  R->SetCurrentFolder(G);
  Commands->AddDroppedFile("C:\\tool.exe");
  Commands->AddDroppedFile("C:\\表示");
  Commands->AddDroppedFile("C:\\");
  Commands->AddDroppedFile("C:\\gone.exe");  // vanished before it was handed over: nothing
  Commands->AddDroppedURL("ページ", "http://example.jp/");
  Commands->AddDroppedURL("空", "");
  EXPECT_EQ(Names(G), "tool.exe,表示,C:\\,ページ");
  EXPECT_NE(dynamic_cast<TLauncherExec*>(G->Items(0)), nullptr);
  EXPECT_NE(dynamic_cast<TLauncherFolder*>(G->Items(2)), nullptr);
  EXPECT_EQ(G->Items(2)->FileName(), "C:\\");
  EXPECT_EQ(G->Items(3)->FileName(), "http://example.jp/");
  EXPECT_EQ(Boxes.Texts, std::vector<std::string>{"URLが空です"});
  EXPECT_EQ(Sys.Foregrounds, 2);  // after each URL, added or not
}

// ---- Properties ----

// The dialog of what the active view has chosen; the trash's only from the tree.
TEST_F(CommandsTest, ThePropertyCommandOpensTheDialogOfTheChosenItem) {
  struct {
    std::function<void()> Choose;
    const char* Caption;  // of the dialog that opens; none: no dialog
  } Cases[] = {
      {[&] { SelectInList({}); }, nullptr},
      {[&] { SelectInList({A}); }, "ランチャのプロパティ"},
      {[&] { SelectInList({G}); }, "グループのプロパティ"},
      {[&] { SelectInList({Trash}); }, nullptr},
      {[&] { SelectInTree(Trash); }, "グループのプロパティ"},
      {[&] { SelectInTree(R); }, nullptr},
  };
  for (auto& c : Cases) {
    std::string Shown;
    TForm::ModalUser = [&](TForm& Form) { Shown = Form.Caption(); };
    c.Choose();
    Commands->ObjPropertyActionExecute();
    EXPECT_EQ(Shown, c.Caption ? c.Caption : "") << &c - Cases;
  }
  EXPECT_EQ(Saves, 0);  // nothing was changed
}

TEST_F(CommandsTest, APropertyDialogHoldsTheTreeUntilItClosesAndOnlyOkChangesIt) {
  WriteFileBytes(Real("C:\\new.exe"), "MZ");
  SelectInList({A});
  for (TModalResult Result : {mrCancel, mrOk}) {
    TForm::ModalUser = [&](TForm& Form) {
      Boxes.Answers = {mrYes};
      Commands->DeleteObjExecute();             // refused meanwhile
      Commands->AddDroppedFile("C:\\new.exe");  // a drop waits
      EXPECT_EQ(Names(R), "ゴミ入れ,G,A,B,C");
      dynamic_cast<TLauncherPropertyForm&>(Form).NameEdit.SetText("A2");
      Form.SetModalResult(Result);
    };
    Commands->ObjPropertyActionExecute();
    EXPECT_EQ(A->Name(), Result == mrOk ? "A2" : "A");
    EXPECT_EQ(Saves, Result == mrOk ? 1 : 0);
  }
  TForm::ModalUser = nullptr;
  EXPECT_EQ(A->ListItem()->Caption(), "A2");
  Flush();
  EXPECT_EQ(Names(R), "ゴミ入れ,G,A2,B,C,new.exe,new.exe");
}

// ---- The sweep ----

// Dead only where the drive or share answers: a launcher on a drive that is unplugged or
// without its disc, or on a share that is offline, is unknown and stays.
TEST_F(CommandsTest, TheSweepJudgesALauncherDeadOnlyWhereItsDriveOrShareAnswers) {
  enum TKind { File, Folder, Url };
  const TLinkState Live = TLinkState::Live, Dead = TLinkState::Dead, Unknown = TLinkState::Unknown;
  struct {
    TKind Kind;
    const char* Path;
    TLinkState State;
  } Cases[] = {
      {File, "C:\\tool.exe", Live},
      {File, "c:\\gone.exe", Dead},
      {Folder, "C:\\docs", Live},
      {Folder, "C:\\gone", Dead},
      {File, "E:\\tool.exe", Unknown},         // no drive E:
      {File, "F:\\tool.exe", Unknown},         // a removable drive without its disc, file and all
      {File, "\\\\pc\\s\\tool.exe", Unknown},  // a share that does not answer
      {File, "\\\\srv\\pub\\tool.exe", Live},
      {File, "\\\\srv\\pub\\gone.exe", Dead},
      {Url, "C:\\gone.htm", Live},
      {File, "", Dead},  // nothing to start
      {Folder, " ", Dead},
      {File, "tool.exe", Unknown},  // relative: depends on where the program runs
      {File, "\\\\pc", Unknown},
      {File, "C:\\gone.lnk", Dead},    // the shortcut itself is gone
      {File, "C:\\old.lnk", Dead},     // to a file that is gone
      {File, "C:\\docs.lnk", Live},    // to a folder
      {File, "C:\\net.lnk", Unknown},  // to the share that does not answer
      {File, "C:\\usb.lnk", Unknown},  // to the drive without its disc
  };
  // No icon threads: they would ask the file system behind the test's back, and outlive it.
  R->SetDeferIcons(true);
  // No drive E:, F: offline, the share \\pc\s absent.
  for (const char* Path : {"C:\\tool.exe", "F:\\tool.exe", "\\\\srv\\pub\\tool.exe", "C:\\old.lnk",
                           "C:\\docs.lnk", "C:\\net.lnk", "C:\\usb.lnk"})
    Drives.AddFile(Path);
  Drives.AddFolder("C:\\docs");
  Drives.Offline = {"F:"};
  FakeShell.Shortcuts = {{"C:\\old.lnk", "C:\\gone.exe"},
                         {"C:\\docs.lnk", "C:\\docs"},
                         {"C:\\net.lnk", "\\\\pc\\s\\tool.exe"},
                         {"C:\\usb.lnk", "F:\\tool.exe"}};
  struct TInstalled {
    TFileSystem* Before;
    ~TInstalled() { SetFileSystem(Before); }
  } Installed{SetFileSystem(&Drives)};
  for (const auto& c : Cases) {
    SCOPED_TRACE(std::string(c.Path) + " kind " + std::to_string(c.Kind));
    TLauncher* Made = Exec(G, "L", "");
    if (c.Kind == Folder) Made = G->Add(std::make_unique<TLauncherFolder>(G));
    if (c.Kind == Url) Made = G->Add(std::make_unique<TLauncherURL>(G));
    Made->SetFileName(c.Path);
    std::map<std::string, bool> Roots;
    EXPECT_EQ(JudgeLink(Made, Roots), c.State);
  }
  // Each root is asked once per sweep: a share that does not answer keeps it waiting once.
  TExecItem* OnShare[] = {Exec(G, "L", "\\\\pc\\s\\a.exe"), Exec(G, "L", "\\\\PC\\S\\b.exe")};
  int Asked = 0;
  Drives.OnFileExists = [&] { ++Asked; };
  std::map<std::string, bool> Roots;
  for (TExecItem* Item : OnShare) EXPECT_EQ(JudgeLink(Item, Roots), Unknown);
  EXPECT_EQ(Roots.size(), 1u);
  EXPECT_EQ(Asked, 0);  // nothing on the share itself was looked for
  EXPECT_EQ(JudgeLink(G, Roots), Live);
}

// The sweep asks before it changes anything, No the default; dead launchers go to the trash,
// those already there go for good; the unknown stay.
TEST_F(CommandsTest, TheSweepAsksThenMovesTheDeadToTheTrashAndDeletesThoseInItForGood) {
  WriteFileBytes(Real("C:\\a.exe"), "MZ");
  PlatformFileSystem().CreateFolders(Real("C:\\live"));
  auto Folder = [](TCompositeItem* In, const char* Path) {
    TLauncherFolder* F = In->Add(std::make_unique<TLauncherFolder>(In));
    F->SetFileName(Path);
    F->SetName(Path);
  };
  Folder(G, "C:\\live");
  Folder(G, "C:\\dead");
  Exec(Trash, "gone", "C:\\gone.exe");
  Exec(G, "usb", "E:\\tool.exe");
  Files.Offline = {"E:"};  // the drive is unplugged
  TLauncherURL* Url = R->Add(std::make_unique<TLauncherURL>(R));
  Url->SetFileName("http://nowhere.invalid/");
  Url->SetName("url");
  // Shortcuts to a.exe, to the live folder and to a file that is gone, then two that the shell
  // cannot read, of which 4.lnk is gone itself.
  FakeShell.Shortcuts = {
      {"C:\\1.lnk", "C:\\a.exe"}, {"C:\\2.lnk", "C:\\live"}, {"C:\\3.lnk", "C:\\gone.exe"}};
  for (const char* Lnk : {"C:\\1.lnk", "C:\\2.lnk", "C:\\3.lnk", "C:\\4.lnk", "C:\\5.lnk"}) {
    if (Lnk[3] != '4') WriteFileBytes(Real(Lnk), "L");
    Exec(G, Lnk, Lnk);
  }
  auto Tree = [&] { return Names(R) + "|" + Names(Trash) + "|" + Names(G); };
  const std::string Before = Tree();
  // No; and Yes while the program ends under the question: nothing changes.
  for (bool Exit : {false, true}) {
    Boxes.Answers = {Exit ? mrYes : mrNo};
    Boxes.Texts.clear();
    Commands->Ending = [&] { return Exit && !Boxes.Texts.empty(); };
    Commands->CheckNoLinkActionExecute();
    ASSERT_EQ(Boxes.Texts,
              std::vector<std::string>{
                  "リンク先のないランチャが 6 個あります。\r\n\r\n・gone\r\n・C:\\dead\r\n・C:"
                  "\\3.lnk\r\n・C:\\4.lnk\r\n・B\r\n…ほか 1 個\r\n\r\nリンク先を確かめられなかっ"
                  "た 1 個のランチャ（つながっていないドライブやネットワークの上のものなど）は、"
                  "そのまま残します。\r\nゴミ入れに移動しますか？（ゴミ入れの中の 1 個は完全に削"
                  "除します）"});
    EXPECT_TRUE(Boxes.Shown.back().Type == TMsgDlgType::Confirmation &&
                Boxes.Shown.back().Buttons == (mbYes | mbNo));
    EXPECT_EQ(Boxes.Shown.back().Default, mbNo);
    EXPECT_EQ(Tree(), Before);
    EXPECT_FALSE(Commands->Sweeping());
  }
  Commands->Ending = nullptr;
  Boxes.Texts.clear();
  Sys.WaitCursors.clear();
  Boxes.Answers = {mrYes};
  Commands->CheckNoLinkActionExecute();
  EXPECT_EQ(Boxes.Texts.back(),
            "5 個のランチャをゴミ入れに移動しました\r\n1 個のランチャを完全に削除しました");
  EXPECT_EQ(Tree(),
            "ゴミ入れ,G,A,url|C:\\dead,C:\\3.lnk,C:\\4.lnk,B,C|C:\\live,usb,C:\\1.lnk,"
            "C:\\2.lnk,C:\\5.lnk");
  EXPECT_EQ(Sys.WaitCursors, (std::vector<bool>{true, false}));
  // Again: the dead now in the trash go for good; then nothing is left to ask about.
  Boxes.Texts.clear();
  Boxes.Answers = {mrYes};
  Commands->CheckNoLinkActionExecute();
  ASSERT_EQ(Boxes.Texts.size(), 2u);
  EXPECT_NE(Boxes.Texts[0].find("完全に削除しますか？（どれもゴミ入れの中にあります）"),
            std::string::npos);
  EXPECT_EQ(Boxes.Texts[1], "5 個のランチャを完全に削除しました");
  EXPECT_EQ(Trash->Count(), 0);
  Commands->CheckNoLinkActionExecute();
  EXPECT_EQ(Boxes.Texts.back(),
            "リンク先のないランチャはありませんでした\r\nリンク先を確かめられなかった 1 個のラン"
            "チャ（つながっていないドライブやネットワークの上のものなど）は、そのまま残します。");
}

// Only a launcher on a share or a network drive (or a shortcut to one), the trash's too, makes
// the sweep ask first.
TEST_F(CommandsTest, TheSweepAsksOnlyWithAFileOnTheNetwork) {
  struct {
    bool InTrash, Url;
    const char* Path;
    bool Asks;
  } Cases[] = {{false, false, "C:\\live", false},
               {true, false, "\\\\pc\\s\\a.exe", true},
               {false, false, "z:\\docs", true},
               {false, true, "\\\\pc\\s\\a.htm", false},
               {false, false, "C:\\net.lnk", true}};  // a shortcut to the share's a.exe
  Files.DriveTypes['Z'] = dtRemote;
  WriteFileBytes(Real("C:\\net.lnk"), "L");
  FakeShell.Shortcuts["C:\\net.lnk"] = "\\\\pc\\s\\a.exe";
  for (const auto& c : Cases) {
    Restart();
    TCompositeItem* In = c.InTrash ? static_cast<TCompositeItem*>(Trash) : G;
    TLauncher* Made = c.Url ? static_cast<TLauncher*>(In->Add(std::make_unique<TLauncherURL>(In)))
                            : Exec(In, "L", "");
    Made->SetFileName(c.Path);
    Boxes.Texts.clear();
    Boxes.Answers = {mrCancel};
    Commands->CheckNoLinkActionExecute();
    ASSERT_FALSE(Boxes.Texts.empty());
    EXPECT_EQ(Boxes.Texts[0].find("ネットワーク越し") != std::string::npos, c.Asks) << c.Path;
  }
}

TEST_F(CommandsTest, NothingChangesTheTreeWhileTheSweepWalksIt) {
  int Tries = 0;
  Files.OnFileExists = [&] {
    if (Tries++) return;
    EXPECT_TRUE(Commands->Sweeping());
    SelectInList({A});
    Commands->MoveRecycledExecute();
    Commands->AddGroupExecute();
    EXPECT_EQ(Names(R), "ゴミ入れ,G,A,B,C");
    Commands->AddDroppedFile("C:\\");
  };
  Commands->CheckNoLinkActionExecute();
  EXPECT_EQ(Names(R).find("C:\\"), std::string::npos);
  EXPECT_EQ(Trash->Count(), 0);
  EXPECT_FALSE(Commands->Sweeping());
  Flush();  // the drop that waited
  EXPECT_EQ(R->Items(R->Count() - 1)->Name(), "C:\\");
}

TEST_F(CommandsTest, TheExplorerOpensAtTheChosenLauncherOrItsFailureIsNamed) {
  // The path in quotes: the explorer would end it at a comma.
  B->SetFileName("C:\\Tools, old\\a,b.lnk");
  const struct {
    TExecItem* Item;
    const char* Parameters;
  } Cases[] = {{A, "/e,/Select,\"C:\\a.exe\""}, {B, "/e,/Select,\"C:\\Tools, old\\a,b.lnk\""}};
  for (const auto& Case : Cases) {
    FakeShell.Executions.clear();
    SelectInList({Case.Item});
    Commands->OpenExplorerActionExecute();
    ASSERT_EQ(FakeShell.Executions.size(), 1u);
    EXPECT_EQ(FakeShell.Executions[0].File, "explorer.exe");
    EXPECT_EQ(FakeShell.Executions[0].Parameters, Case.Parameters);
    EXPECT_EQ(FakeShell.Executions[0].ShowCommand, 5);
  }
  SelectInList({A});
  // A file the shell cannot open is named, with the system's reason.
  FakeShell.ExecuteResult = SeErrNoAssoc;
  EXPECT_EQ(
      Refusal(&TEditCommands::OpenExplorerActionExecute),
      ShellFailedText(TShellTask::Explore, "C:\\a.exe", FakeShell.ErrorText(ErrorNoAssociation)));
}

// ---- In the main window ----

// The main window with the top group: the trash, G, A, B, C.
class CommandsInWindowTest : public MainFixture {
 protected:
  void SetUp() override {
    MainFixture::SetUp();
    Memory.WriteDWord(Key, "UseWatchApp", 0);
    M = &Start();
    R = M->Root();
    Trash = R->RecycledFolder();
    G = Group(R, "G");
    A = Exec(R, "A", "C:\\a.exe");
    B = Exec(R, "B", "C:\\b.exe");
    C = Exec(R, "C", "C:\\c.exe");
  }
  void SelectInList(std::initializer_list<TExecItem*> Items) {
    lantern::SelectInList(M->ListView1, Items);
  }
  void SelectInTree(TExecItem* Item) { lantern::SelectInTree(M->TreeView1, Item); }

  TLanternMain* M = nullptr;
  TRoot* R = nullptr;
  TRecycledFolder* Trash = nullptr;
  TFolder* G = nullptr;
  TLauncherExec *A = nullptr, *B = nullptr, *C = nullptr;
};

TEST_F(CommandsInWindowTest, WhatCouldOnlyBeRefusedOnTheTrashIsOff) {
  for (auto Choose : {std::function<void()>([&] { SelectInTree(Trash); }),
                      std::function<void()>([&] { SelectInList({Trash}); })}) {
    Choose();
    EXPECT_FALSE(M->EmptyTrashAction.Enabled());  // nothing to empty
  }
  TLauncherExec* X = Exec(Trash, "X", "C:\\x.exe");
  struct {
    std::function<void()> Choose;
    bool Removable, Rename, Empty;  // Removable: to the trash, deleted, cut
  } Cases[] = {
      {[&] { SelectInList({A}); }, true, true, false},
      {[&] { SelectInList({Trash}); }, false, false, true},
      {[&] { R->SetCurrentFolder(Trash), SelectInList({X}); }, true, true, true},
      {[&] { SelectInTree(R); }, false, false, false},
      {[&] { SelectInTree(Trash); }, false, false, true},
      {[&] { SelectInTree(G); }, true, true, false},
  };
  for (const auto& c : Cases) {
    SCOPED_TRACE(&c - Cases);
    R->SetCurrentFolder(R);
    c.Choose();
    for (TAction* Action : {&M->MoveRecycled, &M->DeleteObj, &M->CutObject})
      EXPECT_EQ(Action->Enabled(), c.Removable) << Action->Caption();
    EXPECT_EQ(M->RenameAction.Enabled(), c.Rename);
    EXPECT_EQ(M->EmptyTrashAction.Enabled(), c.Empty);
  }
  // Behind the enabling: the trash is not renamed; a group holding it is not deleted.
  SelectInTree(Trash);
  M->RenameAction.OnExecute();
  EXPECT_FALSE(M->TreeView1.Editing());
  G->Add(R->Remove(Trash));
  SelectInList({G});
  EXPECT_FALSE(M->DeleteObj.Enabled());
  // While a command holds the tree, what would change it is off; the emptying also while cut
  // items wait in the trash.
  SelectInTree(Trash);
  {
    TTreeGuard::THold Hold(R->Guard());
    EXPECT_FALSE(M->EmptyTrashAction.Enabled());
    SelectInList({A});
    EXPECT_FALSE(M->MoveRecycled.Enabled());
    EXPECT_FALSE(M->AddGroup.Enabled());
  }
  EXPECT_TRUE(M->MoveRecycled.Enabled());
  EXPECT_TRUE(M->AddGroup.Enabled());
  M->CutObject.Execute();
  SelectInTree(Trash);
  EXPECT_FALSE(M->EmptyTrashAction.Enabled());
}

TEST_F(CommandsInWindowTest, CtrlASelectsEveryRowOfTheList) {
  SelectInList({A});
  EXPECT_TRUE(M->ListView1.NativeKeyDown('A', ssCtrl));
  EXPECT_EQ(M->ListView1.SelCount(), 5);
  EXPECT_FALSE(M->DeleteObj.Enabled());  // enabled for the whole choice, the trash among it
  EXPECT_FALSE(M->TreeView1.NativeKeyDown('A', ssCtrl));
}

// The clipboard's state reaches the status bar and the commands' enabling.
TEST_F(CommandsInWindowTest, TheClipboardsStateIsShown) {
  SelectInList({A, B});
  M->CutObject.Execute();
  EXPECT_EQ(M->StatusBar1.SimpleText(), "貼り付けを行うまでは自動ランチャ追加機能は働きません");
  SelectInList({C});
  EXPECT_FALSE(M->CutObject.Enabled());  // a second cut waits for the paste
  EXPECT_TRUE(M->PasteObject.Enabled());
  R->SetCurrentFolder(G);
  M->ListView1.SetFocus();
  EXPECT_TRUE(M->PasteObject.Execute());
  EXPECT_EQ(M->StatusBar1.SimpleText(), "");
  EXPECT_FALSE(M->PasteObject.Enabled());
  SelectInList({A});
  M->CopyObject.Execute();
  EXPECT_TRUE(M->PasteObject.Enabled());
}

// Through the window's drop target, as OLE hands a drop over: a file list, then a browser's
// link named by its descriptor.
TEST_F(CommandsInWindowTest, DropsOnTheWindowBecomeLaunchersInTheCurrentGroup) {
  WriteFileBytes(Real("C:\\tool.exe"), "MZ");
  PlatformFileSystem().CreateFolders(Real("C:\\表示"));
  R->SetCurrentFolder(G);
  TDropFileTarget* Target = M->FileDropTarget();
  ASSERT_NE(Target, nullptr);
  auto Drop = [Target](std::unique_ptr<TFakeDropData> Data) {
    unsigned Effect = DropEffectCopy | DropEffectLink;
    Target->OleDragEnter(std::move(Data), 0, {5, 5}, Effect);
    Effect = DropEffectCopy | DropEffectLink;
    Target->OleDrop(0, {5, 5}, Effect);
    Application().ProcessMessages();  // the hand-over, once the drop has returned
    return Effect;
  };
  auto Files = std::make_unique<TFakeDropData>();
  Files->Offer(CfHDrop, DropFilesBlock({"C:\\tool.exe", "C:\\表示"}));
  EXPECT_EQ(Drop(std::move(Files)), DropEffectLink);
  auto Link = std::make_unique<TFakeDropData>();
  Link->Offer(ClipboardFormats().UniformResourceLocator, std::string("http://example.jp/\0", 19))
      .Offer(ClipboardFormats().FileGroupDescriptor, DescriptorBlock("ショートカット 例.url"));
  EXPECT_EQ(Drop(std::move(Link)), DropEffectLink);
  EXPECT_EQ(Names(G), "tool.exe,表示,例");
  EXPECT_EQ(G->Items(2)->FileName(), "http://example.jp/");
}

// While the sweep holds the tree, a group opened meanwhile is listed, and another instance's
// call answered, only by the timer once the sweep has ended.
TEST_F(CommandsInWindowTest, AGroupOpenedDuringTheSweepReordersNothingUnderIt) {
  Group(R, "H");  // after the launchers: listing the root puts it before them
  R->SetCurrentFolder(G);
  Files.OnFileExists = [&] {
    Files.OnFileExists = nullptr;
    SelectInTree(R);
    M->TreeView1.NativeClick();
    TMessage Msg{nullptr, TLanternMain::ActivateMessage, 0, 0};
    bool Handled = false;
    Application().OnMessage(Msg, Handled);
    M->Timer1.Tick();
    EXPECT_TRUE(R->WatchChanged());
    EXPECT_FALSE(M->Visible());
  };
  Boxes.Answers = {mrYes};
  M->CheckNoLinkAction.Execute();
  EXPECT_EQ(Boxes.Texts.back(), "3 個のランチャをゴミ入れに移動しました");
  M->Timer1.Tick();
  EXPECT_EQ(Names(R), "ゴミ入れ,G,H");
  EXPECT_EQ(M->ListView1.Items().Count(), 3);
  EXPECT_TRUE(M->Visible());
}

TEST_F(CommandsInWindowTest, EditsAreSavedSoonAfterButNotWhileANameIsTypedOrADragRuns) {
  auto Ticks = [&](int N) {
    for (int i = 0; i < N; ++i) M->Timer1.Tick();
  };
  for (bool Drag : {false, true}) {
    Ticks(10);
    const std::string Name = Drag ? "dragged" : "typed";
    SelectInList({A});
    Drag ? (void)M->ListView1.NativeBeginDrag() : (void)M->RenameAction.Execute();
    B->SetName(Name);
    Ticks(20);
    EXPECT_EQ(ReadFileBytes(Real(DataFile)).find(Name), std::string::npos) << Name;
    Drag ? M->ListView1.NativeEndDrag() : M->ListView1.NativeEdited(A->ListItem(), "A");
    Ticks(5);  // a second after the last edit
    EXPECT_NE(ReadFileBytes(Real(DataFile)).find(Name), std::string::npos) << Name;
  }
}

TEST_F(CommandsInWindowTest, AWatcherRefillWaitsForTheNameBeingTyped) {
  SelectInList({A});
  M->RenameAction.Execute();
  TListItem* Row = A->ListItem();
  R->SetWatchChanged(true);
  M->Timer1.Tick();
  EXPECT_TRUE(M->ListView1.Editing());
  M->ListView1.NativeEdited(Row, "typed");
  EXPECT_EQ(A->Name(), "typed");
  M->Timer1.Tick();
  EXPECT_FALSE(R->WatchChanged());
}

TEST_F(CommandsInWindowTest, ExitDuringTheSweepEndsItAndSavesTheTreeAsItIs) {
  Files.OnFileExists = [&] {
    Files.OnFileExists = nullptr;
    M->ExitAction.Execute();
  };
  M->CheckNoLinkAction.Execute();
  EXPECT_TRUE(M->Closed());
  EXPECT_TRUE(Boxes.Texts.empty());  // no report after the exit
  EXPECT_EQ(R->Count(), 5);          // nothing removed once the program ends
  std::string Saved = ReadFileBytes(Real(DataFile));
  EXPECT_NE(Saved.find("C:\\c.exe"), std::string::npos);
}

// A backup that cannot be made (a folder in the way): the save goes on, told once.
TEST_F(CommandsInWindowTest, AFailedBackupNeverStopsTheSave) {
  WriteFileBytes(Real(DataFile), "old");
  PlatformFileSystem().CreateFolders(Real(DataFile + ".bak"));
  Sys.Clock = 103.0;
  A->SetName("renamed");
  M->SaveService.Execute();
  EXPECT_NE(ReadFileBytes(Real(DataFile)).find("renamed"), std::string::npos);
  M->SaveService.Execute();
  M->Timer1.OnTimer(nullptr);
  M->Timer1.OnTimer(nullptr);
  ASSERT_EQ(Boxes.Texts.size(), 1u);
  EXPECT_NE(Boxes.Texts[0].find("バックアップ"), std::string::npos);
}

TEST_F(CommandsInWindowTest, CommandsThatCallTheShellAndTheSystem) {
  const std::string Page = "C:\\Program Files\\Lantern\\Help\\Top.html";  // no site of its own yet
  for (TAction* Command : {&M->HelpAction, &M->GoWebSiteAction}) {
    Shell.ExecuteResult = 42;
    Command->Execute();
    EXPECT_EQ(Shell.Executions.back().File, Page);
    EXPECT_EQ(Shell.Executions.back().ShowCommand, 5);
    // A page the shell cannot open is named in the error box, with the system's reason.
    Shell.ExecuteResult = SeErrNoAssoc;
    Application().Guard([&] { Command->Execute(); });
    EXPECT_EQ(Boxes.Texts.back(),
              ShellFailedText(TShellTask::OpenPage, Page, Shell.ErrorText(ErrorNoAssociation)));
  }
  M->ScreenSaverExecute.Execute();  // none set: nothing
  M->ExitWindowsAction.Execute();   // no task bar: nothing
  EXPECT_TRUE(Sys.Sent.empty());
  Sys.SaverActive = true;
  int TaskBar;
  Sys.TaskBar = &TaskBar;
  M->ScreenSaverExecute.Execute();
  M->ExitWindowsAction.Execute();
  ASSERT_EQ(Sys.Sent.size(), 2u);
  EXPECT_EQ(Sys.Sent[0].Message, WmSysCommand);
  EXPECT_EQ(Sys.Sent[0].WParam, ScScreenSave);
  EXPECT_EQ(Sys.Sent[1].Window, &TaskBar);
  EXPECT_EQ(Sys.Sent[1].Message, WmClose);
}

}  // namespace
}  // namespace lantern
