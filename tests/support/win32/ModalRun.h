#pragma once
// Windows tests only: driving a shown form's native windows as a user would, and a modal run
// in which the test takes the user's part between timer ticks.
#include <windows.h>

#include <functional>
#include <string>

#include "ui/Form.h"

namespace lantern {

inline HWND Of(const TWinControl& Control) { return static_cast<HWND>(Control.Handle()); }

std::string WindowText(HWND Window);

// Handles what is waiting in the thread's queue.
void Pump();

void PostKey(HWND Window, UINT Key);

void Click(HWND Window, int X, int Y);

// The dialog of the current modal run.
extern HWND ModalDialog;

// Calls Step once per timer tick, once the thread next waits for messages, until it says it is
// done; a Form still open after 60 ticks is closed. For a form that the code under test shows.
void StartUserSteps(TForm& Form, std::function<bool()> Step, UINT Interval = 200);

// Shows Form modally and calls Step once per timer tick until it says it is done. A dialog
// still open after 60 ticks is closed, so a fault cannot hang.
TModalResult RunModal(TForm& Form, std::function<bool()> Step, UINT Interval = 200);

}  // namespace lantern
