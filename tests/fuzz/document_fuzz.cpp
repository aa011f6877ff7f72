// Search documents over arbitrary bytes: opened, merged and written back.
#include <cstdint>

#include "tests/support/fake_window.h"
#include "results/ufile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace marvessa;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  Settings settings;
  RunState run(settings);
  ResultList results;
  test::FakeWindow window;
  TaskQueueUiThread ui;
  DocumentParts parts{results, run, window, window, window, ui};
  DocumentState document;
  LoadDocumentBytes(parts, false, bytes, document);
  LoadDocumentBytes(parts, true, bytes, document);
  DocumentText(parts);
  return 0;
}
