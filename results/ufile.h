// The search document file (".mvx"): its writer and its reader.
#pragma once

#include <string>

#include "base/uuithread.h"
#include "base/uview.h"
#include "results/udocstate.h"
#include "results/uresults.h"
#include "search/urunstate.h"
#include "search/ustatusline.h"

namespace marvessa {

inline constexpr const char* kAutosaveFileName = "temp.mvx";

// The parts of the main window a document is made of.
struct DocumentParts {
  ResultList& results;
  RunState& run;
  KeywordInput& keywords;
  ScopeButtons& scope;
  StatusPanels& panels;
  UiThread& ui;
};

// The file's text. The row count is taken once; the event queue is serviced once per row.
std::string DocumentText(DocumentParts& parts);
// Writes the document so that path holds either the old file or the whole new one.
void SaveDocument(DocumentParts& parts, const std::string& path);
// Open mode restores every section, merge mode appends only the rows. A missing or unrecognised
// file loads nothing; an unreadable one raises FileError. Changing the keyword box or adding
// batch lines marks the document modified, as the user's edits would.
void LoadDocument(DocumentParts& parts, bool merge, const std::string& path, DocumentState& document);
// The same over the bytes of a file.
void LoadDocumentBytes(DocumentParts& parts, bool merge, std::string bytes, DocumentState& document);

}  // namespace marvessa
