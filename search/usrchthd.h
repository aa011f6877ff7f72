// The search worker thread: queries the engines for keyword jobs, then crawls the pending URLs
// and hands what it finds to the UI thread.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "base/uglobal.h"
#include "base/uuithread.h"
#include "engines/uengine.h"
#include "net/uhttp.h"
#include "search/ulinkfilter.h"
#include "search/uresultpage.h"
#include "search/urowsink.h"
#include "search/urunstate.h"
#include "search/uscanner.h"
#include "search/uworker.h"

namespace marvessa {

// The longest pause a Retry-After gets before the one more try.
inline constexpr int kMaxRetryAfterSeconds = 120;
inline constexpr std::size_t kRobotsBodyCap = 512 * 1024;

// What every worker of a run shares.
struct WorkerContext {
  const Settings& settings;
  RunState& run;
  RowSink& results;
  UiThread& ui;
};

class Tsrchthd : public SearchWorker {
 public:
  // Starts the thread at once; finished(slot) is posted to the UI thread when it ends.
  Tsrchthd(WorkerContext context, int slot, bool engineMode, std::function<void(int)> finished);
  ~Tsrchthd() override;

  void StopWorker() override;
  void CheckWorkerTimeout(int limitMinutes) override;
  void Join() override;

 private:
  void Execute();
  void RunEngineQueries();
  // Pages through engine e (of the run) for the keyword, recording every request's outcome;
  // false when the full level-1 list ends the engine phase.
  bool QueryEngine(int e, const std::string& keyword);
  // The engine's warm-up request: its cookies and token kept for the run; false when it failed.
  bool WarmUp(int e, const std::string& firstQueryUrl);
  // Fetches into page (empty after a failure); without options as engine result pages are fetched.
  FetchResult FetchPage(const std::string& url, const FetchOptions& options = {});
  // Sleeps; false when a stop came first.
  bool Pause(std::chrono::seconds time);
  // The next URL to crawl, with its host's slot held in host_; empty when none is left.
  std::string TakeNextUrl();
  std::string FetchRobots(const std::string& robotsUrl);
  // Queues the new result URLs of a cut result page; how many were new, or -1 when a stop or
  // the full level-1 list ended the engine phase first.
  int QueueResults(const ResultPage& cut);
  void CrawlPages(std::string url);
  void FetchCrawledPage(const std::string& url);
  bool CheckResponseStart(const ResponseStart& start) const;
  void ScanPage(const std::string& base);
  // The scanner over the page in hand.
  PageScanner Scanner(const std::string& pageCharset);

  // Synchronous hand-overs to the UI thread; each does nothing once a stop is requested.
  bool AddLevel1(const std::string& url, const std::string& title);  // true when queued
  void HandOverFindings();
  void HandOver(const std::function<void()>& addition);

  WorkerContext ctx_;
  const int slot_;
  const bool engineMode_;
  std::function<void(int)> finished_;
  HttpClient http_;
  std::atomic<bool> stopRequested_{false};
  std::atomic<int> watchdogTicks_{0};

  EngineDef engine_;
  std::string currentUrl_;
  std::string host_;  // the site host of the URL being crawled
  std::string redirectUrl_;
  std::string page_;
  std::string contentType_;
  int titleIndex_ = -1;
  std::unique_ptr<LinkFilter> linkFilter_;  // made when the crawl begins
  // What the scan of the page in hand has found, handed over at once when it is done.
  struct PageFindings {
    struct Row {
      std::string email, url, title;
    };
    std::vector<Row> results;
    Lines links;
  } findings_;

  std::thread thread_;
};

class TsrchthdFactory : public SearchWorkerFactory {
 public:
  explicit TsrchthdFactory(WorkerContext context) : context_(context) {}
  std::unique_ptr<SearchWorker> CreateWorker(int slot, bool engineMode, std::function<void(int)> finished) override;

 private:
  WorkerContext context_;
};

// The MIME type of a crawled page is text when it names "text" or "javascript".
bool IsTextContent(const std::string& contentType);

}  // namespace marvessa
