#pragma once

// The parent side of the start-up measurement: starts a program with the first-frame probe
// preloaded and times it to its first painted frame.

#include <optional>
#include <string>

namespace quorvel::bench {

struct ChildRun {
    double startupMs = 0; // from just before the process is spawned to its first frame
    double cpuMs = 0;     // the child's user and system time, to its exit after that frame
    double peakKiB = 0;   // the child's peak resident size
};

// Runs `program` with the probe library `probe` preloaded; nothing when it fails to start, to
// signal or to exit cleanly.
std::optional<ChildRun> runChild(const std::string& program, const std::string& probe);

} // namespace quorvel::bench
