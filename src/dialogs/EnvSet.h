#pragma once
// The settings dialog "ランタンの設定": seven pages over the registry settings, the program's
// explorer option, the watcher's exclusion masks and the launcher menu's colours and fonts.
// It reads everything when it is made and changes nothing until OK; the main window then
// applies what it holds (ApplySettings) through its settings store.
#include <array>
#include <functional>
#include <string>

#include "base/ColorSet.h"
#include "dialogs/ColorSetEditor.h"
#include "model/Settings.h"
#include "ui/Dialogs.h"
#include "ui/ExtCtrls.h"
#include "ui/Font.h"
#include "ui/Form.h"
#include "ui/ListCtrls.h"
#include "ui/StdCtrls.h"

namespace lantern {

class TRoot;
class TKindColorSet;

struct THotKeyName {
  const char* Name;
  unsigned Code;  // the virtual-key code stored as HotKey
};
// The keys the hot key may be: the first NormalHotKeyCount unless the list is extended.
extern const std::array<THotKeyName, 94> HotKeyTable;
constexpr int NormalHotKeyCount = 12;
// What the hot key's field shows for a stored key that neither list has.
std::string UnlistedKeyName(unsigned Code);

// The colour categories of the colour page, in the list's order: 共通 (the root's own colours
// and font), then the four kinds of items.
constexpr int ColorCategoryCount = 5;

// A stored number shown by a spin. One outside the spin's range shows at the nearest end and
// is kept as it is until the user changes the number.
class TSpinNumber {
 public:
  explicit TSpinNumber(TUpDown& Spin) : FSpin(Spin) {}
  void Load(int Value);
  // Whether the stored number stands: it was outside the range, and the spin shows what it
  // showed at loading.
  bool Keeps() const { return FOutside && FSpin.Position() == FShown; }

 private:
  TUpDown& FSpin;
  bool FOutside = false;
  int FShown = 0;
};

class TEnvSetForm : public TForm {
 public:
  // FormCreate: every control from Values (the settings in use, DataFileName the file in use)
  // and from the tree's colours, fonts and exclusion masks.
  TEnvSetForm(const TSettings& Values, TRoot& Root);
  // FormDestroy: the colour examples are written back, either way out.
  ~TEnvSetForm() override;

  // Whether another program holds the combination (RegisterHotKey's modifier flags and a key);
  // unset: none does. OK refuses such a combination.
  std::function<bool(unsigned Modifiers, unsigned Key)> HotKeyTaken;

  // After OK: the settings into Into, in the order the setters take them; the colours, fonts
  // and masks into the tree. The data file name is the caller's (DataFileChanged).
  void ApplySettings(TSettings& Into);
  // The data file name the next start takes, when a change waits for it: the field shows
  // that one (typing the name in use again takes the change back).
  void ShowNextDataFile(const std::string& Name);
  // The data file name typed, when it differs from the one the next start takes.
  bool DataFileChanged() const { return DataFileEdit.Text() != FDataFileNext; }

  TPageControl PageControl1{this};
  TButton Button1{this};
  TButton Button2{this};
  TButton Button3{this};

  // 一般設定
  TTabSheet TabSheet1{&PageControl1};
  TCheckBox WatchApplicationCheck{&TabSheet1};
  TLabel Label7{&TabSheet1};
  TEdit WatchAppIntervalEdit{&TabSheet1};
  TUpDown WatchAppIntervalUpDown{&TabSheet1};
  TLabel Label8{&TabSheet1};
  TCheckBox NotWatchNetwortAppCheck{&TabSheet1};
  TCheckBox MoveFirstPositionCheck{&TabSheet1};
  TGroupBox GroupBox1{&TabSheet1};
  TRadioButton UpperRadio{&GroupBox1};
  TRadioButton LowerRadio{&GroupBox1};
  TCheckBox DispRegisterIconCheck{&TabSheet1};
  TCheckBox IconLeftClickPopupMenuCheck{&TabSheet1};
  TLabel Label1{&TabSheet1};
  TLabel Label2{&TabSheet1};
  TEdit DataFileEdit{&TabSheet1};
  TButton Button4{&TabSheet1};

  // 自動追加しないファイル
  TTabSheet TabSheet7{&PageControl1};
  TListBox FilterListBox{&TabSheet7};
  TLabel Label19{&TabSheet7};
  TEdit FilterEdit{&TabSheet7};
  TLabel Label20{&TabSheet7};
  TButton Button5{&TabSheet7};
  TButton FilterDeleteButton{&TabSheet7};

  // エクスプローラ
  TTabSheet TabSheet2{&PageControl1};
  TLabel Label3{&TabSheet2};
  TCheckBox DispTreeExplorerCheck{&TabSheet2};
  TCheckBox DispRootExplorerCheck{&TabSheet2};

  // ホットキー設定
  TTabSheet TabSheet3{&PageControl1};
  TCheckBox HotKeyEnabledCheck{&TabSheet3};
  TPanel HotKeyPanel{&TabSheet3};
  TLabel Label4{&HotKeyPanel};
  TComboBox HotKeyCombo{&HotKeyPanel, TComboBoxStyle::Simple};
  TCheckBox CtrlCheck{&HotKeyPanel};
  TCheckBox ShiftCheck{&HotKeyPanel};
  TCheckBox AltCheck{&HotKeyPanel};
  TCheckBox ExpandHotKeyCheck{&HotKeyPanel};
  TCheckBox FixMenuPosCheck{&HotKeyPanel};
  TLabel Label5{&HotKeyPanel};
  TEdit XPosEdit{&HotKeyPanel};
  TUpDown XUpDown{&HotKeyPanel};
  TLabel Label6{&HotKeyPanel};
  TEdit YPosEdit{&HotKeyPanel};
  TUpDown YUpDown{&HotKeyPanel};

  // 色とフォント: the shared colour-set editor, with the category list and the font button.
  TTabSheet TabSheet4{&PageControl1};
  TListBox ColorSetListBox{&TabSheet4};
  TColorSetEditor Colors{TabSheet4, TColorDialogKind::Settings};
  TButton FontButton{&TabSheet4};

  // 追っかけマウス
  TTabSheet TabSheet5{&PageControl1};
  TCheckBox MouseFormEnabledCheck{&TabSheet5};
  TGroupBox GroupBox3{&TabSheet5};
  TLabel Label10{&GroupBox3};
  TEdit MouseFormWidthEdit{&GroupBox3};
  TUpDown MouseFormWidthUpDown{&GroupBox3};
  TLabel Label11{&GroupBox3};
  TEdit MouseFormHeightEdit{&GroupBox3};
  TUpDown MouseFormHeightUpDown{&GroupBox3};
  TGroupBox GroupBox4{&TabSheet5};
  TLabel Label18{&GroupBox4};
  TLabel Label12{&GroupBox4};
  TEdit MouseFormOffsetXEdit{&GroupBox4};
  TUpDown MouseFormOffsetXUpDown{&GroupBox4};
  TLabel Label13{&GroupBox4};
  TEdit MouseFormOffsetYEdit{&GroupBox4};
  TUpDown MouseFormOffsetYUpDown{&GroupBox4};
  TLabel Label14{&TabSheet5};
  TEdit Edit3{&TabSheet5};
  TUpDown MouseFormAppearIntervalUpDown{&TabSheet5};
  TLabel Label15{&TabSheet5};
  TCheckBox WavingMouseCheck{&TabSheet5};
  TLabel Label16{&TabSheet5};
  TPaintPanel MouseFormColorPanel{&TabSheet5};

  // 打ち出の小槌
  TTabSheet TabSheet6{&PageControl1};
  TCheckBox UchidenoKodutiCheck{&TabSheet6};
  TGroupBox GroupBox5{&TabSheet6};
  TRadioButton LargeWaveRadio{&GroupBox5};
  TRadioButton MiddleWaveRadio{&GroupBox5};
  TRadioButton SmallWaveRadio{&GroupBox5};
  TGroupBox GroupBox7{&TabSheet6};
  TRadioButton LeftFirstRadio{&GroupBox7};
  TRadioButton RightFirstRadio{&GroupBox7};
  TGroupBox GroupBox6{&TabSheet6};
  TRadioButton FastWaveRadio{&GroupBox6};
  TRadioButton SlowWaveRadio{&GroupBox6};
  TMemo Memo1{&TabSheet6};

  TSaveDialog SaveDialog1;
  TColorDialog ColorDialog1;
  TFontDialog FontDialog1;

  // The working copy of the colour page, by category.
  std::array<TColorSet, ColorCategoryCount> WorkColors;
  std::array<TFont, ColorCategoryCount> WorkFonts;
  std::array<bool, ColorCategoryCount> WorkUseOwn{};
  int CurrentCategory = 0;

  // The hot key list: the first twelve keys, or all of them when Extended.
  void FillHotKeyList(bool Extended);
  // The table's index of a key code; -1 for none. A key beyond the first twelve extends the
  // list (with its warning).
  int FindHotKeyIndex(unsigned Code);
  // The key code at a table index; 0 (no key) for any other index.
  static unsigned HotKeyAt(int Index);

  // Handlers.
  void Button1Click();
  void Button3Click();
  void Button4Click();
  void Button5Click();
  void FilterListBoxClick();
  void FilterDeleteButtonClick();
  void WatchApplicationCheckClick();
  void MoveFirstPositionCheckClick();
  void DispTreeExplorerCheckClick();
  void HotKeyEnabledCheckClick();
  void ExpandHotKeyCheckClick();
  void ColorSetListBoxClick();
  void CommonColorCheckClick();
  void FontButtonClick();
  void ResetButtonClick();
  void MouseFormEnabledCheckClick();
  void UchidenoKodutiCheckClick();
  void MouseFormColorPanelClick();

 private:
  void LoadSettings(const TSettings& Values);
  void LoadColors();
  TKindColorSet* KindOf(int Category);
  void ShowPreviewFont();
  // What OK refuses, each shown on its page: a malformed mask, a hot key another program holds,
  // a data file name that names no file the next start can make (a missing folder may be made
  // here, when the user wants it).
  bool MasksAreGood();
  bool HotKeyIsFree();
  bool DataFileIsGood();
  // The hot key chosen: the list's, or a stored key the list does not have, while the field
  // still shows it.
  unsigned ChosenHotKey() const;
  void WarnOfExtendedKeys();

  TRoot& FRoot;
  std::string FDataFileInUse;
  std::string FDataFileNext;
  unsigned FUnlistedKey = 0;  // a stored hot key that neither list has, shown as FUnlistedText
  std::string FUnlistedText;
  bool FLoading = false;       // the values are being loaded: handlers run as they change
  bool FWarnExtended = false;  // the extended key list's warning waits for the dialog to show
  TSpinNumber FInterval{WatchAppIntervalUpDown};
  TSpinNumber FXPos{XUpDown};
  TSpinNumber FYPos{YUpDown};
  TSpinNumber FWidth{MouseFormWidthUpDown};
  TSpinNumber FHeight{MouseFormHeightUpDown};
  TSpinNumber FOffsetX{MouseFormOffsetXUpDown};
  TSpinNumber FOffsetY{MouseFormOffsetYUpDown};
  TSpinNumber FAppearInterval{MouseFormAppearIntervalUpDown};
};

}  // namespace lantern
