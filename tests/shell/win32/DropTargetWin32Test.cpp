// The drop target against the real OLE (under Wine): the main window, with native windows,
// registers its TDropFileTarget with RegisterDragDrop; each source then drags a real
// IDataObject, whose blocks are real HGLOBALs, through the registered IDropTarget as OLE's
// drag loop would, and the launchers appear in the current group.
#include <windows.h>
// after windows.h
#include <gtest/gtest.h>
#include <ole2.h>
#include <shlobj.h>

#include <string>
#include <utility>
#include <vector>

#include "shell/DropTarget.h"
#include "shell/win32/DropTargetWin32.h"
#include "support/FakeDropData.h"
#include "support/MainFixture.h"
#include "support/win32/GlobalDataObject.h"
#include "ui/Application.h"
#include "ui/Widgets.h"

namespace lantern {
namespace {

class DropTargetWin32Test : public MainFixture {
 protected:
  void SetUp() override {
    MainFixture::SetUp();
    Memory.WriteDWord(Key, "UseWatchApp", 0);
    OleSetUp();
    SetWidgets(PlatformWidgets());
    M = &Start();
    M->Show();
    G = M->Root()->Add(std::make_unique<TFolder>(M->Root()));
    G->SetName("G");
    M->Root()->SetCurrentFolder(G);
  }
  void TearDown() override {
    MainFixture::TearDown();
    SetWidgets(nullptr);
    OleTearDown();
  }
  HWND Window() { return static_cast<HWND>(M->Handle()); }
  // Drags the object over the middle of the window and drops it, through the registered
  // IDropTarget, then serves the messages posted meanwhile (Deliver); the effect of the drop.
  DWORD DragAndDrop(TGlobalDataObject& Data, DWORD Offered = DROPEFFECT_COPY | DROPEFFECT_LINK,
                    bool Deliver = true) {
    IDropTarget* Target = OleDropTargetOf(*M->FileDropTarget());
    EXPECT_NE(Target, nullptr);
    if (!Target) return 0;
    RECT Rect;
    GetWindowRect(Window(), &Rect);
    POINTL At = {(Rect.left + Rect.right) / 2, (Rect.top + Rect.bottom) / 2};
    DWORD Effect = Offered;
    EXPECT_EQ(Target->DragEnter(&Data, 0, At, &Effect), S_OK);
    if (Effect == DROPEFFECT_NONE) {
      // A release where the target wants nothing: OLE tells the target the drag left.
      EXPECT_EQ(Target->DragLeave(), S_OK);
      return Effect;
    }
    Effect = Offered;
    At.x += 3;
    EXPECT_EQ(Target->DragOver(0, At, &Effect), S_OK);
    Effect = Offered;
    EXPECT_EQ(Target->Drop(&Data, 0, At, &Effect), S_OK);
    if (Deliver) Application().ProcessMessages();
    return Effect;
  }
  std::string Names() const {
    std::string Text;
    for (int i = 0; i < G->Count(); ++i) Text += (i ? "," : "") + G->Items(i)->Name();
    return Text;
  }
  TLanternMain* M = nullptr;
  TFolder* G = nullptr;
};

TEST_F(DropTargetWin32Test, TheMainWindowIsRegisteredWithOle) {
  EXPECT_TRUE(M->FileDropTarget()->Registered());
  IDropTarget* Other = OleDropTargetOf(*M->FileDropTarget());
  EXPECT_EQ(RegisterDragDrop(Window(), Other), DRAGDROP_E_ALREADYREGISTERED);
}

TEST_F(DropTargetWin32Test, FileListsOfEitherWidthBecomeFileAndFolderLaunchers) {
  WriteFileBytes(Real("C:\\tool.exe"), "MZ");
  WriteFileBytes(Real("C:\\一.exe"), "MZ");
  PlatformFileSystem().CreateFolders(Real("C:\\表示"));
  TGlobalDataObject Ansi;
  Ansi.Add(CF_HDROP, DropFilesBlock({"C:\\tool.exe", "C:\\表示"}));
  EXPECT_EQ(DragAndDrop(Ansi), static_cast<DWORD>(DROPEFFECT_LINK));
  TGlobalDataObject Wide;
  Wide.Add(CF_HDROP, DropFilesBlockWide({u"C:\\\u4E00.exe"}));
  EXPECT_EQ(DragAndDrop(Wide), static_cast<DWORD>(DROPEFFECT_LINK));
  EXPECT_EQ(Names(), "tool.exe,表示,一.exe");
  EXPECT_GT(Ansi.Handed, 0);
}

TEST_F(DropTargetWin32Test, AnInternetShortcutFileBecomesAUrlLauncher) {
  WriteFileBytes(Real("C:\\Example.url"), "[InternetShortcut]\r\nURL=http://www.example.jp/\r\n");
  TGlobalDataObject Data;
  Data.Add(CF_HDROP, DropFilesBlock({"C:\\Example.url"}));
  EXPECT_EQ(DragAndDrop(Data), static_cast<DWORD>(DROPEFFECT_LINK));
  EXPECT_EQ(Names(), "Example");
  EXPECT_EQ(G->Items(0)->FileName(), "http://www.example.jp/");
}

TEST_F(DropTargetWin32Test, ABrowsersLinkIsNamedByItsDescriptor) {
  TGlobalDataObject Data;
  Data.Add(ClipboardFormats().UniformResourceLocator, std::string("http://a.example.jp/\0", 21));
  Data.Add(ClipboardFormats().FileGroupDescriptor, DescriptorBlock("ショートカット 例.url"));
  EXPECT_EQ(DragAndDrop(Data), static_cast<DWORD>(DROPEFFECT_LINK));
  TGlobalDataObject Text;
  Text.Add(CF_TEXT, std::string("http://b.example.jp/\0", 21));
  EXPECT_EQ(DragAndDrop(Text), static_cast<DWORD>(DROPEFFECT_LINK));
  EXPECT_EQ(Names(), "例,http://b.example.jp/");
}

TEST_F(DropTargetWin32Test, FileContentsAndADescriptorBecomeANamedUrlLauncher) {
  TGlobalDataObject Data;
  Data.Add(ClipboardFormats().FileContents, ContentsBlock("http://c.example.jp/"), 0);
  Data.Add(ClipboardFormats().FileGroupDescriptor, DescriptorBlock("ｼｮｰﾄｶｯﾄ Page.url"));
  EXPECT_EQ(DragAndDrop(Data), static_cast<DWORD>(DROPEFFECT_LINK));
  EXPECT_EQ(Names(), "Page");
  EXPECT_EQ(G->Items(0)->FileName(), "http://c.example.jp/");
}

TEST_F(DropTargetWin32Test, AForeignNameRefusesTheDropNamingTheFile) {
  WriteFileBytes(Real("C:\\a.exe"), "MZ");
  TGlobalDataObject Emoji;
  Emoji.Add(CF_HDROP, DropFilesBlockWide({u"C:\\a.exe", u"C:\\\U0001F600.exe"}));
  EXPECT_EQ(DragAndDrop(Emoji), static_cast<DWORD>(DROPEFFECT_NONE));
  ASSERT_FALSE(Boxes.Texts.empty());
  EXPECT_NE(Boxes.Texts.back().find("C:\\<U+1F600>.exe"), std::string::npos) << Boxes.Texts.back();
  EXPECT_EQ(Names(), "");
}

// The source waits in its drag loop until Drop returns: the launchers and every message,
// a refusal's too, come after, from the message posted meanwhile.
TEST_F(DropTargetWin32Test, DropReturnsBeforeAnyLauncherOrMessage) {
  TGlobalDataObject NoURL, Foreign, Link;
  NoURL.Add(CF_TEXT, std::string("\0", 1));
  NoURL.Add(ClipboardFormats().FileGroupDescriptor, DescriptorBlock("空.url"));
  Foreign.Add(CF_HDROP, DropFilesBlockWide({u"C:\\\U0001F600.exe"}));
  Link.Add(CF_TEXT, std::string("http://b.example.jp/\0", 21));
  EXPECT_EQ(DragAndDrop(NoURL, DROPEFFECT_LINK, false), static_cast<DWORD>(DROPEFFECT_LINK));
  EXPECT_EQ(DragAndDrop(Foreign, DROPEFFECT_LINK, false), static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(DragAndDrop(Link, DROPEFFECT_LINK, false), static_cast<DWORD>(DROPEFFECT_LINK));
  EXPECT_TRUE(Boxes.Texts.empty());
  EXPECT_EQ(Names(), "");
  Application().ProcessMessages();
  EXPECT_EQ(Names(), "http://b.example.jp/");
  ASSERT_EQ(Boxes.Texts.size(), 2u);
  EXPECT_EQ(Boxes.Texts[0], "URLが空です");
  EXPECT_NE(Boxes.Texts[1].find("C:\\<U+1F600>.exe"), std::string::npos) << Boxes.Texts[1];
}

// OLE holds the drop target until it is revoked, which needs the window: the close revokes
// it before the window goes.
TEST_F(DropTargetWin32Test, TheCloseRevokesTheTargetBeforeTheWindowGoes) {
  IDropTarget* Target = OleDropTargetOf(*M->FileDropTarget());
  M->ExitAction.Execute();
  MSG Quit;  // the main window's close ends the program's loop, not the next test's
  PeekMessageW(&Quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  Target->AddRef();
  EXPECT_EQ(Target->Release(), 1u);  // the peer's own reference alone: OLE's went
  EXPECT_TRUE(Boxes.Texts.empty());
}

TEST_F(DropTargetWin32Test, HostileBlocksAddNothing) {
  WriteFileBytes(Real("C:\\a.exe"), "MZ");
  TGlobalDataObject Outside;
  std::string Block = DropFilesBlock({"C:\\a.exe"});
  Block[3] = 0x40;  // pFiles far past the block
  Outside.Add(CF_HDROP, Block);
  EXPECT_EQ(DragAndDrop(Outside), static_cast<DWORD>(DROPEFFECT_NONE));
  TGlobalDataObject Nul;
  Nul.Add(ClipboardFormats().UniformResourceLocator, std::string("http://a\0evil", 13));
  Nul.Add(CF_TEXT, std::string("http://a\revil\0", 14));
  EXPECT_EQ(DragAndDrop(Nul), static_cast<DWORD>(DROPEFFECT_LINK));  // the text up to the NUL
  TGlobalDataObject Control;
  Control.Add(CF_TEXT, std::string("http://a\revil\0", 14));
  EXPECT_EQ(DragAndDrop(Control), static_cast<DWORD>(DROPEFFECT_NONE));
  TGlobalDataObject CopyOnly;
  CopyOnly.Add(CF_HDROP, DropFilesBlock({"C:\\a.exe"}));
  EXPECT_EQ(DragAndDrop(CopyOnly, DROPEFFECT_COPY | DROPEFFECT_MOVE),
            static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(Names(), "http://a");
}

}  // namespace
}  // namespace lantern
