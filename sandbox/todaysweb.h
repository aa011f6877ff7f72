// Company sites as today's web serves them, on many loopback hosts (LoopbackHost(first + s) for
// site s), over https when a CA is given. Site s speaks language s % 8 (the order of the scopes:
// Chinese, English, traditional Chinese, French, Russian, German, Japanese, Italian), in that
// language's usual charset, declared in the header, in a <meta> tag or not at all. Each site has:
//   "/"                  home: info@<domain>, a link to the contact page with the language's
//                        words, a link to "/products.htm", and (traditional Chinese) a contact
//                        link that only its anchor text names
//   the contact page     sales@<domain>, its title in the language's script
//   "/products.htm"      orders@<domain>; robots.txt forbids it, and its name holds no contact word
//   "/robots.txt"        "Disallow: /products.htm"
// Pages are compressed as the client accepts (gzip, br). The host of site 1 answers every
// page's first request with 429 and "Retry-After: 1".
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "sandbox/testweb.h"

namespace marvessa::sandbox {

struct TodaysWebOptions {
  int sites = 8;
  int firstHost = 1000;     // site s on LoopbackHost(firstHost + s)
  const TestCa* tls = nullptr;
  int threads = 32;         // shared by all hosts
};

class TodaysWeb {
 public:
  explicit TodaysWeb(const TodaysWebOptions& options = {});
  ~TodaysWeb();

  int Sites() const { return options_.sites; }
  std::string SiteUrl(int site) const;  // the home page, ending with "/"
  std::string ContactUrl(int site) const;
  static std::string Domain(int site);
  // The contact page's title as core text (GBK, GB18030 where GBK holds no character).
  static std::string ContactTitle(int site);
  // Requests of pages robots.txt forbids; 0 when every crawler obeyed.
  int ForbiddenRequests() const { return forbidden_; }
  int RobotsRequests() const { return robots_; }

 private:
  TodaysWebOptions options_;
  std::atomic<int> forbidden_{0};
  std::atomic<int> robots_{0};
  std::unique_ptr<SharedServerThreads> threads_;              // outlives the servers
  std::vector<std::unique_ptr<LoopbackHttpServer>> servers_;  // last: they stop first
};

}  // namespace marvessa::sandbox
