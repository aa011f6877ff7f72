#include "base/ufileio.h"
#include "cli/document_file.h"
#include "cli/verbs.h"
#include "results/ufile.h"
#include "results/uimport.h"

namespace marvessa::cli {

int ImportVerb(Args& args) {
  const auto words = args.Rest(2, "import DOC FILE");
  RequireFile(words[1]);
  Settings settings;
  DocumentFile doc(settings, words[0]);
  ImportFile(words[1], doc.results, doc.run, doc.ui, doc.window);
  SaveDocument(doc.parts, words[0]);
  return 0;
}

}  // namespace marvessa::cli
