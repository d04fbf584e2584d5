// The settings dialog as the main window opens it: what OK and Cancel leave in the registry,
// the data file and the hot key registry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/EnvSet.h"
#include "main/Main.h"
#include "support/MainFixture.h"

namespace lantern {
namespace {

class EnvSetActionTest : public MainFixture {
 protected:
  // Runs the command with the user's part while the dialog is open.
  void Open(const std::function<void(TEnvSetForm&)>& User) {
    TForm::ModalUser = [&](TForm& Form) { User(dynamic_cast<TEnvSetForm&>(Form)); };
    M->EnvSetAction.Execute();
    TForm::ModalUser = nullptr;
  }
  std::uint32_t Stored(const char* Name) {
    std::uint32_t Value = 0xDEAD;
    Memory.ReadDWord(Key, Name, Value);
    return Value;
  }
  void SetUp() override {
    MainFixture::SetUp();
    M = &Start();
  }
  TLanternMain* M = nullptr;
};

TEST_F(EnvSetActionTest, OkRegistersTheNewKeyOnceAndWritesTheRegistryAndTheDataFile) {
  Sys.HotKeyCalls.clear();
  TFont Chosen;
  Chosen.SetName("選んだ書体");
  Boxes.FontAnswers = {Chosen};
  Open([](TEnvSetForm& D) {
    D.HotKeyCombo.NativeSelect(5);  // TAB
    D.CtrlCheck.NativeClick();
    D.AltCheck.NativeClick();
    D.WatchAppIntervalEdit.SetText("9");
    D.DataFileEdit.SetText("C:\\next.dat");
    D.FontButton.Click();  // 共通's font
    D.Button1.Click();
  });
  // OK tries the new combination and lets it go; applied, it is registered once.
  const std::vector<std::string> Calls = {"register 7+9", "unregister", "unregister",
                                          "register 7+9"};
  EXPECT_EQ(Sys.HotKeyCalls, Calls);
  EXPECT_EQ(Stored("HotKey"), 9u);
  EXPECT_EQ(Stored("HotKeyAlt"), 1u);
  EXPECT_EQ(Stored("WatchAppInterval"), 45u);
  std::string Name;
  ASSERT_TRUE(Memory.ReadString(Key, "DataFileName", Name));
  EXPECT_EQ(Name, "C:\\next.dat");
  // The program keeps its file until the next start, and the new font went into it.
  EXPECT_EQ(M->Settings().DataFileName, DataFile);
  EXPECT_TRUE(M->DataFileNameChanged());
  EXPECT_NE(ReadFileBytes(Real(DataFile)).find("選んだ書体"), std::string::npos);
}

// A new data file name waits for the next start: the dialog shows it while it waits, and the
// name in use typed again takes the change back.
TEST_F(EnvSetActionTest, APendingDataFileNameIsShownAndCanBeTakenBack) {
  auto Type = [this](const std::string& Name, const std::string& Shown) {
    Open([&](TEnvSetForm& D) {
      EXPECT_EQ(D.DataFileEdit.Text(), Shown);
      D.DataFileEdit.SetText(Name);
      D.Button1.Click();
    });
  };
  auto Next = [this] {
    std::string Name;
    Memory.ReadString(Key, "DataFileName", Name);
    return Name;
  };
  Type("C:\\next.dat", DataFile);
  EXPECT_EQ(Next(), "C:\\next.dat");
  Type(DataFile, "C:\\next.dat");
  EXPECT_EQ(Next(), DataFile);
  EXPECT_FALSE(M->DataFileNameChanged());
  Type("C:\\other.dat", DataFile);
  Type("c:\\DATA.dat", "C:\\other.dat");  // the same file to Windows
  M->SaveSettings();
  EXPECT_EQ(Next(), DataFile);
  EXPECT_EQ(M->Settings().DataFileName, DataFile);
}

// 設定 while something holds the tree opens no second window over it: the settings dialog, or
// the shown main window with its box, comes forward; with neither a box says why.
TEST_F(EnvSetActionTest, WhileTheTreeIsHeldTheHolderComesForwardOrABoxSaysWhy) {
  Sys.Program = "C:\\Lantern.exe";  // Color.dat beside it
  int Dialogs = 0;
  std::size_t ForcedBefore = 0;
  Open([&](TEnvSetForm& D) {
    ++Dialogs;
    ForcedBefore = Sys.Forced.size();
    EXPECT_TRUE(M->EnvSetAction.Execute());
    ASSERT_EQ(Sys.Forced.size(), ForcedBefore + 1);
    EXPECT_EQ(Sys.Forced.back(), D.Handle());
    D.Button2.Click();
  });
  EXPECT_EQ(Dialogs, 1);
  EXPECT_TRUE(Boxes.Texts.empty());
  {
    TTreeGuard::THold Drag(M->Root()->Guard());  // held with no window of its own
    ForcedBefore = Sys.Forced.size();
    M->EnvSetAction.Execute();
    EXPECT_EQ(Sys.Forced.size(), ForcedBefore);
    EXPECT_EQ(Boxes.Texts,
              std::vector<std::string>{"ほかの操作が終わっていないので、設定を開けませ"
                                       "ん。その操作を終えてから、もう一度選んでください。"});
    M->LanternProperty.Execute();
    ForcedBefore = Sys.Forced.size();
    M->EnvSetAction.Execute();
    EXPECT_EQ(Sys.Forced.size(), ForcedBefore + 1);
    EXPECT_EQ(Boxes.Texts.size(), 1u);
  }
  EXPECT_EQ(Dialogs, 1);
}

TEST_F(EnvSetActionTest, CancelChangesNoSettingButAnExampleSavedStays) {
  Sys.Program = "C:\\Lantern.exe";  // Color.dat beside it
  Sys.HotKeyCalls.clear();
  Open([](TEnvSetForm& D) {
    D.HotKeyEnabledCheck.NativeClick();
    D.UchidenoKodutiCheck.NativeClick();
    D.FilterListBox.Items().Clear();
    D.Colors.ColorExampleCombo.SetText("夕焼け");
    D.Colors.AddColorExampleButton.Click();
    D.Button2.Click();
  });
  EXPECT_TRUE(Sys.HotKeyCalls.empty());
  EXPECT_EQ(Stored("HotKeyEnabled"), 1u);
  EXPECT_EQ(Stored("UchidenoKoduti"), 0u);
  EXPECT_EQ(M->Root()->Filters().Count(), 2);
  EXPECT_NE(ReadFileBytes(Real("C:\\Color.dat")).find("夕焼け"), std::string::npos);
}

TEST_F(EnvSetActionTest, AKeyAnotherProgramHoldsIsToldAndNothingIsApplied) {
  Sys.Taken = {0x70 | 4u << 16};  // Shift+F1
  Sys.HotKeyCalls.clear();
  Open([](TEnvSetForm& D) {
    D.ExpandHotKeyCheck.NativeClick();
    D.HotKeyCombo.NativeSelect(28);  // F1
    D.Button1.Click();
    EXPECT_EQ(D.PageControl1.ActivePage(), &D.TabSheet3);
    D.Button2.Click();
  });
  // Only the trial of the key; the registered one stays.
  const std::vector<std::string> Calls = {"register 4+112"};
  EXPECT_EQ(Sys.HotKeyCalls, Calls);
  EXPECT_EQ(M->Settings().HotKey, 27);
}

}  // namespace
}  // namespace lantern
