#include "ui/Strings.h"

#include <algorithm>
#include <stdexcept>

namespace lantern {

int TStrings::IndexOf(const std::string& Line) const {
  auto It = std::find(FLines.begin(), FLines.end(), Line);
  return It == FLines.end() ? -1 : static_cast<int>(It - FLines.begin());
}

void TStrings::Insert(int Index, const std::string& Line) {
  if (Index < 0 || Index > Count()) throw std::out_of_range("TStrings::Insert");
  FLines.insert(FLines.begin() + Index, Line);
  if (FChanged) FChanged(Index, 1);
}

void TStrings::Delete(int Index) {
  if (Index < 0 || Index >= Count()) throw std::out_of_range("TStrings::Delete");
  FLines.erase(FLines.begin() + Index);
  if (FChanged) FChanged(Index, -1);
}

void TStrings::Clear() {
  FLines.clear();
  if (FChanged) FChanged(-1, 0);
}

}  // namespace lantern
