#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <sstream>

#include "results/uaddressdomain.h"
#include "results/ucsvexport.h"
#include "results/ujsonlexport.h"
#include "results/useedexport.h"
#include "results/uxlsxexport.h"
#include "tests/support/document_rig.h"
#include "tests/support/sandbox.h"

namespace marvessa {
namespace {

class ExportersTest : public test::SandboxTest {
 protected:
  std::string Bytes(Exporter&& exporter) { return exporter.FileBytes(ExportSourceOf(doc.parts), doc.ui); }
  // The rows of the exported file as Python reads them (a JSON array of rows of strings).
  nlohmann::json ReadBack(Exporter&& exporter, const std::string& pythonReader) {
    sandbox.Write("export", Bytes(std::move(exporter)));
    const std::string command = "python3 -c '" + pythonReader + "' " + sandbox.Path("export");
    FILE* pipe = ::popen(command.c_str(), "r");
    std::string out;
    char buffer[4096];
    for (std::size_t n; pipe && (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    EXPECT_EQ(pipe ? ::pclose(pipe) : -1, 0) << command;
    return nlohmann::json::parse(out);
  }
  // Rows that hold every character a CSV field must quote, and the rows a reader should give.
  nlohmann::json AddAwkwardRows() {
    doc.results.AddResult("a@b.cn", "http://b.cn/?x=1,2", "公司, \"总部\"\r\n第二行");
    doc.results.AddResult("c@d.cn", "", "");
    return {{GbkToUtf8("邮址"), GbkToUtf8("网址"), GbkToUtf8("标题")},
            {"a@b.cn", "http://b.cn/?x=1,2", GbkToUtf8("公司, \"总部\"\r\n第二行")},
            {"c@d.cn", "", ""}};
  }
  test::DocumentRig doc;
};

// Python's csv module, in the given encoding.
std::string CsvReader(const std::string& encoding) {
  return "import csv, json, sys; print(json.dumps(list(csv.reader(open(sys.argv[1], newline=\"\", encoding=\"" +
         encoding + "\")))))";
}
// The cells of the workbook's sheets, from the sheet XML inside the zip container, with the
// "_xHHHH_" escapes of control characters undone as spreadsheet programs do.
constexpr const char* kXlsxReader = R"(
import json, re, sys, zipfile, xml.etree.ElementTree as ET
ns = {"m": "http://schemas.openxmlformats.org/spreadsheetml/2006/main"}
book = zipfile.ZipFile(sys.argv[1])
names = sorted((n for n in book.namelist() if re.fullmatch(r"xl/worksheets/sheet\d+\.xml", n)))
rows = []
for name in names:
    for row in ET.fromstring(book.read(name)).iter("{%s}row" % ns["m"]):
        cells = ["", "", ""]
        for c in row.findall("m:c", ns):
            text = "".join(t.text or "" for t in c.iter("{%s}t" % ns["m"]))
            cells["ABC".index(c.get("r")[0])] = re.sub("_x([0-9A-F]{4})_", lambda m: chr(int(m[1], 16)), text)
        rows.append(cells)
print(json.dumps(rows))
)";

TEST(CsvField, QuotesOnlyFieldsThatNeedIt) {
  const std::pair<std::string, std::string> cases[] = {
      {"plain", "plain"},
      {"", ""},
      {"a,b", "\"a,b\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"one\r\ntwo", "\"one\r\ntwo\""},
      {"lone\rcr", "\"lone\rcr\""},
      {" padded ", " padded "},
      {"=HYPERLINK(\"x\")", "\"'=HYPERLINK(\"\"x\"\")\""},
      {"+86 10", "'+86 10"},
      {"-1", "'-1"},
      {"@cmd", "'@cmd"},
      {"a=b", "a=b"},
  };
  for (const auto& [field, quoted] : cases) EXPECT_EQ(CsvField(field), quoted) << field;
}

TEST_F(ExportersTest, CsvHasTheCaptionsFirstAndTrimmedRowsInEitherEncoding) {
  doc.results.AddResult(" a@b.cn ", "http://b/", "公司,\"总部\"");
  const std::string gbkRows = "邮址,网址,标题\r\na@b.cn,http://b/,\"公司,\"\"总部\"\"\"\r\n";
  EXPECT_EQ(Bytes(CsvExporter(TextEncoding::Gbk)), gbkRows);
  EXPECT_EQ(Bytes(CsvExporter(TextEncoding::Utf8)), "\xEF\xBB\xBF" + GbkToUtf8(gbkRows));
}

TEST_F(ExportersTest, CsvRoundTripsThroughPythonsReaderInBothEncodings) {
  const nlohmann::json rows = AddAwkwardRows();
  EXPECT_EQ(ReadBack(CsvExporter(TextEncoding::Utf8), CsvReader("utf-8-sig")), rows);
  EXPECT_EQ(ReadBack(CsvExporter(TextEncoding::Gbk), CsvReader("gbk")), rows);
}

TEST_F(ExportersTest, XlsxCellsReadBackFromTheSheetXml) {
  const nlohmann::json rows = AddAwkwardRows();
  EXPECT_EQ(ReadBack(XlsxExporter(), kXlsxReader), rows);
  doc.results.ClearResults();
  EXPECT_EQ(ReadBack(XlsxExporter(), kXlsxReader), nlohmann::json{rows[0]});
}

TEST_F(ExportersTest, JsonLinesCarryTheAddressDomainsAndThePageServer) {
  doc.results.AddResult("Sales@Mail.Example.COM.cn", "HTTP://WWW.Example.com.cn:8080/联系.htm", "公司 \"A\"\t\x01\\");
  doc.results.AddResult("root@localhost", "", "");
  std::istringstream lines(Bytes(JsonLinesExporter()));
  std::string line;
  Lines all;
  while (std::getline(lines, line)) {
    EXPECT_TRUE(nlohmann::json::accept(line)) << line;
    all.push_back(line);
  }
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[0], R"({"email":"Sales@Mail.Example.COM.cn","url":"HTTP://WWW.Example.com.cn:8080/)" + GbkToUtf8("联系") +
                        R"(.htm","title":")" + GbkToUtf8("公司") + R"( \"A\"\t\u0001\\","server":"www.example.com.cn",)" +
                        R"("domain":"mail.example.com.cn","registrable_domain":"example.com.cn"})");
  EXPECT_EQ(all[1], R"({"email":"root@localhost","url":"","title":"","server":"","domain":"localhost",)"
                    R"("registrable_domain":null})");
}

TEST(RegistrableDomain, FollowsThePublicSuffixList) {
  const std::pair<std::string, std::string> cases[] = {
      {"example.com", "example.com"},     {"a.b.example.co.uk", "example.co.uk"},
      {"shop.example.com.cn", "example.com.cn"}, {"com.cn", ""},
      {"localhost", ""},                  {"", ""},
      {"[127.0.0.1]", ""},
  };
  for (const auto& [domain, registrable] : cases)
    EXPECT_EQ(RegistrableDomain(domain).value_or(""), registrable) << domain;
  EXPECT_EQ(AddressDomain(" Info@Example.COM. "), "example.com");
  EXPECT_EQ(AddressDomain("no-at-sign"), "");
}

TEST_F(ExportersTest, SeedsAreTheLevel1ListOldestFirstWithOneLinePerUrl) {
  doc.run.AddLevel1("http://a.cn/", "甲\t公司\r\n");
  doc.run.Edit([](UrlQueue& level1, PackedLines& titles, UrlQueue&, SeenList&) {
    level1.AddNewest("  ");
    titles.emplace_back();
  });
  doc.run.AddLevel1("http://b.cn/x?q=1", "");
  doc.window.SetKeywordText("服装\t出口 ");
  SelectScope(doc.window, 1);
  const std::string fields = "\tkeyword=" + GbkToUtf8("服装 出口") + "\tscope=" + GbkToUtf8("英文") + "\n";
  EXPECT_EQ(Bytes(SeedsExporter()),
            "http://a.cn/\ttitle=" + GbkToUtf8("甲 公司") + fields + "http://b.cn/x?q=1\ttitle=" + fields);
}

TEST(ExportFormats, ByNameAndByFileExtension) {
  EXPECT_EQ(ExportFormatForPath("/a/b.CSV"), ExportFormat::Csv);
  EXPECT_EQ(ExportFormatForPath("b.xlsx"), ExportFormat::Xlsx);
  EXPECT_EQ(ExportFormatForPath("b.jsonl"), ExportFormat::JsonLines);
  EXPECT_EQ(ExportFormatForPath("b.csv.txt"), ExportFormat::Text);
  EXPECT_EQ(ExportFormatForPath("-"), ExportFormat::Text);
  EXPECT_EQ(ExportFormatNamed("seeds"), ExportFormat::Seeds);
  EXPECT_FALSE(ExportFormatNamed("CSV"));
  EXPECT_EQ(TextEncodingNamed("GBK"), TextEncoding::Gbk);
  EXPECT_FALSE(TextEncodingNamed("latin1"));
}

}  // namespace
}  // namespace marvessa
