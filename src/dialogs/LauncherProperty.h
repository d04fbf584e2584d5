#pragma once
// The launcher property dialog. So far its automatic naming, which also names launchers made
// for paths given on the command line.
#include <string>

namespace lantern {

// What the name field shows after the file name field changed to FileName: a name the user
// gave (not empty, without "新規") stays; otherwise the file-name part of FileName, or all
// of FileName when nothing follows its last '\' or ':'.
std::string FilenameEditChange(const std::string& NameEdit, const std::string& FileName);

}  // namespace lantern
