#include <gtest/gtest.h>

#include "base/ufileio.h"
#include "engines/ucatalog.h"
#include "engines/uengine.h"
#include "engines/uenginesource.h"
#include "search/ukeywords.h"
#include "tests/support/sandbox.h"

namespace marvessa {
namespace {

using test::SandboxTest;

// A small well-formed file: two engines, body plain until scrambled by EngineFileText.
Lines TwoEngineCatalog(const std::string& scope0 = "0", const std::string& scope1 = "1") {
  Lines c{"[qemosearchengine]", "请勿修改!", "2026-01-01", "[head]"};
  for (const auto& [name, scope] : {std::pair{"甲", scope0}, std::pair{"乙", scope1}})
    c.insert(c.end(), {name, scope, "", "", ""});
  c.insert(c.end(), {"[/head]", "[body]"});
  for (const char* key : {"alpha", "beta"}) {
    c.push_back(key);
    for (int i = 2; i <= kEngineBlockLines; ++i) c.push_back(std::string(key) + " line " + std::to_string(i));
  }
  c.push_back("[/body]");
  return c;
}

TEST(Scramble, IsItsOwnInverseAndNeverYieldsLowBytes) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  for (const std::string& line : {all, std::string("href=/search?"), std::string("中文 Google"), std::string()}) {
    const std::string s = ScrambleLine(line);
    ASSERT_EQ(s.size(), line.size());
    for (unsigned char c : s) EXPECT_GE(c, 15);
    const std::string back = ScrambleLine(s);
    for (std::size_t i = 0; i < line.size(); ++i)
      if (static_cast<unsigned char>(line[i]) >= 15) {
        EXPECT_EQ(back[i], line[i]) << i;
      }
  }
  // The key runs from the end of the line, so equal text scrambles alike at equal distance from the end.
  EXPECT_EQ(ScrambleLine("xabc").substr(1), ScrambleLine("abc"));
  EXPECT_NE(ScrambleLine("abc"), "abc");
}

TEST(Builtin, HasTheFixedShapeAndEngines) {
  const EngineCatalog& c = BuiltinCatalog();
  ASSERT_EQ(c.size(), 1027u);
  EXPECT_EQ(c[0], "[qemosearchengine]");
  EXPECT_EQ(c[2], "2005-07-14");
  EXPECT_TRUE(IsValidEngineFile(EngineFileText(c)));
  const auto rows = ListEngines(c, "");
  ASSERT_EQ(rows.size(), 34u);
  int perScope[kScopeCount] = {};
  for (const auto& r : rows) {
    ASSERT_TRUE(r.scope >= 0 && r.scope < kScopeCount);
    ++perScope[r.scope];
    EXPECT_TRUE(r.on);
  }
  EXPECT_EQ(perScope[0], 14);
  EXPECT_EQ(perScope[1], 6);
  EXPECT_EQ(perScope[2], 4);
  for (int s = 3; s < kScopeCount; ++s) EXPECT_EQ(perScope[s], 2);
  EXPECT_EQ(rows[7].name, "中文 Google");
}

TEST(Builtin, EngineDefinitionsMatchTheTable) {
  const Lines run = BuildRunEngineList(BuiltinCatalog(), 0, "");
  ASSERT_EQ(RunEngineCount(run), 14);
  EngineDef google;
  ASSERT_TRUE(LoadEngineBlock(run, 7, google));
  EXPECT_EQ(google.engineKey, "google");
  EXPECT_EQ(google.itemStart, "<p class=g>");
  EXPECT_EQ(google.urlEnd, " ");
  EXPECT_EQ(google.nextStart, "href=/search?");
  EXPECT_EQ(google.nextEnd, "/nav_page.gif");
  EXPECT_EQ(BuildQueryUrl(google, "服装", 2),
            "http://www.google.com/search?q=%B7%FE%D7%B0&hl=zh-CN&lr=lang_zh-CN&ie=GB2312&oe=GB2312&c2coff=1&start=20&sa=N");
  EngineDef sina;
  ASSERT_TRUE(LoadEngineBlock(run, 1, sina));
  EXPECT_EQ(sina.engineKey, "sina");
  EXPECT_EQ(sina.pageStep, 30);
  EXPECT_EQ(sina.firstPage, 1);
  EXPECT_EQ(sina.nextMode, "1");
  EXPECT_FALSE(sina.nextPrefix.empty());
  EngineDef yahoo;
  ASSERT_TRUE(LoadEngineBlock(run, 0, yahoo));
  EXPECT_EQ(BuildQueryUrl(yahoo, "a", 1), "http://www.yisou.com/search?p=a&lang=zh-cn&f=&d=&u=&source=&b=10");

  const auto rows = ListEngines(BuiltinCatalog(), "");
  const Lines german = BuildRunEngineList(BuiltinCatalog(), 5, "");
  EngineDef alltheweb;
  ASSERT_TRUE(LoadEngineBlock(german, 1, alltheweb));
  EXPECT_EQ(rows[29].scope, 5);
  EXPECT_EQ(alltheweb.nextMode, "");
  int prefixes = 0;
  for (int scope = 0; scope < kScopeCount; ++scope) {
    const Lines list = BuildRunEngineList(BuiltinCatalog(), scope, "");
    EngineDef def;
    for (int e = 0; e < RunEngineCount(list); ++e) {
      LoadEngineBlock(list, e, def);
      prefixes += !def.nextPrefix.empty();
      EXPECT_TRUE(list[e * 25 + 23].empty() && list[e * 25 + 24].empty() && list[e * 25 + 25].empty());
    }
  }
  EXPECT_EQ(prefixes, 1);
}

TEST(RunEngineList, FollowsScopeAndSwitches) {
  const EngineCatalog& c = BuiltinCatalog();
  EXPECT_EQ(BuildRunEngineList(c, 1, "").size(), 152u);
  EXPECT_EQ(RunEngineNumbers(c, 1, ""), (std::vector<int>{14, 15, 16, 17, 18, 19}));
  EXPECT_EQ(RunEngineNumbers(c, 7, ""), (std::vector<int>{32, 33}));
  EXPECT_EQ(RunEngineNumbers(c, 0, "1").front(), 1);
  auto numbers = RunEngineNumbers(c, 0, "0011");
  EXPECT_EQ(numbers.size(), 12u);
  EXPECT_EQ(numbers[2], 4);
  EXPECT_EQ(BuildRunEngineList(c, 9, ""), (Lines{"[body]", "[/body]"}));
  EXPECT_EQ(RunEngineNumbers(c, 0, std::string(34, '1')).size(), 0u);
}

TEST(RunEngineList, ScopeLinesMustMatchExactly) {
  const EngineCatalog c = TwoEngineCatalog(" 0", "00");
  EXPECT_EQ(RunEngineNumbers(c, 0, "").size(), 0u);
  const auto rows = ListEngines(TwoEngineCatalog("9", "x"), "01");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(ScopeName(rows[0].scope), "未知");
  EXPECT_EQ(rows[1].scope, 0);
  EXPECT_TRUE(rows[0].on);
  EXPECT_FALSE(rows[1].on);
}

TEST(RunEngineList, ShortBodiesAreNeverReadPastTheEnd) {
  Lines c = TwoEngineCatalog("0", "0");
  c.resize(c.size() - 20);  // the second block and "[/body]" are cut off
  c.push_back("[/body]");
  const auto numbers = RunEngineNumbers(c, 0, "");
  EXPECT_EQ(numbers, (std::vector<int>{0}));
  EXPECT_EQ(BuildRunEngineList(c, 0, "").size(), 27u);
  EngineDef def;
  EXPECT_FALSE(LoadEngineBlock(Lines{"[body]", "key", "[/body]"}, 0, def));
}

TEST(RunEngineList, MissingMarkersListNoEngines) {
  Lines noHead = TwoEngineCatalog();
  noHead[3] = "head";
  EXPECT_TRUE(ListEngines(noHead, "").empty());
  Lines bodyFirst = TwoEngineCatalog();
  std::swap(bodyFirst[bodyFirst.size() - 1], bodyFirst[15]);
  EXPECT_TRUE(ListEngines(bodyFirst, "").empty());
  EXPECT_EQ(BuildRunEngineList(bodyFirst, 0, ""), (Lines{"[body]", "[/body]"}));
}

// The source is UTF-8 (written here as GBK literals and converted); the catalogue is GBK.
EngineCatalog FromSource(const std::string& gbk) { return CatalogFromSource(GbkToUtf8(gbk)); }

TEST(EngineSource, TemplatesFieldsAndExtensionsMakeTheRecords) {
  const EngineCatalog c = FromSource(
      "# note\ndate=2026-12-08\n[template t]\nengineKey=k\nurlEnd=\"\next.unwrap=ru\next.charset=utf-8\n"
      "[engine]\nlike=t\nname=甲\nscope=3\nsite=https://k.example/\nurlEnd='\next.header.X-A=1&2=3%\n"
      "ext.block=验证|x\n\n[engine]\nname=乙\nscope=0\n");
  ASSERT_EQ(c.size(), 4u + 10 + 2 + 50 + 1);
  EXPECT_EQ(c[2], "2026-12-08");
  for (const auto& [i, line] : std::vector<std::pair<int, std::string>>{{4, "甲"}, {5, "3"}, {6, "https://k.example/"}, {7, ""}})
    EXPECT_EQ(c[i], line);
  const auto rows = ListEngines(c, "");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1].name, "乙");
  EngineDef e;
  ASSERT_TRUE(LoadCatalogEngine(c, 0, e));
  EXPECT_EQ(e.engineKey, "k");
  EXPECT_EQ(e.urlEnd, "'");
  EXPECT_EQ(c[15 + 23], "charset=utf-8&header.X-A=1%262%3D3%25");
  EXPECT_EQ(c[15 + 24], "unwrap=ru");
  EXPECT_EQ(c[15 + 25], "block=验证|x");
  EXPECT_EQ(e.extensions.Headers(), (NamedValues{{"X-A", "1&2=3%"}}));
  ASSERT_TRUE(LoadCatalogEngine(c, 1, e));
  EXPECT_EQ(e.engineKey, "");
  EXPECT_EQ(e.extensions.Wrapper(), LinkWrapper::kNone);
}

TEST(EngineSource, WhatTheFormatDoesNotAllowNamesItsLine) {
  for (const char* source : {
           "[engine]\nname=a\nscope=0\n",                       // no date
           "date=1\n",                                            // no engine
           "date=1\nname=a\n",                                    // a field before a section
           "date=1\n[engine]\nname=a\nscope=0\nkey=x\n",         // unknown field
           "date=1\n[engine]\nname=a\nscope=0\nurlEnd=\" \n",    // a value ending with a blank
           "date=1\n[engine]\nlike=t\nname=a\nscope=0\n",        // no such template
           "date=1\n[engine]\nscope=0\n",                        // no name
           "date=1\n[engine]\nname=a\nscope=01\n",               // no scope number
           "date=1\n[engines]\n",                                // unknown section
           "date=1\n[engine]\nname=a\nscope=0\nnoequals\n",      // not name=value
       }) {
    EXPECT_THROW(FromSource(source), EngineSourceError) << source;
  }
  try {
    FromSource("date=1\n[engine]\nname=a\nscope=0\nbogus=1\n");
  } catch (const EngineSourceError& e) {
    EXPECT_STREQ(e.what(), "line 5: unknown field \"bogus\"");
  }
}

class CatalogFileTest : public SandboxTest {
 protected:
  EngineCatalog Load() { return LoadCatalog(sandbox.folders()); }
  void WriteEngineFile(const std::string& text) { sandbox.Write(kEngineFileName, text); }
};

TEST_F(CatalogFileTest, ScrambledFileLoadsBackToThePlainLines) {
  const Lines plain = TwoEngineCatalog();
  const std::string text = EngineFileText(plain);
  EXPECT_EQ(text.find("alpha line 2"), std::string::npos);
  WriteEngineFile(text);
  EXPECT_EQ(Load(), plain);
}

TEST_F(CatalogFileTest, EveryKindOfLineEndLoadsTheSameLines) {
  const Lines plain = TwoEngineCatalog();
  const std::string crlf = EngineFileText(plain);
  std::string lf = crlf, cr = crlf, mixed = crlf;
  ReplaceAll("\r\n", "\n", lf);
  ReplaceAll("\r\n", "\r", cr);
  mixed.replace(mixed.find("\r\n"), 2, "\n");
  mixed.replace(mixed.rfind("\r\n", mixed.size() - 3), 2, "\r");
  for (const std::string& text : {crlf, lf, cr, mixed, crlf.substr(0, crlf.size() - 2)}) {
    WriteEngineFile(text);
    EXPECT_EQ(Load(), plain);
  }
}

TEST_F(CatalogFileTest, ValidityTestFallsBackToTheBuiltinCatalogue) {
  EXPECT_EQ(Load(), BuiltinCatalog());
  Lines c = TwoEngineCatalog();
  c[0] = "[QEMOSEARCHENGINE]";
  WriteEngineFile(EngineFileText(c));
  EXPECT_EQ(Load().size(), c.size());
  c[0] = "[qemosearchengine] ";
  WriteEngineFile(EngineFileText(c));
  EXPECT_EQ(Load(), BuiltinCatalog());
  WriteEngineFile("[qemosearchengine]\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n[/body]\r\n");
  EXPECT_EQ(Load(), BuiltinCatalog());
  WriteEngineFile("[qemosearchengine]\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n[/body]\r\n");
  EXPECT_EQ(Load().size(), 12u);
  WriteEngineFile("");
  EXPECT_EQ(Load(), BuiltinCatalog());
}

TEST_F(CatalogFileTest, TruncatedFileFallsBack) {
  const std::string text = EngineFileText(BuiltinCatalog());
  WriteEngineFile(text.substr(0, text.size() / 2));
  EXPECT_EQ(Load(), BuiltinCatalog());
}

TEST_F(CatalogFileTest, AFolderInPlaceOfTheFileFallsBack) {
  sandbox.Write("Trovik.dat/inner", "x");
  EXPECT_EQ(Load(), BuiltinCatalog());
}

}  // namespace
}  // namespace marvessa
