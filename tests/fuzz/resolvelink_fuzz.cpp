// ResolveLink and the URL pieces over arbitrary base and link texts (split at the first 0 byte).
#include <cstdint>
#include <string_view>

#include "base/utext.h"
#include "net/uurl.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace marvessa;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t split = input.find('\0');
  const std::string_view base = input.substr(0, split);
  const std::string_view link = split == std::string_view::npos ? std::string_view() : input.substr(split + 1);
  const std::string directory = UrlDirectory(base);
  const std::string root = UrlSiteRoot(base);
  // A URL with a host has both pieces, and its directory ends with "/".
  if (directory.empty() != root.empty()) __builtin_trap();
  if (!directory.empty() && directory.back() != '/') __builtin_trap();
  UrlScheme(link);
  const std::string resolved = ResolveLink(base, link);
  // A relative link stays on the base's site (backslashes could make it absolute; "//host/path"
  // names another host on the base's scheme).
  if (!resolved.empty() && UrlSiteRoot(link).empty() && !directory.empty() && link.find('\\') == std::string_view::npos &&
      !Trim(link).starts_with("//")) {
    const std::string authority = directory.substr(0, directory.find('/', directory.find("://") + 3));
    if (!resolved.starts_with(root) && !resolved.starts_with(authority)) __builtin_trap();
  }
  return 0;
}
