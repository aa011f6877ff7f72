#include "results/uaddressdomain.h"

#include "base/utext.h"

namespace marvessa {

std::string AddressDomain(std::string_view email) {
  const std::size_t at = email.rfind('@');
  if (at == std::string_view::npos) return {};
  std::string domain = LowerAscii(Trim(email.substr(at + 1)));
  if (!domain.empty() && domain.back() == '.') domain.pop_back();
  return domain;
}

}  // namespace marvessa
