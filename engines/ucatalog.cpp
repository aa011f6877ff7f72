#include "engines/ucatalog.h"

#include "app/ufileio.h"
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

Layout FindLayout(const Lines& lines) {
  Layout l;
  l.head = IndexOfLineNoCase(lines, "[head]");
  l.headEnd = IndexOfLineNoCase(lines, "[/head]");
  l.body = IndexOfLineNoCase(lines, "[body]");
  l.bodyEnd = IndexOfLineNoCase(lines, "[/body]");
  if (l.head >= 0 && l.headEnd > l.head && l.bodyEnd > l.body) l.engines = (l.headEnd - l.head) / kEngineHeadLines;
  return l;
}

}  // namespace

std::string ScrambleLine(std::string_view line) {
  std::string out(line);
  const std::size_t n = out.size();
  for (std::size_t j = 0; j < n; ++j) {
    const auto byte = static_cast<unsigned char>(out[j]);
    const unsigned key = kScrambleBase + (n - 1 - j) % kScramblePeriod;
    const unsigned x = byte ^ key;
    if (x >= 15) out[j] = static_cast<char>(x);
  }
  return out;
}

void ScrambleBody(Lines& lines) {
  const int a = IndexOfLineNoCase(lines, "[body]");
  const int z = IndexOfLineNoCase(lines, "[/body]");
  if (a < 0) return;
  for (int i = a + 1; i <= z - 1; ++i) lines[i] = ScrambleLine(lines[i]);
}

bool IsValidEngineFile(const Lines& lines) {
  return !lines.empty() && LowerAscii(lines[0]) == "[qemosearchengine]" && IndexOfLineNoCase(lines, "[/body]") > 10;
}

EngineCatalog LoadCatalog(const std::string& path) {
  auto bytes = ReadFileBytes(path);
  return bytes ? CatalogFromFileBytes(*bytes) : BuiltinCatalog();
}

EngineCatalog CatalogFromFileBytes(std::string_view bytes) {
  Lines lines = SplitLines(bytes);
  if (!IsValidEngineFile(lines)) return BuiltinCatalog();
  ScrambleBody(lines);
  return lines;
}

EngineCatalog LoadCatalog(const Folders& folders) { return LoadCatalog(folders.ProgramFolder() + kEngineFileName); }

std::string EngineFileText(const EngineCatalog& catalog) {
  Lines lines = catalog;
  ScrambleBody(lines);
  return JoinLinesCrLf(lines);
}

bool IsEngineSwitchedOff(const std::string& searchengine, int i) {
  return i >= 0 && static_cast<std::size_t>(i) < searchengine.size() && searchengine[i] == '1';
}

std::vector<EngineRow> ListEngines(const EngineCatalog& catalog, const std::string& searchengine) {
  const Layout l = FindLayout(catalog);
  std::vector<EngineRow> rows;
  for (int i = 0; i < l.engines; ++i) {
    const int at = l.head + kEngineHeadLines * i;
    rows.push_back({catalog[at + 1], ParseDecimal(catalog[at + 2]).value_or(0), !IsEngineSwitchedOff(searchengine, i)});
  }
  return rows;
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

Lines BuildRunEngineList(const EngineCatalog& catalog, int scope, const std::string& searchengine) {
  const Layout l = FindLayout(catalog);
  Lines list{"[body]"};
  for (int i : RunEngineNumbers(catalog, scope, searchengine)) {
    const auto first = catalog.begin() + l.body + kEngineBlockLines * i + 1;
    list.insert(list.end(), first, first + kEngineBlockLines);
  }
  list.emplace_back("[/body]");
  return list;
}

std::string ScopeName(int scope) {
  static const char* const kNames[kScopeCount] = {"中文", "英文", "繁体", "法文", "俄文", "德文", "日文", "意大利文"};
  return scope >= 0 && scope < kScopeCount ? kNames[scope] : "未知";
}

}  // namespace marvessa
