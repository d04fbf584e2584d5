#include "model/Search.h"
#include "support/TreeFixture.h"

namespace lantern {
namespace {

// None of the launchers' files exists here: a launcher is found by what it is called.
class SearchTest : public TreeFixture {
 protected:
  void SetUp() override {
    TreeFixture::SetUp();
    Memo = Run(AddLauncher(Root.get(), "メモ帳", "C:\\Windows\\notepad.exe"), 1);
    Group = AddFolder(Root.get(), "メモ(&M)");
    Child = AddLauncher(Group, "メモ2");
    Deep = Run(AddLauncher(AddFolder(Group, "ツール"), "付箋メモ", "C:\\x\\fusen.exe"), 2);
    Later = AddLauncher(Root.get(), "メモ3");
    Diag = Run(AddLauncher(Root.get(), "メモリ診断"), 5);
    Inside = AddLauncher(Root.get(), "大きなメモ");
    ByTarget = AddLauncher(Root.get(), "Editor", "C:\\memo\\memopad.exe");
    InFolder = AddLauncher(Root.get(), "Viewer", "C:\\memo\\view.exe");
    Url = Run(Root->Add(std::make_unique<TLauncherURL>(Root.get())), 3);
    Url->SetName("Wiki");
    Url->SetFileName("https://memo.example.com/wiki");
    AddLauncher(Root.get(), "メモ隠し")->SetVisible(false);
    TFolder* Hidden = AddFolder(Root.get(), "隠し");
    Hidden->SetVisible(false);
    AddLauncher(Hidden, "メモ中");
    Trash->SetVisible(true);  // left out all the same
    AddLauncher(Trash, "メモ捨て");
  }
  template <typename T>
  static T* Run(T* Item, int Count) {
    Item->SetRunCount(Count);
    return Item;
  }
  static std::vector<TExecItem*> Items(const std::vector<TSearchHit>& Hits) {
    std::vector<TExecItem*> Result;
    for (const TSearchHit& Hit : Hits) Result.push_back(Hit.Item);
    return Result;
  }
  static std::vector<int> Ranks(const std::vector<TSearchHit>& Hits) {
    std::vector<int> Result;
    for (const TSearchHit& Hit : Hits) Result.push_back(Hit.Rank);
    return Result;
  }

  TLauncherExec *Memo, *Child, *Deep, *Later, *Diag, *Inside, *ByTarget, *InFolder;
  TFolder* Group;
  TLauncherURL* Url;
};

TEST_F(SearchTest, RanksByWhereTheNameMatchesThenRunsThenTreeOrder) {
  TLauncherSearch Search(*Root);
  const std::vector<TSearchHit> Hits = Search.Find("memo", 20);
  ASSERT_EQ(Items(Hits), (std::vector<TExecItem*>{Diag, Memo, Group, Child, Later, Deep, Inside,
                                                  Url, ByTarget}));
  EXPECT_EQ(Ranks(Hits),
            (std::vector<int>{srNameStart, srNameStart, srNameStart, srNameStart, srNameStart,
                              srWordStart, srInName, srInTarget, srInTarget}));
  EXPECT_EQ(Hits[3].Path, "メモ(M)");
  EXPECT_EQ(Hits[5].Path, "メモ(M) ＞ ツール");
  EXPECT_EQ(Hits[0].Path, "");
  EXPECT_EQ(Items(Search.Find("memo", 3)), (std::vector<TExecItem*>{Diag, Memo, Group}));
  EXPECT_EQ(Items(Search.Find("(m)", 20)), (std::vector<TExecItem*>{Group}));
}

TEST_F(SearchTest, ABlankQueryListsTheLaunchersMostRunFirst) {
  TLauncherSearch Search(*Root);
  const std::vector<TSearchHit> Hits = Search.Find(" 　", 20);
  EXPECT_EQ(Items(Hits), (std::vector<TExecItem*>{Diag, Url, Deep, Memo, Child, Later, Inside,
                                                  ByTarget, InFolder}));
  EXPECT_EQ(Ranks(Hits), std::vector<int>(Hits.size(), srMostRun));
  EXPECT_EQ(Items(Search.Find("", 2)), (std::vector<TExecItem*>{Diag, Url}));
}

TEST_F(SearchTest, TheNextFindSeesTheTreeAsItIsNow) {
  TLauncherSearch Search(*Root);
  EXPECT_TRUE(Search.Find("zzz", 20).empty());
  Inside->SetName("zzz");
  EXPECT_EQ(Items(Search.Find("zzz", 20)), (std::vector<TExecItem*>{Inside}));
  Inside->SetName("Z&&Y&");  // the menu and the search window show "ZY"
  EXPECT_EQ(Items(Search.Find("zy", 20)), (std::vector<TExecItem*>{Inside}));
  Root->Remove(Diag);  // freed here
  EXPECT_EQ(Items(Search.Find("memo", 1)), std::vector<TExecItem*>{Memo});
}

}  // namespace
}  // namespace lantern
