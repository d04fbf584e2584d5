#pragma once
// Finding launchers and groups as the user types their name (or romaji for it), for the
// search window.
#include <cstdint>
#include <string>
#include <vector>

#include "base/Kana.h"

namespace lantern {

class TExecItem;
class TCompositeItem;
class TRoot;

struct TSearchHit {
  TExecItem* Item;
  // The groups above the item from the root down, as the menu shows their names, joined by
  // " ＞ "; empty for an item in the root.
  std::string Path;
  int Rank;  // TSearchRank
};

enum TSearchRank { srNameStart = 0, srWordStart = 1, srInName = 2, srInTarget = 3, srMostRun = 4 };

// Finds the visible launchers and groups outside the trash by their name (its "&" marks left
// out) and by their target's file name (a URL launcher's host). The names are folded once per
// change of the tree; the hits hold the items until the tree next changes.
class TLauncherSearch {
 public:
  explicit TLauncherSearch(TRoot& Root);
  // The items matching Query (CP932, as typed), best first, at most Limit: those whose name
  // begins with it, then those with a word of the name that begins with it, then those with
  // it elsewhere in the name, then those with it only in the target's name; within each, the
  // most run first, then in the tree's order. An empty or blank query gives every launcher
  // (no group), the most run first (srMostRun).
  std::vector<TSearchHit> Find(const std::string& Query, int Limit);

 private:
  struct TEntry {
    TExecItem* Item;
    std::uint32_t Name, NameLength;  // in FChars
    std::uint32_t Target, TargetLength;
    std::uint64_t NameMask, TargetMask;
    std::uint32_t Path;  // in FPaths
    bool Launcher;
  };
  void Index();
  void IndexGroup(TCompositeItem* Group, std::uint32_t Path);
  void AddText(const std::string& Text, std::uint32_t& Start, std::uint32_t& Length,
               std::uint64_t& Mask);

  TRoot& FRoot;
  std::uint64_t FIndexedAt = ~std::uint64_t(0);  // TreeEdits() when the index was made
  std::vector<TEntry> FEntries;                  // in the tree's order
  std::vector<TFoldedChar> FChars;
  std::vector<std::string> FPaths;
};

}  // namespace lantern
