// The customer list as JSON Lines: one object per row with where the address was found.
#pragma once

#include <string>

#include "results/uexporter.h"

namespace marvessa {

// UTF-8, one object per line ended by LF: "email", "url", "title" (trimmed), "server" (the host
// of the page's URL), "domain" (the address's domain) and "registrable_domain" (null when the
// domain has none).
class JsonLinesExporter : public Exporter {
 public:
  std::string FileBytes(const ExportSource& source, UiThread& ui) override;
};

}  // namespace marvessa
