#include "window/resultlabel.h"

#include "window/accessiblefactory.h"
#include "window/focusframe.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>

namespace quorvel {

namespace {

const char* const copyCaption = "&Copy";
const char* const selectAllCaption = "Select &All";

} // namespace

ResultLabel::ResultLabel(QWidget* parent) : QLabel(parent)
{
    // Screen readers speak a result when it comes into view, wherever the focus is.
    presentAccessibly<ResultLabel, AccessibleNotification>();
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Qt leaves selectable text out of the Tab round; the keyboard must reach it to copy it.
    setFocusPolicy(Qt::StrongFocus);
}

// The result is centred well clear of the label's edge, where the frame goes.
void ResultLabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    paintFocusFrame(this);
}

void ResultLabel::setPlaceholder(const QString& text)
{
    QLabel::setText(text);
    setAccessibleDescription(QString());
}

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

void ResultLabel::contextMenuEvent(QContextMenuEvent* event)
{
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    connect(menu->addAction(QString::fromUtf8(copyCaption)), &QAction::triggered, this, [this] {
        QGuiApplication::clipboard()->setText(hasSelectedText() ? selectedText() : text());
    });
    connect(menu->addAction(QString::fromUtf8(selectAllCaption)), &QAction::triggered, this,
            [this] { setSelection(0, static_cast<int>(text().size())); });
    menu->popup(event->globalPos());
    event->accept();
}

} // namespace quorvel
