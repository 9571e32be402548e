#include "window/colors.h"

#include <array>
#include <utility>

namespace quorvel {

namespace {

constexpr ColorValue systemColorFlag = 0x80000000;
constexpr ColorValue systemIndexMask = 0xFF;

// The standard desktop scheme's system colours, by index.
constexpr std::array<std::pair<ColorValue, QRgb>, 7> standardScheme = {{
    {0, qRgb(200, 200, 200)},  // scroll bar
    {5, qRgb(255, 255, 255)},  // window background
    {8, qRgb(0, 0, 0)},        // window text
    {9, qRgb(255, 255, 255)},  // active title-bar text
    {10, qRgb(180, 180, 180)}, // active window border
    {15, qRgb(240, 240, 240)}, // button face
    {18, qRgb(0, 0, 0)},       // button text
}};

constexpr QRgb unknownSystemColor = qRgb(0, 0, 0);

} // namespace

QColor colorFromValue(ColorValue value)
{
    if ((value & systemColorFlag) != 0) {
        const ColorValue index = value & systemIndexMask;
        for (const auto& [i, rgb] : standardScheme) {
            if (i == index) {
                return QColor::fromRgb(rgb);
            }
        }
        return QColor::fromRgb(unknownSystemColor);
    }
    const auto channel = [value](int shift) { return static_cast<int>((value >> shift) & 0xFF); };
    return QColor(channel(0), channel(8), channel(16));
}

} // namespace quorvel
