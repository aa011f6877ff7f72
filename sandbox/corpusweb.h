// The address corpus on loopback: every corpus page under "/corpus/<file name>" on 127.0.0.6,
// served as it is written except that each absolute or protocol-relative URL in it points at a
// closed loopback port, so that a crawl of these pages never leaves the machine. The demo's
// search engine lists them beside the company sites.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sandbox/testweb.h"

namespace marvessa::sandbox {

// The page with each "http://", "https://" and each "//" that starts a quoted or attribute value
// made "http://127.0.0.1:9//": the host and all after it become the path on a closed port.
std::string OnLoopback(std::string_view html);

class CorpusWeb {
 public:
  CorpusWeb();
  // Every corpus page, in file name order.
  std::vector<std::string> PageUrls() const;

 private:
  LoopbackHttpServer server_;
};

}  // namespace marvessa::sandbox
