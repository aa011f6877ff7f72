// Both sides of the crawl floor in processes of their own, for bench/crawl_floor.sh, so that a
// client's CPU and memory are its process's alone:
//   marvessa_crawl_tool serve DIR [--compress]  serves the crawl benchmark's page set over http
//       and https until SIGINT or SIGTERM; writes DIR/http.txt and DIR/https.txt, one URL a line,
//       once the servers listen
//   marvessa_crawl_tool workers URLFILE N       crawls those URLs with N search workers
#include <pthread.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "bench/crawl_web.h"

namespace marvessa::bench {
namespace {

void WriteUrls(const std::string& path, const std::vector<std::string>& urls) {
  const std::string part = path + ".part";
  {
    std::ofstream out(part);
    for (const auto& url : urls) out << url << '\n';
  }
  std::rename(part.c_str(), path.c_str());
}

int Serve(const std::string& folder, bool compress) {
  sigset_t stop;
  sigemptyset(&stop);
  sigaddset(&stop, SIGINT);
  sigaddset(&stop, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stop, nullptr);  // before the servers start their threads
  WriteUrls(folder + "/http.txt", CrawlBenchmarkServer(false, compress).PageUrls());
  WriteUrls(folder + "/https.txt", CrawlBenchmarkServer(true, compress).PageUrls());
  int signal = 0;
  sigwait(&stop, &signal);
  return 0;
}

int Workers(const std::string& urlFile, int workers) {
  std::vector<std::string> urls;
  std::ifstream in(urlFile);
  for (std::string line; std::getline(in, line);)
    if (!line.empty()) urls.push_back(line);
  const WorkerCrawl crawl = CrawlWithWorkers(urls, workers, [] {});
  std::printf("%d pages, %d addresses\n", crawl.pages, crawl.addresses);
  return crawl.pages == static_cast<int>(urls.size()) ? 0 : 1;
}

}  // namespace
}  // namespace marvessa::bench

int main(int argc, char** argv) {
  if (argc >= 3 && std::strcmp(argv[1], "serve") == 0)
    return marvessa::bench::Serve(argv[2], argc > 3 && std::strcmp(argv[3], "--compress") == 0);
  if (argc == 4 && std::strcmp(argv[1], "workers") == 0)
    return marvessa::bench::Workers(argv[2], std::atoi(argv[3]));
  std::fprintf(stderr, "usage: marvessa_crawl_tool serve DIR [--compress] | workers URLFILE N\n");
  return 2;
}
