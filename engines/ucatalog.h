// The engine definition file "Trovik.dat", its built-in default, and the engine lists built
// from it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/ufolders.h"
#include "base/utext.h"

namespace marvessa {

struct EngineDef;

// An engine file's lines with the body unscrambled, or the built-in lines. They are held as one
// text, each line followed by one LF, with the place of every 16th line: reading a file takes
// little more than the file itself, however short its lines.
class EngineCatalog {
 public:
  EngineCatalog() = default;
  EngineCatalog(const Lines& lines);  // NOLINT: the built-in catalogue and tests are written as lines
  // Takes over the text of an engine file, with any line ends, and unscrambles its body in place.
  static EngineCatalog FromFileText(std::string text);

  std::size_t size() const { return count_; }
  std::string_view operator[](std::size_t i) const;
  // The first line equal to marker, ignoring ASCII case; -1 when there is none.
  int Find(std::string_view marker) const;
  // Every line followed by one LF.
  std::string_view Text() const { return text_; }
  friend bool operator==(const EngineCatalog& a, const EngineCatalog& b) { return a.text_ == b.text_; }

 private:
  static constexpr std::size_t kMarkEvery = 16;
  void MarkLines();

  std::string text_;
  std::vector<std::size_t> marks_;  // where lines 0, 16, 32, ... start
  std::size_t count_ = 0;
};

inline constexpr const char* kEngineFileName = "Trovik.dat";

// Scrambles a plain body line and unscrambles a scrambled one (the transformation is its own
// inverse for every byte of value 15 or more). Keeps the length; never yields a byte below 15.
std::string ScrambleLine(std::string_view line);

// Applies ScrambleLine to every line strictly between the first "[body]" and "[/body]" lines.
void ScrambleBody(Lines& lines);

// The built-in catalogue: 1,027 lines, body plain.
const EngineCatalog& BuiltinCatalog();

// Whether the text of an engine file passes the validity test (marker line, "[/body]" after
// line 10); read without a copy of its lines, so that a file that fails costs nothing.
bool IsValidEngineFile(std::string_view text);
// Reads the engine file at path; a missing, unreadable or invalid file gives the built-in
// catalogue.
EngineCatalog LoadCatalog(const std::string& path);
// The catalogue held by the bytes of an engine file (the built-in one when they fail the test).
EngineCatalog CatalogFromFileBytes(std::string bytes);
EngineCatalog LoadCatalog(const Folders& folders);
// The file form of a catalogue: body lines scrambled, every line ended by CR LF.
std::string EngineFileText(const EngineCatalog& catalog);

// The engine's character in the searchengine setting (position i+1) is "1".
bool IsEngineSwitchedOff(const std::string& searchengine, int i);

struct EngineRow {
  std::string name;
  int scope = 0;
  bool on = true;
  std::string site;  // the head record's third line: the engine's site, when the file names it
};
std::vector<EngineRow> ListEngines(const EngineCatalog& catalog, const std::string& searchengine);

// "[body]", the 25 body lines of every engine of the scope that is switched on, "[/body]".
Lines BuildRunEngineList(const EngineCatalog& catalog, int scope, const std::string& searchengine);
// Loads engine i (from 0) of the catalogue into def; false when the catalogue has no such engine.
bool LoadCatalogEngine(const EngineCatalog& catalog, int i, EngineDef& def);
// Catalogue numbers (from 0) of the engines BuildRunEngineList takes, in order.
std::vector<int> RunEngineNumbers(const EngineCatalog& catalog, int scope, const std::string& searchengine);
// The rows of those engines, in the same order.
std::vector<EngineRow> ListRunEngines(const EngineCatalog& catalog, int scope, const std::string& searchengine);

// The scope's name as the options dialog shows it; "未知" for any other code.
std::string ScopeName(int scope);
inline constexpr int kScopeCount = 8;

}  // namespace marvessa
