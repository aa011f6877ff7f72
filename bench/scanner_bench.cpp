// Page scanner throughput, beside a baseline pass that only lower-cases the page and counts its
// "@" bytes. The realistic pages are 100 KB runs of the corpus pages; the untitled pages are
// address directories without a <title>, whose scan time must grow linearly with their size.
// Each scan is made as the worker makes it: with one link filter for all pages, after the page's
// charset is known.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <optional>
#include <random>
#include <vector>

#include "net/ucharset.h"
#include "sandbox/corpus.h"
#include "search/ulinkfilter.h"
#include "search/uscanner.h"

namespace marvessa {
namespace {

constexpr std::size_t kRealisticPageSize = 100 * 1024;

struct Page {
  std::string text;
  std::string charset;  // PageCharset of the page
};

// Corpus pages one after the other, from the page first on, up to the size: a long page of
// ordinary markup, scripts and a few dozen addresses.
Page CorpusRun(std::size_t first, std::size_t size) {
  const auto& corpus = sandbox::AddressCorpus();
  std::string page;
  for (std::size_t i = first; page.size() < size; ++i) page += corpus[i % corpus.size()].html;
  page.resize(size);
  RemoveLineBreaks(page);
  return {page, PageCharset("", page)};
}

// One 100 KB page starting at each corpus page.
const std::vector<Page>& RealisticPages() {
  static const std::vector<Page> pages = [] {
    std::vector<Page> run;
    for (std::size_t i = 0; i < sandbox::AddressCorpus().size(); ++i) run.push_back(CorpusRun(i, kRealisticPageSize));
    return run;
  }();
  return pages;
}

// The page the benchmark used before the corpus: text paragraphs, about 40 addresses and about
// 400 links and images, for comparison with earlier figures.
Page GeneratedPage() {
  std::mt19937 random(42);
  const char* words[] = {"Company", "products", "export", "quality", "the", "and", "service", "Factory",
                         "we", "supply", "garments", "price", "\xB7\xFE\xD7\xB0", "\xB3\xF6\xBF\xDA"};
  std::string page = "<html><head><meta charset=gbk><title>Example Trading Co., Ltd.</title></head><body>\r\n";
  for (int n = 0; page.size() < kRealisticPageSize; ++n) {
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
  }
  RemoveLineBreaks(page);
  return {page, "GB18030"};
}

// A staff directory without a title: rows of names, roles and addresses, of as many people as
// the rows or of the given number of people, listed again and again.
Page UntitledDirectory(std::size_t size, int people = 0) {
  std::string page = "<html><head><meta charset=utf-8></head><body><table>";
  for (int n = 0; page.size() < size; ++n) {
    const std::string id = std::to_string(people > 0 ? n % people : n);
    page += "<tr><td>Staff member " + id + "</td><td>Sales, region " + std::to_string(n % 40) +
            "</td><td><a href=\"mailto:staff" + id + "@directory-example-trade.com\">staff" + id +
            "@directory-example-trade.com</a></td></tr>";
  }
  return {page + "</table></body></html>", "UTF-8"};
}

std::size_t TotalBytes(const std::vector<Page>& pages) {
  std::size_t bytes = 0;
  for (const Page& page : pages) bytes += page.text.size();
  return bytes;
}

enum Scan { kEmails = 1, kLinks = 2, kContactLinksOnly = 4 };

// Scans every page once per iteration with a fresh run state, as a run's first pages are. The
// level-2 list has room for every link; without kContactLinksOnly the link filter follows every
// link (filterurl off), with it only those that name a contact page, as by default.
void ScanPages(benchmark::State& state, const std::vector<Page>& pages, int scans) {
  const std::string url = "http://127.0.0.1/d1/index.htm";
  const std::atomic<bool> stop{false};
  Settings settings;
  settings.filterurl = (scans & kContactLinksOnly) != 0;
  settings.chache2number = 1000000;
  const LinkFilter filter(settings);
  long long reported = 0, queued = 0;
  std::optional<RunState> run;
  for (auto _ : state) {
    state.PauseTiming();
    run.reset();
    run.emplace(settings);
    state.ResumeTiming();
    for (const Page& page : pages) {
      const PageScanner scanner({page.text, url, -1, stop, page.charset, *run, settings,
                                 [&](const std::string&, const std::string&, const std::string&) { ++reported; },
                                 [&](const std::string& link) {
                                   run->AddLevel2(link);
                                   ++queued;
                                 },
                                 &filter});
      if ((scans & (kEmails | kLinks)) == (kEmails | kLinks)) {
        scanner.ScanPage(url);
        continue;
      }
      if (scans & kEmails) scanner.ScanEmails();
      if (scans & kLinks) scanner.ScanLinks(url);
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * TotalBytes(pages)));
  state.counters["addresses"] = static_cast<double>(reported) / static_cast<double>(state.iterations());
  state.counters["links"] = static_cast<double>(queued) / static_cast<double>(state.iterations());
}

void BM_ScanRealisticPages(benchmark::State& state) { ScanPages(state, RealisticPages(), kEmails | kLinks); }
BENCHMARK(BM_ScanRealisticPages)->Unit(benchmark::kMillisecond);

void BM_ScanContactLinksRealisticPages(benchmark::State& state) {
  ScanPages(state, RealisticPages(), kEmails | kLinks | kContactLinksOnly);
}
BENCHMARK(BM_ScanContactLinksRealisticPages)->Unit(benchmark::kMillisecond);

void BM_ScanEmailsRealisticPages(benchmark::State& state) { ScanPages(state, RealisticPages(), kEmails); }
BENCHMARK(BM_ScanEmailsRealisticPages)->Unit(benchmark::kMillisecond);

void BM_ScanLinksRealisticPages(benchmark::State& state) { ScanPages(state, RealisticPages(), kLinks); }
BENCHMARK(BM_ScanLinksRealisticPages)->Unit(benchmark::kMillisecond);

void BaselineLowerAndCountAt(benchmark::State& state, const std::vector<Page>& pages) {
  for (auto _ : state) {
    for (const Page& page : pages) {
      const std::string lower = LowerAscii(page.text);
      benchmark::DoNotOptimize(std::count(lower.begin(), lower.end(), '@'));
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * TotalBytes(pages)));
}

void BM_BaselineLowerAndCountAt(benchmark::State& state) { BaselineLowerAndCountAt(state, RealisticPages()); }
BENCHMARK(BM_BaselineLowerAndCountAt)->Unit(benchmark::kMillisecond);

const std::vector<Page>& GeneratedPages() {
  static const std::vector<Page> pages = {GeneratedPage()};
  return pages;
}

void BM_ScanGeneratedPage(benchmark::State& state) { ScanPages(state, GeneratedPages(), kEmails | kLinks); }
BENCHMARK(BM_ScanGeneratedPage);

void BM_BaselineGeneratedPage(benchmark::State& state) { BaselineLowerAndCountAt(state, GeneratedPages()); }
BENCHMARK(BM_BaselineGeneratedPage);

// Time per byte must stay the same from 1 MB to 8 MB. The page of a thousand people repeated
// does the same reading with the same per-page tables (candidates, seen addresses) as 1 MB has:
// it tells the cost of reading the page from that of tables that outgrow the processor's caches.
void BM_ScanEmailsUntitledPage(benchmark::State& state) {
  const std::vector<Page> pages = {UntitledDirectory(static_cast<std::size_t>(state.range(0)) << 20)};
  ScanPages(state, pages, kEmails);
}
BENCHMARK(BM_ScanEmailsUntitledPage)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Arg(16)->Unit(benchmark::kMillisecond);

void BM_ScanEmailsUntitledPageOfFewPeople(benchmark::State& state) {
  const std::vector<Page> pages = {UntitledDirectory(static_cast<std::size_t>(state.range(0)) << 20, 1000)};
  ScanPages(state, pages, kEmails);
}
BENCHMARK(BM_ScanEmailsUntitledPageOfFewPeople)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Arg(16)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace marvessa
