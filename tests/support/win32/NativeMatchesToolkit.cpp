#include "support/win32/NativeMatchesToolkit.h"

#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <string>
#include <utility>
#include <vector>

#include "support/LayoutChecks.h"
#include "support/win32/LabelExtent.h"
#include "ui/Dpi.h"
#include "ui/ExtCtrls.h"
#include "ui/Form.h"
#include "ui/ListCtrls.h"
#include "ui/StdCtrls.h"
#include "ui/win32/ChildWindow.h"
#include "ui/win32/WideText.h"

namespace lantern {

namespace {

HWND Of(const TWinControl& Control) { return static_cast<HWND>(Control.Handle()); }

std::string Text(HWND Window) {
  std::wstring Wide(static_cast<std::size_t>(GetWindowTextLengthW(Window)) + 1, L'\0');
  Wide.resize(
      static_cast<std::size_t>(GetWindowTextW(Window, &Wide[0], static_cast<int>(Wide.size()))));
  return FromWide(Wide);
}

std::string TabText(HWND Tabs, int Index) {
  wchar_t Buffer[256] = L"";
  TCITEMW Item = {};
  Item.mask = TCIF_TEXT;
  Item.pszText = Buffer;
  Item.cchTextMax = 256;
  SendMessageW(Tabs, TCM_GETITEMW, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&Item));
  return FromWide(Buffer);
}

// The window's rectangle in its parent's client coordinates.
RECT PlaceOf(HWND Window) {
  RECT Rect;
  GetWindowRect(Window, &Rect);
  MapWindowPoints(nullptr, GetParent(Window), reinterpret_cast<POINT*>(&Rect), 2);
  return Rect;
}

void ExpectPlace(const TWinControl& Control, HWND Window, int Dpi) {
  const RECT Is = PlaceOf(Window);
  RECT Want = PixelBounds(Control, Dpi);
  if (dynamic_cast<const TLabel*>(&Control))
    Want =
        LaidOutLabel(Window, Want.left, Want.top, Want.right - Want.left, Want.bottom - Want.top);
  EXPECT_EQ(Is.left, Want.left);
  EXPECT_EQ(Is.top, Want.top);
  EXPECT_EQ(Is.right, Want.right);
  // The system gives a closed drop-down box the height of its font's line.
  auto* Combo = dynamic_cast<const TComboBox*>(&Control);
  if (Combo && Combo->Style() != TComboBoxStyle::Simple)
    EXPECT_NEAR(Is.bottom, Want.bottom, ScaleToDpi(4, Dpi));
  else
    EXPECT_EQ(Is.bottom, Want.bottom);
  RECT Room;
  GetClientRect(GetParent(Window), &Room);
  EXPECT_TRUE(Is.left >= 0 && Is.top >= 0 && Is.right <= Room.right && Is.bottom <= Room.bottom)
      << "the window leaves its parent's client area of " << Room.right << "x" << Room.bottom;
}

// What the control shows as text, and whether the window shows the same.
void ExpectText(const TWinControl& Control, HWND Window) {
  if (auto* Sheet = dynamic_cast<const TTabSheet*>(&Control)) {
    EXPECT_EQ(TabText(GetParent(Window), Sheet->PageIndex()), Sheet->Caption()) << "tab text";
  } else if (auto* Captioned = dynamic_cast<const TCaptionControl*>(&Control)) {
    EXPECT_EQ(Text(Window), Captioned->Caption());
  } else if (auto* Edit = dynamic_cast<const TEdit*>(&Control)) {
    EXPECT_EQ(Text(Window), Edit->Text());
  } else if (auto* Combo = dynamic_cast<const TComboBox*>(&Control)) {
    EXPECT_EQ(Text(Window), Combo->Text());
  } else if (auto* Memo = dynamic_cast<const TMemo*>(&Control)) {
    EXPECT_EQ(Text(Window), Memo->Text());
  }
}

void ExpectState(const TWinControl& Control, HWND Window) {
  const LONG Style = GetWindowLongW(Window, GWL_STYLE);
  // EXPECT_ macros are if-else statements: braces keep the outer if's else its own.
  if (auto* Box = dynamic_cast<const TCheckBox*>(&Control)) {
    EXPECT_EQ(SendMessageW(Window, BM_GETCHECK, 0, 0) == BST_CHECKED, Box->Checked()) << "checked";
  }
  if (auto* Radio = dynamic_cast<const TRadioButton*>(&Control)) {
    EXPECT_EQ(SendMessageW(Window, BM_GETCHECK, 0, 0) == BST_CHECKED, Radio->Checked())
        << "checked";
  }
  if (auto* Button = dynamic_cast<const TButton*>(&Control)) {
    EXPECT_EQ((Style & BS_TYPEMASK) == BS_DEFPUSHBUTTON, Button->Default()) << "default";
    // The dialog keys find the default button by IDOK, the cancel button by IDCANCEL.
    if (Button->Default() || Button->Cancel()) {
      EXPECT_EQ(GetWindowLongPtrW(Window, GWLP_ID), Button->Default() ? IDOK : IDCANCEL);
    }
  }
  if (auto* Label = dynamic_cast<const TLabel*>(&Control)) {
    EXPECT_EQ(Style & SS_TYPEMASK, Label->Alignment() == TAlignment::RightJustify ? SS_RIGHT
                                   : Label->Alignment() == TAlignment::Center     ? SS_CENTER
                                                                                  : SS_LEFT)
        << "alignment";
  }
  if (auto* List = dynamic_cast<const TListControl*>(&Control)) {
    const bool Box = dynamic_cast<const TListBox*>(&Control) != nullptr;
    const int Count = static_cast<int>(SendMessageW(Window, Box ? LB_GETCOUNT : CB_GETCOUNT, 0, 0));
    std::vector<std::string> Lines;
    for (int i = 0; i < Count; ++i) {
      wchar_t Line[256] = L"";
      SendMessageW(Window, Box ? LB_GETTEXT : CB_GETLBTEXT, static_cast<WPARAM>(i),
                   reinterpret_cast<LPARAM>(Line));
      Lines.push_back(FromWide(Line));
    }
    EXPECT_EQ(Lines, List->Items().Lines()) << "lines";
    EXPECT_EQ(SendMessageW(Window, Box ? LB_GETCURSEL : CB_GETCURSEL, 0, 0), List->ItemIndex())
        << "chosen line";
  }
  if (auto* Memo = dynamic_cast<const TMemo*>(&Control)) {
    EXPECT_EQ((Style & ES_READONLY) != 0, Memo->ReadOnly()) << "read-only";
    const LONG Ex = GetWindowLongW(Window, GWL_EXSTYLE);
    EXPECT_EQ((Style & WS_BORDER) != 0 || (Ex & WS_EX_CLIENTEDGE) != 0, Memo->Border()) << "border";
  }
  if (auto* Pages = dynamic_cast<const TPageControl*>(&Control)) {
    EXPECT_EQ(SendMessageW(Window, TCM_GETITEMCOUNT, 0, 0), Pages->PageCount()) << "tabs";
    EXPECT_EQ(SendMessageW(Window, TCM_GETCURSEL, 0, 0), Pages->ActivePageIndex()) << "tab";
  }
}

// A control that shows text does so in the program's font made for the DPI, or in its own.
void ExpectFont(const TWinControl& Control, HWND Window, int Dpi) {
  auto Font = reinterpret_cast<HFONT>(SendMessageW(Window, WM_GETFONT, 0, 0));
  if (!Font) return;  // a window of our own class: its controls have the fonts
  LOGFONTW Log = {};
  GetObjectW(Font, sizeof(Log), &Log);
  auto* Label = dynamic_cast<const TLabel*>(&Control);
  EXPECT_EQ(Log.lfHeight, Label && !Label->ParentFont() ? Label->Font().HeightAt(Dpi)
                                                        : ScaleToDpi(TForm().Font().Height(), Dpi))
      << "font height";
}

// Compares the children of Parent, whose window is ParentWindow; Showing: Parent shows.
void ExpectChildren(const TWinControl& Parent, HWND ParentWindow, bool Showing, int Dpi,
                    int& Compared) {
  for (const TWinControl* c : Parent.Controls()) {
    SCOPED_TRACE(DescribeControl(*c));
    HWND Window = Of(*c);
    if (!Window) {
      ADD_FAILURE() << "no native window";
      continue;
    }
    ++Compared;
    EXPECT_EQ(GetParent(Window), ParentWindow) << "parent window";
    ExpectPlace(*c, Window, Dpi);
    ExpectFont(*c, Window, Dpi);
    ExpectText(*c, Window);
    ExpectState(*c, Window);
    EXPECT_EQ((GetWindowLongW(Window, GWL_STYLE) & WS_VISIBLE) != 0, c->Visible()) << "visible";
    EXPECT_EQ(IsWindowVisible(Window) != FALSE, Showing && c->Visible()) << "showing";
    EXPECT_EQ(IsWindowEnabled(Window) != FALSE, c->Enabled()) << "enabled";
    ExpectChildren(*c, Window, Showing && c->Visible(), Dpi, Compared);
  }
}

}  // namespace

void ExpectNativeMatchesToolkit(TForm& Form) {
  HWND Window = Of(Form);
  ASSERT_NE(Window, nullptr) << "the form has no native window";
  EXPECT_EQ(Text(Window), Form.Caption()) << "the form's caption";
  RECT Rect, Client;
  GetWindowRect(Window, &Rect);
  GetClientRect(Window, &Client);
  EXPECT_EQ(Rect.right - Rect.left, Form.Width()) << "the form's width";
  EXPECT_EQ(Rect.bottom - Rect.top, Form.Height()) << "the form's height";
  // The client area in layout units: as many as fit in its pixels.
  for (auto [Units, Pixels] : {std::pair{Form.ClientWidth(), Client.right},
                               std::pair{Form.ClientHeight(), Client.bottom}}) {
    EXPECT_LE(ScaleToDpi(Units, Form.Dpi()), Pixels) << "the form's client area";
    EXPECT_GT(ScaleToDpi(Units + 1, Form.Dpi()), Pixels) << "the form's client area";
  }
  EXPECT_EQ(IsWindowVisible(Window) != FALSE, Form.Visible()) << "the form shows";
  int Compared = 0;
  ExpectChildren(Form, Window, Form.Visible(), Form.Dpi(), Compared);
  EXPECT_GT(Compared, 0) << "the form has no controls to compare";
}

void ExpectFollowsDpi(TForm& Form, TPageControl* Pages) {
  for (int Dpi : {Form.Dpi() == 144 ? 96 : 144, Form.Dpi()}) {
    SCOPED_TRACE(Dpi);
    const int Width = Form.ClientWidth(), Height = Form.ClientHeight();
    ChangeDpi(Form, Dpi);
    ASSERT_EQ(Form.Dpi(), Dpi);
    if (Form.BorderStyle() == TFormBorderStyle::Dialog) {
      EXPECT_EQ(Form.ClientWidth(), Width) << "the dialog's layout";
      EXPECT_EQ(Form.ClientHeight(), Height) << "the dialog's layout";
    }
    for (int Page = 0; Page < (Pages ? Pages->PageCount() : 1); ++Page) {
      if (Pages) Pages->SetActivePageIndex(Page);
      ExpectNativeMatchesToolkit(Form);
    }
  }
}

void ChangeDpi(TForm& Form, int Dpi) {
  HWND Window = static_cast<HWND>(Form.Handle());
  RECT Rect;
  GetWindowRect(Window, &Rect);
  const int Was = Form.Dpi();
  RECT Suggested = {Rect.left, Rect.top, Rect.left + (Rect.right - Rect.left) * Dpi / Was,
                    Rect.top + (Rect.bottom - Rect.top) * Dpi / Was};
  SendMessageW(Window, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(Dpi, Dpi),
               reinterpret_cast<LPARAM>(&Suggested));
}

}  // namespace lantern
