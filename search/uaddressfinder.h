// Finds the addresses on a page, in the order they are to be reported: first those of mailto:
// links (taken whole up to "?", with the addresses of their to=, cc= and bcc= parameters), then
// those hidden by Cloudflare's e-mail protection, then those in the text. The text is read as
// DecodeForAddresses gives it; the page itself is not changed. Linear in the page's length.
#pragma once

#include <functional>
#include <string_view>

#include "search/uaddressdecode.h"
#include "search/uaddressrules.h"

namespace marvessa {

// Called with every candidate, letter case as written, and the rules' verdict on it; returns
// false to end the search. In the text a candidate must also stand on its own: not cut out of a
// URL's path or user part, not a handle such as "@user@host", not in a placeholder (a
// placeholder= attribute's value or a "...placeholder" key's value), not followed by the ":path"
// of a source-control login, and not glued to the remnant of an escape ("u003e", "%20").
using AddressSink = std::function<bool(std::string_view address, AddressFault fault)>;

void FindAddresses(std::string_view page, PageBytes bytes, const AddressRules& rules, const AddressSink& found);

}  // namespace marvessa
