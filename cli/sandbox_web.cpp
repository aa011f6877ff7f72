#include "cli/sandbox_web.h"

#include "engines/ucatalog.h"

namespace marvessa::cli {

namespace {

constexpr int kResultsPerPage = 10;

}  // namespace

SandboxWeb::SandboxWeb(int sites)
    : web_({.sites = sites, .hosts = 4, .fillerBytes = 2000, .threadsPerHost = 48}),
      today_({.sites = 8, .firstHost = 1000, .tls = &ca_}) {
  for (int s = 0; s < sites; ++s) siteUrls_.push_back(web_.SiteUrl(s));
  for (int s = 0; s < today_.Sites(); ++s) siteUrls_.push_back(today_.SiteUrl(s));
  for (const std::string& url : corpus_.PageUrls()) siteUrls_.push_back(url);
  const int results = static_cast<int>(siteUrls_.size());
  engine_ = std::make_unique<sandbox::TestEngine>(sandbox::TestEngineOptions{
      .pages = (results + kResultsPerPage - 1) / kResultsPerPage, .resultsPerPage = kResultsPerPage, .resultUrls = siteUrls_});
}

std::string SandboxWeb::EngineFile() const {
  return EngineFileText(sandbox::TestCatalog({{"演示引擎", 0, engine_->EngineBlock()}}));
}

}  // namespace marvessa::cli
