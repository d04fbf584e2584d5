#pragma once
// The sweep of dead launchers: which launchers lead nowhere, judged only where their drive or
// share answers, and the texts of its question and report. The command itself is
// TEditCommands::CheckNoLinkActionExecute.
#include <map>
#include <string>
#include <vector>

namespace lantern {

class TExecItem;

// What the sweep makes of an item. Unknown: the drive or share its target lies on does not
// answer (unplugged, no disc, offline), or its path has no root to tell it by; it is kept.
// Groups and URL launchers are always Live.
enum class TLinkState { Live, Dead, Unknown };
// Roots: whether each drive or share root answers, asked once per sweep, as a share that does
// not answer keeps the walk waiting each time it is asked.
TLinkState JudgeLink(TExecItem* Item, std::map<std::string, bool>& Roots);
// The sweep's question before it changes anything: the dead launchers' names (five at most
// are shown), how many of them are already in the trash (they go for good), and how many
// launchers could not be judged (they stay). Then its report of what it did.
std::string SweepQuestion(const std::vector<std::string>& Names, int InTrash, int Unknown);
std::string SweepNothingDeadText(int Unknown);
std::string SweepReport(int Recycled, int Deleted);

}  // namespace lantern
