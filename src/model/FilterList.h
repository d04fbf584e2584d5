#pragma once
// The application watcher's exclusion masks, kept by the root of the launcher tree and
// stored in the registry under the program's key, subkey "Filter".
#include <memory>
#include <string>
#include <vector>

namespace lantern {

class TFilterItem {
 public:
  explicit TFilterItem(const std::string& Mask) : FMask(Mask) {}
  const std::string& Mask() const { return FMask; }
  // The whole FileName against the whole mask: "*" any run of characters (backslashes
  // too), "?" one character, "[...]" one of a set of characters and ranges ("[!...]" one not
  // in it); ASCII letters without regard to case. A malformed set raises EMaskError.
  bool Matches(const std::string& FileName) const;

 private:
  std::string FMask;
};

class TFilterList {
 public:
  static const char* const KeyName;  // "Filter"

  void Add(const std::string& Mask);
  void Clear() { FItems.clear(); }
  int Count() const { return static_cast<int>(FItems.size()); }
  const TFilterItem& Items(int Index) const { return *FItems.at(Index); }
  // True when some item matches; the items are tried in order.
  bool Matches(const std::string& FileName) const;
  // KeyPath is the program's key with its trailing backslash ("Software\ZR\Lantern\").
  void LoadFromRegistry(const std::string& KeyPath);
  void SaveToRegistry(const std::string& KeyPath) const;

 private:
  std::vector<std::unique_ptr<TFilterItem>> FItems;
};

std::string InvalidMaskText(const std::string& Mask, int Position);

}  // namespace lantern
