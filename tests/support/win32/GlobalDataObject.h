#pragma once
// For the tests that drag data through the system's OLE: the Wine tests and the end-to-end
// drag source program.
#include <windows.h>
// after windows.h
#include <ole2.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

namespace lantern {

// A data object as a source program makes one: blocks in global memory, one per format; each
// GetData hands out a copy that the receiver releases (ReleaseStgMedium).
class TGlobalDataObject : public IDataObject {
 public:
  void Add(unsigned Format, const std::string& Bytes, LONG Index = -1) {
    FORMATETC F = {static_cast<CLIPFORMAT>(Format), nullptr, DVASPECT_CONTENT, Index,
                   TYMED_HGLOBAL};
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
  // Lives on its user's stack: the count only tells.
  ULONG STDMETHODCALLTYPE Release() override { return InterlockedDecrement(&FRefs); }
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* Format, STGMEDIUM* Medium) override {
    const TBlock* Block = Find(Format);
    if (!Block) return DV_E_FORMATETC;
    HGLOBAL Global = GlobalAlloc(GMEM_MOVEABLE, Block->Bytes.size());
    if (!Global) return E_OUTOFMEMORY;
    if (!Block->Bytes.empty()) {
      void* P = GlobalLock(Global);
      memcpy(P, Block->Bytes.data(), Block->Bytes.size());
      GlobalUnlock(Global);
    }
    Medium->tymed = TYMED_HGLOBAL;
    Medium->hGlobal = Global;
    Medium->pUnkForRelease = nullptr;
    ++Handed;
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

  int Handed = 0;  // blocks handed out

 private:
  struct TBlock {
    FORMATETC Format;
    std::string Bytes;
  };
  const TBlock* Find(const FORMATETC* Format) const {
    for (const TBlock& B : FBlocks)
      if (B.Format.cfFormat == Format->cfFormat && (Format->tymed & TYMED_HGLOBAL) &&
          Format->dwAspect == DVASPECT_CONTENT)
        return &B;
    return nullptr;
  }
  std::vector<TBlock> FBlocks;
  LONG FRefs = 1;
};

}  // namespace lantern
