#pragma once
#include <cstdint>
#include <string>

namespace tc {

// A control's background: an RGB value or one of the desktop's system colours.
struct Colour {
    enum class Kind : std::uint8_t { Rgb, ButtonFace, ThreeDLight };
    Kind kind = Kind::ButtonFace;
    std::uint32_t rgb = 0;  // 0xRRGGBB when kind is Rgb

    static constexpr Colour fromRgb(int r, int g, int b) {
        return {Kind::Rgb, static_cast<std::uint32_t>((r << 16) | (g << 8) | b)};
    }
    friend constexpr bool operator==(const Colour&, const Colour&) = default;

    // "#rrggbb", or "buttonface" / "3dlight".
    std::string name() const;
};

namespace colour {
inline constexpr Colour Red = Colour::fromRgb(255, 0, 0);
inline constexpr Colour LightGreen = Colour::fromRgb(128, 255, 128);
inline constexpr Colour LightOrange = Colour::fromRgb(255, 192, 128);
inline constexpr Colour ButtonFace{Colour::Kind::ButtonFace, 0};
inline constexpr Colour ThreeDLight{Colour::Kind::ThreeDLight, 0};
}  // namespace colour

}  // namespace tc
