// Search documents over arbitrary bytes: opened, merged and written back.
#include <cstdint>

#include "tests/support/document_rig.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace marvessa;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  test::DocumentRig doc;
  LoadDocumentBytes(doc.parts, false, bytes, doc.document);
  LoadDocumentBytes(doc.parts, true, bytes, doc.document);
  DocumentText(doc.parts);
  return 0;
}
