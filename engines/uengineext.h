// Extensions of an engine record: the reserved body lines 23 to 25 carry key=value pairs that
// today's engines need and the 2005 format has no field for. Each line is a list of pairs
// joined by "&" as in a URL query, with "%XX" for a byte that would otherwise end a key or a
// value ("%26" for "&", "%3D" for "=", "%25" for "%"). Unknown keys are ignored, so a file
// written for a newer program still loads; empty lines mean exactly the 2005 behaviour.
// docs/engine-file.md lists the keys.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace marvessa {

class EngineExtensions {
 public:
  // Adds the pairs of one reserved line; a later line's key replaces an earlier one's.
  void AddLine(std::string_view line);

  // The value of a key, or empty.
  std::string Get(const std::string& key) const;

  // "charset": the charset a keyword is encoded in (an iconv name); GB18030 when not given, which
  // sends GBK bytes for every keyword GBK can hold.
  std::string QueryCharset() const;
  // "space": how a blank of the keyword is sent, "%20" (the default) or "+".
  std::string QueryBlank() const;
  // "interval": milliseconds at least between two requests to the engine's host; 1000 when not
  // given.
  int IntervalMs() const;

 private:
  std::map<std::string, std::string> values_;
};

}  // namespace marvessa
