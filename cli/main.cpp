// marvessa-cli: Marvessa without a window.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <functional>
#include <map>

#include "cli/verbs.h"

namespace {

constexpr const char* kUsage =
    "usage: marvessa-cli [--home DIR] VERB ...\n"
    "       marvessa-cli --help | --version\n"
    "verbs:\n"
    "  engines [--scope N [--keyword TEXT] [--page K]] | engines --check DIR\n"
    "  engine-file unpack IN OUT | engine-file pack IN OUT | engine-file builtin OUT | engine-file build SOURCE OUT\n"
    "  settings [--save]\n"
    "  terms LINE\n"
    "  export DOC [--format text|csv|xlsx|jsonl|seeds] [--encoding utf-8|gbk] [--layout TEXT] [--out FILE]\n"
    "  import DOC FILE\n"
    "  update\n"
    "  scan --url URL [--title TEXT] [--keyword LINE] FILE\n"
    "  search [--scope N] [--batch FILE] [--import FILE] [--open DOC] [--continue] [--discard-autosave]\n"
    "         [--save DOC] [--export FILE|-] [--format FORMAT] [--encoding utf-8|gbk] [--layout TEXT] [--report FILE]\n"
    "         [KEYWORD]\n"
    "  demo [--sites N] [--save DOC]\n"
    "  sandbox [--sites N] [--engine-file FILE] [--urls FILE]";

}  // namespace

int main(int argc, char** argv) {
  using namespace marvessa::cli;
  std::vector<std::string> words(argv + 1, argv + argc);
  const std::map<std::string, std::function<int(Args&)>> verbs = {
      {"engines", EnginesVerb},
      {"engine-file", EngineFileVerb},
      {"settings", SettingsVerb},
      {"terms", TermsVerb},
      {"export", ExportVerb},
      {"import", ImportVerb},
      {"update", UpdateVerb},
      {"scan", ScanVerb},
      {"search", SearchVerb},
      {"demo", DemoVerb},
      {"sandbox", SandboxVerb},
  };
  try {
    if (words.size() >= 2 && words[0] == "--home") {
      ::setenv("MARVESSA_HOME", words[1].c_str(), 1);
      words.erase(words.begin(), words.begin() + 2);
    }
    if (words.empty()) throw UsageError{kUsage};
    if (words[0] == "--help" || words[0] == "-h") {
      std::printf("%s\nSee marvessa-cli(1) for each verb.\n", kUsage);
      return 0;
    }
    if (words[0] == "--version") {
      std::printf("marvessa-cli %s\n", MARVESSA_VERSION);
      return 0;
    }
    const auto verb = verbs.find(words[0]);
    if (verb == verbs.end()) throw UsageError{"unknown verb " + words[0] + "\n" + kUsage};
    Args args(std::vector<std::string>(words.begin() + 1, words.end()));
    return verb->second(args);
  } catch (const UsageError& e) {
    std::fprintf(stderr, "marvessa-cli: %s\n", e.message.c_str());
    return 2;
  } catch (const std::exception& e) {
    PrintError(std::string("marvessa-cli: ") + e.what());
    return 1;
  }
}
