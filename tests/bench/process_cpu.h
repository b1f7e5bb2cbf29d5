#pragma once
// Process CPU time (user + system) in seconds, for the benchmarks that
// report how busy the program is while it waits or runs.
#include <sys/resource.h>

namespace trivolux::bench {

inline double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

}  // namespace trivolux::bench
