#pragma once

class QApplication;

namespace quorvel {

/// Gives the application the style, the light palette and the 8-point sans-serif the window
/// is laid out for.
void applyAppearance(QApplication& app);

} // namespace quorvel
