#include <filesystem>
#include <map>

#include "base/ufileio.h"
#include "base/uglobal.h"
#include "cli/verbs.h"
#include "engines/ucatalog.h"
#include "engines/uengine.h"
#include "engines/uenginesource.h"
#include "search/ukeywords.h"
#include "search/uoutcome.h"
#include "search/uresultpage.h"

namespace marvessa::cli {

namespace {

int ListCatalog(const EngineCatalog& catalog, const std::string& searchengine) {
  const auto rows = ListEngines(catalog, searchengine);
  for (std::size_t i = 0; i < rows.size(); ++i)
    PrintFields({IntToText(i + 1), rows[i].name, ScopeName(rows[i].scope), rows[i].on ? "on" : "off"});
  return 0;
}

int ListRunEngines(const EngineCatalog& catalog, const std::string& searchengine, int scope,
                   const std::optional<std::string>& keyword, int page) {
  const Lines run = BuildRunEngineList(catalog, scope, searchengine);
  const auto numbers = RunEngineNumbers(catalog, scope, searchengine);
  EngineDef def;
  for (int e = 0; e < RunEngineCount(run); ++e) {
    LoadEngineBlock(run, e, def);
    Lines fields{IntToText(numbers[e] + 1), def.engineKey};
    if (keyword) fields.push_back(RequestUrl(BuildQueryUrl(def, *keyword, page)));
    PrintFields(fields);
  }
  return 0;
}

// The saved result pages of a folder by engine number: files named N, or N with any extension.
std::map<int, std::string> SavedPages(const std::string& dir) {
  std::map<int, std::string> pages;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
    const std::string stem = entry.path().stem().string();
    const auto number = ParseDecimal(stem);
    if (entry.is_regular_file(ec) && number && IntToText(*number) == stem) pages[*number] = entry.path().string();
  }
  if (ec) throw FileError("Cannot read the folder " + dir);
  return pages;
}

// Per engine with a saved page: its state as a run would see it, every result it cuts and the
// next page it finds.
int CheckSavedPages(const EngineCatalog& catalog, const std::string& dir) {
  const auto rows = ListEngines(catalog, "");
  for (const auto& [number, path] : SavedPages(dir)) {
    EngineDef engine;
    if (!LoadCatalogEngine(catalog, number - 1, engine)) continue;
    EngineResponse response;
    response.status = 200;
    response.body = ReadRequiredFile(path);
    const ResultPage cut = CutResultPage(engine, response.body, "");
    const std::string n = IntToText(number);
    const EngineRow& row = rows[number - 1];
    PrintFields({n, row.name, ScopeName(row.scope), StateName(StateOf(ClassifyEngineResponse(response, engine, cut)))});
    for (const ResultItem& item : cut.items) PrintFields({n, item.url, item.title});
    if (!cut.next.empty()) PrintFields({n, "next", cut.next});
    if (engine.extensions.PagesByNumber() && !cut.items.empty()) PrintFields({n, "next", "(by number)"});
  }
  return 0;
}

Lines TransformBody(const std::string& in) {
  Lines lines = SplitLines(ReadRequiredFile(in));
  ScrambleBody(lines);
  return lines;
}

}  // namespace

int EnginesVerb(Args& args) {
  const auto scope = args.TakeInt("--scope");
  auto keyword = args.Take("--keyword");
  const int page = args.TakeInt("--page").value_or(0);
  const auto check = args.Take("--check");
  args.Rest(0, "engines [--scope N [--keyword TEXT] [--page K]] | engines --check DIR");
  if (!scope && keyword) throw UsageError{"--keyword goes with --scope"};
  if (check && scope) throw UsageError{"--check goes without --scope"};
  LinuxFolders folders;
  const EngineCatalog catalog = LoadCatalog(folders);
  if (check) return CheckSavedPages(catalog, *check);
  Settings settings;
  LoadSettings(settings, IniPath(folders));
  if (!scope) return ListCatalog(catalog, settings.searchengine);
  if (keyword) keyword = ArgToGbk(*keyword);
  return ListRunEngines(catalog, settings.searchengine, *scope, keyword, page);
}

int EngineFileVerb(Args& args) {
  constexpr const char* usage =
      "engine-file unpack IN OUT | engine-file pack IN OUT | engine-file builtin OUT | engine-file build SOURCE OUT";
  auto words = args.RestUpTo(3, usage);
  if (words.size() == 2 && words[0] == "builtin") {
    WriteFileAtomic(words[1], EngineFileText(BuiltinCatalog()));
    return 0;
  }
  if (words.size() == 3 && words[0] == "build") {
    try {
      WriteFileAtomic(words[2], EngineFileText(CatalogFromSource(ReadRequiredFile(words[1]))));
    } catch (const EngineSourceError& e) {
      throw FileError(words[1] + ": " + e.what());
    }
    return 0;
  }
  if (words.size() == 3 && (words[0] == "unpack" || words[0] == "pack")) {
    WriteFileAtomic(words[2], JoinLinesCrLf(TransformBody(words[1])));
    return 0;
  }
  throw UsageError{std::string("usage: ") + usage};
}

}  // namespace marvessa::cli
