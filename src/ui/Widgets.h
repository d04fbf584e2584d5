#pragma once
// The platform's native windows. Windows builds install a factory that makes real windows;
// elsewhere there is none and every control stays windowless.
#include <memory>

namespace lantern {

class TForm;
class TTimer;
class TTimerPeer;
class TTreeView;
class TListView;
class TImageList;
class TImageListPeer;
class TMenuItem;
class TPopupMenu;
class TControlPeer;
class TMessageWindow;
class TSplitter;
class TToolBar;
class TStatusBar;
class TLabel;
class TEdit;
class TButton;
class TCheckBox;
class TRadioButton;
class TGroupBox;
class TMemo;
class TListBox;
class TComboBox;
class TUpDown;
class TProgressBar;
class TPageControl;
class TTabSheet;
class TPanel;
class TPaintPanel;
class TImage;
class TFloatWindow;

class TWidgetFactory {
 public:
  virtual ~TWidgetFactory() = default;
  // Native window for the form (its children get native controls when it is first shown).
  virtual void CreateForm(TForm& Form) = 0;
  // The native controls of a form's children, in the form's window (Parent).
  virtual std::unique_ptr<TControlPeer> CreateTreeView(TTreeView& View, void* Parent) = 0;
  virtual std::unique_ptr<TControlPeer> CreateListView(TListView& View, void* Parent) = 0;
  virtual std::unique_ptr<TControlPeer> CreateSplitter(TSplitter& Splitter, void* Parent) = 0;
  virtual std::unique_ptr<TControlPeer> CreateToolBar(TToolBar& Bar, void* Parent) = 0;
  virtual std::unique_ptr<TControlPeer> CreateStatusBar(TStatusBar& Bar, void* Parent) = 0;
  // The standard controls of dialogs; a group box makes its children's controls in itself.
  virtual std::unique_ptr<TControlPeer> CreateLabel(TLabel& Label, void* Parent) = 0;
  virtual std::unique_ptr<TControlPeer> CreateEdit(TEdit& Edit, void* Parent) = 0;
  virtual std::unique_ptr<TControlPeer> CreateButton(TButton& Button, void* Parent) = 0;
  virtual std::unique_ptr<TControlPeer> CreateCheckBox(TCheckBox& Box, void* Parent) = 0;
  virtual std::unique_ptr<TControlPeer> CreateRadioButton(TRadioButton& Button, void* Parent) = 0;
  virtual std::unique_ptr<TControlPeer> CreateGroupBox(TGroupBox& Box, void* Parent) = 0;
  virtual std::unique_ptr<TControlPeer> CreateMemo(TMemo& Memo, void* Parent) = 0;
  virtual std::unique_ptr<TControlPeer> CreateListBox(TListBox& Box, void* Parent) = 0;
  virtual std::unique_ptr<TControlPeer> CreateComboBox(TComboBox& Box, void* Parent) = 0;
  virtual std::unique_ptr<TControlPeer> CreateUpDown(TUpDown& UpDown, void* Parent) = 0;
  virtual std::unique_ptr<TControlPeer> CreateProgressBar(TProgressBar& Bar, void* Parent) = 0;
  // A page control makes its pages' controls in itself, and each page its controls.
  virtual std::unique_ptr<TControlPeer> CreatePageControl(TPageControl& Pages, void* Parent) = 0;
  virtual std::unique_ptr<TControlPeer> CreateTabSheet(TTabSheet& Sheet, void* Parent) = 0;
  // A panel makes its children's controls in itself.
  virtual std::unique_ptr<TControlPeer> CreatePanel(TPanel& Panel, void* Parent) = 0;
  virtual std::unique_ptr<TControlPeer> CreatePaintPanel(TPaintPanel& Panel, void* Parent) = 0;
  virtual std::unique_ptr<TControlPeer> CreateImage(TImage& Image, void* Parent) = 0;
  // Shows the form and runs the dialog's message loop until it has a ModalResult; its owner
  // takes no input meanwhile.
  virtual void RunModal(TForm& Form) = 0;
  virtual std::unique_ptr<TTimerPeer> CreateTimer(TTimer& Timer) = 0;
  virtual std::unique_ptr<TImageListPeer> CreateImageList(TImageList& List) = 0;
  // Shows the popup menu at the screen point until it closes; the item chosen, if any.
  virtual TMenuItem* TrackPopupMenu(TPopupMenu& Menu, int X, int Y) = 0;
  // The native window of a floating window, hidden until it is shown.
  virtual std::unique_ptr<TControlPeer> CreateFloatWindow(TFloatWindow& Float) = 0;
  // The hidden native window of a message window.
  virtual std::unique_ptr<TControlPeer> CreateMessageWindow(TMessageWindow& Window) = 0;
  // The message loop of the user-interface thread, until Terminate.
  virtual void Run() = 0;
  // Handles the messages waiting in the queue and returns.
  virtual void ProcessMessages() = 0;
  virtual void Terminate() = 0;
};

// Null when windowless.
TWidgetFactory* Widgets();
void SetWidgets(TWidgetFactory* Value);
// The platform's native windows; null where there are none.
TWidgetFactory* PlatformWidgets();

}  // namespace lantern
