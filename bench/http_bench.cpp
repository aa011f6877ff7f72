// Crawl floor: the 5,000 pages of the loopback company web (1,000 hosts) fetched with plain
// libcurl, one easy handle per thread and a fresh connection per page (as the crawl phase does),
// at concurrency 1, 12 and 48, over http and https, with pages sent compressed or as they are. The
// workers' crawl (BM_CrawlWorkers) is measured beside it on the same page set.
#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <atomic>
#include <ctime>
#include <string>
#include <thread>
#include <vector>

#include "base/uglobal.h"
#include "bench/crawl_web.h"
#include "net/uhttp.h"

namespace marvessa {
namespace {

using bench::CpuSeconds;

std::size_t Keep(char* bytes, std::size_t size, std::size_t count, void* page) {
  static_cast<std::string*>(page)->append(bytes, size * count);
  return size * count;
}

struct Share {
  double cpuSeconds = 0;
  std::size_t failures = 0;
};

// Fetches URLs from the shared cursor until none is left; the page bodies are kept whole, as
// the crawler keeps them.
void FetchShare(const std::vector<std::string>& urls, std::atomic<std::size_t>& cursor, Share& share) {
  const double start = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
  CURL* curl = curl_easy_init();
  curl_slist* headers = curl_slist_append(nullptr, (std::string("Accept: ") + kHttpAccept).c_str());
  std::string page;
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
  curl_easy_setopt(curl, CURLOPT_USERAGENT, kBrowserUserAgent);
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(curl, CURLOPT_BUFFERSIZE, kHttpReceiveBufferBytes);
  curl_easy_setopt(curl, CURLOPT_PROXY, "");
  curl_easy_setopt(curl, CURLOPT_FRESH_CONNECT, 1L);
  curl_easy_setopt(curl, CURLOPT_FORBID_REUSE, 1L);
  // The same Accept-Encoding as the workers', so that the server does the same work for both.
  curl_easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, kHttpAcceptEncoding);
  curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 0L);  // as crawled pages are fetched
  curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 0L);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Keep);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &page);
  for (std::size_t i = cursor++; i < urls.size(); i = cursor++) {
    page.clear();
    curl_easy_setopt(curl, CURLOPT_URL, urls[i].c_str());
    long status = 0;
    const bool fetched = curl_easy_perform(curl) == CURLE_OK &&
                         curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status) == CURLE_OK && status == 200;
    if (!fetched || page.empty()) ++share.failures;
  }
  curl_slist_free_all(headers);
  curl_easy_cleanup(curl);
  share.cpuSeconds = CpuSeconds(CLOCK_THREAD_CPUTIME_ID) - start;
}

void BM_CrawlPlainCurl(benchmark::State& state) {
  const int concurrency = static_cast<int>(state.range(0));
  const std::vector<std::string> urls = bench::CrawlBenchmarkServer(state.range(1) != 0, state.range(2) != 0).PageUrls();
  curl_global_init(CURL_GLOBAL_DEFAULT);
  double clientCpu = 0;
  double processCpu = 0;
  std::size_t pages = 0;
  std::size_t failures = 0;
  for (auto _ : state) {
    std::atomic<std::size_t> cursor{0};
    std::vector<Share> shares(static_cast<std::size_t>(concurrency));
    std::vector<std::thread> threads;
    const double processStart = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
    for (auto& share : shares) threads.emplace_back(FetchShare, std::cref(urls), std::ref(cursor), std::ref(share));
    for (auto& thread : threads) thread.join();
    processCpu += CpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - processStart;
    for (const auto& share : shares) {
      clientCpu += share.cpuSeconds;
      failures += share.failures;
    }
    pages += urls.size();
  }
  state.counters["pages_per_s"] = benchmark::Counter(static_cast<double>(pages), benchmark::Counter::kIsRate);
  // The client threads alone, and the whole process (client and the in-process test web).
  state.counters["client_cpu_s_per_1k_pages"] = clientCpu / static_cast<double>(pages) * 1000;
  state.counters["process_cpu_s_per_1k_pages"] = processCpu / static_cast<double>(pages) * 1000;
  state.counters["failures"] = static_cast<double>(failures);
}

BENCHMARK(BM_CrawlPlainCurl)
    ->ArgNames({"concurrency", "https", "compress"})
    ->ArgsProduct({{1, 12, 48}, {0, 1}, {0, 1}})
    ->Iterations(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace marvessa
