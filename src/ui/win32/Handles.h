#pragma once
// Owners of Windows handles: each handle is released by exactly one holder, on every path,
// errors included.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <type_traits>
#include <utility>

namespace lantern {

// One handle and the function that releases it. Empty is the handle type's null (or, for
// files, INVALID_HANDLE_VALUE as well).
template <typename THandle, auto Release>
class TUniqueHandle {
 public:
  TUniqueHandle() = default;
  explicit TUniqueHandle(THandle Handle) : FHandle(Handle) {}
  TUniqueHandle(const TUniqueHandle&) = delete;
  TUniqueHandle& operator=(const TUniqueHandle&) = delete;
  TUniqueHandle(TUniqueHandle&& Other) noexcept : FHandle(Other.Take()) {}
  TUniqueHandle& operator=(TUniqueHandle&& Other) noexcept {
    if (this != &Other) Reset(Other.Take());
    return *this;
  }
  ~TUniqueHandle() { Reset(); }

  THandle Get() const { return FHandle; }
  explicit operator bool() const { return Valid(FHandle); }
  // Gives the handle up without releasing it.
  THandle Take() { return std::exchange(FHandle, THandle()); }
  void Reset(THandle Handle = THandle()) {
    THandle Old = std::exchange(FHandle, Handle);
    if (Valid(Old)) Release(Old);
  }
  // For functions that hand a new handle back through a pointer.
  THandle* Receive() {
    Reset();
    return &FHandle;
  }

 private:
  static bool Valid(THandle Handle) {
    if constexpr (std::is_same_v<THandle, HANDLE>)
      return Handle != nullptr && Handle != INVALID_HANDLE_VALUE;
    else
      return Handle != THandle();
  }
  THandle FHandle = THandle();
};

namespace HandleRelease {
inline void Key(HKEY h) { RegCloseKey(h); }
inline void Icon(HICON h) { DestroyIcon(h); }
inline void Object(HGDIOBJ h) { DeleteObject(h); }
inline void Menu(HMENU h) { DestroyMenu(h); }
inline void Kernel(HANDLE h) { CloseHandle(h); }
inline void Find(HANDLE h) { FindClose(h); }
inline void Global(HGLOBAL h) { GlobalFree(h); }
inline void ImageList(HIMAGELIST h) { ImageList_Destroy(h); }
inline void Local(HLOCAL h) { LocalFree(h); }
template <typename TInterface>
void Com(TInterface* p) {
  p->Release();
}
}  // namespace HandleRelease

// A COM interface pointer, released once.
template <typename TInterface>
using TComPointer = TUniqueHandle<TInterface*, HandleRelease::Com<TInterface>>;

using TKeyHandle = TUniqueHandle<HKEY, HandleRelease::Key>;
using TIconHandle = TUniqueHandle<HICON, HandleRelease::Icon>;
template <typename TGdi>
using TGdiHandle = TUniqueHandle<TGdi, HandleRelease::Object>;
using TFontHandle = TGdiHandle<HFONT>;
using TBrushHandle = TGdiHandle<HBRUSH>;
using TPenHandle = TGdiHandle<HPEN>;
using TMenuHandle = TUniqueHandle<HMENU, HandleRelease::Menu>;
using TKernelHandle = TUniqueHandle<HANDLE, HandleRelease::Kernel>;
using TFindHandle = TUniqueHandle<HANDLE, HandleRelease::Find>;
using TGlobalHandle = TUniqueHandle<HGLOBAL, HandleRelease::Global>;
using TImageListHandle = TUniqueHandle<HIMAGELIST, HandleRelease::ImageList>;
using TLocalHandle = TUniqueHandle<HLOCAL, HandleRelease::Local>;

// A window's device context for as long as the holder lives.
class TWindowDc {
 public:
  explicit TWindowDc(HWND Window) : FWindow(Window), FDc(GetDC(Window)) {}
  ~TWindowDc() {
    if (FDc) ReleaseDC(FWindow, FDc);
  }
  TWindowDc(const TWindowDc&) = delete;
  TWindowDc& operator=(const TWindowDc&) = delete;
  HDC Get() const { return FDc; }

 private:
  HWND FWindow;
  HDC FDc;
};

// The painting of a window between BeginPaint and EndPaint.
class TPaintDc {
 public:
  explicit TPaintDc(HWND Window) : FWindow(Window), FDc(BeginPaint(Window, &FPaint)) {}
  ~TPaintDc() { EndPaint(FWindow, &FPaint); }
  TPaintDc(const TPaintDc&) = delete;
  TPaintDc& operator=(const TPaintDc&) = delete;
  HDC Get() const { return FDc; }

 private:
  HWND FWindow;
  PAINTSTRUCT FPaint = {};
  HDC FDc;
};

// An object selected into a device context, and the one it replaced put back at the end.
class TSelection {
 public:
  TSelection(HDC Dc, HGDIOBJ Object) : FDc(Dc), FOld(Object ? SelectObject(Dc, Object) : nullptr) {}
  ~TSelection() {
    if (FOld) SelectObject(FDc, FOld);
  }
  TSelection(const TSelection&) = delete;
  TSelection& operator=(const TSelection&) = delete;

 private:
  HDC FDc;
  HGDIOBJ FOld;
};

}  // namespace lantern
