#include <gtest/gtest.h>

#include "base/utext.h"
#include "base/utexttable.h"

namespace marvessa {
namespace {

TEST(Text, TrimRemovesControlBytesAndBlanksOnlyAtTheEnds) {
  EXPECT_EQ(Trim("\t\r\n a b \x01\x1f"), "a b");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(TrimLeft("  x "), "x ");
  // Bytes above 127 (GBK) are never blanks.
  EXPECT_EQ(Trim(" 中文 "), "中文");
}

TEST(Text, LowerCasingKeepsLengthAndTouchesOnlyAsciiLetters) {
  const std::string mixed = "AbC-Z@中文";
  const std::string lower = LowerAscii(mixed);
  EXPECT_EQ(lower.size(), mixed.size());
  EXPECT_EQ(lower.substr(0, 6), "abc-z@");
  EXPECT_EQ(lower.substr(6), std::string("中文"));
  // Sixteen bytes at a time and the rest one by one: the neighbours of A..Z and the bytes whose
  // low seven bits are a capital stay; every byte A..Z is lowered, a GBK second byte too.
  EXPECT_EQ(LowerAscii("@AZ[`az{\xC1\xDA\x81\x41MIXED"), "@az[`az{\xC1\xDA\x81\x61mixed");
  EXPECT_TRUE(EqualsNoCase("[BODY]", "[body]"));
  EXPECT_FALSE(EqualsNoCase("[body] ", "[body]"));
  // Longer than a chunk: the last one overlaps its predecessor and still reads the last byte.
  EXPECT_TRUE(EqualsNoCase("HTTP://127.0.0.1/D1/A.HTM", "http://127.0.0.1/d1/a.htm"));
  EXPECT_FALSE(EqualsNoCase("http://127.0.0.1/d1/a.htm", "http://127.0.0.1/d1/a.htn"));
}

TEST(Text, FindNoCaseInWholeChunksAndTheRest) {
  const std::string x14(14, 'x'), x40(40, 'x');
  constexpr std::size_t none = std::string::npos;
  const struct {
    std::string hay, needle;
    std::size_t from, at;
  } cases[] = {
      {"xxHREF=yy", "href=", 0, 2},          // shorter than a chunk
      {x40 + "HrEf=" + x40, "href=", 0, 40},  // within a chunk
      {x14 + "href=", "href=", 0, 14},        // across a chunk's end
      {x40 + "href" + x40, "href=", 0, none},
      {"href= href=" + x40, "href=", 1, 6},
      {x40 + "@x" + x40, "`x", 0, none},  // only letters match either case
      {x40 + "Mail" + x40, "MAIL", 0, 40},
      {"abc", "", 0, none},
      {"ab", "abc", 0, none},
      {"abc", "c", 5, none},
  };
  for (const auto& c : cases) EXPECT_EQ(FindNoCase(c.hay, c.needle, c.from), c.at) << c.hay << " / " << c.needle;
}

TEST(Text, SplitLinesAcceptsEveryLineEndAndNoTrailingEmptyLine) {
  EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n"), (Lines{"a"}));
  EXPECT_EQ(SplitLines("a\n\nb\r\n\r\n"), (Lines{"a", "", "b", ""}));
  EXPECT_EQ(SplitLines("\r\r\n"), (Lines{"", ""}));
  EXPECT_TRUE(SplitLines("").empty());
  EXPECT_EQ(JoinLinesCrLf({"a", ""}), "a\r\n\r\n");
}

TEST(Text, ReplaceAllRescansAcrossTheInsertionPoint) {
  std::string s = "a  b   c";
  ReplaceAll("  ", " ", s);
  EXPECT_EQ(s, "a b c");
  s = "aabb";
  ReplaceAll("ab", "", s);
  EXPECT_EQ(s, "");
  s = "x";
  ReplaceAll("", "y", s);
  EXPECT_EQ(s, "x");
}

TEST(Text, ParseIntTakesDecimalAndPrefixedHexOnly) {
  EXPECT_EQ(ParseInt("42"), 42);
  EXPECT_EQ(ParseInt("-7"), -7);
  EXPECT_EQ(ParseInt("0x40"), 64);
  EXPECT_EQ(ParseInt("0XfF"), 255);
  EXPECT_EQ(ParseInt("0xFFFFFFFF"), -1);
  EXPECT_FALSE(ParseInt("0x"));
  EXPECT_FALSE(ParseInt("0x1G"));
  EXPECT_FALSE(ParseInt(" 1"));
  EXPECT_FALSE(ParseInt("1a"));
  EXPECT_FALSE(ParseInt("abc"));
  EXPECT_FALSE(ParseInt(""));
  EXPECT_FALSE(ParseInt("99999999999"));
  EXPECT_FALSE(ParseDecimal("0x40"));
}

TEST(Text, GbkAndUtf8ConvertBothWaysWithoutLoss) {
  const std::string gbk = "就绪<邮址>";
  const std::string utf8 = GbkToUtf8(gbk);
  EXPECT_EQ(utf8, std::string(reinterpret_cast<const char*>(u8"就绪<邮址>")));
  EXPECT_EQ(Utf8ToGbk(utf8), gbk);
  // A character outside GBK survives through GB18030.
  const std::string emoji = reinterpret_cast<const char*>(u8"a\U0001F600b");
  EXPECT_EQ(GbkToUtf8(Utf8ToGbk(emoji)), emoji);
  // Undecodable bytes are dropped instead of ending the conversion.
  EXPECT_EQ(GbkToUtf8("a\xff" "b"), "ab");
}

TEST(Text, IndexOfLineMatchesWholeLinesIgnoringCase) {
  const Lines lines{"x", "[Body]", "[body]", " [/body]"};
  EXPECT_EQ(IndexOfLineNoCase(lines, "[body]"), 1);
  EXPECT_EQ(IndexOfLineNoCase(lines, "[body]", 2), 2);
  EXPECT_EQ(IndexOfLineNoCase(lines, "[/body]"), -1);
}

TEST(Text, TextTableFindsEveryTextAfterGrowingAndMakesEachValueOnce) {
  TextTable<int> table;
  // Texts that differ only in their last byte, past whole eight-byte words, and an empty one.
  const auto text = [](int n) { return std::string(static_cast<std::size_t>(n % 23), 'x') + std::to_string(n); };
  for (int n = 0; n < 3000; ++n) table.Entry(text(n), [n] { return n; });
  table.Entry("", [] { return -1; });
  int made = 0;
  for (int n = 0; n < 3000; ++n) {
    ASSERT_NE(table.Find(text(n)), nullptr) << n;
    EXPECT_EQ(*table.Find(text(n)), n);
    EXPECT_EQ(table.Entry(text(n), [&made] { return ++made; }), n);
  }
  EXPECT_EQ(made, 0);
  EXPECT_EQ(*table.Find(""), -1);
  EXPECT_EQ(table.Find("x3000"), nullptr);
  EXPECT_EQ(table.size(), 3001u);
}

}  // namespace
}  // namespace marvessa
