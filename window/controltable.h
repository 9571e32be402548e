#pragma once

// The calculator window's controls as one table, a row per control: what it is, where it
// stands, how it looks and what assistive technology calls it. Adding, moving or renaming a
// control is an edit of its row in controltable.cpp; QuorvelForm builds the window from it.

#include "window/colors.h"

#include <Qt>

class QGroupBox;
class QLabel;
class QWidget;

namespace quorvel {

class QuorvelForm;

inline constexpr int twipsPerPixel = 15;

/// A position and size in twips.
struct ControlPlace {
    int left, top, width, height;
};

/// A length in twips as whole pixels.
constexpr int pixels(int twips)
{
    return twips / twipsPerPixel;
}

/// How a control is drawn; a row gives only what differs from a plain control.
struct ControlLook {
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter; // labels only
    bool border = false;                                    // labels only
    bool wrap = false;                                      // labels only
    ColorValue back = buttonFaceColor;
    ColorValue fore = buttonTextColor;
};

/// What assistive technology reads for a control. A list is known by the caption label above
/// it, its buddy, which is given the list's name.
struct ControlAccess {
    const char* name = nullptr; // nullptr: the toolkit's own name, from what the control shows
    const char* description = nullptr;
    QLabel* QuorvelForm::*buddy = nullptr;
    // The caption is held as the name, so that a flash blanking the caption leaves the name.
    bool captionIsName = false;
};

struct ControlRow {
    // The object name, which the tests and the platform's accessibility tree see.
    const char* name;
    // Makes the control in its field of the window and builds it from this row.
    QWidget* (*make)(QuorvelForm& form, QWidget* parent, const ControlRow& row);
    QGroupBox* QuorvelForm::*container; // nullptr: the window itself
    const char* caption;
    ControlPlace place;
    ControlLook look = {};
    ControlAccess access = {};
};

} // namespace quorvel
