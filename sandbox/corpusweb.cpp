#include "sandbox/corpusweb.h"

#include <httplib.h>

#include "base/utext.h"
#include "sandbox/corpus.h"

namespace marvessa::sandbox {

namespace {

constexpr std::string_view kClosedPort = "http://127.0.0.1:9";

}  // namespace

std::string OnLoopback(std::string_view html) {
  const std::string lower = LowerAscii(html);
  std::string out;
  out.reserve(html.size());
  for (std::size_t i = 0; i < html.size();) {
    const std::string_view rest = std::string_view(lower).substr(i);
    const std::size_t scheme = rest.starts_with("http://") ? 5 : rest.starts_with("https://") ? 6 : 0;
    const bool relative = rest.starts_with("//") && i > 0 && std::string_view("\"'=(").find(html[i - 1]) != std::string_view::npos;
    if (scheme > 0 || relative) {
      // The host and all after it become the path, behind the same "//".
      out += kClosedPort;
      out += "//";
      i += scheme + 2;
    } else {
      out += html[i++];
    }
  }
  return out;
}

CorpusWeb::CorpusWeb()
    : server_(LoopbackHost(6), [](httplib::Server& server) {
        server.Get(R"(/corpus/([a-z0-9.-]+))", [](const httplib::Request& request, httplib::Response& response) {
          for (const CorpusPage& page : AddressCorpus()) {
            if (page.name == request.matches[1].str()) {
              response.set_content(OnLoopback(page.html), "text/html");
              return;
            }
          }
          response.status = 404;
        });
      }) {}

std::vector<std::string> CorpusWeb::PageUrls() const {
  std::vector<std::string> urls;
  for (const CorpusPage& page : AddressCorpus()) urls.push_back(server_.Origin() + "/corpus/" + std::string(page.name));
  return urls;
}

}  // namespace marvessa::sandbox
