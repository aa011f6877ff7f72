// The page scanner: finds the e-mail addresses and the links on a fetched page, and the
// marker-search and cutting functions the worker uses on engine result pages.
//
// For the worker: remove the page's line breaks with RemoveLineBreaks, fill a ScanContext with
// the page and the rest of the crawl step, and call PageScanner(context).ScanPage(finalUrl).
// The context holds references: what it refers to must outlive the scanner. Positions are
// 1-based as in the worker's own cutting steps; 0 means "not found".
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/uglobal.h"
#include "search/urunstate.h"

namespace marvessa {

class LinkFilter;
class LinkResolver;

// A cut URL ends before the first occurrence of each of these, taken in this order.
inline constexpr std::string_view UrlCutChars = " <>;#";
// Plain text, not a list of extensions: a link is rejected when its last four characters occur
// anywhere in it.
inline constexpr std::string_view LinkEndings = ".gif.ico.css.jpg.bmp.swf.ram.mp3.avi.zip.rar.mpg.exe.xlsjpegmpeg.txt";
inline constexpr std::size_t kLinkWindow = 256;
inline constexpr std::size_t kLongestUrl = 256;
inline constexpr std::size_t kTitleWindow = 256;

// --- Text functions ---

// The first 1-based position at or after start where marker occurs in text, ignoring ASCII
// case; 0 when there is none or either is empty.
std::size_t FindFrom(std::string_view marker, std::string_view text, std::size_t start);
// The trimmed text strictly between the first a and the first b after it (case ignored); text
// then loses everything before that b. Empty, and text unchanged, when either is missing.
std::string CutBetween(std::string& text, std::string_view a, std::string_view b);
// Trimmed, without quote characters, cut before the first of UrlCutChars; empty when longer
// than kLongestUrl.
std::string CleanUrl(std::string_view text);
// Deletes every open..close piece (single characters), or a lone open without a close after it.
void StripBetween(std::string& text, char open, char close);
// The same, with the kept text appended to out.
void AppendStripped(std::string_view text, char open, char close, std::string& out);
// Whether a cut link is to be followed, judged by its URL alone (LinkFilter).
bool IsWantedLink(std::string_view link, const Settings& settings);
// With filtertitle on: whether some term of the run's keyword line occurs in the title.
bool TitleMatchesKeywords(std::string_view title, const RunState& run, const Settings& settings);
// Deletes every LF and CR, as the worker does right after a fetch.
void RemoveLineBreaks(std::string& page);

// --- Scanning one page for the worker ---

struct ScanContext {
  const std::string& page;        // line breaks removed, letter case as fetched
  const std::string& currentUrl;  // reported with every address
  int titleIndex;                 // age index of the level-1 URL being crawled; -1 for level 2
  const std::atomic<bool>& stopRequested;
  std::string pageCharset;  // PageCharset of the response: titles cut from the page become core text
  RunState& run;
  const Settings& settings;
  // The synchronous hand-overs to the UI thread.
  std::function<void(const std::string& email, const std::string& url, const std::string& title)> addResult;
  std::function<void(const std::string& url)> addLevel2;
  // The worker's link filter; without one ScanLinks makes its own from the settings.
  const LinkFilter* linkFilter = nullptr;
};

class PageScanner {
 public:
  explicit PageScanner(ScanContext context) : c_(std::move(context)) {}

  // Reports every address of the page (FindAddresses with the run's address rules) not seen
  // before in the run, with the page's title, worked out once.
  void ScanEmails() const;
  // Queues every wanted link after "href=", then every one after "src=" (letter case ignored),
  // resolved against base.
  void ScanLinks(std::string_view base) const;
  // The scan of a page as a run makes it: its addresses, then, while the level-2 list has room,
  // its links after "href=" and after "src=".
  void ScanPage(std::string_view base) const;

  // The worker's forms, which give nothing once stopRequested is set: FindFrom over the page,
  // and CleanUrl.
  std::size_t FindFrom(std::string_view marker, std::size_t start) const;
  std::string CleanUrl(std::string_view text) const;

 private:
  std::string_view AnchorText(std::size_t hrefPosition, std::string& buffer) const;
  void ScanLinksAfter(const std::vector<std::size_t>& markers, std::size_t markerSize, bool anchors,
                      const LinkFilter& filter, const LinkResolver& resolver) const;
  bool Stopped() const { return c_.stopRequested.load(std::memory_order_relaxed); }
  std::string ResultTitle() const;

  ScanContext c_;
};

}  // namespace marvessa
