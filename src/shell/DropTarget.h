#pragma once
// Data dropped on the main window from other programs. So far: internet shortcut files.
#include <string>

namespace lantern {

// The URL of an internet shortcut (".url") file: the first "URL=" line of its
// "[InternetShortcut]" section. False when the file has none or cannot be read.
bool ReadUrlFile(const std::string& FileName, std::string& URL);

}  // namespace lantern
