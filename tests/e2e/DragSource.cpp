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

namespace {

class TDataObject : public IDataObject {
 public:
  void Add(CLIPFORMAT Format, const std::string& Bytes) {
    FORMATETC F = {Format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    FBlocks.push_back({F, Bytes});
  }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID Iid, void** Object) override {
    if (IsEqualIID(Iid, IID_IUnknown) || IsEqualIID(Iid, IID_IDataObject)) {
      *Object = static_cast<IDataObject*>(this);
      AddRef();
      return S_OK;
    }
    *Object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&FRefs); }
  ULONG STDMETHODCALLTYPE Release() override { return InterlockedDecrement(&FRefs); }
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* Format, STGMEDIUM* Medium) override {
    const TBlock* Block = Find(Format);
    if (!Block) return DV_E_FORMATETC;
    HGLOBAL Global = GlobalAlloc(GMEM_MOVEABLE, Block->Bytes.size());
    if (!Global) return E_OUTOFMEMORY;
    memcpy(GlobalLock(Global), Block->Bytes.data(), Block->Bytes.size());
    GlobalUnlock(Global);
    Medium->tymed = TYMED_HGLOBAL;
    Medium->hGlobal = Global;
    Medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* Format) override {
    return Find(Format) ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* Out) override {
    Out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD Direction, IEnumFORMATETC** Enum) override {
    if (Direction != DATADIR_GET) return E_NOTIMPL;
    std::vector<FORMATETC> Formats;
    for (const TBlock& B : FBlocks) Formats.push_back(B.Format);
    return SHCreateStdEnumFmtEtc(static_cast<UINT>(Formats.size()), Formats.data(), Enum);
  }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }

 private:
  struct TBlock {
    FORMATETC Format;
    std::string Bytes;
  };
  const TBlock* Find(const FORMATETC* Format) const {
    for (const TBlock& B : FBlocks)
      if (B.Format.cfFormat == Format->cfFormat && (Format->tymed & TYMED_HGLOBAL)) return &B;
    return nullptr;
  }
  std::vector<TBlock> FBlocks;
  LONG FRefs = 1;
};

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
  TDataObject Data;
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
