#include "results/uaddressdomain.h"

#include <libpsl.h>

#include "app/utext.h"

namespace marvessa {

namespace {

// The newer of the system's list and the built-in one; loaded once, read-only afterwards.
const psl_ctx_t* SuffixList() {
  static const psl_ctx_t* const list = [] {
    const psl_ctx_t* latest = psl_latest(nullptr);
    return latest ? latest : psl_builtin();
  }();
  return list;
}

}  // namespace

std::string AddressDomain(std::string_view email) {
  const std::size_t at = email.rfind('@');
  if (at == std::string_view::npos) return {};
  std::string domain = LowerAscii(Trim(email.substr(at + 1)));
  if (!domain.empty() && domain.back() == '.') domain.pop_back();
  return domain;
}

std::optional<std::string> RegistrableDomain(const std::string& domain) {
  if (domain.empty() || domain.front() == '[') return std::nullopt;
  const psl_ctx_t* list = SuffixList();
  if (!list) return std::nullopt;
  const char* registrable = psl_registrable_domain(list, domain.c_str());
  if (!registrable) return std::nullopt;
  return std::string(registrable);
}

}  // namespace marvessa
