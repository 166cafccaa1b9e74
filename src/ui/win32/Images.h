#pragma once
#include <windows.h>

namespace tc::win32 {

// The program's pictures, built into tailchime.exe from the same images as
// the Qt windows'. Each is drawn scaled to the rectangle it fills and
// blended over what lies beneath; a scaled copy is kept per size, so that
// the antenna's ten frames a second cost a copy each, no scaling.
// A name that is not among the resources draws nothing.
void drawImage(HDC dc, const char* name, const RECT& where);

// The picture over a plain background, as one copy: composed once per size
// and colour in the display's own format, then only copied. The antenna's
// frames and the lamps cost a copy each when they change.
void drawImageOn(HDC dc, const char* name, const RECT& where, COLORREF back);
// That copy itself, w by h, compatible with `dc`; kept for the whole run.
HBITMAP composedImage(HDC dc, const char* name, int w, int h, COLORREF back);

}  // namespace tc::win32
