#include "search/uaddressfinder.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "base/utext.h"
#include "base/utexttable.h"
#include "net/ucharset.h"

namespace marvessa {

namespace {

constexpr std::size_t kLongestLocalPart = 64;
constexpr std::size_t kLongestDomain = 253;
// Blanks between a local part or a domain and its "@" that still join them.
constexpr std::size_t kMostBlanksAroundAt = 3;

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool IsAlnum(char c) { return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsHexDigit(char c) { return HexDigitValue(c) >= 0; }
char HexByte(std::string_view two) { return static_cast<char>(HexDigitValue(two[0]) * 16 + HexDigitValue(two[1])); }

// The characters of a class, as a table: the scans around each "@" test every byte.
constexpr std::array<bool, 256> CharClass(std::string_view extra) {
  std::array<bool, 256> table{};
  for (int c = 0; c < 256; ++c) table[c] = IsAlnum(static_cast<char>(c));
  for (char c : extra) table[static_cast<unsigned char>(c)] = true;
  return table;
}
constexpr std::array<bool, 256> kLocalChars = CharClass("._%+-");
constexpr std::array<bool, 256> kDomainChars = CharClass(".-");
// Where a placeholder's value starts, or a tag ends, looking back from an address.
constexpr std::array<bool, 256> kValueStarts = [] {
  std::array<bool, 256> table{};
  for (char c : std::string_view("\"'<>=")) table[static_cast<unsigned char>(c)] = true;
  return table;
}();

bool IsLocalChar(char c) { return kLocalChars[static_cast<unsigned char>(c)]; }
bool IsDomainChar(char c) { return kDomainChars[static_cast<unsigned char>(c)]; }
bool IsMailtoEnd(char c) {
  return c == '"' || c == '\'' || c == '<' || c == '>' || c == ')' || c == '#' || c == '`' || IsBlank(c);
}

bool AllHex(std::string_view s) {
  for (char c : s)
    if (!IsHexDigit(c)) return false;
  return true;
}

// What is left of a local part after the remnant of an escape in front of it: "u003e" or "x3e"
// after a backslash ("\\u003e" decodes to a backslash and "u003e"), "n" after one, and anything
// up to the last "%HH".
std::string_view WithoutEscapeRemnant(std::string_view local, char before) {
  if (before == '\\') {
    if (local.size() > 5 && local[0] == 'u' && AllHex(local.substr(1, 4))) local.remove_prefix(5);
    else if (local.size() > 3 && local[0] == 'x' && AllHex(local.substr(1, 2))) local.remove_prefix(3);
    else if (local.size() > 1 && std::string_view("nrtbfv").find(local[0]) != std::string_view::npos) local.remove_prefix(1);
  }
  for (std::size_t p = local.size(); p-- > 0;) {
    if (local[p] == '%' && p + 3 <= local.size() && AllHex(local.substr(p + 1, 2))) {
      local.remove_prefix(p + 3);
      break;
    }
  }
  while (!local.empty() && local.front() == '.') local.remove_prefix(1);
  return local;
}

// A candidate's verdict, made when first needed (a candidate cut out of a URL needs none), and
// the faults it has been reported with.
struct Candidate {
  std::optional<AddressFault> verdict;
  unsigned reported = 0;  // a bit for each fault it has been reported with

  template <typename Judge>
  AddressFault Verdict(const Judge& judge) {
    if (!verdict) verdict = judge();
    return *verdict;
  }
};

class Finder {
 public:
  Finder(std::string_view page, PageBytes bytes, const AddressRules& rules, const AddressSink& found)
      : text_(DecodeForAddresses(page, bytes)), rules_(rules), found_(found) {}

  void Run() {
    FindMarkers();
    if (MailtoLinks() && ProtectedAddresses()) TextAddresses();
  }

 private:
  Candidate& Entry(std::string_view address) {
    return candidates_.Entry(address, [] { return Candidate{}; });
  }

  // Reports each candidate once per page and fault.
  bool Report(Candidate& candidate, std::string_view address, AddressFault fault) {
    const unsigned bit = 1u << static_cast<int>(fault);
    if (candidate.reported & bit) return true;
    candidate.reported |= bit;
    return found_(address, fault);
  }

  bool ReportWhole(std::string_view address) {
    Candidate& candidate = Entry(address);
    return Report(candidate, address, candidate.Verdict([&] { return rules_.Judge(address); }));
  }

  // One pass over the page for "mail", which the mailto: links and both forms of Cloudflare's
  // protection have in common: the positions where their values start.
  void FindMarkers() {
    constexpr std::string_view kMailto = "mailto:", kCfemail = "data-cfemail=",
                               kProtection = "/cdn-cgi/l/email-protection#";
    const std::string_view text = text_;
    // Every marker goes on after "mail": the byte there turns most away before a comparison.
    auto valueAfter = [text](std::size_t mail, std::string_view marker) {
      const std::size_t offset = marker.find("mail");
      if (mail < offset || mail + 4 >= text.size() || LowerAscii(text[mail + 4]) != marker[offset + 4] ||
          !EqualsNoCase(text.substr(mail - offset, marker.size()), marker))
        return std::string_view::npos;
      return mail - offset + marker.size();
    };
    for (std::size_t p = FindNoCase(text, "mail"); p != std::string_view::npos; p = FindNoCase(text, "mail", p + 4)) {
      if (const std::size_t value = valueAfter(p, kMailto); value != std::string_view::npos) {
        mailtoValues_.push_back(value);
      } else {
        for (std::string_view marker : {kCfemail, kProtection})
          if (const std::size_t v = valueAfter(p, marker); v != std::string_view::npos) protectedValues_.push_back(v);
      }
    }
  }

  // --- mailto: links ---

  bool MailtoLinks() {
    std::size_t end = 0;  // of the last link read: a "mailto:" within it is not read again
    for (std::size_t b : mailtoValues_) {
      if (b < end) continue;
      while (b < text_.size() && text_[b] == ' ') ++b;
      end = b;
      while (end < text_.size() && !IsMailtoEnd(text_[end])) ++end;
      if (!MailtoAddresses(std::string_view(text_).substr(b, end - b))) return false;
    }
    return true;
  }

  bool MailtoAddresses(std::string_view link) {
    const std::size_t question = link.find('?');
    if (!EncodedAddressList(link.substr(0, question))) return false;
    if (question == std::string_view::npos) return true;
    std::string_view query = link.substr(question + 1);
    while (!query.empty()) {
      const std::size_t amp = query.find('&');
      const std::string_view parameter = query.substr(0, amp);
      const std::size_t equals = parameter.find('=');
      const std::string name = LowerAscii(parameter.substr(0, equals));
      if (equals != std::string_view::npos && (name == "to" || name == "cc" || name == "bcc") &&
          !EncodedAddressList(parameter.substr(equals + 1)))
        return false;
      query.remove_prefix(amp == std::string_view::npos ? query.size() : amp + 1);
    }
    return true;
  }

  // A percent-encoded AddressList; most are written without "%", and are read in place.
  bool EncodedAddressList(std::string_view encoded) {
    return encoded.find('%') == std::string_view::npos ? AddressList(encoded) : AddressList(PercentDecode(encoded));
  }

  // Addresses separated by "," or ";", each possibly written as "Name <address>".
  bool AddressList(std::string_view list) {
    while (!list.empty()) {
      const std::size_t end =
          static_cast<std::size_t>(std::find_if(list.begin(), list.end(), [](char c) { return c == ',' || c == ';'; }) - list.begin());
      std::string_view item = TrimView(list.substr(0, end));
      const std::size_t open = item.rfind('<');
      if (open != std::string_view::npos && item.back() == '>') item = TrimView(item.substr(open + 1, item.size() - open - 2));
      if (!item.empty() && !ReportWhole(item)) return false;
      list.remove_prefix(end == list.size() ? end : end + 1);
    }
    return true;
  }

  // --- Cloudflare's e-mail protection: hex digits whose first byte is the XOR key of the rest ---

  bool ProtectedAddresses() {
    for (std::size_t p : protectedValues_) {
      if (p < text_.size() && (text_[p] == '"' || text_[p] == '\'')) ++p;
      std::size_t e = p;
      while (e < text_.size() && IsHexDigit(text_[e])) ++e;
      const std::string address = Unprotect(std::string_view(text_).substr(p, e - p));
      if (!address.empty() && !ReportWhole(address)) return false;
    }
    return true;
  }

  // The protected text, or nothing when it is not printable ASCII.
  static std::string Unprotect(std::string_view hex) {
    if (hex.size() < 4 || hex.size() % 2 != 0) return {};
    const char key = HexByte(hex.substr(0, 2));
    std::string address;
    for (std::size_t i = 2; i < hex.size(); i += 2) {
      const char c = static_cast<char>(HexByte(hex.substr(i, 2)) ^ key);
      if (c <= ' ' || c > '~') return {};
      address += c;
    }
    return address;
  }

  // --- The text ---

  // Whether the text from start on is the value of a placeholder: a placeholder="..." attribute
  // or a "...Placeholder": "..." key. Looks back no further than the quote that opens the value.
  bool InPlaceholder(std::size_t start) const {
    constexpr std::size_t kLongestLookBack = 128;
    std::size_t p = start;
    while (p > 0 && start - p < kLongestLookBack && !kValueStarts[static_cast<unsigned char>(text_[p - 1])]) --p;
    if (p == 0 || text_[p - 1] == '<' || text_[p - 1] == '>') return false;
    if (text_[p - 1] != '=') {
      --p;  // the opening quote
      while (p > 0 && text_[p - 1] == ' ') --p;
      if (p == 0 || (text_[p - 1] != '=' && text_[p - 1] != ':')) return false;
    }
    --p;  // "=" or ":"
    while (p > 0 && text_[p - 1] == ' ') --p;
    if (p > 0 && (text_[p - 1] == '"' || text_[p - 1] == '\'')) --p;
    constexpr std::string_view kName = "placeholder";
    return p >= kName.size() && EqualsNoCase(std::string_view(text_).substr(p - kName.size(), kName.size()), kName);
  }

  void TextAddresses() {
    for (std::size_t at = text_.find('@'); at != std::string::npos; at = text_.find('@', at + 1))
      if (!TextAddressAt(at)) return;
  }

  bool TextAddressAt(std::size_t at) {
    const std::string_view text = text_;
    std::size_t left = at;
    while (left > 0 && at - left < kMostBlanksAroundAt && text[left - 1] == ' ') --left;
    std::size_t start = left;
    while (start > 0 && left - start <= kLongestLocalPart && IsLocalChar(text[start - 1])) --start;
    std::size_t right = at + 1;
    while (right < text.size() && right - at - 1 < kMostBlanksAroundAt && text[right] == ' ') ++right;
    std::size_t end = right;
    while (end < text.size() && end - right <= kLongestDomain && IsDomainChar(text[end])) ++end;

    const char before = start > 0 ? text[start - 1] : ' ';
    const std::string_view local = WithoutEscapeRemnant(text.substr(start, left - start), before);
    std::string_view domain = text.substr(right, end - right);
    while (!domain.empty() && domain.back() == '.') domain.remove_suffix(1);
    if (local.empty() || domain.empty()) return true;

    address_.assign(local);
    address_ += '@';
    address_ += domain;
    Candidate& candidate = Entry(address_);
    // Neither part holds an "@", so judging the parts is judging the whole text.
    AddressFault fault = InUrl(start, before) ? AddressFault::kInUrl
                                              : candidate.Verdict([&] { return rules_.Judge(local, domain); });
    if (fault == AddressFault::kNone && InPlaceholder(start)) fault = AddressFault::kPlaceholder;
    if (fault == AddressFault::kNone && IsRepositoryPath(end)) fault = AddressFault::kSourceControl;
    return Report(candidate, address_, fault);
  }

  // A local part right after "/" (a URL path, or "//user@"), after "//user:" (a URL's
  // password) or after "@" (a handle such as @user@host).
  bool InUrl(std::size_t start, char before) const {
    if (before == '/' || before == '@') return true;
    if (before != ':') return false;
    std::size_t p = start - 1;
    while (p > 0 && start - p <= kLongestLocalPart && IsLocalChar(text_[p - 1])) --p;
    return p >= 2 && text_[p - 1] == '/' && text_[p - 2] == '/';
  }

  // "git@host:owner/repo": the domain is followed by ":" and a path.
  bool IsRepositoryPath(std::size_t end) const {
    if (end + 1 >= text_.size() || text_[end] != ':') return false;
    const char c = text_[end + 1];
    return IsAlnum(c) || c == '/' || c == '~' || c == '_';
  }

  const std::string text_;
  const AddressRules& rules_;
  const AddressSink& found_;
  std::vector<std::size_t> mailtoValues_;
  std::vector<std::size_t> protectedValues_;
  // A page has hundreds of candidates, each looked up at every occurrence.
  TextTable<Candidate> candidates_;
  std::string address_;  // the text candidate being judged
};

}  // namespace

void FindAddresses(std::string_view page, PageBytes bytes, const AddressRules& rules, const AddressSink& found) {
  Finder(page, bytes, rules, found).Run();
}

}  // namespace marvessa
