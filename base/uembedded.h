// A file compiled into the program (cmake/Embed.cmake).
#pragma once

#include <cstddef>
#include <string_view>

namespace marvessa {

struct EmbeddedFile {
  std::string_view name;   // the file name, without folders
  std::string_view bytes;  // the file's bytes, unchanged
};

}  // namespace marvessa
