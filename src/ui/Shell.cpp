#include "ui/Shell.h"

#include <algorithm>

#include "base/Exception.h"
#include "ui/Service.h"

namespace lantern {

namespace {
TServiceSlot<TShell> Slot(PlatformShell);

// ShellExecute's codes that are not the system error of the same number.
struct TShellCode {
  int Result;
  unsigned Error;
};
constexpr TShellCode OwnCodes[] = {
    {0, ErrorNotEnoughMemory},
    {SeErrShare, ErrorSharingViolation},
    {SeErrAssocIncomplete, ErrorNoAssociation},
    {SeErrDdeTimeout, ErrorDdeFail},
    {SeErrDdeFail, ErrorDdeFail},
    {SeErrDdeBusy, ErrorDdeFail},
    {SeErrNoAssoc, ErrorNoAssociation},
    {SeErrDllNotFound, ErrorDllNotFound},
};

// How each task's message begins and goes on around the name.
struct TTaskText {
  const char* Before;
  const char* After;
};
const TTaskText TaskTexts[] = {
    {"", " を起動できません。"},                  // Start
    {"ページ ", " を開けません。"},               // OpenPage
    {"", " をエクスプローラで表示できません。"},  // Explore
};
}  // namespace

TShell& Shell() { return Slot.Get(); }
TShell* SetShell(TShell* Value) { return Slot.Set(Value); }

unsigned ShellExecError(int Result) {
  for (const TShellCode& Code : OwnCodes)
    if (Code.Result == Result) return Code.Error;
  // The file and path not found, access denied, out of memory and bad format codes are the
  // system's own numbers.
  return static_cast<unsigned>(Result);
}

std::string ShellFailedText(TShellTask Task, const std::string& Name, const std::string& Reason) {
  const TTaskText& Text = TaskTexts[static_cast<int>(Task)];
  return Text.Before + Name + Text.After + "\r\n" + Reason;
}

std::string ExplorerSelect(const std::string& Path) {
  // No name holds a quote, and no double-byte character has one as its second byte.
  std::string Unquoted = Path;
  Unquoted.erase(std::remove(Unquoted.begin(), Unquoted.end(), '"'), Unquoted.end());
  return "/Select,\"" + Unquoted + "\"";
}

std::string MissingTargetText(const std::string& Path) {
  return "リンク先 " + Path + " が見つかりません。";
}

void CheckShellExec(int Result, TShellTask Task, const std::string& Name) {
  if (Result > 32) return;
  throw Exception(ShellFailedText(Task, Name, Shell().ErrorText(ShellExecError(Result))));
}

}  // namespace lantern
