// The one base of the native windows: binding, the dispatch that turns every exception into
// the error box, the reflection of a child's notifications to its own object, the checks of
// creation; and the handle holders.
#include <gtest/gtest.h>

#include <stdexcept>

#include "support/FakeSystem.h"
#include "ui/Dialogs.h"
#include "ui/win32/Handles.h"
#include "ui/win32/WideText.h"
#include "ui/win32/Window.h"

namespace lantern {
namespace {

class TTestWindow : public TWindow {
 public:
  void Make(HWND Parent = nullptr) {
    Create({L"TLanternWindowTest"}, 0, Parent ? WS_CHILD : WS_POPUP, L"", 0, 0, 50, 20, Parent);
  }
  void MakeControl(const wchar_t* Class, HWND Parent) {
    CreateControl(Class, 0, WS_CHILD, 0, 0, 50, 20, Parent);
  }
  std::vector<UINT> Reflections;
  bool Throw = false;

 protected:
  bool HandleMessage(UINT Message, WPARAM, LPARAM, LRESULT& Result) override {
    if (Message == WM_APP && Throw) throw std::runtime_error("handler failed");
    if (Message == WM_APP + 1 && Throw) throw 42;  // not even an exception
    if (Message != WM_APP) return false;
    Result = 7;
    return true;
  }
  bool Reflected(UINT Message, WPARAM, LPARAM, LRESULT& Result) override {
    Reflections.push_back(Message);
    Result = 9;
    return true;
  }
};

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override { Old = SetDialogs(&Boxes); }
  void TearDown() override { SetDialogs(Old); }
  TFakeDialogs Boxes;
  TDialogService* Old = nullptr;
};

TEST_F(WindowTest, AWindowIsItsObjectsFromItsFirstMessageToItsLast) {
  TTestWindow Window;
  Window.Make();
  HWND Handle = Window.Window();
  ASSERT_NE(Handle, nullptr);
  EXPECT_EQ(TWindow::FromHandle(Handle), &Window);
  EXPECT_EQ(SendMessageW(Handle, WM_APP, 0, 0), 7);
  DestroyWindow(Handle);  // destroyed from outside: the object lets go of it
  EXPECT_EQ(Window.Window(), nullptr);
  EXPECT_EQ(TWindow::FromHandle(Handle), nullptr);
}

TEST_F(WindowTest, EveryExceptionOfAHandlerEndsInTheErrorBox) {
  TTestWindow Window;
  Window.Make();
  Window.Throw = true;
  EXPECT_EQ(SendMessageW(Window.Window(), WM_APP, 0, 0), 0);
  SendMessageW(Window.Window(), WM_APP + 1, 0, 0);
  EXPECT_EQ(Boxes.Texts,
            (std::vector<std::string>{"handler failed", "予期しないエラーが発生しました"}));
}

TEST_F(WindowTest, AParentHandsItsChildsNotificationsToTheChild) {
  TTestWindow Parent, Child;
  Parent.Make();
  Child.MakeControl(L"BUTTON", Parent.Window());
  NMHDR Header = {Child.Window(), 1, NM_CLICK};
  EXPECT_EQ(SendMessageW(Parent.Window(), WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&Header)), 9);
  EXPECT_EQ(SendMessageW(Parent.Window(), WM_COMMAND, MAKEWPARAM(1, BN_CLICKED),
                         reinterpret_cast<LPARAM>(Child.Window())),
            9);
  EXPECT_EQ(Child.Reflections, (std::vector<UINT>{WM_NOTIFY, WM_COMMAND}));
  EXPECT_TRUE(Parent.Reflections.empty());
  // The subclassed control still is what it was.
  wchar_t Class[16];
  GetClassNameW(Child.Window(), Class, 16);
  EXPECT_EQ(lstrcmpiW(Class, L"Button"), 0);
}

TEST_F(WindowTest, AWindowThatCannotBeMadeIsReported) {
  TTestWindow Window;
  try {
    Window.MakeControl(L"NoSuchControlClass", nullptr);
    FAIL() << "no error";
  } catch (const std::exception& E) {
    EXPECT_NE(std::string(E.what()).find("NoSuchControlClass"), std::string::npos) << E.what();
  }
  EXPECT_EQ(Window.Window(), nullptr);
}

TEST(HandlesTest, AHolderReleasesItsHandleOnceAndHandsItOn) {
  TKernelHandle Event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  ASSERT_TRUE(Event);
  HANDLE Raw = Event.Get();
  TKernelHandle Moved(std::move(Event));
  EXPECT_FALSE(Event);
  EXPECT_EQ(Moved.Get(), Raw);
  DWORD Flags = 0;
  EXPECT_TRUE(GetHandleInformation(Raw, &Flags));
  Moved.Reset();
  EXPECT_FALSE(GetHandleInformation(Raw, &Flags));  // closed
  // INVALID_HANDLE_VALUE is no handle to close.
  TFindHandle None(INVALID_HANDLE_VALUE);
  EXPECT_FALSE(None);
  TFontHandle Font(
      CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
  HGDIOBJ Object = Font.Get();
  EXPECT_EQ(GetObjectType(Object), static_cast<DWORD>(OBJ_FONT));
  Font.Reset();
  EXPECT_EQ(GetObjectType(Object), 0u);  // deleted
}

}  // namespace
}  // namespace lantern
