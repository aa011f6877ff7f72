// The maintained engine file as the build packs it: every engine cuts a hand-written page in
// its engine's markup into the expected results, with the links unwrapped, and builds its
// queries for the site it names.
#include <gtest/gtest.h>

#include <map>

#include "base/ufileio.h"
#include "engines/ucatalog.h"
#include "engines/uengine.h"
#include "net/uurl.h"
#include "search/ukeywords.h"
#include "search/uoutcome.h"
#include "search/uresultpage.h"

namespace marvessa {

void PrintTo(const ResultItem& item, std::ostream* out) { *out << item.url << " | " << GbkToUtf8(item.title); }

namespace {

struct Family {
  const char* fixture;
  std::vector<ResultItem> items;
  const char* page2;  // a part of the second page's query; empty for an engine of one page
};


const std::map<std::string, Family>& Families() {
  static const std::map<std::string, Family> families = {
      {"bing",
       {"bing.html",
        {{"https://www.expo-example.com/events?lang=en", "International Trade Show Calendar & Events"},
         {"https://fairs.example.org/", "Fairs – Example.org"},
         {"https://www.messe-example.de/aussteller/%C3%BCber-uns", "Über uns – Messe Example"},
         {"https://booth-example.net/contact", "Booth <Rental> Contact"}},
        "first=11"}},
      {"yahoo",
       {"yahoo.html",
        {{"https://www.tradeshow-example.com/calendar/", "Trade Show Calendar 2027"},
         {"https://shows.example.net/exhibit?id=42&lang=en", "Exhibit & Booths — Shows"}},
        "&b=8"}},
      {"yahoo-regional",
       {"yahoo-regional.html",
        {{"https://www.salon-example.fr/exposants/", "Salon professionnel & exposants 2027"},
         {"https://www.foire-example.fr/contact?ref=yahoo", "Foire de Lyon – Contact"}},
        "&b=8"}},
      {"mojeek",
       {"mojeek.html",
        {{"https://www.fair-example.co.uk/exhibitors", "Exhibitor List – Fair"},
         {"https://expo-example.org/about?x=1&y=2", "About the Expo"}},
        "&s=10"}},
      {"brave",
       {"brave.html",
        {{"https://www.showcase-example.com/en/exhibitors/", "Exhibitors | Showcase"},
         {"https://trade-example.io/contact?lang=en&ref=brave", "Contact us · Trade Example"}},
        "&offset=1"}},
      {"duckduckgo",
       {"duckduckgo.html",
        {{"https://www.expo-example.com/", "Expo Example & Partners"},
         {"https://www.stand-example.de/kontakt?sprache=de&x=1", "Kontakt – Stand Example"}},
        ""}},
      {"startpage",
       {"startpage.html",
        {{"https://www.showhall-example.com/exhibitors", "Exhibitors & Floor Plan | Showhall"},
         {"https://example.org/fairs?year=2027&city=paris", "Fairs 2027"}},
        "&page=2"}},
      {"yandex",
       {"yandex.html",
        {{"https://www.vystavka-example.ru/kontakty/", "Контакты — Выставка 2027"},
         {"https://expo-example.com/ru/?utm=1&p=2", "Expo & Co"}},
        "&p=1"}},
      {"baidu",
       {"baidu.html",
        {{"http://www.baidu.com/link?url=Kq8xV3n2-Fz7_wLp9Ty&wd=&eqid=9e1f", "服装出口贸易有限公司 - 联系我们"},
         {"http://www.baidu.com/link?url=Ab-Cd_Ef12", "纺织品出口指南 & 名录"}},
        "&pn=10"}},
      {"sogou",
       {"sogou.html",
        {{"https://www.fuzhuang-example.cn/qiye/", "服装出口企业名录"},
         {"https://trade-example.com.cn/lianxi.html?from=sogou&id=7", "外贸服装联系方式 & 地址"}},
        "&page=2"}},
      {"so",
       {"so.html",
        {{"https://www.export-example.com.cn/about.html", "服装出口 - 关于我们"},
         {"https://b2b-example.cn/list?cat=fz&page=1", "服装批发 & 出口名录"}},
        "&pn=2"}},
  };
  return families;
}

// Yahoo's regional domains have a markup of their own.
std::string FamilyOf(const EngineDef& engine, const EngineRow& row) {
  if (engine.engineKey == "yahoo" && row.site != "https://search.yahoo.com/") return "yahoo-regional";
  return engine.engineKey;
}

std::string Fixture(const std::string& name) { return ReadRequiredFile(std::string(MARVESSA_FIXTURES) + "/" + name); }

TEST(MaintainedEngineFile, EveryEngineCutsItsFixtureAndQueriesItsSite) {
  const EngineCatalog catalog = LoadCatalog(std::string(MARVESSA_ENGINE_FILE));
  ASSERT_NE(catalog, BuiltinCatalog());
  const auto rows = ListEngines(catalog, "");
  std::map<int, int> perScope;
  for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
    EngineDef engine;
    ASSERT_TRUE(LoadCatalogEngine(catalog, i, engine));
    const std::string family = FamilyOf(engine, rows[i]);
    SCOPED_TRACE(IntToText(i + 1) + " " + GbkToUtf8(rows[i].name) + " (" + family + ")");
    ASSERT_TRUE(Families().count(family)) << "an engine without a fixture";
    const Family& f = Families().at(family);
    ++perScope[rows[i].scope];

    EngineResponse response;
    response.status = 200;
    response.body = Fixture(f.fixture);
    const ResultPage cut = CutResultPage(engine, response.body, "text/html; charset=utf-8");
    EXPECT_EQ(cut.items, f.items);
    EXPECT_EQ(ClassifyEngineResponse(response, engine, cut), FetchOutcome::kOk);

    const std::string first = BuildQueryUrl(engine, "服装 出口", 0);
    EXPECT_EQ(UrlSiteRoot(first), UrlSiteRoot(rows[i].site)) << first;
    EXPECT_NE(first.find("=%E6%9C%8D%E8%A3%85+%E5%87%BA%E5%8F%A3"), std::string::npos) << first;
    if (*f.page2 == 0) {
      EXPECT_EQ(engine.extensions.MaxPages(), 1);
    } else {
      EXPECT_NE(BuildQueryUrl(engine, "k", 1).find(f.page2), std::string::npos);
      EXPECT_TRUE(engine.extensions.PagesByNumber() || !cut.next.empty()) << "no way to the next page";
    }
    if (!engine.extensions.TokenStart().empty()) {
      EXPECT_EQ(CutWarmupToken(engine, Fixture(family + "-home.html")), "Kx7Qp2Lm9Zr420");
    }
  }
  for (int scope = 0; scope < kScopeCount; ++scope) EXPECT_GE(perScope[scope], 4) << ScopeName(scope);
}

}  // namespace
}  // namespace marvessa
