// The named character references of HTML that pages use in titles and around addresses.
#pragma once

#include <string_view>

namespace marvessa {

// The code point "&name;" stands for, the name matched in any letter case; "&nbsp;", "&Tab;" and
// "&NewLine;" stand for a plain blank. 0 when the name is not one of them.
char32_t NamedReferenceCodePoint(std::string_view name);

}  // namespace marvessa
