#include "search/uhtmlreference.h"

#include <utility>

#include "base/utext.h"

namespace marvessa {

namespace {

// The markup characters, the punctuation an address can be written with, and the typographic
// characters titles use most.
constexpr std::pair<std::string_view, char32_t> kNamedReferences[] = {
    {"commat", '@'},    {"period", '.'},    {"lowbar", '_'},    {"hyphen", '-'},    {"dash", '-'},
    {"plus", '+'},      {"percnt", '%'},    {"amp", '&'},       {"lt", '<'},        {"gt", '>'},
    {"quot", '"'},      {"apos", '\''},     {"nbsp", ' '},      {"colon", ':'},     {"semi", ';'},
    {"sol", '/'},       {"bsol", '\\'},     {"equals", '='},    {"lpar", '('},      {"rpar", ')'},
    {"lsqb", '['},      {"rsqb", ']'},      {"lbrack", '['},    {"rbrack", ']'},    {"lcub", '{'},
    {"rcub", '}'},      {"lbrace", '{'},    {"rbrace", '}'},    {"num", '#'},       {"comma", ','},
    {"excl", '!'},      {"quest", '?'},     {"Tab", ' '},       {"NewLine", ' '},   {"ndash", 0x2013},
    {"mdash", 0x2014},  {"hellip", 0x2026}, {"middot", 0xB7},   {"bull", 0x2022},   {"laquo", 0xAB},
    {"raquo", 0xBB},    {"lsquo", 0x2018},  {"rsquo", 0x2019},  {"ldquo", 0x201C},  {"rdquo", 0x201D},
    {"copy", 0xA9},     {"reg", 0xAE},      {"trade", 0x2122}};

}  // namespace

char32_t NamedReferenceCodePoint(std::string_view name) {
  for (const auto& [named, cp] : kNamedReferences)
    if (EqualsNoCase(name, named)) return cp;
  return 0;
}

}  // namespace marvessa
