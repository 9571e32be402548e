#pragma once

#include <QWidget>

namespace quorvel {

// Speaks short messages to screen readers without taking the focus: an empty widget that
// presents itself as a notification and comes into view with the message as its name,
// which screen readers speak wherever the focus is. Nothing of it is seen.
//
// The window tells it what happened. What happens during one handling (an item picked, results
// withdrawn, the restart) is gathered and spoken in one message once the handling has run, as
// several handlings may take part in one change.
class Announcer : public QWidget {
    Q_OBJECT

public:
    enum class Result { Edd, Gestation };

    explicit Announcer(QWidget* parent = nullptr);

    // The item just picked in the focused list.
    void picked(const QString& item);
    // A result shown until now has been withdrawn.
    void withdrawn(Result result);
    // The restart has cleared every input and result.
    void restarted();
    // Said at once, before the focus moves on.
    void confirm(const QString& message);

private:
    void schedule();
    void speakGathered();
    void say(const QString& message);

    bool scheduled_ = false;
    bool eddWithdrawn_ = false;
    bool gestationWithdrawn_ = false;
    bool restarted_ = false;
    QString pickedItem_;
};

} // namespace quorvel
