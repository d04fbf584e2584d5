// The drop target's reading of dropped blocks (both widths of file lists, descriptor names,
// "FileContents", URL text), its order of formats and medium rule, its choice of effect, and
// blocks cut short or hostile, which must never be read past their end (AddressSanitizer
// watches: each block is copied to a buffer of exactly its size).
#include <gtest/gtest.h>

#include <memory>

#include "base/Exception.h"
#include "base/Path.h"
#include "shell/DropTarget.h"
#include "support/FakeDropData.h"
#include "support/TempFolder.h"
#include "ui/Action.h"
#include "ui/Application.h"
#include "ui/Control.h"

namespace lantern {
namespace {

struct UrlCase {
  const char* Name;
  const char* Bytes;
  bool Found;
  const char* URL;
};

class ReadUrlFileTest : public ::testing::TestWithParam<UrlCase> {};

TEST_P(ReadUrlFileTest, TakesTheFirstUrlLineOfTheShortcutSection) {
  TTempFolder Folder;
  WriteFileBytes(Folder / "a.url", GetParam().Bytes);
  std::string URL = "untouched";
  EXPECT_EQ(ReadUrlFile(Folder / "a.url", URL), GetParam().Found);
  EXPECT_EQ(URL, GetParam().URL);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReadUrlFileTest,
    ::testing::Values(
        UrlCase{"Plain", "[InternetShortcut]\r\nURL=http://a.jp/\r\n", true, "http://a.jp/"},
        UrlCase{"AnyCase", "[internetshortcut]\r\nIconIndex=0\r\nurl=http://b.jp/x?y=1\r\n", true,
                "http://b.jp/x?y=1"},
        UrlCase{"LaterSection", "[Other]\r\nURL=no\r\n[InternetShortcut]\r\nURL=yes\r\n", true,
                "yes"},
        UrlCase{"NextSectionEndsTheSearch", "[InternetShortcut]\r\n[Other]\r\nURL=no\r\n", false,
                "untouched"},
        UrlCase{"HeaderOnTheLastLine", "URL=no\r\n[InternetShortcut]", false, "untouched"},
        UrlCase{"EmptyUrl", "[InternetShortcut]\r\nURL=\r\n", true, ""},
        UrlCase{"Empty", "", false, "untouched"},
        UrlCase{"ControlCharacters", "[InternetShortcut]\r\nURL=http://a.jp/\tx\r\n", false,
                "untouched"}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST(ReadUrlFileTest, AFileThatCannotBeReadHasNoUrl) {
  TTempFolder Folder;
  std::string URL = "untouched";
  EXPECT_FALSE(ReadUrlFile(Folder / "missing.url", URL));
  EXPECT_EQ(URL, "untouched");
}

// "URL=http://a" + NUL + "evil": the shell would see another URL than the one stored.
TEST(ReadUrlFileTest, AUrlWithANulByteIsRefused) {
  TTempFolder Folder;
  WriteFileBytes(Folder / "a.url", std::string("[InternetShortcut]\r\nURL=http://a\0evil\r\n", 34));
  std::string URL = "untouched";
  EXPECT_FALSE(ReadUrlFile(Folder / "a.url", URL));
  EXPECT_EQ(URL, "untouched");
}

// The file is read a line at a time: a section far down a large file is still found.
TEST(ReadUrlFileTest, FindsTheSectionAfterManyLines) {
  TTempFolder Folder;
  std::string Bytes;
  for (int i = 0; i < 200000; ++i) Bytes += "x=1\r\n";
  WriteFileBytes(Folder / "big.url", Bytes + "[InternetShortcut]\r\nURL=http://far.jp/\r\n");
  std::string URL;
  EXPECT_TRUE(ReadUrlFile(Folder / "big.url", URL));
  EXPECT_EQ(URL, "http://far.jp/");
}

// ---- Blocks ----

// The block in a buffer of exactly its size, so that a read past it is caught.
std::vector<std::string> Names(const std::string& Block,
                               std::vector<std::string>* Unusable = nullptr) {
  std::unique_ptr<char[]> Exact(new char[Block.size() ? Block.size() : 1]);
  std::copy(Block.begin(), Block.end(), Exact.get());
  std::vector<std::string> List;
  bool Any = ReadDropFiles(Exact.get(), Block.size(), List, PlatformWideToCp932, Unusable);
  EXPECT_EQ(Any, !List.empty());
  return List;
}

using List = std::vector<std::string>;

TEST(ReadDropFilesTest, ReadsSingleByteNamesInOrder) {
  // "表" is 95 5C in CP932: its second byte is no delimiter and no end.
  EXPECT_EQ(Names(DropFilesBlock({"C:\\a.exe", "C:\\\x95\x5C", "D:\\"})),
            (List{"C:\\a.exe", "C:\\\x95\x5C", "D:\\"}));
}

TEST(ReadDropFilesTest, ReadsUtf16NamesAsCp932InFull) {
  // U+4E00 (一) is 88 EA in CP932.
  EXPECT_EQ(Names(DropFilesBlockWide({u"\u4E00\u4E00.txt", u"C:\\b"})),
            (List{"\x88\xEA\x88\xEA.txt", "C:\\b"}));
}

TEST(ReadDropFilesTest, Utf16NamesWithoutACp932FormAreSetApartAndNamed) {
  std::vector<std::string> Unusable;
  EXPECT_EQ(Names(DropFilesBlockWide({u"C:\\\U0001F600.exe", u"C:\\ok", u"C:\\\uD55C"}), &Unusable),
            (List{"C:\\ok"}));
  EXPECT_EQ(Unusable, (List{"C:\\<U+1F600>.exe", "C:\\<U+D55C>"}));
}

struct BlockCase {
  const char* Name;
  std::string Block;
  List Expected;
};

class HostileDropFilesTest : public ::testing::TestWithParam<BlockCase> {};

TEST_P(HostileDropFilesTest, GivesOnlyWhatLiesInsideTheBlock) {
  EXPECT_EQ(Names(GetParam().Block), GetParam().Expected);
}

std::string WithOffset(std::string Block, unsigned char Offset) {
  Block[0] = static_cast<char>(Offset);
  return Block;
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, HostileDropFilesTest,
    ::testing::Values(
        BlockCase{"Empty", "", {}}, BlockCase{"ShorterThanTheHeader", std::string(19, '\0'), {}},
        BlockCase{"OffsetAtTheEnd", WithOffset(DropFilesBlock({"a"}), 23), {}},
        BlockCase{
            "OffsetFarOutside", std::string("\xFF\xFF\xFF\x7F") + std::string(16, '\0') + "a", {}},
        BlockCase{"LastNameWithoutItsZero", DropFilesBlock({"a", "b"}).substr(0, 23), {"a"}},
        BlockCase{"NoEmptyNameAtTheEnd", DropFilesBlock({"a", "b"}).substr(0, 24), {"a", "b"}},
        BlockCase{"WideCutInItsZero", DropFilesBlockWide({u"ab"}).substr(0, 25), {}},
        BlockCase{"WideOddByteAfterAName", DropFilesBlockWide({u"ab"}).substr(0, 27), {"ab"}},
        BlockCase{"WideWithoutItsZero", DropFilesBlockWide({u"ab", u"cd"}).substr(0, 30), {"ab"}},
        BlockCase{"HeaderOnly", WithOffset(std::string(20, '\0'), 20), {}}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST(DropBlocksTest, BlockTextStopsAtTheZeroOrTheEnd) {
  EXPECT_EQ(BlockText("http://a\0b", 10), "http://a");
  std::unique_ptr<char[]> NoZero(new char[3]{'a', 'b', 'c'});
  EXPECT_EQ(BlockText(NoZero.get(), 3), "abc");
  EXPECT_EQ(BlockText(nullptr, 0), "");
}

class ContentsUrlTest : public ::testing::TestWithParam<UrlCase> {};

// A dropped internet shortcut's bytes are read as its file would be.
TEST_P(ContentsUrlTest, TakesTheUrlLineOfTheShortcutSectionWhereverItStands) {
  const std::string Block = GetParam().Bytes;
  std::unique_ptr<char[]> Exact(new char[Block.size() + 1]);
  std::copy(Block.begin(), Block.end(), Exact.get());
  std::string URL = "untouched";
  EXPECT_EQ(ContentsURL(Exact.get(), Block.size(), URL), GetParam().Found);
  EXPECT_EQ(URL, GetParam().URL);
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, ContentsUrlTest,
    ::testing::Values(
        UrlCase{"Plain", "[InternetShortcut]\r\nURL=http://c.jp/\r\n", true, "http://c.jp/"},
        UrlCase{"LineFeedsOnly", "[InternetShortcut]\nURL=http://c.jp/a\n", true, "http://c.jp/a"},
        UrlCase{"BlankLinesAndASignatureFirst",
                "\xEF\xBB\xBF\r\n\r\n[InternetShortcut]\r\nURL=http://c.jp/\r\n", true,
                "http://c.jp/"},
        UrlCase{"ASignatureBeforeTheHeader", "\xEF\xBB\xBF[InternetShortcut]\r\nURL=http://c.jp/",
                true, "http://c.jp/"},
        UrlCase{"OtherSectionFirst",
                "[DEFAULT]\r\nBASEURL=http://no.jp/\r\n[InternetShortcut]\r\nIconIndex=0\r\n"
                "URL=http://c.jp/\r\n",
                true, "http://c.jp/"},
        UrlCase{"AnyCase", "[internetshortcut]\r\nuRl=http://c.jp/", true, "http://c.jp/"},
        UrlCase{"NoUrlLine", "[InternetShortcut]\r\nhttp://u8.bars.example/caf%C3%A9\r\n", false,
                "untouched"},
        UrlCase{"NoSection", "URL=http://c.jp/\r\n", false, "untouched"},
        UrlCase{"Empty", "", false, "untouched"}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST(DropBlocksTest, ContentsEndAtTheFirstZeroAndAreNotCut) {
  std::string URL;
  // The block is often larger than the file: zeros follow it.
  const std::string Padded = ContentsBlock("http://c.jp/") + std::string(8, '\0') + "URL=x";
  EXPECT_TRUE(ContentsURL(Padded.data(), Padded.size(), URL));
  EXPECT_EQ(URL, "http://c.jp/");
  const std::string Long = ContentsBlock("http://c.jp/" + std::string(400, 'x'));
  EXPECT_TRUE(ContentsURL(Long.data(), Long.size(), URL));
  EXPECT_EQ(URL, "http://c.jp/" + std::string(400, 'x'));
}

struct DescriptorCase {
  const char* Name;
  std::string Block;
  bool Found;
  std::string FileName;
  std::string LinkName;
};

class DescriptorTest : public ::testing::TestWithParam<DescriptorCase> {};

TEST_P(DescriptorTest, TakesTheFirstNameAndItsLinkName) {
  const std::string& Block = GetParam().Block;
  std::unique_ptr<char[]> Exact(new char[Block.size() + 1]);
  std::copy(Block.begin(), Block.end(), Exact.get());
  std::string Name = "untouched";
  EXPECT_EQ(DescriptorName(Exact.get(), Block.size(), Name), GetParam().Found);
  if (!GetParam().Found) return;
  EXPECT_EQ(Name, GetParam().FileName);
  EXPECT_EQ(LinkName(Name), GetParam().LinkName);
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, DescriptorTest,
    ::testing::Values(
        DescriptorCase{"Plain", DescriptorBlock("Example.url"), true, "Example.url", "Example"},
        DescriptorCase{"FullWidthPrefix", DescriptorBlock("ショートカット Example.url"), true,
                       "ショートカット Example.url", "Example"},
        DescriptorCase{"HalfWidthPrefix", DescriptorBlock("ｼｮｰﾄｶｯﾄ Example.URL"), true,
                       "ｼｮｰﾄｶｯﾄ Example.URL", "Example"},
        DescriptorCase{"OtherExtensionKeepsItsEnd", DescriptorBlock("表.txt"), true, "表.txt",
                       "表.txt"},
        DescriptorCase{"NameWithoutZero", DescriptorBlock(std::string(260, 'n')), true,
                       std::string(260, 'n'), std::string(260, 'n')},
        DescriptorCase{"CutInTheName", DescriptorBlock("Example.url").substr(0, 80), true, "Exam",
                       "Exam"},
        DescriptorCase{"CutBeforeTheName", DescriptorBlock("Example.url").substr(0, 76), false, "",
                       ""},
        DescriptorCase{"NoDescriptor",
                       [] {
                         std::string B = DescriptorBlock("Example.url");
                         B[0] = 0;
                         return B;
                       }(),
                       false, "", ""}),
    [](const auto& Info) { return std::string(Info.param.Name); });

// ---- ChooseDropEffect ----

class TTestDropTarget : public TDropFileTarget {
 public:
  using TDropTarget::ChooseDropEffect;
};

// A window of 200 x 100 with scroll bars both ways and a 12-pixel font.
class TFakeDropPeer : public TDropTargetPeer {
 public:
  bool Register(void*) override { return Registering; }
  bool Revoke(void*) override { return true; }
  TDropPoint ScreenToClient(void*, TDropPoint Screen) override {
    return {Screen.X - 1000, Screen.Y - 1000};
  }
  void ClientSize(void*, int& W, int& H) override { W = 200, H = 100; }
  unsigned WindowStyle(void*) override { return WsHScroll | WsVScroll; }
  int FontHeight(void*) override { return -12; }
  bool EnterDragImage(void*, TDropPoint) override { return false; }
  void MoveDragImage(void*, TDropPoint) override {}
  void LeaveDragImage(void*) override {}
  void ShowDragImage(bool) override {}
  void Scroll(void*, unsigned Message, unsigned Code) override {
    Scrolled.push_back(Message * 10 + Code);
  }
  bool Registering = true;
  std::vector<unsigned> Scrolled;
};

struct EffectCase {
  unsigned Dragtypes;
  unsigned Shift;
  unsigned Offered;
  unsigned Expected;
};

class ChooseDropEffectTest : public ::testing::TestWithParam<EffectCase> {};

TEST_P(ChooseDropEffectTest, FollowsTheTable) {
  TTestDropTarget Target;
  Target.Dragtypes = GetParam().Dragtypes;
  EXPECT_EQ(Target.ChooseDropEffect(GetParam().Shift, {50, 50}, GetParam().Offered),
            GetParam().Expected);
}

constexpr unsigned All = DropEffectCopy | DropEffectMove | DropEffectLink;
constexpr unsigned AllTypes = dtCopy | dtMove | dtLink;

INSTANTIATE_TEST_SUITE_P(
    Table, ChooseDropEffectTest,
    ::testing::Values(
        EffectCase{AllTypes, 0, All, DropEffectCopy},
        EffectCase{AllTypes, ssShift | ssCtrl, All, DropEffectLink},
        EffectCase{AllTypes, ssShift, All, DropEffectMove},
        EffectCase{AllTypes, ssCtrl, All, DropEffectCopy},
        EffectCase{AllTypes, ssShift | ssCtrl, DropEffectCopy | DropEffectMove, DropEffectCopy},
        EffectCase{AllTypes, ssShift, DropEffectCopy | DropEffectLink, DropEffectCopy},
        EffectCase{AllTypes, 0, DropEffectMove | DropEffectLink, DropEffectMove},
        EffectCase{AllTypes, 0, DropEffectLink, DropEffectLink},
        EffectCase{AllTypes, 0, 0, DropEffectNone},
        // The file target allows only linking: a source without it cannot drop.
        EffectCase{dtLink, 0, All, DropEffectLink},
        EffectCase{dtLink, ssShift, All, DropEffectLink},
        EffectCase{dtLink, 0, DropEffectCopy | DropEffectMove, DropEffectNone},
        EffectCase{dtCopy | dtMove, ssShift | ssCtrl, All, DropEffectCopy}));

TEST(ChooseDropEffectTest, TheHandlerGetsTheAllowedEffectsAndDecides) {
  TTestDropTarget Target;
  unsigned Seen = 99;
  Target.OnGetDropEffect = [&](TDropTarget*, unsigned, TDropPoint, unsigned& Effect) {
    Seen = Effect;
    Effect = DropEffectCopy;
  };
  EXPECT_EQ(Target.ChooseDropEffect(0, {1, 1}, All), DropEffectCopy);
  EXPECT_EQ(Seen, DropEffectLink);
}

// A control whose native window the fake peer stands for.
class THandlePeer : public TControlPeer {
 public:
  void* Handle() const override { return reinterpret_cast<void*>(0x1234); }
};

// Near an edge of a window that scrolls, the scroll bit joins the effect, the scroll timer
// runs, and its tick scrolls toward that edge.
TEST(ChooseDropEffectTest, NearAScrollableEdgeTheWindowScrolls) {
  TTestDropTarget Target;
  auto* Peer = new TFakeDropPeer;
  Target.SetPeer(std::unique_ptr<TDropTargetPeer>(Peer));
  TWinControl Window;
  Window.SetPeer(std::make_unique<THandlePeer>());
  Target.RegisterTarget(&Window, "Window");
  EXPECT_TRUE(Target.Registered());
  auto D = std::make_unique<TFakeDropData>();
  D->Offer(CfText, "http://t.jp/");
  unsigned Effect = All;
  Target.OleDragEnter(std::move(D), 0, {1000 + 100, 1000 + 50}, Effect);
  EXPECT_EQ(Effect, DropEffectLink);  // in the middle
  EXPECT_FALSE(Target.ScrollTimer().Enabled());
  Effect = All;
  Target.OleDragOver(0, {1000 + 5, 1000 + 95}, Effect);  // left and bottom margins
  EXPECT_EQ(Effect, DropEffectLink | DropEffectScroll);
  EXPECT_TRUE(Target.ScrollTimer().Enabled());
  Target.ScrollTimer().Tick();
  EXPECT_EQ(Peer->Scrolled,
            (std::vector<unsigned>{WmVScroll * 10 + SbLineDown, WmHScroll * 10 + SbLineUp}));
  Target.OleDragLeave();
  EXPECT_FALSE(Target.ScrollTimer().Enabled());
  Target.RevokeTarget();
}

TEST(DropTargetTest, ARefusedRegistrationIsReportedWithTheControlsName) {
  TTestDropTarget Target;
  auto* Peer = new TFakeDropPeer;
  Peer->Registering = false;
  Target.SetPeer(std::unique_ptr<TDropTargetPeer>(Peer));
  TWinControl Window;
  Window.SetPeer(std::make_unique<THandlePeer>());
  try {
    Target.RegisterTarget(&Window, "LanternMain");
    FAIL() << "no refusal";
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), "Failed to Register LanternMain");
  }
  EXPECT_FALSE(Target.Registered());
}

// ---- FetchData ----

class DropFileTargetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Target.OnDropFile = [this](TDropFileTarget*, const std::string& FileName) {
      Log.push_back("file " + FileName);
    };
    Target.OnDropURL = [this](TDropFileTarget*, const std::string& Name, const std::string& URL) {
      Log.push_back("url " + Name + " " + URL);
    };
  }
  // One drag from entering to the drop, as OLE makes it; the effect of the drop.
  unsigned DropIt(std::unique_ptr<TFakeDropData> Data, unsigned Offered = All) {
    unsigned Effect = Offered;
    Target.OleDragEnter(std::move(Data), 0, {10, 10}, Effect);
    if (Effect == DropEffectNone) return Effect;
    Effect = Offered;
    Target.OleDragOver(0, {11, 11}, Effect);
    Effect = Offered;
    const std::size_t Heard = Log.size();
    Target.OleDrop(0, {11, 11}, Effect);
    EXPECT_EQ(Target.DataObject(), nullptr);
    EXPECT_EQ(Log.size(), Heard);  // handed over only once the drop has returned
    Application().ProcessMessages();
    return Effect;
  }
  std::unique_ptr<TFakeDropData> Data() { return std::make_unique<TFakeDropData>(); }
  unsigned Url() const { return ClipboardFormats().UniformResourceLocator; }
  unsigned Contents() const { return ClipboardFormats().FileContents; }
  unsigned Descriptor() const { return ClipboardFormats().FileGroupDescriptor; }

  TDropFileTarget Target;
  std::vector<std::string> Log;
  TTempFolder Folder;
};

TEST_F(DropFileTargetTest, TheUrlBlockComesFirstAndTheDescriptorNamesIt) {
  auto D = Data();
  D->Offer(CfHDrop, DropFilesBlock({"C:\\a.exe"}))
      .Offer(CfText, "text")
      .Offer(Contents(), ContentsBlock("http://contents/"))
      .Offer(Url(), std::string("http://www.example.jp/\0", 23))
      .Offer(Descriptor(), DescriptorBlock("ショートカット Example.url"));
  EXPECT_EQ(DropIt(std::move(D)), DropEffectLink);
  EXPECT_EQ(Log, (List{"url Example http://www.example.jp/"}));
}

TEST_F(DropFileTargetTest, FormatsAreTriedInTheirOrder) {
  auto D = Data();
  D->Offer(Contents(), ContentsBlock("http://contents/"));
  TFakeDropData* Seen = D.get();
  unsigned Effect = All;
  Target.OleDragEnter(std::move(D), 0, {1, 1}, Effect);
  std::vector<unsigned> Order;
  Effect = All;
  Target.OnDrop = [&](TDropTarget*, unsigned, TDropPoint, unsigned&) { Order = Seen->Fetched; };
  Target.OleDrop(0, {1, 1}, Effect);
  Application().ProcessMessages();
  EXPECT_EQ(Order, (std::vector<unsigned>{Url(), CfText, Contents(), Descriptor()}));
  EXPECT_EQ(Log, (List{"url http://contents/ http://contents/"}));
}

TEST_F(DropFileTargetTest, TextWithoutADescriptorIsNamedAfterItself) {
  auto D = Data();
  D->Offer(CfText, "http://t.jp/");
  EXPECT_EQ(DropIt(std::move(D)), DropEffectLink);
  EXPECT_EQ(Log, (List{"url http://t.jp/ http://t.jp/"}));
}

// A format delivered in another medium than a global block ends the whole reading.
TEST_F(DropFileTargetTest, AnotherMediumEndsTheReading) {
  auto D = Data();
  D->Offer(Url(), "", TDropData::TGet::OtherMedium).Offer(CfText, "http://t.jp/");
  EXPECT_EQ(DropIt(std::move(D)), DropEffectNone);
  EXPECT_TRUE(Log.empty());
}

TEST_F(DropFileTargetTest, FilesFoldersAndShortcutFilesInTheListsOrder) {
  WriteFileBytes(Folder / "Example.url", "[InternetShortcut]\r\nURL=http://e.jp/\r\n");
  WriteFileBytes(Folder / "NoUrl.url", "[InternetShortcut]\r\nIconIndex=0\r\n");
  auto D = Data();
  D->Offer(CfHDrop, DropFilesBlock({Folder / "a.exe", Folder / "Example.url", Folder / "NoUrl.url",
                                    Folder / "missing.url"}));
  EXPECT_EQ(DropIt(std::move(D)), DropEffectLink);
  // A shortcut without a URL, or one that cannot be read, is handed over as a file. (The
  // name is Example where paths have backslashes.)
  std::string Example = ExtractFileName(Folder / "Example");
  EXPECT_EQ(Log, (List{"file " + (Folder / "a.exe"), "url " + Example + " http://e.jp/",
                       "file " + (Folder / "NoUrl.url"), "file " + (Folder / "missing.url")}));
}

TEST_F(DropFileTargetTest, AWideListIsReadToo) {
  auto D = Data();
  D->Offer(CfHDrop, DropFilesBlockWide({u"C:\\\u4E00.exe"}));
  EXPECT_EQ(DropIt(std::move(D)), DropEffectLink);
  EXPECT_EQ(Log, (List{"file C:\\\x88\xEA.exe"}));
}

TEST_F(DropFileTargetTest, ANameWithoutACp932FormRefusesTheDropNamingTheFile) {
  auto D = Data();
  D->Offer(CfHDrop, DropFilesBlockWide({u"C:\\a.exe", u"C:\\\U0001F600.exe"}));
  unsigned Effect = All;
  Target.OleDragEnter(std::move(D), 0, {1, 1}, Effect);
  try {
    Target.OleDrop(0, {1, 1}, Effect);
    FAIL() << "no refusal";
  } catch (const Exception& E) {
    EXPECT_NE(E.Message().find("C:\\<U+1F600>.exe"), std::string::npos) << E.Message();
  }
  EXPECT_EQ(Effect, DropEffectNone);
  EXPECT_TRUE(Log.empty());
  EXPECT_EQ(Target.DataObject(), nullptr);
}

TEST_F(DropFileTargetTest, AUrlWithControlCharactersIsRefused) {
  for (const std::string& Bad : {std::string("http://a\rb"), std::string("http://a\x7F")}) {
    auto D = Data();
    D->Offer(Url(), Bad);
    unsigned Effect = All;
    Target.OleDragEnter(std::move(D), 0, {1, 1}, Effect);
    EXPECT_THROW(Target.OleDrop(0, {1, 1}, Effect), Exception);
    EXPECT_EQ(Effect, DropEffectNone);
  }
  EXPECT_TRUE(Log.empty());
}

// A line end in a link's name would split the launcher's record in the data file.
TEST_F(DropFileTargetTest, ALinkNameWithControlCharactersIsRefusedNamingIt) {
  auto D = Data();
  D->Offer(Contents(), ContentsBlock("http://e.jp/"))
      .Offer(Descriptor(), DescriptorBlock("a\r\nb"));
  unsigned Effect = All;
  Target.OleDragEnter(std::move(D), 0, {1, 1}, Effect);
  try {
    Target.OleDrop(0, {1, 1}, Effect);
    ADD_FAILURE() << "no refusal";
  } catch (const Exception& E) {
    EXPECT_NE(E.Message().find("\na  b"), std::string::npos) << E.Message();
  }
  EXPECT_TRUE(Log.empty());
}

// A URL block whose text runs to its end without a zero gives that text, nothing beyond.
TEST_F(DropFileTargetTest, AUrlWithoutItsZeroIsTheBlocksText) {
  auto D = Data();
  D->Offer(Url(), "http://z.jp/");
  EXPECT_EQ(DropIt(std::move(D)), DropEffectLink);
  EXPECT_EQ(Log, (List{"url http://z.jp/ http://z.jp/"}));
}

// The descriptor alone is not accepted; with "FileContents" that hold an empty URL it gives
// a name without a URL, which the owner refuses.
TEST_F(DropFileTargetTest, DescriptorRules) {
  auto Alone = Data();
  Alone->Offer(Descriptor(), DescriptorBlock("a.url"));
  EXPECT_EQ(DropIt(std::move(Alone)), DropEffectNone);
  auto Empty = Data();
  Empty->Offer(Contents(), ContentsBlock("")).Offer(Descriptor(), DescriptorBlock("a.url"));
  EXPECT_EQ(DropIt(std::move(Empty)), DropEffectLink);
  EXPECT_EQ(Log, (List{"url a "}));
}

// Contents without a URL line give no launcher, whatever stands where the URL often does.
TEST_F(DropFileTargetTest, AShortcutWithoutAUrlIsRefused) {
  for (const char* Contents :
       {"[InternetShortcut]\r\nhttp://u8.bars.example/caf%C3%A9\r\n", "[InternetShortcut]"}) {
    auto D = Data();
    D->Offer(this->Contents(), Contents).Offer(Descriptor(), DescriptorBlock("a.url"));
    unsigned Effect = All;
    Target.OleDragEnter(std::move(D), 0, {1, 1}, Effect);
    try {
      Target.OleDrop(0, {1, 1}, Effect);
      ADD_FAILURE() << "no refusal of " << Contents;
    } catch (const Exception& E) {
      EXPECT_EQ(E.Message(), "インターネットショートカットに URL がありません");
    }
    EXPECT_EQ(Effect, DropEffectNone);
  }
  Application().ProcessMessages();
  EXPECT_TRUE(Log.empty());
}

TEST_F(DropFileTargetTest, OnlyAcceptedFormatsEnter) {
  auto Other = Data();
  Other->Offer(0xC1FF, "x");
  EXPECT_EQ(DropIt(std::move(Other)), DropEffectNone);
  auto NoEnumeration = Data();
  NoEnumeration->Offer(CfText, "http://t/");
  NoEnumeration->CanEnumerate = false;
  EXPECT_EQ(DropIt(std::move(NoEnumeration)), DropEffectNone);
  auto Device = Data();
  Device->Offer(CfText, "http://t/");
  Device->Enumerated[0].TargetDevice = true;
  EXPECT_EQ(DropIt(std::move(Device)), DropEffectNone);
  auto List = Data();
  List->Offer(CfHDrop, DropFilesBlock({"C:\\x"}));
  List->CanEnumerate = false;  // CF_HDROP is asked for directly
  EXPECT_EQ(DropIt(std::move(List)), DropEffectLink);
  EXPECT_TRUE(Log.size() == 1);
}

TEST_F(DropFileTargetTest, ASourceThatOffersNoLinkCannotDrop) {
  auto D = Data();
  D->Offer(CfText, "http://t.jp/");
  unsigned Effect = DropEffectCopy | DropEffectMove;
  Target.OleDragEnter(std::move(D), 0, {1, 1}, Effect);
  EXPECT_EQ(Effect, DropEffectNone);
  EXPECT_NE(Target.DataObject(), nullptr);  // an accepted format, but no effect allowed
  // Dropped all the same (OLE would not): nothing is read, nothing added.
  Effect = DropEffectCopy | DropEffectMove;
  Target.OleDrop(0, {1, 1}, Effect);
  EXPECT_EQ(Effect, DropEffectNone);
  EXPECT_TRUE(Log.empty());
}

TEST_F(DropFileTargetTest, ATargetGoneBeforeTheHandOverHandsNothing) {
  auto Gone = std::make_unique<TDropFileTarget>();
  Gone->OnDropURL = Target.OnDropURL;
  auto D = Data();
  D->Offer(CfText, "http://t.jp/");
  unsigned Effect = All;
  Gone->OleDragEnter(std::move(D), 0, {1, 1}, Effect);
  Effect = All;
  Gone->OleDrop(0, {1, 1}, Effect);
  Gone.reset();
  Application().ProcessMessages();
  EXPECT_TRUE(Log.empty());
}

TEST_F(DropFileTargetTest, LeavingLetsTheDataGo) {
  auto D = Data();
  D->Offer(CfText, "http://t.jp/");
  unsigned Effect = All;
  bool Left = false;
  Target.OnLeave = [&](TDropTarget*) { Left = true; };
  Target.OleDragEnter(std::move(D), 0, {1, 1}, Effect);
  EXPECT_NE(Target.DataObject(), nullptr);
  Target.OleDragLeave();
  EXPECT_EQ(Target.DataObject(), nullptr);
  EXPECT_TRUE(Left);
  Effect = All;
  Target.OleDrop(0, {1, 1}, Effect);
  EXPECT_EQ(Effect, DropEffectNone);
  EXPECT_TRUE(Log.empty());
}

}  // namespace
}  // namespace lantern
