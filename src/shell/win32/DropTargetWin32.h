#pragma once
// The OLE side of the drop target (Windows only): the COM object that OLE calls, for tests
// that drive it as OLE would, and ClientToWindowPoint.
#include <windows.h>
// after windows.h
#include <ole2.h>

namespace lantern {

class TDropTarget;

// The IDropTarget that a TDropTarget registers (null without a peer). Not AddRef'ed.
IDropTarget* OleDropTargetOf(TDropTarget& Target);

// The client point in the coordinates of the window's whole rectangle (the drag image's).
POINT ClientToWindowPoint(HWND Window, POINT Point);

}  // namespace lantern
