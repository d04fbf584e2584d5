// The main window, windowless: start-up, settings, paths from other instances, the timer,
// closing and the data file service, against the system's and the file system's doubles.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <set>

#include "base/Cp932.h"
#include "base/Exception.h"
#include "dialogs/LauncherProperty.h"
#include "main/Main.h"
#include "support/FakeFileSystem.h"
#include "support/FakeShell.h"
#include "support/FakeSystem.h"
#include "support/MainFixture.h"
#include "support/TempFolder.h"
#include "support/TestData.h"
#include "ui/MemoryRegistry.h"
#include "ui/Messages.h"
#include "ui/Widgets.h"

namespace lantern {
namespace {

class MainTest : public MainFixture {
 protected:
  void Restart() {
    Main.reset();
    Start();
  }
  std::uint32_t DWord(const char* Name) {
    std::uint32_t v = 0xDEADBEEF;
    Memory.ReadDWord(Key, Name, v);
    return v;
  }
};

TEST_F(MainTest, AFirstStartEndsHiddenWithATrash) {
  TLanternMain& M = Start();
  EXPECT_NE(M.Root()->RecycledFolder(), nullptr);
  EXPECT_EQ(M.Width(), 614);  // the settings' layout reached the window
  // A start without arguments ends up hidden at once, by the first tick.
  EXPECT_FALSE(M.Visible());
  EXPECT_EQ(M.WindowState(), TWindowState::Normal);
  EXPECT_FALSE(M.ListView1.TabStop());
  // A hidden window takes no drops: it is registered for them when first shown.
  EXPECT_FALSE(M.FileDropTarget()->Registered());
  M.LanternProperty.Execute();
  EXPECT_TRUE(M.FileDropTarget()->Registered());
}

// The shell's windows belong to the main window from its start to its end.
TEST_F(MainTest, TheMainWindowOwnsTheShellsCallsWhileItLives) {
  int Earlier = 0;
  Shell.SetOwnerWindow(&Earlier);
  TLanternMain& M = Start();
  EXPECT_EQ(Shell.OwnerWindow(), M.Handle());
  Shell.SetOwnerWindow(&Earlier);
  Main.reset();
  EXPECT_EQ(Shell.OwnerWindow(), nullptr);
}

// Stored values reach their holders: the icon's left menu, the toggles' checks and the tree.
TEST_F(MainTest, StoredValuesAreAppliedWhereTheyAreHeld) {
  Memory.WriteDWord(Key, "IconLeftClickPopupMenu", 0);
  Memory.WriteDWord(Key, "MouseFormEnabled", 0);
  Memory.WriteDWord(Key, "MoveFirstPosition", 0);
  Memory.WriteString(Key, "ExplorerOption", "/e,");
  Memory.WriteDWord(Key, "ColumnWidth0", 90);
  TLanternMain& M = Start();
  EXPECT_FALSE(M.Settings().IconLeftClickPopupMenu);
  EXPECT_EQ(M.Tray()->PopupMenuL(), nullptr);
  EXPECT_FALSE(M.MouseFormToggleAction.Checked());
  EXPECT_FALSE(M.Root()->MoveFirstPosition());
  EXPECT_TRUE(M.Root()->UpperFirst());
  EXPECT_EQ(M.Root()->ExplorerOption(), "/e,");
  EXPECT_EQ(M.ListView1.ColumnWidth(0), 90);
  EXPECT_EQ(M.ListView1.ColumnWidth(1), 250);
}

class AddFromPathTest : public MainTest {
 protected:
  void SetUp() override {
    MainTest::SetUp();
    PlatformFileSystem().CreateFolders(Real("C:\\Tools"));
    WriteFileBytes(Real("C:\\Tools\\edit.exe"), "MZ");
    WriteFileBytes(Real("C:\\Tools\\ランタンのページ.url"),
                   "[Other]\r\nURL=wrong\r\n[InternetShortcut]\r\nurl=http://example.jp/\r\n");
    WriteFileBytes(Real("C:\\Tools\\broken.url"), "[InternetShortcut]\r\n[Other]\r\nURL=x\r\n");
  }
  // A path as another instance hands it over: an atom in the program's message.
  void HandOver(const std::string& Path) {
    TMessage Msg{nullptr, TLanternMain::ActivateMessage, Sys.AddAtom(Path), 0};
    bool Handled = false;
    Application().OnMessage(Msg, Handled);
  }
};

TEST_F(AddFromPathTest, EachKindOfPathBecomesItsLauncherInTheTopGroup) {
  struct {
    const char* Path;
    const char* Kind;
    const char* Name;
    const char* FileName;
  } Cases[] = {
      {"C:\\Tools\\edit.exe", "exec", "edit.exe", "C:\\Tools\\edit.exe"},
      {"C:\\Tools", "folder", "Tools", "C:\\Tools"},
      {"C:\\Tools\\ランタンのページ.url", "url", "ランタンのページ", "http://example.jp/"},
      {"C:\\Tools\\broken.url", "exec", "broken.url", "C:\\Tools\\broken.url"},
  };
  TLanternMain& M = Start();
  TFolder* Other = M.Root()->Add(std::make_unique<TFolder>(M.Root()));
  for (auto& c : Cases) {
    SCOPED_TRACE(c.Path);
    M.Root()->SetCurrentFolder(Other);
    int Before = M.Root()->Count();
    HandOver(c.Path);
    ASSERT_EQ(M.Root()->Count(), Before + 1);
    TExecItem* Added = M.Root()->Items(Before);
    std::string Kind = dynamic_cast<TLauncherURL*>(Added)      ? "url"
                       : dynamic_cast<TLauncherFolder*>(Added) ? "folder"
                                                               : "exec";
    EXPECT_EQ(Kind, c.Kind);
    EXPECT_EQ(Added->Name(), c.Name);
    EXPECT_EQ(Added->FileName(), c.FileName);
    EXPECT_EQ(M.Root()->CurrentFolder(), M.Root());
    ASSERT_NE(Added->ListItem(), nullptr);
    EXPECT_TRUE(Added->ListItem()->Selected());
    EXPECT_TRUE(Added->ListItem()->Focused());
    EXPECT_EQ(M.ListView1.SelCount(), 1);
  }
  int Count = M.Root()->Count();
  HandOver("C:\\Tools\\missing.exe");
  EXPECT_EQ(M.Root()->Count(), Count);
}

TEST_F(AddFromPathTest, StartingWithPathsAddsThemAndLeavesTheWindowShown) {
  TLanternMain& M = Start({"C:\\Tools\\edit.exe", "C:\\nothing"});
  M.Timer1.Tick();
  EXPECT_TRUE(M.Visible());
  EXPECT_EQ(M.Root()->Count(), 2);  // the trash and edit.exe
}

TEST_F(AddFromPathTest, AnotherInstancesPathsArriveAsAtoms) {
  TLanternMain& M = Start();
  M.Timer1.Tick();
  ASSERT_FALSE(M.Visible());
  unsigned Atom = Sys.AddAtom("C:\\Tools\\edit.exe");
  TMessage Msg{nullptr, TLanternMain::ActivateMessage, Atom, 0};
  bool Handled = false;
  Application().OnMessage(Msg, Handled);
  EXPECT_FALSE(Handled);
  EXPECT_EQ(Sys.DeletedAtoms, std::vector<unsigned>{Atom});
  EXPECT_EQ(M.Root()->Items(M.Root()->Count() - 1)->Name(), "edit.exe");
  EXPECT_TRUE(M.Visible());
  EXPECT_TRUE(M.ListView1.TabStop());
  EXPECT_EQ(Sys.Foregrounds, 1);
  // Without an atom the window is only shown.
  M.Hide();
  Msg.WParam = 0;
  Application().OnMessage(Msg, Handled);
  EXPECT_TRUE(M.Visible());
  EXPECT_EQ(Sys.DeletedAtoms.size(), 1u);
}

class EntryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Old = {SetSystem(&Sys), SetDialogs(&Boxes)};
    Sys.OtherInstance = true;
    Sys.OtherWindow = &Window;
  }
  void TearDown() override {
    SetSystem(Old.first);
    SetDialogs(Old.second);
  }
  TFakeSystem Sys;
  TFakeDialogs Boxes;
  int Window = 0;
  std::pair<TSystem*, TDialogService*> Old;
};

TEST_F(EntryTest, ASecondInstanceHandsItsArgumentsToTheFirstAndEnds) {
  EXPECT_EQ(LanternEntry({"C:\\a.exe", "C:\\表示"}), 0);
  ASSERT_EQ(Sys.Posts.size(), 2u);
  EXPECT_EQ(Sys.Posts[0].Window, &Window);
  EXPECT_EQ(Sys.Posts[0].Message, 0xC123u);
  EXPECT_EQ(Sys.Atoms[static_cast<unsigned>(Sys.Posts[1].WParam)], "C:\\表示");
  Sys.Posts.clear();
  EXPECT_EQ(LanternEntry({}), 0);
  ASSERT_EQ(Sys.Posts.size(), 1u);
  EXPECT_EQ(Sys.Posts[0].WParam, 0u);
  Sys.Posts.clear();
  Sys.OtherWindow = nullptr;
  EXPECT_EQ(LanternEntry({"C:\\a.exe"}), 0);
  EXPECT_TRUE(Sys.Posts.empty());
  EXPECT_TRUE(Sys.MutexName.empty());
  EXPECT_TRUE(Boxes.Texts.empty());
}

TEST_F(EntryTest, RelativePathsAreMadeAbsoluteInTheFolderTheStartWasMadeIn) {
  Sys.CurrentFolder = "D:\\ツール\\";
  EXPECT_EQ(LanternEntry({"tool.exe", "..\\x", "\\root.exe", "E:\\abs.exe", "\\\\srv\\s\\a"}), 0);
  std::vector<std::string> Handed;
  for (auto& Post : Sys.Posts) Handed.push_back(Sys.Atoms[static_cast<unsigned>(Post.WParam)]);
  EXPECT_EQ(Handed, (std::vector<std::string>{"D:\\ツール\\tool.exe", "D:\\ツール\\..\\x",
                                              "D:\\root.exe", "E:\\abs.exe", "\\\\srv\\s\\a"}));
}

TEST_F(EntryTest, PathsThatCannotBeHandedOverAreReported) {
  std::string Long = "C:\\" + std::string(300, 'a') + ".exe";
  Sys.CurrentFolder = "D:\\ツール\\";
  EXPECT_EQ(LanternEntry({"C:\\ok.exe", Long}, {u"..\\\uD55C\U0001F600表.exe"}), 0);
  // The path that fits is handed over; the others are named in the boxes, nothing is dropped
  // without a word.
  ASSERT_EQ(Sys.Posts.size(), 1u);
  EXPECT_EQ(Sys.Atoms[static_cast<unsigned>(Sys.Posts[0].WParam)], "C:\\ok.exe");
  ASSERT_EQ(Boxes.Texts.size(), 2u);
  // Its characters without a CP932 form by their codes, in the folder of the start.
  EXPECT_EQ(Boxes.Texts[0], UnusablePathsText({"D:\\ツール\\..\\<U+D55C><U+1F600>表.exe"}));
  EXPECT_NE(Boxes.Texts[1].find(Long), std::string::npos);
  EXPECT_NE(Boxes.Texts[1].find("渡せませんでした"), std::string::npos);
  // Only unusable paths: nothing is posted, the first instance is left as it is.
  Sys.Posts.clear();
  Boxes.Texts.clear();
  EXPECT_EQ(LanternEntry({}, {u"C:\\\uD55C.exe"}), 0);
  EXPECT_TRUE(Sys.Posts.empty());
  EXPECT_EQ(Boxes.Texts.size(), 1u);
}

TEST_F(MainTest, ClosingHidesTheWindowUnlessTheProgramIsExiting) {
  TLanternMain& M = Start();
  M.LanternProperty.Execute();
  M.Close();
  EXPECT_FALSE(M.Closed());
  EXPECT_FALSE(M.Visible());
  M.LanternProperty.Execute();
  M.SetCutPending(true);  // as the cut command leaves it
  M.Close();
  EXPECT_TRUE(M.Visible());
  EXPECT_EQ(Boxes.Texts.back(), "アイテムが切り取られています。まず貼り付けを行ってください");
  M.ExitAction.Execute();  // ends the program even then
  EXPECT_TRUE(M.Closed());
  EXPECT_FALSE(M.Timer1.Enabled());
  EXPECT_TRUE(PathExists(Real(DataFile)));
  EXPECT_EQ(DWord("WatchAppInterval"), 25u);
}

TEST_F(MainTest, TheFileMenuHidesTheWindowOrEndsTheProgram) {
  TLanternMain& M = Start();
  TMenuItem* File = M.MainMenu2.Items().Items(0);
  EXPECT_EQ(File->Caption(), "ファイル(&F)");
  ASSERT_EQ(File->Count(), 4);
  EXPECT_EQ(File->Items(0)->Action(), &M.ImportStartMenuAction);
  EXPECT_EQ(File->Items(2)->Caption(), "常駐(&T)");
  M.LanternProperty.Execute();
  File->Items(2)->Click();
  EXPECT_FALSE(M.Visible());
  EXPECT_FALSE(M.Closed());
  EXPECT_EQ(File->Items(3)->Caption(), "終了(&X)");
  File->Items(3)->Click();
  EXPECT_TRUE(M.Closed());
}

TEST_F(MainTest, ColumnClicksSortTheListButNotTheTree) {
  TLanternMain& M = Start();
  auto Add = [&](std::unique_ptr<TExecItem> Owned, const std::string& Name,
                 const std::string& File) {
    TExecItem* Item = M.Root()->Add(std::move(Owned));
    Item->SetName(Name);
    Item->SetFileName(File);
  };
  Add(std::make_unique<TLauncherExec>(M.Root()), "beta", "C:\\z.exe");
  Add(std::make_unique<TFolder>(M.Root()), "Zeta", "");
  Add(std::make_unique<TLauncherExec>(M.Root()), "Alpha", "C:\\y.exe");
  Add(std::make_unique<TLauncherURL>(M.Root()), "gamma", "http://a/");
  auto Rows = [&] {
    std::vector<std::string> Names;
    for (int i = 0; i < M.ListView1.Items().Count(); ++i)
      Names.push_back(M.ListView1.Items()[i]->Caption());
    return Names;
  };
  using Names = std::vector<std::string>;
  M.ListView1.NativeColumnClick(1);  // by file name, ascending ("" first)
  EXPECT_EQ(Rows(), (Names{"ゴミ入れ", "Zeta", "Alpha", "beta", "gamma"}));
  M.ListView1.NativeColumnClick(1);  // descending
  EXPECT_EQ(Rows(), (Names{"gamma", "beta", "Alpha", "ゴミ入れ", "Zeta"}));
  M.ListView1.NativeColumnClick(0);  // by name ascending: groups first, case not regarded
  EXPECT_EQ(Rows(), (Names{"Zeta", "ゴミ入れ", "Alpha", "beta", "gamma"}));
  M.ListView1.NativeColumnClick(0);  // descending reverses everything, groups included
  EXPECT_EQ(Rows(), (Names{"gamma", "beta", "Alpha", "ゴミ入れ", "Zeta"}));
  // The tree's own order is untouched, and refilling the list shows it again.
  std::vector<std::string> Stored;
  for (int i = 0; i < M.Root()->Count(); ++i) Stored.push_back(M.Root()->Items(i)->Name());
  EXPECT_EQ(Stored, (Names{"ゴミ入れ", "beta", "Zeta", "Alpha", "gamma"}));
  M.Root()->RefreshListView();
  EXPECT_EQ(Rows(), (Names{"ゴミ入れ", "Zeta", "beta", "Alpha", "gamma"}));
}

class ViewsTest : public MainTest {
 protected:
  void SetUp() override {
    MainTest::SetUp();
    Start();
    M = Main.get();
    Group = M->Root()->Add(std::make_unique<TFolder>(M->Root()));
    Exec = M->Root()->Add(std::make_unique<TLauncherExec>(M->Root()));
    Url = M->Root()->Add(std::make_unique<TLauncherURL>(M->Root()));
  }
  void SelectRows(std::initializer_list<TExecItem*> Items) {
    for (int i = 0; i < M->ListView1.Items().Count(); ++i)
      M->ListView1.Items()[i]->SetSelected(false);
    for (TExecItem* Item : Items) Item->ListItem()->SetSelected(true);
  }
  TLanternMain* M = nullptr;
  TFolder* Group = nullptr;
  TLauncherExec* Exec = nullptr;
  TLauncherURL* Url = nullptr;
};

TEST_F(ViewsTest, TheListEnablesTheCommandsBySelection) {
  M->ListView1.SetFocus();
  struct {
    std::vector<TExecItem*> Selected;
    bool One, Some, Explorer;
  } Cases[] = {
      {{}, false, false, false},
      {{Exec}, true, true, true},
      {{Group}, true, true, false},
      {{Url}, true, true, false},
      {{Group, Exec, Url}, false, true, false},
  };
  for (auto& c : Cases) {
    SelectRows({});
    for (TExecItem* Item : c.Selected) Item->ListItem()->SetSelected(true);
    SCOPED_TRACE(c.Selected.size());
    EXPECT_EQ(M->RenameAction.Enabled(), c.One);
    EXPECT_EQ(M->OpenObject.Enabled(), c.One);
    EXPECT_EQ(M->ObjPropertyAction.Enabled(), c.One);
    EXPECT_EQ(M->UpObjectAction.Enabled(), c.One);
    EXPECT_EQ(M->DeleteObj.Enabled(), c.Some);
    EXPECT_EQ(M->MoveRecycled.Enabled(), c.Some);
    EXPECT_EQ(M->CutObject.Enabled(), c.Some);
    EXPECT_EQ(M->OpenExplorerAction.Enabled(), c.Explorer);
  }
}

TEST_F(ViewsTest, TheTreeEnablesTheCommandsByItsSelectedNode) {
  M->ListView1.SetFocus();
  SelectRows({Exec});
  M->TreeView1.SetFocus();
  EXPECT_FALSE(M->UpObjectAction.Enabled());
  EXPECT_FALSE(M->OpenExplorerAction.Enabled());
  M->TreeView1.SetSelected(M->Root()->TreeNode());
  EXPECT_TRUE(M->OpenObject.Enabled());
  EXPECT_FALSE(M->RenameAction.Enabled());
  EXPECT_FALSE(M->MoveRecycled.Enabled());
  M->TreeView1.SetSelected(Group->TreeNode());
  EXPECT_TRUE(M->RenameAction.Enabled());
  EXPECT_TRUE(M->ObjPropertyAction.Enabled());
  // A click opens the selected group.
  M->TreeView1.NativeClick();
  EXPECT_EQ(M->Root()->CurrentFolder(), Group);
}

TEST_F(ViewsTest, OkInThePropertyDialogSavesTheTree) {
  M->ListView1.SetFocus();
  SelectRows({Exec});
  TForm::ModalUser = [&](TForm& Form) {
    dynamic_cast<TLauncherPropertyForm&>(Form).NameEdit.SetText("メモ帳");
    Form.SetModalResult(mrOk);
  };
  M->ObjPropertyAction.Execute();
  TForm::ModalUser = nullptr;
  EXPECT_NE(ReadFileBytes(Real(DataFile)).find("メモ帳\r\n"), std::string::npos);
}

TEST_F(ViewsTest, TheVersionWindowIsKnownWhileItIsOpen) {
  TForm* Seen = nullptr;
  std::string Caption;
  TForm::ModalUser = [&](TForm& Form) {
    Seen = M->AboutForm();
    Caption = Form.Caption();
  };
  M->AboutAction.Execute();
  TForm::ModalUser = nullptr;
  EXPECT_NE(Seen, nullptr);
  EXPECT_EQ(Caption, "バージョン情報");
  EXPECT_EQ(M->AboutForm(), nullptr);
  EXPECT_EQ(Sys.Foregrounds, 0) << "the hidden main window stays behind";
}

TEST_F(ViewsTest, TheUsersChangesInTheViewsReachTheTree) {
  Exec->ListItem()->SetChecked(false);  // the user clears the check box
  EXPECT_FALSE(Exec->Visible());
  EXPECT_TRUE(M->Root()->MenuDirty());
  std::string Name = "新しい名前";
  M->ListView1.NativeEdited(Exec->ListItem(), Name);
  EXPECT_EQ(Exec->Name(), "新しい名前");
  M->TreeView1.NativeEdited(Group->TreeNode(), "グループ名");
  EXPECT_EQ(Group->Name(), "グループ名");
  EXPECT_EQ(Group->ListItem()->Caption(), "グループ名");
  Group->Add(std::make_unique<TFolder>(Group));
  Group->TreeNode()->Expand(false);
  EXPECT_TRUE(Group->Expanded());
  Group->TreeNode()->Collapse(false);
  EXPECT_FALSE(Group->Expanded());
}

TEST_F(ViewsTest, DoubleClicksOpenTheRowOrGoUpOneGroup) {
  M->ListView1.SetFocus();
  SelectRows({Group});
  M->ListView1.NativeDblClick();
  EXPECT_EQ(M->Root()->CurrentFolder(), Group);
  M->ListView1.NativeDblClick();  // nothing selected in the new list: up again
  EXPECT_EQ(M->Root()->CurrentFolder(), M->Root());
  M->ListView1.NativeDblClick();  // at the root nothing happens
  EXPECT_EQ(M->Root()->CurrentFolder(), M->Root());
  // Renaming starts in the active view; opening waits while a caption is edited.
  SelectRows({Group});
  M->RenameAction.Execute();
  EXPECT_TRUE(M->ListView1.Editing());
  M->OpenObject.Execute();
  EXPECT_EQ(M->Root()->CurrentFolder(), M->Root());
}

// The dragged items stay until the drop: only Esc acts in the list, and a click in the tree
// opens no group until the drag has ended.
TEST_F(ViewsTest, DuringADragOnlyEscActsAndAClickOpensNothing) {
  M->ListView1.SetFocus();
  SelectRows({Group});
  ASSERT_TRUE(M->ListView1.NativeBeginDrag());
  Boxes.Answers = {mrYes};
  for (unsigned Key : {ssShift | VkDelete, unsigned(VkDelete), ssCtrl | 'X', unsigned(VkReturn)})
    M->ListView1.NativeKeyDown(Key & 0xFF, Key & ~0xFFu);
  EXPECT_EQ(M->Root()->Count(), 4);  // the trash and the three
  M->TreeView1.SetFocus();
  M->TreeView1.SetSelected(Group->TreeNode());
  for (bool Drag : {true, false}) {
    if (!Drag) M->ListView1.NativeEndDrag();
    M->TreeView1.NativeClick();
    EXPECT_EQ(M->Root()->CurrentFolder(), Drag ? M->Root() : static_cast<TCompositeItem*>(Group));
  }
}

TEST_F(ViewsTest, TheMouseSwitchesExcludeEachOtherAndAreSaved) {
  EXPECT_TRUE(M->MouseFormToggleAction.Checked());
  EXPECT_FALSE(M->UchidenoKodutiToggleAction.Checked());
  M->UchidenoKodutiToggleAction.Execute();
  EXPECT_TRUE(M->Settings().UchidenoKoduti);
  EXPECT_FALSE(M->Settings().MouseFormEnabled);
  EXPECT_FALSE(M->MouseFormToggleAction.Checked());
  EXPECT_EQ(DWord("UchidenoKoduti"), 1u);
  EXPECT_EQ(DWord("MouseFormEnabled"), 0u);
}

TEST_F(ViewsTest, KeysRunTheirCommandsInBothViews) {
  std::string Ran;
  for (TAction* Action : {&M->CopyObject, &M->PasteObject, &M->CutObject, &M->DeleteObj,
                          &M->MoveRecycled, &M->ObjPropertyAction}) {
    Action->SetEnabled(true);
    Action->OnExecute = [&Ran, Action] { Ran += Action->Caption() + ";"; };
  }
  struct {
    unsigned Key, Shift;
    const char* Ran;
    bool Consumed;
  } Cases[] = {
      {'C', ssCtrl, "コピー(&C);", true},
      {'C', ssCtrl | ssShift, "", false},  // not exactly Ctrl
      {'V', ssCtrl, "貼り付け(&P);", true},
      {'X', ssCtrl, "切り取り(&T);", true},
      {VkDelete, 0, "ゴミ入れに移動(&R);", true},
      {VkDelete, ssShift, "完全削除(&D);", true},
      {VkDelete, ssShift | ssCtrl, "完全削除(&D);", true},  // Shift alone is what is tested
      {VkReturn, ssAlt, "ランチャのプロパティ(&S);", true},
  };
  for (TWinControl* View :
       {static_cast<TWinControl*>(&M->ListView1), static_cast<TWinControl*>(&M->TreeView1)}) {
    for (auto& c : Cases) {
      Ran.clear();
      EXPECT_EQ(View->NativeKeyDown(c.Key, c.Shift), c.Consumed) << c.Key;
      EXPECT_EQ(Ran, c.Ran) << c.Key;
    }
  }
  // Nothing while a caption is edited.
  M->ListView1.SetFocus();
  SelectRows({Exec});
  Exec->ListItem()->EditCaption();
  Ran.clear();
  EXPECT_FALSE(M->ListView1.NativeKeyDown('C', ssCtrl));
  EXPECT_EQ(Ran, "");
}

TEST_F(ViewsTest, TheShortcutF2RenamesInEitherView) {
  M->ListView1.SetFocus();
  SelectRows({Exec});
  EXPECT_TRUE(M->IsShortCut(0x71, 0));
  EXPECT_TRUE(M->ListView1.Editing());
  M->TreeView1.SetFocus();
  M->TreeView1.SetSelected(Group->TreeNode());
  EXPECT_TRUE(M->IsShortCut(0x71, 0));
  EXPECT_TRUE(M->TreeView1.Editing());
  // With the root's node selected there is nothing to rename: the key goes to the view.
  M->TreeView1.SetSelected(M->Root()->TreeNode());
  EXPECT_FALSE(M->IsShortCut(0x71, 0));
}

// A key pressed in a view runs a command of the menus of that view exactly when they show it
// after the command's caption. Esc, which hides the window and goes on, stands in none.
TEST_F(ViewsTest, TheMenusShowTheKeysThatRunTheirCommandsInTheViews) {
  TAction* Ran = nullptr;
  std::function<void(TMenuItem&, std::map<TAction*, std::string>&)> Collect = [&](auto& Items,
                                                                                  auto& Keys) {
    for (int i = 0; i < Items.Count(); ++i) {
      std::string Text = Items.Items(i)->MenuText();
      if (TAction* Action = Items.Items(i)->Action()) {
        Keys[Action] = Text.find('\t') == std::string::npos ? "" : Text.substr(Text.find('\t') + 1);
        Action->SetEnabled(true);
        Action->OnExecute = [&Ran, Action] { Ran = Action; };
      }
      Collect(*Items.Items(i), Keys);
    }
  };
  for (auto [Menu, View] : {std::pair<TMenu*, TWinControl*>{&M->ListViewPopup, &M->ListView1},
                            {&M->TreeViewPopup, &M->TreeView1},
                            {&M->MainMenu2, &M->ListView1},
                            {&M->MainMenu2, &M->TreeView1}}) {
    std::map<TAction*, std::string> Keys;
    Collect(Menu->Items(), Keys);
    std::set<std::pair<TAction*, std::string>> Runs;
    for (unsigned Key = 1; Key < 0x100; ++Key)
      for (unsigned Shift = 0; Shift <= (ssShift | ssCtrl | ssAlt); Shift += ssShift) {
        // Ctrl+A chooses every row, which sets the commands' states again.
        for (auto& Shown : Keys) Shown.first->SetEnabled(true);
        if (Ran = nullptr; Key != VkEscape && View->NativeKeyDown(Key, Shift) && Keys.count(Ran))
          Runs.insert({Ran, ShortCutToText(Key | Shift)});
      }
    for (auto& [Action, Key] : Runs) EXPECT_NE(Keys[Action], "") << Action->Caption() << Key;
    for (auto& [Action, Key] : Keys)
      EXPECT_TRUE(Key.empty() || Runs.count({Action, Key})) << Action->Caption() << Key;
  }
  // A key whose command is off goes on to the view: Shift+Up extends the selection.
  M->UpObjectAction.SetEnabled(false);
  EXPECT_FALSE(M->ListView1.NativeKeyDown(VkUp, ssShift));
}

TEST_F(ViewsTest, BackspaceEnterEscapeAndTheMenuKey) {
  M->Root()->SetCurrentFolder(Group);
  EXPECT_FALSE(M->TreeView1.NativeKeyDown(VkBack, 0));  // not the tree's
  EXPECT_TRUE(M->ListView1.NativeKeyDown(VkBack, 0));
  EXPECT_EQ(M->Root()->CurrentFolder(), M->Root());
  M->ListView1.SetFocus();
  SelectRows({Group});
  EXPECT_TRUE(M->ListView1.NativeKeyDown(VkReturn, 0));
  EXPECT_EQ(M->Root()->CurrentFolder(), Group);
  M->LanternProperty.Execute();
  EXPECT_FALSE(M->ListView1.NativeKeyDown(VkEscape, 0));  // hides, and the key goes on
  EXPECT_FALSE(M->Visible());
  EXPECT_TRUE(M->ListView1.NativeKeyDown(VkF10, ssShift));
  EXPECT_EQ(M->ListViewPopup.Popups, 1);
  EXPECT_EQ(M->ListViewPopup.PopupX, M->Left() + M->ListView1.Left());  // its top left corner
  EXPECT_TRUE(M->TreeView1.NativeKeyDown(VkF10, ssShift));
  EXPECT_EQ(M->TreeViewPopup.Popups, 1);
}

TEST_F(ViewsTest, TheMenusListTheCommands) {
  TMenuItem& Bar = M->MainMenu2.Items();
  ASSERT_EQ(Bar.Count(), 4);
  EXPECT_EQ(Bar.Items(1)->Caption(), "編集(&E)");
  ASSERT_EQ(Bar.Items(1)->Count(), 19);
  EXPECT_EQ(Bar.Items(1)->Items(18)->Action(), &M->FindAction);  // Ctrl+F
  EXPECT_EQ(Bar.Items(1)->Items(0)->Action(), &M->OpenObject);
  EXPECT_TRUE(Bar.Items(1)->Items(5)->IsSeparator());
  EXPECT_EQ(M->SystemPopup.Items().Items(0)->Caption(), "ランタンのメイン画面(&P)");
  EXPECT_EQ(M->SystemPopup.Items().Items(1)->Action(), &M->SearchAction);
  EXPECT_EQ(M->SystemPopup.Items().Items(M->SystemPopup.Items().Count() - 1)->Action(),
            &M->ExitAction);
  EXPECT_TRUE(M->ListViewPopup.Items().Items(0)->Default());
  EXPECT_EQ(M->AddLauncherURL.ImageIndex(), 13);
  EXPECT_EQ(M->ToolBar1.Images(), nullptr);  // the bar's pictures come with the first showing
  M->LanternProperty.Execute();
  EXPECT_EQ(M->ToolBar1.Images(), M->ButtonImage.get());
  EXPECT_EQ(M->ButtonImage->Count(), 18);
  ASSERT_EQ(M->ToolBar1.Buttons().size(), 16u);
  EXPECT_EQ(M->ToolBar1.Buttons()[0], nullptr);
  EXPECT_EQ(M->ToolBar1.Buttons()[15], &M->UchidenoKodutiToggleAction);
  EXPECT_TRUE(M->AddGroup.Execute());  // every command has its behaviour
  // Cut's tool button and the icon fetch show no hint; the others their caption's words.
  EXPECT_EQ(M->CutObject.Hint(), "");
  EXPECT_EQ(M->GetEmptyIcon.Hint(), "");
  EXPECT_EQ(M->CopyObject.Hint(), "コピー");
}

TEST_F(MainTest, AFailedSaveKeepsTheProgramRunning) {
  TLanternMain& M = Start();
  Files.FailReplace = true;
  M.ExitAction.Execute();
  EXPECT_FALSE(M.Closed());
  EXPECT_FALSE(PathExists(Real(DataFile)));
}

// The data file's drive (Q:, which no test machine has) is unplugged at start: the copy in the
// program's new folder is not taken for it, the user hears which file cannot be reached, and
// nothing is written over either file, at exit neither; the stored name waits for the next
// start.
TEST_F(MainTest, AnUnreachableDataFileIsNamedAndNothingIsWrittenOverIt) {
  Sys.Program = "C:\\Lantern\\Lantern.exe";
  PlatformFileSystem().CreateFolders(Real("C:\\Lantern"));
  WriteFileBytes(Real("C:\\Lantern\\me.dat"), "an older copy");
  Memory.WriteString(Key, "Path", "Q:\\Lantern\\");
  Memory.WriteString(Key, "DataFileName", "Q:\\Lantern\\me.dat");
  TLanternMain& M = Start();
  EXPECT_EQ(Boxes.Texts,
            std::vector<std::string>{
                "データファイル Q:\\Lantern\\me.dat に届きません。ドライブやネットワークの共有が"
                "つながっているか確かめて、ランタンを起動し直してください。それまではランチャが空"
                "のままで、データファイルには何も書きません（この間の変更は保存されません）。"});
  EXPECT_EQ(M.Settings().DataFileName, "Q:\\Lantern\\me.dat");
  M.AddGroup.Execute();
  M.SaveService.Execute();
  M.ExitAction.Execute();
  EXPECT_TRUE(M.Closed());
  EXPECT_EQ(ReadFileBytes(Real("C:\\Lantern\\me.dat")), "an older copy");
  std::string Stored;
  EXPECT_TRUE(Memory.ReadString(Key, "DataFileName", Stored));
  EXPECT_EQ(Stored, "Q:\\Lantern\\me.dat");
  EXPECT_EQ(Boxes.Texts.size(), 1u);
}

TEST_F(MainTest, TheSessionEndsOnlyWhenItReallyEnds) {
  TLanternMain& M = Start();
  // Asked: everything is saved and the answer is yes, but the program stays for now.
  EXPECT_TRUE(M.NativeQueryEndSession());
  EXPECT_TRUE(PathExists(Real(DataFile)));
  EXPECT_EQ(Memory.ValueType(Key, "ColumnWidth0"), TRegDataType::DWord);
  EXPECT_FALSE(M.Closed());
  // Another program cancels the end: Lantern stays resident, as it was.
  M.NativeEndSession(false);
  EXPECT_FALSE(M.Closed());
  EXPECT_TRUE(M.Timer1.Enabled());
  EXPECT_TRUE(M.Tray()->Registered());
  M.LanternProperty.Execute();
  M.Close();  // the close box hides the window again rather than ending the program
  EXPECT_FALSE(M.Closed());
  EXPECT_FALSE(M.Visible());
  // The next end of the session ends it.
  EXPECT_TRUE(M.NativeQueryEndSession());
  M.NativeEndSession(true);
  EXPECT_TRUE(M.Closed());
}

TEST_F(MainTest, ASaveThatFailsAtTheEndOfTheSessionHoldsTheSessionBack) {
  TLanternMain& M = Start();
  M.Root()->Add(std::make_unique<TFolder>(M.Root()));
  int Items = M.Root()->Count();
  Files.FailReplace = true;
  EXPECT_FALSE(M.NativeQueryEndSession());
  ASSERT_FALSE(Sys.BlockReasons.empty());
  const std::string Prefix = "データファイルを保存できません: ";
  EXPECT_EQ(Sys.BlockReasons.back().compare(0, Prefix.size(), Prefix), 0);
  EXPECT_GT(Sys.BlockReasons.back().size(), Prefix.size() + 4);  // with the reason
  EXPECT_TRUE(Boxes.Texts.empty());                              // no box at this moment
  EXPECT_FALSE(M.Closed());
  EXPECT_EQ(M.Root()->Count(), Items);  // nothing is lost
  M.NativeEndSession(false);
  M.Close();
  EXPECT_FALSE(M.Closed());  // not left exiting
  Files.FailReplace = false;
  EXPECT_TRUE(M.NativeQueryEndSession());
  EXPECT_EQ(Sys.BlockReasons.back(), "");
  EXPECT_TRUE(PathExists(Real(DataFile)));
}

TEST_F(MainTest, ASessionThatEndsAfterAFailedQueryTriesToSaveOnceMore) {
  TLanternMain& M = Start();
  Files.FailReplace = true;
  EXPECT_FALSE(M.NativeQueryEndSession());
  Files.FailReplace = false;
  M.NativeEndSession(true);  // forced: the session ends all the same
  EXPECT_TRUE(M.Closed());
  EXPECT_TRUE(PathExists(Real(DataFile)));
}

TEST_F(MainTest, TheTreesMenuFontIsTheWindowsFont) {
  TLanternMain& M = Start();
  EXPECT_EQ(M.Root()->Font().Name(), M.Font().Name());
  EXPECT_EQ(M.Root()->Font().Size(), 9);
  EXPECT_EQ(M.Root()->Font().Charset(), ShiftJisCharset);
}

TEST_F(MainTest, AFileWithoutATrashIsSavedInTheOrderItKeeps) {
  // Two launchers and a group at the top, no trash: the trash joins the groups.
  WriteFileBytes(Real(DataFile),
                 "[ROOT]\r\nランタン\r\n1\r\n1\r\n1\r\n[ROOTCOMPOSITE]\r\n"
                 "[LAUNCHER]\r\na\r\nC:\\a.exe\r\n[/LAUNCHER]\r\n"
                 "[FOLDER]\r\ng\r\n[FOLDERCOMPOSITE]\r\n[/FOLDER]\r\n"
                 "[LAUNCHER]\r\nb\r\nC:\\b.exe\r\n[/LAUNCHER]\r\n[/ROOT]\r\n");
  TLanternMain& M = Start();
  std::vector<std::string> Names;
  for (int i = 0; i < M.Root()->Count(); ++i) Names.push_back(M.Root()->Items(i)->Name());
  EXPECT_EQ(Names, (std::vector<std::string>{"g", "ゴミ入れ", "a", "b"}));
  M.SaveService.Execute();
  std::string First = ReadFileBytes(Real(DataFile));
  Restart();
  Main->SaveService.Execute();
  EXPECT_EQ(ReadFileBytes(Real(DataFile)), First);
}

TEST_F(MainTest, TheTimerRefillsTheListAndSavesWhenTheTreeChanged) {
  TLanternMain& M = Start();
  M.Root()->SetWatchChanged(true);
  M.Timer1.Tick();
  EXPECT_FALSE(M.Root()->WatchChanged());
  EXPECT_TRUE(PathExists(Real(DataFile)));
  M.SetMenuShowing(true);  // nothing else happens while a menu is open
  M.Root()->SetWatchChanged(true);
  M.Timer1.Tick();
  EXPECT_TRUE(M.Root()->WatchChanged());
}

TEST_F(MainTest, MissingIconsAreFetchedEvery251Ticks) {
  TLanternMain& M = Start();
  TLauncherExec* L = M.Root()->Add(std::make_unique<TLauncherExec>(M.Root()));
  Shell.NoIcon.insert("C:\\later.exe");
  L->SetFileName("C:\\later.exe");
  ASSERT_EQ(L->ImageIndex(), -1);
  Shell.NoIcon.clear();
  for (int i = 0; i < 250; ++i) M.Timer1.Tick();
  EXPECT_EQ(L->ImageIndex(), -1);
  M.Timer1.Tick();
  EXPECT_EQ(L->ImageIndex(), 5);
}

class SaveServiceTest : public MainTest {
 protected:
  void SetUp() override {
    MainTest::SetUp();
    Memory.WriteString(Key, "DataFileName", "C:\\Lantern Data\\sub\\data.dat");
  }
};

TEST_F(SaveServiceTest, AMissingFolderIsCreatedOnlyWhenTheUserSaysSo) {
  TLanternMain& M = Start();
  Boxes.Answers = {mrNo};
  M.SaveService.Execute();
  EXPECT_EQ(Boxes.Texts.back(),
            "データファイルをセーブするフォルダ C:\\Lantern Data\\sub\\が存在しません。"
            "新たに作成しますか");
  EXPECT_FALSE(PathExists(Real("C:\\Lantern Data")));
  EXPECT_TRUE(M.Visible());  // the question comes with the window
  Boxes.Answers = {mrCancel};
  try {
    M.SaveService.Execute();
    FAIL() << "no error";
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), "ファイル作成エラー");
  }
  Boxes.Answers = {mrYes};
  M.SaveService.Execute();
  EXPECT_TRUE(PathExists(Real("C:\\Lantern Data\\sub\\data.dat")));
}

TEST_F(SaveServiceTest, TheOldFileIsBackedUpAtMostOnceADay) {
  PlatformFileSystem().CreateFolders(Real("C:\\Lantern Data\\sub"));
  WriteFileBytes(Real("C:\\Lantern Data\\sub\\data.dat"), "yesterday");
  Sys.Clock = 45000.0;
  Memory.WriteBinary(Key, "BackupDate", std::string("\0\0\0\0\0\0\0\0", 8));
  TLanternMain& M = Start();
  std::string First = ReadFileBytes(Real("C:\\Lantern Data\\sub\\data.dat"));
  M.SaveService.Execute();
  EXPECT_EQ(ReadFileBytes(Real("C:\\Lantern Data\\sub\\data.dat.bak")), "yesterday");
  EXPECT_EQ(M.Settings().BackupDate, 45000.0);
  std::string Stored;
  ASSERT_TRUE(Memory.ReadBinary(Key, "BackupDate", Stored));
  double Date;
  std::memcpy(&Date, Stored.data(), 8);
  EXPECT_EQ(Date, 45000.0);
  // Within the day: the backup stays as it was.
  Sys.Clock = 45000.9;
  M.SaveService.Execute();
  EXPECT_EQ(ReadFileBytes(Real("C:\\Lantern Data\\sub\\data.dat.bak")), "yesterday");
  Sys.Clock = 45001.1;
  M.SaveService.Execute();
  EXPECT_EQ(ReadFileBytes(Real("C:\\Lantern Data\\sub\\data.dat.bak")).compare(0, 6, "[ROOT]"), 0);
  (void)First;
}

TEST_F(MainTest, TheIconsOfALoadedFileArriveWithTheTicks) {
  WriteFileBytes(Real(DataFile), TestData("full.dat"));
  TLanternMain& M = Start();
  EXPECT_TRUE(Shell.Asked.empty());  // the start itself does not wait for the shell
  M.Timer1.Tick();                   // three icons fit in one tick's share
  EXPECT_EQ(Shell.Asked.size(), 3u);
  EXPECT_FALSE(M.Root()->IconsPending());
}

TEST_F(MainTest, AnUnreadableDataFileIsReportedAndKeptAside) {
  WriteFileBytes(Real(DataFile), TestData("bad_count.dat"));
  TLanternMain& M = Start();
  ASSERT_EQ(Boxes.Texts.size(), 1u);
  EXPECT_EQ(Boxes.Texts[0],
            CannotReadDataLineText(DataFile, 77, "'abc' は有効な整数値ではありません") +
                "\r\n\r\n読み込めなかったデータファイルを C:\\data.dat.bad に残しました。");
  EXPECT_EQ(ReadFileBytes(Real("C:\\data.dat.bad")), TestData("bad_count.dat"));
  // What was read is there (after the groups), and the start went on: a trash, the timer.
  EXPECT_EQ(M.Root()->Items(M.Root()->Count() - 1)->Name(), "before");
  EXPECT_NE(M.Root()->RecycledFolder(), nullptr);
  EXPECT_TRUE(M.Timer1.Enabled());
}

TEST_F(MainTest, AFileNestedTooDeepIsRefusedAndKeptAside) {
  std::string Deep = "[ROOT]\r\nランタン\r\n[ROOTCOMPOSITE]\r\n";
  for (int i = 0; i < 5000; ++i) Deep += "[FOLDER]\r\ng\r\n[FOLDERCOMPOSITE]\r\n";
  WriteFileBytes(Real(DataFile), Deep);
  TLanternMain& M = Start();
  ASSERT_EQ(Boxes.Texts.size(), 1u);
  EXPECT_EQ(Boxes.Texts[0],
            "グループは 100 階層までしか入れ子にできません\r\n\r\n読み込めなかったデータファイルを "
            "C:\\data.dat.bad に残しました。");
  EXPECT_EQ(ReadFileBytes(Real("C:\\data.dat.bad")), Deep);
  // The program runs on with the levels it could take.
  int Levels = 0;
  for (TExecItem* Item = M.Root(); Item->IsGroup() && Item->AsGroup()->Count() > 0;
       Item = Item->AsGroup()->Items(0))
    ++Levels;
  EXPECT_EQ(Levels, 100);
  M.SaveService.Execute();
  EXPECT_TRUE(PathExists(Real(DataFile)));
}

}  // namespace
}  // namespace lantern

namespace lantern {
namespace {

// The notification-area icon and the launcher menu as the main window sets them up.
class TrayTest : public MainTest {
 protected:
  static void Click(std::intptr_t Message) {
    TTaskTray::GetNotifyWindow()->Perform(WM_TRAYNOTIFY, 1, Message);
  }
  TLauncherExec* AddLauncher(TLanternMain& M, const std::string& Name) {
    TLauncherExec* L = M.Root()->Add(std::make_unique<TLauncherExec>(M.Root()));
    L->SetName(Name);
    return L;
  }
  std::vector<std::string> TopLevel(TLanternMain& M) {
    std::vector<std::string> Names;
    for (int i = 0; i < M.LauncherMenu.Items().Count(); ++i)
      Names.push_back(M.LauncherMenu.Items().Items(i)->Caption());
    return Names;
  }
};

TEST_F(TrayTest, TheIconShowsWithTheTipAndOpensTheTwoMenus) {
  TLanternMain& M = Start();
  ASSERT_EQ(Shell.NotifyCalls.size(), 1u);
  EXPECT_EQ(Shell.NotifyCalls[0].Message, NimAdd);
  EXPECT_EQ(Shell.NotifyCalls[0].Data.Tip, "ランタン");
  EXPECT_TRUE(M.Tray()->Registered());
  EXPECT_EQ(M.Tray()->PopupMenuL(), &M.LauncherMenu);
  EXPECT_EQ(M.Tray()->PopupMenuR(), &M.SystemPopup);
  EXPECT_TRUE(M.LauncherMenu.OwnerDraw());
  EXPECT_EQ(M.LauncherMenu.Images(), &M.ImageList1);

  M.SetDispRegisterIcon(false);
  EXPECT_EQ(Shell.NotifyCalls.back().Message, NimDelete);
  M.SetDispRegisterIcon(true);
  EXPECT_EQ(Shell.NotifyCalls.back().Message, NimAdd);

  M.SetIconLeftClickPopupMenu(false);
  Click(WmLButtonDown);
  EXPECT_EQ(M.LauncherMenu.Popups, 0);
  M.SetIconLeftClickPopupMenu(true);
  Click(WmLButtonDown);
  EXPECT_EQ(M.LauncherMenu.Popups, 1);
  Click(WmRButtonDown);
  EXPECT_EQ(M.SystemPopup.Popups, 1);
}

// The icon is made at the size of the primary monitor's scale (its button's picture is not),
// and the launcher menu takes the scale of the monitor it opens on.
TEST_F(TrayTest, TheIconHasTheSizeOfItsScaleAndTheMenuTheDpiOfItsMonitor) {
  Sys.Monitors = {{0, 0, 1280, 1024, 144}, {1280, 0, 1920, 1080, 192}};
  TLanternMain& M = Start();
  EXPECT_EQ(Sys.ResourceIcons.back(),
            std::make_pair(TLanternMain::FirstButtonId + TLanternMain::TrayButton, 24));
  for (auto [X, Dpi] : {std::pair{2000, 192}, {100, 144}}) {
    Sys.CursorX = X;
    Click(WmLButtonDown);
    EXPECT_EQ(M.LauncherMenu.Dpi(), Dpi);
  }
  // The window comes to the finer monitor: its bar and views take pictures of that size, made
  // when it is first shown, and follow it back.
  M.NativeDpiChanged(192);
  EXPECT_EQ(M.ToolBar1.Images(), nullptr);
  M.LanternProperty.Execute();
  EXPECT_EQ(M.ToolBar1.Images()->Width(), 32);
  EXPECT_EQ(M.TreeView1.Images()->Width(), 32);
  M.NativeDpiChanged(144);
  EXPECT_EQ(M.ToolBar1.Images()->Width(), 24);
  EXPECT_EQ(M.TreeView1.Images()->Width(), 24);
  // The primary monitor's scale changes: the icon is made again at its new size.
  Sys.Monitors[0].Dpi = 120;
  M.NativeDpiChanged(120);
  EXPECT_EQ(Sys.ResourceIcons.back(),
            std::make_pair(TLanternMain::FirstButtonId + TLanternMain::TrayButton, 20));
}

TEST_F(TrayTest, WithTheIconSwitchedOffItIsAddedAndTakenAwayAtOnce) {
  Memory.WriteDWord(Key, "DispRegisterIcon", 0);
  TLanternMain& M = Start();
  ASSERT_EQ(Shell.NotifyCalls.size(), 2u);
  EXPECT_EQ(Shell.NotifyCalls[1].Message, NimDelete);
  EXPECT_FALSE(M.Tray()->Registered());
}

TEST_F(TrayTest, WithoutAnIconTheWindowStaysShownAndTheProgramRunsOn) {
  Shell.NotifyErrors = {5};
  EXPECT_THROW(Start(), EInvalidOperation);
  EXPECT_TRUE(Main->Visible());
  EXPECT_EQ(Main->WindowState(), TWindowState::Normal);

  // From the entry, the failure is reported and the program goes on to its message loop
  // (which windowless returns at once; with native windows it would wait for the user).
  if (PlatformWidgets()) return;
  Main.reset();
  Shell.NotifyErrors = {5};
  EXPECT_EQ(LanternEntry({}), 0);
  ASSERT_FALSE(Boxes.Texts.empty());
  EXPECT_EQ(Boxes.Texts.back(), "タスクトレイに登録できません(0)");
}

TEST_F(TrayTest, AClickOpensTheMenuBuiltFromTheTreeAndAChoiceStartsTheLauncher) {
  WriteFileBytes(Real(DataFile), TestData("full.dat"));
  TLanternMain& M = Start();
  std::vector<std::string> Loaded = TopLevel(M);
  ASSERT_FALSE(Loaded.empty());
  EXPECT_FALSE(M.Root()->MenuDirty());

  TLauncherExec* L = AddLauncher(M, "Started");
  WriteFileBytes(Real("C:\\started.exe"), "MZ");
  L->SetFileName("C:\\started.exe");
  M.SetMenuShowing(true);  // the timer leaves an open menu alone
  M.Timer1.Tick();
  EXPECT_EQ(TopLevel(M), Loaded);
  M.SetMenuShowing(false);
  M.Timer1.Tick();
  EXPECT_EQ(TopLevel(M).back(), "Started");

  bool ShowingDuring = false;
  M.LauncherMenu.Choice = M.LauncherMenu.Items().Items(M.LauncherMenu.Items().Count() - 1);
  M.LauncherMenu.Choice->OnClick = [&, Run = M.LauncherMenu.Choice->OnClick](TMenuItem* S) {
    ShowingDuring = M.MenuShowing();
    Run(S);
  };
  Click(WmLButtonDown);
  EXPECT_TRUE(ShowingDuring);
  EXPECT_FALSE(M.MenuShowing());
  ASSERT_EQ(Shell.Executions.size(), 1u);
  EXPECT_EQ(Shell.Executions[0].File, "C:\\started.exe");
  EXPECT_EQ(Shell.Executions[0].Owner, M.Handle());
}

TEST_F(TrayTest, AnItemDeletedBeforeTheNextTickIsGoneWhenTheMenuOpens) {
  TLanternMain& M = Start();
  TLauncherExec* L = AddLauncher(M, "Doomed");
  M.Timer1.Tick();
  ASSERT_EQ(TopLevel(M), std::vector<std::string>{"Doomed"});
  M.Root()->Remove(L).reset();
  Click(WmLButtonDown);
  // Nothing left to show: the menu says so and offers to add a launcher.
  EXPECT_EQ(TopLevel(M), (std::vector<std::string>{
                             TRoot::EmptyMenuHints[0], TRoot::EmptyMenuHints[1],
                             TRoot::ImportStartMenuCaption, TRoot::AddLauncherCaption}));
  TMenuItem& Entries = M.LauncherMenu.Items();
  EXPECT_FALSE(Entries.Items(0)->Enabled() || Entries.Items(1)->Enabled());
  // Its last entry shows the main window and the new launcher's file chooser.
  Boxes.FileAnswers = {"C:\\new.exe"};
  M.LauncherMenu.Choice = Entries.Items(3);
  Click(WmLButtonDown);
  EXPECT_TRUE(M.Visible());
  EXPECT_EQ(Boxes.OpenFolders.size(), 1u);
  ASSERT_EQ(M.Root()->Count(), 2);  // the trash and the new launcher
  EXPECT_EQ(M.Root()->Items(1)->FileName(), "C:\\new.exe");
}

}  // namespace
}  // namespace lantern
