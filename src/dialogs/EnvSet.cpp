#include "dialogs/EnvSet.h"

#include <algorithm>
#include <initializer_list>

#include "base/Cp932.h"
#include "base/Path.h"
#include "model/FilterList.h"
#include "model/Root.h"
#include "ui/Application.h"
#include "ui/FileSystem.h"
#include "ui/Layout.h"
#include "ui/Shell.h"
#include "ui/System.h"

namespace lantern {

namespace {

constexpr TColor clGreen = 0x008000;
constexpr int clMaroon = 0x000080;
constexpr int TicksPerSecond = 5;  // of the 200 ms timer

const char* const MemoLines[] = {
    "■打ち出の小槌は、マウスを",
    "左右に１度振ると、ランチャメ",
    "ニューが現れる機能です",
    "",
    "■デフォルトでは、左に100ポ",
    "イント、右に100ポイント、１秒",
    "の半分くらいの間に振ると、メ",
    "ニューが出るようになっていま",
    "す",
    "",
    "■SHIFTキーを併用すると、シ",
    "ステムメニューが表示されま",
    "す",
    "",
    "■追っかけマウスとの併用は",
    "できません",
    " ",
};

// The radio buttons' values: the smallest stroke of a wave, and the ticks between samples.
constexpr int SmallWave = 50, MiddleWave = 100, LargeWave = 150;
constexpr int FastWave = 1, SlowWave = 2;

}  // namespace

void TSpinNumber::Load(int Value) {
  FOutside = Value < FSpin.Min() || Value > FSpin.Max();
  FSpin.SetPosition(Value);
  FShown = FSpin.Position();
}

TEnvSetForm::TEnvSetForm(const TSettings& Values, TRoot& Root) : FRoot(Root) {
  SetCaption("ランタンの設定");
  SetBorderStyle(TFormBorderStyle::Dialog);
  SetClientSize(412, 315);
  SetPosition(TFormPosition::ScreenCenter);
  auto Handler = [](auto Method) { return [Method](TWinControl*) { Method(); }; };
  LayOut({
      {PageControl1, 0, 0, 412, 281},
      {Button1, 168, 288, 75, 22, "OK", Handler([this] { Button1Click(); })},
      {Button2, 248, 288, 75, 22, "キャンセル"},
      {Button3, 328, 288, 75, 22, "ヘルプ", Handler([this] { Button3Click(); })},
      // 一般設定
      {WatchApplicationCheck, 16, 8, 265, 17, "アプリケーション自動登録機能を使用する(&A)",
       Handler([this] { WatchApplicationCheckClick(); })},
      {Label7, 24, 32, 154, 12, "アプリケーションの監視間隔(&I)"},
      {WatchAppIntervalEdit, 184, 28, 49, 20},
      {WatchAppIntervalUpDown, 233, 28, 15, 20},
      {Label8, 256, 32, 12, 12, "秒"},
      {NotWatchNetwortAppCheck, 16, 56, 289, 17,
       "ネットワーク越しのアプリケーションは監視しない(&N)"},
      {MoveFirstPositionCheck, 16, 80, 201, 17, "ランチャの自動並べ替えを行う(&S)",
       Handler([this] { MoveFirstPositionCheckClick(); })},
      {GroupBox1, 240, 80, 121, 33, "最新位置"},
      {UpperRadio, 8, 12, 49, 17, "上(&U)"},
      {LowerRadio, 64, 12, 49, 17, "下(&D)"},
      {DispRegisterIconCheck, 16, 128, 257, 17, "常駐時、タスクトレイにアイコンを表示する(&R)"},
      {IconLeftClickPopupMenuCheck, 16, 152, 329, 17,
       "タスクトレイアイコンの左クリックでランチャメニュー表示(&L)"},
      {Label1, 16, 176, 101, 12, "データファイル名(&F)"},
      {Label2, 136, 176, 141, 12, "（次回起動時から有効です）"},
      {DataFileEdit, 16, 192, 281, 20},
      {Button4, 304, 192, 59, 20, "参照(&E)", Handler([this] { Button4Click(); })},
      // 自動追加しないファイル
      {FilterListBox, 8, 16, 209, 193, {}, Handler([this] { FilterListBoxClick(); })},
      {Label19, 232, 16, 135, 12, "自動追加しないファイル(&P)"},
      {FilterEdit, 232, 32, 145, 20},
      {Label20, 232, 56, 130, 12, "*.*などの表現が使えます"},
      {Button5, 232, 80, 75, 20, "追加(&A)", Handler([this] { Button5Click(); })},
      {FilterDeleteButton, 232, 120, 75, 20, "削除(&D)",
       Handler([this] { FilterDeleteButtonClick(); })},
      // エクスプローラ
      {Label3, 16, 16, 245, 12, "フォルダを開くときのエクスプローラの設定です。"},
      {DispTreeExplorerCheck, 16, 40, 185, 17, "ツリー表示枠をつけて表示(&T)",
       Handler([this] { DispTreeExplorerCheckClick(); })},
      {DispRootExplorerCheck, 16, 64, 209, 17, "表示するフォルダをルートにする(&R)"},
      // ホットキー設定
      {HotKeyEnabledCheck, 8, 4, 169, 17, "ホットキーを有効にする(&H)",
       Handler([this] { HotKeyEnabledCheckClick(); })},
      {HotKeyPanel, 0, 24, 404, 213},
      {Label4, 16, 0, 68, 12, "ホットキー(&C)"},
      {HotKeyCombo, 16, 16, 185, 137},
      {CtrlCheck, 216, 16, 97, 17, "CTRLキー(&C)"},
      {ShiftCheck, 216, 40, 97, 17, "SHIFTキー(&S)"},
      {AltCheck, 216, 64, 97, 17, "ALTキー(&A)"},
      {ExpandHotKeyCheck, 216, 104, 121, 17, "ホットキー拡張(&E)",
       Handler([this] { ExpandHotKeyCheckClick(); })},
      {FixMenuPosCheck, 16, 164, 225, 17, "メニューが開いたとき位置を固定する(&F)"},
      {Label5, 256, 164, 31, 12, "&X位置"},
      {XPosEdit, 296, 160, 57, 20},
      {XUpDown, 353, 160, 15, 20},
      {Label6, 256, 188, 31, 12, "&Y位置"},
      {YPosEdit, 296, 184, 57, 20},
      {YUpDown, 353, 184, 15, 20},
      // 色とフォント: the category list comes first in the tab order, the editor's controls
      // next, the font button last.
      {ColorSetListBox, 16, 32, 121, 73, {}, Handler([this] { ColorSetListBoxClick(); })},
  });
  Colors.LayOut({/*CommonColorCheck*/ 208, 24, /*examples*/ 48, true, /*preview*/ 112,
                 /*swatches*/ 100, /*selected*/ 144, /*reset*/ 328, 216});
  LayOut({
      {Colors.Label9, 16, 8, 240, 12, "ランチャメニューの色とフォントの設定をします。"},
      {FontButton, 216, 216, 75, 20, "フォント(&F)", Handler([this] { FontButtonClick(); })},
      // 追っかけマウス
      {MouseFormEnabledCheck, 16, 8, 153, 17, "追っかけマウスを使う(&M)",
       Handler([this] { MouseFormEnabledCheckClick(); })},
      {GroupBox3, 16, 40, 225, 41, "追っかけマウスの大きさ"},
      {Label10, 8, 20, 29, 12, "幅(&W)"},
      {MouseFormWidthEdit, 48, 16, 33, 20},
      {MouseFormWidthUpDown, 81, 16, 15, 20},
      {Label11, 112, 20, 37, 12, "高さ(&H)"},
      {MouseFormHeightEdit, 160, 17, 33, 20},
      {MouseFormHeightUpDown, 193, 17, 15, 20},
      {GroupBox4, 16, 88, 225, 57, "出現位置（マウスカーソルから）"},
      {Label18, 8, 16, 145, 12, "マイナスの値も入力できます"},
      {Label12, 8, 36, 39, 12, "右に(&R)"},
      {MouseFormOffsetXEdit, 48, 32, 33, 20},
      {MouseFormOffsetXUpDown, 81, 32, 15, 20},
      {Label13, 112, 36, 39, 12, "下に(&D)"},
      {MouseFormOffsetYEdit, 160, 33, 33, 20},
      {MouseFormOffsetYUpDown, 193, 33, 15, 20},
      {Label14, 24, 156, 83, 12, "出現時間間隔(&I)"},
      {Edit3, 112, 152, 49, 20},
      {MouseFormAppearIntervalUpDown, 161, 152, 15, 20},
      {Label15, 184, 156, 57, 12, "×200msec"},
      {WavingMouseCheck, 16, 176, 177, 17, "左・右に振ったときに現れる(&V)"},
      {Label16, 16, 196, 118, 12, "追っかけマウスの色(&C)",
       Handler([this] { MouseFormColorPanelClick(); })},
      {MouseFormColorPanel, 144, 192, 41, 25, {}, Handler([this] { MouseFormColorPanelClick(); })},
      // 打ち出の小槌
      {UchidenoKodutiCheck, 16, 8, 169, 17, "打ち出の小槌機能を使う(&U)",
       Handler([this] { UchidenoKodutiCheckClick(); })},
      {GroupBox5, 24, 40, 201, 41, "最小振り幅"},
      {LargeWaveRadio, 16, 16, 49, 17, "大(&L)"},
      {MiddleWaveRadio, 72, 16, 57, 17, "中(&M)"},
      {SmallWaveRadio, 136, 16, 49, 17, "小(&S)"},
      {GroupBox7, 24, 88, 201, 49, "どちらから振るか"},
      {LeftFirstRadio, 16, 16, 73, 17, "左から(&H)"},
      {RightFirstRadio, 96, 16, 73, 17, "右から(&R)"},
      {GroupBox6, 24, 144, 201, 41, "反応速度"},
      {FastWaveRadio, 16, 16, 65, 17, "速く(&F)"},
      {SlowWaveRadio, 96, 16, 81, 17, "ゆっくり(&Y)"},
      {Memo1, 240, 8, 153, 209},
  });
  TabSheet1.SetCaption("一般設定");
  TabSheet7.SetCaption("自動追加しないファイル");
  TabSheet2.SetCaption("エクスプローラ");
  TabSheet3.SetCaption("ホットキー設定");
  TabSheet4.SetCaption("色とフォント");
  TabSheet5.SetCaption("追っかけマウス");
  TabSheet6.SetCaption("打ち出の小槌");
  PageControl1.SetAlign(TAlign::Top);
  PageControl1.SetMultiLine(true);
  HotKeyPanel.SetAlign(TAlign::Bottom);
  Button1.SetDefault(true);
  Button2.SetCancel(true);
  Button2.SetModalResult(mrCancel);

  // The layout's states, before the values are loaded.
  for (TLabel* Green : {&Label2, &Label20, &Label3, &Colors.Label9, &Label18})
    Green->SetFontColor(clGreen);
  Label7.SetFocusControl(&WatchAppIntervalEdit);
  Label1.SetFocusControl(&DataFileEdit);
  Label19.SetFocusControl(&FilterEdit);
  Label4.SetFocusControl(&HotKeyCombo);
  Label5.SetFocusControl(&XPosEdit);
  Label6.SetFocusControl(&YPosEdit);
  Label10.SetFocusControl(&MouseFormWidthEdit);
  Label11.SetFocusControl(&MouseFormHeightEdit);
  Label12.SetFocusControl(&MouseFormOffsetXEdit);
  Label13.SetFocusControl(&MouseFormOffsetYEdit);
  Label14.SetFocusControl(&Edit3);
  // ホットキー(&C) and CTRLキー(&C): Alt+C goes from one to the other.
  HotKeyPanel.SetSharedAltLetters("C");
  struct TSpin {
    TUpDown& Spin;
    TEdit& Edit;
    int TSettings::*Member;
    int Unit;  // of the setting in one step of the spin
  };
  for (const TSpin& S :
       {TSpin{WatchAppIntervalUpDown, WatchAppIntervalEdit, &TSettings::WatchAppInterval,
              TicksPerSecond},
        TSpin{XUpDown, XPosEdit, &TSettings::MenuXPos, 1},
        TSpin{YUpDown, YPosEdit, &TSettings::MenuYPos, 1},
        TSpin{MouseFormWidthUpDown, MouseFormWidthEdit, &TSettings::MouseFormWidth, 1},
        TSpin{MouseFormHeightUpDown, MouseFormHeightEdit, &TSettings::MouseFormHeight, 1},
        TSpin{MouseFormOffsetXUpDown, MouseFormOffsetXEdit, &TSettings::MouseFormOffsetX, 1},
        TSpin{MouseFormOffsetYUpDown, MouseFormOffsetYEdit, &TSettings::MouseFormOffsetY, 1},
        TSpin{MouseFormAppearIntervalUpDown, Edit3, &TSettings::MouseAppearInterval, 1}}) {
    const TSettingRange Range =
        SettingRange(S.Member, System().ScreenWidth(), System().ScreenHeight());
    S.Spin.SetAssociate(&S.Edit);
    S.Spin.SetMin(Range.Min / S.Unit);
    S.Spin.SetMax(Range.Max / S.Unit);
  }
  FilterDeleteButton.SetEnabled(false);
  DispRootExplorerCheck.SetEnabled(false);
  for (const char* Entry : {"共通", "グループ", "ランチャ", "フォルダランチャ", "URLランチャ"})
    ColorSetListBox.Items().Add(Entry);
  Colors.CommonColorCheck.SetVisible(false);
  Colors.CommonControls = {&FontButton};
  Colors.ColorsToShow = [this](bool Common) { return WorkColors[Common ? 0 : CurrentCategory]; };
  Colors.OnColorsChanged = [this](const TColorSet& Set) { WorkColors[CurrentCategory] = Set; };
  Colors.CommonColorCheck.OnClick = [this](TWinControl*) { CommonColorCheckClick(); };
  Colors.ResetButton.OnClick = [this](TWinControl*) { ResetButtonClick(); };
  // A choice in the list comes as a change and as a click; the second does nothing.
  Colors.ColorExampleCombo.OnClick = [this](TWinControl*) { Colors.ColorExampleComboChange(); };
  Colors.Images = Root.ImageList();
  MouseFormColorPanel.SetBorder(true);
  MouseFormColorPanel.SetColor(0x00FFFF);  // yellow
  MouseFormEnabledCheck.SetChecked(false);
  UchidenoKodutiCheck.SetChecked(false);
  MiddleWaveRadio.SetChecked(true);
  LeftFirstRadio.SetChecked(true);
  FastWaveRadio.SetChecked(true);
  UpperRadio.SetChecked(true);
  for (const char* Line : MemoLines) Memo1.Lines().Add(Line);
  Memo1.SetReadOnly(true);
  Memo1.SetBorder(false);
  Memo1.SetColor(clBtnFace);
  Memo1.SetFontColor(clMaroon);
  Memo1.SetTabStop(false);
  for (TCheckBox* Ticked : {&WatchApplicationCheck, &MoveFirstPositionCheck, &DispRegisterIconCheck,
                            &IconLeftClickPopupMenuCheck, &HotKeyEnabledCheck})
    Ticked->SetChecked(true);
  WavingMouseCheck.SetVisible(false);
  OnShow = [this](TWinControl*) {
    Colors.ReportLoadError();
    if (FWarnExtended) {
      FWarnExtended = false;
      WarnOfExtendedKeys();
    }
  };

  FDataFileInUse = FDataFileNext = Values.DataFileName;
  FLoading = true;
  LoadSettings(Values);
  FLoading = false;
}

TEnvSetForm::~TEnvSetForm() {
  Application().Guard([this] { Colors.SaveColorExamples(); });
}

void TEnvSetForm::LoadSettings(const TSettings& V) {
  PageControl1.SetActivePage(&TabSheet1);
  // 一般設定
  WatchApplicationCheck.SetChecked(V.UseWatchApp);
  FInterval.Load(V.WatchAppInterval / TicksPerSecond);
  NotWatchNetwortAppCheck.SetChecked(V.NotWatchNetwortApp);
  MoveFirstPositionCheck.SetChecked(V.MoveFirstPosition);
  (V.UpperFirst ? UpperRadio : LowerRadio).SetChecked(true);
  DispRegisterIconCheck.SetChecked(V.DispRegisterIcon);
  IconLeftClickPopupMenuCheck.SetChecked(V.IconLeftClickPopupMenu);
  DataFileEdit.SetText(V.DataFileName);
  // エクスプローラ: the tree's option, which the store keeps as the setting has it.
  const std::string& Option = FRoot.ExplorerOption();
  DispTreeExplorerCheck.SetChecked(Option.find("/e") != std::string::npos);
  DispRootExplorerCheck.SetChecked(Option.find("/root") != std::string::npos);
  // ホットキー設定
  HotKeyEnabledCheck.SetChecked(V.HotKeyEnabled);
  FillHotKeyList(false);
  const int Index = FindHotKeyIndex(static_cast<unsigned>(V.HotKey));
  HotKeyCombo.SetItemIndex(Index);
  if (Index < 0 && V.HotKey != 0) {
    // A key set in the registry by hand: kept until the user chooses another.
    FUnlistedKey = static_cast<unsigned>(V.HotKey);
    FUnlistedText = UnlistedKeyName(FUnlistedKey);
    HotKeyCombo.SetText(FUnlistedText);
  }
  ShiftCheck.SetChecked(V.HotKeyShift);
  CtrlCheck.SetChecked(V.HotKeyCtrl);
  AltCheck.SetChecked(V.HotKeyAlt);
  FixMenuPosCheck.SetChecked(V.FixMenuPos);
  FXPos.Load(V.MenuXPos);
  FYPos.Load(V.MenuYPos);
  // 色とフォント
  LoadColors();
  // 追っかけマウス
  MouseFormEnabledCheck.SetChecked(V.MouseFormEnabled);
  FWidth.Load(V.MouseFormWidth);
  FHeight.Load(V.MouseFormHeight);
  FOffsetX.Load(V.MouseFormOffsetX);
  FOffsetY.Load(V.MouseFormOffsetY);
  FAppearInterval.Load(V.MouseAppearInterval);
  MouseFormColorPanel.SetColor(static_cast<TColor>(V.MouseFormColor));
  WavingMouseCheck.SetChecked(V.WavingMouse);
  // 打ち出の小槌
  UchidenoKodutiCheck.SetChecked(V.UchidenoKoduti);
  (V.UchideRangeX <= SmallWave    ? SmallWaveRadio
   : V.UchideRangeX <= MiddleWave ? MiddleWaveRadio
                                  : LargeWaveRadio)
      .SetChecked(true);
  (V.UchideMovingCount <= FastWave ? FastWaveRadio : SlowWaveRadio).SetChecked(true);
  (V.UchideLeftFast ? LeftFirstRadio : RightFirstRadio).SetChecked(true);
  // 自動追加しないファイル
  FRoot.Filters().ShowInListBox(FilterListBox);

  // A handler runs only when its box changed, so a value equal to the layout's state would
  // leave the controls it switches as laid out: they follow the loaded values here.
  WatchApplicationCheckClick();
  MoveFirstPositionCheckClick();
  DispRootExplorerCheck.SetEnabled(DispTreeExplorerCheck.Checked());
  HotKeyEnabledCheckClick();
  MouseFormEnabledCheckClick();
}

TKindColorSet* TEnvSetForm::KindOf(int Category) {
  switch (Category) {
    case 1: return &FRoot.GroupColors();
    case 2: return &FRoot.LauncherColors();
    case 3: return &FRoot.FolderLauncherColors();
    case 4: return &FRoot.URLLauncherColors();
    default: return nullptr;
  }
}

void TEnvSetForm::LoadColors() {
  WorkColors[0] = FRoot.Colors();
  WorkFonts[0] = FRoot.Font();
  WorkUseOwn[0] = FRoot.OwnColors();
  for (int Category = 1; Category < ColorCategoryCount; ++Category) {
    const TKindColorSet& Kind = *KindOf(Category);
    WorkColors[Category] = Kind.Colors();
    WorkFonts[Category] = Kind.Font();
    WorkUseOwn[Category] = Kind.UseOwn();
  }
  Colors.LoadColorExamples();
  ColorSetListBox.SetItemIndex(0);
  ColorSetListBoxClick();
}

void TEnvSetForm::ApplySettings(TSettings& S) {
  S.UseWatchApp = WatchApplicationCheck.Checked();
  if (!FInterval.Keeps()) S.WatchAppInterval = WatchAppIntervalUpDown.Position() * TicksPerSecond;
  S.MoveFirstPosition = MoveFirstPositionCheck.Checked();
  S.UpperFirst = UpperRadio.Checked();
  S.DispRegisterIcon = DispRegisterIconCheck.Checked();
  S.IconLeftClickPopupMenu = IconLeftClickPopupMenuCheck.Checked();
  S.NotWatchNetwortApp = NotWatchNetwortAppCheck.Checked();
  S.ExplorerOption = std::string(DispTreeExplorerCheck.Checked() ? "/e," : "") +
                     (DispRootExplorerCheck.Checked() ? "/root," : "");
  // The key, its modifiers and the switch come in one change: the key is registered once.
  S.HotKey = static_cast<int>(ChosenHotKey());
  S.HotKeyShift = ShiftCheck.Checked();
  S.HotKeyCtrl = CtrlCheck.Checked();
  S.HotKeyAlt = AltCheck.Checked();
  S.HotKeyEnabled = HotKeyEnabledCheck.Checked();
  S.FixMenuPos = FixMenuPosCheck.Checked();
  if (!FXPos.Keeps()) S.MenuXPos = XUpDown.Position();
  if (!FYPos.Keeps()) S.MenuYPos = YUpDown.Position();

  FRoot.SetColors(WorkColors[0]);
  FRoot.SetFont(WorkFonts[0]);
  FRoot.SetOwnColors(WorkUseOwn[0]);
  for (int Category = 1; Category < ColorCategoryCount; ++Category) {
    TKindColorSet& Kind = *KindOf(Category);
    Kind.SetColors(WorkColors[Category]);
    Kind.Font().Assign(WorkFonts[Category]);
    Kind.SetUseOwn(WorkUseOwn[Category]);
  }

  // Both switches ticked: the gesture wins, as it is applied after the chasing window.
  S.MouseFormEnabled = MouseFormEnabledCheck.Checked() && !UchidenoKodutiCheck.Checked();
  if (!FWidth.Keeps()) S.MouseFormWidth = MouseFormWidthUpDown.Position();
  if (!FHeight.Keeps()) S.MouseFormHeight = MouseFormHeightUpDown.Position();
  if (!FOffsetX.Keeps()) S.MouseFormOffsetX = MouseFormOffsetXUpDown.Position();
  if (!FOffsetY.Keeps()) S.MouseFormOffsetY = MouseFormOffsetYUpDown.Position();
  if (!FAppearInterval.Keeps()) S.MouseAppearInterval = MouseFormAppearIntervalUpDown.Position();
  S.MouseFormColor = static_cast<int>(MouseFormColorPanel.Color());
  S.WavingMouse = WavingMouseCheck.Checked();
  S.UchidenoKoduti = UchidenoKodutiCheck.Checked();
  S.UchideRangeX = SmallWaveRadio.Checked()    ? SmallWave
                   : MiddleWaveRadio.Checked() ? MiddleWave
                                               : LargeWave;
  S.UchideMovingCount = FastWaveRadio.Checked() ? FastWave : SlowWave;
  S.UchideLeftFast = LeftFirstRadio.Checked();

  FRoot.Filters().LoadFromListBox(FilterListBox);
}

// ---- OK and help ----

void TEnvSetForm::Button1Click() {
  if (!MasksAreGood() || !HotKeyIsFree() || !DataFileIsGood()) return;
  SetModalResult(mrOk);
}

void TEnvSetForm::ShowNextDataFile(const std::string& Name) {
  FDataFileNext = Name;
  DataFileEdit.SetText(Name);
}

bool TEnvSetForm::DataFileIsGood() {
  const std::string Name = DataFileEdit.Text();
  // What stays as it is, or goes back to the file in use, was checked when it was chosen.
  if (!DataFileChanged() || Name == FDataFileInUse) return true;
  auto Refuse = [this](const std::string& Text) {
    PageControl1.SetActivePage(&TabSheet1);
    if (!Text.empty()) MessageDlg(Text, TMsgDlgType::Warning, mbOK);
    DataFileEdit.SetFocus();
    return false;
  };
  if (IsBlank(Name)) return Refuse("データファイル名を入力してください。");
  const std::string Root = PathRoot(Name);
  if (Root.empty())
    return Refuse("データファイル名 " + Name +
                  " は完全なパスではありません。ドライブ（C:\\...）か、ネットワークの共有"
                  "（\\\\サーバー\\共有\\...）から書いてください。");
  if (ExtractFileName(Name).empty() || FileSystem().DirectoryExists(Name))
    return Refuse(Name + " はフォルダです。データファイルのファイル名まで書いてください。");
  // A drive's or a share's root is asked for with its backslash.
  std::string Folder = ExtractFilePath(Name);
  if (Folder != Root) Folder = ExcludeTrailingBackslash(Folder);
  if (FileSystem().DirectoryExists(Folder)) return true;
  PageControl1.SetActivePage(&TabSheet1);
  if (MessageDlg("データファイルのフォルダ " + Folder + " がありません。作成しますか？",
                 TMsgDlgType::Confirmation, mbYes | mbNo) != mrYes)
    return Refuse("");
  // A file of that name makes no folder, though the system may say it is there already.
  if (!FileSystem().CreateFolders(Folder) || !FileSystem().DirectoryExists(Folder))
    return Refuse("フォルダ " + Folder + " を作成できませんでした。別の場所を選んでください。");
  return true;
}

bool TEnvSetForm::MasksAreGood() {
  const TStrings& Lines = FilterListBox.Items();
  for (int i = 0; i < Lines.Count(); ++i) {
    const TFilterItem Mask(Lines[i]);
    if (!Mask.Malformed()) continue;
    PageControl1.SetActivePage(&TabSheet7);
    FilterListBox.SetItemIndex(i);
    FilterListBoxClick();
    MessageDlg(Mask.Error(), TMsgDlgType::Warning, mbOK);
    FilterListBox.SetFocus();
    return false;
  }
  return true;
}

void TEnvSetForm::Button3Click() {
  const std::string Page = ExtractFilePath(System().ProgramFileName()) + "Help\\EnvSet.html";
  CheckShellExec(Shell().ShellExec("", Page, "", "", SW_SHOW_), TShellTask::OpenPage, Page);
}

// ---- 一般設定 ----

void TEnvSetForm::WatchApplicationCheckClick() {
  NotWatchNetwortAppCheck.SetEnabled(WatchApplicationCheck.Checked());
}

void TEnvSetForm::MoveFirstPositionCheckClick() {
  UpperRadio.SetEnabled(MoveFirstPositionCheck.Checked());
  LowerRadio.SetEnabled(MoveFirstPositionCheck.Checked());
}

void TEnvSetForm::Button4Click() {
  // The chooser only names a file: the next start makes it.
  SaveDialog1.FileName.clear();
  SaveDialog1.Filter.clear();
  if (SaveDialog1.Execute()) DataFileEdit.SetText(SaveDialog1.FileName);
}

// ---- 自動追加しないファイル ----

void TEnvSetForm::Button5Click() {
  if (!Trim(FilterEdit.Text()).empty()) FilterListBox.Items().Add(FilterEdit.Text());
}

void TEnvSetForm::FilterListBoxClick() {
  const int Index = FilterListBox.ItemIndex();
  FilterDeleteButton.SetEnabled(Index >= 0);
  // The mask comes into the edit, to be changed and added again.
  if (Index >= 0) FilterEdit.SetText(FilterListBox.Items()[Index]);
}

void TEnvSetForm::FilterDeleteButtonClick() {
  const int Index = FilterListBox.ItemIndex();
  if (Index < 0) return;
  FilterListBox.Items().Delete(Index);
  FilterDeleteButton.SetEnabled(false);
}

// ---- エクスプローラ ----

void TEnvSetForm::DispTreeExplorerCheckClick() {
  const bool Tree = DispTreeExplorerCheck.Checked();
  // "/root" only comes with the tree pane.
  if (!Tree) DispRootExplorerCheck.SetChecked(false);
  DispRootExplorerCheck.SetEnabled(Tree);
}

// ---- 色とフォント ----

void TEnvSetForm::ColorSetListBoxClick() {
  if (ColorSetListBox.ItemIndex() < 0) return;
  CurrentCategory = ColorSetListBox.ItemIndex();
  const bool Kind = CurrentCategory > 0;
  Colors.CommonColorCheck.SetVisible(Kind);
  Colors.CommonColorCheck.SetChecked(Kind &&
                                     !WorkUseOwn[static_cast<std::size_t>(CurrentCategory)]);
  // The box's state may not have changed: the swatches and their enabling follow it anyway.
  Colors.CommonColorCheckClick();
  ShowPreviewFont();
}

void TEnvSetForm::CommonColorCheckClick() {
  // 共通 has no shared colours to use: its box is hidden, and its flag stays as stored.
  if (CurrentCategory > 0)
    WorkUseOwn[static_cast<std::size_t>(CurrentCategory)] = !Colors.CommonColorCheck.Checked();
  Colors.CommonColorCheckClick();
  ShowPreviewFont();
}

void TEnvSetForm::ShowPreviewFont() {
  const auto Current = static_cast<std::size_t>(CurrentCategory);
  Colors.PreviewFont = WorkUseOwn[Current] || Current == 0 ? WorkFonts[Current] : WorkFonts[0];
  Colors.Image1.Invalidate();
}

void TEnvSetForm::FontButtonClick() {
  const auto Current = static_cast<std::size_t>(CurrentCategory);
  FontDialog1.Font = WorkFonts[Current];
  if (FontDialog1.Execute()) WorkFonts[Current] = FontDialog1.Font;
  ShowPreviewFont();
}

void TEnvSetForm::ResetButtonClick() {
  Colors.ResetButtonClick();
  WorkFonts[static_cast<std::size_t>(CurrentCategory)] = Font();
  ShowPreviewFont();
}

// ---- 追っかけマウス and 打ち出の小槌 ----

void TEnvSetForm::MouseFormEnabledCheckClick() {
  const bool On = MouseFormEnabledCheck.Checked();
  for (TWinControl* Control : std::initializer_list<TWinControl*>{&GroupBox3,
                                                                  &Label10,
                                                                  &MouseFormWidthEdit,
                                                                  &MouseFormWidthUpDown,
                                                                  &Label11,
                                                                  &MouseFormHeightEdit,
                                                                  &MouseFormHeightUpDown,
                                                                  &GroupBox4,
                                                                  &Label12,
                                                                  &MouseFormOffsetXEdit,
                                                                  &MouseFormOffsetXUpDown,
                                                                  &Label13,
                                                                  &MouseFormOffsetYEdit,
                                                                  &MouseFormOffsetYUpDown,
                                                                  &Label14,
                                                                  &Edit3,
                                                                  &MouseFormAppearIntervalUpDown,
                                                                  &Label15,
                                                                  &Label16,
                                                                  &MouseFormColorPanel,
                                                                  &WavingMouseCheck})
    Control->SetEnabled(On);
}

void TEnvSetForm::UchidenoKodutiCheckClick() {
  MouseFormEnabledCheck.SetChecked(!UchidenoKodutiCheck.Checked());
}

void TEnvSetForm::MouseFormColorPanelClick() {
  ColorDialog1.Color = MouseFormColorPanel.Color();
  if (ColorDialog1.Execute()) MouseFormColorPanel.SetColor(ColorDialog1.Color);
}

}  // namespace lantern
