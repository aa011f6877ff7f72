#include "results/ujsonlexport.h"

#include <nlohmann/json.hpp>

#include "net/uurl.h"
#include "results/uaddressdomain.h"

namespace marvessa {


std::string JsonLinesExporter::FileBytes(const ExportSource& source, UiThread& ui) {
  std::string out;
  ForEachExportRow(source.results, ui, [&](const ResultRecord& row) {
    const std::string email = GbkToUtf8(Trim(row.email));
    const std::string domain = AddressDomain(email);
    const auto registrable = RegistrableDomain(domain);
    nlohmann::ordered_json object = {
        {"email", email},
        {"url", GbkToUtf8(Trim(row.url))},
        {"title", GbkToUtf8(Trim(row.title))},
        {"server", GbkToUtf8(UrlHost(row.url))},
        {"domain", domain},
        {"registrable_domain", registrable ? nlohmann::ordered_json(*registrable) : nlohmann::ordered_json(nullptr)},
    };
    out += object.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    out += '\n';
  });
  return out;
}

}  // namespace marvessa
