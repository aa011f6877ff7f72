#include "app/ufileio.h"
#include "app/uglobal.h"
#include "cli/verbs.h"
#include "engines/ucatalog.h"
#include "engines/uengine.h"
#include "search/ukeywords.h"

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
  args.Rest(0, "engines [--scope N [--keyword TEXT] [--page K]]");
  if (!scope && keyword) throw UsageError{"--keyword goes with --scope"};
  LinuxFolders folders;
  Settings settings;
  LoadSettings(settings, IniPath(folders));
  const EngineCatalog catalog = LoadCatalog(folders);
  if (!scope) return ListCatalog(catalog, settings.searchengine);
  if (keyword) keyword = ArgToGbk(*keyword);
  return ListRunEngines(catalog, settings.searchengine, *scope, keyword, page);
}

int EngineFileVerb(Args& args) {
  constexpr const char* usage = "engine-file unpack IN OUT | engine-file pack IN OUT | engine-file builtin OUT";
  auto words = args.RestUpTo(3, usage);
  if (words.size() == 2 && words[0] == "builtin") {
    WriteFileAtomic(words[1], EngineFileText(BuiltinCatalog()));
    return 0;
  }
  if (words.size() == 3 && (words[0] == "unpack" || words[0] == "pack")) {
    WriteFileAtomic(words[2], JoinLinesCrLf(TransformBody(words[1])));
    return 0;
  }
  throw UsageError{std::string("usage: ") + usage};
}

}  // namespace marvessa::cli
