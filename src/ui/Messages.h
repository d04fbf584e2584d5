#pragma once
// Window messages by name, for the portable code that handles them (without <windows.h>): the
// mouse messages that the notification area reports, and the program's own messages, which all
// come from the one range below.
namespace lantern {

// The system's mouse messages, as the notification area passes them on.
enum TMouseMessage : unsigned {
  WmMouseMove = 0x0200,
  WmLButtonDown = 0x0201,
  WmLButtonUp = 0x0202,
  WmLButtonDblClk = 0x0203,
  WmRButtonDown = 0x0204,
  WmRButtonUp = 0x0205,
  WmRButtonDblClk = 0x0206,
  WmMButtonDown = 0x0207,
  WmMButtonUp = 0x0208,
};

// The system's messages that the program sends to windows.
constexpr unsigned WmClose = 0x0010;       // WM_CLOSE
constexpr unsigned WmHotKey = 0x0312;      // WM_HOTKEY
constexpr unsigned WmSysCommand = 0x0112;  // WM_SYSCOMMAND
constexpr unsigned ScScreenSave = 0xF140;  // SC_SCREENSAVE, its WParam

// WM_USER: the first number of a window class's private messages.
constexpr unsigned WmUser = 0x0400;

// The program's own messages. The notification area's callback keeps the number that other
// instances and earlier versions know.
enum TPrivateMessage : unsigned {
  WM_TRAYNOTIFY = WmUser + 102,   // 1126: a mouse message on an icon
  WM_SYNCHRONIZE = WmUser + 110,  // a worker's or a posted call waits for the user-interface thread
};

}  // namespace lantern
