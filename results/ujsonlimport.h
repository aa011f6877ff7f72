// Import of results from JSON Lines files, such as a distributed crawl hands back.
#pragma once

#include <string>

#include "base/uuithread.h"
#include "base/uview.h"
#include "results/uresults.h"
#include "search/urunstate.h"

namespace marvessa {

// Appends a row for every line that is a JSON object with a string "email" ("url" and "title"
// are taken when they are strings) whose address, trimmed and ignoring case, is neither in the
// customer list nor on an earlier line. Values are UTF-8 and become GBK; line breaks in them
// become blanks, as a document holds every value on one line. Other lines are passed over. Each
// address added goes on the seen-address list, so a later run does not report it again. The
// event queue is serviced once per line. Gives the number of rows added.
int ImportResultLines(const std::string& utf8, ResultList& results, RunState& run, UiThread& ui);
// The same for a file; a missing file adds nothing, an unreadable one raises FileError.
int ImportResultFile(const std::string& path, ResultList& results, RunState& run, UiThread& ui, BusyCursor& cursor);

}  // namespace marvessa
