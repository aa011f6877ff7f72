// Writing the customer list out, shared by the verbs that end with an export.
#pragma once

#include <string>

#include "app/uglobal.h"
#include "app/uuithread.h"
#include "app/uview.h"
#include "results/uresults.h"

namespace marvessa::cli {

// Exports the list to a file, or prints it on stdout when out is "-".
void WriteExport(const ResultList& results, const Settings& settings, const std::string& out, UiThread& ui,
                 BusyCursor& cursor);

}  // namespace marvessa::cli
