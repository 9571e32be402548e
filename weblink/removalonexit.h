#pragma once

#include <QString>

namespace quorvel {

/// Removes a file if the program ends while this guard lives: through exit(), which Qt's X11
/// platform calls when the display connection is lost, or on SIGTERM, SIGINT or SIGHUP, after
/// which the signal takes its former course; a signal the program ignores stays ignored. It
/// may be made before the file exists, so that the file is never without a guard. Destroying
/// the guard leaves the file to its owner. One file at a time: a second guard made while one
/// lives guards nothing.
class RemovalOnExit {
public:
    explicit RemovalOnExit(const QString& path);
    ~RemovalOnExit();

    RemovalOnExit(const RemovalOnExit&) = delete;
    RemovalOnExit& operator=(const RemovalOnExit&) = delete;

private:
    bool armed_ = false;
};

} // namespace quorvel
