#pragma once

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLatin1String>

namespace quorvel {

// What screen readers are told of a widget of the window's own class, when Qt's default for its
// base class would mislead them: Widget is presented through Accessible, a QAccessibleWidget
// made from the widget. Called from Widget's constructor; Qt asks the factory for each new
// widget, and it is installed once.
template <typename Widget, typename Accessible>
void presentAccessibly()
{
    static const bool installed = [] {
        QAccessible::installFactory(
            [](const QString& className, QObject* object) -> QAccessibleInterface* {
                if (className == QLatin1String(Widget::staticMetaObject.className()) &&
                    object->isWidgetType()) {
                    return new Accessible(static_cast<QWidget*>(object));
                }
                return nullptr;
            });
        return true;
    }();
    Q_UNUSED(installed);
}

// A widget screen readers speak as it comes into view, wherever the focus is.
class AccessibleNotification : public QAccessibleWidget {
public:
    explicit AccessibleNotification(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::Notification)
    {
    }
};

} // namespace quorvel
