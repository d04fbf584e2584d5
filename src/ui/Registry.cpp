#include "ui/Registry.h"

#include "ui/Service.h"

namespace lantern {

namespace {
TServiceSlot<TRegistry> Slot(PlatformRegistry);
}

TRegistry& Registry() { return Slot.Get(); }
TRegistry* SetRegistry(TRegistry* Value) { return Slot.Set(Value); }

std::string CannotWriteRegistryText(const std::string& Key, const std::string& Name) {
  return "レジストリ " + Key + " の値 " + Name + " を書き込めません";
}

std::string CannotCreateKeyText(const std::string& Key) {
  return "レジストリのキー " + Key + " を作成できません";
}

}  // namespace lantern
