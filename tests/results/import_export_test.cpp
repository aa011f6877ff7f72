#include <gtest/gtest.h>

#include <algorithm>

#include "base/ufileio.h"
#include "results/uexport.h"
#include "results/uimport.h"
#include "results/ujsonlexport.h"
#include "results/ujsonlimport.h"
#include "tests/support/document_rig.h"
#include "tests/support/fake_window.h"
#include "tests/support/sandbox.h"

namespace marvessa {
namespace {

class ImportTest : public test::SandboxTest {
 protected:
  Lines Import(const std::string& name, const Lines& lines) {
    sandbox.Write(name, JoinLinesCrLf(lines));
    ImportUrlList(sandbox.Path(name), run, ui, window);
    return run.Level1().DisplayOrder();
  }
  static Lines Numbered(int count, const std::string& first) {
    Lines lines{first};
    for (int i = 1; i < count; ++i) lines.push_back("line" + std::to_string(i));
    return lines;
  }
  Settings settings;
  RunState run{settings};
  TaskQueueUiThread ui;
  test::FakeWindow window;
};

TEST_F(ImportTest, TextFilesGiveEveryLineButBlankOnesAsTheyStandInFileOrderAsTheNewestEntries) {
  run.AddLevel1("http://found/", "title");
  Import("list.TXT", {"http://a/", "", " \t", " http://b/ ", "http://a/"});
  EXPECT_EQ(run.Level1().DisplayOrder(), (Lines{"http://a/", " http://b/ ", "http://a/", "http://found/"}));
  EXPECT_EQ(run.Level1Titles(), (Lines{"title", "", "", ""}));
  EXPECT_FALSE(window.busy);
  Import("list.TXT", {"http://a/", "", "http://a/"});
  EXPECT_EQ(run.Level1().Count(), 6);
  // Megabytes of lines, whose memory is given back while they are read, load whole.
  Lines many = Numbered(300000, "line0");
  const Lines imported = Import("many.txt", many);
  std::reverse(many.begin(), many.end());
  EXPECT_TRUE(std::equal(many.begin(), many.end(), imported.begin()));
}

TEST_F(ImportTest, UlkLayoutsTakeTheirLines) {
  EXPECT_TRUE(Import("a.ulk", Numbered(11, " $[ULK2] ")).empty());
  EXPECT_EQ(Import("b.ulk", Numbered(12, " $[ULK2] ")), (Lines{"line11"}));
  run.Edit([](UrlQueue& q, PackedLines& t, UrlQueue&, SeenList&) { q.Clear(); t.clear(); });
  Import("c.ulk", Numbered(24, "$[ulk2]"));
  EXPECT_EQ(run.Level1().AtAge(1), "line17");
  EXPECT_EQ(run.Level1().AtAge(2), "line23");
  run.Edit([](UrlQueue& q, PackedLines&, UrlQueue&, SeenList&) { q.Clear(); });
  Import("d.ulk", Numbered(18, "$[ulk]"));
  EXPECT_EQ(run.Level1().Count(), 3);
  EXPECT_EQ(run.Level1().AtAge(2), "line17");
}

TEST_F(ImportTest, Ulk3TakesOneLinePerGroupOfTenBeforeTheBodyEnd) {
  Lines file{"[ulk3]", "x", "[BODY]"};
  for (int g = 0; g < 2; ++g)
    for (int i = 0; i < 10; ++i) file.push_back("g" + std::to_string(g) + "_" + std::to_string(i));
  file.insert(file.end(), {"partial", "[/body]"});
  Import("e.ulk", file);
  EXPECT_EQ(run.Level1().DisplayOrder(), (Lines{"g1_3", "g0_3"}));
  file.pop_back();
  EXPECT_EQ(Import("f.ulk", file).size(), 2u);
}

TEST_F(ImportTest, OtherFilesImportNothing) {
  Import("noext", {"http://a/"});
  Import("x.csv", {"http://a/"});
  Import("y.ulk", {"[ulk4]", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"});
  sandbox.Write("dir.txt/inner", "x");
  ImportUrlList(sandbox.Path("dir.txt"), run, ui, window);
  ImportUrlList(sandbox.Path("none.txt"), run, ui, window);
  EXPECT_EQ(run.Level1().Count(), 0);
  EXPECT_EQ(ImportExtension("/a.b/c"), "");
  EXPECT_EQ(ImportExtension("/a/c.Ulk "), ".ulk");
}

class ExportTest : public test::SandboxTest {
 protected:
  std::string Export(const std::string& layout) {
    doc.settings.exportstring = layout;
    LayoutTextExporter exporter(doc.settings);
    ExportToFile(sandbox.Path("out.txt"), exporter, ExportSourceOf(doc.parts), doc.ui, doc.window);
    EXPECT_FALSE(doc.window.busy);
    return sandbox.Read("out.txt");
  }
  test::DocumentRig doc;
  ResultList& results = doc.results;
};

TEST_F(ExportTest, LayoutsReplaceTheTokensWithTrimmedFields) {
  results.AddResult(" a@b.cn ", " http://b/\t", "  公司 ");
  results.AddResult("c@d.cn", "http://d/", "");
  EXPECT_EQ(Export("<邮址>"), "a@b.cn\r\nc@d.cn\r\n");
  EXPECT_EQ(Export("<邮址> <标题>"), "a@b.cn 公司\r\nc@d.cn \r\n");
  EXPECT_EQ(Export("<邮址>,<网址>,<标题>"), "a@b.cn,http://b/,公司\r\nc@d.cn,http://d/,\r\n");
  EXPECT_EQ(Export("<邮址>|<邮址>"), "a@b.cn|a@b.cn\r\nc@d.cn|c@d.cn\r\n");
}

TEST_F(ExportTest, TokensInsideInsertedValuesFollowTheReplacementOrder) {
  results.AddResult("<标题>", "<邮址>", "<网址>x<网址>");
  // URL first: "<邮址>" inserted by it is replaced by the address, which is then replaced by the
  // title; the title's own tokens are left as inserted.
  EXPECT_EQ(Export("<网址>"), "<网址>x<网址>\r\n");
  EXPECT_EQ(Export("<标题>"), "<网址>x<网址>\r\n");
}

// A value that holds its own token is inserted once, and the search goes on after it.
TEST(ExportLine, AValueHoldingItsOwnTokenIsInsertedOnce) {
  const struct {
    const char* layout;
    ResultRecord row;
    const char* line;
  } kCases[] = {
      {"<网址>|<网址>", {"e", "u<网址>v", "t", ""}, "u<网址>v|u<网址>v"},
      {"[<邮址>]", {"<邮址><邮址>", "u", "t", ""}, "[<邮址><邮址>]"},
      {"<标题> <标题>", {"e", "u", "<标题>", ""}, "<标题> <标题>"},
  };
  for (const auto& c : kCases) EXPECT_EQ(ExportLine(c.layout, c.row), c.line) << c.layout;
}

TEST_F(ExportTest, EmptyListGivesAnEmptyFileAndLineBreaksInsideStay) {
  EXPECT_EQ(Export("<邮址>"), "");
  results.AddResult("a@b.cn", "", "one\r\ntwo");
  EXPECT_EQ(Export("<邮址> <标题>"), "a@b.cn one\r\ntwo\r\n");
}

TEST(ResultLinesImport, AddsEachNewAddressOnceAndPassesOverOtherLines) {
  test::DocumentRig doc;
  doc.results.AddResult("a@b.cn", "", "");
  const std::string lines = R"({"email":" A@B.cn","url":"dup of a row"}
{"email":"c@d.cn","url":"http://d.cn/","title":"one\r\ntwo"}
{"email":"C@D.CN","url":"dup of a line"}
not json
{"email":5}
["email","x@y.cn"]
{"email":"  "}
{"url":"http://no-address/"}

{"email":"e@f.cn","url":null,"title":")" + GbkToUtf8("公司") + R"("})";
  EXPECT_EQ(ImportResultLines(lines, doc.results, doc.run, doc.ui), 2);
  ASSERT_EQ(doc.results.Count(), 3);
  EXPECT_EQ(doc.results.ResultAt(1).url, "http://d.cn/");
  EXPECT_EQ(doc.results.ResultAt(1).title, "one  two");
  EXPECT_EQ(doc.results.ResultAt(2).url, "");
  EXPECT_EQ(doc.results.ResultAt(2).title, "公司");
  EXPECT_TRUE(doc.run.Seen().Holds("c@d.cn"));
  EXPECT_TRUE(doc.run.Seen().Holds("e@f.cn"));
}

TEST(ResultLinesImport, TakesBackWhatTheJsonLinesExportWrote) {
  test::DocumentRig source;
  source.results.AddResult("a@b.cn", "http://b.cn/?q=\"x\"", "公司\t\\总部");
  source.results.AddResult("c@d.cn", "", "");
  const std::string lines = JsonLinesExporter().FileBytes(ExportSourceOf(source.parts), source.ui);
  test::DocumentRig doc;
  EXPECT_EQ(ImportResultLines(lines, doc.results, doc.run, doc.ui), 2);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(doc.results.ResultAt(i).email, source.results.ResultAt(i).email);
    EXPECT_EQ(doc.results.ResultAt(i).url, source.results.ResultAt(i).url);
    EXPECT_EQ(doc.results.ResultAt(i).title, source.results.ResultAt(i).title);
  }
}

}  // namespace
}  // namespace marvessa
