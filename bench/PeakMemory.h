#pragma once
// How much the resident memory grows at its peak while some work runs: the work runs once
// more in a forked copy of the benchmark, whose own peak the kernel reports (Linux). Shows
// whether a save or a report holds a whole-file buffer.
#include <cstdio>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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
    int fds[2];
    if (pipe(fds) != 0)
        return -1;
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        const long before = statusKB("VmRSS");
        work();
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        const double grown = double(usage.ru_maxrss - before) / 1024.0;
        [[maybe_unused]] const auto written = write(fds[1], &grown, sizeof grown);
        _exit(0);
    }
    close(fds[1]);
    double grown = -1;
    if (pid < 0 || read(fds[0], &grown, sizeof grown) != sizeof grown)
        grown = -1;
    close(fds[0]);
    if (pid > 0)
        waitpid(pid, nullptr, 0);
    return grown;
}

} // namespace benchmem
