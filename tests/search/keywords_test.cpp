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
  EXPECT_EQ(BuildQueryUrl(e, "  服装 +出口 ", 0), "http://s.k.test/find?q=服装 +出口&p=1&x");
  EXPECT_EQ(BuildQueryUrl(e, "a", 1), "http://s.k.test/find?q=a&p=31&x");
  EXPECT_EQ(BuildQueryUrl(e, "a", 2), "http://s.k.test/find?q=a&p=61&x");
  e.pageStep = -5;
  e.firstPage = 0;
  EXPECT_EQ(BuildQueryUrl(e, "a", 1), "http://s.k.test/find?q=a&p=-5&x");
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
