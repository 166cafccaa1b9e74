#pragma once
#include <windows.h>

namespace tc::win32::antenna {

inline constexpr const char* kClass = "TailchimeAntenna";

// The turning antenna: one picture box that draws its frame in front
// itself. A turn copies the new frame straight onto the box, through the
// display context its class keeps, and does nothing more: no repaint is
// queued, and nothing is asked of the system (its size and colour are those
// its last repaint found). Asked for its text
// (WM_GETTEXT), the box answers with the name of the frame it shows, for
// whoever looks from outside.

// The box in `parent`, showing kAntennaImages[*front]; `front` outlives it.
HWND make(HWND parent, int id, DWORD style, const int* front);
// *front has changed: the box shows the new frame now.
void turn(HWND box);

}  // namespace tc::win32::antenna
