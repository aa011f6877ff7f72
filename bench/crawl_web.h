// What the crawl benchmarks share: one served page set for every crawl measured in a run, and
// the CPU clocks they read.
#pragma once

#include <ctime>

#include "sandbox/companyweb.h"
#include "sandbox/testca.h"

namespace marvessa::bench {

// The pages of the crawl benchmarks (1,000 sites on 1,000 loopback hosts), over http or https,
// each started on first use and served for the whole run.
inline const sandbox::CompanyWeb& CrawlBenchmarkServer(bool https = false) {
  if (!https) {
    static const sandbox::CompanyWeb web(sandbox::CrawlBenchmarkWeb());
    return web;
  }
  static const sandbox::TestCa ca(sandbox::CrawlBenchmarkHosts());
  static const sandbox::CompanyWeb web(sandbox::CrawlBenchmarkWeb(&ca));
  return web;
}

inline double CpuSeconds(clockid_t clock) {
  timespec t{};
  clock_gettime(clock, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

}  // namespace marvessa::bench
