#include "net/uurl.h"

#include <algorithm>
#include <optional>

#include "base/uchunk.h"
#include "base/utext.h"

namespace marvessa {

namespace {

constexpr std::string_view kSchemeEnd = "://";

// The pieces of a URL as written.
struct UrlView {
  std::string_view scheme;
  std::string_view host;
  std::string_view port;
  std::string_view tail;  // from the "/" after the authority on; empty without one
};

std::optional<UrlView> ViewUrl(std::string_view s) {
  const std::size_t schemeEnd = s.find(kSchemeEnd);
  if (schemeEnd == std::string_view::npos) return std::nullopt;
  UrlView view;
  view.scheme = s.substr(0, schemeEnd);
  const std::string_view rest = s.substr(schemeEnd + kSchemeEnd.size());
  const std::size_t slash = rest.find('/');
  std::string_view authority = rest.substr(0, slash);
  // rfind reads byte by byte, find with memchr: most authorities hold no "@", and find tells.
  if (authority.find('@') != std::string_view::npos) authority.remove_prefix(authority.rfind('@') + 1);
  const std::size_t colon = authority.find(':');
  view.host = authority.substr(0, colon);
  if (colon != std::string_view::npos) view.port = authority.substr(colon + 1);
  if (slash != std::string_view::npos) view.tail = rest.substr(slash);
  return view;
}

struct UrlParts {
  std::string scheme;
  std::string host;
  std::string port;
  std::string path;
  bool hasHost = false;
};

UrlParts SplitUrl(std::string_view url) {
  const std::string s = LowerAscii(Trim(url));
  UrlParts parts;
  const std::optional<UrlView> view = ViewUrl(s);
  if (!view) return parts;
  parts.scheme = view->scheme;
  parts.host = view->host;
  parts.port = view->port;
  parts.hasHost = !parts.host.empty();
  parts.path = "/";
  if (!view->tail.empty()) {
    const std::string_view tail = view->tail;
    std::size_t query = tail.find('?');
    if (query == std::string_view::npos) query = tail.find('=');
    // tail starts with "/", so a "/" stands before any query mark.
    const std::size_t lastSlash = tail.substr(0, query).rfind('/');
    parts.path = std::string(tail.substr(0, lastSlash + 1));
  }
  return parts;
}

std::string Joined(std::string_view a, std::string_view b) {
  std::string joined;
  joined.reserve(a.size() + b.size());
  joined.append(a).append(b);
  return joined;
}

// Every "\" as "/", leaving the second byte of a double-byte character alone.
void ForwardSlashes(std::string& link) {
  for (std::size_t i = 0; i < link.size(); ++i) {
    if (IsGbkLeadByte(static_cast<unsigned char>(link[i])))
      ++i;
    else if (link[i] == '\\')
      link[i] = '/';
  }
}

// Removes every "../" in one pass and tells how many there were.
int RemoveParentSteps(std::string& link) {
  constexpr std::string_view kUp = "../";
  std::string kept;
  int ups = 0;
  std::size_t from = 0;
  for (std::size_t p = link.find(kUp); p != std::string::npos; p = link.find(kUp, from)) {
    kept.append(link, from, p - from);
    from = p + kUp.size();
    ++ups;
  }
  kept.append(link, from);
  link = std::move(kept);
  return ups;
}

}  // namespace

std::string UrlScheme(std::string_view url) { return LowerAscii(UrlSchemeAsWritten(url)); }

std::string_view UrlSchemeAsWritten(std::string_view url) {
  const std::string_view s = TrimView(url);
  const std::size_t end = s.find(kSchemeEnd);
  return end == std::string_view::npos ? std::string_view() : s.substr(0, end);
}

bool IsHttpScheme(std::string_view scheme) { return scheme == "http" || scheme == "https"; }

bool HasHttpScheme(std::string_view url) {
  const std::size_t end = url.find(kSchemeEnd);
  return end != std::string_view::npos && IsHttpScheme(LowerAscii(url.substr(0, end)));
}

std::string UrlSiteRoot(std::string_view url) {
  const UrlParts parts = SplitUrl(url);
  if (!parts.hasHost) return {};
  return (parts.scheme.empty() ? std::string("http") : parts.scheme) + std::string(kSchemeEnd) + parts.host;
}

bool NamesHost(std::string_view url) {
  const std::optional<UrlView> view = ViewUrl(TrimView(url));
  return view && !view->host.empty();
}

std::string UrlHost(std::string_view url) { return SplitUrl(url).host; }

std::string UrlDirectory(std::string_view url) {
  const UrlParts parts = SplitUrl(url);
  if (!parts.hasHost) return {};
  std::string dir = parts.scheme + std::string(kSchemeEnd) + parts.host;
  if (!parts.port.empty()) dir += ":" + parts.port;
  return dir + parts.path;
}

std::string ResolveLink(std::string_view base, std::string_view link) { return LinkResolver(base).Resolve(link); }

// Links are resolved against the base's origin, port included: a root-relative link on a site
// served from another port than 80 names that site, not a server on port 80.
LinkResolver::LinkResolver(std::string_view base) : directory_(UrlDirectory(base)) {
  const std::size_t hostStart = directory_.find(kSchemeEnd);
  origin_ = hostStart == std::string::npos ? UrlSiteRoot(base)
                                           : directory_.substr(0, directory_.find('/', hostStart + kSchemeEnd.size()));
}

std::string LinkResolver::Resolve(std::string_view link) const {
  std::string resolved;
  Resolve(link, resolved);
  return resolved;
}

void LinkResolver::Resolve(std::string_view link, std::string& resolved) const {
  // Appending to the cleared string copies straight into the memory it keeps from link to link;
  // assign would first check whether the text stands in that memory.
  const auto join = [&resolved](std::string_view a, std::string_view b) {
    resolved.clear();
    resolved.append(a).append(b);
  };
  std::string_view l = TrimView(link);
  // Most links hold neither a "\\" to turn nor the ":" of a "://": one pass over the link tells,
  // and such a link names no host.
  const bool plain = !chunk::AnyHit(l, [](chunk::Chunk x) {
    return chunk::Equal(x, chunk::Splat('\\')) | chunk::Equal(x, chunk::Splat(':'));
  });
  std::string slashed;
  if (!plain && l.find('\\') != std::string_view::npos) {
    slashed = l;
    ForwardSlashes(slashed);
    l = slashed;
  }
  if (l.empty() || l == "./") {
    resolved.clear();
  } else if (!plain && NamesHost(l)) {
    join(l, {});
  } else if (l.starts_with("//")) {  // keeps the page's scheme
    if (origin_.empty()) resolved.clear();
    else join(std::string_view(origin_).substr(0, origin_.find(':') + 1), l);
  } else if (l.starts_with('/')) {
    join(origin_, l);
  } else if (l.starts_with("./")) {  // counts as "../x": one directory above the base document's
    resolved = ResolveParentSteps(Joined(".", l));
  } else if (l.find("../") == std::string_view::npos) {
    join(directory_, l);
  } else {
    resolved = ResolveParentSteps(std::string(l));
  }
}

// Each "../" step leaves one directory of the base.
std::string LinkResolver::ResolveParentSteps(std::string link) const {
  const int ups = RemoveParentSteps(link);
  // The directories start after "scheme://".
  const std::size_t first = directory_.empty() ? 0 : directory_.find(kSchemeEnd) + kSchemeEnd.size();
  const long long depth = std::count(directory_.begin() + first, directory_.end(), '/') - ups;
  if (depth <= 0) return origin_ + "/" + link;
  std::size_t end = first;
  for (long long n = 0; n < depth; ++n) end = directory_.find('/', end) + 1;
  return directory_.substr(0, end) + link;
}

}  // namespace marvessa
