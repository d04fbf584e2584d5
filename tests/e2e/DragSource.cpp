// A drag source for the end-to-end tests: another program that drags data over whatever window
// lies under the pointer and drops it there, through the system's own drag loop (DoDragDrop).
// The pointer is placed beforehand (xdotool); the drag goes on for a while so that the target
// sees it enter and move, then drops, as a released mouse button would.
//   drag_source files PATH...   a file list in UTF-16, as the file explorer drags one
//   drag_source link URL NAME   a browser's link: "UniformResourceLocator", its text, and a
//                               descriptor of the shortcut file "NAME.url"
// Prints the effect that the target chose ("effect 4" for a link), or "cancelled".
#include <windows.h>
// after windows.h
#include <ole2.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "support/win32/GlobalDataObject.h"

namespace {

// Goes on for Milliseconds, then drops wherever the pointer is.
class TDropSource : public IDropSource {
 public:
  explicit TDropSource(DWORD Milliseconds) : FEnd(GetTickCount() + Milliseconds) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID Iid, void** Object) override {
    if (IsEqualIID(Iid, IID_IUnknown) || IsEqualIID(Iid, IID_IDropSource)) {
      *Object = static_cast<IDropSource*>(this);
      AddRef();
      return S_OK;
    }
    *Object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL Escape, DWORD) override {
    if (Escape) return DRAGDROP_S_CANCEL;
    return static_cast<LONG>(GetTickCount() - FEnd) >= 0 ? DRAGDROP_S_DROP : S_OK;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

 private:
  DWORD FEnd;
};

std::string Wide(const std::wstring& Text) {
  return std::string(reinterpret_cast<const char*>(Text.c_str()), (Text.size() + 1) * 2);
}

std::string Cp932(const std::wstring& Text) {
  int n = WideCharToMultiByte(932, 0, Text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string Result(n, '\0');
  WideCharToMultiByte(932, 0, Text.c_str(), -1, &Result[0], n, nullptr, nullptr);
  return Result;  // with its zero
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  OleInitialize(nullptr);
  lantern::TGlobalDataObject Data;
  std::wstring Kind = argv[1];
  if (Kind == L"files") {
    DROPFILES Header = {};
    Header.pFiles = sizeof(DROPFILES);
    Header.fWide = TRUE;
    std::string Block(reinterpret_cast<const char*>(&Header), sizeof(Header));
    for (int i = 2; i < argc; ++i) Block += Wide(argv[i]);
    Block += std::string(2, '\0');
    Data.Add(CF_HDROP, Block);
  } else if (Kind == L"link" && argc >= 4) {
    Data.Add(RegisterClipboardFormatW(L"UniformResourceLocator"), Cp932(argv[2]));
    Data.Add(CF_TEXT, Cp932(argv[2]));
    FILEGROUPDESCRIPTORA Group = {};
    Group.cItems = 1;
    std::string Name = Cp932(std::wstring(argv[3]) + L".url");
    strncpy(Group.fgd[0].cFileName, Name.c_str(), MAX_PATH - 1);
    Data.Add(RegisterClipboardFormatW(L"FileGroupDescriptor"),
             std::string(reinterpret_cast<const char*>(&Group), sizeof(Group)));
  } else {
    return 2;
  }
  TDropSource Source(1500);
  DWORD Effect = DROPEFFECT_NONE;
  HRESULT Result = DoDragDrop(&Data, &Source, DROPEFFECT_COPY | DROPEFFECT_LINK, &Effect);
  if (Result == DRAGDROP_S_DROP)
    std::printf("effect %lu\n", Effect);
  else
    std::printf("cancelled %lx\n", static_cast<unsigned long>(Result));
  OleUninitialize();
  return Result == DRAGDROP_S_DROP ? 0 : 1;
}
