#pragma once

// The child side of the start-up measurement: a process that opens one window and says
// when it is first shown, then quits.

#include <string_view>

namespace quorvel::bench {

enum class WindowKind { Quorvel, Bare };

inline constexpr std::string_view childFlag = "--child";
inline constexpr std::string_view quorvelKindName = "quorvel";
inline constexpr std::string_view bareKindName = "bare";
// Written to standard output the moment the window's first frame is painted.
inline constexpr char shownSignal = 'S';

// Opens the window of that kind as the application would, writes shownSignal to standard
// output once its first frame is painted, and returns the exit code.
int runStartupChild(int argc, char* argv[], WindowKind kind);

} // namespace quorvel::bench
