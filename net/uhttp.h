// The HTTP client of the search workers and the engine update service: HTTP/1.1 GET over
// libcurl, one reused connection, and a fetch that another thread can cut.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace marvessa {

struct Settings;

inline constexpr const char* kHttpAccept = "text/html,application/xhtml+xml,*/*;q=0.8";
// Decoded by libcurl; the body cap applies to the decoded body.
inline constexpr const char* kHttpAcceptEncoding = "gzip, deflate, br";
inline constexpr long kHttpReceiveBufferBytes = 32368;
inline constexpr int kHttpMaxRedirects = 5;
// No body is read into memory beyond this, whatever the caller's cap or the Content-Length say.
inline constexpr std::size_t kHttpSafetyBodyCap = std::size_t{32} << 20;

// The set-up of a client: who it says it is, its time limits and the HTTP proxy. When the proxy
// is off no proxy is used at all, whatever the environment's proxy variables say.
struct HttpSetup {
  bool proxyEnabled = false;
  std::string proxyHost;
  int proxyPort = 80;
  // Basic credentials are sent to the proxy only when the trimmed user name is not empty.
  std::string proxyUser;
  std::string proxyPassword;

  std::string userAgent;
  // A browser's Accept, Accept-Language (when not empty) and Accept-Encoding headers.
  bool browserHeaders = true;
  std::string acceptLanguage;
  int connectTimeoutSeconds = 20;  // 0: libcurl's own limit
  // Fewer than lowSpeedBytes bytes in lowSpeedSeconds seconds cut the fetch (off when either is 0).
  int lowSpeedBytes = 1024;
  int lowSpeedSeconds = 30;
};

// The set-up of the search workers: the settings' identity, time limits and proxy, and the
// language of the run's scope.
HttpSetup CommonHttpSetup(const Settings& settings);
// The update service's: its own name "Marvessa/VERSION", the time limits and the proxy.
HttpSetup UpdateHttpSetup(const Settings& settings);
// The Accept-Language value of a language scope 0..7, with weighted fallbacks.
std::string AcceptLanguage(int scope);

// What is known of the final response when its headers have been read.
struct ResponseStart {
  std::optional<std::int64_t> contentLength;
  std::optional<std::string> contentType;
};

struct FetchOptions {
  // https certificates are checked against the system's CAs and MARVESSA_CA_FILE; off, a
  // certificate error is tolerated.
  bool verifyCertificates = true;
  // Follows at most kHttpMaxRedirects redirects, only to http and https; one more is a failure.
  bool followRedirects = false;
  // Drops the kept connection and opens a new one, closed again when the fetch ends; otherwise a
  // kept connection is reused.
  bool freshConnection = false;
  // The fetch fails as soon as the body of a response grows past this many bytes (or its
  // Content-Length announces more); kHttpSafetyBodyCap holds whatever is given here.
  std::size_t bodyCap = kHttpSafetyBodyCap;
  // Request headers beyond the setup's ("Name: value"); one of a setup header's name replaces it.
  std::vector<std::string> headers;
  // Sent as the Cookie header ("a=1; b=2"); with redirects followed, the cookies every answer
  // sets go along to the next one.
  std::string cookies;
  // Not empty: the request is a POST with this form body (application/x-www-form-urlencoded);
  // a redirect after it is followed with a GET.
  std::string postBody;
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
  int retryAfterSeconds = -1;  // the last response's Retry-After (seconds or a date), -1 without one
  // The Location of the last redirect answer, followed or not; empty when there was none.
  std::string location;
  // The last response's headers, names lower-cased; kept after a failure too.
  std::vector<std::pair<std::string, std::string>> headers;
  // The "name=value" of every Set-Cookie of every answer, in order.
  std::vector<std::string> setCookies;
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
