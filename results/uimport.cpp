#include "results/uimport.h"

#include <climits>

#include "base/ufileio.h"
#include "results/ujsonlimport.h"

namespace marvessa {

namespace {

using Take = std::function<void(std::string_view)>;

// Lines first, first + step, first + 2 step, ... before line last.
void TakeEvery(std::string_view text, int first, int step, int last, UiThread& ui, const Take& take) {
  int index = 0;
  ForEachLine(text, [&](std::string_view line) {
    if (index >= first && (index - first) % step == 0) {
      take(line);
      ui.PumpEvents();
    }
    return ++index < last;
  });
}

// Line 3 of every whole group of ten lines between the first "[body]" (or the file's start) and
// the first "[/body]" after it.
void Ulk3Lines(std::string_view text, UiThread& ui, const Take& take) {
  const int from = IndexOfLineNoCase(text, "[body]") + 1;
  const int end = IndexOfLineNoCase(text, "[/body]", from);
  const int groups = end >= 0 ? (end - from + 1) / 10 : 0;
  TakeEvery(text, from + 3, 10, from + 10 * groups, ui, take);
}

}  // namespace

std::string ImportExtension(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  const std::size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  return LowerAscii(Trim(std::string_view(path).substr(dot)));
}

void TakeUrlLines(const std::string& extension, std::string_view text, UiThread& ui, const Take& take) {
  if (extension == ".txt") {
    ForEachLine(text, [&](std::string_view line) {
      take(line);
      return true;
    });
    return;
  }
  if (extension != ".ulk" || text.empty()) return;
  std::string_view first;
  ForEachLine(text, [&](std::string_view line) {
    first = line;
    return false;
  });
  const std::string h = LowerAscii(Trim(first));
  // Lines b + 1 for b = 10, 10 + step, ... as far as the file goes.
  if (h == "$[ulk2]") TakeEvery(text, 11, 6, INT_MAX, ui, take);
  if (h == "$[ulk]") TakeEvery(text, 11, 3, INT_MAX, ui, take);
  if (h == "[ulk3]") Ulk3Lines(text, ui, take);
}

void ImportUrlList(const std::string& path, RunState& run, UiThread& ui, BusyCursor& cursor) {
  if (!FileExists(path)) return;
  const std::string extension = ImportExtension(path);
  BusyScope busy(cursor);
  auto bytes = ReadExistingFile(path);
  if (!bytes) return;
  PassedBytes passed(*bytes);
  TakeUrlLines(extension, *bytes, ui, [&](std::string_view url) {
    passed.Passed(url.data());
    if (IsBlankText(url)) return;
    run.Edit([&](UrlQueue& level1, PackedLines& titles, UrlQueue&, SeenList&) {
      level1.AddNewest(url);
      titles.emplace_back();
    });
  });
}

void ImportFile(const std::string& path, ResultList& results, RunState& run, UiThread& ui, BusyCursor& cursor) {
  if (ImportExtension(path) == ".jsonl") {
    ImportResultFile(path, results, run, ui, cursor);
  } else {
    ImportUrlList(path, run, ui, cursor);
  }
}

}  // namespace marvessa
