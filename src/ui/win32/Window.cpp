// The window base: class registration, binding, the two procedures (our own windows and
// subclassed controls) and the reflection of children's notifications.
#include "ui/win32/Window.h"
// after windows.h
#include <commctrl.h>

#include <stdexcept>

#include "base/Exception.h"
#include "ui/Action.h"
#include "ui/Application.h"
#include "ui/win32/WideText.h"

namespace lantern {

namespace {

const wchar_t* const ObjectProperty = L"LanternWindow";

HINSTANCE ModuleInstance() { return GetModuleHandleW(nullptr); }

[[noreturn]] void RaiseLastError(const std::string& What) {
  throw Exception(What + ": " + SystemErrorText(GetLastError()));
}

// The child whose notification a parent received, if it is one of ours.
TWindow* NotifyingChild(HWND Parent, UINT Message, WPARAM WParam, LPARAM LParam) {
  switch (Message) {
    case WM_COMMAND: return LParam ? TWindow::FromHandle(reinterpret_cast<HWND>(LParam)) : nullptr;
    case WM_NOTIFY: return TWindow::FromHandle(reinterpret_cast<NMHDR*>(LParam)->hwndFrom);
    case WM_DRAWITEM: {
      auto* Draw = reinterpret_cast<DRAWITEMSTRUCT*>(LParam);
      return Draw->CtlType == ODT_MENU ? nullptr : TWindow::FromHandle(Draw->hwndItem);
    }
    case WM_MEASUREITEM: {
      auto* Measure = reinterpret_cast<MEASUREITEMSTRUCT*>(LParam);
      return Measure->CtlType == ODT_MENU
                 ? nullptr
                 : TWindow::FromHandle(GetDlgItem(Parent, static_cast<int>(Measure->CtlID)));
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: return TWindow::FromHandle(reinterpret_cast<HWND>(LParam));
    default: (void)WParam; return nullptr;
  }
}

}  // namespace

void ShowDispatchError(const char* What) {
  Application().ShowException(std::runtime_error(What ? What : "予期しないエラーが発生しました"));
}

unsigned ShiftState() {
  return (GetKeyState(VK_SHIFT) < 0 ? ssShift : 0u) | (GetKeyState(VK_CONTROL) < 0 ? ssCtrl : 0u) |
         (GetKeyState(VK_MENU) < 0 ? ssAlt : 0u);
}

TWindow::~TWindow() { DestroyNow(); }

TWindow* TWindow::FromHandle(HWND Window) {
  return Window ? static_cast<TWindow*>(GetPropW(Window, ObjectProperty)) : nullptr;
}

void TWindow::Create(const TWindowClass& Class, DWORD ExStyle, DWORD Style,
                     const std::wstring& Caption, int X, int Y, int Width, int Height,
                     HWND Parent) {
  WNDCLASSEXW Info = {};
  Info.cbSize = sizeof(Info);
  if (!GetClassInfoExW(ModuleInstance(), Class.Name, &Info)) {
    Info.style = Class.Style;
    Info.lpfnWndProc = OwnProc;
    Info.hInstance = ModuleInstance();
    Info.hIcon = Class.Icon;
    Info.hCursor = Class.Cursor;
    Info.hbrBackground = Class.Background;
    Info.lpszClassName = Class.Name;
    if (!RegisterClassExW(&Info) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
      RaiseLastError("ウィンドウクラス " + FromWide(Class.Name) + " を登録できません");
  }
  // OwnProc binds this object at WM_NCCREATE, before any other message.
  if (!CreateWindowExW(ExStyle, Class.Name, Caption.c_str(), Style, X, Y, Width, Height, Parent,
                       nullptr, ModuleInstance(), this))
    RaiseLastError("ウィンドウ " + FromWide(Class.Name) + " を作れません");
}

void TWindow::CreateControl(const wchar_t* Class, DWORD ExStyle, DWORD Style, int X, int Y,
                            int Width, int Height, HWND Parent) {
  // The common controls load with the first control: a resident start makes none.
  static const bool CommonControls = [] {
    INITCOMMONCONTROLSEX Init = {sizeof(Init), ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES |
                                                   ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    return InitCommonControlsEx(&Init) != FALSE;
  }();
  (void)CommonControls;
  HWND Window = CreateWindowExW(ExStyle, Class, L"", Style, X, Y, Width, Height, Parent, nullptr,
                                ModuleInstance(), nullptr);
  if (!Window) RaiseLastError("コントロール " + FromWide(Class) + " を作れません");
  Bind(Window);
  FSubclassed = SetWindowSubclass(Window, ControlProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

void TWindow::DestroyNow() {
  if (!FHandle) return;
  HWND Window = FHandle;
  DestroyWindow(Window);  // WM_NCDESTROY unbinds
  if (FHandle == Window) Unbind();
}

void TWindow::Adopt(HWND Other) {
  if (Other) SetPropW(Other, ObjectProperty, this);
}

void TWindow::Bind(HWND Window) {
  FHandle = Window;
  SetPropW(Window, ObjectProperty, this);
}

void TWindow::Unbind() {
  if (!FHandle) return;
  if (FSubclassed) RemoveWindowSubclass(FHandle, ControlProc, 0);
  FSubclassed = false;
  RemovePropW(FHandle, ObjectProperty);
  FHandle = nullptr;
}

bool TWindow::Deliver(UINT Message, WPARAM WParam, LPARAM LParam, LRESULT& Result) {
  bool Handled = false;
  Dispatch([&] {
    TWindow* Child = NotifyingChild(FHandle, Message, WParam, LParam);
    Handled = (Child && Child != this && Child->Reflected(Message, WParam, LParam, Result)) ||
              HandleMessage(Message, WParam, LParam, Result);
  });
  return Handled;
}

LRESULT CALLBACK TWindow::OwnProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
  if (Message == WM_NCCREATE)
    static_cast<TWindow*>(reinterpret_cast<CREATESTRUCTW*>(LParam)->lpCreateParams)->Bind(Window);
  TWindow* Self = FromHandle(Window);
  if (!Self) return DefWindowProcW(Window, Message, WParam, LParam);
  LRESULT Result = 0;
  bool Handled = Self->Deliver(Message, WParam, LParam, Result);
  if (!Handled) Result = DefWindowProcW(Window, Message, WParam, LParam);
  if (Message == WM_NCDESTROY) Self->Unbind();
  return Result;
}

LRESULT CALLBACK TWindow::ControlProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam,
                                      UINT_PTR, DWORD_PTR Data) {
  auto* Self = reinterpret_cast<TWindow*>(Data);
  LRESULT Result = 0;
  bool Handled = Message != WM_NCDESTROY && Self->Deliver(Message, WParam, LParam, Result);
  if (!Handled) Result = DefSubclassProc(Window, Message, WParam, LParam);
  if (Message == WM_NCDESTROY) Self->Unbind();
  return Result;
}

}  // namespace lantern
