#include "base/uglobal.h"
#include "cli/verbs.h"
#include "search/ukeywords.h"

namespace marvessa::cli {

int SettingsVerb(Args& args) {
  const bool save = args.TakeFlag("--save");
  args.Rest(0, "settings [--save]");
  LinuxFolders folders;
  Settings settings;
  LoadSettings(settings, IniPath(folders));
  for (const auto& entry : SettingEntries(settings)) PrintLine(entry.key + "=" + entry.value);
  if (save) SaveSettings(settings, IniPath(folders));
  return 0;
}

int TermsVerb(Args& args) {
  const auto words = args.Rest(1, "terms LINE");
  for (const auto& term : ParseKeywordTerms(ArgToGbk(words[0]))) PrintLine(term);
  return 0;
}

}  // namespace marvessa::cli
