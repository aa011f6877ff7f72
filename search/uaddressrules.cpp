#include "search/uaddressrules.h"

#include <array>
#include <utility>

#include "base/uembedded.h"
#include "base/ufileio.h"
#include "base/utext.h"
#include "engines/uUpthd.h"
#include "net/upublicsuffix.h"

namespace marvessa {

extern const EmbeddedFile kBuiltinAddressRules[];

namespace {

constexpr std::size_t kLongestLocalPart = 64;
constexpr std::size_t kLongestDomain = 253;
constexpr std::size_t kLongestLabel = 63;
// A forward path holds at most 256 characters, its angle brackets included.
constexpr std::size_t kLongestAddress = 254;
// A local part of this many hexadecimal digits (hyphens aside), letters and digits mixed, is a
// key, not a mailbox.
constexpr std::size_t kShortestHexKey = 16;

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f'); }

// What each byte a part of an address may hold is lowered to: letters, digits and the given
// others; 0 for every other byte.
constexpr std::array<char, 256> LoweredPartBytes(std::string_view others) {
  std::array<char, 256> table{};
  for (int c = 0; c < 256; ++c) {
    if (c >= 'A' && c <= 'Z') table[c] = static_cast<char>(c + 32);
    else if ((c >= 'a' && c <= 'z') || IsDigit(static_cast<char>(c))) table[c] = static_cast<char>(c);
  }
  for (char c : others) table[static_cast<unsigned char>(c)] = c;
  return table;
}
constexpr std::array<char, 256> kLocalBytes = LoweredPartBytes("._%+-");
constexpr std::array<char, 256> kLabelBytes = LoweredPartBytes("-");

// Lowers local into out, checking on the way that it is a local part: letters, digits and
// ". _ % + -", without a dot at either end or two in a row.
bool LowerLocalPart(std::string_view local, char* out) {
  if (local.empty() || local.size() > kLongestLocalPart || local.front() == '.' || local.back() == '.') return false;
  char previous = 0;
  for (std::size_t i = 0; i < local.size(); ++i) {
    const char c = kLocalBytes[static_cast<unsigned char>(local[i])];
    if (c == 0 || (c == '.' && previous == '.')) return false;
    out[i] = previous = c;
  }
  return true;
}

// Lowers domain into out, checking on the way that it is two or more labels of letters, digits
// and hyphens, no hyphen at either end of a label.
bool LowerDomainName(std::string_view domain, char* out) {
  if (domain.size() > kLongestDomain) return false;
  std::size_t labels = 0, start = 0;  // start of the label being read
  for (std::size_t i = 0; i <= domain.size(); ++i) {
    if (i < domain.size() && domain[i] != '.') {
      if ((out[i] = kLabelBytes[static_cast<unsigned char>(domain[i])]) == 0) return false;
      continue;
    }
    const std::size_t length = i - start;
    if (length == 0 || length > kLongestLabel || domain[start] == '-' || domain[i - 1] == '-') return false;
    if (i < domain.size()) out[i] = '.';
    ++labels;
    start = i + 1;
  }
  return labels >= 2;
}

std::string_view LastLabel(std::string_view domain) { return domain.substr(domain.rfind('.') + 1); }

bool IsNumeric(std::string_view label) {
  for (char c : label)
    if (!IsDigit(c)) return false;
  return true;
}

// "2x.png", "1.5x.webp": the scale suffix of a high-density image, whatever follows.
bool StartsWithScale(std::string_view domain) {
  std::size_t i = 0;
  while (i < domain.size() && IsDigit(domain[i])) ++i;
  if (i == 0) return false;
  if (i < domain.size() && domain[i] == '.' && i + 1 < domain.size() && IsDigit(domain[i + 1])) {
    ++i;
    while (i < domain.size() && IsDigit(domain[i])) ++i;
  }
  return domain.substr(i).starts_with("x.");
}

bool IsHexKey(std::string_view local) {
  std::size_t digits = 0;
  bool letter = false, number = false;
  for (char c : local) {
    if (c == '-') continue;
    if (!IsHexDigit(c)) return false;
    ++digits;
    if (IsDigit(c)) number = true;
    else letter = true;
  }
  return digits >= kShortestHexKey && letter && number;
}

}  // namespace

std::string_view AddressFaultName(AddressFault fault) {
  switch (fault) {
    case AddressFault::kNone: return "address";
    case AddressFault::kSyntax: return "syntax";
    case AddressFault::kDomain: return "no real domain";
    case AddressFault::kSpecialUse: return "special-use domain";
    case AddressFault::kAsset: return "asset name";
    case AddressFault::kTracking: return "tracking key";
    case AddressFault::kPlaceholder: return "placeholder";
    case AddressFault::kSourceControl: return "source control";
    case AddressFault::kInUrl: return "inside a URL";
  }
  return "";
}

std::optional<AddressRules> AddressRules::Parse(std::string_view text) {
  const Lines lines = SplitLines(text);
  if (lines.empty() || LowerAscii(Trim(lines[0])) != "[address rules]") return std::nullopt;
  const int end = IndexOfLineNoCase(lines, "[/body]");
  if (end < 0) return std::nullopt;
  AddressRules rules;
  const std::pair<std::string_view, List> sections[] = {
      {"[special-use domains]", kSpecialUseDomains},         {"[asset extensions]", kAssetExtensions},
      {"[tracking domains]", kTrackingDomains},              {"[placeholder addresses]", kPlaceholderAddresses},
      {"[placeholder local parts]", kPlaceholderLocals},     {"[placeholder domains]", kPlaceholderDomains},
      {"[source control users]", kSourceControlUsers},
  };
  unsigned section = 0;
  for (int i = 1; i < end; ++i) {
    const std::string line = LowerAscii(Trim(lines[i]));
    if (line.starts_with('[')) {
      section = 0;
      for (const auto& [marker, list] : sections)
        if (line == marker) section = list;
    } else if (section != 0 && !line.empty()) {
      rules.lists_.Entry(line, [] { return 0u; }) |= section;
      rules.namesByLength_[line.size() % kNameLengths] |= 1ull << (static_cast<unsigned char>(line[0]) % 64);
    }
  }
  return rules;
}

unsigned AddressRules::ListsOfName(std::string_view name) const {
  // Most names a page shows stand in no list: one bit for their length and first byte tells.
  if (name.empty() || !(namesByLength_[name.size() % kNameLengths] >> (static_cast<unsigned char>(name[0]) % 64) & 1))
    return 0;
  const unsigned* lists = lists_.Find(name);
  return lists ? *lists : 0;
}

unsigned AddressRules::DomainListsOf(std::string_view domain) const {
  unsigned lists = 0;
  for (;;) {
    lists |= ListsOfName(domain) & kDomainLists;
    const std::size_t dot = domain.find('.');
    if (dot == std::string_view::npos) return lists;
    domain.remove_prefix(dot + 1);
  }
}

AddressFault AddressRules::Judge(std::string_view local, std::string_view domain) const {
  if (local.size() + 1 + domain.size() > kLongestAddress) return AddressFault::kSyntax;
  // Lower-cased as it is checked, in place of allocating strings for each candidate.
  std::array<char, kLongestAddress> buffer;
  char* const lowerDomainAt = buffer.data() + local.size() + 1;
  if (!LowerLocalPart(local, buffer.data()) || !LowerDomainName(domain, lowerDomainAt)) return AddressFault::kSyntax;
  buffer[local.size()] = '@';
  const std::string_view lowerLocal(buffer.data(), local.size());
  const std::string_view lowerDomain(lowerDomainAt, domain.size());
  const std::string_view lowerAddress(buffer.data(), local.size() + 1 + domain.size());
  const std::string_view topLevel = LastLabel(lowerDomain);
  if (StartsWithScale(lowerDomain) || (ListsOfName(topLevel) & kAssetExtensions)) return AddressFault::kAsset;
  const unsigned domainLists = DomainListsOf(lowerDomain);
  if (domainLists & kSpecialUseDomains) return AddressFault::kSpecialUse;
  if (IsNumeric(topLevel) || !IsTopLevelDomain(topLevel) || IsPublicSuffix(lowerDomain)) return AddressFault::kDomain;
  if ((domainLists & kTrackingDomains) || IsHexKey(lowerLocal)) return AddressFault::kTracking;
  const unsigned localLists = ListsOfName(lowerLocal);
  if ((ListsOfName(lowerAddress) & kPlaceholderAddresses) || (localLists & kPlaceholderLocals) ||
      (domainLists & kPlaceholderDomains))
    return AddressFault::kPlaceholder;
  if (localLists & kSourceControlUsers) return AddressFault::kSourceControl;
  return AddressFault::kNone;
}

AddressFault AddressRules::Judge(std::string_view address) const {
  const std::size_t at = address.find('@');
  if (at == std::string_view::npos || address.find('@', at + 1) != std::string_view::npos) return AddressFault::kSyntax;
  return Judge(address.substr(0, at), address.substr(at + 1));
}

std::shared_ptr<const AddressRules> BuiltinAddressRules() {
  static const std::shared_ptr<const AddressRules> rules =
      std::make_shared<const AddressRules>(*AddressRules::Parse(kBuiltinAddressRules[0].bytes));
  return rules;
}

std::shared_ptr<const AddressRules> LoadAddressRules(const Folders& folders) {
  if (const auto text = ReadFileBytes(folders.ProgramFolder() + kAddressRulesFileName))
    if (auto rules = AddressRules::Parse(*text)) return std::make_shared<const AddressRules>(std::move(*rules));
  return BuiltinAddressRules();
}

}  // namespace marvessa
