// Generated company sites on loopback. Site s lives under "/s<s>/" on host LoopbackHost(2 + s % hosts)
// and has five pages:
//   ""             home: one address, links to the other four pages written relative
//                  ("contact.htm"), root-relative ("/s<s>/about.htm") and absolute (lx.htm),
//                  an image, a mailto link, and an absolute link to the next site's about page
//   "contact.htm"  two addresses (one in capitals and followed by a full stop), a link with a
//                  fragment back to about.htm
//   "about.htm"    one address written with blanks around the "@"
//   "lx.htm"       one address after Chinese text
//   "products.htm" one address; its name holds none of "contact", "about", "lx"
// Pages are text/html with a <title>, padded with filler text to fillerBytes.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "sandbox/testweb.h"

namespace marvessa::sandbox {

struct CompanyWebOptions {
  int sites = 10;
  int hosts = 1;
  std::size_t fillerBytes = 1000;
  int threadsPerHost = 16;  // with more than 8 hosts, all hosts share this many threads
  const TestCa* tls = nullptr;  // served over https with this CA's certificate (for every host)
  // Off: pages go out as they are even to a client that accepts gzip or br, as many servers
  // send small pages.
  bool compress = true;
};

class CompanyWeb {
 public:
  explicit CompanyWeb(const CompanyWebOptions& options = {});
  ~CompanyWeb();

  static const std::vector<std::string>& PageNames();
  int Sites() const { return options_.sites; }
  // The home page, ending with "/".
  std::string SiteUrl(int site) const;
  std::string PageUrl(int site, std::string_view page) const;
  // Every page of every site, site by site in PageNames() order.
  std::vector<std::string> PageUrls() const;
  // The addresses on one page, as written there after joining blanks around the "@".
  static std::vector<std::string> Addresses(int site, std::string_view page);
  static std::string Title(int site, std::string_view page);
  int Requests() const { return requests_; }

 private:
  std::string PageHtml(int site, std::string_view page) const;

  CompanyWebOptions options_;
  std::atomic<int> requests_{0};
  std::unique_ptr<SharedServerThreads> sharedThreads_;        // outlives the servers
  std::vector<std::unique_ptr<LoopbackHttpServer>> servers_;  // last: they stop first
};

// The page set of the crawl benchmarks: 5,000 pages of a few KB, 1,000 sites on 1,000 hosts.
inline constexpr int kCrawlBenchmarkSites = 1000;
CompanyWebOptions CrawlBenchmarkWeb(const TestCa* tls = nullptr);

}  // namespace marvessa::sandbox
