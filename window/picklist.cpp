#include "window/picklist.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLabel>
#include <QPalette>
#include <QScrollBar>
#include <QWheelEvent>

namespace quorvel {

PickList::PickList(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
    // A list takes the focus from Tab and clicks, not from a wheel turned over it on the way.
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
        nameLabel();
        if (!quiet_ && index >= 0) {
            emit picked();
        }
    });
}

template <typename Change>
void PickList::quietly(Change change)
{
    const bool wasQuiet = std::exchange(quiet_, true);
    const bool nothingPicked = currentIndex() < 0;
    change();
    // QComboBox picks the first item added to an empty list; these lists do not.
    if (nothingPicked) {
        setCurrentIndex(-1);
    }
    quiet_ = wasQuiet;
}

void PickList::clearItems()
{
    quietly([this] { clear(); });
}

void PickList::addItemText(const QString& text)
{
    quietly([this, &text] { addItem(text); });
}

void PickList::addItemTexts(const QStringList& texts)
{
    quietly([this, &texts] { addItems(texts); });
}

void PickList::insertItemText(int index, const QString& text)
{
    quietly([this, index, &text] { insertItem(index, text); });
}

void PickList::removeItemText(const QString& text)
{
    const int index = findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0 && index != currentIndex()) {
        quietly([this, index] { removeItem(index); });
    }
}

QStringList PickList::items() const
{
    QStringList list;
    list.reserve(count());
    for (int i = 0; i < count(); ++i) {
        list.append(itemText(i));
    }
    return list;
}

void PickList::setText(const QString& text)
{
    const int index = findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0) {
        setCurrentIndex(index);
    }
}

void PickList::setBackColors(ColorValue available, ColorValue unavailable)
{
    available_ = available;
    unavailable_ = unavailable;
    QPalette p = palette();
    for (const auto role : {QPalette::Button, QPalette::Base}) {
        for (const auto group : {QPalette::Active, QPalette::Inactive}) {
            p.setColor(group, role, colorFromValue(available));
        }
        p.setColor(QPalette::Disabled, role, colorFromValue(unavailable));
    }
    setPalette(p);
}

ColorValue PickList::backColor() const
{
    return isEnabled() ? available_ : unavailable_;
}

void PickList::setSpokenLabel(QLabel* label, const QString& name)
{
    spokenLabel_ = label;
    spokenName_ = name;
    label->setBuddy(this);
    nameLabel();
}

void PickList::nameLabel()
{
    const QString item = currentText();
    if (spokenLabel_ != nullptr) {
        spokenLabel_->setAccessibleName(item.isEmpty() ? spokenName_
                                                       : spokenName_ + QLatin1String(", ") + item);
    }
}

void PickList::showPopup()
{
    QAbstractItemView* list = view();
    QWidget* popup = list->parentWidget();
    const QMargins margins = popup->contentsMargins();
    // The item width from the list's own delegate counts any check column the style draws.
    const int width = list->sizeHintForColumn(0) + list->verticalScrollBar()->sizeHint().width() +
                      2 * list->frameWidth() + margins.left() + margins.right();
    popup->setMinimumWidth(width);
    QComboBox::showPopup();
}

void PickList::wheelEvent(QWheelEvent* event)
{
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QComboBox::wheelEvent(event);
}

void PickList::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    const bool wasTyping =
        std::exchange(typing_, !typed.isEmpty() && typed.front().isLetterOrNumber());
    QComboBox::keyPressEvent(event);
    typing_ = wasTyping;
}

} // namespace quorvel
