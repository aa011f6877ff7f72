// The domain of an e-mail address and its registrable part, after the public suffix list.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace marvessa {

// The text after the last "@", trimmed and lower-cased, without a trailing dot; empty when the
// address has no "@".
std::string AddressDomain(std::string_view email);
// The registrable domain of a lower-case UTF-8 domain ("a.example.com.cn" gives
// "example.com.cn"), after the system's public suffix list or libpsl's built-in copy; nothing
// when the domain is itself a public suffix or no domain at all (an address literal, "localhost").
std::optional<std::string> RegistrableDomain(const std::string& domain);

}  // namespace marvessa
