// The state of the current search document.
#pragma once

#include <string>

namespace marvessa {

struct DocumentState {
  std::string documentPath;  // empty while the document is untitled
  bool documentNamed = false;
  bool documentModified = false;
};

}  // namespace marvessa
