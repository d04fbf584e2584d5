#include "model/Search.h"

#include <algorithm>

#include "base/Path.h"
#include "model/Root.h"
#include "ui/Menus.h"

namespace lantern {

namespace {

const char* const PathSeparator = " ＞ ";

// The host of a URL ("www.example.com" of "https://user@www.example.com:8080/a?b"): the rest
// of a URL is mostly the same for many launchers.
std::string UrlHost(const std::string& Url) {
  std::size_t Start = Url.find("://");
  Start = Start == std::string::npos ? 0 : Start + 3;
  std::size_t End = Url.find_first_of("/?#", Start);
  if (End == std::string::npos) End = Url.size();
  std::string Host = Url.substr(Start, End - Start);
  const std::size_t At = Host.rfind('@');
  if (At != std::string::npos) Host.erase(0, At + 1);
  const std::size_t Port = Host.rfind(':');
  if (Port != std::string::npos) Host.erase(Port);
  return Host;
}

}  // namespace

TLauncherSearch::TLauncherSearch(TRoot& Root) : FRoot(Root) {}

void TLauncherSearch::AddText(const std::string& Text, std::uint32_t& Start, std::uint32_t& Length,
                              std::uint64_t& Mask) {
  const std::vector<TFoldedChar> Folded = FoldText(Text);
  Start = static_cast<std::uint32_t>(FChars.size());
  Length = static_cast<std::uint32_t>(Folded.size());
  Mask = TextMask(Folded.data(), Folded.size());
  FChars.insert(FChars.end(), Folded.begin(), Folded.end());
}

void TLauncherSearch::IndexGroup(TCompositeItem* Group, std::uint32_t Path) {
  for (int i = 0; i < Group->Count(); ++i) {
    TExecItem* Item = Group->Items(i);
    if (!Item || !Item->Visible() || Item->IsRecycledFolder()) continue;
    TCompositeItem* SubGroup = Item->AsGroup();
    TEntry Entry{};
    Entry.Item = Item;
    Entry.Path = Path;
    Entry.Launcher = !SubGroup;
    int Underline;
    const std::string Name = StripAmpersands(Item->Name(), Underline);  // as the menu shows it
    AddText(Name, Entry.Name, Entry.NameLength, Entry.NameMask);
    std::string Target;
    if (dynamic_cast<TLauncherURL*>(Item))
      Target = UrlHost(Item->FileName());
    else if (!SubGroup)
      Target = ExtractFolderName(Item->FileName());
    AddText(Target, Entry.Target, Entry.TargetLength, Entry.TargetMask);
    FEntries.push_back(Entry);
    if (SubGroup) {
      const std::string& Above = FPaths[Path];
      FPaths.push_back(Above.empty() ? Name : Above + PathSeparator + Name);
      IndexGroup(SubGroup, static_cast<std::uint32_t>(FPaths.size() - 1));
    }
  }
}

void TLauncherSearch::Index() {
  if (FIndexedAt == TreeEdits()) return;
  FEntries.clear();
  FChars.clear();
  FPaths.assign(1, std::string());
  IndexGroup(&FRoot, 0);
  FIndexedAt = TreeEdits();
}

std::vector<TSearchHit> TLauncherSearch::Find(const std::string& Query, int Limit) {
  std::vector<TSearchHit> Hits;
  if (Limit <= 0) return Hits;
  Index();
  const TKanaQuery Wanted(Query);
  struct TFound {
    int Rank, Runs;
    std::size_t Entry;
  };
  std::vector<TFound> Found;
  for (std::size_t i = 0; i < FEntries.size(); ++i) {
    const TEntry& E = FEntries[i];
    int Rank = -1;
    if (Wanted.Empty()) {
      if (E.Launcher) Rank = srMostRun;
    } else {
      if ((Wanted.Mask() & ~E.NameMask) == 0)
        Rank = Wanted.Match(FChars.data() + E.Name, E.NameLength);
      if (Rank < 0 && (Wanted.Mask() & ~E.TargetMask) == 0 &&
          Wanted.Match(FChars.data() + E.Target, E.TargetLength) >= 0)
        Rank = srInTarget;
    }
    if (Rank >= 0) Found.push_back({Rank, E.Item->RunCount(), i});
  }
  const std::size_t Count = std::min(Found.size(), static_cast<std::size_t>(Limit));
  std::partial_sort(Found.begin(), Found.begin() + Count, Found.end(),
                    [](const TFound& a, const TFound& b) {
                      if (a.Rank != b.Rank) return a.Rank < b.Rank;
                      if (a.Runs != b.Runs) return a.Runs > b.Runs;
                      return a.Entry < b.Entry;
                    });
  Hits.reserve(Count);
  for (std::size_t i = 0; i < Count; ++i) {
    const TEntry& E = FEntries[Found[i].Entry];
    Hits.push_back({E.Item, FPaths[E.Path], Found[i].Rank});
  }
  return Hits;
}

}  // namespace lantern
