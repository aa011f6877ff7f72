// The public suffix list as Debian's libpsl gives it: the newer of the library's built-in copy
// and the system's list in /usr/share/publicsuffix, loaded once per process.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace marvessa {

// Whether label, lower-cased, is a top-level domain of the list's ICANN section (punycode
// labels such as "xn--p1ai" included). Without any list, every label of two or more letters is.
bool IsTopLevelDomain(std::string_view label);
// Whether the lower-cased domain is itself a public suffix ("com", "co.uk"), so that no one
// can hold an address directly on it.
bool IsPublicSuffix(std::string_view domain);
// The registrable domain of a lower-case UTF-8 domain ("a.example.com.cn" gives
// "example.com.cn"); nothing when the domain is itself a public suffix or no domain at all (an
// address literal, "localhost").
std::optional<std::string> RegistrableDomain(const std::string& domain);

}  // namespace marvessa
