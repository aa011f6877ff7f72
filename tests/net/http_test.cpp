#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <future>
#include <thread>

#include "base/uglobal.h"
#include "base/utext.h"
#include "net/uhttp.h"
#include "net/utls.h"
#include "sandbox/testca.h"
#include "sandbox/testweb.h"
#include "tests/support/faultweb.h"

#include <httplib.h>

namespace marvessa {
namespace {

using test::FaultWeb;
using test::HeaderValue;
using test::RequestTarget;
using namespace std::chrono_literals;

// Polls until the condition holds; false after five seconds.
template <typename Condition>
bool Eventually(Condition condition) {
  for (int i = 0; i < 500; ++i) {
    if (condition()) return true;
    std::this_thread::sleep_for(10ms);
  }
  return condition();
}

FetchOptions Following() {
  FetchOptions options;
  options.followRedirects = true;
  return options;
}

FetchOptions FollowingInto(std::vector<std::string>& locations) {
  FetchOptions options = Following();
  options.onRedirect = [&locations](const std::string& location) { locations.push_back(location); };
  return options;
}

class HttpClientTest : public ::testing::Test {
 protected:
  std::future<FetchResult> FetchInBackground(const std::string& path, FetchOptions options = {}) {
    return std::async(std::launch::async, [this, path, options] { return client.Get(web.Url(path), options); });
  }
  // A cut fetch must end within a second; if it does not, the server is stopped so that the
  // test fails instead of hanging.
  FetchResult AwaitCut(std::future<FetchResult>& fetch) {
    if (fetch.wait_for(1s) != std::future_status::ready) {
      ADD_FAILURE() << "the fetch was not cut within a second";
      web.Stop();
    }
    return fetch.get();
  }
  // A fetch blocked on the server is cut from this thread.
  void ExpectCut(const std::string& path) {
    const std::size_t before = web.Requests().size();
    auto fetch = FetchInBackground(path);
    ASSERT_TRUE(Eventually([&] { return web.Requests().size() > before; }));
    std::this_thread::sleep_for(100ms);
    client.CloseConnection();
    const FetchResult result = AwaitCut(fetch);
    EXPECT_FALSE(result.ok) << path;
    EXPECT_TRUE(result.body.empty());
  }

  FaultWeb web;
  HttpClient client;
};

TEST_F(HttpClientTest, SendsABrowsersHeadersExactlyOverHttp11) {
  Settings settings;
  settings.currentScope = 5;
  client.SetSetup(CommonHttpSetup(settings));
  const FetchResult result = client.Get(web.Url("/echo"));
  ASSERT_TRUE(result.ok) << result.error;
  EXPECT_EQ(result.status, 200);
  EXPECT_EQ(result.contentType, "text/plain");
  const std::string head = web.Requests().at(0);
  EXPECT_EQ(result.body, head);
  EXPECT_EQ(head.substr(0, head.find("\r\n")), "GET /echo HTTP/1.1");
  EXPECT_EQ(HeaderValue(head, "User-Agent"), kBrowserUserAgent);
  EXPECT_EQ(HeaderValue(head, "Accept"), "text/html,application/xhtml+xml,*/*;q=0.8");
  EXPECT_EQ(HeaderValue(head, "Accept-Language"), "de-DE,de;q=0.9,en;q=0.8");
  EXPECT_EQ(HeaderValue(head, "Accept-Encoding"), "gzip, deflate, br");
  EXPECT_EQ(head.find("Accept:"), head.rfind("Accept:")) << "one Accept line only";
  EXPECT_EQ(head.find("Proxy"), std::string::npos);

  client.SetSetup(UpdateHttpSetup(settings));
  ASSERT_TRUE(client.Get(web.Url("/echo")).ok);
  const std::string update = web.Requests().at(1);
  EXPECT_EQ(HeaderValue(update, "User-Agent"), "Marvessa/" MARVESSA_VERSION);
  EXPECT_EQ(HeaderValue(update, "Accept-Language"), "");
}

TEST(AcceptLanguage, EveryScopeHasItsLanguageFirst) {
  const char* const first[] = {"zh-CN,", "en-US,", "zh-TW,", "fr-FR,", "ru-RU,", "de-DE,", "ja-JP,", "it-IT,"};
  for (int scope = 0; scope < 8; ++scope) EXPECT_TRUE(StartsWith(AcceptLanguage(scope), first[scope])) << scope;
  EXPECT_EQ(AcceptLanguage(9), AcceptLanguage(0));
}

TEST_F(HttpClientTest, GzipIsDecodedAndTheCapHoldsForTheDecodedBody) {
  client.SetSetup(CommonHttpSetup(Settings()));
  const FetchResult page = client.Get(web.Url("/gzip/5000"));
  ASSERT_TRUE(page.ok) << page.error;
  EXPECT_EQ(page.body.size(), 5000u);
  EXPECT_EQ(page.body.substr(0, 11), "<p>fill</p>");
  FetchOptions capped;
  capped.bodyCap = 4999;
  EXPECT_FALSE(client.Get(web.Url("/gzip/5000"), capped).ok);
  const FetchResult bomb = client.Get(web.Url("/gzip/" + std::to_string(48 << 20)));
  EXPECT_FALSE(bomb.ok);
  EXPECT_NE(bomb.error.find(std::to_string(kHttpSafetyBodyCap)), std::string::npos) << bomb.error;
}

TEST_F(HttpClientTest, ConnectAndLowSpeedLimitsCutAStall) {
  HttpSetup setup;
  setup.lowSpeedBytes = 1000;
  setup.lowSpeedSeconds = 1;
  client.SetSetup(setup);
  const FetchResult result = client.Get(web.Url("/silent"));  // no byte ever comes
  EXPECT_FALSE(result.ok);
  EXPECT_NE(result.error.find("too slow"), std::string::npos) << result.error;
}

TEST_F(HttpClientTest, GbkBytesInPathAndQueryReachTheServerUnchanged) {
  // Trail bytes that are also '@', '\', '|', '[' and '`' in ASCII.
  const std::string gbk = "服装%20+出口|\x81\x40\x81\x5c\x81\x7c\xfe\x5b\x95\x60";
  const std::string target = "/echo/" + gbk + "?q=" + gbk + "&start=0";
  ASSERT_TRUE(client.Get(web.Url(target)).ok);
  EXPECT_EQ(RequestTarget(web.Requests().at(0)), target);
}

TEST_F(HttpClientTest, IgnoresProxyVariablesOfTheEnvironment) {
  for (const char* name : {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"}) ::setenv(name, "http://127.0.0.1:9", 1);
  const FetchResult result = client.Get(web.Url("/echo"));
  for (const char* name : {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"}) ::unsetenv(name);
  EXPECT_TRUE(result.ok) << result.error;
  EXPECT_EQ(RequestTarget(web.Requests().at(0)), "/echo");
}

// The fault web stands in for the proxy here, so that the request as a proxy gets it is seen.
TEST_F(HttpClientTest, ProxyAndItsCredentialsFollowTheSettings) {
  Settings settings;
  settings.Proxyenabled = true;
  settings.Proxy = " 127.0.0.1 ";
  settings.ProxyPort = web.Port();
  settings.Proxyuser = "user";
  settings.Proxypsd = "pa:ss";
  client.SetSetup(CommonHttpSetup(settings));
  const std::string url = "http://127.0.0.9:1/page/服装?q=出口";
  client.Get(url + "#part");
  EXPECT_EQ(RequestTarget(web.Requests().at(0)), url);
  EXPECT_EQ(HeaderValue(web.Requests().at(0), "Proxy-Authorization"), "Basic dXNlcjpwYTpzcw==");

  settings.Proxyuser = "  ";
  client.SetSetup(CommonHttpSetup(settings));
  client.Get(url);
  EXPECT_EQ(RequestTarget(web.Requests().at(1)), url);
  EXPECT_EQ(web.Requests().at(1).find("Proxy-Authorization"), std::string::npos) << "a blank user sends no credentials";

  settings.Proxyenabled = false;
  client.SetSetup(CommonHttpSetup(settings));
  EXPECT_TRUE(client.Get(web.Url("/echo")).ok);
  EXPECT_EQ(RequestTarget(web.Requests().at(2)), "/echo");
}

TEST_F(HttpClientTest, BodyCapAdmitsExactlyTheCapWithOrWithoutContentLength) {
  FetchOptions capped;
  capped.bodyCap = 1000;
  for (const std::string path : {"/sized/", "/unsized/"}) {
    const FetchResult atCap = client.Get(web.Url(path + "1000"), capped);
    EXPECT_TRUE(atCap.ok) << path << atCap.error;
    EXPECT_EQ(atCap.body.size(), 1000u);
    const FetchResult over = client.Get(web.Url(path + "1001"), capped);
    EXPECT_FALSE(over.ok) << path;
    EXPECT_TRUE(over.body.empty());
  }
}

TEST_F(HttpClientTest, EndlessBodyIsCutAtTheCapAndAtTheSafetyCap) {
  FetchOptions capped;
  capped.bodyCap = 100 * 1024;
  const FetchResult small = client.Get(web.Url("/endless"), capped);
  EXPECT_FALSE(small.ok);
  EXPECT_TRUE(small.body.empty());
  EXPECT_NE(small.error.find("larger"), std::string::npos) << small.error;
  for (const std::size_t cap : {kHttpSafetyBodyCap, std::size_t{1} << 30}) {
    capped.bodyCap = cap;
    const FetchResult unlimited = client.Get(web.Url("/endless"), capped);
    EXPECT_FALSE(unlimited.ok);
    EXPECT_NE(unlimited.error.find(std::to_string(kHttpSafetyBodyCap)), std::string::npos) << unlimited.error;
  }
}

#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
// Run in a fresh process whose address space ends a little above what it uses, so that the body
// cannot grow to the cap: the fetch fails instead of the process.
void FetchWithLittleMemory(const std::string& url) {
  long pages = 0;
  if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%ld", &pages) != 1) pages = 0;
    std::fclose(statm);
  }
  const rlim_t limit = static_cast<rlim_t>(pages) * ::sysconf(_SC_PAGESIZE) + (rlim_t{40} << 20);
  const rlimit address{limit, limit};
  if (pages == 0 || ::setrlimit(RLIMIT_AS, &address) != 0) ::_exit(2);
  const FetchResult result = HttpClient().Get(url);
  std::fprintf(stderr, "%s\n", result.error.c_str());
  ::_exit(result.ok ? 1 : 0);
}

TEST_F(HttpClientTest, BodyThatMemoryCannotHoldIsAFailedFetch) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(FetchWithLittleMemory(web.Url("/endless")), ::testing::ExitedWithCode(0), "out of memory for the body");
}
#endif

TEST_F(HttpClientTest, ShortContentLengthReadsOnlyWhatWasAnnounced) {
  const FetchResult result = client.Get(web.Url("/short-length"));
  EXPECT_TRUE(result.ok) << result.error;
  EXPECT_EQ(result.body.size(), 10u);
}

TEST_F(HttpClientTest, ResponseStartSeesTheFinalResponseAndMayAbandonIt) {
  std::vector<ResponseStart> seen;
  bool accept = true;
  FetchOptions options = Following();
  options.onResponseStart = [&](const ResponseStart& start) {
    seen.push_back(start);
    return accept;
  };
  EXPECT_TRUE(client.Get(web.Url("/sized/500"), options).ok);
  EXPECT_TRUE(client.Get(web.Url("/no-type"), options).ok);
  EXPECT_TRUE(client.Get(web.Url("/unsized/10"), options).ok);
  EXPECT_TRUE(client.Get(web.Url("/redirect/2"), options).ok);
  ASSERT_EQ(seen.size(), 4u) << "one call per fetch, for the final response only";
  EXPECT_EQ(seen[0].contentLength, 500);
  EXPECT_EQ(seen[0].contentType, "text/html");
  EXPECT_EQ(seen[1].contentType, std::nullopt);
  EXPECT_EQ(seen[2].contentLength, std::nullopt);
  EXPECT_EQ(seen[3].contentLength, 5);

  accept = false;
  const FetchResult abandoned = client.Get(web.Url("/binary"), options);
  EXPECT_EQ(seen.back().contentType, "application/octet-stream");
  EXPECT_FALSE(abandoned.ok);
  EXPECT_TRUE(abandoned.body.empty());
  EXPECT_TRUE(abandoned.contentType.empty());
  EXPECT_TRUE(client.Get(web.Url("/echo")).ok) << "an abandoned fetch leaves the client usable";
}

TEST_F(HttpClientTest, TransportFaultsAndErrorStatusesFailWithAnEmptyBody) {
  for (const std::string path : {"/reset", "/empty", "/status/404", "/status/500", "/nowhere"}) {
    const FetchResult result = client.Get(web.Url(path));
    EXPECT_FALSE(result.ok) << path;
    EXPECT_TRUE(result.body.empty()) << path;
    EXPECT_FALSE(result.error.empty()) << path;
  }
  EXPECT_EQ(client.Get(web.Url("/status/404")).status, 404);
  EXPECT_TRUE(client.Get(web.Url("/status/204")).ok);
  EXPECT_FALSE(HttpClient().Get("http://127.0.0.1:9/").ok) << "a closed port";
}

TEST_F(HttpClientTest, FollowsFiveRedirectsWithOneNotificationEach) {
  std::vector<std::string> locations;
  const FetchResult result = client.Get(web.Url("/redirect/5"), FollowingInto(locations));
  ASSERT_TRUE(result.ok) << result.error;
  EXPECT_EQ(result.body, "final");
  EXPECT_EQ(locations, (std::vector<std::string>{web.Url("/redirect/4"), web.Url("/redirect/3"), web.Url("/redirect/2"),
                                                 web.Url("/redirect/1"), web.Url("/redirect/0")}));
}

TEST_F(HttpClientTest, SixRedirectsALoopAndANonHttpTargetFail) {
  std::vector<std::string> locations;
  for (const std::string path : {"/redirect/6", "/loop", "/ftp-redirect"}) {
    const FetchResult result = client.Get(web.Url(path), FollowingInto(locations));
    EXPECT_FALSE(result.ok) << path;
    EXPECT_TRUE(result.body.empty()) << path;
  }
  EXPECT_EQ(locations.size(), 10u) << "five hops each for the chain and the loop, none for ftp";
}

TEST_F(HttpClientTest, RelativeLocationIsReportedAsSentAndFollowed) {
  std::vector<std::string> locations;
  const FetchResult result = client.Get(web.Url("/relative-redirect"), FollowingInto(locations));
  EXPECT_TRUE(result.ok) << result.error;
  EXPECT_EQ(result.body, "final");
  EXPECT_EQ(locations, std::vector<std::string>{"redirect/0"});
}

TEST_F(HttpClientTest, RedirectsAreNotFollowedWhenOff) {
  int notifications = 0;
  FetchOptions options;
  options.onRedirect = [&](const std::string&) { ++notifications; };
  const FetchResult result = client.Get(web.Url("/redirect/1"), options);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.status, 302);
  EXPECT_TRUE(result.body.empty());
  EXPECT_EQ(notifications, 0);
  EXPECT_EQ(web.Requests().size(), 1u);
}

TEST_F(HttpClientTest, KeepsTheConnectionUnlessAFreshOneIsAsked) {
  ASSERT_TRUE(client.Get(web.Url("/echo")).ok);
  ASSERT_TRUE(client.Get(web.Url("/sized/10")).ok);
  EXPECT_EQ(web.Connections(), 1);
  FetchOptions fresh;
  fresh.freshConnection = true;
  ASSERT_TRUE(client.Get(web.Url("/echo"), fresh).ok);
  ASSERT_TRUE(client.Get(web.Url("/echo"), fresh).ok);
  EXPECT_EQ(web.Connections(), 3);
  ASSERT_TRUE(client.Get(web.Url("/echo")).ok);
  EXPECT_EQ(web.Connections(), 4) << "a fresh connection is closed when its fetch ends";
}

TEST_F(HttpClientTest, ClosingBetweenFetchesDropsTheConnectionOnly) {
  client.CloseConnection();
  ASSERT_TRUE(client.Get(web.Url("/echo")).ok);
  client.CloseConnection();
  const FetchResult next = client.Get(web.Url("/echo"));
  EXPECT_TRUE(next.ok) << next.error;
  EXPECT_EQ(web.Connections(), 2);
}

TEST_F(HttpClientTest, CrossThreadCloseCutsSilentAndDrippingServersAndTheClientGoesOn) {
  ExpectCut("/silent");
  ExpectCut("/drip");
  const FetchResult after = client.Get(web.Url("/echo"));
  EXPECT_TRUE(after.ok) << after.error;
}

TEST_F(HttpClientTest, CutBetweenRedirectHopsIsNotLost) {
  FetchOptions options = Following();
  options.onRedirect = [&](const std::string&) { client.CloseConnection(); };
  const FetchResult result = client.Get(web.Url("/redirect/1"), options);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(web.Requests().size(), 1u) << "the next hop is not requested";
  EXPECT_TRUE(client.Get(web.Url("/echo")).ok);
}

TEST_F(HttpClientTest, StopCutsTheFetchAndFailsEveryLaterOne) {
  auto fetch = FetchInBackground("/silent");
  ASSERT_TRUE(Eventually([&] { return web.Requests().size() == 1; }));
  client.Stop();
  EXPECT_FALSE(AwaitCut(fetch).ok);
  EXPECT_FALSE(client.Get(web.Url("/silent")).ok);
  EXPECT_EQ(web.Requests().size(), 1u) << "a stopped client sends nothing";
}

TEST_F(HttpClientTest, FetchesCutAtRandomNeverSucceedWithPartOfTheBody) {
  std::atomic<bool> done{false};
  std::thread cutter([&] {
    while (!done) {
      client.CloseConnection();
      std::this_thread::sleep_for(1ms);
    }
  });
  int failed = 0;
  for (int i = 0; i < 40; ++i) {
    const FetchResult result = client.Get(web.Url("/sized/300000"));
    if (result.ok) {
      EXPECT_EQ(result.body.size(), 300000u);
    } else {
      ++failed;
      EXPECT_TRUE(result.body.empty());
    }
  }
  done = true;
  cutter.join();
  EXPECT_GT(failed, 0);
  EXPECT_TRUE(client.Get(web.Url("/sized/300000")).ok);
}

// Sets an environment variable for the life of the object.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const std::string& value) : name_(name) { ::setenv(name, value.c_str(), 1); }
  ~ScopedVariable() { ::unsetenv(name_); }

 private:
  const char* name_;
};

// https against CAs this test makes: one trusted through MARVESSA_CA_FILE, one trusted by nobody.
TEST(HttpsTest, CertificatesAreCheckedUnlessToleratedAndTheExtraCaIsTrusted) {
  const sandbox::TestCa trusted;
  const sandbox::TestCa stranger;
  auto serve = [](httplib::Server& server) {
    server.Get("/p", [](const httplib::Request&, httplib::Response& r) { r.set_content("secure page", "text/html"); });
  };
  const sandbox::LoopbackHttpServer good("127.0.0.1", serve, 4, &trusted);
  const sandbox::LoopbackHttpServer bad("127.0.0.1", serve, 4, &stranger);
  FetchOptions tolerant;
  tolerant.verifyCertificates = false;
  {
    const ScopedVariable ca(kExtraCaVariable, trusted.CaFile());
    HttpClient client;
    const FetchResult page = client.Get(good.Origin() + "/p");
    ASSERT_TRUE(page.ok) << page.error;
    EXPECT_EQ(page.body, "secure page");
    const FetchResult refused = client.Get(bad.Origin() + "/p");
    EXPECT_FALSE(refused.ok);
    EXPECT_NE(refused.error.find("certificate"), std::string::npos) << refused.error;
    EXPECT_TRUE(client.Get(bad.Origin() + "/p", tolerant).ok);
    EXPECT_FALSE(client.Get(bad.Origin() + "/p").ok) << "a tolerant fetch leaves the next one checked";
  }
  HttpClient withoutExtraCa;
  EXPECT_FALSE(withoutExtraCa.Get(good.Origin() + "/p").ok);
}

}  // namespace
}  // namespace marvessa
