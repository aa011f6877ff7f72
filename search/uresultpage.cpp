#include "search/uresultpage.h"

#include "net/ucharset.h"
#include "net/uurl.h"
#include "search/uresultlink.h"
#include "search/uscanner.h"

namespace marvessa {

namespace {

// The 1-based position of a lower-cased marker in the lower-cased page from start; 0 when it is
// not there or empty.
std::size_t FindLower(const std::string& markerLower, const std::string& pageLower, std::size_t start) {
  if (markerLower.empty()) return 0;
  const std::size_t p = pageLower.find(markerLower, start < 1 ? 0 : start - 1);
  return p == std::string::npos ? 0 : p + 1;
}

// The markers of a record as they stand in a page of that charset.
EngineDef InPageCharset(const EngineDef& engine, const std::string& charset) {
  if (engine.extensions.Get("charset").empty()) return engine;
  EngineDef e = engine;
  for (std::string* marker : {&e.areaStart, &e.areaEnd, &e.itemStart, &e.itemEnd, &e.urlStart, &e.urlEnd,
                              &e.titleStart, &e.titleEnd, &e.nextStart, &e.nextEnd})
    *marker = FromCoreText(*marker, charset);
  return e;
}

// Keeps the result area: from areaStart (exact case; the whole page when it is missing) to the
// end of areaEnd. Without areaEnd the page keeps nothing. Tells whether both were there.
bool CutResultArea(const EngineDef& e, std::string& page) {
  bool found = true;
  if (!e.areaStart.empty()) {
    const std::size_t p = page.find(e.areaStart);
    if (p == std::string::npos) {
      found = false;
    } else {
      page.erase(0, p);
    }
  }
  const std::size_t end = e.areaEnd.empty() ? std::string::npos : page.find(e.areaEnd);
  if (end == std::string::npos) {
    page.clear();
    return false;
  }
  page.erase(end + e.areaEnd.size());
  return found;
}

// The URL of an item as it is queued: decoded, unwrapped, cleaned, with a scheme; empty when it
// is to be left out.
std::string ResultUrl(const EngineExtensions& ext, std::string url) {
  if (ext.DecodesEntities()) url = DecodeHtmlEntities(url, "UTF-8");
  url = CleanUrl(UnwrapResultLink(url, ext.Wrapper()));
  if (ext.DecodesEntities() && StartsWith(url, "/") && !StartsWith(url, "//")) return {};
  for (const std::string& skipped : ext.SkipUrls())
    if (FindNoCase(url, skipped) != std::string::npos) return {};
  if (!url.empty() && UrlScheme(url).empty()) url = "http://" + url;
  return url;
}

// The title as core text; read as HTML, it loses its tags, including the rest of a tag its start
// marker stood in ("class=\"t\">Title" gives "Title").
std::string ResultTitle(const EngineExtensions& ext, const std::string& title, const std::string& charset) {
  std::string text = ToCoreText(title, charset);
  if (!ext.DecodesEntities()) return text;
  const std::size_t close = text.find('>');
  if (close != std::string::npos && close < text.find('<')) text.erase(0, close + 1);
  StripBetween(text, '<', '>');
  return Trim(DecodeHtmlEntities(text, "GB18030"));
}

std::string FindNextPageLink(const EngineDef& e, const std::string& page, const std::string& pageLower) {
  const std::size_t s = FindLower(LowerAscii(e.nextStart), pageLower, 1);
  const std::size_t end = FindLower(LowerAscii(e.nextEnd), pageLower, 1);
  std::string link;
  if (s > 0 && s < end) {
    std::string text = page.substr(s - 1, end + e.nextEnd.size() - s);
    link = CutBetween(text, e.nextStart, e.nextEnd);
  }
  if (IsBlankText(link)) return {};
  if (e.nextMode == "1") {
    // The link is what follows the last nextStart before nextEnd.
    for (std::size_t p = FindNoCase(link, e.nextStart); p != std::string::npos; p = FindNoCase(link, e.nextStart))
      link.erase(0, p + e.nextStart.size());
    if (e.extensions.DecodesEntities()) link = DecodeHtmlEntities(link, "UTF-8");
    link = e.nextPrefix + link;
  }
  RemoveChars(link, "\"'");
  return link;
}

}  // namespace

ResultPage CutResultPage(const EngineDef& engine, std::string page, const std::string& contentType) {
  const std::string charset = PageCharset(contentType, page);
  const EngineDef e = InPageCharset(engine, charset);
  ResultPage result;
  RemoveLineBreaks(page);
  result.areaFound = CutResultArea(e, page);
  std::string pageLower = LowerAscii(page);
  const std::string itemStart = LowerAscii(e.itemStart);
  const std::string itemEnd = LowerAscii(e.itemEnd);
  std::size_t pos = 1;
  for (;;) {
    const std::size_t s = FindLower(itemStart, pageLower, pos);
    if (s == 0) break;
    pos = s + itemStart.size();
    const std::size_t end = FindLower(itemEnd, pageLower, s + itemStart.size());
    if (end == 0) break;
    pos = end + itemEnd.size();
    std::string item = page.substr(s - 1, end + itemEnd.size() - s);
    std::string url;
    if (e.itemOrder == 0) url = CutBetween(item, e.urlStart, e.urlEnd);
    std::string title = CutBetween(item, e.titleStart, e.titleEnd);
    if (e.itemOrder > 0) url = CutBetween(item, e.urlStart, e.urlEnd);
    url = ResultUrl(e.extensions, std::move(url));
    if (!url.empty()) result.items.push_back({std::move(url), ResultTitle(e.extensions, title, charset)});
  }
  if (pos > itemStart.size() + itemEnd.size() && !e.extensions.PagesByNumber()) {
    const std::size_t cut = pos - itemEnd.size() - 1;
    page.erase(0, cut);
    pageLower.erase(0, cut);
    result.next = FindNextPageLink(e, page, pageLower);
  }
  return result;
}

int MaxResultPages(const EngineDef& engine) {
  const int pages = engine.extensions.MaxPages();
  return pages > 0 ? pages : kMaxResultPages;
}

bool HasNextPage(const EngineDef& engine, const ResultPage& cut) {
  return engine.extensions.PagesByNumber() ? !cut.items.empty() : !cut.next.empty();
}

std::string CutWarmupToken(const EngineDef& engine, std::string page) {
  const EngineExtensions& ext = engine.extensions;
  if (ext.TokenStart().empty() || ext.TokenEnd().empty()) return {};
  return CutBetween(page, ext.TokenStart(), ext.TokenEnd());
}

}  // namespace marvessa
