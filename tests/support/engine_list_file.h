// An engine file in a sandbox's program folder, for the options dialog's engine list.
#pragma once

#include <string>
#include <vector>

#include "tests/support/sandbox.h"

namespace marvessa::test {

struct ListedEngine {
  std::string name;       // GBK
  std::string scopeLine;  // the head record's scope line as written, number or not
};

// Writes "Trovik.dat" holding these engines in order, with placeholder body records.
void WriteEngineFile(const Sandbox& sandbox, const std::vector<ListedEngine>& engines);

}  // namespace marvessa::test
