#include "window/accessiblenames.h"

#include <QLabel>
#include <QWidget>
#include <array>

namespace quorvel {

namespace {

struct AccessibleName {
    const char* control;
    const char* name;
    const char* description = "";
};

// A list and the caption above it. On Linux a list's accessible name is its picked item, and
// the list is known by the label that names it: the caption, given the list's full name.
struct ListCaption {
    const char* list;
    const char* caption;
};

// Each name begins with what the control shows, so that what is heard matches what is seen;
// the words that explain it go to the description. Controls whose caption says enough
// (frames with a title) keep it as their name. The result labels get their description, the
// result, only when it is written.
constexpr std::array<AccessibleName, 27> accessibleNames = {{
    {"ComCalcEDD", "Calculate EDD"},
    {"ComRestart", "Cancel and restart", "Clears every input and result"},
    {"ComCalcGest", "Calculate gestation", "Calculates the length of gestation at birth"},
    {"OptLMP", "LMP-based dating"},
    {"OptUS", "Ultrasound-based dating"},
    {"DDLSDateM", "Month of the LMP or scan date"},
    {"DDLSDateD", "Day of the LMP or scan date"},
    {"DDLSDateY", "Year of the LMP or scan date"},
    {"OptFB", "Fetal biometry", "Scan data from a fetal measurement"},
    {"OptDG", "Derived gestation", "Scan data as the gestation found at the scan"},
    {"DDUSW", "Weeks of the derived gestation"},
    {"DDUSD", "Days of the derived gestation"},
    {"OptCRL", "Crown rump length"},
    {"OptBPD", "Biparietal diameter"},
    {"OptHC", "Head circumference"},
    {"DDVal", "mm", "Measurement in millimetres"},
    {"FrameQDOB", "Gestation at birth question"},
    {"LabQDOB", "Calculate length of gestation at birth?"},
    {"OptYes", "Yes", "Calculate length of gestation at birth"},
    {"OptNo", "No", "Do not calculate length of gestation at birth"},
    {"DDDOBDateM", "Month of birth"},
    {"DDDOBDateD", "Day of birth"},
    {"DDDOBDateY", "Year of birth"},
    {"LabEDD", "EDD"},
    {"LabGest", "Gestation at birth"},
    {"livelink", "", "Makers' web site"},
    {"Image1", "Quorvel logo"},
}};

constexpr std::array<ListCaption, 9> listCaptions = {{
    {"DDLSDateM", "LabLSDateM"},
    {"DDLSDateD", "LabLSDateD"},
    {"DDLSDateY", "LabLSDateY"},
    {"DDUSW", "LabUSW"},
    {"DDUSD", "LabUSD"},
    {"DDVal", "Labmm"},
    {"DDDOBDateM", "LabDOBDateM"},
    {"DDDOBDateD", "LabDOBDateD"},
    {"DDDOBDateY", "LabDOBDateY"},
}};

template <typename T>
T* control(QWidget& form, const char* name)
{
    auto* found = form.findChild<T*>(QString::fromUtf8(name));
    if (found == nullptr) {
        qWarning("No control %s to name for assistive technology", name);
    }
    return found;
}

} // namespace

void nameControlsForAssistiveTechnology(QWidget& form)
{
    for (const AccessibleName& entry : accessibleNames) {
        if (auto* widget = control<QWidget>(form, entry.control)) {
            // No name of its own: the link is named by the address it shows.
            if (*entry.name != '\0') {
                widget->setAccessibleName(QString::fromUtf8(entry.name));
            }
            widget->setAccessibleDescription(QString::fromUtf8(entry.description));
        }
    }
    for (const ListCaption& entry : listCaptions) {
        auto* list = control<QWidget>(form, entry.list);
        auto* caption = control<QLabel>(form, entry.caption);
        if (list != nullptr && caption != nullptr) {
            caption->setBuddy(list);
            caption->setAccessibleName(list->accessibleName());
            caption->setAccessibleDescription(list->accessibleDescription());
        }
    }
}

} // namespace quorvel
