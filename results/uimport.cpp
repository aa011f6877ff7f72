#include "results/uimport.h"

#include "app/ufileio.h"
#include "results/ujsonlimport.h"

namespace marvessa {

namespace {

// Lines b + 1 for b = 10, 10 + step, ... while b < count - 1.
Lines EveryNthFromLine11(const Lines& lines, int step, UiThread& ui) {
  Lines taken;
  const int count = static_cast<int>(lines.size());
  for (int b = 10; b < count - 1; b += step) {
    taken.push_back(lines[b + 1]);
    ui.PumpEvents();
  }
  return taken;
}

Lines Ulk3Lines(const Lines& all, UiThread& ui) {
  const int body = IndexOfLineNoCase(all, "[body]");
  const int from = body >= 0 ? body + 1 : 0;
  const int end = IndexOfLineNoCase(all, "[/body]", from);
  const int z = end >= 0 ? end - from : -1;
  Lines taken;
  for (int k = 0; k < (z + 1) / 10; ++k) {
    taken.push_back(all[from + 10 * k + 3]);
    ui.PumpEvents();
  }
  return taken;
}

}  // namespace

std::string ImportExtension(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  const std::size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  return LowerAscii(Trim(std::string_view(path).substr(dot)));
}

Lines TakeUrlLines(const std::string& extension, const Lines& lines, UiThread& ui) {
  if (extension == ".txt") return lines;
  if (extension != ".ulk" || lines.empty()) return {};
  const std::string h = LowerAscii(Trim(lines[0]));
  if (h == "$[ulk2]") return EveryNthFromLine11(lines, 6, ui);
  if (h == "$[ulk]") return EveryNthFromLine11(lines, 3, ui);
  if (h == "[ulk3]") return Ulk3Lines(lines, ui);
  return {};
}

void ImportUrlList(const std::string& path, RunState& run, UiThread& ui, BusyCursor& cursor) {
  if (!FileExists(path)) return;
  const std::string extension = ImportExtension(path);
  BusyScope busy(cursor);
  auto bytes = ReadExistingFile(path);
  if (!bytes) return;
  const Lines urls = TakeUrlLines(extension, SplitLines(*bytes), ui);
  for (const auto& url : urls)
    run.Edit([&](UrlQueue& level1, Lines& titles, UrlQueue&, SeenList&) {
      level1.AddNewest(url);
      titles.emplace_back();
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
