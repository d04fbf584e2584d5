// Message boxes through MessageBoxW (a task dialog for one with a check box) and the common
// choosers, owned as the program's modal dialogs are (ModalOwner).
#include <windows.h>
// after windows.h
#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "base/Cp932.h"
#include "base/Exception.h"
#include "ui/Application.h"
#include "ui/Dialogs.h"
#include "ui/win32/Handles.h"
#include "ui/win32/Peers.h"
#include "ui/win32/WideText.h"

namespace lantern {

namespace {

// The shell allocates the chosen folder's item list; the shell frees it.
void FreeItemIdList(PIDLIST_ABSOLUTE List) { ILFree(List); }
using TItemIdList = TUniqueHandle<PIDLIST_ABSOLUTE, FreeItemIdList>;

// A function of the choosers' library, which is loaded the first time a chooser opens: a
// resident start does not pay for a library it may never use. It stays loaded from then on.
template <typename TFunction>
TFunction* Chooser(const char* Name) {
  static HMODULE Library = LoadLibraryW(L"comdlg32.dll");
  FARPROC Found = Library ? GetProcAddress(Library, Name) : nullptr;
  if (!Found) throw Exception(std::string("comdlg32.dll の ") + Name + " を使えません");
  return reinterpret_cast<TFunction*>(reinterpret_cast<void*>(Found));
}

// "Description|*.a;*.b|..." as the file choosers want it: each part ends with a null, and an
// empty part ends the list.
std::wstring NativeFilter(const std::string& Filter) {
  if (Filter.empty()) return std::wstring(2, L'\0');
  std::wstring Native = ToWide(Filter);
  for (wchar_t& c : Native)
    if (c == L'|') c = L'\0';
  Native.append(2, L'\0');
  return Native;
}

// A chosen path as CP932. One with characters that CP932 cannot write is refused: its CP932
// form would name another file or none.
std::string ChosenPath(const wchar_t* Path) {
  std::string Text;
  if (!FromWideExact(Path, Text)) throw Exception(UnusablePathsText({Text}));
  return Text;
}

bool ChooseFile(std::string& FileName, const std::string& Filter, bool Save,
                const std::string& Folder = std::string()) {
  std::wstring Native = NativeFilter(Filter), WideFolder = ToWide(Folder);
  std::vector<wchar_t> Name(MAX_PATH * 4, L'\0');
  std::wstring Preset = ToWide(FileName);
  lstrcpynW(Name.data(), Preset.c_str(), static_cast<int>(Name.size()));
  OPENFILENAMEW Info = {};
  Info.lStructSize = sizeof(Info);
  Info.hwndOwner = ModalOwner();
  Info.lpstrFilter = Native.c_str();
  Info.lpstrFile = Name.data();
  Info.nMaxFile = static_cast<DWORD>(Name.size());
  Info.lpstrInitialDir = WideFolder.empty() ? nullptr : WideFolder.c_str();
  Info.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER |
               (Save ? OFN_PATHMUSTEXIST : OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
  auto* Choose = Save ? Chooser<decltype(GetSaveFileNameW)>("GetSaveFileNameW")
                      : Chooser<decltype(GetOpenFileNameW)>("GetOpenFileNameW");
  if (!Choose(&Info)) return false;
  FileName = ChosenPath(Name.data());
  return true;
}

// Opens the browser at the folder it was given.
int CALLBACK BrowseCallback(HWND Window, UINT Message, LPARAM, LPARAM Data) {
  if (Message == BFFM_INITIALIZED && Data) SendMessageW(Window, BFFM_SETSELECTIONW, TRUE, Data);
  return 0;
}

// Some task dialogs (Wine's) lay their check box out with no height: it would be ticked out of
// sight. It is given the height of its text, and the dialog grows to hold it.
HRESULT CALLBACK ShowCheckBox(HWND Dialog, UINT Notification, WPARAM, LPARAM, LONG_PTR) {
  if (Notification != TDN_CREATED) return S_OK;
  HWND Check = nullptr;
  EnumChildWindows(
      Dialog,
      [](HWND Child, LPARAM Out) {
        const LONG Kind = GetWindowLongW(Child, GWL_STYLE) & BS_TYPEMASK;
        wchar_t Class[16] = L"";
        GetClassNameW(Child, Class, 16);
        if (lstrcmpiW(Class, L"Button") != 0 || Kind != BS_AUTOCHECKBOX) return TRUE;
        *reinterpret_cast<HWND*>(Out) = Child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&Check));
  RECT Area;
  if (!Check || !GetWindowRect(Check, &Area) || Area.bottom > Area.top) return S_OK;
  wchar_t Text[256] = L"";
  GetWindowTextW(Check, Text, 256);
  HDC Canvas = GetDC(Check);
  HGDIOBJ Before =
      SelectObject(Canvas, reinterpret_cast<HGDIOBJ>(SendMessageW(Check, WM_GETFONT, 0, 0)));
  RECT Extent = {0, 0, 0, 0};
  DrawTextW(Canvas, Text, -1, &Extent, DT_CALCRECT | DT_SINGLELINE);
  SelectObject(Canvas, Before);
  ReleaseDC(Check, Canvas);
  const int Height = std::max<int>(Extent.bottom, GetSystemMetrics(SM_CYMENUCHECK)) + 4;
  const int Width = Extent.right + GetSystemMetrics(SM_CXMENUCHECK) + 8;
  MapWindowPoints(nullptr, Dialog, reinterpret_cast<POINT*>(&Area), 2);
  SetWindowPos(Check, nullptr, 0, 0, Width, Height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT Client, Frame;
  GetClientRect(Dialog, &Client);
  const int Short = Area.top + Height + Height / 2 - Client.bottom;
  if (Short > 0 && GetWindowRect(Dialog, &Frame))
    SetWindowPos(Dialog, nullptr, 0, 0, Frame.right - Frame.left, Frame.bottom - Frame.top + Short,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return S_OK;
}

class TWin32Dialogs : public TDialogService {
 public:
  TModalResult MessageDlg(const std::string& Text, TMsgDlgType Type, unsigned Buttons,
                          unsigned Default) override {
    UINT Flags = MB_SETFOREGROUND;
    switch (Type) {
      case TMsgDlgType::Warning: Flags |= MB_ICONWARNING; break;
      case TMsgDlgType::Error: Flags |= MB_ICONERROR; break;
      case TMsgDlgType::Information: Flags |= MB_ICONINFORMATION; break;
      case TMsgDlgType::Confirmation: Flags |= MB_ICONQUESTION; break;
      case TMsgDlgType::Plain: break;
    }
    // The buttons as the box sets them out, left to right.
    std::vector<unsigned> Order;
    if ((Buttons & mbYes) && (Buttons & mbNo)) {
      Flags |= (Buttons & mbCancel) ? MB_YESNOCANCEL : MB_YESNO;
      Order = {mbYes, mbNo, mbCancel};
    } else if (Buttons & mbCancel) {
      Flags |= MB_OKCANCEL;
      Order = {mbOK, mbCancel};
    } else {
      Flags |= MB_OK;
      Order = {mbOK};
    }
    const UINT DefaultFlags[] = {MB_DEFBUTTON1, MB_DEFBUTTON2, MB_DEFBUTTON3};
    for (std::size_t i = 0; i < Order.size(); ++i)
      if (Order[i] == Default && (Buttons & Default)) Flags |= DefaultFlags[i];
    // The box disables its owner while it shows. One that stands alone comes in front of the
    // program the user was in, which gets the foreground back.
    HWND Owner = ModalOwner();
    if (!Owner) BringForward(UtilityWindow(), false);
    const int Pressed =
        MessageBoxW(Owner, ToWide(Text).c_str(), ToWide(Application().Title()).c_str(), Flags);
    if (!Owner) GiveForegroundBack();
    switch (Pressed) {
      case IDOK: return mrOk;
      case IDYES: return mrYes;
      case IDNO: return mrNo;
      default: return mrCancel;
    }
  }

  // A task dialog, which has the check box; the plain box where the system has none.
  TModalResult MessageDlgCheck(const std::string& Text, TMsgDlgType Type, unsigned Buttons,
                               unsigned Default, const std::string& CheckText,
                               bool& Checked) override {
    // Only the common controls of version 6 have it: the program's manifest asks for them.
    HMODULE Library = LoadLibraryW(L"comctl32.dll");
    FARPROC Found = Library ? GetProcAddress(Library, "TaskDialogIndirect") : nullptr;
    if (!Found) {
      if (Library) FreeLibrary(Library);
      return TDialogService::MessageDlgCheck(Text, Type, Buttons, Default, CheckText, Checked);
    }
    auto* Show = reinterpret_cast<decltype(TaskDialogIndirect)*>(reinterpret_cast<void*>(Found));
    const std::wstring WideText = ToWide(Text), Title = ToWide(Application().Title()),
                       WideCheck = ToWide(CheckText);
    TASKDIALOGCONFIG Config = {};
    Config.cbSize = sizeof(Config);
    Config.hwndParent = ModalOwner();
    Config.dwFlags = TDF_USE_HICON_MAIN | (Checked ? TDF_VERIFICATION_FLAG_CHECKED : 0);
    // The message boxes' own pictures: the task dialog has none for a question.
    const wchar_t* Icon = nullptr;
    switch (Type) {
      case TMsgDlgType::Warning: Icon = IDI_WARNING; break;
      case TMsgDlgType::Error: Icon = IDI_ERROR; break;
      case TMsgDlgType::Information: Icon = IDI_INFORMATION; break;
      case TMsgDlgType::Confirmation: Icon = IDI_QUESTION; break;
      case TMsgDlgType::Plain: break;
    }
    Config.hMainIcon = Icon ? LoadIconW(nullptr, Icon) : nullptr;
    const std::pair<unsigned, int> Known[] = {
        {mbOK, IDOK}, {mbYes, IDYES}, {mbNo, IDNO}, {mbCancel, IDCANCEL}};
    const TASKDIALOG_COMMON_BUTTON_FLAGS Flags[] = {TDCBF_OK_BUTTON, TDCBF_YES_BUTTON,
                                                    TDCBF_NO_BUTTON, TDCBF_CANCEL_BUTTON};
    for (std::size_t i = 0; i < 4; ++i) {
      if (!(Buttons & Known[i].first)) continue;
      Config.dwCommonButtons |= Flags[i];
      if (Known[i].first == Default) Config.nDefaultButton = Known[i].second;
    }
    if (!Config.dwCommonButtons) Config.dwCommonButtons = TDCBF_OK_BUTTON;
    Config.pszWindowTitle = Title.c_str();
    Config.pszContent = WideText.c_str();
    Config.pszVerificationText = WideCheck.c_str();
    Config.pfCallback = ShowCheckBox;
    HWND Owner = Config.hwndParent;
    if (!Owner) BringForward(UtilityWindow(), false);
    int Pressed = 0;
    BOOL Ticked = Checked;
    const HRESULT Result = Show(&Config, &Pressed, nullptr, &Ticked);
    if (!Owner) GiveForegroundBack();
    FreeLibrary(Library);
    if (FAILED(Result))
      return TDialogService::MessageDlgCheck(Text, Type, Buttons, Default, CheckText, Checked);
    Checked = Ticked != FALSE;
    switch (Pressed) {
      case IDOK: return mrOk;
      case IDYES: return mrYes;
      case IDNO: return mrNo;
      default: return mrCancel;
    }
  }

  bool PickColor(TColor& Color) override {
    static COLORREF Custom[16] = {};  // the user's own colours, for the whole run
    const COLORREF Shown = IsSystemColor(Color) ? GetSysColor(SystemColorIndex(Color))
                                                : static_cast<COLORREF>(Color) & 0xFFFFFF;
    CHOOSECOLORW Info = {};
    Info.lStructSize = sizeof(Info);
    Info.hwndOwner = ModalOwner();
    Info.rgbResult = Shown;
    Info.lpCustColors = Custom;
    Info.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!Chooser<decltype(ChooseColorW)>("ChooseColorW")(&Info)) return false;
    if (Info.rgbResult != Shown) Color = static_cast<TColor>(Info.rgbResult);
    return true;
  }

  bool PickFont(TFont& Font) override {
    LOGFONTW Log = {};
    Log.lfHeight = Font.Height();
    Log.lfWeight = Font.Style() & fsBold ? FW_BOLD : FW_NORMAL;
    Log.lfItalic = (Font.Style() & fsItalic) != 0;
    Log.lfCharSet = static_cast<BYTE>(Font.Charset());
    std::wstring Face = ToWide(Font.Name());
    lstrcpynW(Log.lfFaceName, Face.c_str(), LF_FACESIZE);
    CHOOSEFONTW Info = {};
    Info.lStructSize = sizeof(Info);
    Info.hwndOwner = ModalOwner();
    Info.lpLogFont = &Log;
    Info.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
    if (!Chooser<decltype(ChooseFontW)>("ChooseFontW")(&Info)) return false;
    Font.SetName(FromWide(Log.lfFaceName));
    Font.SetHeight(Log.lfHeight);
    // The chooser has no effects section: underline and strike-out stay as they were.
    Font.SetStyle((Font.Style() & (fsUnderline | fsStrikeOut)) |
                  (Log.lfWeight >= FW_BOLD ? fsBold : 0u) | (Log.lfItalic ? fsItalic : 0u));
    Font.SetCharset(Log.lfCharSet);
    return true;
  }

  bool PickOpenFile(std::string& FileName, const std::string& Filter,
                    const std::string& Folder) override {
    return ChooseFile(FileName, Filter, false, Folder);
  }
  bool PickSaveFile(std::string& FileName, const std::string& Filter) override {
    return ChooseFile(FileName, Filter, true);
  }

  bool BrowseForFolder(const std::string& Title, unsigned Flags, std::string& Folder,
                       int& ImageIndex) override {
    std::wstring WideTitle = ToWide(Title), Start = ToWide(Folder);
    wchar_t Name[MAX_PATH] = L"";
    BROWSEINFOW Info = {};
    Info.hwndOwner = ModalOwner();
    Info.pidlRoot = nullptr;  // the desktop
    Info.pszDisplayName = Name;
    Info.lpszTitle = WideTitle.c_str();
    Info.ulFlags = Flags;
    if (!Start.empty()) {
      Info.lpfn = BrowseCallback;
      Info.lParam = reinterpret_cast<LPARAM>(Start.c_str());
    }
    TItemIdList Chosen(SHBrowseForFolderW(&Info));
    wchar_t Path[MAX_PATH] = L"";
    if (!Chosen || !SHGetPathFromIDListW(Chosen.Get(), Path)) return false;
    Folder = ChosenPath(Path);
    ImageIndex = Info.iImage;
    return true;
  }
};

}  // namespace

TDialogService& PlatformDialogs() {
  static TWin32Dialogs Instance;
  return Instance;
}

}  // namespace lantern
