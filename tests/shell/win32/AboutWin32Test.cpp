// The version window as a native window under Wine: its windows mirror its controls, its
// fonts, and the version of the running program (unit_tests.exe has no version resource).
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "shell/About.h"
#include "support/win32/NativeMatchesToolkit.h"
#include "ui/Dpi.h"
#include "ui/Widgets.h"
#include "ui/win32/WideText.h"

namespace lantern {
namespace {

class AboutWin32Test : public ::testing::Test {
 protected:
  void SetUp() override { SetWidgets(PlatformWidgets()); }
  void TearDown() override { SetWidgets(nullptr); }
  static HWND Of(TWinControl& Control) { return static_cast<HWND>(Control.Handle()); }
};

// A wider substitute font widens the labels: the window then grows to hold them.
TEST_F(AboutWin32Test, NativeWindowsMirrorTheControlsWithinTheWindow) {
  TAboutForm Form;
  Form.CreateHandle();
  Form.Show();  // the controls' windows come with the first showing
  ExpectNativeMatchesToolkit(Form);
  // The test program carries the icon but no version resource.
  EXPECT_EQ(GetVersionString(), "");
  EXPECT_FALSE(Form.Image1.Picture().Empty());
}

TEST_F(AboutWin32Test, NameIsShownInItsLargeBoldFont) {
  TAboutForm Form;
  Form.CreateHandle();
  Form.Show();
  auto Font = reinterpret_cast<HFONT>(SendMessageW(Of(Form.Label1), WM_GETFONT, 0, 0));
  LOGFONTW Log = {};
  ASSERT_TRUE(Font && GetObjectW(Font, sizeof(Log), &Log));
  EXPECT_EQ(Log.lfHeight, ScaleToDpi(-27, Form.Dpi()));  // a height of the layout, scaled
  EXPECT_EQ(Log.lfWeight, FW_BOLD);
  EXPECT_EQ(Log.lfCharSet, SHIFTJIS_CHARSET);
  EXPECT_EQ(FromWide(Log.lfFaceName), "ＭＳ Ｐゴシック");
}

}  // namespace
}  // namespace lantern
