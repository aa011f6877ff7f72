// A saved document worked on without a window, for the verbs that read or change documents.
#pragma once

#include <string>

#include "base/uglobal.h"
#include "cli/headless_window.h"
#include "results/ufile.h"

namespace marvessa::cli {

struct DocumentFile {
  // Opens the document at path; a missing file gives an empty document.
  DocumentFile(const Settings& settings, const std::string& path) : run(settings) {
    LoadDocument(parts, false, path, state);
  }
  DocumentFile(const DocumentFile&) = delete;
  DocumentFile& operator=(const DocumentFile&) = delete;

  HeadlessWindow window;
  RunState run;
  ResultList results;
  TaskQueueUiThread ui;
  DocumentParts parts{
      .results = results, .run = run, .keywords = window, .scope = window, .panels = window, .ui = ui};
  DocumentState state;
};

}  // namespace marvessa::cli
