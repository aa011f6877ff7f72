#include "search/usrchthd.h"

#include <pthread.h>
#include <sched.h>

#include <algorithm>
#include <chrono>

#include "net/ucharset.h"
#include "net/uurl.h"
#include "search/uenginequery.h"
#include "search/ukeywords.h"
#include "search/ulinkfilter.h"
#include "search/uresultpage.h"
#include "search/uscanner.h"

namespace marvessa {

bool IsTextContent(const std::string& contentType) {
  const std::string type = LowerAscii(contentType);
  return Contains(type, "text") || Contains(type, "javascript");
}

Tsrchthd::Tsrchthd(WorkerContext context, int slot, bool engineMode, std::function<void(int)> finished)
    : ctx_(context),
      slot_(slot),
      engineMode_(engineMode),
      finished_(std::move(finished)),
      http_(CommonHttpSetup(context.settings)),
      thread_([this] { Execute(); }) {}

Tsrchthd::~Tsrchthd() { Join(); }

void Tsrchthd::Join() {
  if (thread_.joinable()) thread_.join();
}

void Tsrchthd::StopWorker() {
  stopRequested_ = true;
  http_.Stop();
}

void Tsrchthd::CheckWorkerTimeout(int limitMinutes) {
  if (++watchdogTicks_ > limitMinutes) {
    watchdogTicks_ = 0;
    http_.CloseConnection();
  }
}

void Tsrchthd::Execute() {
  sched_param idle{};
  pthread_setschedparam(pthread_self(), SCHED_IDLE, &idle);
  titleIndex_ = -1;
  if (engineMode_) {
    try {
      RunEngineQueries();
    } catch (...) {
      // An engine phase that fails goes on with the crawl, like one that found nothing.
    }
  }
  if (!stopRequested_) {
    try {
      linkFilter_ = std::make_unique<LinkFilter>(ctx_.settings);
      CrawlPages(TakeNextUrl());
    } catch (...) {
      // The worker ends as if no URL were left.
    }
  }
  page_.clear();
  ctx_.ui.Post([finished = finished_, slot = slot_] { finished(slot); });
}

void Tsrchthd::RunEngineQueries() {
  int e = 0;
  std::string keyword = Trim(ctx_.run.TakeNextJob(engine_, e));
  while (!keyword.empty() && !stopRequested_) {
    // The jobs of a suspended engine are skipped: the run goes on with the others.
    if (!ctx_.run.engines.IsSuspended(e) && !QueryEngine(e, keyword)) return;
    keyword = Trim(ctx_.run.TakeNextJob(engine_, e));
  }
}

bool Tsrchthd::QueryEngine(int e, const std::string& keyword) {
  EngineStatus& status = ctx_.run.engines;
  const int interval = engine_.extensions.IntervalMs();
  int k = 0;
  std::string url = BuildQueryUrl(engine_, keyword, k);
  for (int pages = 1; !stopRequested_; ++pages) {
    if (ctx_.run.Level1Count() >= ctx_.settings.chache1number) return false;
    const std::string host = UrlHost(url);
    if (!ctx_.run.AcquireEngineHost(host, interval, stopRequested_)) break;
    if (!engine_.extensions.WarmupUrl().empty() && status.ClaimWarmup(e)) {
      const bool warm = WarmUp(e, url);
      ctx_.run.ReleaseEngineHost(host, interval);
      if (!warm || !ctx_.run.AcquireEngineHost(host, interval, stopRequested_)) break;
    }
    const EngineQuery query = BuildEngineQuery(engine_, url, status.Token(e), status.Cookies(e, engine_.extensions.Cookies()));
    watchdogTicks_ = 0;
    const FetchResult fetched = http_.Get(query.url, query.options);
    ctx_.run.ReleaseEngineHost(host, interval);
    if (stopRequested_) break;
    status.KeepCookies(e, fetched.setCookies);
    const EngineResponse response = ResponseOf(fetched);
    const ResultPage cut = CutResultPage(engine_, response.body, response.contentType);
    const FetchOutcome outcome = ClassifyEngineResponse(response, engine_, cut);
    const bool ok = outcome == FetchOutcome::kOk;
    status.Record(e, outcome, response.status, query.url, ok ? static_cast<int>(cut.items.size()) : 0,
                  response.retryAfterSeconds);
    if (!ok) break;
    const int added = QueueResults(cut);
    if (added < 0) return false;
    // An engine that offers a next page for ever, or the same results again, ends here.
    if (added == 0 || !HasNextPage(engine_, cut) || pages >= MaxResultPages(engine_)) break;
    url = engine_.nextMode == "1" && !cut.next.empty() ? cut.next : BuildQueryUrl(engine_, keyword, ++k);
  }
  return true;
}

bool Tsrchthd::WarmUp(int e, const std::string& firstQueryUrl) {
  EngineStatus& status = ctx_.run.engines;
  const EngineQuery query = BuildWarmupQuery(engine_, firstQueryUrl, status.Cookies(e, engine_.extensions.Cookies()));
  watchdogTicks_ = 0;
  const FetchResult fetched = http_.Get(query.url, query.options);
  if (stopRequested_) return false;
  status.KeepCookies(e, fetched.setCookies);
  const EngineResponse response = ResponseOf(fetched);
  // A warm-up that only sets cookies may answer with a redirect.
  ResultPage page;
  page.areaFound = true;
  FetchOutcome outcome = ClassifyEngineResponse(response, engine_, page);
  if (outcome == FetchOutcome::kNoResults || outcome == FetchOutcome::kRedirected) outcome = FetchOutcome::kOk;
  const std::string token = CutWarmupToken(engine_, response.body);
  if (outcome == FetchOutcome::kOk && !engine_.extensions.TokenStart().empty() && token.empty())
    outcome = FetchOutcome::kBlocked;
  if (outcome != FetchOutcome::kOk) {
    status.Record(e, outcome, response.status, query.url, 0, response.retryAfterSeconds);
    return false;
  }
  status.SetToken(e, token);
  status.CountRequest(e);
  return true;
}

FetchResult Tsrchthd::FetchPage(const std::string& url, const FetchOptions& options) {
  page_.clear();
  watchdogTicks_ = 0;
  FetchResult result = http_.Get(url, options);
  contentType_ = result.contentType;
  if (result.ok) page_ = std::move(result.body);
  return result;
}

bool Tsrchthd::Pause(std::chrono::seconds time) {
  const auto until = std::chrono::steady_clock::now() + time;
  while (!stopRequested_ && std::chrono::steady_clock::now() < until)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  return !stopRequested_;
}

PageScanner Tsrchthd::Scanner(const std::string& pageCharset) {
  return PageScanner({page_, currentUrl_, titleIndex_, stopRequested_, pageCharset, ctx_.run, ctx_.settings,
                      [this](const std::string& email, const std::string& url, const std::string& title) {
                        findings_.results.push_back({email, url, title});
                      },
                      [this](const std::string& url) { findings_.links.push_back(url); }, linkFilter_.get()});
}

int Tsrchthd::QueueResults(const ResultPage& cut) {
  int added = 0;
  for (const ResultItem& item : cut.items) {
    if (stopRequested_ || ctx_.run.Level1Count() >= ctx_.settings.chache1number) return -1;
    if (!ctx_.run.IsKnownLevel1Url(item.url) && AddLevel1(item.url, item.title)) ++added;
  }
  return added;
}

bool Tsrchthd::CheckResponseStart(const ResponseStart& start) const {
  const bool tooBig = ctx_.settings.sizecheck && start.contentLength &&
                      *start.contentLength > static_cast<std::int64_t>(ctx_.settings.size) * 1024;
  return !tooBig && start.contentType && IsTextContent(*start.contentType);
}

void Tsrchthd::FetchCrawledPage(const std::string& url) {
  redirectUrl_.clear();
  FetchOptions options;
  options.followRedirects = true;
  options.freshConnection = true;
  // A page read for its public addresses sends nothing secret: certificate errors are tolerated.
  options.verifyCertificates = false;
  if (ctx_.settings.sizecheck) options.bodyCap = static_cast<std::size_t>(std::max(0, ctx_.settings.size.load())) * 1024;
  options.onRedirect = [this](const std::string& location) { redirectUrl_ = location; };
  options.onResponseStart = [this](const ResponseStart& start) { return CheckResponseStart(start); };
  if (ctx_.settings.robots && !ctx_.run.robots.Allows(url, [this](const std::string& robotsUrl) {
        return FetchRobots(robotsUrl);
      })) {
    page_.clear();  // a page robots.txt forbids is taken as empty
    return;
  }
  const FetchResult result = FetchPage(RequestUrl(url), options);
  // A host that asks to wait is paused for that long (at most kMaxRetryAfterSeconds), then
  // asked once more; a 429 or 503 without Retry-After gives the URL up.
  if ((result.status == 429 || result.status == 503) && result.retryAfterSeconds >= 0) {
    const std::chrono::seconds wait(std::min(result.retryAfterSeconds, kMaxRetryAfterSeconds));
    ctx_.run.PauseHost(host_, std::chrono::steady_clock::now() + wait);
    if (Pause(wait)) FetchPage(RequestUrl(url), options);
  }
}

std::string Tsrchthd::FetchRobots(const std::string& robotsUrl) {
  FetchOptions options;
  options.followRedirects = true;
  options.verifyCertificates = false;
  options.bodyCap = kRobotsBodyCap;
  watchdogTicks_ = 0;
  FetchResult result = http_.Get(robotsUrl, options);
  return result.ok ? std::move(result.body) : std::string();
}

std::string Tsrchthd::TakeNextUrl() {
  int titleIndex = -1;
  std::string url;
  try {
    url = ctx_.run.TakeNextUrlForHost(titleIndex, stopRequested_, ctx_.settings.hostconnections, host_);
  } catch (...) {
    url.clear();
  }
  titleIndex_ = titleIndex;
  return url;
}

void Tsrchthd::CrawlPages(std::string url) {
  url = Trim(url);
  while (!stopRequested_ && !url.empty()) {
    currentUrl_ = url;
    try {
      FetchCrawledPage(url);
    } catch (...) {
      page_.clear();
    }
    ctx_.run.ReleaseHost(host_);
    ctx_.run.CountFetch();
    if (stopRequested_) return;
    if (!redirectUrl_.empty()) url = redirectUrl_;
    try {
      RemoveLineBreaks(page_);
      if (page_.size() > 10) ScanPage(url);
    } catch (...) {
      // A scan that runs out of memory, or fails otherwise, leaves the rest of the page unread.
    }
    url = TakeNextUrl();
  }
}

void Tsrchthd::ScanPage(const std::string& base) {
  findings_ = {};
  const PageScanner scanner = Scanner(PageCharset(contentType_, page_));
  scanner.ScanPage(base);
  HandOverFindings();
}

// One hand-over for all a page has found: its addresses, then its links while the level-2 list
// has room (the room the scan's own tests saw one by one).
void Tsrchthd::HandOverFindings() {
  if (findings_.results.empty() && findings_.links.empty()) return;
  HandOver([this] {
    for (const PageFindings::Row& row : findings_.results) ctx_.results.AddRow(row.email, row.url, row.title);
    for (const std::string& link : findings_.links)
      if (!IsBlankText(link) && ctx_.run.Level2Count() <= ctx_.settings.chache2number) ctx_.run.AddLevel2(link);
  });
  findings_ = {};
}

void Tsrchthd::HandOver(const std::function<void()>& addition) {
  try {
    ctx_.ui.Invoke([&] {
      if (!stopRequested_) addition();
    });
  } catch (...) {
    // A hand-over that fails loses only its own item.
  }
}

bool Tsrchthd::AddLevel1(const std::string& url, const std::string& title) {
  if (IsBlankText(url)) return false;
  bool added = false;
  HandOver([&] { added = ctx_.run.AddLevel1(url, title); });
  return added;
}


std::unique_ptr<SearchWorker> TsrchthdFactory::CreateWorker(int slot, bool engineMode, std::function<void(int)> finished) {
  return std::make_unique<Tsrchthd>(context_, slot, engineMode, std::move(finished));
}

}  // namespace marvessa
