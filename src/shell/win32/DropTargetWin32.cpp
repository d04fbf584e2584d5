// The OLE side of the drop target: the process-wide set-up, the reference-counted
// COM object that OLE calls (TInterfacedComponent's part), the data object's blocks read
// within their real size (GlobalSize), and the calls on the target window.
#include "shell/win32/DropTargetWin32.h"

#include <shlobj.h>
// after windows.h
#include <commctrl.h>

#include <algorithm>
#include <exception>

#include "shell/DropTarget.h"
#include "ui/Thread.h"
#include "ui/win32/WideText.h"

namespace lantern {

namespace {

IMalloc* ShellMalloc = nullptr;
bool OleStarted = false;

// A drop larger than this is not read: no list of files or link comes near it.
constexpr SIZE_T MostBlockBytes = 64u << 20;

}  // namespace

void OleSetUp() {
  OleStarted = SUCCEEDED(OleInitialize(nullptr));
  ClipboardFormats();
  if (!ShellMalloc) SHGetMalloc(&ShellMalloc);
}

void OleTearDown() {
  if (ShellMalloc) ShellMalloc->Release();
  ShellMalloc = nullptr;
  if (OleStarted) OleUninitialize();
  OleStarted = false;
}

const TClipboardFormats& ClipboardFormats() {
  static const TClipboardFormats Formats = [] {
    TClipboardFormats F;
    F.FileContents = RegisterClipboardFormatW(L"FileContents");
    F.FileGroupDescriptor = RegisterClipboardFormatW(L"FileGroupDescriptor");
    F.ShellIDListArray = RegisterClipboardFormatW(L"Shell IDList Array");
    F.PreferredDropEffect = RegisterClipboardFormatW(L"Preferred DropEffect");
    F.UniformResourceLocator = RegisterClipboardFormatW(L"UniformResourceLocator");
    F.FileNameMap = RegisterClipboardFormatW(L"FileNameMap");
    F.FileNameMapW = RegisterClipboardFormatW(L"FileNameMapW");
    return F;
  }();
  return Formats;
}

bool PlatformWideToCp932(const std::u16string& Wide, std::string& Text) {
  return FromWideExact(std::wstring(Wide.begin(), Wide.end()), Text);
}

POINT ClientToWindowPoint(HWND Window, POINT Point) {
  ClientToScreen(Window, &Point);
  RECT Rect = {};
  GetWindowRect(Window, &Rect);
  return {Point.x - Rect.left, Point.y - Rect.top};
}

namespace {

FORMATETC ToNative(const TFormatEtc& F) {
  FORMATETC Native = {};
  Native.cfFormat = static_cast<CLIPFORMAT>(F.Format);
  Native.ptd = nullptr;
  Native.dwAspect = F.Aspect;
  Native.lindex = F.Index;
  Native.tymed = F.Tymed;
  return Native;
}

// The drag's IDataObject, held (AddRef) until the drop target lets it go.
class TOleDropData : public TDropData {
 public:
  explicit TOleDropData(IDataObject* Object) : FObject(Object) { FObject->AddRef(); }
  ~TOleDropData() override { FObject->Release(); }

  bool QueryGetData(const TFormatEtc& Format) override {
    FORMATETC Native = ToNative(Format);
    return FObject->QueryGetData(&Native) == S_OK;
  }

  bool EnumFormats(std::vector<TFormatEtc>& Formats) override {
    IEnumFORMATETC* Enum = nullptr;
    if (FAILED(FObject->EnumFormatEtc(DATADIR_GET, &Enum)) || !Enum) return false;
    if (FAILED(Enum->Reset())) {
      Enum->Release();
      return false;
    }
    FORMATETC Native;
    ULONG Fetched = 0;
    // A source whose enumeration never ends is not followed for ever.
    while (Formats.size() < 1000 && Enum->Next(1, &Native, &Fetched) == S_OK && Fetched == 1) {
      TFormatEtc F;
      F.Format = Native.cfFormat;
      F.TargetDevice = Native.ptd != nullptr;
      F.Aspect = Native.dwAspect;
      F.Index = Native.lindex;
      F.Tymed = Native.tymed;
      if (Native.ptd) CoTaskMemFree(Native.ptd);
      Formats.push_back(F);
    }
    Enum->Release();
    return true;
  }

  TGet GetData(const TFormatEtc& Format, std::string& Block) override {
    Block.clear();
    FORMATETC Native = ToNative(Format);
    STGMEDIUM Medium = {};
    if (FObject->GetData(&Native, &Medium) != S_OK) return TGet::Failed;
    if (Medium.tymed != TYMED_HGLOBAL) {
      ReleaseStgMedium(&Medium);
      return TGet::OtherMedium;
    }
    TGet Result = TGet::Failed;
    // Every read is within the block's real size, whatever the block says of itself.
    SIZE_T Size = GlobalSize(Medium.hGlobal);
    if (Size <= MostBlockBytes) {
      if (const void* Bytes = GlobalLock(Medium.hGlobal)) {
        Block.assign(static_cast<const char*>(Bytes), Size);
        GlobalUnlock(Medium.hGlobal);
        Result = TGet::Global;
      }
    }
    ReleaseStgMedium(&Medium);
    return Result;
  }

 private:
  IDataObject* FObject;
};

// The COM object OLE holds (TInterfacedComponent): reference counted with the interlocked
// calls. Its owner, the peer, keeps one reference until it goes; the object itself lives on
// while OLE still holds one, but from then on it answers every drag with no effect. Only its
// last Release frees it, as itself: IDropTarget has no virtual destructor, so nothing may
// derive from it or delete it through another type.
class TOleDropTarget final : public IDropTarget {
 public:
  explicit TOleDropTarget(TDropTarget* Owner) : FOwner(Owner) {}
  void Detach() { FOwner = nullptr; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID Iid, void** Object) override {
    if (!Object) return E_POINTER;
    if (IsEqualIID(Iid, IID_IUnknown) || IsEqualIID(Iid, IID_IDropTarget)) {
      *Object = static_cast<IDropTarget*>(this);
      AddRef();
      return S_OK;
    }
    *Object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&FRefCount); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG Count = InterlockedDecrement(&FRefCount);
    if (Count == 0) delete this;
    return Count;
  }

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* Data, DWORD KeyState, POINTL Point,
                                      DWORD* Effect) override {
    if (!Effect) return E_INVALIDARG;
    unsigned Chosen = *Effect;
    Guard(Chosen, [&] {
      FOwner->OleDragEnter(Data ? std::make_unique<TOleDropData>(Data) : nullptr, KeyState,
                           {Point.x, Point.y}, Chosen);
    });
    *Effect = Chosen;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD KeyState, POINTL Point, DWORD* Effect) override {
    if (!Effect) return E_INVALIDARG;
    unsigned Chosen = *Effect;
    Guard(Chosen, [&] { FOwner->OleDragOver(KeyState, {Point.x, Point.y}, Chosen); });
    *Effect = Chosen;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragLeave() override {
    unsigned Unused = 0;
    Guard(Unused, [&] { FOwner->OleDragLeave(); });
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject*, DWORD KeyState, POINTL Point,
                                 DWORD* Effect) override {
    if (!Effect) return E_INVALIDARG;
    unsigned Chosen = *Effect;
    Guard(Chosen, [&] { FOwner->OleDrop(KeyState, {Point.x, Point.y}, Chosen); });
    *Effect = Chosen;
    return S_OK;
  }

 private:
  // No exception crosses a COM method: the drag gets no effect, and the error is shown once
  // the call has returned, not while the drag source waits in its drag loop.
  template <typename F>
  void Guard(unsigned& Effect, F&& Call) {
    if (!FOwner) {
      Effect = DROPEFFECT_NONE;
      return;
    }
    try {
      Call();
    } catch (const std::exception&) {
      Effect = DROPEFFECT_NONE;
      QueueCall(FOwner, [Error = std::current_exception()] { std::rethrow_exception(Error); });
    } catch (...) {
      Effect = DROPEFFECT_NONE;
    }
  }

  ~TOleDropTarget() = default;

  LONG FRefCount = 1;  // the peer's
  TDropTarget* FOwner;
};

class TWin32DropTargetPeer : public TDropTargetPeer {
 public:
  explicit TWin32DropTargetPeer(TDropTarget& Owner) : FObject(new TOleDropTarget(&Owner)) {}
  ~TWin32DropTargetPeer() override {
    FObject->Detach();
    FObject->Release();
    if (FDragImages) ImageList_Destroy(FDragImages);
  }
  TOleDropTarget* Object() const { return FObject; }

  // One 32 x 32 picture in the window colour, masked by that colour, so fully transparent;
  // the cursor image of a drag that has its own drag image. Made at the first such drag (the
  // common controls are not loaded before).
  HIMAGELIST DragImages() {
    if (FDragImages) return FDragImages;
    FDragImages = ImageList_Create(32, 32, ILC_COLOR24 | ILC_MASK, 1, 1);
    if (HDC Screen = GetDC(nullptr)) {
      HDC Dc = CreateCompatibleDC(Screen);
      HBITMAP Bitmap = CreateCompatibleBitmap(Screen, 32, 32);
      ReleaseDC(nullptr, Screen);
      if (Dc && Bitmap) {
        HGDIOBJ Old = SelectObject(Dc, Bitmap);
        RECT Rect = {0, 0, 32, 32};
        FillRect(Dc, &Rect, GetSysColorBrush(COLOR_WINDOW));
        SelectObject(Dc, Old);
        if (FDragImages) ImageList_AddMasked(FDragImages, Bitmap, GetSysColor(COLOR_WINDOW));
      }
      if (Bitmap) DeleteObject(Bitmap);
      if (Dc) DeleteDC(Dc);
    }
    return FDragImages;
  }

  bool Register(void* Window) override {
    return SUCCEEDED(RegisterDragDrop(static_cast<HWND>(Window), FObject));
  }
  bool Revoke(void* Window) override {
    return SUCCEEDED(RevokeDragDrop(static_cast<HWND>(Window)));
  }
  TDropPoint ScreenToClient(void* Window, TDropPoint Screen) override {
    POINT P = {Screen.X, Screen.Y};
    ::ScreenToClient(static_cast<HWND>(Window), &P);
    return {P.x, P.y};
  }
  void ClientSize(void* Window, int& Width, int& Height) override {
    RECT Rect = {};
    GetClientRect(static_cast<HWND>(Window), &Rect);
    Width = Rect.right;
    Height = Rect.bottom;
  }
  unsigned WindowStyle(void* Window) override {
    return static_cast<unsigned>(GetWindowLongPtrW(static_cast<HWND>(Window), GWL_STYLE));
  }
  int FontHeight(void* Window) override {
    auto Font = reinterpret_cast<HFONT>(SendMessageW(static_cast<HWND>(Window), WM_GETFONT, 0, 0));
    if (!Font) Font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTW Log = {};
    if (!GetObjectW(Font, sizeof(Log), &Log)) return 0;
    return Log.lfHeight < 0 ? -Log.lfHeight : Log.lfHeight;
  }
  bool EnterDragImage(void* Window, TDropPoint Client) override {
    POINT At = {}, HotSpot = {};
    if (!ImageList_GetDragImage(&At, &HotSpot)) return false;
    if (HIMAGELIST Cursor = DragImages())
      ImageList_SetDragCursorImage(Cursor, 0, HotSpot.x, HotSpot.y);
    POINT P = ClientToWindowPoint(static_cast<HWND>(Window), {Client.X, Client.Y});
    return ImageList_DragEnter(static_cast<HWND>(Window), P.x, P.y) != FALSE;
  }
  void MoveDragImage(void* Window, TDropPoint Client) override {
    POINT P = ClientToWindowPoint(static_cast<HWND>(Window), {Client.X, Client.Y});
    ImageList_DragMove(P.x, P.y);
  }
  void LeaveDragImage(void* Window) override { ImageList_DragLeave(static_cast<HWND>(Window)); }
  void ShowDragImage(bool Show) override { ImageList_DragShowNolock(Show); }
  void Scroll(void* Window, unsigned Message, unsigned Code) override {
    SendMessageW(static_cast<HWND>(Window), Message, Code, 0);
  }

 private:
  TOleDropTarget* FObject;
  HIMAGELIST FDragImages = nullptr;
};

}  // namespace

std::unique_ptr<TDropTargetPeer> CreateDropTargetPeer(TDropTarget& Target) {
  return std::make_unique<TWin32DropTargetPeer>(Target);
}

IDropTarget* OleDropTargetOf(TDropTarget& Target) {
  auto* Peer = dynamic_cast<TWin32DropTargetPeer*>(Target.Peer());
  return Peer ? Peer->Object() : nullptr;
}

}  // namespace lantern
