#include "results/ufile.h"

#include <algorithm>
#include <optional>

#include "base/ufileio.h"

namespace marvessa {

namespace {

constexpr int kRowLines = 12;

// A stored value takes exactly one line: each line break in it becomes one blank, and so does
// every other byte below 32 but TAB, since a NUL would end the text when it is read back.
void AddLine(std::string& out, std::string_view value) {
  for (std::size_t i = 0; i < value.size(); ++i) {
    const auto byte = static_cast<unsigned char>(value[i]);
    if (byte == '\r' && i + 1 < value.size() && value[i + 1] == '\n') ++i;
    out += byte < 32 && byte != '\t' ? ' ' : value[i];
  }
  out += "\r\n";
}

// The lines value(0) .. value(count - 1) between two markers.
template <typename Value>
void AddSection(std::string& out, std::string_view open, std::size_t count, Value&& value, std::string_view close) {
  AddLine(out, open);
  for (std::size_t i = 0; i < count; ++i) AddLine(out, value(i));
  AddLine(out, close);
}

void AddList(std::string& out, std::string_view open, const UrlQueue& list, std::string_view close) {
  AddSection(out, open, list.Count(), [&](std::size_t row) { return list.AtDisplay(static_cast<int>(row)); }, close);
}

// The lines of a file not yet consumed, read as views into its text, so that reading needs no
// memory beyond the text and what is loaded from it.
class Remaining {
 public:
  explicit Remaining(std::string_view text) : text_(text) {}

  // Calls visit(index, line) for the lines first .. last - 1, counted from the first line left.
  template <typename Visit>
  void Lines(int first, int last, Visit&& visit) const {
    int index = 0;
    ForEachLine(text_, [&](std::string_view line) {
      if (index >= last) return false;
      if (index >= first) visit(index, line);
      ++index;
      return true;
    });
  }
  int Find(std::string_view marker) const { return IndexOfLineNoCase(text_, marker); }
  // Removes the line at i and every line before it.
  void RemoveThrough(int i) {
    std::size_t rest = text_.size();
    Lines(i + 1, i + 2, [&](int, std::string_view line) { rest = line.data() - text_.data(); });
    text_.remove_prefix(rest);
  }
  // The lines strictly between the first open marker and the first close marker, each with its
  // line end, when the close marker stands at least two lines after the open one; else empty.
  std::string_view SectionText(std::string_view open, std::string_view close) const {
    const int e = Find(open);
    const int g = Find(close);
    if (e < 0 || g < e + 2) return {};
    const std::size_t first = LineStart(e + 1);
    return text_.substr(first, LineStart(g) - first);
  }

 private:
  std::size_t LineStart(int i) const {
    std::size_t start = text_.size();
    Lines(i, i + 1, [&](int, std::string_view line) { start = line.data() - text_.data(); });
    return start;
  }

  std::string_view text_;
};

// Calls visit(line) for the lines of text, each of which ends with a line end, from the last to
// the first: the same lines as ForEachLine gives, in reverse.
template <typename Visit>
void ForEachLineBackward(std::string_view text, Visit&& visit) {
  while (!text.empty()) {
    text.remove_suffix(text.ends_with("\r\n") ? 2 : 1);
    const std::size_t lineEnd = text.find_last_of("\r\n");
    const std::size_t start = lineEnd == std::string_view::npos ? 0 : lineEnd + 1;
    visit(text.substr(start));
    text.remove_suffix(text.size() - start);
  }
}

// The next line of a text each time it is asked, until the text runs out.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : text_(text) {}
  std::optional<std::string_view> Next() {
    if (text_.empty()) return std::nullopt;
    std::optional<std::string_view> line;
    ForEachLine(text_, [&](std::string_view first) {
      line = first;
      return false;
    });
    const std::size_t rest = line->size() + (text_.substr(line->size()).starts_with("\r\n") ? 2 : 1);
    text_.remove_prefix(std::min(rest, text_.size()));
    return line;
  }

 private:
  std::string_view text_;
};

void LoadHead(DocumentParts& parts, Remaining& lines, DocumentState& document) {
  const int head = lines.Find("[head]");
  if (head < 0) return;
  lines.RemoveThrough(head);
  if (lines.Find("[/head]") < 3) return;
  std::string_view values[5];
  lines.Lines(0, 5, [&](int i, std::string_view line) { values[i] = line; });
  auto counter = [&](int i) { return ParseDecimal(values[i]).value_or(0); };
  if (parts.keywords.KeywordText() != values[0]) {
    parts.keywords.SetKeywordText(std::string(values[0]));
    document.documentModified = true;
  }
  SelectScope(parts.scope, counter(1));
  parts.run.SetProgress(counter(2), counter(3), counter(4));
}

void LoadKeywords(DocumentParts& parts, const Remaining& lines, DocumentState& document) {
  Lines batch = parts.keywords.BatchLines();
  const std::size_t before = batch.size();
  // A run passes over blank lines: of each run of them one is kept as a separator, so that a
  // file of line breaks does not fill memory.
  ForEachLine(lines.SectionText("[keywords]", "[/keywords]"), [&](std::string_view line) {
    if (!IsBlankText(line) || batch.size() == before || !IsBlankText(batch.back())) batch.emplace_back(line);
    return true;
  });
  if (batch.size() == before) return;
  parts.keywords.SetBatchLines(batch);
  document.documentModified = true;
}

void LoadRows(DocumentParts& parts, Remaining& lines) {
  const int body = lines.Find("[body]");
  if (body < 0) return;
  lines.RemoveThrough(body);
  const int rows = (lines.Find("[/body]") + 1) / kRowLines;
  std::string_view row[kRowLines];
  lines.Lines(0, rows * kRowLines, [&](int i, std::string_view line) {
    row[i % kRowLines] = line;
    if (i % kRowLines != kRowLines - 1) return;
    parts.ui.PumpEvents();
    // A row without address, URL and title holds nothing; a file of line breaks is all such rows.
    if (IsBlankText(row[2]) && IsBlankText(row[4]) && IsBlankText(row[5])) return;
    parts.results.AddResult(std::string(row[2]), std::string(row[4]), std::string(row[5]));
    parts.run.Edit([&](UrlQueue&, PackedLines&, UrlQueue&, SeenList& seen) { seen.AddNewest(LowerAscii(row[2])); });
    ShowTotals(parts.panels, parts.run, parts.results.Count());
  });
}

// Adds the URLs of a list section, which stands newest first, oldest first to queue; a blank URL
// is no page to fetch and is passed over (with its title, when titles are given oldest first).
// Gives the count of blank URLs among the oldest taken ones, by which the cursor moves back.
int LoadQueue(std::string_view section, int taken, UrlQueue& queue, PackedLines* titleList = nullptr,
              std::string_view titles = {}) {
  LineReader titleLines(titles);
  int age = 0;
  int blanksTaken = 0;
  ForEachLineBackward(section, [&](std::string_view url) {
    const std::optional<std::string_view> title = titleLines.Next();
    if (IsBlankText(url)) {
      if (age < taken) ++blanksTaken;
    } else {
      queue.AddNewest(url);
      if (titleList && title) titleList->push_back(*title);
    }
    ++age;
  });
  return blanksTaken;
}

// The pending lists; titles beyond the level-1 entries belong to none and are not kept.
void LoadLists(DocumentParts& parts, const Remaining& lines) {
  RunState& run = parts.run;
  int level1Cursor = run.Level1Cursor();
  int level2Cursor = run.Level2Cursor();
  run.Edit([&](UrlQueue& uncheck, PackedLines& titleList, UrlQueue& scan, SeenList&) {
    level1Cursor -= LoadQueue(lines.SectionText("[uncheck]", "[/uncheck]"), level1Cursor, uncheck, &titleList,
                              lines.SectionText("[title]", "[/title]"));
    level2Cursor -= LoadQueue(lines.SectionText("[scan]", "[/scan]"), level2Cursor, scan);
  });
  run.SetProgress(level1Cursor, level2Cursor, run.PagesFetched());
}

// Counters hand-edited or damaged out of range would make a continued run read entries that do
// not exist: each is held to 0 .. the size of what it counts.
void ClampProgress(RunState& run) {
  const int level1 = run.Level1().Count();
  const int level2 = run.Level2().Count();
  run.SetProgress(std::clamp(run.Level1Cursor(), 0, level1), std::clamp(run.Level2Cursor(), 0, level2),
                  std::clamp(run.PagesFetched(), 0, level1 + level2));
}

bool IsDocumentText(std::string_view text) {
  int lines = 0;
  bool marked = false;
  ForEachLine(text, [&](std::string_view line) {
    if (lines == 0) marked = line == "[qemosearchfile]";
    return marked && ++lines < 10;
  });
  return marked && lines >= 10;
}

}  // namespace

std::string DocumentText(DocumentParts& parts) {
  std::string out;
  for (std::string_view line : {"[qemosearchfile]", "请勿修改文件!", "", "", "", "", "", "", "", "", "[head]"})
    AddLine(out, line);
  AddLine(out, parts.keywords.KeywordText());
  for (int counter : {SelectedScope(parts.scope), parts.run.Level1Cursor(), parts.run.Level2Cursor(),
                      parts.run.PagesFetched()})
    AddLine(out, IntToText(counter));
  AddLine(out, "[/head]");
  const Lines batch = parts.keywords.BatchLines();
  AddSection(out, "[keywords]", batch.size(), [&](std::size_t i) -> std::string_view { return batch[i]; }, "[/keywords]");
  AddLine(out, "[body]");
  const int count = parts.results.Count();
  for (int i = 0; i < count && i < parts.results.Count(); ++i) {
    parts.ui.PumpEvents();
    if (i >= parts.results.Count()) break;
    const ResultRecord& row = parts.results.ResultAt(i);
    const std::string_view values[kRowLines] = {"0", "0", row.email, row.title, row.url, row.title};
    for (std::string_view value : values) AddLine(out, value);
  }
  AddLine(out, "[/body]");
  AddList(out, "[uncheck]", parts.run.Level1(), "[/uncheck]");
  AddList(out, "[scan]", parts.run.Level2(), "[/scan]");
  const PackedLines& titles = parts.run.Level1Titles();
  AddSection(out, "[title]", titles.size(), [&](std::size_t i) { return titles[i]; }, "[/title]");
  return out;
}

void SaveDocument(DocumentParts& parts, const std::string& path) { WriteFileAtomic(path, DocumentText(parts)); }

void LoadDocument(DocumentParts& parts, bool merge, const std::string& path, DocumentState& document) {
  if (auto bytes = ReadExistingFile(path)) LoadDocumentBytes(parts, merge, std::move(*bytes), document);
}

void LoadDocumentBytes(DocumentParts& parts, bool merge, std::string bytes, DocumentState& document) {
  std::string_view text = bytes;
  text = text.substr(0, text.find('\0'));
  if (!IsDocumentText(text)) return;
  Remaining lines(text);
  if (!merge) {
    LoadHead(parts, lines, document);
    LoadKeywords(parts, lines, document);
  }
  LoadRows(parts, lines);
  if (merge) return;
  LoadLists(parts, lines);
  ClampProgress(parts.run);
}

}  // namespace marvessa
