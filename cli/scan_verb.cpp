#include <atomic>

#include "base/ufileio.h"
#include "base/uglobal.h"
#include "cli/verbs.h"
#include "net/ucharset.h"
#include "search/uaddressfinder.h"
#include "search/ukeywords.h"
#include "search/urunstate.h"
#include "search/uscanner.h"

namespace marvessa::cli {

namespace {

constexpr const char* kScanUsage = "scan --url URL [--title TEXT] [--keyword LINE] [--junk] FILE";

}  // namespace

int ScanVerb(Args& args) {
  const auto url = args.Take("--url");
  const auto title = args.Take("--title");
  const auto keyword = args.Take("--keyword");
  const bool junk = args.TakeFlag("--junk");
  const auto words = args.Rest(1, kScanUsage);
  if (!url) throw UsageError{std::string("scan needs --url\nusage: ") + kScanUsage};
  std::string page = ReadRequiredFile(words[0]);

  LinuxFolders folders;
  Settings settings;
  LoadSettings(settings, IniPath(folders));
  RunState run(settings);
  run.SetAddressRules(LoadAddressRules(folders));
  const std::string pageUrl = ArgToGbk(*url);
  int titleIndex = -1;
  if (title) {
    run.AddLevel1(pageUrl, ArgToGbk(*title));
    titleIndex = 0;
  }
  if (keyword) run.SetKeywordTerms(ParseKeywordTerms(ArgToGbk(*keyword)));

  RemoveLineBreaks(page);
  const std::atomic<bool> stop{false};
  const std::string charset = PageCharset({}, page);
  const PageScanner scanner({page, pageUrl, titleIndex, stop, charset, run, settings,
                             [](const std::string& email, const std::string&, const std::string& pageTitle) {
                               PrintFields({"email", email, pageTitle});
                             },
                             [&run](const std::string& link) {
                               if (run.AddLevel2(link)) PrintFields({"link", link});
                             }});
  scanner.ScanPage(pageUrl);
  if (junk) {
    // What was passed over, and why: for checking the address rules on a saved page.
    FindAddresses(page, PageBytesOf(charset), *run.AddressRulesInUse(), [](std::string_view address, AddressFault fault) {
      if (fault != AddressFault::kNone) PrintFields({"junk", std::string(address), std::string(AddressFaultName(fault))});
      return true;
    });
  }
  return 0;
}

}  // namespace marvessa::cli
