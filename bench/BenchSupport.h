// Helpers shared by the benchmark programs.
#pragma once

#include <algorithm>
#include <vector>

// The p-th percentile (0..1) of frame times, nearest rank; 0 for no samples.
inline double Percentile(std::vector<double> v, double p)
{
    if (v.empty()) return 0.0;
    size_t i = static_cast<size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
    std::nth_element(v.begin(), v.begin() + static_cast<long>(i), v.end());
    return v[i];
}
