// Search documents over arbitrary bytes: opened, continued from the loaded state as a continued
// run takes its jobs and URLs, merged and written back.
#include <cstdint>

#include "search/ukeywords.h"
#include "tests/support/document_rig.h"

namespace {

// What the workers of a continued run read: every job, then every pending URL with its title.
void Continue(marvessa::test::DocumentRig& doc) {
  using namespace marvessa;
  doc.run.runKeywords = BuildRunKeywords(doc.window.KeywordText(), doc.window.BatchLines());
  EngineDef engine;
  while (!doc.run.TakeNextJob(engine).empty()) {
  }
  const int pending = doc.run.Level1().Count() + doc.run.Level2().Count();
  for (int taken = 0; taken < pending; ++taken) {
    int titleIndex = -1;
    doc.run.TakeNextUrl(titleIndex, false);
    doc.run.Level1Title(titleIndex);
  }
  ShowTotals(doc.window, doc.run, doc.results.Count());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace marvessa;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  test::DocumentRig doc;
  LoadDocumentBytes(doc.parts, false, bytes, doc.document);
  Continue(doc);
  LoadDocumentBytes(doc.parts, true, bytes, doc.document);
  DocumentText(doc.parts);
  return 0;
}
