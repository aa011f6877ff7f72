// The HTTP client of the search workers and the engine update service: HTTP/1.1 GET over
// libcurl, one reused connection, and a fetch that another thread can cut.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace marvessa {

struct Settings;

// Request headers of every fetch. The Accept value is one header line that also carries the
// language; its trailing blank is part of it.
inline constexpr const char* kHttpUserAgent = "Mozilla/4.0(compatible; MSIE 5.0; Windows 98; DigExt)";
inline constexpr const char* kHttpAccept = "*/* Accept-Language: zh-cn ";
inline constexpr long kHttpReceiveBufferBytes = 32368;
inline constexpr int kHttpMaxRedirects = 5;
// No body is read into memory beyond this, whatever the caller's cap or the Content-Length say.
inline constexpr std::size_t kHttpSafetyBodyCap = std::size_t{32} << 20;

// The configurable part of the common set-up: the HTTP proxy. When the proxy is off no proxy is
// used at all, whatever the environment's proxy variables say.
struct HttpSetup {
  bool proxyEnabled = false;
  std::string proxyHost;
  int proxyPort = 80;
  // Basic credentials are sent to the proxy only when the trimmed user name is not empty.
  std::string proxyUser;
  std::string proxyPassword;
};

// The proxy fields of the settings record (Proxyenabled, Proxy, ProxyPort, Proxyuser, Proxypsd).
HttpSetup CommonHttpSetup(const Settings& settings);

// What is known of the final response when its headers have been read.
struct ResponseStart {
  std::optional<std::int64_t> contentLength;
  std::optional<std::string> contentType;
};

struct FetchOptions {
  // Follows at most kHttpMaxRedirects redirects, only to http and https; one more is a failure.
  bool followRedirects = false;
  // Drops the kept connection and opens a new one; otherwise a kept connection is reused.
  bool freshConnection = false;
  // The fetch fails as soon as the body of a response grows past this many bytes (or its
  // Content-Length announces more); kHttpSafetyBodyCap holds whatever is given here.
  std::size_t bodyCap = kHttpSafetyBodyCap;
  // Called for every redirect followed, with the Location value as the server sent it.
  std::function<void(const std::string& location)> onRedirect;
  // Called before the body of the final response is read; false abandons the fetch.
  std::function<bool(const ResponseStart&)> onResponseStart;
};

// A failure (transport error, status 400 or more, a 3xx not followed, an abandoned or cut
// fetch, a body that memory could not hold) has ok false and an empty body; status is that of the last response seen, or 0.
struct FetchResult {
  bool ok = false;
  int status = 0;
  std::string body;
  std::string contentType;  // of the final response; empty when it had none
  std::string error;
};

// Used by one thread. Only CloseConnection and Stop may be called from other threads.
class HttpClient {
 public:
  explicit HttpClient(const HttpSetup& setup = {});
  ~HttpClient();
  HttpClient(const HttpClient&) = delete;
  HttpClient& operator=(const HttpClient&) = delete;

  void SetSetup(const HttpSetup& setup);
  FetchResult Get(const std::string& url, const FetchOptions& options = {});

  // Drops the open connection: a fetch in progress fails within a second, even one that has
  // not opened its socket yet. Without a fetch in progress only the kept connection is dropped
  // and the next fetch is not affected: a cut is not carried over to a later fetch, so that a
  // watchdog firing between two fetches cannot spoil the second one.
  void CloseConnection();
  // CloseConnection for good: every later fetch fails at once. For an owner that is ending,
  // since a cut between its last stop test and its next fetch would otherwise be lost.
  void Stop();

 private:
  struct State;
  std::unique_ptr<State> state_;
};


}  // namespace marvessa
