#include "net/upublicsuffix.h"

#include <libpsl.h>

#include <algorithm>
#include <array>
#include <string>

#include "base/utexttable.h"

namespace marvessa {

namespace {

// psl_latest compares the modification times of the built-in list and the distribution's file
// and loads the newer one; lookups on the loaded list are safe from any thread.
const psl_ctx_t* List() {
  static const psl_ctx_t* const list = [] {
    const psl_ctx_t* latest = psl_latest(nullptr);
    return latest ? latest : psl_builtin();
  }();
  return list;
}

bool LookUp(std::string_view name) {
  std::array<char, 256> text{};
  if (name.size() >= text.size()) return false;
  std::copy(name.begin(), name.end(), text.begin());
  // Without the "*" rule every unknown name would count as a suffix.
  return psl_is_public_suffix2(List(), text.data(), PSL_TYPE_ICANN | PSL_TYPE_NO_STAR_RULE) != 0;
}

// A look-up in the list costs as much as all the other rules an address is judged by, and pages
// repeat a few top-level domains and domains: each thread keeps the answers it has had.
bool IsListed(std::string_view name) {
  constexpr std::size_t kMostAnswers = 4096;
  thread_local TextTable<bool> answers;
  if (const bool* answer = answers.Find(name)) return *answer;
  const bool listed = LookUp(name);
  if (answers.size() >= kMostAnswers) answers.Clear();
  answers.Entry(name, [listed] { return listed; });
  return listed;
}

bool IsLetters(std::string_view label) {
  if (label.size() < 2) return false;
  for (char c : label)
    if (c < 'a' || c > 'z') return false;
  return true;
}

}  // namespace

bool IsTopLevelDomain(std::string_view label) {
  if (label.empty() || label.find('.') != std::string_view::npos) return false;
  return List() ? IsListed(label) : IsLetters(label);
}

bool IsPublicSuffix(std::string_view domain) { return List() && !domain.empty() && IsListed(domain); }

std::optional<std::string> RegistrableDomain(const std::string& domain) {
  if (domain.empty() || domain.front() == '[' || !List()) return std::nullopt;
  const char* registrable = psl_registrable_domain(List(), domain.c_str());
  if (!registrable) return std::nullopt;
  return std::string(registrable);
}

}  // namespace marvessa
