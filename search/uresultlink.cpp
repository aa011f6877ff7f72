#include "search/uresultlink.h"

#include <openssl/evp.h>

#include <vector>

#include "base/utext.h"
#include "net/ucharset.h"
#include "search/uhtmlreference.h"

namespace marvessa {

namespace {

// The code point a reference's name (between "&" and ";") stands for; 0 when it is none.
unsigned long ReferencedCodePoint(std::string_view name) {
  if (name.size() > 1 && name[0] == '#') {
    const bool hex = name[1] == 'x' || name[1] == 'X';
    const std::string digits(name.substr(hex ? 2 : 1));
    if (digits.empty() || digits.size() > 7) return 0;
    char* end = nullptr;
    const unsigned long cp = std::strtoul(digits.c_str(), &end, hex ? 16 : 10);
    const bool valid = *end == '\0' && cp > 0 && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
    return valid ? cp : 0;
  }
  return NamedReferenceCodePoint(name);
}

// The value of the query parameter name (after "?" or "&") in link, up to the next "&"; npos
// as start when there is none.
std::string_view ParameterValue(std::string_view link, std::string_view name) {
  for (std::size_t at = link.find(name); at != std::string_view::npos; at = link.find(name, at + 1)) {
    if (at == 0 || (link[at - 1] != '?' && link[at - 1] != '&')) continue;
    const std::size_t start = at + name.size();
    return link.substr(start, std::min(link.find('&', start), link.size()) - start);
  }
  return {};
}

std::string DecodeBase64Url(std::string_view text) {
  std::string standard(text);
  for (char& c : standard) {
    if (c == '-') c = '+';
    if (c == '_') c = '/';
  }
  while (standard.size() % 4 != 0) standard += '=';
  std::vector<unsigned char> out(standard.size() / 4 * 3 + 1);
  const int n = EVP_DecodeBlock(out.data(), reinterpret_cast<const unsigned char*>(standard.data()),
                                static_cast<int>(standard.size()));
  if (n < 0) return {};
  std::size_t length = static_cast<std::size_t>(n);
  for (std::size_t i = standard.size(); i > 0 && standard[i - 1] == '=' && length > 0; --i) --length;
  return std::string(reinterpret_cast<const char*>(out.data()), length);
}

// The wrapped address as its bytes, or empty when the link does not carry one.
std::string WrappedAddress(std::string_view link, LinkWrapper wrapper) {
  switch (wrapper) {
    case LinkWrapper::kBase64Url: {
      const std::string_view value = ParameterValue(link, "u=");
      return StartsWith(value, "a1") ? DecodeBase64Url(value.substr(2)) : std::string();
    }
    case LinkWrapper::kRu: {
      const std::size_t at = link.find("/RU=");
      if (at == std::string_view::npos) return {};
      const std::string_view rest = link.substr(at + 4);
      return PercentDecode(rest.substr(0, std::min(rest.find("/RK="), rest.find("/RS="))));
    }
    case LinkWrapper::kUddg:
      return PercentDecode(ParameterValue(link, "uddg="));
    case LinkWrapper::kUrlQ: {
      const std::size_t at = link.find("/url?");
      return at == std::string_view::npos ? std::string() : PercentDecode(ParameterValue(link.substr(at), "q="));
    }
    case LinkWrapper::kNone:
      break;
  }
  return {};
}

}  // namespace

std::string DecodeHtmlEntities(std::string_view text, const char* charset) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::size_t semicolon = text[i] == '&' ? text.find(';', i + 1) : std::string_view::npos;
    const unsigned long cp =
        semicolon != std::string_view::npos && semicolon - i <= 10 ? ReferencedCodePoint(text.substr(i + 1, semicolon - i - 1)) : 0;
    if (cp == 0) {
      out += text[i];
      continue;
    }
    std::string utf8;
    AppendUtf8(utf8, static_cast<long>(cp));
    out += cp < 0x80 ? utf8 : ConvertText(utf8, charset, "UTF-8");
    i = semicolon;
  }
  return out;
}

std::string UnwrapResultLink(std::string_view link, LinkWrapper wrapper) {
  std::string address = WrappedAddress(link, wrapper);
  if (address.empty()) return std::string(link);
  if (StartsWith(address, "//")) address = "https:" + address;
  return PercentEncodeUnprintable(address);
}

}  // namespace marvessa
