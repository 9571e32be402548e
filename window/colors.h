#pragma once

#include <QColor>
#include <QPalette>
#include <cstdint>

class QWidget;

namespace quorvel {

// Colour values as the window's layout names them: 0x00BBGGRR, or 0x800000nn for system
// colour nn of the standard desktop scheme.
using ColorValue = std::uint32_t;

inline constexpr ColorValue scrollBarColor = 0x80000000;
inline constexpr ColorValue windowTextColor = 0x80000008;
inline constexpr ColorValue titleTextColor = 0x80000009;
inline constexpr ColorValue activeBorderColor = 0x8000000A;
inline constexpr ColorValue buttonFaceColor = 0x8000000F;
inline constexpr ColorValue buttonTextColor = 0x80000012;

inline constexpr ColorValue blue = 0x00FF0000;
inline constexpr ColorValue darkRed = 0x000000C0;
inline constexpr ColorValue lightPink = 0x00C0C0FF;

/// The keyboard-focus frame of the labels that take the focus (the results and the link):
/// dark enough against their light backgrounds to be seen at once.
inline constexpr ColorValue focusFrameColor = 0x00000000;

/// A list that takes input.
inline constexpr ColorValue inputBackColor = 0x00C0E0FF;
/// A list that is unavailable: the window's own background.
inline constexpr ColorValue unavailableBackColor = scrollBarColor;

/// The colour a colour value names.
QColor colorFromValue(ColorValue value);

/// Paints a control in a background and a text colour. The text colour is that of an
/// available control: an unavailable one keeps the palette's disabled text.
void setColors(QWidget* widget, ColorValue back, ColorValue fore);

/// The complete light palette the window is drawn in, whatever the desktop's scheme.
QPalette lightScheme();

} // namespace quorvel
