#pragma once
// The shell services the program calls. Windows' shell lives in win32/; elsewhere there is
// no shell, and tests install a double.
#include <string>

#include "ui/Icon.h"

namespace lantern {

// Flags of the shell's file information call.
constexpr unsigned SHGFI_ICON = 0x100;
constexpr unsigned SHGFI_DISPLAYNAME = 0x200;
constexpr unsigned SHGFI_SYSICONINDEX = 0x4000;
constexpr unsigned SHGFI_SMALLICON = 0x1;

class TShell {
 public:
  virtual ~TShell() = default;
  // The icon the shell shows for Path (SHGetFileInfo with Flags); empty when it has none.
  virtual TIcon GetFileInfoIcon(const std::string& Path, unsigned Flags) = 0;
};

TShell& Shell();
TShell* SetShell(TShell* Value);  // nullptr: the platform's own again; returns the old one
TShell& PlatformShell();

}  // namespace lantern
