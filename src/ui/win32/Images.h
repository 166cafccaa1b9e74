#pragma once
#include <windows.h>

namespace tc::win32 {

// The program's pictures, built into tailchime.exe from the same images as
// the Qt windows'. Each is drawn scaled to the rectangle it fills and
// blended over what lies beneath; a scaled copy is kept per size, so that
// the antenna's ten frames a second cost a copy each, no scaling.
// A name that is not among the resources draws nothing.
void drawImage(HDC dc, const char* name, const RECT& where);

}  // namespace tc::win32
