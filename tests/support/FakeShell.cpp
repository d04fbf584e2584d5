#include "support/FakeShell.h"

namespace lantern {

int TFakeShell::LiveIcons = 0;

namespace {
void Release(void* Handle) {
  delete static_cast<std::string*>(Handle);
  --TFakeShell::LiveIcons;
}
}  // namespace

TIcon TFakeShell::GetFileInfoIcon(const std::string& Path, unsigned Flags) {
  if (OnIcon) OnIcon(Path);
  Asked.push_back(Path);
  LastFlags = Flags;
  if (NoIcon.count(Path)) return TIcon();
  ++LiveIcons;
  auto Source = Sources.find(Path);
  return TIcon(new std::string(Path), Release, Source == Sources.end() ? -1 : Source->second);
}

int TFakeShell::ShellExec(const std::string& Verb, const std::string& File,
                          const std::string& Parameters, const std::string& Directory,
                          int ShowCommand) {
  Executions.push_back({OwnerWindow(), Verb, File, Parameters, Directory, ShowCommand});
  return ExecuteResult;
}

std::string TFakeShell::ErrorText(unsigned Error) { return "error " + std::to_string(Error); }

bool TFakeShell::ResolveShortcut(const std::string& LnkPath, std::string& Target) {
  ++Resolves;
  auto Found = Shortcuts.find(LnkPath);
  if (Found == Shortcuts.end()) return false;
  Target = Found->second;
  return true;
}

bool TFakeShell::NotifyIcon(TNotifyIconMessage Message, const TNotifyIconData& Data,
                            unsigned& Error) {
  NotifyCalls.push_back({Message, Data});
  unsigned Next = 0;
  if (!NotifyErrors.empty()) {
    Next = NotifyErrors.front();
    NotifyErrors.pop_front();
  }
  if (Next == 0) return true;
  Error = Next;
  return false;
}

std::string TFakeShell::PathOf(const TIcon& Icon) {
  return Icon.Empty() ? std::string() : *static_cast<std::string*>(Icon.Handle());
}

}  // namespace lantern
