// Both scans over arbitrary bytes as a page; the first byte picks the switches. Every reported
// address must pass the address rules. .ci/run gives this target pages of up to 1 MiB and a
// time limit per page, so that a scan whose time grows faster than the page fails.
#include <atomic>
#include <cstdint>
#include <iterator>

#include "net/uurl.h"
#include "search/uscanner.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace marvessa;
  if (size == 0) return 0;
  Settings settings;
  settings.filterurl = (data[0] & 1) != 0;
  settings.filtertitle = (data[0] & 2) != 0;
  settings.chache2number = data[0] >> 2;
  const char* const charsets[] = {"GB18030", "UTF-8", "BIG5-HKSCS", "CP932", "CP1251"};
  const std::string charset = charsets[(data[0] >> 4) % std::size(charsets)];
  RunState run(settings);
  run.AddLevel1("http://127.0.0.1/", (data[0] & 64) ? "<b>t</b>&amp;" : "");
  run.SetKeywordTerms({"a", "\xB7\xFE"});
  std::string page(reinterpret_cast<const char*>(data + 1), size - 1);
  RemoveLineBreaks(page);
  const std::string url = "http://127.0.0.1:8080/d1/p.htm";
  const std::atomic<bool> stop{false};
  int reported = 0, queued = 0;
  const PageScanner scanner({page, url, (data[0] & 32) ? 0 : -1, stop, charset, run, settings,
                             [&](const std::string& email, const std::string&, const std::string&) {
                               if (BuiltinAddressRules()->Judge(email) != AddressFault::kNone) __builtin_trap();
                               ++reported;
                             },
                             [&](const std::string& link) {
                               if (!IsHttpScheme(UrlScheme(link)) || !run.AddLevel2(link)) __builtin_trap();
                               ++queued;
                             }});
  scanner.ScanPage(url);
  if (reported != run.Seen().Count() || queued != run.Level2Count()) __builtin_trap();
  return 0;
}
