// Page scanner throughput over generated 100 KB pages, beside a baseline pass that only
// lower-cases the page and counts its "@" bytes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <random>

#include "search/uscanner.h"

namespace marvessa {
namespace {

constexpr std::size_t kPageSize = 100 * 1024;

// HTML with text paragraphs, about 40 addresses and about 400 links and images.
std::string GeneratePage() {
  std::mt19937 random(42);
  const char* words[] = {"Company", "products", "export", "quality", "the", "and", "service", "Factory",
                         "we", "supply", "garments", "price", "\xB7\xFE\xD7\xB0", "\xB3\xF6\xBF\xDA"};
  std::string page = "<html><head><meta charset=gbk><title>Example Trading Co., Ltd.</title></head><body>\r\n";
  int n = 0;
  while (page.size() < kPageSize) {
    const unsigned pick = random() % 100;
    if (pick < 4) {
      page += " Contact: sales" + std::to_string(n) + "@Example" + std::to_string(n % 7) + ".com.cn. ";
    } else if (pick < 30) {
      page += "<a href=\"/products/item" + std::to_string(n) + ".htm\" class=\"nav\">Item</a> ";
    } else if (pick < 40) {
      page += "<img src=\"images/p" + std::to_string(n) + ".jpg\" alt=\"\"> ";
    } else if (pick < 42) {
      page += "<a href='contact" + std::to_string(n) + ".asp#top'>About us</a> ";
    } else {
      page += "<p>";
      for (int w = 0; w < 12; ++w) page += std::string(words[random() % std::size(words)]) + " ";
      page += "</p>\r\n";
    }
    ++n;
  }
  RemoveLineBreaks(page);
  return page;
}

const std::string& Page() {
  static const std::string page = GeneratePage();
  return page;
}

void BM_ScanPage(benchmark::State& state) {
  const std::string& page = Page();
  const std::string pageLower = LowerAscii(page);
  const std::string url = "http://127.0.0.1/d1/index.htm";
  const std::atomic<bool> stop{false};
  Settings settings;
  settings.filterurl = false;
  settings.chache2number = 100000;
  long long reported = 0, queued = 0;
  for (auto _ : state) {
    state.PauseTiming();
    RunState run(settings);
    state.ResumeTiming();
    const PageScanner scanner({page, pageLower, url, -1, stop, "GB18030", run, settings,
                               [&](const std::string&, const std::string&, const std::string&) { ++reported; },
                               [&](const std::string& link) {
                                 run.AddLevel2(link);
                                 ++queued;
                               }});
    scanner.ScanEmails();
    scanner.ScanLinks(url, "href=");
    scanner.ScanLinks(url, "src=");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
  state.counters["addresses"] = static_cast<double>(reported) / state.iterations();
  state.counters["links"] = static_cast<double>(queued) / state.iterations();
}
BENCHMARK(BM_ScanPage);

void BM_BaselineLowerAndCountAt(benchmark::State& state) {
  const std::string& page = Page();
  for (auto _ : state) {
    const std::string lower = LowerAscii(page);
    benchmark::DoNotOptimize(std::count(lower.begin(), lower.end(), '@'));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_BaselineLowerAndCountAt);

}  // namespace
}  // namespace marvessa
