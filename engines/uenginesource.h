// The readable source of an engine file, as the maintained engine file is kept in the
// repository and reviewed: UTF-8 text with one "name=value" line per field.
//
//   # a comment
//   date=2026-12-08
//   [template bing]            fields that engines take over with "like=bing"
//   [engine]                   one engine record, in file order
//   like=bing
//   name=Bing                  head: name, scope, site
//   areaStart=<ol id="b_results"
//   ext.charset=utf-8          an extension key of the reserved body lines
//
// A value is the rest of its line, taken as it stands; it may not end with a blank (that would
// be invisible in review). The body fields carry the names of the 25-line record (engineKey,
// areaStart, …, nextPrefix); a field not given is empty. The extension keys go onto the reserved
// lines: those of the result page (unwrap, entities, skip, noresults, nextpage) onto line 24, the block signals
// onto line 25, the rest onto line 23.
#pragma once

#include <stdexcept>
#include <string_view>

#include "engines/ucatalog.h"

namespace marvessa {

struct EngineSourceError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The catalogue (plain lines, GBK) the source describes; EngineFileText() of it is the file.
// Throws EngineSourceError, naming the line, for anything the format does not allow.
EngineCatalog CatalogFromSource(std::string_view utf8Source);

}  // namespace marvessa
