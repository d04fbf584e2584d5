#pragma once
// The dialogs' tests, windowless: a tree, a system whose program lies in C:\Lantern (where
// Color.dat is kept, on a temporary folder), and message boxes and choosers that answer as
// the test says.
#include <memory>
#include <string>

#include "support/FakeFileSystem.h"
#include "support/FakeSystem.h"
#include "support/TempFolder.h"
#include "support/TreeFixture.h"
#include "ui/Form.h"

namespace lantern {

inline const std::string ColorFile = "C:\\Lantern\\Color.dat";

// One example as Color.dat holds it.
inline std::string Entry(const std::string& Name, int Back, int Font, int SelBack, int SelFont) {
  return "[COLOREXAMPLE]\r\n" + Name + "\r\n" + std::to_string(Back) + "\r\n" +
         std::to_string(Font) + "\r\n" + std::to_string(SelBack) + "\r\n" +
         std::to_string(SelFont) + "\r\n[/COLOREXAMPLE]\r\n";
}

class DialogFixture : public TreeFixture {
 protected:
  void SetUp() override {
    TreeFixture::SetUp();
    Files.MapDrive(Disk.Path());
    PlatformFileSystem().CreateFolders(Files.RealPath("C:\\Lantern"));
    Sys.Program = "C:\\Lantern\\Lantern.exe";
    OldSystem = SetSystem(&Sys);
    OldDialogs = SetDialogs(&Boxes);
    OldFiles = SetFileSystem(&Files);
  }
  void TearDown() override {
    SetFileSystem(OldFiles);
    SetDialogs(OldDialogs);
    SetSystem(OldSystem);
    TForm::ModalUser = nullptr;
    TreeFixture::TearDown();
  }
  std::string ReadColors() { return ReadFileBytes(Files.RealPath(ColorFile)); }
  void WriteColors(const std::string& Bytes) { WriteFileBytes(Files.RealPath(ColorFile), Bytes); }
  bool ColorsExist() { return PathExists(Files.RealPath(ColorFile)); }
  template <typename T>
  T* AddTo(TCompositeItem* Group, const std::string& Name, const std::string& FileName) {
    auto* Item = Group->Add(std::make_unique<T>(Group));
    Item->SetName(Name);
    Item->SetFileName(FileName);
    return Item;
  }

  TTempFolder Disk;
  TFakeFileSystem Files;
  TFakeSystem Sys;
  TFakeDialogs Boxes;
  TSystem* OldSystem = nullptr;
  TDialogService* OldDialogs = nullptr;
  TFileSystem* OldFiles = nullptr;
};

}  // namespace lantern
