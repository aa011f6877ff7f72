#include <gtest/gtest.h>

#include "search/ukeywords.h"

namespace marvessa {
namespace {

TEST(RunKeywords, KeywordBoxFirstThenNonBlankBatchLinesAsTyped) {
  EXPECT_EQ(BuildRunKeywords(" 服装 +出口 ", {"a", "  ", "", " b "}), (Lines{" 服装 +出口 ", "a", " b "}));
  EXPECT_EQ(BuildRunKeywords(" \t ", {"x"}), (Lines{"x"}));
  EXPECT_TRUE(BuildRunKeywords("", {}).empty());
}

TEST(QueryUrl, NumbersPagesFromFirstPageByStep) {
  EngineDef e;
  e.queryPrefix = "http://s.";
  e.engineKey = "k";
  e.queryPath = ".test/find?q=";
  e.queryPageParam = "&p=";
  e.querySuffix = "&x";
  e.pageStep = 30;
  e.firstPage = 1;
  EXPECT_EQ(BuildQueryUrl(e, "  服装 +出口 ", 0), "http://s.k.test/find?q=%B7%FE%D7%B0%20%2B%B3%F6%BF%DA&p=1&x");
  EXPECT_EQ(BuildQueryUrl(e, "a", 1), "http://s.k.test/find?q=a&p=31&x");
  EXPECT_EQ(BuildQueryUrl(e, "a", 2), "http://s.k.test/find?q=a&p=61&x");
  e.pageStep = -5;
  e.firstPage = 0;
  EXPECT_EQ(BuildQueryUrl(e, "a", 1), "http://s.k.test/find?q=a&p=-5&x");
  e.extensions.AddLine("page1=omit");
  EXPECT_EQ(BuildQueryUrl(e, "a", 0), "http://s.k.test/find?q=a&x");
  EXPECT_EQ(BuildQueryUrl(e, "a", 1), "http://s.k.test/find?q=a&p=-5&x");
}

// The engine record's extension lines name the query charset and the blank; without them the
// keyword goes out as GBK with "%20".
TEST(QueryUrl, KeywordsArePercentEncodedInTheEnginesCharset) {
  struct Case {
    const char* extensions;
    const char* keyword;
    const char* encoded;
  };
  for (const Case& c : {
           Case{"", "服装  +出口", "%B7%FE%D7%B0%20%2B%B3%F6%BF%DA"},
           Case{"charset=utf-8", "服装 出口", "%E6%9C%8D%E8%A3%85%20%E5%87%BA%E5%8F%A3"},
           Case{"charset=UTF-8&space=+", "a&b #c|d e~f.g_h-i", "a%26b+%23c%7Cd+e~f.g_h-i"},
           Case{"charset=big5", "服裝", "%AAA%B8%CB"},
           Case{"charset=shift_jis", "お問い合わせ", "%82%A8%96%E2%82%A2%8D%87%82%ED%82%B9"},
           Case{"charset=windows-1251", "Контакты", "%CA%EE%ED%F2%E0%EA%F2%FB"},
           Case{"charset=iso-8859-1&color=blue", "Straße", "Stra%DFe"},
       }) {
    EngineDef e;
    e.extensions.AddLine(c.extensions);
    EXPECT_EQ(EncodeKeyword(e, c.keyword), c.encoded) << c.extensions;
  }
}

TEST(EngineExtensions, PairsOfAnyReservedLineWithDefaultsForMissingKeys) {
  EngineExtensions none;
  EXPECT_EQ(none.QueryCharset(), "GB18030");
  EXPECT_EQ(none.QueryBlank(), "%20");
  EXPECT_EQ(none.IntervalMs(), 1000);
  EngineExtensions ext;
  ext.AddLine("Charset=UTF-8&&junk&interval=250");
  ext.AddLine("space=+&note=a%26b%3Dc");
  EXPECT_EQ(ext.QueryCharset(), "UTF-8");
  EXPECT_EQ(ext.QueryBlank(), "+");
  EXPECT_EQ(ext.IntervalMs(), 250);
  EXPECT_EQ(ext.Get("note"), "a&b=c");
  ext.AddLine("charset=no-such-charset&interval=-4");
  EXPECT_EQ(ext.QueryCharset(), "GB18030");
  EXPECT_EQ(ext.IntervalMs(), 1000);
  ext.AddLine("Cookie.SID=a%3Db&cookie.=x&header.Referer=https://r/&block=a||b|&maxpages=0&unwrap=UDDG");
  EXPECT_EQ(ext.Cookies(), (NamedValues{{"SID", "a=b"}}));
  EXPECT_EQ(ext.Headers(), (NamedValues{{"Referer", "https://r/"}}));
  EXPECT_EQ(ext.BlockTexts(), (Lines{"a", "b"}));
  EXPECT_EQ(ext.MaxPages(), 0);
  EXPECT_EQ(ext.Wrapper(), LinkWrapper::kUddg);
}

TEST(QueryUrl, RequestUrlCollapsesBlanksAndEscapesOnlyThem) {
  EXPECT_EQ(CollapseBlanks("  a  \t b\tc  "), "a b\tc");
  EXPECT_EQ(CollapseBlanks(""), "");
  EXPECT_EQ(RequestUrl(" http://h/?q=电脑  公司 -编程+x|y&z "), "http://h/?q=电脑%20公司%20-编程+x|y&z");
  EXPECT_EQ(RequestUrl("a \r\n b"), "a%20b");
}

TEST(KeywordTerms, MatchTheExamples) {
  EXPECT_EQ(ParseKeywordTerms("电脑 公司 -编程"), (Lines{"电脑", "公司"}));
  EXPECT_EQ(ParseKeywordTerms("服装 +出口"), (Lines{"服装", "出口"}));
  EXPECT_EQ(ParseKeywordTerms("食品 加工 -论坛 -留言"), (Lines{"食品", "加工"}));
  EXPECT_EQ(ParseKeywordTerms("北京|上海"), (Lines{"北京", "上海"}));
  EXPECT_EQ(ParseKeywordTerms("a-b"), (Lines{"a"}));
  EXPECT_EQ(ParseKeywordTerms("a - b"), (Lines{"a"}));
  EXPECT_TRUE(ParseKeywordTerms("-编程").empty());
  EXPECT_TRUE(ParseKeywordTerms("   ").empty());
  EXPECT_EQ(ParseKeywordTerms("  Export  TRADE "), (Lines{"export", "trade"}));
  EXPECT_EQ(ParseKeywordTerms("--a b"), (Lines{"b"}));
  EXPECT_EQ(NextTermEnd("- ab cd"), 5u);
  EXPECT_EQ(NextTermEnd("abc"), 0u);
}

TEST(KeywordTerms, BarInsideADoubleByteCharacterDoesNotSplitIt) {
  // "\x81\x7c" is one GBK character whose trail byte is "|".
  const std::string word = "\x81\x7c" "ab";
  EXPECT_EQ(ParseKeywordTerms(word + "|cd"), (Lines{word, "cd"}));
}

}  // namespace
}  // namespace marvessa
