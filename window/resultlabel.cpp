#include "window/resultlabel.h"

#include <QAccessible>

namespace quorvel {

void ResultLabel::setText(const QString& text)
{
    QLabel::setText(text);
    const bool unchanged = accessibleDescription() == text;
    setAccessibleDescription(text);
    // Qt announces only a changed description, but the same result calculated again is news
    // too to someone who cannot see it reappear.
    if (unchanged) {
        QAccessibleEvent event(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    }
}

} // namespace quorvel
