// The search worker thread: queries the engines for keyword jobs, then crawls the pending URLs
// and hands what it finds to the UI thread.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "app/uglobal.h"
#include "app/uuithread.h"
#include "engines/uengine.h"
#include "results/uresults.h"
#include "search/uhttp.h"
#include "search/urunstate.h"
#include "search/uscanner.h"
#include "search/uworker.h"

namespace marvessa {

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
  // Fetches into page (empty after a failure); without options as engine result pages are fetched.
  void FetchPage(const std::string& url, const FetchOptions& options = {});
  void CutResultArea();
  std::string HarvestResultPage();
  std::string FindNextPageLink(const PageScanner& page);
  void CrawlPages(std::string url);
  void FetchCrawledPage(const std::string& url);
  bool CheckResponseStart(const ResponseStart& start) const;
  void ScanPage(const std::string& base);
  // The scanner over the page in hand.
  PageScanner Scanner(bool pageIsUtf8);

  // Synchronous hand-overs to the UI thread; each does nothing once a stop is requested.
  void AddLevel1(const std::string& url, const std::string& title);
  void AddLevel2(const std::string& url);
  void AddResult(const std::string& email, const std::string& url, const std::string& title);
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
  std::string redirectUrl_;
  std::string page_;
  std::string pageLower_;
  std::string contentType_;
  int titleIndex_ = -1;

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
