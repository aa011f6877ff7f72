// INI reading and rewriting over arbitrary bytes.
#include <cstdint>

#include "base/uini.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace marvessa;
  IniFile ini(std::string_view(reinterpret_cast<const char*>(data), size));
  for (const char* key : {"Proxy", "size", "searchengine", "filelist3"}) {
    if (auto v = ini.Read("Rodideva Trovik", key)) ini.Write("Rodideva Trovik", key, *v + "\r\n");
  }
  ini.Write("Added", "k", "v");
  IniFile again(ini.Text());
  if (!again.Read("Added", "k")) __builtin_trap();
  return 0;
}
