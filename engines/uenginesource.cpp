#include "engines/uenginesource.h"

#include <algorithm>
#include <array>
#include <map>
#include <vector>

#include "engines/uengine.h"
#include "net/ucharset.h"

namespace marvessa {

namespace {

constexpr std::array<std::string_view, 3> kHeadFields = {"name", "scope", "site"};
constexpr std::array<std::string_view, 22> kBodyFields = {
    "engineKey",    "areaStart", "areaEnd",        "itemStart",   "itemEnd",   "urlStart",   "urlEnd",
    "titleStart",   "titleEnd",  "summaryStart",   "summaryEnd",  "queryPrefix", "queryPath", "queryPageParam",
    "querySuffix",  "nextStart", "nextEnd",        "pageStep",    "itemOrder", "firstPage",  "nextMode",
    "nextPrefix"};
constexpr std::string_view kExtension = "ext.";

// Fields in the order they were given; a later line replaces an earlier one's value.
using Fields = std::vector<std::pair<std::string, std::string>>;

void SetField(Fields& fields, const std::string& name, const std::string& value) {
  const auto it = std::find_if(fields.begin(), fields.end(), [&](const auto& f) { return f.first == name; });
  if (it == fields.end()) {
    fields.emplace_back(name, value);
  } else {
    it->second = value;
  }
}

std::string FieldValue(const Fields& fields, std::string_view name) {
  for (const auto& [field, value] : fields)
    if (field == name) return value;
  return {};
}

bool IsKnownField(std::string_view name) {
  return std::find(kHeadFields.begin(), kHeadFields.end(), name) != kHeadFields.end() ||
         std::find(kBodyFields.begin(), kBodyFields.end(), name) != kBodyFields.end() ||
         (StartsWith(name, kExtension) && name.size() > kExtension.size());
}

// "&", "=" and "%" as "%XX", so that they stay inside their key or value.
std::string EscapeExtension(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == '&' || c == '=' || c == '%') {
      static constexpr char kHex[] = "0123456789ABCDEF";
      out += '%';
      out += kHex[static_cast<unsigned char>(c) >> 4];
      out += kHex[c & 15];
    } else {
      out += c;
    }
  }
  return out;
}

// The reserved line (23, 24 or 25) an extension key goes onto.
int ExtensionLine(const std::string& key) {
  const std::string k = LowerAscii(key);
  if (k == "unwrap" || k == "entities" || k == "skip" || k == "noresults" || k == "nextpage") return 24;
  if (StartsWith(k, "block")) return 25;
  return 23;
}

struct Record {
  Fields fields;
  int line = 0;  // where the section began
};

class SourceReader {
 public:
  EngineCatalog Read(std::string_view source) {
    const Lines lines = SplitLines(source);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      lineNumber_ = static_cast<int>(i) + 1;
      ReadLine(lines[i]);
    }
    if (date_.empty()) Fail("the source names no date");
    if (engines_.empty()) Fail("the source holds no engine");
    return Catalog();
  }

 private:
  [[noreturn]] void Fail(const std::string& why) const {
    throw EngineSourceError("line " + IntToText(lineNumber_) + ": " + why);
  }

  void ReadLine(const std::string& line) {
    if (IsBlankText(line) || line[0] == '#') return;
    if (line[0] == '[') return OpenSection(Trim(line));
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) Fail("a line that is neither a section nor name=value");
    const std::string name = line.substr(0, equals);
    const std::string value = line.substr(equals + 1);
    if (!value.empty() && IsBlank(value.back())) Fail("a value that ends with a blank");
    if (!current_) {
      if (name != "date") Fail("a field before the first section");
      date_ = value;
      return;
    }
    if (name == "like") {
      const auto it = templates_.find(value);
      if (it == templates_.end()) Fail("no template \"" + value + "\" before this line");
      for (const auto& [field, v] : it->second.fields) SetField(current_->fields, field, v);
      return;
    }
    if (!IsKnownField(name)) Fail("unknown field \"" + name + "\"");
    SetField(current_->fields, name, value);
  }

  void OpenSection(const std::string& header) {
    if (header == "[engine]") {
      engines_.push_back({{}, lineNumber_});
      current_ = &engines_.back();
      return;
    }
    const std::string prefix = "[template ";
    if (!StartsWith(header, prefix) || header.back() != ']') Fail("unknown section " + header);
    const std::string name = Trim(header.substr(prefix.size(), header.size() - prefix.size() - 1));
    if (name.empty() || templates_.count(name)) Fail("a template needs a name of its own");
    current_ = &templates_[name];
    current_->line = lineNumber_;
  }

  Lines Body(const Record& engine) const {
    Lines body;
    for (std::string_view field : kBodyFields) body.push_back(Utf8ToGbk(FieldValue(engine.fields, field)));
    std::map<int, std::string> reserved;
    for (const auto& [field, value] : engine.fields) {
      if (!StartsWith(field, kExtension)) continue;
      const std::string key = field.substr(kExtension.size());
      std::string& line = reserved[ExtensionLine(key)];
      if (!line.empty()) line += '&';
      line += EscapeExtension(key) + "=" + EscapeExtension(value);
    }
    for (int line = 23; line <= kEngineBlockLines; ++line) body.push_back(Utf8ToGbk(reserved[line]));
    return body;
  }

  EngineCatalog Catalog() {
    Lines head;
    Lines body;
    for (const Record& engine : engines_) {
      lineNumber_ = engine.line;
      const std::string name = FieldValue(engine.fields, "name");
      const std::string scope = FieldValue(engine.fields, "scope");
      if (IsBlankText(name)) Fail("an engine without a name");
      if (!ParseDecimal(scope) || IntToText(*ParseDecimal(scope)) != scope) Fail("an engine without a scope number");
      head.insert(head.end(), {Utf8ToGbk(name), scope, Utf8ToGbk(FieldValue(engine.fields, "site")), "", ""});
      const Lines block = Body(engine);
      if (std::any_of(block.begin(), block.end(), HasLowByte)) Fail("a field holds a byte below 15");
      body.insert(body.end(), block.begin(), block.end());
    }
    Lines lines = {"[qemosearchengine]", "请勿修改!", date_, "[head]"};
    lines.insert(lines.end(), head.begin(), head.end());
    lines.insert(lines.end(), {"[/head]", "[body]"});
    lines.insert(lines.end(), body.begin(), body.end());
    lines.push_back("[/body]");
    return EngineCatalog(lines);
  }

  // Bytes below 15 cannot be carried in a scrambled body line.
  static bool HasLowByte(const std::string& line) {
    return std::any_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) < 15; });
  }

  std::string date_;
  std::vector<Record> engines_;
  std::map<std::string, Record> templates_;
  Record* current_ = nullptr;
  int lineNumber_ = 0;
};

}  // namespace

EngineCatalog CatalogFromSource(std::string_view utf8Source) { return SourceReader().Read(utf8Source); }

}  // namespace marvessa
