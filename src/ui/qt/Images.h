#pragma once

namespace tc {

// Registers the windows' images (compiled into the library) with Qt's
// resource system. A static library's resources are not registered unless
// something asks for them; the windows call this before they draw.
void registerImages();

}  // namespace tc
