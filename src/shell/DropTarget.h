#pragma once
// The drop target of the main window. TDropTarget follows one OLE drag over a
// window (drop effect, drag image, scrolling near the edges); TDropFileTarget reads files,
// folders, internet shortcuts and links dropped by other programs and hands each to its
// owner. The logic is portable: the OLE side (IDropTarget, IDataObject, HGLOBAL) is the
// platform's (win32/DropTargetWin32.cpp), which reaches it through TDropData and
// TDropTargetPeer; tests drive it with doubles of both.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "shell/DropBlocks.h"
#include "ui/Timer.h"

namespace lantern {

class TWinControl;

// The process-wide OLE set-up: OleInitialize, the clipboard formats below
// and the shell's allocator, until OleTearDown. Without Windows nothing is done.
void OleSetUp();
void OleTearDown();

// The clipboard formats registered by name (RegisterClipboardFormat), and two fixed ones.
struct TClipboardFormats {
  unsigned FileContents = 0;
  unsigned FileGroupDescriptor = 0;
  unsigned ShellIDListArray = 0;
  unsigned PreferredDropEffect = 0;
  unsigned UniformResourceLocator = 0;
  unsigned FileNameMap = 0;
  unsigned FileNameMapW = 0;
};
const TClipboardFormats& ClipboardFormats();  // registered at the first call
constexpr unsigned CfText = 1;                // CF_TEXT
constexpr unsigned CfHDrop = 15;              // CF_HDROP

// Drop effects (DROPEFFECT_*) and the key state bits of a drag (MK_*).
constexpr unsigned DropEffectNone = 0, DropEffectCopy = 1, DropEffectMove = 2, DropEffectLink = 4;
constexpr unsigned DropEffectScroll = 0x80000000u;
constexpr unsigned MkShift = 4, MkControl = 8;
constexpr unsigned DvAspectContent = 1, TymedHGlobal = 1;
constexpr unsigned WsHScroll = 0x100000, WsVScroll = 0x200000;
constexpr unsigned WmHScroll = 0x114, WmVScroll = 0x115;
constexpr unsigned SbLineUp = 0, SbLineDown = 1;  // also SB_LINELEFT, SB_LINERIGHT

// TDragTypes: a set of these bits.
enum TDragType : unsigned { dtCopy = 1, dtMove = 2, dtLink = 4 };

struct TDropPoint {
  int X = 0, Y = 0;
  bool operator==(const TDropPoint& Other) const { return X == Other.X && Y == Other.Y; }
  bool operator!=(const TDropPoint& Other) const { return !(*this == Other); }
};

// A FORMATETC record as the drop target asks for one or reads one from an enumeration.
struct TFormatEtc {
  unsigned Format = 0;
  bool TargetDevice = false;  // ptd is not null
  unsigned Aspect = DvAspectContent;
  int Index = -1;
  unsigned Tymed = TymedHGlobal;
};

// The data object of a drag in progress (IDataObject), as the drop target reads it.
class TDropData {
 public:
  enum class TGet {
    Failed,       // GetData failed
    OtherMedium,  // it succeeded with another medium than TYMED_HGLOBAL (released again)
    Global,       // Block holds the global block's bytes, all GlobalSize of them
  };
  virtual ~TDropData() = default;
  virtual bool QueryGetData(const TFormatEtc& Format) = 0;
  // The formats offered for reading (EnumFormatEtc, DATADIR_GET), from the start; false when
  // the enumeration cannot be obtained or reset.
  virtual bool EnumFormats(std::vector<TFormatEtc>& Formats) = 0;
  virtual TGet GetData(const TFormatEtc& Format, std::string& Block) = 0;
};

// The window side of a drop target: registration with OLE and the calls on the target
// window. Windows' peer is made by CreateDropTargetPeer; without Windows there is none.
class TDropTargetPeer {
 public:
  virtual ~TDropTargetPeer() = default;
  // RegisterDragDrop, RevokeDragDrop with the target's IDropTarget: whether they succeeded.
  virtual bool Register(void* Window) = 0;
  virtual bool Revoke(void* Window) = 0;
  virtual TDropPoint ScreenToClient(void* Window, TDropPoint Screen) = 0;
  virtual void ClientSize(void* Window, int& Width, int& Height) = 0;
  virtual unsigned WindowStyle(void* Window) = 0;
  virtual int FontHeight(void* Window) = 0;  // the absolute height of the window's font
  // The drag image in progress, when there is one (ImageList_GetDragImage): takes it over
  // and shows it at the client point (ImageList_DragEnter); whether one is shown.
  virtual bool EnterDragImage(void* Window, TDropPoint Client) = 0;
  virtual void MoveDragImage(void* Window, TDropPoint Client) = 0;
  virtual void LeaveDragImage(void* Window) = 0;
  virtual void ShowDragImage(bool Show) = 0;  // ImageList_DragShowNolock
  virtual void Scroll(void* Window, unsigned Message, unsigned Code) = 0;  // SendMessage
};

class TDropTarget;
std::unique_ptr<TDropTargetPeer> CreateDropTargetPeer(TDropTarget& Target);

class TDropTarget {
 public:
  // Sender, the shift state (ssShift, ssCtrl...), the client point, the effect to change.
  using TDropTargetEvent =
      std::function<void(TDropTarget* Sender, unsigned Shift, TDropPoint Point, unsigned& Effect)>;

  TDropTarget();
  TDropTarget(const TDropTarget&) = delete;
  TDropTarget& operator=(const TDropTarget&) = delete;
  virtual ~TDropTarget();

  unsigned Dragtypes = dtCopy | dtMove | dtLink;
  bool GetDataOnEnter = false;  // false: the data is read only at the drop
  TDropTargetEvent OnEnter;
  TDropTargetEvent OnDragOver;
  std::function<void(TDropTarget* Sender)> OnLeave;
  TDropTargetEvent OnDrop;
  TDropTargetEvent OnGetDropEffect;
  bool ShowImage() const { return FShowImage; }
  void SetShowImage(bool Value);

  // Registers Control's window for drops (nothing when it is the current target; another
  // target is revoked first). Raises "Failed to Register " + Name when OLE refuses.
  void RegisterTarget(TWinControl* Control, const std::string& Name = std::string());
  // Raises "Failed to Unregister " + Name when OLE refuses; the target is let go all the same.
  void RevokeTarget();
  TWinControl* Target() const { return FTarget; }
  bool Registered() const { return FRegistered; }

  // IDropTarget, as the platform's adapter hands its calls over; Screen is the cursor's
  // screen point, KeyState the MK_* bits. DataObject: the drag's data, held until the drag
  // ends. An exception leaves the drag ended (data let go, timer stopped) and goes on to the
  // adapter, which shows it.
  void OleDragEnter(std::unique_ptr<TDropData> DataObject, unsigned KeyState, TDropPoint Screen,
                    unsigned& Effect);
  void OleDragOver(unsigned KeyState, TDropPoint Screen, unsigned& Effect);
  void OleDragLeave();
  void OleDrop(unsigned KeyState, TDropPoint Screen, unsigned& Effect);

  // Chooses the effect from those offered: only the allowed kinds, Shift+Ctrl link, Shift
  // move, else the first allowed of copy, move, link; the scroll bit near a scrollable edge.
  virtual unsigned ChooseDropEffect(unsigned Shift, TDropPoint Point, unsigned Offered);

  TDropData* DataObject() const { return FDataObject.get(); }
  TDropPoint LastPoint() const { return FLastPoint; }
  TTimer& ScrollTimer() { return FScrollTimer; }
  void ScrollTimerTick();
  TDropTargetPeer* Peer() const { return FPeer.get(); }
  void SetPeer(std::unique_ptr<TDropTargetPeer> Value) { FPeer = std::move(Value); }

 protected:
  virtual void Enter(unsigned Shift, TDropPoint Point, unsigned& Effect);
  virtual void DragOver(unsigned Shift, TDropPoint Point, unsigned& Effect);
  virtual void Drop(unsigned Shift, TDropPoint Point, unsigned& Effect);
  virtual void Leave();
  virtual bool FetchData() = 0;
  virtual void ClearData() = 0;
  virtual bool HasAcceptedFormat() = 0;

 private:
  void* Window() const;
  TDropPoint ToClient(TDropPoint Screen) const;
  void LeaveImage();  // ImageList_DragLeave when a drag image is shown

  std::unique_ptr<TDropData> FDataObject;
  TWinControl* FTarget = nullptr;
  std::string FTargetName;
  bool FRegistered = false;
  TTimer FScrollTimer;
  bool FDragImageShown = false;  // FDragImageHandle is not 0
  TDropPoint FLastPoint;
  int FScrollMargin = 0;
  bool FScrollHorizontal = false, FScrollVertical = false;  // FScrollDirs
  bool FShowImage = true;
  std::unique_ptr<TDropTargetPeer> FPeer;
};

// Files, folders, internet shortcut files and links dropped by other programs. The drop
// only reads them: they are handed to the owner afterwards, from the user-interface thread's
// queue, since the drag source waits until the drop has returned.
class TDropFileTarget : public TDropTarget {
 public:
  TDropFileTarget();
  ~TDropFileTarget() override;

  std::function<void(TDropFileTarget* Sender, const std::string& FileName)> OnDropFile;
  std::function<void(TDropFileTarget* Sender, const std::string& Name, const std::string& URL)>
      OnDropURL;
  // How UTF-16 file names become CP932 (the platform's unless a test sets another).
  TWideToCp932 WideToCp932 = PlatformWideToCp932;

  const TFormatEtc& URLFormat() const { return FURLFormat; }
  const TFormatEtc& ContentsFormat() const { return FContentsFormat; }
  const TFormatEtc& DescriptorFormat() const { return FDescriptorFormat; }

 protected:
  // Reads one of the URL block, CF_TEXT, "FileContents" and CF_HDROP, in this order, then
  // the descriptor's name. Raises when the drop is refused: a file name without a CP932 form,
  // a URL with control characters.
  bool FetchData() override;
  void ClearData() override { FDropped.clear(); }
  bool HasAcceptedFormat() override;
  void Drop(unsigned Shift, TDropPoint Point, unsigned& Effect) override;

 private:
  struct TDropped {
    bool IsURL;
    std::string Name;  // a file's path, or a link's name
    std::string URL;
  };
  TFormatEtc FURLFormat, FContentsFormat, FDescriptorFormat;
  std::vector<TDropped> FDropped;  // read, not yet handed over
};

}  // namespace lantern
