// Without Windows there is no shell: no icons.
#include "ui/Shell.h"

namespace lantern {

namespace {
class TNoShell : public TShell {
 public:
  TIcon GetFileInfoIcon(const std::string&, unsigned) override { return TIcon(); }
};
}  // namespace

TShell& PlatformShell() {
  static TNoShell Instance;
  return Instance;
}

}  // namespace lantern
