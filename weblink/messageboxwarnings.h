#pragma once

#include "weblink/warningsink.h"

class QWidget;

namespace quorvel {

/// Warnings shown in a modal message box with the warning icon and only an OK button.
class MessageBoxWarnings : public WarningSink {
public:
    /// The box is centred on and modal to parent's window; a null parent makes it modal to the
    /// whole application.
    explicit MessageBoxWarnings(QWidget* parent);

    void warn(const QString& title, const QString& text) override;

private:
    QWidget* parent_;
};

} // namespace quorvel
