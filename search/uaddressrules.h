// What makes a piece of text an address a person would copy: the syntax of RFC 5321, a real
// top-level domain, and none of the junk classes (asset names, package versions, tracking keys,
// placeholders, source-control logins). The junk lists and the special-use domains are data:
// the file "address-rules.dat" beside the program, renewed by the update service, with a built-in
// copy for when it is missing or incomplete.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/ufolders.h"
#include "base/utexttable.h"

namespace marvessa {

// Why a candidate is not reported.
enum class AddressFault {
  kNone,
  kSyntax,         // local part or domain breaks RFC 5321 (characters, dots, hyphens, lengths)
  kDomain,         // no real top-level domain, a numeric one, or a bare public suffix
  kSpecialUse,     // example, localhost, invalid, test, local, onion and the like
  kAsset,          // an asset name such as logo@2x.png or clip.mov
  kTracking,       // an error-reporting key or a long hexadecimal local part
  kPlaceholder,    // a form or documentation placeholder
  kSourceControl,  // git@host: and the like
  kInUrl,          // cut out of a URL's path or user part, or a handle such as @user@host
};
std::string_view AddressFaultName(AddressFault fault);

class AddressRules {
 public:
  // The rules of a file's text; nothing when the text is not a complete rules file (first line
  // "[address rules]", ending with a "[/body]" line).
  static std::optional<AddressRules> Parse(std::string_view text);

  // Judges local@domain as found on a page (letter case as written).
  AddressFault Judge(std::string_view local, std::string_view domain) const;
  // Judges a whole address, which must hold exactly one "@".
  AddressFault Judge(std::string_view address) const;

 private:
  // The lists a lower-case name stands in, as bits: the domain lists hold a domain and every
  // domain below it; the others hold top-level labels, addresses or local parts.
  enum List : unsigned {
    kSpecialUseDomains = 1,
    kTrackingDomains = 2,
    kPlaceholderDomains = 4,
    kDomainLists = 7,
    kAssetExtensions = 8,
    kPlaceholderAddresses = 16,
    kPlaceholderLocals = 32,
    kSourceControlUsers = 64,
  };
  unsigned ListsOfName(std::string_view name) const;
  // The domain lists that hold the domain or a domain above it, in one walk up its labels.
  unsigned DomainListsOf(std::string_view domain) const;

  TextTable<unsigned> lists_;  // every name of every list, with the lists it stands in
  // For each length (modulo kNameLengths) of a name in lists_, a bit for its first byte (modulo 64).
  static constexpr std::size_t kNameLengths = 32;
  std::array<std::uint64_t, kNameLengths> namesByLength_{};
};

// The copy built into the program.
std::shared_ptr<const AddressRules> BuiltinAddressRules();
// The rules file of the program folder, or the built-in rules when it is missing or incomplete.
std::shared_ptr<const AddressRules> LoadAddressRules(const Folders& folders);

}  // namespace marvessa
