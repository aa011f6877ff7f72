#include "engines/uengineext.h"

#include "net/ucharset.h"

namespace marvessa {

void EngineExtensions::AddLine(std::string_view line) {
  std::size_t start = 0;
  while (start <= line.size()) {
    const std::size_t end = std::min(line.find('&', start), line.size());
    const std::string_view pair = line.substr(start, end - start);
    const std::size_t equals = pair.find('=');
    if (equals != std::string_view::npos) {
      std::string key = Trim(PercentDecode(pair.substr(0, equals)));
      const std::string lower = LowerAscii(key);
      if (!key.empty()) values_[lower] = {std::move(key), PercentDecode(pair.substr(equals + 1))};
    }
    start = end + 1;
  }
}

std::string EngineExtensions::Get(const std::string& key) const {
  const auto found = values_.find(LowerAscii(key));
  return found == values_.end() ? std::string() : found->second.second;
}

NamedValues EngineExtensions::WithPrefix(std::string_view prefix) const {
  NamedValues named;
  const std::string lower = LowerAscii(prefix);
  for (auto it = values_.lower_bound(lower); it != values_.end() && StartsWith(it->first, lower); ++it) {
    std::string name = it->second.first.substr(prefix.size());
    if (!Trim(name).empty()) named.emplace_back(Trim(name), it->second.second);
  }
  return named;
}

Lines EngineExtensions::List(const std::string& key) const {
  Lines items;
  const std::string value = Get(key);
  std::size_t start = 0;
  while (start <= value.size()) {
    const std::size_t end = std::min(value.find('|', start), value.size());
    if (end > start) items.push_back(value.substr(start, end - start));
    start = end + 1;
  }
  return items;
}

std::string EngineExtensions::QueryCharset() const {
  const std::string name = CharsetName(Get("charset"));
  return name.empty() ? "GB18030" : name;
}

std::string EngineExtensions::QueryBlank() const { return Get("space") == "+" ? "+" : "%20"; }

int EngineExtensions::IntervalMs() const {
  const auto ms = ParseDecimal(Trim(Get("interval")));
  return ms && *ms >= 0 ? *ms : 1000;
}

bool EngineExtensions::OmitsFirstPageNumber() const { return EqualsNoCase(Trim(Get("page1")), "omit"); }

int EngineExtensions::MaxPages() const {
  const auto pages = ParseDecimal(Trim(Get("maxpages")));
  return pages && *pages > 0 ? *pages : 0;
}

bool EngineExtensions::PagesByNumber() const { return EqualsNoCase(Trim(Get("nextpage")), "number"); }

bool EngineExtensions::PostsQuery() const { return EqualsNoCase(Trim(Get("method")), "post"); }

bool EngineExtensions::FollowsRedirects() const { return EqualsNoCase(Trim(Get("redirects")), "follow"); }

LinkWrapper EngineExtensions::Wrapper() const {
  const std::string rule = LowerAscii(Trim(Get("unwrap")));
  if (rule == "base64url") return LinkWrapper::kBase64Url;
  if (rule == "ru") return LinkWrapper::kRu;
  if (rule == "uddg") return LinkWrapper::kUddg;
  if (rule == "urlq") return LinkWrapper::kUrlQ;
  return LinkWrapper::kNone;
}

bool EngineExtensions::DecodesEntities() const { return Trim(Get("entities")) == "1"; }

}  // namespace marvessa
