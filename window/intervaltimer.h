#pragma once

#include <QObject>
#include <QTimer>

namespace quorvel {

// A timer with separate Enabled and Interval, as the flashes use them: it ticks every
// interval while enabled, and an interval of 0 means it never ticks. Enabling it (again)
// starts the interval afresh.
class IntervalTimer : public QObject {
    Q_OBJECT

public:
    explicit IntervalTimer(QObject* parent = nullptr);

    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled);
    int interval() const { return interval_; }
    void setInterval(int milliseconds);
    // Whether ticks are actually being scheduled.
    bool isRunning() const { return timer_.isActive(); }

signals:
    void tick();

private:
    void apply();

    QTimer timer_;
    bool enabled_ = true;
    int interval_ = 0;
};

} // namespace quorvel
