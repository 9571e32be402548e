#include "window/colors.h"

#include <QPalette>
#include <QWidget>
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

struct SchemeRole {
    QPalette::ColorRole role;
    QRgb normal;   // active and inactive
    QRgb disabled; // unavailable controls
};

// The toolkit's own light palette, which the window was laid out and coloured for; fixed here
// so that a dark desktop scheme cannot mix its colours into the window's.
constexpr QRgb black = qRgb(0, 0, 0);
constexpr QRgb white = qRgb(255, 255, 255);
constexpr QRgb face = qRgb(239, 239, 239);
constexpr QRgb disabledText = qRgb(190, 190, 190);
constexpr std::array<SchemeRole, 20> lightRoles = {{
    {QPalette::WindowText, black, disabledText},
    {QPalette::Button, face, face},
    {QPalette::Light, white, white},
    {QPalette::Midlight, qRgb(202, 202, 202), qRgb(202, 202, 202)},
    {QPalette::Dark, qRgb(159, 159, 159), disabledText},
    {QPalette::Mid, qRgb(184, 184, 184), qRgb(184, 184, 184)},
    {QPalette::Text, black, disabledText},
    {QPalette::BrightText, white, white},
    {QPalette::ButtonText, black, disabledText},
    {QPalette::Base, white, face},
    {QPalette::Window, face, face},
    {QPalette::Shadow, qRgb(118, 118, 118), qRgb(177, 177, 177)},
    // Dark enough that the white text of a focused list item stands out at above 4.5:1.
    {QPalette::Highlight, qRgb(0, 100, 160), qRgb(145, 145, 145)},
    {QPalette::HighlightedText, white, white},
    {QPalette::Link, qRgb(0, 0, 255), qRgb(0, 0, 255)},
    {QPalette::LinkVisited, qRgb(255, 0, 255), qRgb(255, 0, 255)},
    {QPalette::AlternateBase, qRgb(247, 247, 247), qRgb(247, 247, 247)},
    {QPalette::ToolTipBase, qRgb(255, 255, 220), qRgb(255, 255, 220)},
    {QPalette::ToolTipText, black, black},
    {QPalette::PlaceholderText, qRgba(0, 0, 0, 128), qRgba(0, 0, 0, 128)},
}};

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

QPalette lightScheme()
{
    QPalette palette;
    for (const auto& [role, normal, disabled] : lightRoles) {
        palette.setColor(QPalette::Active, role, QColor::fromRgba(normal));
        palette.setColor(QPalette::Inactive, role, QColor::fromRgba(normal));
        palette.setColor(QPalette::Disabled, role, QColor::fromRgba(disabled));
    }
    return palette;
}

void setColors(QWidget* widget, ColorValue back, ColorValue fore)
{
    QPalette p = widget->palette();
    for (const auto role : {QPalette::Window, QPalette::Button}) {
        p.setColor(role, colorFromValue(back));
    }
    for (const auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
        for (const auto group : {QPalette::Active, QPalette::Inactive}) {
            p.setColor(group, role, colorFromValue(fore));
        }
    }
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

} // namespace quorvel
