#pragma once
// A shell that hands out countable icons: each icon's handle is a string naming the path it
// was asked for, and the number of icons still alive is known.
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "ui/Shell.h"

namespace lantern {

class TFakeShell : public TShell {
 public:
  TIcon GetFileInfoIcon(const std::string& Path, unsigned Flags) override;
  static std::string PathOf(const TIcon& Icon);  // the path the icon was made for
  TIcon FileIconAt(const std::string& Path, int Size) override {
    SizesAsked.push_back(Size);
    return NoSizedIcons ? TIcon() : GetFileInfoIcon(Path, 0);
  }
  std::vector<int> SizesAsked;  // FileIconAt's sizes, in order
  std::vector<std::string> StartMenuFolders() override { return ProgramFolders; }
  std::vector<std::string> ProgramFolders;
  bool NoSizedIcons = false;    // FileIconAt finds none

  int ShellExec(const std::string& Verb, const std::string& File, const std::string& Parameters,
                const std::string& Directory, int ShowCommand) override;
  struct TExecution {
    void* Owner;  // the owner window at the time of the call
    std::string Verb, File, Parameters, Directory;
    int ShowCommand;
  };
  std::vector<TExecution> Executions;
  int ExecuteResult = 42;  // what ShellExecute answers
  // "error N": the text names the error it was asked for.
  std::string ErrorText(unsigned Error) override;
  // Shortcuts by their file's path, to their targets; any other file is no shortcut.
  bool ResolveShortcut(const std::string& LnkPath, std::string& Target) override;
  std::map<std::string, std::string> Shortcuts;
  int Resolves = 0;  // calls of ResolveShortcut

  // The notification area: every call in order, and the answers to the next calls (an error
  // code makes the call fail with it; 0 or none left: success).
  bool NotifyIcon(TNotifyIconMessage Message, const TNotifyIconData& Data,
                  unsigned& Error) override;
  struct TNotifyCall {
    TNotifyIconMessage Message;
    TNotifyIconData Data;
  };
  std::vector<TNotifyCall> NotifyCalls;
  std::deque<unsigned> NotifyErrors;

  std::vector<std::string> Asked;                       // every path asked for, in order
  std::function<void(const std::string& Path)> OnIcon;  // runs first (a share that hangs)
  unsigned LastFlags = 0;
  std::set<std::string> NoIcon;  // paths the shell has no icon for
  // The pictures' sources: a path named here gives icons of that source; any other none.
  std::map<std::string, long long> Sources;
  static int LiveIcons;
};

}  // namespace lantern
