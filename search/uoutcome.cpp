#include "search/uoutcome.h"

#include <initializer_list>

#include "net/ucharset.h"

namespace marvessa {

namespace {

// Parts of a redirect target's host and path (the query, which may echo the keyword, is not
// looked at) that lead to a verification page.
constexpr std::initializer_list<const char*> kBlockUrls = {"captcha", "/sorry/", "antispider", "verify", "challenge"};
// Texts of a page without results that asks for a verification.
constexpr std::initializer_list<const char*> kBlockTexts = {
    "captcha", "verify you are human", "challenge-form", "/cdn-cgi/challenge-platform/", "unusual traffic",
    "验证码", "人机验证", "安全验证"};

bool HoldsAny(std::string_view text, const Lines& parts) {
  for (const std::string& part : parts)
    if (FindNoCase(text, part) != std::string_view::npos) return true;
  return false;
}

// The generic signals and the record's own, as core text.
Lines Signals(std::initializer_list<const char*> generic, Lines own) {
  own.insert(own.end(), generic.begin(), generic.end());
  return own;
}

// The texts as they stand in a page of this charset.
Lines InCharset(const Lines& texts, const std::string& charset) {
  Lines converted;
  for (const std::string& text : texts) converted.push_back(FromCoreText(text, charset));
  return converted;
}

bool HasHeader(const NamedValues& headers, const Lines& names) {
  for (const auto& [name, value] : headers)
    for (const std::string& wanted : names)
      if (EqualsNoCase(name, wanted)) return true;
  return false;
}

}  // namespace

FetchOutcome ClassifyEngineResponse(const EngineResponse& r, const EngineDef& engine, const ResultPage& cut) {
  const EngineExtensions& ext = engine.extensions;
  const bool success = r.status >= 200 && r.status < 300;
  if (r.status == 0 || (success && !r.error.empty())) return FetchOutcome::kNetworkError;
  const std::string_view target = std::string_view(r.location).substr(0, r.location.find('?'));
  if (!target.empty() && HoldsAny(target, Signals(kBlockUrls, ext.BlockUrls()))) return FetchOutcome::kBlocked;
  if (r.status == 429) return FetchOutcome::kRateLimited;
  if (r.status == 503) return r.retryAfterSeconds >= 0 ? FetchOutcome::kRateLimited : FetchOutcome::kBlocked;
  if (r.status == 402 || r.status == 403) return FetchOutcome::kBlocked;
  if (r.status >= 300 && r.status < 400) return FetchOutcome::kRedirected;
  if (!success) return FetchOutcome::kHttpStatus;
  if (HasHeader(r.headers, ext.BlockHeaders())) return FetchOutcome::kBlocked;
  if (!cut.items.empty()) return FetchOutcome::kOk;
  const std::string charset = PageCharset(r.contentType, r.body);
  if (HoldsAny(r.body, InCharset(Signals(kBlockTexts, ext.BlockTexts()), charset))) return FetchOutcome::kBlocked;
  if (HoldsAny(r.body, InCharset(ext.NoResultsTexts(), charset))) return FetchOutcome::kNoResults;
  return cut.areaFound ? FetchOutcome::kNoResults : FetchOutcome::kLayoutChanged;
}

EngineState StateOf(FetchOutcome outcome) {
  switch (outcome) {
    case FetchOutcome::kOk:
      return EngineState::kOk;
    case FetchOutcome::kNoResults:
      return EngineState::kNoResults;
    case FetchOutcome::kRateLimited:
      return EngineState::kRateLimited;
    case FetchOutcome::kBlocked:
      return EngineState::kBlocked;
    case FetchOutcome::kLayoutChanged:
      return EngineState::kLayoutChanged;
    case FetchOutcome::kRedirected:
    case FetchOutcome::kHttpStatus:
    case FetchOutcome::kNetworkError:
      break;
  }
  return EngineState::kUnreachable;
}

const char* StateName(EngineState state) {
  static const char* const kNames[] = {"ok", "no-results", "rate-limited", "blocked", "layout-changed", "unreachable"};
  return kNames[static_cast<int>(state)];
}

const char* StateCaption(EngineState state) {
  static const char* const kCaptions[] = {"正常", "无结果", "被限速", "需要验证", "页面格式已变", "网络错误"};
  return kCaptions[static_cast<int>(state)];
}

}  // namespace marvessa
