// The sandbox web of the demo: generated company sites on loopback, eight sites of today's web
// (https, eight languages and charsets, robots.txt, a 429 host), the address corpus, and a search
// engine whose results are the sites' home pages and the corpus pages.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "sandbox/companyweb.h"
#include "sandbox/corpusweb.h"
#include "sandbox/testca.h"
#include "sandbox/testengine.h"
#include "sandbox/todaysweb.h"

namespace marvessa::cli {

class SandboxWeb {
 public:
  explicit SandboxWeb(int sites);
  // An engine file whose one engine (scope 中文) queries the sandbox engine.
  std::string EngineFile() const;
  const std::vector<std::string>& SiteUrls() const { return siteUrls_; }

 private:
  sandbox::CompanyWeb web_;
  sandbox::CorpusWeb corpus_;
  sandbox::TestCa ca_;
  sandbox::TodaysWeb today_;
  std::vector<std::string> siteUrls_;
  std::unique_ptr<sandbox::TestEngine> engine_;
};

}  // namespace marvessa::cli
