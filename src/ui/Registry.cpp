#include "ui/Registry.h"

namespace lantern {

namespace {
TRegistry* Installed = nullptr;
}

TRegistry& Registry() { return Installed ? *Installed : PlatformRegistry(); }

TRegistry* SetRegistry(TRegistry* Value) {
  TRegistry* Old = &Registry();
  Installed = Value;
  return Old;
}

std::string CannotWriteRegistryText(const std::string& Key, const std::string& Name) {
  return "レジストリ " + Key + " の値 " + Name + " を書き込めません";
}

std::string CannotCreateKeyText(const std::string& Key) {
  return "レジストリのキー " + Key + " を作成できません";
}

}  // namespace lantern
