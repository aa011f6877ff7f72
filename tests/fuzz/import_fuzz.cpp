// URL-list files over arbitrary bytes, read as each kind of file.
#include <cstdint>

#include "results/uimport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace marvessa;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  TaskQueueUiThread ui;
  for (const char* extension : {".ulk", ".txt", ".csv"}) TakeUrlLines(extension, text, ui, [](std::string_view) {});
  return 0;
}
