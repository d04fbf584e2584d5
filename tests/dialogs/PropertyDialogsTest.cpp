// The launcher and group property dialogs and their colour-set editor, windowless: what they
// show for an item, what OK writes back, the choosers, the colour examples and Color.dat.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "dialogs/ColorSetEditor.h"
#include "dialogs/EnvSet.h"
#include "dialogs/GroupProperty.h"
#include "dialogs/LauncherProperty.h"
#include "shell/About.h"
#include "support/DialogFixture.h"
#include "support/FakeFileSystem.h"
#include "support/FakeSystem.h"
#include "support/LayoutChecks.h"
#include "support/TempFolder.h"
#include "support/TreeFixture.h"
#include "ui/Canvas.h"

namespace lantern {
namespace {

using DialogTest = DialogFixture;

// ---- Every dialog's layout ----

// For every kind of item: each control fits in its parent, and each Alt letter of a page
// leads to one control, but for the letters the page declares shared.
TEST_F(DialogTest, LayoutsFitTheirParentsAndGiveEachAltLetterOneControl) {
  TLauncherPropertyForm ForProgram, ForFolder, ForUrl;
  TLauncherExec Program(Root.get());
  TLauncherFolder Folder(Root.get());
  TLauncherURL Url(Root.get());
  ForProgram.LoadItem(&Program);
  ForFolder.LoadItem(&Folder);
  ForUrl.LoadItem(&Url);
  TGroupPropertyForm ForGroup;
  ForGroup.LoadItem(Root.get());
  TAboutForm About;
  TEnvSetForm Settings(TSettings(), *Root);
  const std::pair<const char*, TForm*> Forms[] = {{"settings", &Settings}, {"program", &ForProgram},
                                                  {"folder", &ForFolder},  {"URL", &ForUrl},
                                                  {"group", &ForGroup},    {"version", &About}};
  for (const auto& [Name, Form] : Forms) {
    SCOPED_TRACE(Name);
    ExpectControlsInsideTheirParents(*Form);
    ExpectDistinctAltLetters(*Form);
  }
}

// ---- The launcher dialog ----

TEST(AutoLauncherName, NamesFromTheLastPieceOfThePathUnlessTheUserGaveOne) {
  struct {
    const char* Name;
    const char* FileName;
    const char* Expected;
  } Cases[] = {
      {"新規ランチャ", "C:\\x\\y.exe", "y.exe"},
      {"", "C:\\Tools\\edit.exe", "edit.exe"},
      {"私の新規メモ", "C:\\a\\b.txt", "b.txt"},  // "新規" anywhere marks a default name
      {"エディタ", "C:\\a\\b.txt", "エディタ"},
      {"", "C:\\", "C:\\"},  // nothing after the last delimiter: the whole text
      {"", "D:", "D:"},
      {"", "", ""},
      {"", "http://example.jp/a", "//example.jp/a"},  // after the scheme's colon
      // Second bytes 0x5C ("ソ" 83 5C, "表" 95 5C) are no delimiters.
      {"", "C:\\表示\\ソフト.exe", "ソフト.exe"},
      {"", "C:\\ソフト", "ソフト"},
      {"", "C:表", "表"},
  };
  for (const auto& c : Cases)
    EXPECT_EQ(AutoLauncherName(c.Name, c.FileName), c.Expected) << c.FileName;
}

TEST_F(DialogTest, FieldsShownFollowTheLaunchersKind) {
  struct {
    std::unique_ptr<TLauncher> Launcher;
    const char* Caption;
    bool Options, Ref, Explorer;
  } Cases[] = {
      {std::make_unique<TLauncherExec>(Root.get()), "ファイル名(&F)", true, true, false},
      {std::make_unique<TLauncherFolder>(Root.get()), "フォルダ名(&F)", false, true, true},
      {std::make_unique<TLauncherURL>(Root.get()), "URL(&A)", false, false, false},
  };
  for (auto& c : Cases) {
    TLauncherPropertyForm Dialog;
    Dialog.LoadItem(c.Launcher.get());
    SCOPED_TRACE(c.Caption);
    EXPECT_EQ(Dialog.FileLabel.Caption(), c.Caption);
    for (TWinControl* Control : {static_cast<TWinControl*>(&Dialog.OptionLabel),
                                 static_cast<TWinControl*>(&Dialog.OptionEdit),
                                 static_cast<TWinControl*>(&Dialog.ExecFolderLabel),
                                 static_cast<TWinControl*>(&Dialog.ExecFolderEdit),
                                 static_cast<TWinControl*>(&Dialog.ExecFolderRefButton)})
      EXPECT_EQ(Control->Visible(), c.Options);
    EXPECT_EQ(Dialog.RefButton.Visible(), c.Ref);
    EXPECT_EQ(Dialog.UseGeneralExplorerOptionCheck.Visible(), c.Explorer);
    EXPECT_EQ(Dialog.GroupBox1.Visible(), c.Explorer);
    EXPECT_EQ(Dialog.PageControl1.ActivePage(), &Dialog.TabSheet1);
    EXPECT_EQ(Dialog.ActiveControl(), &Dialog.NameEdit);
  }
}

TEST_F(DialogTest, LoadShowsTheLauncherAndStoreWritesEveryFieldBack) {
  TLauncherExec* L = AddTo<TLauncherExec>(Root.get(), "エディタ", "C:\\Tools\\edit.exe");
  L->SetParameters("/a");
  L->SetWorkFolder("C:\\Work");
  L->SetFixedPosition(true);
  TLauncherPropertyForm Dialog;
  Dialog.LoadItem(L);
  EXPECT_EQ(Dialog.NameEdit.Text(), "エディタ");
  EXPECT_EQ(Dialog.FilenameEdit.Text(), "C:\\Tools\\edit.exe");
  EXPECT_EQ(Dialog.OptionEdit.Text(), "/a");
  EXPECT_EQ(Dialog.ExecFolderEdit.Text(), "C:\\Work");
  EXPECT_TRUE(Dialog.FixPositionCheck.Checked());
  // The user's own name stays when the file changes.
  Dialog.FilenameEdit.SetText("C:\\Tools\\other.exe");
  EXPECT_EQ(Dialog.NameEdit.Text(), "エディタ");
  Dialog.OptionEdit.SetText("");
  Dialog.ExecFolderEdit.SetText("D:\\");
  Dialog.FixPositionCheck.SetChecked(false);
  EXPECT_EQ(L->FileName(), "C:\\Tools\\edit.exe");  // nothing changes before StoreItem
  EXPECT_EQ(Dialog.StoreItem(), L);
  EXPECT_EQ(L->Name(), "エディタ");
  EXPECT_EQ(L->FileName(), "C:\\Tools\\other.exe");
  EXPECT_EQ(L->Parameters(), "");
  EXPECT_EQ(L->WorkFolder(), "D:\\");
  EXPECT_FALSE(L->FixedPosition());
}

TEST_F(DialogTest, ADefaultNameIsReplacedAtOnceAndANewLauncherComesUpNameless) {
  TLauncherExec* L = AddTo<TLauncherExec>(Root.get(), "新規ランチャ", "C:\\x\\y.exe");
  TLauncherPropertyForm Dialog;
  Dialog.LoadItem(L);
  EXPECT_EQ(Dialog.NameEdit.Text(), "y.exe");
  Dialog.StoreItem();
  EXPECT_EQ(L->Name(), "y.exe");

  TLauncherURL Fresh(Root.get());
  TLauncherPropertyForm Second;
  Second.LoadItem(&Fresh);
  EXPECT_EQ(Second.NameEdit.Text(), "");
}

TEST_F(DialogTest, AGivenNameFollowsAUrlTypedOneCharacterAtATimeAndTheUsersNameStays) {
  TLauncherURL Fresh(Root.get());
  TLauncherPropertyForm Dialog;
  Dialog.LoadItem(&Fresh);
  const std::string Url = "http://example.jp/";
  for (std::size_t n = 1; n <= Url.size(); ++n) Dialog.FilenameEdit.SetText(Url.substr(0, n));
  EXPECT_EQ(Dialog.NameEdit.Text(), "//example.jp/");
  Dialog.NameEdit.SetText("例");
  Dialog.FilenameEdit.SetText("http://example.jp/a");
  EXPECT_EQ(Dialog.NameEdit.Text(), "例");
}

TEST_F(DialogTest, AUrlLauncherKeepsItsHiddenFieldsAndTakesAnEmptyName) {
  TLauncherURL* L = AddTo<TLauncherURL>(Root.get(), "ページ", "http://a.jp/");
  L->SetParameters("p");
  L->SetWorkFolder("C:\\w");
  TLauncherPropertyForm Dialog;
  Dialog.LoadItem(L);
  Dialog.NameEdit.SetText("");
  Dialog.FilenameEdit.SetText("http://b.jp/");
  Dialog.StoreItem();
  // An empty name is stored as it is; the name field followed the new URL only because the
  // user had emptied it.
  EXPECT_EQ(L->Name(), "//b.jp/");
  EXPECT_EQ(L->FileName(), "http://b.jp/");
  EXPECT_EQ(L->Parameters(), "p");
  EXPECT_EQ(L->WorkFolder(), "C:\\w");
}

TEST_F(DialogTest, ExplorerOptionsLoadAndStore) {
  struct {
    const char* Stored;
    bool General, Tree, Root, TreeEnabled, RootEnabled;
  } Cases[] = {
      {"", true, false, false, false, false},
      {" ", false, false, false, true, false},
      {" /e,", false, true, false, true, true},
      {" /e,/root,", false, true, true, true, true},
  };
  for (const auto& c : Cases) {
    SCOPED_TRACE(std::string("'") + c.Stored + "'");
    TLauncherFolder* F = AddTo<TLauncherFolder>(Root.get(), "F", "C:\\F");
    F->SetFolderExplorerOption(c.Stored);
    TLauncherPropertyForm Dialog;
    Dialog.LoadItem(F);
    EXPECT_EQ(Dialog.UseGeneralExplorerOptionCheck.Checked(), c.General);
    EXPECT_EQ(Dialog.DispTreeExplorerCheck.Checked(), c.Tree);
    EXPECT_EQ(Dialog.DispRootExplorerCheck.Checked(), c.Root);
    EXPECT_EQ(Dialog.DispTreeExplorerCheck.Enabled(), c.TreeEnabled);
    EXPECT_EQ(Dialog.DispRootExplorerCheck.Enabled(), c.RootEnabled);
    F->SetFolderExplorerOption("changed");
    Dialog.StoreItem();
    EXPECT_EQ(F->ExplorerOption(), c.Stored);  // back as it was read
  }
}

TEST_F(DialogTest, TheExplorerChecksFollowEachOther) {
  TLauncherFolder* F = AddTo<TLauncherFolder>(Root.get(), "F", "C:\\F");
  F->SetFolderExplorerOption(" /e,/root,");
  TLauncherPropertyForm Dialog;
  Dialog.LoadItem(F);
  // Without the tree pane there is no root option.
  Dialog.DispTreeExplorerCheck.NativeClick();
  EXPECT_FALSE(Dialog.DispRootExplorerCheck.Checked());
  EXPECT_FALSE(Dialog.DispRootExplorerCheck.Enabled());
  Dialog.StoreItem();
  EXPECT_EQ(F->ExplorerOption(), " ");
  // The program's option: the boxes are kept but not used.
  Dialog.DispTreeExplorerCheck.NativeClick();
  Dialog.UseGeneralExplorerOptionCheck.NativeClick();
  EXPECT_TRUE(Dialog.DispTreeExplorerCheck.Checked());
  EXPECT_FALSE(Dialog.DispTreeExplorerCheck.Enabled());
  Dialog.StoreItem();
  EXPECT_EQ(F->ExplorerOption(), "");
}

TEST_F(DialogTest, TheReferenceButtonsAskTheChooserOfTheKind) {
  TLauncherExec Exec(Root.get());
  TLauncherPropertyForm ExecDialog;
  ExecDialog.LoadItem(&Exec);
  Boxes.FileAnswers = {"C:\\Tools\\edit.exe"};
  ExecDialog.RefButtonClick();
  ASSERT_EQ(Boxes.FilePresets.size(), 1u);
  EXPECT_EQ(Boxes.FilePresets[0], "open:|");  // no name, no filter
  EXPECT_EQ(ExecDialog.FilenameEdit.Text(), "C:\\Tools\\edit.exe");
  ExecDialog.StoreItem();
  EXPECT_EQ(Exec.Name(), "edit.exe");
  ExecDialog.RefButtonClick();  // cancelled: nothing changes
  EXPECT_EQ(ExecDialog.FilenameEdit.Text(), "C:\\Tools\\edit.exe");
  // The chooser opens in the current file's folder once that folder is there.
  PlatformFileSystem().CreateFolders(Files.RealPath("C:\\Tools"));
  ExecDialog.RefButtonClick();
  EXPECT_EQ(Boxes.OpenFolders, (std::vector<std::string>{"", "", "C:\\Tools\\"}));

  TLauncherFolder Folder(Root.get());
  TLauncherPropertyForm FolderDialog;
  FolderDialog.LoadItem(&Folder);
  Boxes.FolderAnswers = {"C:\\ソフト", "D:\\Work"};
  FolderDialog.RefButtonClick();
  FolderDialog.ExecFolderRefButtonClick();
  EXPECT_EQ(FolderDialog.FilenameEdit.Text(), "C:\\ソフト");
  EXPECT_EQ(FolderDialog.NameEdit.Text(), "ソフト");
  EXPECT_EQ(FolderDialog.ExecFolderEdit.Text(), "D:\\Work");
  ASSERT_EQ(Boxes.FolderFlags.size(), 2u);
  EXPECT_EQ(Boxes.FolderFlags[0], 1u);      // BIF_RETURNONLYFSDIRS
  EXPECT_EQ(Boxes.FilePresets.size(), 3u);  // the folder launcher asked no file chooser
}

TEST_F(DialogTest, AChosenFolderIsNamedAfterItsLastPart) {
  TLauncherFolder Folder(Root.get());
  TLauncherPropertyForm Dialog;
  Dialog.LoadItem(&Folder);
  // The second byte 0x5C of 表 is no backslash; a drive root has no last part.
  for (auto [Chosen, Name] : {std::pair{"C:\\users\\root\\Documents\\", "Documents"},
                              {"C:\\表\\", "表"},
                              {"\\\\srv\\share\\", "share"},
                              {"C:\\", "C:\\"}}) {
    Boxes.FolderAnswers = {Chosen};
    Dialog.RefButtonClick();
    EXPECT_EQ(Dialog.NameEdit.Text(), Name) << Chosen;
  }
}

TEST_F(DialogTest, OkRefusesABlankNameAndStaysOnTheNameField) {
  TLauncherPropertyForm Dialog;
  Dialog.LoadItem(AddTo<TLauncherExec>(Root.get(), "Edit", "C:\\Tools\\edit.exe"));
  std::vector<TModalResult> Results;
  TForm::ModalUser = [&](TForm&) {
    for (const char* Name : {"", "  ", "\t", "　", "x"}) {  // "　" is full-width
      Dialog.PageControl1.SetActivePage(&Dialog.TabSheet2);
      Dialog.NameEdit.SetText(Name);
      Dialog.Button1.Click();
      Results.push_back(Dialog.ModalResult());
      if (Results.back() == mrNone) {
        EXPECT_EQ(Dialog.FocusedControl(), &Dialog.NameEdit);
      }
    }
  };
  EXPECT_EQ(Dialog.ShowModal(), mrOk);
  EXPECT_EQ(Results, (std::vector<TModalResult>{mrNone, mrNone, mrNone, mrNone, mrOk}));
  EXPECT_EQ(Boxes.Texts, std::vector<std::string>(4, "ランチャの名前を入力してください"));
}

TEST_F(DialogTest, HelpOpensThePageOfTheKind) {
  TLauncherFolder Folder(Root.get());
  TLauncherURL Url(Root.get());
  for (TLauncher* L : {static_cast<TLauncher*>(&Folder), static_cast<TLauncher*>(&Url)}) {
    TLauncherPropertyForm Dialog;
    Dialog.LoadItem(L);
    Dialog.Button3.Click();
  }
  TGroupPropertyForm Group;
  Group.LoadItem(Root.get());
  Group.Button3.Click();
  ASSERT_EQ(FakeShell.Executions.size(), 3u);
  EXPECT_EQ(FakeShell.Executions[0].File, "C:\\Lantern\\Help\\LaunchFolderProp.html");
  EXPECT_EQ(FakeShell.Executions[1].File, "C:\\Lantern\\Help\\LauncherProp.html");
  EXPECT_EQ(FakeShell.Executions[2].File, "C:\\Lantern\\Help\\Top.html");
  for (const auto& E : FakeShell.Executions) {
    EXPECT_EQ(E.Verb, "");
    EXPECT_EQ(E.ShowCommand, 5);  // SW_SHOW
  }
  // A page that does not open is named in the error box.
  FakeShell.ExecuteResult = SeErrFnf;
  Boxes.Texts.clear();
  Application().Guard([&] { Group.Button3.Click(); });
  EXPECT_EQ(Boxes.Texts, std::vector<std::string>{
                             ShellFailedText(TShellTask::OpenPage, "C:\\Lantern\\Help\\Top.html",
                                             FakeShell.ErrorText(ErrorFileNotFound))});
}

// ---- The colours of an item ----

TEST(ColorPageLayout, ExamplesBesideTheirButtonsStandAsOnTheSettingsPage) {
  TForm Page;
  TColorSetEditor E(Page, TColorDialogKind::Settings);
  E.LayOut({208, 24, 48, true, 112, 100, 144, 328, 216});
  struct {
    TWinControl& Control;
    int Left, Top, Width;
  } Cases[] = {{E.Label17, 168, 52, 51},
               {E.ColorExampleCombo, 224, 48, 97},
               {E.AddColorExampleButton, 328, 48, 73},
               {E.ColorExampleDeleteButton, 328, 72, 75},
               {E.FontColorLabel, 224, 126, 52},
               {E.ResetButton, 328, 216, 68}};
  for (const auto& c : Cases)
    EXPECT_EQ(std::make_tuple(c.Control.Left(), c.Control.Top(), c.Control.Width()),
              std::make_tuple(c.Left, c.Top, c.Width))
        << "row " << (&c - Cases);
}

TEST_F(DialogTest, TheBoxShowsSharedOrOwnColoursAndEnablesTheEditorByItsState) {
  TLauncherExec* L = AddTo<TLauncherExec>(Root.get(), "L", "C:\\L.exe");
  const TColorSet Own = {0x111111, 0x222222, 0x333333, 0x444444}, Common = {0xAA, 1, 2, 3},
                  Kind = {0xBB00, 4, 5, 6};
  L->SetColors(Own);
  Root->SetColors(Common);
  Root->LauncherColors().SetColors(Kind);
  struct {
    bool Own, KindUseOwn;
    TColorSet Shown;
  } Cases[] = {{false, false, Common}, {false, true, Kind}, {true, false, Own}};
  for (const auto& c : Cases) {
    L->SetOwnColors(c.Own);
    Root->LauncherColors().SetUseOwn(c.KindUseOwn);
    TLauncherPropertyForm Dialog;
    Dialog.LoadItem(L);
    TColorSetEditor& E = Dialog.Colors;
    EXPECT_EQ(E.CommonColorCheck.Checked(), !c.Own);
    EXPECT_EQ(E.Colors(), c.Shown);
    for (TWinControl* Control :
         {static_cast<TWinControl*>(&E.BackColorLabel),
          static_cast<TWinControl*>(&E.BackColorPanel),
          static_cast<TWinControl*>(&E.SelectedFontColorPanel),
          static_cast<TWinControl*>(&E.ResetButton), static_cast<TWinControl*>(&E.Label17),
          static_cast<TWinControl*>(&E.ColorExampleCombo),
          static_cast<TWinControl*>(&E.AddColorExampleButton)})
      EXPECT_EQ(Control->Enabled(), c.Own);
    EXPECT_FALSE(E.ColorExampleDeleteButton.Enabled());
  }
}

TEST_F(DialogTest, UntickingShowsTheStoredColoursAndTickingKeepsThem) {
  TFolder* G = AddFolder(Root.get(), "G");
  G->SetOwnColors(false);
  G->SetColors({0x123456, 0, 0, 0});
  TGroupPropertyForm Dialog;
  Dialog.LoadItem(G);
  EXPECT_EQ(Dialog.Colors.BackColorPanel.Color(), clBtnFace);  // the common colours
  Dialog.Colors.CommonColorCheck.NativeClick();
  EXPECT_EQ(Dialog.Colors.BackColorPanel.Color(), 0x123456);
  Boxes.ColorAnswers = {0x654321};
  Dialog.Colors.BackColorLabel.Click();
  EXPECT_EQ(Boxes.ColorPresets.back(), 0x123456);
  EXPECT_EQ(Dialog.Colors.BackColorPanel.Color(), 0x654321);
  // Ticked again before OK: the group's colours stay as stored.
  Dialog.Colors.CommonColorCheck.NativeClick();
  Dialog.NameEdit.SetText("");
  Dialog.StoreItem();
  EXPECT_FALSE(G->OwnColors());
  EXPECT_EQ(G->Colors().BackColor, 0x123456);
  EXPECT_EQ(G->Name(), "");
}

TEST_F(DialogTest, OkWithOwnColoursStoresTheSwatches) {
  TRecycledFolder* Bin = Trash;
  TGroupPropertyForm Dialog;
  Dialog.LoadItem(Bin);
  Dialog.Colors.CommonColorCheck.NativeClick();
  Boxes.ColorAnswers = {0x0000FF, 0x00FF00};
  Dialog.Colors.SelectedFontColorPanel.Click();  // the swatches open the chooser as well
  Dialog.Colors.FontColorPanel.Click();
  Dialog.NameEdit.SetText("くず");
  Dialog.StoreItem();
  EXPECT_TRUE(Bin->OwnColors());
  EXPECT_EQ(Bin->Colors().SelectedFontColor, 0x0000FF);
  EXPECT_EQ(Bin->Colors().FontColor, 0x00FF00);
  EXPECT_EQ(Bin->Colors().BackColor, clBtnFace);
  EXPECT_EQ(Bin->Name(), "くず");
}

TEST_F(DialogTest, ResetBringsBackTheSystemsMenuColours) {
  TLauncherExec* L = AddTo<TLauncherExec>(Root.get(), "L", "C:\\L.exe");
  L->SetOwnColors(true);
  L->SetColors({1, 0, 0, 2});
  TLauncherPropertyForm Dialog;
  Dialog.LoadItem(L);
  Dialog.Colors.ResetButton.Click();
  EXPECT_EQ(Dialog.Colors.Colors(), DefaultColorSet);
  EXPECT_EQ(Dialog.Colors.BackColorPanel.Color(), static_cast<TColor>(0x8000000F));
  EXPECT_EQ(Dialog.Colors.SelectedFontColorPanel.Color(), static_cast<TColor>(0x8000000E));
}

TEST_F(DialogTest, ThePreviewDrawsTwoRowsAsTheMenuDrawsThem) {
  TLauncherExec* L = AddTo<TLauncherExec>(Root.get(), "L", "C:\\L.exe");
  L->SetOwnColors(true);
  L->SetColors({0x10, 0x20, 0x30, 0x40});
  for (int Height : {-12, -20}) {
    Root->Font().SetHeight(Height);
    TLauncherPropertyForm Dialog;
    Dialog.LoadItem(L);
    TPaintPanel& Image = Dialog.Colors.Image1;
    TRecordingCanvas Canvas;
    Image.Paint(Canvas);
    // The recording canvas gives each byte half the font's height: "通常の状態" is 10 bytes.
    const int Width = 10 * (-Height / 2) + 32;
    const int Row = std::max(-Height + 4, 19);
    bool Desktop = false, Normal = false, Selected = false, Frame = false;
    for (const auto& R : Canvas.Records) {
      if (R.Op == TRecordingCanvas::TOp::Fill && R.Color == static_cast<TColor>(0x80000001) &&
          R.Rect.Right == 177 && R.Rect.Bottom == 105)
        Desktop = true;
      if (R.Op == TRecordingCanvas::TOp::Text && R.Text == "通常の状態") {
        Normal = R.Rect.Left == 32 && R.Color == 0x20 && R.Font.Height() == Height;
      }
      if (R.Op == TRecordingCanvas::TOp::Text && R.Text == "選択状態")
        Selected = R.Rect.Left == 32 && R.Color == 0x40 &&
                   R.Rect.Top == 10 + Row + (Row - (-Height) + 1) / 2;
      if (R.Op == TRecordingCanvas::TOp::Fill && R.Color == 0x30) {
        EXPECT_EQ(R.Rect.Left == 30 && R.Rect.Top == 10 + Row && R.Rect.Right == 10 + Width &&
                      R.Rect.Bottom == 10 + 2 * Row,
                  true);
      }
      if (R.Op == TRecordingCanvas::TOp::Line && R.Color == clBtnHighlight) Frame = true;
    }
    EXPECT_TRUE(Desktop && Normal && Selected && Frame) << Height;
  }
}

// ---- Colour examples ----

TEST_F(DialogTest, ExamplesAreAddedOverwrittenAfterAskingAndDeleted) {
  WriteColors(Entry("海", 1, 2, 3, 4) + Entry("海", 5, 6, 7, 8));
  TLauncherExec* L = AddTo<TLauncherExec>(Root.get(), "L", "C:\\L.exe");
  L->SetOwnColors(true);
  {
    TLauncherPropertyForm Dialog;
    Dialog.LoadItem(L);
    TColorSetEditor& E = Dialog.Colors;
    ASSERT_EQ(E.ColorExampleCombo.Items().Count(), 2);  // both, though named alike
    E.ColorExampleCombo.NativeTextChanged("");
    E.AddColorExampleButton.Click();
    EXPECT_EQ(Boxes.Texts.back(), "色の例につける名前を入力してください");
    E.ColorExampleCombo.NativeTextChanged("  ");  // blanks are a name
    E.AddColorExampleButton.Click();
    ASSERT_EQ(E.ColorExampleCombo.Items().Count(), 3);
    EXPECT_EQ(E.ColorExampleCombo.Items()[2], "  ");
    EXPECT_EQ(E.ColorExampleCombo.ItemIndex(), -1);
    // The same name again: asked, No keeps, Yes overwrites the first of that name.
    E.ColorExampleCombo.NativeTextChanged("海");
    E.ResetButton.Click();
    Boxes.Answers = {mrNo, mrYes};
    E.AddColorExampleButton.Click();
    EXPECT_EQ(Boxes.Texts.back(), "海 が存在します。上書きしますか");
    EXPECT_EQ(E.Examples().Items(0)->Colors().BackColor, 1);
    E.AddColorExampleButton.Click();
    EXPECT_EQ(E.Examples().Items(0)->Colors().BackColor, clBtnFace);
    EXPECT_EQ(E.Examples().Items(1)->Colors().BackColor, 5);
    // Deleting the chosen example; without a choice nothing goes.
    E.ColorExampleCombo.NativeSelect(1);
    E.ColorExampleDeleteButton.Click();
    EXPECT_EQ(E.ColorExampleCombo.Items().Count(), 2);
    E.ColorExampleDeleteButton.Click();
    EXPECT_EQ(E.Examples().Count(), 2);
  }
  // Written when the dialog goes, whatever its result.
  EXPECT_EQ(ReadColors(), Entry("海", -2147483633, -2147483630, -2147483635, -2147483634) +
                              Entry("  ", -2147483633, -2147483630, -2147483635, -2147483634));
}

TEST_F(DialogTest, ChoosingAnExampleAppliesItOnceForEachRealChange) {
  WriteColors(Entry("A", 1, 2, 3, 4) + Entry("B", 5, 6, 7, 8) + Entry("C", 9, 10, 11, 12));
  TFolder* G = AddFolder(Root.get(), "G");
  G->SetOwnColors(true);
  TGroupPropertyForm Dialog;
  Dialog.LoadItem(G);
  TColorSetEditor& E = Dialog.Colors;
  auto Choose = [&](int Index) { E.ColorExampleCombo.NativeSelect(Index); };
  Choose(0);
  EXPECT_EQ(E.Colors(), (TColorSet{1, 2, 3, 4}));
  EXPECT_TRUE(E.ColorExampleDeleteButton.Enabled());
  // Changed by hand, then the same choice told again: nothing happens.
  E.ResetButton.Click();
  E.ColorExampleComboChange();
  EXPECT_EQ(E.Colors(), DefaultColorSet);
  Choose(1);
  Choose(0);
  EXPECT_EQ(E.Colors(), (TColorSet{1, 2, 3, 4}));
  // After a deletion another example stands at that index: choosing it applies it.
  E.ColorExampleDeleteButton.Click();
  Choose(0);
  EXPECT_EQ(E.Colors(), (TColorSet{5, 6, 7, 8}));
  // Typing a name leaves no choice: the delete button goes off.
  E.ColorExampleCombo.NativeTextChanged("D");
  EXPECT_FALSE(E.ColorExampleDeleteButton.Enabled());
}

TEST_F(DialogTest, ALaterDialogOfTheSameKindAppliesTheIndexChosenBefore) {
  WriteColors(Entry("A", 1, 2, 3, 4));
  TFolder* G = AddFolder(Root.get(), "G");
  G->SetOwnColors(true);
  for (int Round = 0; Round < 2; ++Round) {
    TGroupPropertyForm Dialog;
    Dialog.LoadItem(G);
    Dialog.Colors.ColorExampleCombo.NativeSelect(0);
    EXPECT_EQ(Dialog.Colors.Colors(), (TColorSet{1, 2, 3, 4})) << Round;
  }
}

TEST_F(DialogTest, ExamplesAddedBeforeCancelAreThereNextTime) {
  EXPECT_FALSE(ColorsExist());
  TFolder* G = AddFolder(Root.get(), "G");
  {
    TGroupPropertyForm Dialog;
    Dialog.LoadItem(G);
  }
  // Opening and closing leaves an empty file behind.
  EXPECT_TRUE(ColorsExist());
  EXPECT_EQ(ReadColors(), "");
  G->SetOwnColors(true);
  {
    TGroupPropertyForm Dialog;
    Dialog.LoadItem(G);
    Dialog.Colors.ColorExampleCombo.NativeTextChanged("夕焼け");
    TForm::ModalUser = [](TForm& Form) { Form.DialogKey(VkEscape, 0); };
    EXPECT_EQ(Dialog.ShowModal(), mrCancel);
    Dialog.Colors.AddColorExampleButton.Click();
  }
  TLauncherExec* L = AddTo<TLauncherExec>(Root.get(), "L", "C:\\L.exe");
  TLauncherPropertyForm Other;
  Other.LoadItem(L);
  ASSERT_EQ(Other.Colors.ColorExampleCombo.Items().Count(), 1);
  EXPECT_EQ(Other.Colors.ColorExampleCombo.Items()[0], "夕焼け");
}

TEST_F(DialogTest, ADamagedColorFileIsToldOnceAndNeverLost) {
  const std::string Damaged =
      Entry("A", 1, 2, 3, 4) + "[COLOREXAMPLE]\r\nB\r\n5\r\nxyz\r\n" + Entry("C", 9, 10, 11, 12);
  WriteColors(Damaged);
  TFolder* G = AddFolder(Root.get(), "G");
  G->SetOwnColors(true);
  {
    TGroupPropertyForm Dialog;
    Dialog.LoadItem(G);
    ASSERT_EQ(Dialog.Colors.ColorExampleCombo.Items().Count(), 1);  // what was read
    EXPECT_TRUE(Boxes.Texts.empty());                               // not before the dialog shows
    Dialog.ShowModal();
    Dialog.ShowModal();
    ASSERT_EQ(Boxes.Texts.size(), 1u);
    EXPECT_NE(Boxes.Texts[0].find("Color.dat"), std::string::npos);
    EXPECT_NE(Boxes.Texts[0].find("xyz"), std::string::npos);
  }
  EXPECT_EQ(ReadColors(), Damaged);  // unchanged examples: the file stays
  EXPECT_FALSE(PathExists(Files.RealPath(ColorFile + ".bad")));
  {
    TGroupPropertyForm Dialog;
    Dialog.LoadItem(G);
    Dialog.Colors.ColorExampleCombo.NativeTextChanged("D");
    Dialog.Colors.AddColorExampleButton.Click();
  }
  EXPECT_EQ(ReadFileBytes(Files.RealPath(ColorFile + ".bad")), Damaged);
  EXPECT_EQ(ReadColors(), Entry("A", 1, 2, 3, 4) +
                              Entry("D", -2147483633, -2147483630, -2147483635, -2147483634));
}

TEST_F(DialogTest, AColorFileThatCannotBeWrittenIsReportedNotThrown) {
  TFolder* G = AddFolder(Root.get(), "G");
  G->SetOwnColors(true);
  Files.FailReplace = true;
  {
    TGroupPropertyForm Dialog;
    Dialog.LoadItem(G);
    Dialog.Colors.ColorExampleCombo.NativeTextChanged("D");
    Dialog.Colors.AddColorExampleButton.Click();
  }
  EXPECT_EQ(Boxes.Texts.size(), 1u);
  EXPECT_FALSE(ColorsExist());
}

}  // namespace
}  // namespace lantern
