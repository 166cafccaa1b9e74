#pragma once
#include <span>

#include "ui/Panel.h"

namespace tc {

// One control of the main window as the design places it. The Qt and the
// Win32 windows are both built from the one table below, so that the two
// cannot drift apart.
struct PlacedControl {
    enum class Kind {
        Frame,      // a group box; `picture` is its caption
        Picture,    // an image; clicks pass to the panel for the selectors
        Selector,   // a bordered image that chooses the ident mode
        Button,     // a picture button, clicked through the panel
        Field,      // an edit field over a text of the panel
        Label,      // a fixed text (`picture` is the text)
        ScrollBar,  // the volume
        Antenna,    // the turning antenna: one picture box for its four frames
        Option,     // an option button the selectors stand in front of (Win32 only shows it)
    };
    enum class Face { Plain, Letter, Timing };

    Kind kind;
    const char* name;
    const char* container;  // the frame it stands in; nullptr: the window itself
    int left, top, width, height;  // twips, within the container
    const char* picture;           // the image's name, or a frame's or label's text
    const char* tooltip;
    Shape Panel::*shape = nullptr;      // whether it is shown
    TextField Panel::*field = nullptr;  // what a field edits
    Face face = Face::Plain;
};

// The fonts of the faces, as the design names them.
struct DesignFace {
    const char* family;
    double points;
    bool bold;
};
inline constexpr DesignFace kDesignFaces[] = {
    {"MS Sans Serif", 8.25, false},  // Plain: the window's own
    {"Tahoma", 9.75, true},          // Letter: the CW ident letters
    {"Tahoma", 8.25, false},         // Timing: the timings
};
inline const DesignFace& designFace(PlacedControl::Face face) { return kDesignFaces[static_cast<int>(face)]; }

// The main window's client area, in twips.
inline constexpr int kMainWindowWidth = 5040;
inline constexpr int kMainWindowHeight = 4200;

// Every control of the main window, back to front: what the design puts
// in front comes later. A container comes before what stands in it.
std::span<const PlacedControl> mainWindowLayout();

// The antenna's four frames, in turn.
inline constexpr Shape Panel::*kAntennaFrames[] = {&Panel::Ant0, &Panel::Ant1, &Panel::Ant2, &Panel::Ant3};
inline constexpr const char* kAntennaImages[] = {"antenna0", "antenna1", "antenna2", "antenna3"};

}  // namespace tc
