// Windows' shell: icons of files through SHGetFileInfoW.
#include <windows.h>
// after windows.h
#include <shellapi.h>

#include "ui/Shell.h"
#include "ui/win32/WideText.h"

namespace lantern {

namespace {

static_assert(ShgfiIcon == SHGFI_ICON && ShgfiDisplayName == SHGFI_DISPLAYNAME &&
                  ShgfiSysIconIndex == SHGFI_SYSICONINDEX && ShgfiSmallIcon == SHGFI_SMALLICON,
              "the shell's flags");

void ReleaseIcon(void* Handle) { DestroyIcon(static_cast<HICON>(Handle)); }

class TWin32Shell : public TShell {
 public:
  TIcon GetFileInfoIcon(const std::string& Path, unsigned Flags) override {
    SHFILEINFOW Info = {};
    SHGetFileInfoW(ToWide(Path).c_str(), 0, &Info, sizeof(Info), Flags);
    return TIcon(Info.hIcon, ReleaseIcon);
  }
};

}  // namespace

TShell& PlatformShell() {
  static TWin32Shell Instance;
  return Instance;
}

}  // namespace lantern
