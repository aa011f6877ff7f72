#include "search/uscanner.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <exception>
#include <memory>
#include <optional>

#include "base/uchunk.h"
#include "base/utext.h"
#include "net/ucharset.h"
#include "net/uurl.h"
#include "search/uaddressfinder.h"
#include "search/ulinkfilter.h"

namespace marvessa {

namespace {

// Membership of a byte in chars.
constexpr std::array<bool, 256> MakeCharTable(std::string_view chars) {
  std::array<bool, 256> table{};
  for (char c : chars) table[static_cast<unsigned char>(c)] = true;
  return table;
}
constexpr std::array<bool, 256> kUrlCutChar = MakeCharTable(UrlCutChars);

bool IsUrlCutChar(char c) { return kUrlCutChar[static_cast<unsigned char>(c)]; }

// Runs a hand-over; one that fails is passed over so that the scan goes on.
template <typename F>
void HandOver(F&& call) {
  try {
    call();
  } catch (const std::exception&) {
  }
}

}  // namespace

std::size_t FindFrom(std::string_view marker, std::string_view text, std::size_t start) {
  if (marker.empty() || text.empty()) return 0;
  if (start < 1) start = 1;
  const std::size_t p = FindNoCase(text, marker, start - 1);
  return p == std::string_view::npos ? 0 : p + 1;
}

std::string CutBetween(std::string& text, std::string_view a, std::string_view b) {
  const std::size_t i = FindFrom(a, text, 1);
  if (i == 0) return {};
  const std::size_t from = i + a.size();
  const std::size_t j = FindFrom(b, text, from);
  if (j == 0) return {};
  std::string piece = Trim(std::string_view(text).substr(from - 1, j - from));
  text.erase(0, j - 1);
  return piece;
}

namespace {

bool IsQuote(char c) { return c == '"' || c == '\''; }

struct UrlSpan {
  std::size_t end;     // before the first of UrlCutChars, or the text's end
  std::size_t quotes;  // before end
};

// Where the URL in trimmed text ends, and how many quotes stand in it: sixteen bytes at a time
// while the text lasts. Cutting before the first occurrence of each cut character in turn ends
// the URL at the earliest of them.
UrlSpan FindUrlSpan(std::string_view text) {
  using namespace chunk;
  UrlSpan span{0, 0};
  for (; span.end + kSize <= text.size(); span.end += kSize) {
    const Chunk x = Load(text.data() + span.end);
    const Hits cuts(Equal(x, Splat(' ')) | Equal(x, Splat('<')) | Equal(x, Splat('>')) | Equal(x, Splat(';')) |
                    Equal(x, Splat('#')));
    const Hits quotes(Equal(x, Splat('"')) | Equal(x, Splat('\'')));
    // Counted one by one: quotes are few, and a processor without a population count makes
    // std::popcount a library call.
    const std::uint32_t before = cuts.Any() ? (1u << cuts.First()) - 1 : ~0u;
    for (std::uint32_t q = quotes.mask & before; q != 0; q &= q - 1) ++span.quotes;
    if (cuts.Any()) {
      span.end += cuts.First();
      return span;
    }
  }
  for (; span.end < text.size() && !IsUrlCutChar(text[span.end]); ++span.end) span.quotes += IsQuote(text[span.end]);
  return span;
}

// CleanUrl as a piece of text when quotes stand only at the URL's ends, as they mostly do; else
// as a copy in buffer, whose memory serves link after link.
std::string_view CutUrl(std::string_view text, std::string& buffer) {
  text = TrimView(text);
  const UrlSpan span = FindUrlSpan(text);
  std::string_view url = text.substr(0, span.end);
  std::size_t outerQuotes = 0;
  for (; !url.empty() && IsQuote(url.front()); ++outerQuotes) url.remove_prefix(1);
  for (; !url.empty() && IsQuote(url.back()); ++outerQuotes) url.remove_suffix(1);
  if (outerQuotes < span.quotes) {
    // Every byte is written and only those not quotes kept: no branch on the bytes.
    buffer.resize(url.size());
    std::size_t kept = 0;
    for (const char c : url) {
      buffer[kept] = c;
      kept += !IsQuote(c);
    }
    buffer.resize(kept);
    url = buffer;
  }
  return url.size() > kLongestUrl ? std::string_view() : url;
}

}  // namespace

std::string CleanUrl(std::string_view text) {
  std::string buffer;
  return std::string(CutUrl(text, buffer));
}

void AppendStripped(std::string_view text, char open, char close, std::string& out) {
  // The text before the first open holds no open, so each search goes on from there; once no
  // close follows an open, none follows any later one either.
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t o = text.find(open, i);
    out.append(text.substr(i, o - i));
    if (o == std::string_view::npos) return;
    const std::size_t c = text.find(close, o + 1);
    if (c == std::string_view::npos) {
      for (const char ch : text.substr(o + 1))
        if (ch != open) out += ch;
      return;
    }
    i = c + 1;
  }
}

void StripBetween(std::string& text, char open, char close) {
  std::string kept;
  kept.reserve(text.size());
  AppendStripped(text, open, close, kept);
  text = std::move(kept);
}

bool IsWantedLink(std::string_view link, const Settings& settings) { return LinkFilter(settings).Wanted(link); }

bool TitleMatchesKeywords(std::string_view title, const RunState& run, const Settings& settings) {
  if (!settings.filtertitle) return true;
  const std::string lower = LowerAscii(title);
  for (const std::string& term : *run.KeywordTerms())
    if (Pos(term, lower) > 0) return true;
  return false;
}

void RemoveLineBreaks(std::string& page) { RemoveChars(page, "\n\r"); }

std::size_t PageScanner::FindFrom(std::string_view marker, std::size_t start) const {
  return Stopped() ? 0 : marvessa::FindFrom(marker, c_.page, start);
}

std::string PageScanner::CleanUrl(std::string_view text) const { return Stopped() ? std::string() : marvessa::CleanUrl(text); }

std::string PageScanner::ResultTitle() const {
  std::string title = c_.run.Level1Title(c_.titleIndex);
  if (title.empty()) {
    const std::size_t i = FindNoCase(c_.page, "<title>");
    std::string window = c_.page.substr(i == std::string::npos ? 0 : i, kTitleWindow);
    title = CutBetween(window, "<title>", "</title>");
    title = ToCoreText(title, c_.pageCharset);
  }
  StripBetween(title, '<', '>');
  StripBetween(title, '&', ';');
  if (!TitleMatchesKeywords(title, c_.run, c_.settings)) title.clear();
  return title;
}

void PageScanner::ScanEmails() const {
  if (c_.page.empty()) return;
  const std::shared_ptr<const AddressRules> rules = c_.run.AddressRulesInUse();
  std::optional<std::string> title;
  FindAddresses(c_.page, PageBytesOf(c_.pageCharset), *rules, [&](std::string_view address, AddressFault fault) {
    if (Stopped()) return false;
    if (fault != AddressFault::kNone) return true;
    if (c_.run.RememberEmail(address)) {
      if (!title) title = ResultTitle();
      const std::string email(address);
      HandOver([&] { c_.addResult(email, c_.currentUrl, *title); });
    }
    return true;
  });
}

void PageScanner::ScanPage(std::string_view base) const {
  ScanEmails();
  if (c_.run.Level2Count() >= c_.settings.chache2number) return;
  ScanLinks(base);
}

// The text of the anchor whose href starts at p: from the end of the tag to "</a", tags removed
// (in buffer, when it holds any); empty when either is not within the link window. Both
// searches stay within their windows, so that a page of links without anchors is read once.
std::string_view PageScanner::AnchorText(std::size_t p, std::string& buffer) const {
  const std::string_view page = c_.page;
  const std::size_t tagEnd = page.substr(p, kLinkWindow + 1).find('>');
  if (tagEnd == std::string_view::npos) return {};
  const std::size_t textStart = p + tagEnd + 1;
  const std::size_t close = FindNoCase(page.substr(textStart - 1, kLinkWindow + 3), "</a");
  if (close == std::string_view::npos) return {};
  const std::string_view text = page.substr(textStart, close - 1);
  if (text.find('<') == std::string_view::npos) return text;
  buffer.clear();
  AppendStripped(text, '<', '>', buffer);
  return buffer;
}

namespace {

// "href" and "src=" as four bytes read from memory.
constexpr auto kHrefLetters = static_cast<std::uint32_t>(chunk::WordOf("href"));
constexpr auto kSrcEquals = static_cast<std::uint32_t>(chunk::WordOf("src="));

// The positions of every "href=" and every "src=" of a page, letter case ignored, in one pass:
// both end in "=" after an "f" or a "c".
void FindLinkMarkers(std::string_view page, std::vector<std::size_t>& hrefs, std::vector<std::size_t>& srcs) {
  using namespace chunk;
  const char* const p = page.data();
  // Four bytes with ASCII letters lowered by setting their 0x20 bit: exact for letters, and "="
  // has that bit already.
  const auto lowered4 = [p](std::size_t at) {
    std::uint32_t word;
    std::memcpy(&word, p + at, sizeof word);
    return word | 0x20202020u;
  };
  const auto atEquals = [&](std::size_t e) {
    if (e >= 4 && lowered4(e - 4) == kHrefLetters) hrefs.push_back(e - 4);
    else if (lowered4(e - 3) == kSrcEquals) srcs.push_back(e - 3);
  };
  // Bit k: an "=" at at + k after a letter of "bcfg" in either case, the only bytes that setting
  // their 0x25 bits turns into "g": one comparison for "f" and "c", whose few companions
  // atEquals turns away.
  const auto candidates = [p](std::size_t at) -> std::uint64_t {
    return MaskOf(Equal(Load(p + at), Splat('=')) & Equal(Load(p + at - 1) | Splat(0x25), Splat('g')));
  };
  std::size_t e = 3;  // the "=" of a marker stands at 3 or later
  // Four chunks a step: most hold no candidate, and one test covers them all.
  for (; e + 4 * kSize <= page.size(); e += 4 * kSize)
    for (std::uint64_t hits = candidates(e) | candidates(e + kSize) << kSize | candidates(e + 2 * kSize) << 2 * kSize |
                              candidates(e + 3 * kSize) << 3 * kSize;
         hits != 0; hits &= hits - 1)
      atEquals(e + static_cast<std::size_t>(std::countr_zero(hits)));
  for (; e < page.size(); ++e)
    if (page[e] == '=') atEquals(e);
}

}  // namespace

void PageScanner::ScanLinks(std::string_view base) const {
  if (c_.page.empty()) return;
  const std::unique_ptr<LinkFilter> own = c_.linkFilter ? nullptr : std::make_unique<LinkFilter>(c_.settings);
  const LinkFilter& filter = c_.linkFilter ? *c_.linkFilter : *own;
  const LinkResolver resolver(base);
  std::vector<std::size_t> hrefs, srcs;
  FindLinkMarkers(c_.page, hrefs, srcs);
  ScanLinksAfter(hrefs, 5, true, filter, resolver);
  ScanLinksAfter(srcs, 4, false, filter, resolver);
}

// Queues the wanted links whose markers, of markerSize bytes, start at the given positions; the
// anchor text is read only for href links. The buffers serve every link of the page.
void PageScanner::ScanLinksAfter(const std::vector<std::size_t>& markers, std::size_t markerSize, bool anchors,
                                 const LinkFilter& filter, const LinkResolver& resolver) const {
  const std::string_view page = c_.page;
  std::string cutBuffer, anchorBuffer, link;
  for (const std::size_t p : markers) {
    if (Stopped()) return;
    const std::string_view cut = CutUrl(page.substr(p + markerSize, kLinkWindow), cutBuffer);
    const LinkFilter::Verdict verdict = filter.JudgeUrl(cut);
    if (verdict == LinkFilter::Verdict::kRejected) continue;
    if (verdict == LinkFilter::Verdict::kAnchorDecides) {
      if (!anchors) continue;
      if (!filter.AnchorNamesContactPage(AnchorText(p, anchorBuffer), c_.pageCharset)) continue;
    }
    resolver.Resolve(cut, link);
    if (!filter.FollowsSchemeOf(link)) continue;
    // The list grows only by hand-overs, so its room is looked at only before one.
    const RunState::Level2Check check = c_.run.CheckLevel2Url(link);
    if (check == RunState::Level2Check::kFull) return;
    if (check == RunState::Level2Check::kNew) HandOver([&] { c_.addLevel2(link); });
  }
}

}  // namespace marvessa
