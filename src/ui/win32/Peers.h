#pragma once
// What the files of the Windows side of the toolkit make for each other: the native peer of
// each kind of control, and the application's hidden window.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <memory>

#include "ui/ImageList.h"

namespace lantern {

class TControlPeer;
class TForm;
class TTreeView;
class TListView;
class TSplitter;
class TToolBar;
class TStatusBar;
class TWinControl;
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

// The program's own icon in its resources.
constexpr int ProgramIconId = 1;

std::unique_ptr<TControlPeer> NewFormPeer(TForm& Form);
std::unique_ptr<TControlPeer> NewTreeViewPeer(TTreeView& View, HWND Parent);
std::unique_ptr<TControlPeer> NewListViewPeer(TListView& View, HWND Parent);
std::unique_ptr<TControlPeer> NewSplitterPeer(TSplitter& Splitter, HWND Parent);
std::unique_ptr<TControlPeer> NewToolBarPeer(TToolBar& Bar, HWND Parent);
std::unique_ptr<TControlPeer> NewStatusBarPeer(TStatusBar& Bar, HWND Parent);
std::unique_ptr<TControlPeer> NewLabelPeer(TLabel& Label, HWND Parent);
std::unique_ptr<TControlPeer> NewEditPeer(TEdit& Edit, HWND Parent);
std::unique_ptr<TControlPeer> NewButtonPeer(TButton& Button, HWND Parent);
std::unique_ptr<TControlPeer> NewCheckBoxPeer(TCheckBox& Box, HWND Parent);
std::unique_ptr<TControlPeer> NewRadioButtonPeer(TRadioButton& Button, HWND Parent);
std::unique_ptr<TControlPeer> NewGroupBoxPeer(TGroupBox& Box, HWND Parent);
std::unique_ptr<TControlPeer> NewMemoPeer(TMemo& Memo, HWND Parent);
std::unique_ptr<TControlPeer> NewListBoxPeer(TListBox& Box, HWND Parent);
std::unique_ptr<TControlPeer> NewComboBoxPeer(TComboBox& Box, HWND Parent);
std::unique_ptr<TControlPeer> NewUpDownPeer(TUpDown& UpDown, HWND Parent);
std::unique_ptr<TControlPeer> NewProgressBarPeer(TProgressBar& Bar, HWND Parent);
std::unique_ptr<TControlPeer> NewPageControlPeer(TPageControl& Pages, HWND Parent);
std::unique_ptr<TControlPeer> NewTabSheetPeer(TTabSheet& Sheet, HWND Parent);
std::unique_ptr<TControlPeer> NewPanelPeer(TPanel& Panel, HWND Parent);
std::unique_ptr<TControlPeer> NewPaintPanelPeer(TPaintPanel& Panel, HWND Parent);
std::unique_ptr<TControlPeer> NewImagePeer(TImage& Image, HWND Parent);
std::unique_ptr<TControlPeer> NewFloatWindowPeer(TFloatWindow& Float);
// The native controls of a container's children, in its window, in their tab order.
void CreateChildPeers(TWinControl& Parent, HWND Window);
// Puts the children's windows in their tab order, which the dialog keys follow.
void ArrangeTabOrder(TWinControl& Parent);

// The form a window of ours belongs to (the window itself or one of its controls), if any.
TForm* FormOfWindow(HWND Window);
// The application's hidden top-level window: the owner of every form and of popup menus.
HWND UtilityWindow();
// The main form's window (the first form made), if it exists.
HWND MainFormWindow();

// What a modal dialog or message box belongs to, chosen before it shows: the program's active
// window when it shows and takes input (the main window, or a dialog over it), else the main
// window when it shows. Null when neither shows (a command of the icon's menus while the main
// window is hidden): the dialog then stands alone, in front of the program the user was in.
HWND ModalOwner();
// Brings a window to the front (Force: even when another program holds the foreground), or
// the dialog that disables it. When one of the program's windows takes the foreground from
// another program's, that window is remembered as the one the user was in.
void BringForward(HWND Window, bool Force);
// After a dialog or box that stood alone: the window the user was in gets the foreground back,
// unless another program has taken it meanwhile.
void GiveForegroundBack();

inline HIMAGELIST NativeList(TImageList* List) {
  return List ? static_cast<HIMAGELIST>(List->Handle()) : nullptr;
}

}  // namespace lantern
