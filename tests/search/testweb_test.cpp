// The loopback test web serves what its documentation promises; other tests and the benchmarks
// rely on it.
#include <gtest/gtest.h>

#include "engines/ucatalog.h"
#include "engines/uengine.h"
#include "net/ucharset.h"
#include "net/uhttp.h"
#include "sandbox/companyweb.h"
#include "sandbox/corpus.h"
#include "sandbox/corpusweb.h"
#include "sandbox/testengine.h"
#include "search/uaddressfinder.h"
#include "search/ukeywords.h"

namespace marvessa {
namespace {

using sandbox::CompanyWeb;
using sandbox::TestEngine;
using sandbox::TestEngineOptions;

// The text between a and the next b, searching from *from on; advances *from to b.
std::string Between(const std::string& text, const std::string& a, const std::string& b, std::size_t* from) {
  const std::size_t start = text.find(a, *from);
  if (start == std::string::npos) return "";
  const std::size_t end = text.find(b, start + a.size());
  if (end == std::string::npos) return "";
  *from = end;  // b stays at the front, as when the worker cuts
  return text.substr(start + a.size(), end - start - a.size());
}

struct Item {
  std::string url;
  std::string title;
};

// The items of a result page, cut with the markers of the engine block as the worker cuts them.
std::vector<Item> CutItems(const EngineDef& e, const std::string& page) {
  std::vector<Item> items;
  std::size_t from = page.find(e.areaStart);
  for (;;) {
    std::size_t at = 0;
    const std::string item = Between(page, e.itemStart, e.itemEnd, &from);
    if (item.empty()) return items;
    Item cut;
    if (e.itemOrder > 0) cut.title = Between(item, e.titleStart, e.titleEnd, &at);
    cut.url = Between(item, e.urlStart, e.urlEnd, &at);
    if (e.itemOrder == 0) cut.title = Between(item, e.titleStart, e.titleEnd, &at);
    RemoveChars(cut.url, "\"'");
    items.push_back(cut);
  }
}

EngineDef Load(const TestEngine& engine) {
  EngineDef def;
  EXPECT_TRUE(LoadEngineBlock(sandbox::TestRunEngineList({engine.EngineBlock()}), 0, def));
  return def;
}

TEST(TestEngine, PagesFollowFirstPageAndStepAndEndWithoutANextLink) {
  for (const int itemOrder : {0, 1}) {
    TestEngine engine(TestEngineOptions{3, 2, 1, 30, itemOrder, "0", {}, false});
    const EngineDef def = Load(engine);
    HttpClient client;
    const std::string keyword = "服装  +出口";
    for (int k = 0; k < 4; ++k) {
      EXPECT_EQ(engine.QueryUrl(keyword, k), BuildQueryUrl(def, keyword, k));
      const FetchResult page = client.Get(RequestUrl(engine.QueryUrl(keyword, k)));
      ASSERT_TRUE(page.ok) << page.error;
      const std::vector<Item> items = CutItems(def, page.body);
      ASSERT_EQ(items.size(), k < 3 ? 2u : 0u);
      for (int j = 0; j < static_cast<int>(items.size()); ++j) {
        EXPECT_EQ(items[j].url, engine.ResultUrl(2 * k + j));
        EXPECT_EQ(items[j].title, "Result " + std::to_string(2 * k + j) + " 服装 +出口");
      }
      EXPECT_EQ(page.body.find(def.nextEnd) != std::string::npos, k < 2) << "page " << k;
    }
    const auto requests = engine.Requests();
    ASSERT_EQ(requests.size(), 4u);
    for (int k = 0; k < 4; ++k) {
      EXPECT_EQ(requests[k].keyword, "%B7%FE%D7%B0%20%2B%B3%F6%BF%DA");
      EXPECT_EQ(requests[k].number, 1 + 30 * k);
      EXPECT_EQ(requests[k].page, k < 3 ? k : -1);
      EXPECT_EQ(requests[k].accept, kHttpAccept);
    }
  }
}

TEST(TestEngine, NextLinkModeGivesTheLinkAfterTheLastNextStart) {
  TestEngine engine(TestEngineOptions{2, 1, 0, 10, 0, "1", {}, true});
  const EngineDef def = Load(engine);
  HttpClient client;
  const FetchResult first = client.Get(engine.QueryUrl("kw", 0));
  ASSERT_TRUE(first.ok);
  EXPECT_EQ(CutItems(def, first.body).at(0).url, engine.ResultUrl(0).substr(7) + "#top");
  std::size_t from = 0;
  std::string link = Between(first.body, def.nextStart, def.nextEnd, &from);
  link = link.substr(link.rfind(def.nextStart) + def.nextStart.size());
  const FetchResult second = client.Get(def.nextPrefix + link);
  ASSERT_TRUE(second.ok);
  EXPECT_EQ(engine.Requests().at(1).page, 1);
  EXPECT_TRUE(engine.Requests().at(1).viaNextLink);
  EXPECT_FALSE(engine.Requests().at(0).viaNextLink);
}

TEST(TestEngine, CatalogueOfTestEnginesIsAValidEngineFile) {
  TestEngine a;
  TestEngine b(TestEngineOptions{1, 1, 1, 1, 1, "1", {}, false});
  const Lines catalog = sandbox::TestCatalog({{"A", 1, a.EngineBlock()}, {"B", 0, b.EngineBlock()}, {"C", 1, b.EngineBlock()}});
  EXPECT_EQ(CatalogFromFileBytes(EngineFileText(catalog)), catalog);
  EXPECT_EQ(BuildRunEngineList(catalog, 1, "1"), sandbox::TestRunEngineList({b.EngineBlock()}));
}

TEST(CompanyWeb, ServesEveryPageWithTitleAddressesAndLinks) {
  CompanyWeb web(sandbox::CompanyWebOptions{3, 2, 200, 4});
  HttpClient client;
  const auto urls = web.PageUrls();
  ASSERT_EQ(urls.size(), 15u);
  EXPECT_EQ(urls[5], web.SiteUrl(1));
  EXPECT_TRUE(StartsWith(web.SiteUrl(1), "http://127.0.0.3:"));
  for (int site = 0; site < 3; ++site) {
    for (const auto& page : CompanyWeb::PageNames()) {
      const FetchResult result = client.Get(web.PageUrl(site, page));
      ASSERT_TRUE(result.ok) << result.error;
      EXPECT_EQ(result.contentType, "text/html");
      EXPECT_TRUE(Contains(result.body, "<title>" + CompanyWeb::Title(site, page) + "</title>"));
      for (const auto& address : CompanyWeb::Addresses(site, page)) {
        const std::string local = address.substr(0, address.find('@'));
        EXPECT_TRUE(Contains(result.body, local)) << address;
      }
    }
  }
  const std::string home = client.Get(web.SiteUrl(2)).body;
  for (const std::string& link : std::vector<std::string>{"\"contact.htm\"", "'/s2/about.htm'", web.PageUrl(2, "lx.htm"), "\"" + web.PageUrl(0, "about.htm") + "\""})
    EXPECT_TRUE(Contains(home, "href=" + link)) << link;
  EXPECT_EQ(client.Get(web.SiteUrl(3)).status, 404);
  EXPECT_EQ(client.Get(web.PageUrl(0, "other.htm")).status, 404);
  EXPECT_EQ(web.Requests(), 18);
}

TEST(CorpusWeb, ServesTheCorpusWithEveryUrlOnLoopbackAndTheSameAddresses) {
  EXPECT_EQ(sandbox::OnLoopback("<a href=\"HTTPS://a.com/x\"><img src='//cdn.b.com/y'> see //c, http://u:p@d.com/"),
            "<a href=\"http://127.0.0.1:9//a.com/x\"><img src='http://127.0.0.1:9//cdn.b.com/y'> see //c, "
            "http://127.0.0.1:9//u:p@d.com/");
  const sandbox::CorpusWeb web;
  const auto urls = web.PageUrls();
  ASSERT_EQ(urls.size(), sandbox::AddressCorpus().size());
  HttpClient client;
  auto addresses = [](std::string_view page) {
    std::string found;
    FindAddresses(page, PageBytesOf(PageCharset("", page)), *BuiltinAddressRules(), [&](std::string_view address, AddressFault fault) {
      if (fault == AddressFault::kNone) found += std::string(address) + " ";
      return true;
    });
    return found;
  };
  for (std::size_t i = 0; i < urls.size(); ++i) {
    const FetchResult result = client.Get(urls[i]);
    ASSERT_TRUE(result.ok) << urls[i];
    EXPECT_EQ(result.body, sandbox::OnLoopback(sandbox::AddressCorpus()[i].html));
    EXPECT_EQ(addresses(result.body), addresses(sandbox::AddressCorpus()[i].html)) << urls[i];
    const std::string lower = LowerAscii(result.body);
    for (const std::string scheme : {"http://", "https://"})
      for (std::size_t p = lower.find(scheme); p != std::string::npos; p = lower.find(scheme, p + 1))
        EXPECT_EQ(lower.substr(p, 19), "http://127.0.0.1:9/") << urls[i];
  }
}

}  // namespace
}  // namespace marvessa
