#pragma once

// The flashes in real time: when each of the four toggles lands after the action that
// starts a flash, and whether the timer stops after the fourth.

#include <string>
#include <vector>

namespace quorvel {
class QuorvelForm;
}

namespace quorvel::bench {

inline constexpr int flashToggles = 4;
inline constexpr double flashIntervalMs = 100;
inline constexpr double flashToleranceMs = 15;

struct FlashTiming {
    std::string name;
    std::vector<double> lateMs; // toggle k's time after the action less k * 100 ms, every run
    int runs = 0;
    int runsWithFourToggles = 0;    // exactly four ticks, none after
    int runsStoppedAfterFourth = 0; // the timer neither enabled nor running after the fourth
};

// Starts each of the three flashes `repeats` times through the user's action and watches it
// run out in the event loop.
std::vector<FlashTiming> measureFlashes(QuorvelForm& form, int repeats);

} // namespace quorvel::bench
