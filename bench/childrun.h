#pragma once

// The parent side of the start-up measurement: starts this program as a start-up child and
// times it.

#include "startupchild.h"

#include <optional>
#include <string>

namespace quorvel::bench {

struct ChildRun {
    double startupMs = 0; // from just before the process is spawned to the shown signal
    double peakKiB = 0;   // the child's peak resident size
};

// Runs `program` as a start-up child of that kind; nothing when it fails to start, to
// signal or to exit cleanly.
std::optional<ChildRun> runChild(const std::string& program, WindowKind kind);

} // namespace quorvel::bench
