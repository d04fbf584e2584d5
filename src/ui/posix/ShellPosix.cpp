// Without Windows there is no shell: no icons.
#include "ui/Shell.h"

namespace lantern {

namespace {
class TNoShell : public TShell {
 public:
  TIcon GetFileInfoIcon(const std::string&, unsigned) override { return TIcon(); }
  int ShellExec(const std::string&, const std::string&, const std::string&, const std::string&,
                int) override {
    return 2;  // ERROR_FILE_NOT_FOUND: there is nothing to start things with
  }
  bool NotifyIcon(TNotifyIconMessage, const TNotifyIconData&, unsigned& Error) override {
    Error = 1;  // ERROR_INVALID_FUNCTION: there is no notification area
    return false;
  }
};
}  // namespace

TShell& PlatformShell() {
  static TNoShell Instance;
  return Instance;
}

}  // namespace lantern
