// The settings dialog's hot key page: the table of keys, the list that shows the first twelve
// or all of them, and the check at OK that no other program holds the combination.
#include "dialogs/EnvSet.h"

namespace lantern {

namespace {

const char* const ExtendedHotKeyWarning =
    "ホットキーを拡張すると、ほとんどのキーをホットキーとして使用できるようになります。\r\n"
    "ランタンのホットキーとして指定すると、フォーカスのあるアプリケーションに、そのキーが渡らなく"
    "なるので、思わぬ現象が起こることがあります。その場合は、そのキーの指定をやめてください";

}  // namespace

std::string UnlistedKeyName(unsigned Code) {
  const char* Digits = "0123456789ABCDEF";
  return std::string("その他のキー (0x") + Digits[(Code >> 4) & 15] + Digits[Code & 15] + ")";
}

const std::array<THotKeyName, 94> HotKeyTable = {{
    {"ESC", 0x1B},
    {"半角／全角", 0xF4},
    {"Windowsキー(左)", 0x5B},
    {"Windowsキー(右)", 0x5C},
    {"アプリケーションキー", 0x5D},
    {"TAB", 0x09},
    {"CAPS", 0xF0},
    {"NFER", 0x1D},
    {"XFER", 0x1C},
    {"ひらがな", 0xF2},
    {"SCROLL LOCK", 0x91},
    {"PAUSE", 0x13},
    {"NumPad 0", 0x60},
    {"NumPad 1", 0x61},
    {"NumPad 2", 0x62},
    {"NumPad 3", 0x63},
    {"NumPad 4", 0x64},
    {"NumPad 5", 0x65},
    {"NumPad 6", 0x66},
    {"NumPad 7", 0x67},
    {"NumPad 8", 0x68},
    {"NumPad 9", 0x69},
    {"NumPad /", 0x6F},
    {"NumPad *", 0x6A},
    {"NumPad -", 0x6D},
    {"NumPad +", 0x6B},
    {"NumPad .", 0x6E},
    {"NumLock", 0x90},
    {"F1", 0x70},
    {"F2", 0x71},
    {"F3", 0x72},
    {"F4", 0x73},
    {"F5", 0x74},
    {"F6", 0x75},
    {"F7", 0x76},
    {"F8", 0x77},
    {"F9", 0x78},
    {"F10", 0x79},
    {"F11", 0x7A},
    {"F12", 0x7B},
    {"Home", 0x24},
    {"End", 0x23},
    {"Bksp", 0x08},
    {"Return", 0x0D},
    {"Ins", 0x2D},
    {"Del", 0x2E},
    {"Up", 0x26},
    {"Down", 0x28},
    {"Right", 0x27},
    {"Left", 0x25},
    {"@", 0xC0},
    {"A", 0x41},
    {"B", 0x42},
    {"C", 0x43},
    {"D", 0x44},
    {"E", 0x45},
    {"F", 0x46},
    {"G", 0x47},
    {"H", 0x48},
    {"I", 0x49},
    {"J", 0x4A},
    {"K", 0x4B},
    {"L", 0x4C},
    {"M", 0x4D},
    {"N", 0x4E},
    {"O", 0x4F},
    {"P", 0x50},
    {"Q", 0x51},
    {"R", 0x52},
    {"S", 0x53},
    {"T", 0x54},
    {"U", 0x55},
    {"V", 0x56},
    {"W", 0x57},
    {"X", 0x58},
    {"Y", 0x59},
    {"Z", 0x5A},
    {"1", 0x31},
    {"2", 0x32},
    {"3", 0x33},
    {"4", 0x34},
    {"5", 0x35},
    {"6", 0x36},
    {"7", 0x37},
    {"8", 0x38},
    {"9", 0x39},
    {"0", 0x30},
    {"[", 0xDB},
    {"\\", 0xDC},
    {"]", 0xDD},
    {"^", 0xDE},
    {"_", 0xE2},
    {"<", 0xBC},
    {">", 0xBE},
}};

void TEnvSetForm::FillHotKeyList(bool Extended) {
  const std::string Text = HotKeyCombo.Text();
  TStrings& Items = HotKeyCombo.Items();
  Items.Clear();
  const int Count = Extended ? static_cast<int>(HotKeyTable.size()) : NormalHotKeyCount;
  for (int i = 0; i < Count; ++i) Items.Add(HotKeyTable[static_cast<std::size_t>(i)].Name);
  const int Index = Items.IndexOf(Text);
  HotKeyCombo.SetItemIndex(Index);
  // A key the new list lacks is no choice: the field says so by being empty. A stored key that
  // neither list has stays as it was loaded.
  if (Index < 0 && (FUnlistedKey == 0 || Text != FUnlistedText)) HotKeyCombo.SetText("");
}

int TEnvSetForm::FindHotKeyIndex(unsigned Code) {
  for (std::size_t i = 0; i < HotKeyTable.size(); ++i) {
    if (HotKeyTable[i].Code != Code) continue;
    if (static_cast<int>(i) >= NormalHotKeyCount) ExpandHotKeyCheck.SetChecked(true);
    return static_cast<int>(i);
  }
  return -1;
}

unsigned TEnvSetForm::ChosenHotKey() const {
  if (HotKeyCombo.ItemIndex() < 0 && FUnlistedKey != 0 && HotKeyCombo.Text() == FUnlistedText)
    return FUnlistedKey;
  return HotKeyAt(HotKeyCombo.ItemIndex());
}

unsigned TEnvSetForm::HotKeyAt(int Index) {
  if (Index < 0 || Index >= static_cast<int>(HotKeyTable.size())) return 0;
  return HotKeyTable[static_cast<std::size_t>(Index)].Code;
}

void TEnvSetForm::HotKeyEnabledCheckClick() {
  for (TWinControl* Control : HotKeyPanel.Controls())
    Control->SetEnabled(HotKeyEnabledCheck.Checked());
}

void TEnvSetForm::ExpandHotKeyCheckClick() {
  if (ExpandHotKeyCheck.Checked()) {
    // Opening with an extended key: the warning waits until the dialog shows.
    if (FLoading)
      FWarnExtended = true;
    else
      WarnOfExtendedKeys();
  }
  FillHotKeyList(ExpandHotKeyCheck.Checked());
}

void TEnvSetForm::WarnOfExtendedKeys() {
  MessageDlg(ExtendedHotKeyWarning, TMsgDlgType::Information, mbOK);
}

bool TEnvSetForm::HotKeyIsFree() {
  const unsigned Key = ChosenHotKey();
  if (!HotKeyEnabledCheck.Checked() || Key == 0 || !HotKeyTaken) return true;
  const unsigned Modifiers =
      HotKeyModifierFlags(ShiftCheck.Checked(), CtrlCheck.Checked(), AltCheck.Checked());
  if (!HotKeyTaken(Modifiers, Key)) return true;
  PageControl1.SetActivePage(&TabSheet3);
  MessageDlg(
      "このキーの組み合わせは、ほかのプログラムがホットキーとして使っています。"
      "別のキーか、別の組み合わせを選んでください。",
      TMsgDlgType::Warning, mbOK);
  HotKeyCombo.SetFocus();
  return false;
}

}  // namespace lantern
