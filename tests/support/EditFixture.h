#pragma once
// The main window's editing commands and its dragging, each a part of its own over the tree
// fixture's root and windowless views: a hidden form stands for the window, a watcher over
// default settings is told of what is deleted for good, and the services the commands call are
// doubles (drive C: is a fresh temporary folder, the registry is in memory; nothing runs).
#include <tuple>

#include "main/Commands.h"
#include "main/DragDrop.h"
#include "main/Settings.h"
#include "main/Watcher.h"
#include "support/FakeFileSystem.h"
#include "support/FakeProcesses.h"
#include "support/FakeSystem.h"
#include "support/TempFolder.h"
#include "support/TreeFixture.h"
#include "ui/Form.h"
#include "ui/MemoryRegistry.h"

namespace lantern {

class EditFixture : public TreeFixture {
 protected:
  void SetUp() override {
    TreeFixture::SetUp();
    Files.MapDrive(Disk.Path());
    Old = {SetFileSystem(&Files), SetProcesses(&Procs), SetDialogs(&Boxes), SetSystem(&Sys),
           SetRegistry(&Memory)};
    Root->TreeNode()->Expand(true);  // as the window shows it
    Watcher = std::make_unique<TWatcher>(*Root, Settings);
    Commands = std::make_unique<TEditCommands>(*Root, *Watcher, Window, ListView, TreeView);
    Commands->OnSave = [this] { ++Saves; };
    Dragging = std::make_unique<TViewDragging>(*Root, ListView, TreeView);
  }
  void TearDown() override {
    Root->BeginShutdown();  // as the window lets the tree go, its views with it
    Release();
  }
  // A fresh tree with fresh parts over the same doubles, for a table's next case.
  void Restart() {
    Release();
    SetUp();
  }
  void Release() {
    TForm::ModalUser = nullptr;
    Dragging.reset();
    Commands.reset();
    Watcher.reset();
    SetFileSystem(std::get<0>(Old));
    SetProcesses(std::get<1>(Old));
    SetDialogs(std::get<2>(Old));
    SetSystem(std::get<3>(Old));
    SetRegistry(std::get<4>(Old));
    TreeFixture::TearDown();
  }
  // Runs the changes that waited for the tree, as the window's timer does once it is free.
  void Flush() {
    Root->Guard().Flush([](const std::function<void()>& Change) { Change(); });
  }
  std::string Real(const std::string& Path) { return Files.RealPath(Path); }

  TTempFolder Disk;  // drive C:
  TFakeFileSystem Files;
  TFakeProcesses Procs;
  TFakeDialogs Boxes;
  TFakeSystem Sys;
  TMemoryRegistry Memory;
  std::tuple<TFileSystem*, TProcessService*, TDialogService*, TSystem*, TRegistry*> Old;
  TSettings Settings;
  TForm Window;  // hidden
  std::unique_ptr<TWatcher> Watcher;
  std::unique_ptr<TEditCommands> Commands;
  std::unique_ptr<TViewDragging> Dragging;
  int Saves = 0;  // calls of OnSave
};

}  // namespace lantern
