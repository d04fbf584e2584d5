// The settings dialog, windowless: what it shows for the stored settings, what OK gives back,
// the controls that follow their switches, the hot key list, the masks and the colour page.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dialogs/EnvSet.h"
#include "model/FilterList.h"
#include "model/Root.h"
#include "support/DialogFixture.h"

namespace lantern {
namespace {

class EnvSetTest : public DialogFixture {
 protected:
  // The settings after OK, from a dialog loaded with Stored and changed by User.
  TSettings Applied(const TSettings& Stored, const std::function<void(TEnvSetForm&)>& User = {}) {
    TEnvSetForm Dialog(Stored, *Root);
    if (User) User(Dialog);
    TSettings Out = Stored;
    Dialog.ApplySettings(Out);
    return Out;
  }
};

// Every setting the dialog shows comes back from OK as it went in, when no value is one that
// the dialog brings into a range or maps to a radio button's value.
TEST_F(EnvSetTest, EverySettingComesBackUnchangedFromOk) {
  TSettings S;
  S.HotKeyEnabled = false, S.HotKeyCtrl = true, S.HotKeyShift = false, S.HotKeyAlt = true;
  S.HotKey = 0x41;
  S.UseWatchApp = false, S.NotWatchNetwortApp = true, S.WatchAppInterval = 35;
  S.MoveFirstPosition = false, S.UpperFirst = false;
  S.DispRegisterIcon = false, S.IconLeftClickPopupMenu = false;
  S.ExplorerOption = "/e,/root,";
  S.FixMenuPos = true, S.MenuXPos = 123, S.MenuYPos = 45;
  S.MouseFormEnabled = false, S.MouseFormOffsetX = -7, S.MouseFormOffsetY = 99;
  S.MouseAppearInterval = 0, S.MouseFormWidth = 100, S.MouseFormHeight = 1;
  S.MouseFormColor = 0x123456, S.WavingMouse = true;
  S.UchidenoKoduti = true, S.UchideMovingCount = 2, S.UchideLeftFast = false;
  S.UchideRangeX = 150;
  Root->SetExplorerOption(S.ExplorerOption);
  // Applied into the defaults, so that a value never carried over shows.
  TEnvSetForm Dialog(S, *Root);
  TSettings Out;
  Dialog.ApplySettings(Out);
  Out.DataFileName = S.DataFileName;
  const auto Fields = [](const TSettings& V) {
    return std::vector<int>{V.HotKeyEnabled,       V.HotKeyCtrl,       V.HotKeyShift,
                            V.HotKeyAlt,           V.HotKey,           V.UseWatchApp,
                            V.NotWatchNetwortApp,  V.WatchAppInterval, V.MoveFirstPosition,
                            V.UpperFirst,          V.DispRegisterIcon, V.IconLeftClickPopupMenu,
                            V.FixMenuPos,          V.MenuXPos,         V.MenuYPos,
                            V.MouseFormEnabled,    V.MouseFormOffsetX, V.MouseFormOffsetY,
                            V.MouseAppearInterval, V.MouseFormWidth,   V.MouseFormHeight,
                            V.MouseFormColor,      V.WavingMouse,      V.UchidenoKoduti,
                            V.UchideMovingCount,   V.UchideLeftFast,   V.UchideRangeX};
  };
  EXPECT_EQ(Fields(Out), Fields(S));
  EXPECT_EQ(Out.ExplorerOption, S.ExplorerOption);
}

// Numbers the dialog converts, maps or brings into a spin's range: what it shows, and what OK
// stores untouched and after the user set the spin.
TEST_F(EnvSetTest, NumbersAreShownInTheirRangeAndKeptUntilChanged) {
  struct {
    const char* Name;
    int TSettings::*Member;
    TUpDown TEnvSetForm::*Spin;  // null: a radio group
    int Stored, Shown, Kept, Set, AfterSet;
  } Cases[] = {
      {"25 ticks are 5 s", &TSettings::WatchAppInterval, &TEnvSetForm::WatchAppIntervalUpDown, 25,
       5, 25, 8, 40},
      {"7 ticks show 1 s", &TSettings::WatchAppInterval, &TEnvSetForm::WatchAppIntervalUpDown, 7, 1,
       5, 2, 10},
      {"3 ticks: 0 s, below 1", &TSettings::WatchAppInterval, &TEnvSetForm::WatchAppIntervalUpDown,
       3, 1, 3, 2, 10},
      {"x beyond the screen", &TSettings::MenuXPos, &TEnvSetForm::XUpDown, 5000, 1024, 5000, 1000,
       1000},
      {"offset below -100", &TSettings::MouseFormOffsetX, &TEnvSetForm::MouseFormOffsetXUpDown,
       -300, -100, -300, -99, -99},
      {"typed past the end", &TSettings::MouseFormWidth, &TEnvSetForm::MouseFormWidthUpDown, 20, 20,
       20, 500, 100},
  };
  Sys.Width = 1024;
  for (const auto& c : Cases) {
    SCOPED_TRACE(c.Name);
    TSettings S;
    S.*c.Member = c.Stored;
    EXPECT_EQ(
        Applied(S, [&](TEnvSetForm& D) { EXPECT_EQ((D.*c.Spin).Position(), c.Shown); }).*c.Member,
        c.Kept);
    EXPECT_EQ(
        Applied(S,
                [&](TEnvSetForm& D) { (D.*c.Spin).Associate()->SetText(std::to_string(c.Set)); }).*
            c.Member,
        c.AfterSet);
  }
}

TEST_F(EnvSetTest, WaveRadiosMapStoredValuesToTheirOwn) {
  struct {
    int Range, Count;
    bool LeftFast;
    int Range2, Count2;
  } Cases[] = {{0, 0, true, 50, 1},   {50, 1, false, 50, 1},  {51, 2, true, 100, 2},
               {75, 9, true, 100, 2}, {100, 1, true, 100, 1}, {101, 1, false, 150, 1}};
  for (const auto& c : Cases) {
    TSettings S;
    S.UchideRangeX = c.Range, S.UchideMovingCount = c.Count, S.UchideLeftFast = c.LeftFast;
    const TSettings Out = Applied(S);
    EXPECT_EQ(Out.UchideRangeX, c.Range2) << c.Range;
    EXPECT_EQ(Out.UchideMovingCount, c.Count2) << c.Count;
    EXPECT_EQ(Out.UchideLeftFast, c.LeftFast);
  }
}

// Whatever the registry holds, no control is enabled while the switch it depends on is off.
TEST_F(EnvSetTest, DependentControlsFollowTheLoadedSwitches) {
  for (bool On : {false, true}) {
    SCOPED_TRACE(On);
    TSettings S;
    S.UseWatchApp = S.MoveFirstPosition = S.HotKeyEnabled = S.MouseFormEnabled = On;
    S.UchidenoKoduti = false;
    Root->SetExplorerOption(On ? "/e," : "/root,");
    TEnvSetForm D(S, *Root);
    std::vector<TWinControl*> Dependents = {&D.NotWatchNetwortAppCheck,
                                            &D.UpperRadio,
                                            &D.LowerRadio,
                                            &D.DispRootExplorerCheck,
                                            &D.Label16,
                                            &D.MouseFormColorPanel,
                                            &D.GroupBox4,
                                            &D.Edit3};
    for (TWinControl* Control : D.HotKeyPanel.Controls()) Dependents.push_back(Control);
    for (TWinControl* Control : Dependents) EXPECT_EQ(Control->Enabled(), On);
  }
  // A lone "/root," stays as loaded until the tree pane's box is clicked.
  Root->SetExplorerOption("/root,");
  EXPECT_EQ(Applied(TSettings()).ExplorerOption, "/root,");
}

TEST_F(EnvSetTest, ExplorerBoxesGiveTheirOptionStrings) {
  struct {
    const char* Stored;
    std::function<void(TEnvSetForm&)> User;
    const char* After;
  } Cases[] = {
      {"", nullptr, ""},
      {"", [](TEnvSetForm& D) { D.DispTreeExplorerCheck.NativeClick(); }, "/e,"},
      {"/e,", [](TEnvSetForm& D) { D.DispRootExplorerCheck.NativeClick(); }, "/e,/root,"},
      // Unticking the tree pane unticks and disables the root.
      {"/e,/root,", [](TEnvSetForm& D) { D.DispTreeExplorerCheck.NativeClick(); }, ""},
  };
  for (const auto& c : Cases) {
    Root->SetExplorerOption(c.Stored);
    EXPECT_EQ(Applied(TSettings(), c.User).ExplorerOption, c.After) << c.Stored;
  }
}

TEST_F(EnvSetTest, TheGestureUntickedGivesTheChasingWindowBackAndBothTickedTheGestureWins) {
  TSettings S;
  S.MouseFormEnabled = true;
  TEnvSetForm D(S, *Root);
  D.UchidenoKodutiCheck.NativeClick();
  EXPECT_FALSE(D.MouseFormEnabledCheck.Checked());
  EXPECT_FALSE(D.Edit3.Enabled());
  D.UchidenoKodutiCheck.NativeClick();
  EXPECT_TRUE(D.MouseFormEnabledCheck.Checked());
  EXPECT_TRUE(D.Edit3.Enabled());
  D.UchidenoKodutiCheck.NativeClick();
  D.MouseFormEnabledCheck.NativeClick();
  TSettings Out;
  D.ApplySettings(Out);
  EXPECT_TRUE(Out.UchidenoKoduti);
  EXPECT_FALSE(Out.MouseFormEnabled);
}

// ---- The hot key ----

TEST_F(EnvSetTest, AnExtendedKeyOpensTheLongListWithItsWarningAndUntickingDropsIt) {
  TSettings S;
  S.HotKey = 0x70;  // F1
  TEnvSetForm D(S, *Root);
  EXPECT_TRUE(D.ExpandHotKeyCheck.Checked());
  EXPECT_EQ(D.HotKeyCombo.Items().Count(), static_cast<int>(HotKeyTable.size()));
  EXPECT_EQ(D.HotKeyCombo.Text(), "F1");
  EXPECT_TRUE(Boxes.Texts.empty());  // the warning waits for the dialog to show
  D.OnShow(&D);
  ASSERT_EQ(Boxes.Texts.size(), 1u);
  EXPECT_EQ(Boxes.Texts[0].rfind("ホットキーを拡張すると", 0), 0u);
  D.ExpandHotKeyCheck.NativeClick();
  EXPECT_EQ(D.HotKeyCombo.Items().Count(), NormalHotKeyCount);
  EXPECT_EQ(D.HotKeyCombo.ItemIndex(), -1);
  EXPECT_EQ(D.HotKeyCombo.Text(), "");  // no key shown that OK would not store
  TSettings Out;
  D.ApplySettings(Out);
  EXPECT_EQ(Out.HotKey, 0);
  EXPECT_EQ(Boxes.Texts.size(), 1u);  // unticking warns of nothing
}

TEST_F(EnvSetTest, EveryTableKeyLoadsAndComesBackAndOnlyTheLongListsKeysExtendIt) {
  for (int i = 0; i < static_cast<int>(HotKeyTable.size()); ++i) {
    TSettings S;
    S.HotKey = static_cast<int>(HotKeyTable[static_cast<std::size_t>(i)].Code);
    TEnvSetForm D(S, *Root);
    EXPECT_EQ(D.HotKeyCombo.ItemIndex(), i);
    EXPECT_EQ(D.ExpandHotKeyCheck.Checked(), i >= NormalHotKeyCount);
    TSettings Out;
    D.ApplySettings(Out);
    EXPECT_EQ(Out.HotKey, S.HotKey);
  }
  EXPECT_EQ(std::string(HotKeyTable[43].Name), "Return");
}

// A key set in the registry by hand that neither list has: shown by its code, and stored again
// by an OK that leaves the hot key alone, whatever the list; a choice or typing replaces it.
TEST_F(EnvSetTest, AStoredKeyThatNoListHasIsKeptUntilTheUserChoosesAnother) {
  TSettings S;
  S.HotKey = 0x20;  // Space
  S.HotKeyCtrl = true, S.HotKeyShift = false;
  struct {
    const char* Name;
    std::function<void(TEnvSetForm&)> User;
    int Key;
  } Cases[] = {
      {"the interval changed", [](TEnvSetForm& D) { D.WatchAppIntervalEdit.SetText("9"); }, 0x20},
      {"the list extended", [](TEnvSetForm& D) { D.ExpandHotKeyCheck.NativeClick(); }, 0x20},
      {"TAB chosen", [](TEnvSetForm& D) { D.HotKeyCombo.NativeSelect(5); }, 0x09},
      {"the field emptied", [](TEnvSetForm& D) { D.HotKeyCombo.NativeTextChanged(""); }, 0},
  };
  for (const auto& c : Cases) {
    SCOPED_TRACE(c.Name);
    const TSettings Out = Applied(S, [&](TEnvSetForm& D) {
      EXPECT_EQ(D.HotKeyCombo.Text(), "その他のキー (0x20)");
      c.User(D);
    });
    EXPECT_EQ(Out.HotKey, c.Key);
    EXPECT_TRUE(Out.HotKeyCtrl);
  }
}

// ---- The data file ----

// OK checks a new data file name: a whole path to a file whose folder is there, or made now.
// A refusal keeps the dialog open on the general page with the name to be corrected.
TEST_F(EnvSetTest, ANewDataFileNameMustNameAFileInAFolderThatIsThere) {
  WriteFileBytes(Files.RealPath("C:\\blocker"), "");  // a file where a folder would go
  auto Ask = [](const std::string& Folder) {
    return "データファイルのフォルダ " + Folder + " がありません。作成しますか？";
  };
  const std::string Folder = " はフォルダです。データファイルのファイル名まで書いてください。";
  struct {
    std::string Typed;
    std::vector<TModalResult> Answers;
    bool Taken;
    std::vector<std::string> Told;
  } Cases[] = {
      {"C:\\Lantern\\next.dat", {}, true, {}},
      {"C:\\Lantern\\Lantern.dat", {}, true, {}},  // back to the one in use
      {"  ", {}, false, {"データファイル名を入力してください。"}},
      {"C:next.dat",
       {},
       false,
       {"データファイル名 C:next.dat は完全なパスではありません。ドライブ（C:\\...）か、ネットワー"
        "クの共有（\\\\サーバー\\共有\\...）から書いてください。"}},
      {"C:\\Lantern", {}, false, {"C:\\Lantern" + Folder}},
      {"C:\\New\\", {}, false, {"C:\\New\\" + Folder}},
      {"C:\\New\\Sub\\next.dat", {mrYes}, true, {Ask("C:\\New\\Sub")}},
      {"C:\\Other\\next.dat", {mrNo}, false, {Ask("C:\\Other")}},
      {"\\\\srv\\share\\next.dat", {mrNo}, false, {Ask("\\\\srv\\share\\")}},
      {"C:\\blocker\\next.dat",
       {mrYes},
       false,
       {Ask("C:\\blocker"),
        "フォルダ C:\\blocker を作成できませんでした。別の場所を選んでください。"}},
  };
  TSettings S;
  S.DataFileName = "C:\\Lantern\\Lantern.dat";
  for (const auto& c : Cases) {
    SCOPED_TRACE(c.Typed);
    Boxes.Texts.clear();
    Boxes.Answers.assign(c.Answers.begin(), c.Answers.end());
    TEnvSetForm D(S, *Root);
    D.ShowNextDataFile("C:\\Lantern\\Pending.dat");
    D.PageControl1.SetActivePage(&D.TabSheet4);
    D.DataFileEdit.SetText(c.Typed);
    D.Button1.Click();
    EXPECT_EQ(D.ModalResult(), c.Taken ? mrOk : mrNone);
    EXPECT_EQ(Boxes.Texts, c.Told);
    if (!c.Taken)
      EXPECT_TRUE(D.PageControl1.ActivePage() == &D.TabSheet1 && D.DataFileEdit.Focused());
  }
  EXPECT_TRUE(Files.DirectoryExists("C:\\New\\Sub"));
  EXPECT_FALSE(Files.DirectoryExists("C:\\Other"));
}

// ---- The masks ----

TEST_F(EnvSetTest, MasksKeepTheirOrderAndBlanksAndBlankLinesAreDropped) {
  Root->Filters().Add("*.DLL");
  TEnvSetForm D(TSettings(), *Root);
  for (const char* Typed : {"  ", " *.TMP ", "", "a?.exe"}) {
    D.FilterEdit.SetText(Typed);
    D.Button5.Click();
  }
  D.FilterListBox.Items().Add("   ");  // as a changed line may be
  D.FilterListBox.NativeSelect(0);
  EXPECT_EQ(D.FilterEdit.Text(), "*.DLL");
  D.FilterDeleteButton.Click();
  TSettings Out;
  D.ApplySettings(Out);
  ASSERT_EQ(Root->Filters().Count(), 2);
  EXPECT_EQ(Root->Filters().Items(0).Mask(), " *.TMP ");
  EXPECT_EQ(Root->Filters().Items(1).Mask(), "a?.exe");
}

TEST_F(EnvSetTest, AMalformedMaskIsShownSelectedAndRefused) {
  TEnvSetForm D(TSettings(), *Root);
  for (const char* Mask : {"*.DLL", "[a-"}) D.FilterListBox.Items().Add(Mask);
  D.Button1.Click();
  EXPECT_EQ(D.ModalResult(), mrNone);
  EXPECT_EQ(D.PageControl1.ActivePage(), &D.TabSheet7);
  EXPECT_EQ(D.FilterListBox.ItemIndex(), 1);
  EXPECT_EQ(D.FilterEdit.Text(), "[a-");
  ASSERT_EQ(Boxes.Texts.size(), 1u);
  EXPECT_EQ(Boxes.Texts[0], TFilterItem("[a-").Error());
}

// ---- Colours and fonts ----

TEST_F(EnvSetTest, ColourCategoriesEditAWorkingCopyThatOkGivesTheTree) {
  Root->LauncherColors().SetUseOwn(false);
  Root->URLLauncherColors().SetUseOwn(true);
  TEnvSetForm D(TSettings(), *Root);
  D.ColorSetListBox.NativeSelect(2);  // ランチャ: the shared colours, not to be changed
  EXPECT_TRUE(D.Colors.CommonColorCheck.Visible());
  EXPECT_TRUE(D.Colors.CommonColorCheck.Checked());
  EXPECT_FALSE(D.Colors.BackColorPanel.Enabled());
  EXPECT_FALSE(D.FontButton.Enabled());
  EXPECT_EQ(D.Colors.Colors(), Root->Colors());
  D.Colors.CommonColorCheck.NativeClick();  // own colours from now on
  Boxes.ColorAnswers = {0x010203};
  D.Colors.BackColorPanel.Click();
  TFont Chosen;
  Chosen.SetName("Chosen");
  Boxes.FontAnswers = {Chosen};
  D.FontButton.Click();
  EXPECT_EQ(D.Colors.PreviewFont.Name(), "Chosen");
  D.ColorSetListBox.NativeSelect(4);  // URLランチャ: reset to the defaults and the dialog's font
  D.ResetButtonClick();
  EXPECT_EQ(Root->LauncherColors().Colors().BackColor, DefaultColorSet.BackColor);  // not yet
  D.ColorSetListBox.NativeSelect(0);
  EXPECT_FALSE(D.Colors.CommonColorCheck.Visible());
  TSettings Out;
  D.ApplySettings(Out);
  EXPECT_TRUE(Root->LauncherColors().UseOwn());
  EXPECT_EQ(Root->LauncherColors().Colors().BackColor, 0x010203);
  EXPECT_EQ(Root->LauncherColors().Font().Name(), "Chosen");
  EXPECT_EQ(Root->URLLauncherColors().Colors(), DefaultColorSet);
  EXPECT_EQ(Root->URLLauncherColors().Font(), D.Font());
}

}  // namespace
}  // namespace lantern
