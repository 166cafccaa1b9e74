#include "ui/Colour.h"

#include <cstdio>

namespace tc {

std::string Colour::name() const {
    switch (kind) {
        case Kind::ButtonFace: return "buttonface";
        case Kind::ThreeDLight: return "3dlight";
        case Kind::Rgb: break;
    }
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%06x", static_cast<unsigned>(rgb & 0xffffff));
    return buf;
}

}  // namespace tc
