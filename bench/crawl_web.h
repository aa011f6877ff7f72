// What the crawl benchmarks share: one served page set for every crawl measured in a run, and
// the CPU clocks they read.
#pragma once

#include <ctime>

#include "sandbox/companyweb.h"

namespace marvessa::bench {

// The 2,000 pages of the crawl benchmarks, started on first use and served for the whole run.
inline const sandbox::CompanyWeb& CrawlBenchmarkServer() {
  static const sandbox::CompanyWeb web(sandbox::CrawlBenchmarkWeb());
  return web;
}

inline double CpuSeconds(clockid_t clock) {
  timespec t{};
  clock_gettime(clock, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

}  // namespace marvessa::bench
