#include "results/ufile.h"

#include <algorithm>
#include <optional>

#include "base/ufileio.h"

namespace marvessa {

namespace {

constexpr int kRowLines = 12;

// The lines of a document are written twice: first only their bytes are counted, then they are
// written into a text of that size, so that a large document is built in one block instead of in
// one that doubles as it grows.
class DocumentLines {
 public:
  bool Counting() const { return counting_; }
  // A stored value takes exactly one line: each line break in it becomes one blank, and so does
  // every other byte below 32 but TAB, since a NUL would end the text when it is read back.
  void Add(std::string_view value) {
    if (counting_) {
      bound_ += value.size() + 2;
      return;
    }
    for (std::size_t i = 0; i < value.size(); ++i) {
      const auto byte = static_cast<unsigned char>(value[i]);
      if (byte == '\r' && i + 1 < value.size() && value[i + 1] == '\n') ++i;
      text_ += byte < 32 && byte != '\t' ? ' ' : value[i];
    }
    text_ += "\r\n";
  }
  void StartText() {
    text_.reserve(bound_);
    counting_ = false;
  }
  std::string TakeText() { return std::move(text_); }

 private:
  bool counting_ = true;
  std::size_t bound_ = 0;  // the size of the text at most
  std::string text_;
};

// The lines value(0) .. value(count - 1) between two markers.
template <typename Value>
void AddSection(DocumentLines& out, std::string_view open, std::size_t count, Value&& value, std::string_view close) {
  out.Add(open);
  for (std::size_t i = 0; i < count; ++i) out.Add(value(i));
  out.Add(close);
}

void AddList(DocumentLines& out, std::string_view open, const UrlQueue& list, std::string_view close) {
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

using Row = std::string_view[kRowLines];

// A row without address, URL and title holds nothing; a file of line breaks is all such rows.
bool IsEmptyRow(const Row& row) { return IsBlankText(row[2]) && IsBlankText(row[4]) && IsBlankText(row[5]); }

// Calls visit(row) for the first rows rows of lines.
template <typename Visit>
void ForEachRow(const Remaining& lines, int rows, Visit&& visit) {
  Row row;
  lines.Lines(0, rows * kRowLines, [&](int i, std::string_view line) {
    row[i % kRowLines] = line;
    if (i % kRowLines == kRowLines - 1) visit(row);
  });
}

// The rows stand after the line "[body]"; false when there is none.
bool SkipToRows(Remaining& lines) {
  const int body = lines.Find("[body]");
  if (body >= 0) lines.RemoveThrough(body);
  return body >= 0;
}

// Gives the bytes of the rows back as they are read.
void LoadRows(DocumentParts& parts, const Remaining& lines, PassedBytes& passed) {
  const int rows = (lines.Find("[/body]") + 1) / kRowLines;
  int filled = 0;
  ForEachRow(lines, rows, [&](const Row& row) { filled += IsEmptyRow(row) ? 0 : 1; });
  parts.results.Reserve(filled);
  ForEachRow(lines, rows, [&](const Row& row) {
    passed.Passed(row[0].data());
    parts.ui.PumpEvents();
    if (IsEmptyRow(row)) return;
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

// The sections of the pending lists, found before the rows are read, so that the bytes of the
// rows can be given back while they are read.
struct ListSections {
  std::string_view uncheck, scan, title;

  explicit ListSections(const Remaining& lines)
      : uncheck(lines.SectionText("[uncheck]", "[/uncheck]")),
        scan(lines.SectionText("[scan]", "[/scan]")),
        title(lines.SectionText("[title]", "[/title]")) {}
  // Where the first of them starts in text, or its end.
  const char* First(std::string_view text) const {
    const char* first = text.data() + text.size();
    for (std::string_view section : {uncheck, scan, title})
      if (!section.empty()) first = std::min(first, section.data());
    return first;
  }
};

// The pending lists; titles beyond the level-1 entries belong to none and are not kept.
void LoadLists(DocumentParts& parts, const ListSections& lists) {
  RunState& run = parts.run;
  int level1Cursor = run.Level1Cursor();
  int level2Cursor = run.Level2Cursor();
  run.Edit([&](UrlQueue& uncheck, PackedLines& titleList, UrlQueue& scan, SeenList&) {
    level1Cursor -= LoadQueue(lists.uncheck, level1Cursor, uncheck, &titleList, lists.title);
    level2Cursor -= LoadQueue(lists.scan, level2Cursor, scan);
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

// The event queue is serviced once per row while the text is written, not while it is counted.
void AddDocument(DocumentParts& parts, int rows, DocumentLines& out) {
  for (std::string_view line : {"[qemosearchfile]", "请勿修改文件!", "", "", "", "", "", "", "", "", "[head]"})
    out.Add(line);
  out.Add(parts.keywords.KeywordText());
  for (int counter : {SelectedScope(parts.scope), parts.run.Level1Cursor(), parts.run.Level2Cursor(),
                      parts.run.PagesFetched()})
    out.Add(IntToText(counter));
  out.Add("[/head]");
  const Lines batch = parts.keywords.BatchLines();
  AddSection(out, "[keywords]", batch.size(), [&](std::size_t i) -> std::string_view { return batch[i]; }, "[/keywords]");
  out.Add("[body]");
  for (int i = 0; i < rows && i < parts.results.Count(); ++i) {
    if (!out.Counting()) parts.ui.PumpEvents();
    if (i >= parts.results.Count()) break;
    const ResultRecord& row = parts.results.ResultAt(i);
    const std::string_view values[kRowLines] = {"0", "0", row.email, row.title, row.url, row.title};
    for (std::string_view value : values) out.Add(value);
  }
  out.Add("[/body]");
  AddList(out, "[uncheck]", parts.run.Level1(), "[/uncheck]");
  AddList(out, "[scan]", parts.run.Level2(), "[/scan]");
  const PackedLines& titles = parts.run.Level1Titles();
  AddSection(out, "[title]", titles.size(), [&](std::size_t i) { return titles[i]; }, "[/title]");
}

}  // namespace

std::string DocumentText(DocumentParts& parts) {
  const int rows = parts.results.Count();
  DocumentLines out;
  AddDocument(parts, rows, out);
  out.StartText();
  AddDocument(parts, rows, out);
  return out.TakeText();
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
  const bool hasRows = SkipToRows(lines);
  const std::optional<ListSections> lists = merge ? std::nullopt : std::optional<ListSections>(lines);
  PassedBytes passed(bytes, lists ? lists->First(text) : text.data() + text.size());
  if (hasRows) LoadRows(parts, lines, passed);
  if (!lists) return;
  LoadLists(parts, *lists);
  ClampProgress(parts.run);
}

}  // namespace marvessa
