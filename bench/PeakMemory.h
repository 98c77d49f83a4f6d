#pragma once
// How much the resident memory grows at its peak while some work runs (Linux: the kernel's
// peak is reset first, /proc/self/clear_refs). Shows whether a save or a report holds a
// whole-file buffer.
#include <fstream>
#include <string>

namespace benchmem {

inline long statusKB(const char* key)
{
    std::ifstream in("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(key) + ":";
    while (std::getline(in, line))
        if (line.compare(0, prefix.size(), prefix) == 0)
            return std::stol(line.substr(prefix.size()));
    return -1;
}

template <class Work> double peakGrowthMB(Work&& work)
{
    std::ofstream("/proc/self/clear_refs") << "5";
    const long before = statusKB("VmRSS");
    work();
    return double(statusKB("VmHWM") - before) / 1024.0;
}

} // namespace benchmem
