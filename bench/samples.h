#pragma once

// Order statistics of timing and memory samples.

#include <vector>

namespace quorvel::bench {

// The value below which `fraction` (0 to 1) of the samples lie, by the nearest rank; 0 for
// no samples.
double percentile(std::vector<double> samples, double fraction);

inline double median(const std::vector<double>& samples)
{
    return percentile(samples, 0.5);
}

} // namespace quorvel::bench
