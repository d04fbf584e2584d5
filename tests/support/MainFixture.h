#pragma once
// The main window windowless over doubles of every service it calls: the registry in memory,
// the system, the dialogs, the shell, the running processes, and a file system whose drive C: is a fresh temporary
// folder. The data file is C:\data.dat.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "main/Main.h"
#include "support/FakeFileSystem.h"
#include "support/FakeProcesses.h"
#include "support/FakeShell.h"
#include "support/FakeSystem.h"
#include "support/TempFolder.h"
#include "ui/MemoryRegistry.h"

namespace lantern {

class MainFixture : public ::testing::Test {
 protected:
  static inline const std::string Key = "Software\\ZR\\Lantern\\";

  void SetUp() override {
    Files.MapDrive(Disk.Path());
    Old = {SetRegistry(&Memory), SetSystem(&Sys), SetDialogs(&Boxes), SetShell(&Shell),
           SetFileSystem(&Files)};
    OldProcesses = SetProcesses(&Procs);
    Memory.WriteString(Key, "DataFileName", DataFile);
  }
  void TearDown() override {
    TForm::ModalUser = nullptr;
    Main.reset();
    SetRegistry(std::get<0>(Old));
    SetSystem(std::get<1>(Old));
    SetDialogs(std::get<2>(Old));
    SetShell(std::get<3>(Old));
    SetFileSystem(std::get<4>(Old));
    SetProcesses(OldProcesses);
  }
  // Starts the program's main window as the entry does (a window from before goes first).
  TLanternMain& Start(std::vector<std::string> Args = {}) {
    Main.reset();
    Main = std::make_unique<TLanternMain>(std::move(Args));
    Main->Launch();
    return *Main;
  }
  std::string Real(const std::string& Path) { return Files.RealPath(Path); }

  TTempFolder Disk;  // drive C:
  TFakeFileSystem Files;
  TMemoryRegistry Memory;
  TFakeSystem Sys;
  TFakeDialogs Boxes;
  TFakeShell Shell;
  TFakeProcesses Procs;  // nothing runs unless a test says so
  TProcessService* OldProcesses = nullptr;
  std::tuple<TRegistry*, TSystem*, TDialogService*, TShell*, TFileSystem*> Old;
  std::unique_ptr<TLanternMain> Main;
  const std::string DataFile = "C:\\data.dat";
};

}  // namespace lantern
