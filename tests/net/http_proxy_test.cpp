#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "net/uhttp.h"
#include "tests/support/faultweb.h"
#include "tests/support/sandbox.h"
#include "tests/support/tinyproxy.h"

namespace marvessa {
namespace {

using test::FaultWeb;
using test::HeaderValue;
using test::RequestTarget;
using test::TinyProxy;

class HttpProxyTest : public test::SandboxTest {
 protected:
  void SetUp() override {
    if (TinyProxy::Program().empty()) GTEST_SKIP() << "tinyproxy is not installed; the proxy tests are skipped";
  }
  static HttpSetup Through(const TinyProxy& proxy, const std::string& user = "", const std::string& password = "") {
    return HttpSetup{true, "127.0.0.1", proxy.Port(), user, password};
  }
  bool ReachedThroughProxy(std::size_t request) const {
    return HeaderValue(web.Requests().at(request), "Via").find(test::kTestProxyName) != std::string::npos;
  }

  FaultWeb web;
};

TEST_F(HttpProxyTest, RequestsGoThroughTheProxyWithTheirBytesUnchanged) {
  TinyProxy proxy(sandbox.Dir());
  HttpClient client(Through(proxy));
  const std::string target = "/echo/服装?q=服装%20+出口|\x81\x40";
  const FetchResult result = client.Get(web.Url(target));
  ASSERT_TRUE(result.ok) << result.error << proxy.Log();
  ASSERT_EQ(web.Requests().size(), 1u);
  EXPECT_TRUE(ReachedThroughProxy(0)) << web.Requests()[0];
  EXPECT_EQ(RequestTarget(web.Requests()[0]), target);
  EXPECT_EQ(HeaderValue(web.Requests()[0], "Accept"), kHttpAccept);
  EXPECT_NE(proxy.Log().find(web.Url("/echo")), std::string::npos) << proxy.Log();
}

TEST_F(HttpProxyTest, BasicAuthenticationPassesWithTheRightCredentialsOnly) {
  TinyProxy proxy(sandbox.Dir(), TinyProxy::BasicAuth{"marv", "s3cret"});
  HttpClient client(Through(proxy, "marv", "s3cret"));
  const FetchResult right = client.Get(web.Url("/echo"));
  ASSERT_TRUE(right.ok) << right.error << proxy.Log();
  EXPECT_TRUE(ReachedThroughProxy(0));
  EXPECT_EQ(web.Requests()[0].find("Proxy-Authorization"), std::string::npos) << "the proxy keeps the credentials";

  for (const HttpSetup& setup : {Through(proxy, "marv", "wrong"), Through(proxy, "other", "s3cret"), Through(proxy, " ", "s3cret")}) {
    client.SetSetup(setup);
    const FetchResult wrong = client.Get(web.Url("/echo"));
    EXPECT_FALSE(wrong.ok) << setup.proxyUser << ":" << setup.proxyPassword;
    EXPECT_TRUE(wrong.status == 407 || wrong.status == 401) << wrong.status;  // tinyproxy answers either
    EXPECT_TRUE(wrong.body.empty());
  }
  EXPECT_EQ(web.Requests().size(), 1u) << "refused requests do not reach the server";
  client.SetSetup(Through(proxy, "marv", "s3cret"));
  EXPECT_TRUE(client.Get(web.Url("/echo")).ok);
}

TEST_F(HttpProxyTest, AFetchThroughTheProxyCanBeCut) {
  TinyProxy proxy(sandbox.Dir());
  HttpClient client(Through(proxy));
  auto fetch = std::async(std::launch::async, [&] { return client.Get(web.Url("/silent")); });
  for (int i = 0; i < 500 && web.Requests().empty(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  ASSERT_EQ(web.Requests().size(), 1u);
  client.CloseConnection();
  if (fetch.wait_for(std::chrono::seconds(1)) != std::future_status::ready) {
    ADD_FAILURE() << "the fetch was not cut within a second";
    web.Stop();
  }
  EXPECT_FALSE(fetch.get().ok);
  EXPECT_TRUE(client.Get(web.Url("/echo")).ok);
}

}  // namespace
}  // namespace marvessa
