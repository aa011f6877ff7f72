// Trust for https: the system's CA bundle, plus the extra bundle that MARVESSA_CA_FILE names
// (a private or test CA). libcurl loads the system bundle; the extra certificates are added to
// every TLS context it makes.
#pragma once

#include <curl/curl.h>

namespace marvessa {

inline constexpr const char* kExtraCaVariable = "MARVESSA_CA_FILE";

// Makes the handle trust the extra bundle besides the system's. Without MARVESSA_CA_FILE, or
// with a file that holds no certificate, only the system's bundle is trusted.
void TrustExtraCa(CURL* curl);

}  // namespace marvessa
