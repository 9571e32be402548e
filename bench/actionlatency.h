#pragma once

// The time of each user action, from its event to the last nested handling done, and to the
// window repainted after it.

#include <string>
#include <vector>

namespace quorvel {
class QuorvelForm;
}

namespace quorvel::bench {

struct ActionTiming {
    std::string name;
    std::vector<double> handlingUs; // event sent to handling returned, microseconds
    std::vector<double> paintedUs;  // event sent to the posted layout and paint done
};

// Runs each action `repeats` times on a shown window; every run is checked to have done
// what the action does, and a run that did not stops the benchmark with a message.
std::vector<ActionTiming> measureActions(QuorvelForm& form, int repeats);

} // namespace quorvel::bench
