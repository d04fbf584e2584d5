#include "ui/FileSystem.h"

#include "ui/Service.h"

namespace lantern {

namespace {
TServiceSlot<TFileSystem> Slot(PlatformFileSystem);

std::string WithReason(const std::string& Text, const std::string& Reason) {
  return Reason.empty() ? Text : Text + " (" + Reason + ")";
}
}  // namespace

TFileSystem& FileSystem() { return Slot.Get(); }
TFileSystem* SetFileSystem(TFileSystem* Value) { return Slot.Set(Value); }

void SaveFileAtomically(const std::string& FileName, const std::function<void(TStream&)>& Write) {
  const std::string Temporary = FileName + ".tmp";
  try {
    {
      TFileStream Stream(Temporary, TFileMode::Create);
      Write(Stream);
      Stream.FlushToDisk();
    }
    FileSystem().ReplaceFile(Temporary, FileName);
  } catch (...) {
    FileSystem().RemoveFile(Temporary);
    throw;
  }
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
