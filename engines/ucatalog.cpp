#include "engines/ucatalog.h"

#include <cstring>

#include "base/ufileio.h"
#include "engines/uengine.h"

namespace marvessa {

namespace {

// Key byte for position j of a line of length L: kBase + ((L - 1 - j) mod kPeriod).
constexpr unsigned kScrambleBase = 0xB3;
constexpr unsigned kScramblePeriod = 7;
static_assert(kScrambleBase >= 128 && kScrambleBase + kScramblePeriod - 1 <= 255);

struct Layout {
  int head = -1;     // "[head]"
  int headEnd = -1;  // "[/head]"
  int body = -1;     // "[body]"
  int bodyEnd = -1;  // "[/body]"
  int engines = 0;
};

Layout FindLayout(const EngineCatalog& catalog) {
  Layout l;
  l.head = catalog.Find("[head]");
  l.headEnd = catalog.Find("[/head]");
  l.body = catalog.Find("[body]");
  l.bodyEnd = catalog.Find("[/body]");
  if (l.head >= 0 && l.headEnd > l.head && l.bodyEnd > l.body) l.engines = (l.headEnd - l.head) / kEngineHeadLines;
  return l;
}

void ScrambleInPlace(char* line, std::size_t n) {
  for (std::size_t j = 0; j < n; ++j) {
    const auto byte = static_cast<unsigned char>(line[j]);
    const unsigned key = kScrambleBase + (n - 1 - j) % kScramblePeriod;
    const unsigned x = byte ^ key;
    if (x >= 15) line[j] = static_cast<char>(x);
  }
}

}  // namespace

EngineCatalog::EngineCatalog(const Lines& lines) {
  for (const std::string& line : lines) {
    text_ += line;
    text_ += '\n';
  }
  MarkLines();
}

EngineCatalog EngineCatalog::FromFileText(std::string text) {
  // Each line moves down to follow the previous one with a single LF, which never overtakes the
  // line being read: its own line end took at least one byte. The spare byte at the end takes
  // the LF of a last line that had no line end.
  const std::size_t size = text.size();
  text.push_back('\n');
  std::size_t written = 0;
  ForEachLine(std::string_view(text.data(), size), [&](std::string_view line) {
    std::memmove(text.data() + written, line.data(), line.size());
    written += line.size();
    text[written++] = '\n';
    return true;
  });
  text.resize(written);
  EngineCatalog catalog;
  catalog.text_ = std::move(text);
  catalog.MarkLines();
  const int a = catalog.Find("[body]");
  const int z = catalog.Find("[/body]");
  if (a < 0) return catalog;
  for (int i = a + 1; i <= z - 1; ++i) {
    const std::string_view line = catalog[i];
    ScrambleInPlace(catalog.text_.data() + (line.data() - catalog.text_.data()), line.size());
  }
  return catalog;
}

void EngineCatalog::MarkLines() {
  marks_.clear();
  count_ = 0;
  for (std::size_t p = 0; p < text_.size(); p = text_.find('\n', p) + 1, ++count_)
    if (count_ % kMarkEvery == 0) marks_.push_back(p);
}

std::string_view EngineCatalog::operator[](std::size_t i) const {
  std::size_t p = marks_[i / kMarkEvery];
  for (std::size_t k = i % kMarkEvery; k > 0; --k) p = text_.find('\n', p) + 1;
  return std::string_view(text_).substr(p, text_.find('\n', p) - p);
}

int EngineCatalog::Find(std::string_view marker) const { return IndexOfLineNoCase(text_, marker); }

std::string ScrambleLine(std::string_view line) {
  std::string out(line);
  ScrambleInPlace(out.data(), out.size());
  return out;
}

void ScrambleBody(Lines& lines) {
  const int a = IndexOfLineNoCase(lines, "[body]");
  const int z = IndexOfLineNoCase(lines, "[/body]");
  if (a < 0) return;
  for (int i = a + 1; i <= z - 1; ++i) lines[i] = ScrambleLine(lines[i]);
}

bool IsValidEngineFile(std::string_view text) {
  int index = 0;
  int bodyEnd = -1;
  bool marked = false;
  ForEachLine(text, [&](std::string_view line) {
    if (index == 0) marked = EqualsNoCase(line, "[qemosearchengine]");
    if (EqualsNoCase(line, "[/body]")) bodyEnd = index;
    ++index;
    return marked && bodyEnd < 0;
  });
  return marked && bodyEnd > 10;
}

EngineCatalog LoadCatalog(const std::string& path) {
  auto bytes = ReadFileBytes(path);
  return bytes ? CatalogFromFileBytes(std::move(*bytes)) : BuiltinCatalog();
}

EngineCatalog CatalogFromFileBytes(std::string bytes) {
  if (!IsValidEngineFile(bytes)) return BuiltinCatalog();
  return EngineCatalog::FromFileText(std::move(bytes));
}

EngineCatalog LoadCatalog(const Folders& folders) { return LoadCatalog(folders.ProgramFolder() + kEngineFileName); }

std::string EngineFileText(const EngineCatalog& catalog) {
  const int a = catalog.Find("[body]");
  const int z = catalog.Find("[/body]");
  std::string out;
  out.reserve(catalog.Text().size() + catalog.size());
  int index = 0;
  ForEachLine(catalog.Text(), [&](std::string_view line) {
    const std::size_t start = out.size();
    out += line;
    if (a >= 0 && index > a && index < z) ScrambleInPlace(out.data() + start, line.size());
    out += "\r\n";
    ++index;
    return true;
  });
  return out;
}

bool IsEngineSwitchedOff(const std::string& searchengine, int i) {
  return i >= 0 && static_cast<std::size_t>(i) < searchengine.size() && searchengine[i] == '1';
}

std::vector<EngineRow> ListEngines(const EngineCatalog& catalog, const std::string& searchengine) {
  const Layout l = FindLayout(catalog);
  std::vector<EngineRow> rows;
  for (int i = 0; i < l.engines; ++i) {
    const int at = l.head + kEngineHeadLines * i;
    rows.push_back({std::string(catalog[at + 1]), ParseDecimal(catalog[at + 2]).value_or(0),
                    !IsEngineSwitchedOff(searchengine, i),
                    at + 3 < l.headEnd ? std::string(catalog[at + 3]) : std::string()});
  }
  return rows;
}

bool LoadCatalogEngine(const EngineCatalog& catalog, int i, EngineDef& def) {
  const Layout l = FindLayout(catalog);
  if (i < 0 || i >= l.engines || l.body < 0) return false;
  const std::size_t first = static_cast<std::size_t>(l.body) + kEngineBlockLines * i + 1;
  if (first + kEngineBlockLines > catalog.size()) return false;
  Lines list{"[body]"};
  for (std::size_t k = first; k < first + kEngineBlockLines; ++k) list.emplace_back(catalog[k]);
  list.emplace_back("[/body]");
  return LoadEngineBlock(list, 0, def);
}

std::vector<int> RunEngineNumbers(const EngineCatalog& catalog, int scope, const std::string& searchengine) {
  const Layout l = FindLayout(catalog);
  std::vector<int> numbers;
  if (l.body < 0) return numbers;
  const std::string scopeText = IntToText(scope);
  for (int i = 0; i < l.engines; ++i) {
    const std::size_t blockEnd = static_cast<std::size_t>(l.body) + kEngineBlockLines * (i + 1);
    if (blockEnd >= catalog.size()) break;
    if (IsEngineSwitchedOff(searchengine, i)) continue;
    if (catalog[l.head + kEngineHeadLines * i + 2] != scopeText) continue;
    numbers.push_back(i);
  }
  return numbers;
}

std::vector<EngineRow> ListRunEngines(const EngineCatalog& catalog, int scope, const std::string& searchengine) {
  const std::vector<EngineRow> all = ListEngines(catalog, searchengine);
  std::vector<EngineRow> rows;
  for (int i : RunEngineNumbers(catalog, scope, searchengine)) rows.push_back(all[i]);
  return rows;
}

Lines BuildRunEngineList(const EngineCatalog& catalog, int scope, const std::string& searchengine) {
  const Layout l = FindLayout(catalog);
  Lines list{"[body]"};
  for (int i : RunEngineNumbers(catalog, scope, searchengine)) {
    const int first = l.body + kEngineBlockLines * i + 1;
    for (int k = first; k < first + kEngineBlockLines; ++k) list.emplace_back(catalog[k]);
  }
  list.emplace_back("[/body]");
  return list;
}

std::string ScopeName(int scope) {
  static const char* const kNames[kScopeCount] = {"中文", "英文", "繁体", "法文", "俄文", "德文", "日文", "意大利文"};
  return scope >= 0 && scope < kScopeCount ? kNames[scope] : "未知";
}

}  // namespace marvessa
