// The verbs of marvessa-cli; each returns the process exit status.
#pragma once

#include "cli/console.h"

namespace marvessa::cli {

int EnginesVerb(Args& args);
int EngineFileVerb(Args& args);
int SettingsVerb(Args& args);
int TermsVerb(Args& args);
int ExportVerb(Args& args);
int ImportVerb(Args& args);
int UpdateVerb(Args& args);
int SearchVerb(Args& args);
int DemoVerb(Args& args);
int SandboxVerb(Args& args);
int ScanVerb(Args& args);

}  // namespace marvessa::cli
