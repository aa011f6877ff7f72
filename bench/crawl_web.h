// What the crawl benchmarks share: one served page set for every crawl measured in a run, the
// crawl of a crew of search workers over it, and the CPU clocks they read.
#pragma once

#include <ctime>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "base/uglobal.h"
#include "base/uuithread.h"
#include "results/uresults.h"
#include "sandbox/companyweb.h"
#include "sandbox/testca.h"
#include "search/urunstate.h"
#include "search/usrchthd.h"

namespace marvessa::bench {

// The pages of the crawl benchmarks (1,000 sites on 1,000 loopback hosts), over http or https,
// compressed when the client accepts it or sent as they are; each set is started on first use
// and served for the whole run.
inline const sandbox::CompanyWeb& CrawlBenchmarkServer(bool https, bool compress) {
  // Neither the workers nor the plain clients check the certificates of crawled pages, so one
  // certificate of a site's usual size serves every host: one that named all thousand hosts
  // would have both sides spend most of each handshake decoding its names.
  static const sandbox::TestCa ca;
  static std::mutex mutex;
  static std::unique_ptr<sandbox::CompanyWeb> webs[2][2];  // [https][compress]; go before the CA
  std::lock_guard lock(mutex);
  auto& web = webs[https][compress];
  if (!web) {
    sandbox::CompanyWebOptions options = sandbox::CrawlBenchmarkWeb(https ? &ca : nullptr);
    options.compress = compress;
    web = std::make_unique<sandbox::CompanyWeb>(options);
  }
  return *web;
}

inline double CpuSeconds(clockid_t clock) {
  timespec t{};
  clock_gettime(clock, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

struct WorkerCrawl {
  int pages = 0;
  int addresses = 0;
};

// The crawl phase of a run over urls (as level-1 URLs) with a crew of workers, served by the
// calling thread as the UI thread. Links are not followed and robots.txt is not read, so that
// the crawl makes the same requests as a plain client; atDone runs when the last worker has
// ended, before the crew is freed.
template <typename AtDone>
WorkerCrawl CrawlWithWorkers(const std::vector<std::string>& urls, int workers, AtDone atDone) {
  Settings settings;
  settings.chache2number = 0;
  settings.robots = false;
  RunState run(settings);
  for (const auto& url : urls) run.AddLevel1(url, "");
  ResultList results;
  TaskQueueUiThread ui;
  int running = workers;
  std::vector<std::unique_ptr<Tsrchthd>> crew;
  for (int slot = 1; slot <= workers; ++slot)
    crew.push_back(std::make_unique<Tsrchthd>(WorkerContext{settings, run, results, ui}, slot, false,
                                              [&running](int) { --running; }));
  while (running > 0) ui.WaitForEvents(10);
  atDone();
  crew.clear();
  return {run.PagesFetched(), results.Count()};
}

}  // namespace marvessa::bench
