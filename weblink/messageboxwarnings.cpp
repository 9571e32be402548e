#include "weblink/messageboxwarnings.h"

#include <QMessageBox>

namespace quorvel {

MessageBoxWarnings::MessageBoxWarnings(QWidget* parent) : parent_(parent) {}

void MessageBoxWarnings::warn(const QString& title, const QString& text)
{
    QMessageBox::warning(parent_, title, text, QMessageBox::Ok);
}

} // namespace quorvel
