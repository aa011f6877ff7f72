#include "results/ujsonlimport.h"

#include <nlohmann/json.hpp>

#include "base/ufileio.h"
#include "base/ufoldedindex.h"

namespace marvessa {

namespace {

// The string member as one line of GBK text; empty when it is missing or not a string.
std::string OneLineField(const nlohmann::json& object, const char* name) {
  const auto member = object.find(name);
  if (member == object.end() || !member->is_string()) return {};
  std::string text = Utf8ToGbk(member->get_ref<const std::string&>());
  for (char& c : text)
    if (c == '\r' || c == '\n') c = ' ';
  text.shrink_to_fit();  // kept in the list, where the converter's spare room would be waste
  return text;
}

// The addresses of the customer list, trimmed and ignoring case, found by row.
class KnownAddresses {
 public:
  explicit KnownAddresses(const ResultList& results) : results_(results) {}
  bool Holds(std::string_view address) const { return index_.Holds(TrimView(address), AddressOf{&results_}); }
  // Rows removed or reordered (while the event queue was serviced) are indexed anew.
  void IndexNewRows() {
    if (results_.Revision() != revision_) {
      index_.Clear();
      indexed_ = 0;
      revision_ = results_.Revision();
    }
    for (; indexed_ < results_.Count(); ++indexed_) index_.Add(static_cast<std::uint32_t>(indexed_), AddressOf{&results_});
  }

 private:
  struct AddressOf {
    const ResultList* results;
    std::string_view operator()(std::uint32_t row) const {
      return TrimView(results->ResultAt(static_cast<int>(row)).email);
    }
  };

  const ResultList& results_;
  FoldedIndex index_;
  int indexed_ = 0;
  unsigned long long revision_ = results_.Revision();
};

}  // namespace

int ImportResultLines(std::string utf8, ResultList& results, RunState& run, UiThread& ui) {
  KnownAddresses known(results);
  PassedBytes passed(utf8);
  // Room for the lines that may be rows, so that the list does not hold two copies of its rows
  // while it grows.
  int rows = 0;
  ForEachLine(utf8, [&](std::string_view line) {
    rows += Contains(line, "\"email\"") ? 1 : 0;
    return true;
  });
  results.Reserve(rows);
  int added = 0;
  ForEachLine(utf8, [&](std::string_view line) {
    passed.Passed(line.data());
    ui.PumpEvents();
    known.IndexNewRows();
    const nlohmann::json object = nlohmann::json::parse(line, nullptr, false);
    if (!object.is_object()) return true;
    std::string address = OneLineField(object, "email");
    if (IsBlankText(address) || known.Holds(address)) return true;
    run.RememberEmail(address);
    results.AddResult(std::move(address), OneLineField(object, "url"), OneLineField(object, "title"));
    ++added;
    return true;
  });
  return added;
}

int ImportResultFile(const std::string& path, ResultList& results, RunState& run, UiThread& ui, BusyCursor& cursor) {
  BusyScope busy(cursor);
  auto bytes = ReadExistingFile(path);
  return bytes ? ImportResultLines(std::move(*bytes), results, run, ui) : 0;
}

}  // namespace marvessa
