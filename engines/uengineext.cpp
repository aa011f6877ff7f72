#include "engines/uengineext.h"

#include "app/utext.h"
#include "search/ucharset.h"

namespace marvessa {

void EngineExtensions::AddLine(std::string_view line) {
  std::size_t start = 0;
  while (start <= line.size()) {
    const std::size_t end = std::min(line.find('&', start), line.size());
    const std::string_view pair = line.substr(start, end - start);
    const std::size_t equals = pair.find('=');
    if (equals != std::string_view::npos) {
      const std::string key = LowerAscii(Trim(PercentDecode(pair.substr(0, equals))));
      if (!key.empty()) values_[key] = PercentDecode(pair.substr(equals + 1));
    }
    start = end + 1;
  }
}

std::string EngineExtensions::Get(const std::string& key) const {
  const auto found = values_.find(key);
  return found == values_.end() ? std::string() : found->second;
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

}  // namespace marvessa
