// The domain of an e-mail address; its registrable part is RegistrableDomain's
// (net/upublicsuffix.h).
#pragma once

#include <string>
#include <string_view>

#include "net/upublicsuffix.h"

namespace marvessa {

// The text after the last "@", trimmed and lower-cased, without a trailing dot; empty when the
// address has no "@".
std::string AddressDomain(std::string_view email);

}  // namespace marvessa
