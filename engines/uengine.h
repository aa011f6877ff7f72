// One engine's definition: how it is queried and how its result pages are cut.
#pragma once

#include <string>

#include "base/utext.h"
#include "engines/uengineext.h"

namespace marvessa {

inline constexpr int kEngineBlockLines = 25;
inline constexpr int kEngineHeadLines = 5;

struct EngineDef {
  std::string engineKey;
  std::string areaStart;
  std::string areaEnd;
  std::string itemStart;
  std::string itemEnd;
  std::string urlStart;
  std::string urlEnd;
  std::string titleStart;
  std::string titleEnd;
  std::string summaryStart;
  std::string summaryEnd;
  std::string queryPrefix;
  std::string queryPath;
  std::string queryPageParam;
  std::string querySuffix;
  std::string nextStart;
  std::string nextEnd;
  int pageStep = 0;
  int itemOrder = 0;
  int firstPage = 0;
  std::string nextMode;
  std::string nextPrefix;
  EngineExtensions extensions;  // lines 23-25
};

// Number of engines in a run engine list: the 25-line blocks between "[body]" and "[/body]".
int RunEngineCount(const Lines& runEngines);

// Loads engine e of a run engine list into def (lines 25e+1 .. 25e+25; the extension lines
// 23-25 when the list holds them). The three integer lines
// are trimmed and parsed as decimals; an unparsable itemOrder is 0, an unparsable pageStep or
// firstPage keeps the value def already holds. A block past the end of the list loads nothing.
bool LoadEngineBlock(const Lines& runEngines, int e, EngineDef& def);

}  // namespace marvessa
