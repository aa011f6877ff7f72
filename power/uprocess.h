// Running the external programs of the Linux power and dial-up layers: argument vectors, no shell.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace marvessa {

// Starts the program argv[0] (searched on PATH) and waits for it. With output, its standard
// output is captured there and its standard error discarded. Returns the exit status, or -1
// when the program could not be started or did not exit normally.
int RunProgram(const std::vector<std::string>& argv, std::string* output = nullptr);

// True when MARVESSA_NO_POWER_ACTIONS is set; then it says on stderr that the action was refused.
bool PowerActionRefused(std::string_view action);

}  // namespace marvessa
