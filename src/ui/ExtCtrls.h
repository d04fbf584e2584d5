#pragma once
// The other controls of dialogs: the spin (an up-down control beside an edit that shows its
// number), the progress bar, the page control with its pages (the controls of a page show only
// while it is the active one), a plain panel holding controls, and a panel that the program paints.
#include <functional>
#include <string>
#include <vector>

#include "base/Color.h"
#include "ui/Canvas.h"
#include "ui/Icon.h"
#include "ui/StdCtrls.h"

namespace lantern {

class TUpDown : public TWinControl {
 public:
  std::unique_ptr<TControlPeer> CreateNativePeer(TWidgetFactory& Factory, void* Parent) override;
  explicit TUpDown(TWinControl* Parent);
  ~TUpDown() override;
  int Min() const { return FMin; }
  int Max() const { return FMax; }
  // The position is kept within the range.
  void SetMin(int Value);
  void SetMax(int Value);
  // With an associated edit: the number in its text (the user may have typed it) within the
  // range, or the last position when the text is no number.
  int Position() const;
  // Writes the number into the associated edit, whose OnChange runs.
  void SetPosition(int Value);
  TEdit* Associate() const { return FAssociate; }
  void SetAssociate(TEdit* Value);
  // The user pressed an arrow: Delta steps up (positive) or down.
  void NativeDelta(int Delta);

  TNotifyEvent OnClick;  // after the user's step

 private:
  int FMin = 0, FMax = 100, FPosition = 0;
  TEdit* FAssociate = nullptr;
};

// A bar that fills as work goes on: Position of Max.
class TProgressBar : public TWinControl {
 public:
  std::unique_ptr<TControlPeer> CreateNativePeer(TWidgetFactory& Factory, void* Parent) override;
  explicit TProgressBar(TWinControl* Parent) : TWinControl(Parent) { SetTabStop(false); }
  int Max() const { return FMax; }
  int Position() const { return FPosition; }
  // Position is kept within 0..Max.
  void SetProgress(int Position, int Max);

 private:
  int FMax = 100, FPosition = 0;
};

class TPageControl;

class TTabSheet : public TCaptionControl {
 public:
  std::unique_ptr<TControlPeer> CreateNativePeer(TWidgetFactory& Factory, void* Parent) override;
  // A new page comes last; the first page of a control becomes its active one.
  explicit TTabSheet(TPageControl* PageControl);
  ~TTabSheet() override;
  TPageControl* PageControl() const { return FPageControl; }
  int PageIndex() const;

 private:
  TPageControl* FPageControl;
};

class TPageControlPeer : public TControlPeer {
 public:
  virtual void PagesChanged() = 0;  // tabs added, taken away or renamed; then StateChanged
};

class TPageControl : public TWinControl {
 public:
  std::unique_ptr<TControlPeer> CreateNativePeer(TWidgetFactory& Factory, void* Parent) override;
  explicit TPageControl(TWinControl* Parent);
  int PageCount() const { return static_cast<int>(FPages.size()); }
  TTabSheet* Pages(int Index) const { return FPages.at(Index); }
  TTabSheet* ActivePage() const { return FActive; }
  // Shows the page and hides the others; runs no handler.
  void SetActivePage(TTabSheet* Value);
  int ActivePageIndex() const { return FActive ? FActive->PageIndex() : -1; }
  void SetActivePageIndex(int Value) { SetActivePage(Value >= 0 ? Pages(Value) : nullptr); }
  // Tabs in several rows when they do not fit in one.
  bool MultiLine() const { return FMultiLine; }
  void SetMultiLine(bool Value) { FMultiLine = Value; }
  // The area the pages fill, within the control; the native control reports its own.
  TRect DisplayRect() const { return FDisplay; }
  void NativeDisplayRect(const TRect& Value);
  // The user chose the tab at Index.
  void NativeSelect(int Index);

  TNotifyEvent OnChange;  // after the user's choice of a page

 protected:
  void BoundsChanged() override;

 private:
  friend class TTabSheet;
  void PlacePages();
  void PagesChanged();
  std::vector<TTabSheet*> FPages;
  TTabSheet* FActive = nullptr;
  bool FMultiLine = false;
  bool FNativeDisplay = false;
  TRect FDisplay;
};

// A container without frame or caption, on the dialog's face colour: its children are
// controls, laid out within it.
class TPanel : public TWinControl {
 public:
  std::unique_ptr<TControlPeer> CreateNativePeer(TWidgetFactory& Factory, void* Parent) override;
  explicit TPanel(TWinControl* Parent);
};

class TPaintPanelPeer : public TControlPeer {
 public:
  virtual void Invalidate() = 0;
};

// A panel filled with its colour, on which OnPaint then draws.
class TPaintPanel : public TWinControl {
 public:
  using TPaintEvent = std::function<void(TPaintPanel* Sender, TCanvas& Canvas)>;
  std::unique_ptr<TControlPeer> CreateNativePeer(TWidgetFactory& Factory, void* Parent) override;
  explicit TPaintPanel(TWinControl* Parent);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  // Paints the panel anew (natively, at the next paint).
  void Invalidate();
  // Fills the panel with its colour, then runs OnPaint (what the native paint does).
  void Paint(TCanvas& Canvas);
  // A thin sunken edge around the painted area (a colour swatch's frame).
  bool Border() const { return FBorder; }
  void SetBorder(bool Value);
  // The user clicked the panel: OnClick runs (a disabled panel does nothing).
  void Click();
  // OnPaint draws in the window's pixels rather than in layout units (pictures of the
  // screen's own size, drawn as they are), and clicks are told in pixels.
  bool InPixels() const { return FInPixels; }
  void SetInPixels(bool Value) { FInPixels = Value; }
  // The left button went down at X, Y (a disabled panel does nothing).
  void NativeMouseDown(int X, int Y);

  TPaintEvent OnPaint;
  TNotifyEvent OnClick;
  std::function<void(TPaintPanel* Sender, int X, int Y)> OnMouseDown;

 private:
  TColor FColor = clBtnFace;
  bool FBorder = false;
  bool FInPixels = false;
};

// A picture: an icon drawn stretched over the whole control, on the dialog's face colour.
class TImage : public TWinControl {
 public:
  std::unique_ptr<TControlPeer> CreateNativePeer(TWidgetFactory& Factory, void* Parent) override;
  explicit TImage(TWinControl* Parent);
  const TIcon& Picture() const { return FPicture; }
  void SetPicture(const TIcon& Value);

 private:
  TIcon FPicture;
};

}  // namespace lantern
