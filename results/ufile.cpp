#include "results/ufile.h"

#include "app/ufileio.h"

namespace marvessa {

namespace {

constexpr int kRowLines = 12;

// A stored value takes exactly one line: each line break in it becomes one blank.
std::string OneLine(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\r' || value[i] == '\n') {
      if (value[i] == '\r' && i + 1 < value.size() && value[i + 1] == '\n') ++i;
      out += ' ';
    } else {
      out += value[i];
    }
  }
  return out;
}

void AddSection(Lines& out, const char* open, const Lines& values, const char* close) {
  out.emplace_back(open);
  for (const auto& v : values) out.push_back(OneLine(v));
  out.emplace_back(close);
}

// The lines of a file as read, with the lines already consumed cut off at the front.
class Remaining {
 public:
  explicit Remaining(Lines lines) : lines_(std::move(lines)) {}
  int Size() const { return static_cast<int>(lines_.size() - start_); }
  const std::string& operator[](int i) const { return lines_[start_ + i]; }
  bool Has(int i) const { return i >= 0 && i < Size(); }
  int Find(std::string_view marker) const {
    for (int i = 0; i < Size(); ++i)
      if (EqualsNoCase((*this)[i], marker)) return i;
    return -1;
  }
  // Removes the line at i and every line before it.
  void RemoveThrough(int i) { start_ += i + 1; }
  // The lines strictly between the first open marker and the first close marker, when the
  // close marker stands at least two lines after the open one.
  Lines Section(std::string_view open, std::string_view close) const {
    const int e = Find(open);
    const int g = Find(close);
    if (e < 0 || g < e + 2) return {};
    return Lines(lines_.begin() + start_ + e + 1, lines_.begin() + start_ + g);
  }

 private:
  Lines lines_;
  std::size_t start_ = 0;
};

int CounterAt(const Remaining& lines, int i) {
  return lines.Has(i) ? ParseDecimal(lines[i]).value_or(0) : 0;
}

void LoadHead(DocumentParts& parts, Remaining& lines, DocumentState& document) {
  const int head = lines.Find("[head]");
  if (head < 0) return;
  lines.RemoveThrough(head);
  if (lines.Find("[/head]") < 3) return;
  if (parts.keywords.KeywordText() != lines[0]) {
    parts.keywords.SetKeywordText(lines[0]);
    document.documentModified = true;
  }
  SelectScope(parts.scope, CounterAt(lines, 1));
  parts.run.SetProgress(CounterAt(lines, 2), CounterAt(lines, 3), CounterAt(lines, 4));
}

void LoadKeywords(DocumentParts& parts, const Remaining& lines, DocumentState& document) {
  const Lines added = lines.Section("[keywords]", "[/keywords]");
  if (added.empty()) return;
  Lines batch = parts.keywords.BatchLines();
  batch.insert(batch.end(), added.begin(), added.end());
  parts.keywords.SetBatchLines(batch);
  document.documentModified = true;
}

void LoadRows(DocumentParts& parts, Remaining& lines) {
  const int body = lines.Find("[body]");
  if (body < 0) return;
  lines.RemoveThrough(body);
  const int rows = (lines.Find("[/body]") + 1) / kRowLines;
  for (int k = 0; k < rows; ++k) {
    const int h = kRowLines * k;
    parts.ui.PumpEvents();
    parts.results.AddResult(lines[h + 2], lines[h + 4], lines[h + 5]);
    parts.run.Edit([&](UrlQueue&, Lines&, UrlQueue&, SeenList& seen) { seen.AddNewest(LowerAscii(lines[h + 2])); });
    ShowTotals(parts.panels, parts.run, parts.results.Count());
  }
}

void LoadLists(DocumentParts& parts, const Remaining& lines) {
  const Lines level1 = lines.Section("[uncheck]", "[/uncheck]");
  const Lines level2 = lines.Section("[scan]", "[/scan]");
  const Lines titles = lines.Section("[title]", "[/title]");
  parts.run.Edit([&](UrlQueue& uncheck, Lines& titleList, UrlQueue& scan, SeenList&) {
    for (const auto& url : level1) uncheck.AddOldest(url);
    for (const auto& url : level2) scan.AddOldest(url);
    titleList.insert(titleList.end(), titles.begin(), titles.end());
  });
}

}  // namespace

std::string DocumentText(DocumentParts& parts) {
  Lines out{"[qemosearchfile]", "请勿修改文件!", "", "", "", "", "", "", "", "", "[head]"};
  out.push_back(OneLine(parts.keywords.KeywordText()));
  out.push_back(IntToText(SelectedScope(parts.scope)));
  out.push_back(IntToText(parts.run.Level1Cursor()));
  out.push_back(IntToText(parts.run.Level2Cursor()));
  out.push_back(IntToText(parts.run.PagesFetched()));
  out.emplace_back("[/head]");
  AddSection(out, "[keywords]", parts.keywords.BatchLines(), "[/keywords]");
  out.emplace_back("[body]");
  const int count = parts.results.Count();
  for (int i = 0; i < count && i < parts.results.Count(); ++i) {
    parts.ui.PumpEvents();
    if (i >= parts.results.Count()) break;
    const ResultRecord& row = parts.results.ResultAt(i);
    const std::string title = OneLine(row.title);
    out.insert(out.end(), {"0", "0", OneLine(row.email), title, OneLine(row.url), title, "", "", "", "", "", ""});
  }
  out.emplace_back("[/body]");
  AddSection(out, "[uncheck]", parts.run.Level1().DisplayOrder(), "[/uncheck]");
  AddSection(out, "[scan]", parts.run.Level2().DisplayOrder(), "[/scan]");
  AddSection(out, "[title]", parts.run.Level1Titles(), "[/title]");
  return JoinLinesCrLf(out);
}

void SaveDocument(DocumentParts& parts, const std::string& path) { WriteFileAtomic(path, DocumentText(parts)); }

void LoadDocument(DocumentParts& parts, bool merge, const std::string& path, DocumentState& document) {
  if (auto bytes = ReadExistingFile(path)) LoadDocumentBytes(parts, merge, std::move(*bytes), document);
}

void LoadDocumentBytes(DocumentParts& parts, bool merge, std::string bytes, DocumentState& document) {
  if (const std::size_t nul = bytes.find('\0'); nul != std::string::npos) bytes.resize(nul);
  Lines all = SplitLines(bytes);
  if (all.size() < 10 || all[0] != "[qemosearchfile]") return;
  Remaining lines(std::move(all));
  if (!merge) {
    LoadHead(parts, lines, document);
    LoadKeywords(parts, lines, document);
  }
  LoadRows(parts, lines);
  if (!merge) LoadLists(parts, lines);
}

}  // namespace marvessa
