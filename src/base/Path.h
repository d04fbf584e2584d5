#pragma once
// Path pieces in the Windows sense ('\' and ':' delimit), aware of double-byte characters.
#include <string>

namespace lantern {

// Up to and including the last '\' or ':'; empty when there is none.
std::string ExtractFilePath(const std::string& Path);
// What follows the last '\' or ':'.
std::string ExtractFileName(const std::string& Path);
// What a folder goes by: its last part, a trailing '\' aside; a drive root ("C:\", "D:") has
// none and goes by the whole path.
std::string ExtractFolderName(const std::string& Path);
// Path without one trailing '\' (a second byte 0x5C is not a backslash).
std::string ExcludeTrailingBackslash(const std::string& Path);
// Path with a trailing '\' added when it has none.
std::string IncludeTrailingBackslash(const std::string& Path);
// The extension with its dot ("" when the file name has none).
std::string ExtractFileExt(const std::string& Path);
// True for "\\server\share..." paths.
bool IsNetworkPath(const std::string& Path);
// The root an absolute path starts from, with its '\': "C:\" for a drive, "\\server\share\"
// for a share; empty for a relative path, a bare "C:" or "\\server" without a share.
std::string PathRoot(const std::string& Path);

}  // namespace lantern
