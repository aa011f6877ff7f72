#include "results/udocstate.h"

#include "base/upath.h"

namespace marvessa {

std::string DocumentCaption(const DocumentState& state) {
  std::string caption = state.documentModified ? "*" : "";
  if (state.documentNamed) caption += PathForDisplay(FileNamePart(state.documentPath.get())) + " - ";
  return caption + "Marvessa";
}

}  // namespace marvessa
