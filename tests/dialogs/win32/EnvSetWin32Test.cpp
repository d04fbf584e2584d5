// The settings dialog as native windows under Wine: every page mirrors its controls, labels
// whole, before and after the switches that disable others; Alt+C steps between the two
// controls that share it; a number typed beyond a spin's range reads as the range's end.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <string>
#include <vector>

#include "dialogs/EnvSet.h"
#include "support/DialogFixture.h"
#include "support/win32/ModalRun.h"
#include "support/win32/NativeMatchesToolkit.h"
#include "ui/Widgets.h"
#include "ui/win32/WideText.h"

namespace lantern {
namespace {

class EnvSetWin32Test : public DialogFixture {
 protected:
  void SetUp() override {
    DialogFixture::SetUp();
    SetWidgets(PlatformWidgets());
  }
  void TearDown() override {
    SetWidgets(nullptr);
    DialogFixture::TearDown();
  }
};

TTabSheet* PageOf(TWinControl* Control) {
  while (Control && !dynamic_cast<TTabSheet*>(Control)) Control = Control->Parent();
  return static_cast<TTabSheet*>(Control);
}

TEST_F(EnvSetWin32Test, EveryPageMirrorsItsControlsBeforeAndAfterItsSwitches) {
  TEnvSetForm F(TSettings{}, *Root);
  F.CreateHandle();
  F.Show();
  for (int Page = 0; Page < F.PageControl1.PageCount(); ++Page) {
    SCOPED_TRACE(F.PageControl1.Pages(Page)->Caption());
    F.PageControl1.SetActivePageIndex(Page);
    ExpectNativeMatchesToolkit(F);
  }
  // A kind's colours follow the common ones until its box is unticked.
  F.PageControl1.SetActivePage(&F.TabSheet4);
  F.ColorSetListBox.SetItemIndex(1);
  F.ColorSetListBoxClick();
  for (TCheckBox* Switch :
       {&F.WatchApplicationCheck, &F.MoveFirstPositionCheck, &F.DispTreeExplorerCheck,
        &F.HotKeyEnabledCheck, &F.Colors.CommonColorCheck, &F.UchidenoKodutiCheck}) {
    SCOPED_TRACE(Switch->Caption());
    F.PageControl1.SetActivePage(PageOf(Switch));
    const bool Was = Switch->Checked();
    SendMessageW(Of(*Switch), BM_CLICK, 0, 0);
    ASSERT_NE(Switch->Checked(), Was);
    ExpectNativeMatchesToolkit(F);
  }
}

TEST_F(EnvSetWin32Test, EveryPageFollowsTheMonitorsDpiAndBack) {
  TEnvSetForm F(TSettings{}, *Root);
  F.CreateHandle();
  F.Show();
  ExpectFollowsDpi(F, &F.PageControl1);
}

// As the system steps through controls whose captions share a letter: from the hot key list
// to CTRLキー and back.
TEST_F(EnvSetWin32Test, AltCStepsBetweenTheHotKeyListAndCtrl) {
  TEnvSetForm F(TSettings{}, *Root);
  F.PageControl1.SetActivePage(&F.TabSheet3);
  auto NameOf = [&](HWND Window) -> std::string {
    if (Window == Of(F.CtrlCheck)) return "CTRL";
    if (Window == Of(F.HotKeyCombo) || IsChild(Of(F.HotKeyCombo), Window)) return "list";
    return "other";
  };
  std::vector<std::string> Seen;
  EXPECT_EQ(RunModal(F,
                     [&] {
                       if (Seen.size() == 4) {
                         PostMessageW(ModalDialog, WM_CLOSE, 0, 0);
                         return true;
                       }
                       HWND Focus = GetFocus();
                       Seen.push_back(NameOf(Focus));
                       PostMessageW(Focus, WM_SYSKEYDOWN, 'C', 1 << 29 | 1);
                       PostMessageW(Focus, WM_SYSKEYUP, 'C', 0xE0000001);
                       return false;
                     }),
            mrCancel);
  EXPECT_EQ(Seen, (std::vector<std::string>{"other", "list", "CTRL", "list"}));
}

// The toolkit writes the spin's number into its edit; a number typed there beyond the range
// reads as the range's end, shows as it once the focus leaves, and the native arrows step on
// from it.
TEST_F(EnvSetWin32Test, ANumberTypedBeyondASpinsRangeReadsAsItsEnd) {
  TEnvSetForm F(TSettings{}, *Root);
  F.CreateHandle();
  F.Show();
  F.PageControl1.SetActivePage(&F.TabSheet5);
  struct TCase {
    TEdit& Edit;
    TUpDown& Spin;
    const wchar_t* Typed;
    int End, Step;  // the end it reads as; Down (-1) or Up (1) from there
  } Cases[] = {
      {F.MouseFormWidthEdit, F.MouseFormWidthUpDown, L"500", F.MouseFormWidthUpDown.Max(), -1},
      {F.MouseFormOffsetXEdit, F.MouseFormOffsetXUpDown, L"-500", F.MouseFormOffsetXUpDown.Min(),
       1}};
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(FromWide(Case.Typed));
    HWND Edit = Of(Case.Edit);
    SetFocus(Edit);
    SendMessageW(Edit, EM_SETSEL, 0, -1);
    for (const wchar_t* c = Case.Typed; *c; ++c) PostMessageW(Edit, WM_CHAR, *c, 1);
    Pump();
    EXPECT_EQ(Case.Edit.Text(), FromWide(Case.Typed));
    EXPECT_EQ(Case.Spin.Position(), Case.End);
    SetFocus(Of(F.MouseFormEnabledCheck));  // leaving the edit shows the end
    EXPECT_EQ(WindowText(Edit), std::to_string(Case.End));
    SetFocus(Edit);
    PostKey(Edit, Case.Step < 0 ? VK_DOWN : VK_UP);
    Pump();
    EXPECT_EQ(Case.Spin.Position(), Case.End + Case.Step);
    EXPECT_EQ(WindowText(Edit), std::to_string(Case.End + Case.Step));
    EXPECT_EQ(SendMessageW(Of(Case.Spin), UDM_GETPOS32, 0, 0), Case.End + Case.Step);
  }
}

}  // namespace
}  // namespace lantern
