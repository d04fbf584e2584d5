#include "ui/FileSystem.h"

namespace lantern {

namespace {
TFileSystem* Installed = nullptr;

std::string WithReason(const std::string& Text, const std::string& Reason) {
  return Reason.empty() ? Text : Text + " (" + Reason + ")";
}
}  // namespace

TFileSystem& FileSystem() { return Installed ? *Installed : PlatformFileSystem(); }

TFileSystem* SetFileSystem(TFileSystem* Value) {
  TFileSystem* Old = &FileSystem();
  Installed = Value;
  return Old;
}

std::string CannotOpenText(const std::string& Path, const std::string& Reason) {
  return WithReason("ファイル " + Path + " を開けません", Reason);
}
std::string CannotReadText(const std::string& Path, const std::string& Reason) {
  return WithReason("ファイル " + Path + " を読み込めません", Reason);
}
std::string CannotCreateText(const std::string& Path, const std::string& Reason) {
  return WithReason("ファイル " + Path + " を作成できません", Reason);
}
std::string CannotWriteText(const std::string& Path, const std::string& Reason) {
  return WithReason("ファイル " + Path + " に書き込めません", Reason);
}
std::string CannotReplaceText(const std::string& Path, const std::string& Reason) {
  return WithReason("ファイル " + Path + " を置き換えられません", Reason);
}

}  // namespace lantern
