#pragma once
// Lines of text, as the list controls and the memo hold them.
#include <functional>
#include <string>
#include <vector>

namespace lantern {

// Lines of text; the owner hears of each change.
class TStrings {
 public:
  int Count() const { return static_cast<int>(FLines.size()); }
  const std::string& operator[](int Index) const { return FLines.at(Index); }
  const std::vector<std::string>& Lines() const { return FLines; }
  int IndexOf(const std::string& Line) const;
  void Add(const std::string& Line) { Insert(Count(), Line); }
  void Insert(int Index, const std::string& Line);
  void Delete(int Index);
  void Clear();

 private:
  friend class TListControl;
  friend class TMemo;
  std::vector<std::string> FLines;
  // Where lines were inserted (Count > 0) or deleted (Count < 0); Clear: Index -1.
  std::function<void(int Index, int Count)> FChanged;
};

}  // namespace lantern
