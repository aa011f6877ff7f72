// Serves the sandbox web until interrupted, for trying the window or other crawlers offline.
#include <unistd.h>

#include <csignal>

#include "base/ufileio.h"
#include "cli/sandbox_web.h"
#include "cli/verbs.h"

namespace marvessa::cli {

int SandboxVerb(Args& args) {
  const int sites = args.TakeInt("--sites").value_or(300);
  const auto engineFile = args.Take("--engine-file");
  const auto urls = args.Take("--urls");
  args.Rest(0, "sandbox [--sites N] [--engine-file FILE] [--urls FILE]");
  if (sites < 1) throw UsageError{"--sites needs at least one site"};
  sigset_t stop;
  sigemptyset(&stop);
  sigaddset(&stop, SIGINT);
  sigaddset(&stop, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stop, nullptr);  // before the servers start their threads
  const SandboxWeb web(sites);
  if (engineFile) WriteFileAtomic(*engineFile, web.EngineFile());
  if (urls) WriteFileAtomic(*urls, JoinLinesCrLf(web.SiteUrls()));
  PrintLine("sandbox web of " + IntToText(sites) + " sites ready; Ctrl-C ends it");
  std::fflush(stdout);
  int signal = 0;
  sigwait(&stop, &signal);
  return 0;
}

}  // namespace marvessa::cli
