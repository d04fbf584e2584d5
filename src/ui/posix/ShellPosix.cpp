// Without Windows there is no shell: no icons, no shortcuts.
#include "base/Convert.h"
#include "ui/Shell.h"

namespace lantern {

namespace {
class TNoShell : public TShell {
 public:
  TIcon GetFileInfoIcon(const std::string&, unsigned) override { return TIcon(); }
  int ShellExec(const std::string&, const std::string&, const std::string&, const std::string&,
                int) override {
    return SeErrFnf;  // there is nothing to start things with
  }
  std::string ErrorText(unsigned Error) override { return "エラー " + IntToStr(Error); }
  bool ResolveShortcut(const std::string&, std::string&) override { return false; }
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
