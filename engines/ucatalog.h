// The engine definition file "Trovik.dat", its built-in default, and the engine lists built
// from it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/ufolders.h"
#include "app/utext.h"

namespace marvessa {

// The file's lines with the body unscrambled, or the built-in lines.
using EngineCatalog = Lines;

inline constexpr const char* kEngineFileName = "Trovik.dat";

// Scrambles a plain body line and unscrambles a scrambled one (the transformation is its own
// inverse for every byte of value 15 or more). Keeps the length; never yields a byte below 15.
std::string ScrambleLine(std::string_view line);

// Applies ScrambleLine to every line strictly between the first "[body]" and "[/body]" lines.
void ScrambleBody(Lines& lines);

// The built-in catalogue: 1,027 lines, body plain.
const EngineCatalog& BuiltinCatalog();

// Whether the lines of an engine file pass the validity test (marker line, "[/body]" after
// line 10).
bool IsValidEngineFile(const Lines& lines);
// Reads the engine file at path; a missing, unreadable or invalid file gives the built-in
// catalogue.
EngineCatalog LoadCatalog(const std::string& path);
// The catalogue held by the bytes of an engine file (the built-in one when they fail the test).
EngineCatalog CatalogFromFileBytes(std::string_view bytes);
EngineCatalog LoadCatalog(const Folders& folders);
// The file form of a catalogue: body lines scrambled, every line ended by CR LF.
std::string EngineFileText(const EngineCatalog& catalog);

// The engine's character in the searchengine setting (position i+1) is "1".
bool IsEngineSwitchedOff(const std::string& searchengine, int i);

struct EngineRow {
  std::string name;
  int scope = 0;
  bool on = true;
};
std::vector<EngineRow> ListEngines(const EngineCatalog& catalog, const std::string& searchengine);

// "[body]", the 25 body lines of every engine of the scope that is switched on, "[/body]".
Lines BuildRunEngineList(const EngineCatalog& catalog, int scope, const std::string& searchengine);
// Catalogue numbers (from 0) of the engines BuildRunEngineList takes, in order.
std::vector<int> RunEngineNumbers(const EngineCatalog& catalog, int scope, const std::string& searchengine);

// The scope's name as the options dialog shows it; "未知" for any other code.
std::string ScopeName(int scope);
inline constexpr int kScopeCount = 8;

}  // namespace marvessa
