#include "shell/DropTarget.h"

#include <vector>

#include "base/Cp932.h"
#include "base/Exception.h"
#include "model/ExecObj.h"
#include "ui/Stream.h"

namespace lantern {

bool ReadUrlFile(const std::string& FileName, std::string& URL) {
  std::vector<std::string> Lines;
  try {
    TFileStream Stream(FileName, TFileMode::OpenRead);
    while (!Stream.AtEnd()) Lines.push_back(ReadLine(Stream));
  } catch (const EFileError&) {
    return false;
  }
  // The last line is never taken as the section's header.
  for (std::size_t i = 0; i + 1 < Lines.size(); ++i) {
    if (UpperCaseAscii(Lines[i]) != "[INTERNETSHORTCUT]") continue;
    for (std::size_t j = i + 1; j < Lines.size(); ++j) {
      if (UpperCaseAscii(Lines[j].substr(0, 4)) == "URL=") {
        URL = Lines[j].substr(4);
        return true;
      }
      if (!Lines[j].empty() && Lines[j][0] == '[') return false;
    }
    return false;
  }
  return false;
}

}  // namespace lantern
