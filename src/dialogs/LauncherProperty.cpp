#include "dialogs/LauncherProperty.h"

#include "base/Cp932.h"
#include "base/Path.h"

namespace lantern {

std::string FilenameEditChange(const std::string& NameEdit, const std::string& FileName) {
  if (!NameEdit.empty() && !ContainsText(NameEdit, "新規")) return NameEdit;
  std::string Name = ExtractFileName(FileName);
  return Name.empty() ? FileName : Name;
}

}  // namespace lantern
