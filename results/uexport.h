// Export of the customer list as text, one line per row in the chosen layout.
#pragma once

#include <string>

#include "app/uglobal.h"
#include "app/uuithread.h"
#include "app/uview.h"
#include "results/uresults.h"

namespace marvessa {

// The layout with "<网址>", then "<邮址>", then "<标题>" replaced by the row's trimmed URL,
// address and title.
std::string ExportLine(const std::string& layout, const ResultRecord& row);
// Every row in list order, each line read against the current layout and ended by CR LF; the
// file is replaced as a whole. Raises FileError when it cannot be written.
void ExportResults(const std::string& path, const ResultList& results, const Settings& settings, UiThread& ui,
                   BusyCursor& cursor);

}  // namespace marvessa
