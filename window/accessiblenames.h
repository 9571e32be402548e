#pragma once

class QWidget;

namespace quorvel {

// Gives each control of the calculator window the name assistive technology reads for it,
// one that says what it is without seeing where it stands: "Day of birth" rather than the
// caption "Day" above it.
void nameControlsForAssistiveTechnology(QWidget& form);

} // namespace quorvel
