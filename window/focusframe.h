#pragma once

class QWidget;

namespace quorvel {

// The keyboard-focus frame of a label that takes the focus: a solid line round the label's
// edge, clear of its text.
inline constexpr int focusFrameWidth = 2; // pixels

// Keeps a label's text, left or right aligned, from running under the frame.
void makeRoomForFocusFrame(QWidget* label);

// Draws the frame while the label has the keyboard focus; call after the label has painted.
void paintFocusFrame(QWidget* label);

} // namespace quorvel
