// The dialogs' standard controls as system controls, under Wine: they mirror the toolkit's
// state, the user's clicks and typing come back before the handlers run, and a modal form
// answers Enter, Esc, Tab and its close box as a dialog does.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "support/win32/NativeMatchesToolkit.h"
#include "ui/Form.h"
#include "ui/StdCtrls.h"
#include "ui/Widgets.h"
#include "ui/win32/WideText.h"

namespace lantern {
namespace {

class TTestDialog : public TForm {
 public:
  TTestDialog() : TForm("TLanternStdCtrlsTest") {
    SetBorderStyle(TFormBorderStyle::Dialog);
    SetBounds(100, 100, 420, 200);
    Label.SetBounds(8, 8, 100, 12);
    Label.SetCaption("監視間隔(&I)");
    Label.SetFocusControl(&Edit);
    Edit.SetBounds(8, 24, 100, 20);
    Check.SetBounds(8, 50, 200, 17);
    Check.SetCaption("自動登録(&A)");
    Group.SetBounds(8, 70, 200, 40);
    Group.SetCaption("最新位置");
    Upper.SetBounds(8, 14, 60, 17);
    Upper.SetCaption("上(&U)");
    Lower.SetBounds(80, 14, 60, 17);
    Lower.SetCaption("下(&D)");
    Ok.SetBounds(168, 130, 75, 22);
    Ok.SetCaption("OK");
    Ok.SetDefault(true);
    Ok.SetModalResult(mrOk);
    Cancel.SetBounds(248, 130, 75, 22);
    Cancel.SetCaption("キャンセル");
    Cancel.SetCancel(true);
    Cancel.SetModalResult(mrCancel);
  }
  TLabel Label{this};
  TEdit Edit{this};
  TCheckBox Check{this};
  TGroupBox Group{this};
  TRadioButton Upper{&Group};
  TRadioButton Lower{&Group};
  TButton Ok{this};
  TButton Cancel{this};
};

class StdCtrlsWin32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    SetWidgets(PlatformWidgets());
    Dialog = std::make_unique<TTestDialog>();
  }
  void TearDown() override {
    Dialog.reset();
    SetWidgets(nullptr);
  }
  void Open() {
    Dialog->CreateHandle();
    Dialog->Show();
    ASSERT_NE(Dialog->Ok.Handle(), nullptr);
  }
  static HWND Of(TWinControl& Control) { return static_cast<HWND>(Control.Handle()); }
  static bool NativeChecked(TWinControl& Control) {
    return SendMessageW(Of(Control), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  std::unique_ptr<TTestDialog> Dialog;
};

TEST_F(StdCtrlsWin32Test, ControlsShowTheStateSetBeforeAndAfterTheyExist) {
  Dialog->Edit.SetText("10");
  Dialog->Upper.SetChecked(true);
  Dialog->Lower.SetEnabled(false);
  Open();
  ExpectNativeMatchesToolkit(*Dialog);
  Dialog->Check.SetChecked(true);
  Dialog->Lower.SetEnabled(true);
  Dialog->Lower.SetChecked(true);
  Dialog->Edit.SetText("20");
  Dialog->Group.SetCaption("位置");
  Dialog->Label.SetBounds(8, 4, 120, 14);
  Dialog->Cancel.SetVisible(false);
  ExpectNativeMatchesToolkit(*Dialog);
}

TEST_F(StdCtrlsWin32Test, DialogGetsTheClientAreaAskedForBeforeAndAfterItsWindowExists) {
  Dialog->SetClientSize(412, 315);
  Open();
  RECT Client;
  GetClientRect(Of(*Dialog), &Client);
  EXPECT_EQ(Client.right, 412);
  EXPECT_EQ(Client.bottom, 315);
  Dialog->SetClientSize(300, 200);
  GetClientRect(Of(*Dialog), &Client);
  EXPECT_EQ(Client.right, 300);
  EXPECT_EQ(Client.bottom, 200);
  EXPECT_EQ(Dialog->ClientWidth(), 300);
}

// Whether any pixel of the control's window has Color.
bool Shows(HWND Window, COLORREF Color) {
  RedrawWindow(Window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  RECT Client;
  GetClientRect(Window, &Client);
  HDC Dc = GetDC(Window);
  bool Found = false;
  for (int y = 0; y < Client.bottom && !Found; ++y)
    for (int x = 0; x < Client.right && !Found; ++x) Found = GetPixel(Dc, x, y) == Color;
  ReleaseDC(Window, Dc);
  return Found;
}

TEST_F(StdCtrlsWin32Test, LabelWritesInItsOwnColour) {
  Dialog->Label.SetCaption("■■■");
  Open();
  const COLORREF Green = RGB(0, 128, 0);
  EXPECT_FALSE(Shows(Of(Dialog->Label), Green));
  Dialog->Label.SetFontColor(static_cast<int>(Green));
  EXPECT_TRUE(Shows(Of(Dialog->Label), Green));
}

TEST_F(StdCtrlsWin32Test, ClicksReachTheToolkitBeforeTheHandlers) {
  Open();
  std::vector<std::string> Seen;
  Dialog->Check.OnClick = [&](TWinControl*) {
    Seen.push_back(Dialog->Check.Checked() ? "check on" : "check off");
  };
  Dialog->Lower.OnClick = [&](TWinControl*) {
    Seen.push_back(Dialog->Upper.Checked() ? "lower, upper still on" : "lower");
  };
  Dialog->Ok.OnClick = [&](TWinControl*) { Seen.push_back("ok"); };
  Dialog->Upper.SetChecked(true);
  Seen.clear();
  SendMessageW(Of(Dialog->Check), BM_CLICK, 0, 0);
  SendMessageW(Of(Dialog->Check), BM_CLICK, 0, 0);
  SendMessageW(Of(Dialog->Lower), BM_CLICK, 0, 0);  // through the group box
  SendMessageW(Of(Dialog->Ok), BM_CLICK, 0, 0);
  EXPECT_EQ(Seen, (std::vector<std::string>{"check on", "check off", "lower", "ok"}));
  EXPECT_FALSE(NativeChecked(Dialog->Upper));
  EXPECT_TRUE(NativeChecked(Dialog->Lower));
  EXPECT_EQ(Dialog->ModalResult(), mrOk);
}

TEST_F(StdCtrlsWin32Test, TypingReachesTheEditsTextOnceAndTheProgramsWritingIsNotReported) {
  Open();
  std::vector<std::string> Seen;
  Dialog->Edit.OnChange = [&](TWinControl*) { Seen.push_back(Dialog->Edit.Text()); };
  SetWindowTextW(Of(Dialog->Edit), ToWide("表示").c_str());  // sends EN_CHANGE
  SendMessageW(Of(Dialog->Edit), EM_SETSEL, 2, 2);           // the caret after the text
  SendMessageW(Of(Dialog->Edit), WM_CHAR, L'x', 0);
  Dialog->Edit.SetText("abc");
  EXPECT_EQ(Seen, (std::vector<std::string>{"表示", "表示x", "abc"}));
}

// Handles what is waiting in the thread's queue.
void Pump() {
  MSG Msg;
  while (PeekMessageW(&Msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&Msg);
    DispatchMessageW(&Msg);
  }
}

TEST_F(StdCtrlsWin32Test, AMouseClickOnALabelRunsItsOnClickUnlessDisabled) {
  Open();
  int Clicks = 0;
  Dialog->Label.OnClick = [&](TWinControl* Sender) { Clicks += Sender == &Dialog->Label; };
  auto Click = [&] {
    PostMessageW(Of(Dialog->Label), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    PostMessageW(Of(Dialog->Label), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    Pump();
  };
  Click();
  EXPECT_EQ(Clicks, 1);
  Dialog->Label.SetEnabled(false);
  Click();
  EXPECT_EQ(Clicks, 1);
}

TEST_F(StdCtrlsWin32Test, LabelAlignsItsCaptionAsItsAlignmentSays) {
  Dialog->Label.SetAlignment(TAlignment::RightJustify);
  Open();
  auto Kind = [&] { return GetWindowLongW(Of(Dialog->Label), GWL_STYLE) & SS_TYPEMASK; };
  EXPECT_EQ(Kind(), SS_RIGHT);
  Dialog->Label.SetAlignment(TAlignment::Center);
  EXPECT_EQ(Kind(), SS_CENTER);
  Dialog->Label.SetAlignment(TAlignment::LeftJustify);
  EXPECT_EQ(Kind(), SS_LEFT);
  EXPECT_NE(GetWindowLongW(Of(Dialog->Label), GWL_STYLE) & SS_NOTIFY, 0);
}

// The height and weight of the font the control shows its text in.
std::pair<LONG, LONG> ShownFont(HWND Window) {
  auto Font = reinterpret_cast<HFONT>(SendMessageW(Window, WM_GETFONT, 0, 0));
  LOGFONTW Log = {};
  if (!Font || !GetObjectW(Font, sizeof(Log), &Log)) return {0, 0};
  return {Log.lfHeight, Log.lfWeight};
}

TEST_F(StdCtrlsWin32Test, LabelShowsItsOwnFontOnceItHasOne) {
  TFont Big = Dialog->Font();
  Big.SetHeight(-27);
  Big.SetStyle(fsBold);
  Dialog->Label.SetFont(Big);
  Open();
  EXPECT_EQ(ShownFont(Of(Dialog->Label)), std::make_pair(-27L, LONG(FW_BOLD)));
  Big.SetHeight(-16);
  Big.SetStyle(0);
  Dialog->Label.SetFont(Big);
  EXPECT_EQ(ShownFont(Of(Dialog->Label)), std::make_pair(-16L, LONG(FW_NORMAL)));
  // The other controls keep the program's font.
  EXPECT_EQ(ShownFont(Of(Dialog->Check)), std::make_pair(-12L, LONG(FW_NORMAL)));
}

HWND ModalWindow = nullptr;
HWND FocusWhenShown = nullptr;
TWinControl* Noted = nullptr;
bool NotedFocusedWhenShown = false;

// Notes where the focus is once the modal loop runs (the toolkit's view of it too: a closed
// dialog's controls have lost it), then closes the dialog.
void CALLBACK NoteFocusAndClose(HWND, UINT, UINT_PTR Id, DWORD) {
  KillTimer(nullptr, Id);
  FocusWhenShown = GetFocus();
  NotedFocusedWhenShown = Noted->Focused();
  PostMessageW(ModalWindow, WM_CLOSE, 0, 0);
}

TEST_F(StdCtrlsWin32Test, ModalDialogOpensWithTheFocusOnItsActiveControl) {
  struct TCase {
    const char* Name;
    bool CheckEnabled;
    bool CheckFocused;  // else the first control with a tab stop, the edit
  };
  const TCase Cases[] = {{"active control", true, true}, {"disabled: the first", false, false}};
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    Dialog = std::make_unique<TTestDialog>();
    Dialog->Check.SetEnabled(Case.CheckEnabled);
    Dialog->SetActiveControl(&Dialog->Check);
    Dialog->CreateHandle();
    ModalWindow = Of(*Dialog);
    FocusWhenShown = nullptr;
    Noted = &Dialog->Check;
    SetTimer(nullptr, 0, 200, NoteFocusAndClose);
    EXPECT_EQ(Dialog->ShowModal(), mrCancel);
    EXPECT_EQ(FocusWhenShown,
              Of(Case.CheckFocused ? static_cast<TWinControl&>(Dialog->Check) : Dialog->Edit));
    EXPECT_EQ(NotedFocusedWhenShown, Case.CheckFocused);
  }
}

// What the user does while the dialog is shown, posted before ShowModal starts its loop.
struct TModalCase {
  const char* Name;
  std::function<void(TTestDialog&)> Post;
  TModalResult Expected;
  const char* Clicks;
  bool LowerChosen = false;
};

void PostKey(HWND Window, UINT Key) {
  PostMessageW(Window, WM_KEYDOWN, Key, 1);
  PostMessageW(Window, WM_KEYUP, Key, 0xC0000001);
}

HWND Handle(TWinControl& Control) { return static_cast<HWND>(Control.Handle()); }

TEST_F(StdCtrlsWin32Test, ShowModalEndsWithTheResultOfWhatTheUserDid) {
  const TModalCase Cases[] = {
      {"Enter in the edit", [](TTestDialog& d) { PostKey(Handle(d.Edit), VK_RETURN); }, mrOk, "O"},
      {"Esc in the edit", [](TTestDialog& d) { PostKey(Handle(d.Edit), VK_ESCAPE); }, mrCancel,
       "C"},
      {"Cancel clicked", [](TTestDialog& d) { PostMessageW(Handle(d.Cancel), BM_CLICK, 0, 0); },
       mrCancel, "C"},
      {"close box", [](TTestDialog& d) { PostMessageW(Handle(d), WM_CLOSE, 0, 0); }, mrCancel, ""},
      {"Tab to Cancel, Enter",
       [](TTestDialog& d) {
         // From the edit: the check box, Upper in the group box, OK, Cancel.
         for (int i = 0; i < 4; ++i) PostKey(Handle(d.Edit), VK_TAB);
         PostKey(Handle(d.Edit), VK_RETURN);
       },
       mrCancel, "C"},
      {"Alt+D chooses the lower radio button, Enter",
       [](TTestDialog& d) {
         PostMessageW(Handle(d.Edit), WM_SYSCHAR, L'd', 1 << 29);
         PostKey(Handle(d.Edit), VK_RETURN);
       },
       mrOk, "O", true},
  };
  for (const TModalCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    Dialog = std::make_unique<TTestDialog>();
    Dialog->Upper.SetChecked(true);
    std::string Clicks;
    Dialog->Ok.OnClick = [&](TWinControl*) { Clicks += "O"; };
    Dialog->Cancel.OnClick = [&](TWinControl*) { Clicks += "C"; };
    Open();
    Dialog->Edit.SetFocus();
    Case.Post(*Dialog);
    EXPECT_EQ(Dialog->ShowModal(), Case.Expected);
    EXPECT_EQ(Clicks, Case.Clicks);
    EXPECT_EQ(Dialog->Lower.Checked(), Case.LowerChosen);
    EXPECT_EQ(Dialog->Upper.Checked(), !Case.LowerChosen);
    EXPECT_FALSE(IsWindowVisible(Handle(*Dialog)));
    LONG Style = GetWindowLongW(Handle(*Dialog), GWL_STYLE);
    EXPECT_EQ(Style & WS_THICKFRAME, 0);
    EXPECT_EQ(Style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
  }
}

}  // namespace
}  // namespace lantern
