// The settings store on its own, over the tree and a registry in memory: what it reads,
// writes and tells the window that follows it.
#include <gtest/gtest.h>

#include "main/Settings.h"
#include "model/FilterList.h"
#include "support/FakeFileSystem.h"
#include "support/FakeSystem.h"
#include "support/TreeFixture.h"
#include "ui/MemoryRegistry.h"

namespace lantern {
namespace {

class SettingsTest : public TreeFixture, public TSettingsTarget {
 protected:
  static inline const std::string Key = "Software\\ZR\\Lantern\\";
  void SetUp() override {
    TreeFixture::SetUp();
    OldRegistry = SetRegistry(&Memory);
    OldSystem = SetSystem(&Sys);
  }
  void TearDown() override {
    SetRegistry(OldRegistry);
    SetSystem(OldSystem);
    TreeFixture::TearDown();
  }
  // A store as a new start makes it, loaded.
  TSettingsStore& Load() {
    Store = std::make_unique<TSettingsStore>(*Root, *this);
    Told.clear();
    Store->Load();
    return *Store;
  }
  void ReadLayout(TSettings& Into) const override {
    Into.Left = Layout.Left;
    Into.Top = Layout.Top;
    Into.Width = Layout.Width;
    Into.Height = Layout.Height;
  }
  void SettingsChanged(unsigned Effects) override {
    Told.push_back(Effects);
    if (Effects & seLayout) Layout = Store->Values();
  }

  TMemoryRegistry Memory;
  TFakeSystem Sys;
  TRegistry* OldRegistry = nullptr;
  TSystem* OldSystem = nullptr;
  std::unique_ptr<TSettingsStore> Store;
  std::vector<unsigned> Told;  // each SettingsChanged's effects
  TSettings Layout;            // what the window shows
};

TEST_F(SettingsTest, AFirstStartWritesReleaseAndPathAndKeepsEveryDefault) {
  const TSettings& S = Load().Values();
  std::string Text;
  ASSERT_TRUE(Memory.ReadString(Key, "RELEASE", Text));
  EXPECT_EQ(Text, "r.1.2.3 Build 45");
  ASSERT_TRUE(Memory.ReadString(Key, "Path", Text));
  EXPECT_EQ(Text, "C:\\Program Files\\Lantern\\");
  EXPECT_TRUE(S.HotKeyEnabled && S.HotKeyShift && !S.HotKeyCtrl && !S.HotKeyAlt);
  EXPECT_EQ(S.HotKey, 27);
  EXPECT_EQ(S.WatchAppInterval, 25);
  EXPECT_EQ(S.MouseFormColor, 0x00FFFF);
  EXPECT_EQ(S.BackupDate, 0.0);
  EXPECT_EQ(S.DataFileName, "C:\\Program Files\\Lantern\\me.dat");
  // The window hears of everything once, centred on the 1024 x 768 screen.
  EXPECT_EQ(Told, std::vector<unsigned>{seAllEffects});
  EXPECT_EQ(Layout.Left, (1024 - 614) / 2);
  EXPECT_EQ(Layout.Top, (768 - 446) / 2);
  ASSERT_EQ(Root->Filters().Count(), 2);
  EXPECT_EQ(Root->Filters().Items(0).Mask(), "*\\SETUP.EXE");
  EXPECT_EQ(Root->Filters().Items(1).Mask(), "*.DLL");
}

// On a primary monitor at 150% the first window is half as large again, centred; stored
// bounds are screen pixels and stay as they are.
TEST_F(SettingsTest, TheFirstWindowIsScaledToThePrimaryMonitorAndStoredBoundsAreNot) {
  Sys.Monitors = {{0, 0, 1600, 1200, 144}};
  Sys.Width = 1600;
  Sys.Height = 1200;
  Load();
  EXPECT_EQ(std::make_tuple(Layout.Left, Layout.Top, Layout.Width, Layout.Height),
            std::make_tuple((1600 - 921) / 2, (1200 - 669) / 2, 921, 669));
  for (auto [Name, Value] : {std::pair{"Left", 10}, {"Top", 20}, {"Width", 614}, {"Height", 446}})
    Memory.WriteDWord(Key, Name, Value);
  Load();
  EXPECT_EQ(std::make_tuple(Layout.Left, Layout.Top, Layout.Width, Layout.Height),
            std::make_tuple(10, 20, 614, 446));
}

TEST_F(SettingsTest, TheDataFileIsNamedAfterTheUser) {
  for (const char* User : {"", "\x1Fodd"}) {
    Sys.User = User;
    EXPECT_EQ(Load().Values().DataFileName, "C:\\Program Files\\Lantern\\Default.dat");
  }
}

TEST_F(SettingsTest, SavingWritesTheWholeTableInOrderWithItsTypes) {
  Load().Save();
  EXPECT_EQ(Memory.ValueNames(Key),
            "RELEASE,PATH,HOTKEYENABLED,HOTKEYCTRL,HOTKEYSHIFT,HOTKEYALT,HOTKEY,USEWATCHAPP,"
            "NOTWATCHNETWORTAPP,WATCHAPPINTERVAL,MOVEFIRSTPOSITION,UPPERFIRST,DISPREGISTERICON,"
            "ICONLEFTCLICKPOPUPMENU,DATAFILENAME,EXPLOREROPTION,FIXMENUPOS,MENUXPOS,MENUYPOS,"
            "MOUSEFORMENABLED,MOUSEFORMOFFSETX,MOUSEFORMOFFSETY,MOUSEAPPEARINTERVAL,MOUSEFORMWIDTH,"
            "MOUSEFORMHEIGHT,MOUSEFORMCOLOR,WAVINGMOUSE,UCHIDENOKODUTI,UCHIDEMOVINGCOUNT,"
            "UCHIDELEFTFAST,UCHIDERANGEX,WIDTH,LEFT,HEIGHT,TOP,TREEVIEWWIDTH,COLUMNWIDTH0,"
            "COLUMNWIDTH1,BACKUPDATE,STARTMENUIMPORTED");
  for (const char* Name : {"DataFileName", "ExplorerOption"})
    EXPECT_EQ(Memory.ValueType(Key, Name), TRegDataType::String);
  EXPECT_EQ(Memory.ValueType(Key, "BackupDate"), TRegDataType::Binary);
  EXPECT_EQ(Memory.ValueType(Key, "UpperFirst"), TRegDataType::DWord);
  std::uint32_t Width = 0;
  EXPECT_TRUE(Memory.ReadDWord(Key, "TreeViewWidth", Width) && Width == 177);
  EXPECT_TRUE(Memory.KeyExists(Key + "Filter"));
}

TEST_F(SettingsTest, SettingsComeBackAsTheyWereSavedAndReachTheTree) {
  Load().Update([](TSettings& S) {
    S.HotKeyCtrl = true;
    S.HotKeyShift = false;
    S.MouseFormOffsetY = -5;
    S.UpperFirst = false;
    S.ExplorerOption = "/e,/root,";
    S.BackupDate = 45001.25;
  });
  EXPECT_FALSE(Root->UpperFirst());
  Layout.Left = 10;  // the user moved the window
  Layout.Top = 20;
  Root->Filters().Add("C:\\表示\\*");
  Store->Save();
  Root->SetUpperFirst(true);
  Root->SetExplorerOption("");
  const TSettings& S = Load().Values();
  EXPECT_TRUE(S.HotKeyCtrl && !S.HotKeyShift && !S.HotKeyAlt);
  EXPECT_EQ(S.MouseFormOffsetY, -5);
  EXPECT_EQ(S.BackupDate, 45001.25);
  EXPECT_FALSE(Root->UpperFirst());
  EXPECT_EQ(Root->ExplorerOption(), "/e,/root,");
  EXPECT_EQ(Layout.Left, 10);
  EXPECT_EQ(Layout.Top, 20);
  EXPECT_EQ(Root->Filters().Count(), 3);
}

// Values read only beside another: the hot key's modifiers with HotKeyCtrl (then all three
// replace the set, a missing one being off), the offset's Y with its X, the bounds with Top.
TEST_F(SettingsTest, GroupedValuesAreReadOnlyWithTheirLeader) {
  struct {
    std::vector<std::pair<const char*, std::uint32_t>> Stored;
    bool Ctrl, Shift, Alt;
    int OffsetX, OffsetY;
    int Left, Width;
  } Cases[] = {
      {{}, false, true, false, 20, 20, 205, 614},
      {{{"HotKeyShift", 0}, {"HotKeyAlt", 1}}, false, true, false, 20, 20, 205, 614},
      {{{"HotKeyCtrl", 0}, {"HotKeyShift", 0}, {"HotKeyAlt", 0}},
       false,
       false,
       false,
       20,
       20,
       205,
       614},
      {{{"HotKeyCtrl", 1}}, true, false, false, 20, 20, 205, 614},
      {{{"HotKeyCtrl", 0}, {"HotKeyAlt", 1}}, false, false, true, 20, 20, 205, 614},
      {{{"MouseFormOffsetY", 5}}, false, true, false, 20, 20, 205, 614},
      {{{"MouseFormOffsetX", 0xFFFFFFFD}}, false, true, false, -3, 20, 205, 614},
      {{{"MouseFormOffsetX", 7}, {"MouseFormOffsetY", 0xFFFFFFFB}},
       false,
       true,
       false,
       7,
       -5,
       205,
       614},
      // Without Top the window is centred at its default size: (1024 - 614) / 2.
      {{{"Left", 10}, {"Width", 700}, {"Height", 500}}, false, true, false, 20, 20, 205, 614},
      {{{"Top", 30}, {"Left", 10}, {"Width", 700}}, false, true, false, 20, 20, 10, 700},
  };
  for (auto& c : Cases) {
    SCOPED_TRACE(c.Stored.empty() ? "nothing" : c.Stored[0].first);
    Memory.DeleteKey(Key);
    for (auto& [Name, Value] : c.Stored) Memory.WriteDWord(Key, Name, Value);
    const TSettings& S = Load().Values();
    EXPECT_EQ(S.HotKeyCtrl, c.Ctrl);
    EXPECT_EQ(S.HotKeyShift, c.Shift);
    EXPECT_EQ(S.HotKeyAlt, c.Alt);
    EXPECT_EQ(S.MouseFormOffsetX, c.OffsetX);
    EXPECT_EQ(S.MouseFormOffsetY, c.OffsetY);
    EXPECT_EQ(Layout.Left, c.Left);
    EXPECT_EQ(Layout.Width, c.Width);
  }
}

TEST_F(SettingsTest, AValueOfAnotherTypeKeepsTheDefault) {
  Memory.WriteString(Key, "HotKey", "27");
  Memory.WriteDWord(Key, "DataFileName", 5);
  Memory.WriteRaw(Key, "BackupDate", TRegDataType::Binary, "short");
  Memory.WriteDWord(Key, "UpperFirst", 7);  // any value but 0 is true
  const TSettings& S = Load().Values();
  EXPECT_EQ(S.HotKey, 27);
  EXPECT_EQ(S.DataFileName, "C:\\Program Files\\Lantern\\me.dat");
  EXPECT_EQ(S.BackupDate, 0.0);
  EXPECT_TRUE(Root->UpperFirst());
}

// A number set by hand outside the range the settings dialog offers is loaded at its nearer end
// (the screen is 1024 x 768); one inside stays.
TEST_F(SettingsTest, NumbersOutsideTheirRangesAreLoadedAtTheNearerEnd) {
  struct {
    const char* Name;
    std::int32_t Stored;
    int TSettings::*Member;
    int Loaded;
  } Cases[] = {
      {"WatchAppInterval", -5, &TSettings::WatchAppInterval, 5},
      {"WatchAppInterval", 0, &TSettings::WatchAppInterval, 5},
      {"WatchAppInterval", 7, &TSettings::WatchAppInterval, 7},
      {"WatchAppInterval", 501, &TSettings::WatchAppInterval, 500},
      {"MenuXPos", -1, &TSettings::MenuXPos, 0},
      {"MenuXPos", 5000, &TSettings::MenuXPos, 1024},
      {"MenuYPos", 769, &TSettings::MenuYPos, 768},
      {"MouseFormOffsetX", -300, &TSettings::MouseFormOffsetX, -100},
      {"MouseAppearInterval", -1, &TSettings::MouseAppearInterval, 0},
      {"MouseAppearInterval", 100, &TSettings::MouseAppearInterval, 100},
      {"MouseFormWidth", 0, &TSettings::MouseFormWidth, 1},
      {"MouseFormHeight", 101, &TSettings::MouseFormHeight, 100},
      {"UchideMovingCount", 0, &TSettings::UchideMovingCount, 1},
      {"UchideMovingCount", 9, &TSettings::UchideMovingCount, 2},
      {"UchideRangeX", -20, &TSettings::UchideRangeX, 50},
      {"UchideRangeX", 75, &TSettings::UchideRangeX, 75},
  };
  for (const auto& c : Cases) {
    SCOPED_TRACE(std::string(c.Name) + " " + std::to_string(c.Stored));
    Memory.DeleteKey(Key);
    Memory.WriteDWord(Key, c.Name, static_cast<std::uint32_t>(c.Stored));
    EXPECT_EQ(Load().Values().*c.Member, c.Loaded);
  }
  Memory.DeleteKey(Key);
  Memory.WriteDWord(Key, "MouseFormOffsetX", 0);
  Memory.WriteDWord(Key, "MouseFormOffsetY", 200);
  EXPECT_EQ(Load().Values().MouseFormOffsetY, 100);
}

// The chasing window and the gesture exclude each other: stored both on, the gesture wins;
// later the one switched on last.
TEST_F(SettingsTest, TheMouseSwitchesExcludeEachOther) {
  Memory.WriteDWord(Key, "MouseFormEnabled", 1);
  Memory.WriteDWord(Key, "UchidenoKoduti", 1);
  const TSettings& S = Load().Values();
  EXPECT_TRUE(S.UchidenoKoduti && !S.MouseFormEnabled);
  Store->Update([](TSettings& V) { V.MouseFormEnabled = true; });
  EXPECT_TRUE(S.MouseFormEnabled && !S.UchidenoKoduti);
  Store->Update([](TSettings& V) { V.UchidenoKoduti = true; });
  EXPECT_TRUE(S.UchidenoKoduti && !S.MouseFormEnabled);
}

// A change is told once with all its effects, and not at all when nothing changed: the
// settings dialog applies the hot key's switch, key and modifiers together.
TEST_F(SettingsTest, AnUpdateTellsEachEffectOfWhatChangedOnce) {
  Load();
  Told.clear();
  Store->Update([](TSettings& S) {
    S.HotKey = 0x70;
    S.HotKeyCtrl = true;
    S.MouseFormColor = 0xFF;
    S.WatchAppInterval = 3;
  });
  Store->Update([](TSettings& S) { S.HotKey = 0x70; });
  Store->Update([](TSettings& S) { S.MouseFormWidth = 30; });
  EXPECT_EQ(Told, (std::vector<unsigned>{seHotKey | seMouseFormColor, seMouseFormShape}));
}

// A data file name changed in the settings dialog is written there; the running program keeps
// its file and does not write its old name over the new one.
TEST_F(SettingsTest, AMovedProgramFolderTakesItsDataFileAlong) {
  const std::string Now = "C:\\Program Files\\Lantern\\";
  struct Case {
    const char* Before;  // the program's folder at the last start
    const char* Stored;
    std::vector<std::string> Existing;
    std::string Expected;
    bool Unreachable = false;
  };
  for (const Case& C : std::vector<Case>{
           {"c:\\old\\", "C:\\Old\\data\\me.dat", {Now + "data\\me.dat"}, Now + "data\\me.dat"},
           // Still there, elsewhere, or nothing to follow: the stored name holds.
           {"C:\\Old\\", "C:\\Old\\me.dat", {"C:\\Old\\me.dat", Now + "me.dat"}, "C:\\Old\\me.dat"},
           {"C:\\Old\\", "D:\\me.dat", {"D:\\x", Now + "me.dat"}, "D:\\me.dat"},
           {"C:\\Old\\", "C:\\Old\\me.dat", {"C:\\x"}, "C:\\Old\\me.dat"},
           // The old drive is there without the file: it moved. Not there (unplugged, offline):
           // the copy in the new folder may be an older one, and the stored name holds.
           {"D:\\Lantern\\", "D:\\Lantern\\me.dat", {"D:\\x", Now + "me.dat"}, Now + "me.dat"},
           {"D:\\Lantern\\", "D:\\Lantern\\me.dat", {Now + "me.dat"}, "D:\\Lantern\\me.dat", true},
           {"\\\\srv\\s\\", "\\\\srv\\s\\me.dat", {Now + "me.dat"}, "\\\\srv\\s\\me.dat", true},
       }) {
    TFakeFileSystem Files;
    TFileSystem* OldFiles = SetFileSystem(&Files);
    for (const std::string& File : C.Existing) Files.AddFile(File);
    Memory.WriteString(Key, "Path", C.Before);
    Memory.WriteString(Key, "DataFileName", C.Stored);
    EXPECT_EQ(Load().Values().DataFileName, C.Expected) << C.Stored;
    EXPECT_EQ(Store->DataFileUnreachable(), C.Unreachable) << C.Stored;
    std::string Path;
    EXPECT_TRUE(Memory.ReadString(Key, "Path", Path) && Path == Now);
    SetFileSystem(OldFiles);
  }
}

TEST_F(SettingsTest, AChangedDataFileNameIsNotWrittenOver) {
  Memory.WriteString(Key, "DataFileName", "C:\\data.dat");
  Load();
  Memory.WriteString(Key, "DataFileName", "C:\\next.dat");
  Store->SetDataFileNameChanged(true);
  Store->Save();
  std::string Stored;
  ASSERT_TRUE(Memory.ReadString(Key, "DataFileName", Stored));
  EXPECT_EQ(Stored, "C:\\next.dat");
  EXPECT_EQ(Store->Values().DataFileName, "C:\\data.dat");
  Store->SetDataFileNameChanged(false);
  Store->Save();
  ASSERT_TRUE(Memory.ReadString(Key, "DataFileName", Stored));
  EXPECT_EQ(Stored, "C:\\data.dat");
}

TEST_F(SettingsTest, AStoredWindowStaysOnAnyMonitorAndComesBackWhenOffThemAll) {
  // The primary monitor, and a second one to its right.
  Sys.Monitors = {{0, 0, 1024, 768}, {1024, -200, 1280, 1024}};
  struct {
    int Left, Top, Width, Height;
    int ExpectLeft, ExpectTop, ExpectWidth, ExpectHeight;
  } Cases[] = {
      {10, 20, 600, 400, 10, 20, 600, 400},          // on the primary monitor
      {1500, -100, 600, 400, 1500, -100, 600, 400},  // on the second one, above the primary
      {900, 700, 600, 400, 900, 700, 600, 400},      // partly on both
      {3000, 3000, 600, 400, 212, 184, 600, 400},    // off all: centred on the primary
      {-700, 10, 600, 400, 212, 184, 600, 400},
      // Strange values: no overflow, and a window the user can reach.
      {2147483647, 2147483647, 2147483647, 2147483647, -49488, -49616, 100000, 100000},
      {-2147483647, 0, 50, 50, 462, 334, 100, 100},
  };
  for (auto& c : Cases) {
    SCOPED_TRACE(c.Left);
    Memory.WriteDWord(Key, "Top", static_cast<std::uint32_t>(c.Top));
    Memory.WriteDWord(Key, "Left", static_cast<std::uint32_t>(c.Left));
    Memory.WriteDWord(Key, "Width", static_cast<std::uint32_t>(c.Width));
    Memory.WriteDWord(Key, "Height", static_cast<std::uint32_t>(c.Height));
    Load();
    EXPECT_EQ(Layout.Left, c.ExpectLeft);
    EXPECT_EQ(Layout.Top, c.ExpectTop);
    EXPECT_EQ(Layout.Width, c.ExpectWidth);
    EXPECT_EQ(Layout.Height, c.ExpectHeight);
  }
}

}  // namespace
}  // namespace lantern
