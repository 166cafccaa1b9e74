#pragma once

namespace tc {

// Frames as the window design draws them: an etched line with the caption
// standing in its top edge, so that a page's controls sit where the design
// places them below the caption.
inline constexpr const char* kFrameStyle =
    "QGroupBox { border: 2px groove palette(mid); border-radius: 0px; margin-top: 7px; }"
    "QGroupBox[title=\"\"] { margin-top: 0px; }"
    "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: 6px; padding: 0 2px; }";

}  // namespace tc
