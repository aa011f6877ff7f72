// The parts a search document is made of, over a fake window, for tests, benchmarks and fuzz
// targets that write and read documents.
#pragma once

#include "results/ufile.h"
#include "tests/support/fake_window.h"

namespace marvessa::test {

struct DocumentRig {
  DocumentRig() { results.SetView(&window); }
  DocumentRig(const DocumentRig&) = delete;
  DocumentRig& operator=(const DocumentRig&) = delete;

  Settings settings;
  RunState run{settings};
  ResultList results;
  FakeWindow window;
  TaskQueueUiThread ui;
  DocumentParts parts{
      .results = results, .run = run, .keywords = window, .scope = window, .panels = window, .ui = ui};
  DocumentState document;
};

}  // namespace marvessa::test
