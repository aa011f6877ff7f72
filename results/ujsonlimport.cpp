#include "results/ujsonlimport.h"

#include <nlohmann/json.hpp>

#include <unordered_set>

#include "base/ufileio.h"

namespace marvessa {

namespace {

std::string AddressKey(std::string_view email) { return LowerAscii(Trim(email)); }

// The string member as one line of GBK text; empty when it is missing or not a string.
std::string OneLineField(const nlohmann::json& object, const char* name) {
  const auto member = object.find(name);
  if (member == object.end() || !member->is_string()) return {};
  std::string text = Utf8ToGbk(member->get_ref<const std::string&>());
  for (char& c : text)
    if (c == '\r' || c == '\n') c = ' ';
  return text;
}

}  // namespace

int ImportResultLines(const std::string& utf8, ResultList& results, RunState& run, UiThread& ui) {
  std::unordered_set<std::string> known;
  for (int i = 0; i < results.Count(); ++i) known.insert(AddressKey(results.ResultAt(i).email));
  int added = 0;
  for (const std::string& line : SplitLines(utf8)) {
    ui.PumpEvents();
    const nlohmann::json object = nlohmann::json::parse(line, nullptr, false);
    if (!object.is_object()) continue;
    std::string address = OneLineField(object, "email");
    if (IsBlankText(address) || !known.insert(AddressKey(address)).second) continue;
    run.RememberEmail(address);
    results.AddResult(std::move(address), OneLineField(object, "url"), OneLineField(object, "title"));
    ++added;
  }
  return added;
}

int ImportResultFile(const std::string& path, ResultList& results, RunState& run, UiThread& ui, BusyCursor& cursor) {
  BusyScope busy(cursor);
  const auto bytes = ReadExistingFile(path);
  return bytes ? ImportResultLines(*bytes, results, run, ui) : 0;
}

}  // namespace marvessa
