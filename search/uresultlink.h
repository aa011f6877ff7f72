// Result links of today's engines: character references in the cut text, and the engine's own
// redirect links that wrap the address a result leads to.
#pragma once

#include <string>
#include <string_view>

#include "engines/uengineext.h"

namespace marvessa {

// The text with its HTML character references decoded: numeric ones ("&#38;", "&#x26;"), the
// markup characters ("&amp;", "&lt;", …, "&nbsp;" as a blank) and the common typographic ones
// ("&ndash;", "&hellip;", "&raquo;", …). A character outside ASCII is written in charset (an
// iconv name); any other "&" stays as it is.
std::string DecodeHtmlEntities(std::string_view text, const char* charset);

// The address a wrapped result link leads to; a link the wrapper does not fit comes back as it
// is. Bytes outside printable ASCII in the address are percent-encoded, so that it stays one
// URL of ASCII text; a scheme-less "//host/…" address gets "https:".
std::string UnwrapResultLink(std::string_view link, LinkWrapper wrapper);

}  // namespace marvessa
