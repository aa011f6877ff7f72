#include "search/ukeywords.h"

#include "net/ucharset.h"

namespace marvessa {

Lines BuildRunKeywords(const std::string& keywordBox, const Lines& batchLines) {
  Lines keywords;
  if (!IsBlankText(keywordBox)) keywords.push_back(keywordBox);
  for (const auto& line : batchLines)
    if (!IsBlankText(line)) keywords.push_back(line);
  return keywords;
}

std::string EncodeKeyword(const EngineDef& engine, const std::string& keyword) {
  const EngineExtensions& ext = engine.extensions;
  return PercentEncode(FromCoreText(CollapseBlanks(keyword), ext.QueryCharset()), ext.QueryBlank());
}

std::string BuildQueryUrl(const EngineDef& engine, const std::string& keyword, int k) {
  const std::string start = engine.queryPrefix + engine.engineKey + engine.queryPath + EncodeKeyword(engine, keyword);
  if (k == 0 && engine.extensions.OmitsFirstPageNumber()) return start + engine.querySuffix;
  const long long page = engine.firstPage + static_cast<long long>(k) * engine.pageStep;
  return start + engine.queryPageParam + IntToText(page) + engine.querySuffix;
}

std::string CollapseBlanks(std::string_view text) {
  std::string s = Trim(text);
  std::string out;
  while (!s.empty()) {
    if (!out.empty()) out += ' ';
    const std::size_t p = s.find(' ');
    if (p == std::string::npos) {
      out += s;
      break;
    }
    out.append(s, 0, p);
    s = Trim(std::string_view(s).substr(p));
  }
  return out;
}

std::string RequestUrl(std::string_view url) {
  std::string out = CollapseBlanks(url);
  ReplaceAll(" ", "%20", out);
  return out;
}

std::size_t NextTermEnd(std::string_view s) {
  std::string t(s);
  std::size_t shift = 0;
  if (!t.empty() && t[0] == '-') {
    t.erase(0, 1);
    const std::string trimmed = Trim(t);
    shift = 1 + (t.size() - trimmed.size());
    t = trimmed;
  }
  std::size_t p = Pos("-", t);
  const std::size_t q = Pos(" ", t);
  if (p == 0) p = q;
  if (q > 0 && q < p) p = q;
  return p > 0 ? p + shift : 0;
}

namespace {

// "+" and "|" separate terms. Trail bytes of double-byte characters are passed over, since
// "|" is also a valid GBK trail byte and must not split a character.
void SeparatorsToBlanks(std::string& s) {
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (IsGbkLeadByte(s[i]) && i + 1 < s.size()) {
      ++i;
    } else if (s[i] == '+' || s[i] == '|') {
      s[i] = ' ';
    }
  }
}

}  // namespace

Lines ParseKeywordTerms(std::string_view line) {
  Lines terms;
  std::string s(line);
  SeparatorsToBlanks(s);
  for (;;) {
    s = Trim(s);
    const std::size_t a = NextTermEnd(s);
    std::string term;
    if (a == 0) {
      term = s;
    } else {
      term = s.substr(0, a - 1);
      s.erase(0, a - 1);
    }
    term = Trim(LowerAscii(term));
    if (!term.empty() && term[0] != '-') terms.push_back(std::move(term));
    if (a == 0) break;
  }
  return terms;
}

}  // namespace marvessa
