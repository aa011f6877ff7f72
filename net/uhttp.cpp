#include "net/uhttp.h"

#include <curl/curl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <ctime>
#include <mutex>
#include <new>
#include <set>
#include <stdexcept>
#include <string_view>

#include "base/uglobal.h"
#include "base/utext.h"
#include "net/utls.h"
#include "net/uurl.h"

namespace marvessa {

namespace {

HttpSetup ProxyAndTimeLimits(const Settings& settings) {
  HttpSetup setup;
  setup.proxyEnabled = settings.Proxyenabled;
  setup.proxyHost = settings.Proxy.get();
  setup.proxyPort = settings.ProxyPort;
  setup.proxyUser = settings.Proxyuser.get();
  setup.proxyPassword = settings.Proxypsd.get();
  setup.connectTimeoutSeconds = std::max(0, settings.connecttimeout.load());
  setup.lowSpeedBytes = std::max(0, settings.lowspeedbytes.load());
  setup.lowSpeedSeconds = std::max(0, settings.lowspeedtime.load());
  return setup;
}

}  // namespace

HttpSetup CommonHttpSetup(const Settings& settings) {
  HttpSetup setup = ProxyAndTimeLimits(settings);
  setup.userAgent = settings.useragent.get();
  setup.acceptLanguage = AcceptLanguage(settings.currentScope);
  return setup;
}

HttpSetup UpdateHttpSetup(const Settings& settings) {
  HttpSetup setup = ProxyAndTimeLimits(settings);
  setup.userAgent = "Marvessa/" MARVESSA_VERSION;
  setup.browserHeaders = false;
  return setup;
}

std::string AcceptLanguage(int scope) {
  static const char* const kLanguages[] = {
      "zh-CN,zh;q=0.9,en;q=0.8", "en-US,en;q=0.9",          "zh-TW,zh;q=0.9,en;q=0.8", "fr-FR,fr;q=0.9,en;q=0.8",
      "ru-RU,ru;q=0.9,en;q=0.8", "de-DE,de;q=0.9,en;q=0.8", "ja-JP,ja;q=0.9,en;q=0.8", "it-IT,it;q=0.9,en;q=0.8",
  };
  return kLanguages[scope >= 1 && scope <= 7 ? scope : 0];
}

namespace {

void InitCurlOnce() {
  static const CURLcode init = curl_global_init(CURL_GLOBAL_DEFAULT);
  if (init != CURLE_OK) throw std::runtime_error("libcurl could not be initialised");
}

bool IsRedirectStatus(int status) { return status >= 300 && status < 400; }

// A Retry-After value as seconds from now: a count of seconds or an HTTP date; -1 when neither.
int RetryAfterSeconds(const std::string& value) {
  if (auto seconds = ParseDecimal(value)) return std::max(0, *seconds);
  const time_t at = curl_getdate(value.c_str(), nullptr);
  if (at < 0) return -1;
  return static_cast<int>(std::clamp<long long>(at - std::time(nullptr), 0, 86400));
}

std::string TooLarge(const char* what, std::size_t cap) {
  return std::string(what) + " is larger than " + IntToText(static_cast<long long>(cap)) + " bytes";
}

// The request target as the URL spells it, so that bytes outside ASCII (GBK text in a path) go
// out unchanged instead of being percent-encoded. A plain-http request through the proxy carries
// the whole URL; the fragment is never sent.
std::string RequestTargetOf(const std::string& url, bool proxied) {
  std::string target = url.substr(0, url.find('#'));
  if (proxied && StartsWith(LowerAscii(target), "http://")) return target;
  const std::size_t scheme = target.find("://");
  const std::size_t path = target.find_first_of("/?", scheme == std::string::npos ? 0 : scheme + 3);
  target = path == std::string::npos ? "" : target.substr(path);
  return target.empty() || target[0] != '/' ? "/" + target : target;
}

// The response being read by one transfer (one request of a fetch).
struct Response {
  int status = 0;
  bool headersDone = false;
  std::string location;
  int retryAfterSeconds = -1;
  ResponseStart start;
  std::vector<std::pair<std::string, std::string>> headers;
  std::vector<std::string> setCookies;
  std::string body;
  std::size_t bodyBytes = 0;
};

// The cookie a Set-Cookie value sets: its "name=value", without the attributes.
std::string CookieOf(std::string_view setCookie) { return Trim(setCookie.substr(0, setCookie.find(';'))); }

// The Cookie header with the cookie added, or put in place of the one of its name.
std::string WithCookie(const std::string& header, const std::string& cookie) {
  const std::string name = cookie.substr(0, cookie.find('='));
  std::string out;
  std::size_t start = 0;
  while (start < header.size()) {
    const std::size_t end = std::min(header.find(';', start), header.size());
    const std::string pair = Trim(header.substr(start, end - start));
    if (!pair.empty() && pair.substr(0, pair.find('=')) != name) out += pair + "; ";
    start = end + 1;
  }
  return out + cookie;
}

std::string HeaderName(std::string_view line) { return LowerAscii(Trim(line.substr(0, line.find(':')))); }

}  // namespace

struct HttpClient::State {
  CURL* curl = nullptr;
  curl_slist* headers = nullptr;
  std::vector<std::string> headerLines;  // of the setup
  char errorText[CURL_ERROR_SIZE] = {};

  // The sockets curl holds open, so that another thread can shut them down. A socket leaves the
  // set and is closed under the same lock, so no descriptor is touched after it was closed.
  std::mutex socketMutex;
  std::set<curl_socket_t> sockets;
  bool fetching = false;
  bool dropped = false;  // a kept connection was shut down: the next fetch reconnects
  std::atomic<bool> cut{false};
  std::atomic<bool> stopped{false};

  bool proxied = false;
  const FetchOptions* options = nullptr;
  std::size_t bodyCap = kHttpSafetyBodyCap;
  Response response;
  std::string failure;  // why a callback ended the transfer

  bool CutRequested() const { return cut || stopped; }
  void ShutDownSocketsLocked() {
    for (curl_socket_t fd : sockets) ::shutdown(fd, SHUT_RDWR);
    if (!sockets.empty()) dropped = true;
  }
  bool BeginFetch(bool& fresh);
  bool EndFetch();
  bool OnHeadersDone();
  void OnHeaderLine(std::string_view line);
  FetchResult Transfer(const std::string& url, bool fresh, bool post, const std::string& cookies);
  // The setup's headers and the fetch's own; null when the fetch adds none.
  curl_slist* FetchHeaders() const;
  std::string NextHop(FetchResult& result, int hopsSoFar);

  static curl_socket_t OpenSocket(void* data, curlsocktype, curl_sockaddr* address);
  static int CloseSocket(void* data, curl_socket_t fd);
  static int OnProgress(void* data, curl_off_t, curl_off_t, curl_off_t, curl_off_t);
  static std::size_t OnHeader(char* bytes, std::size_t size, std::size_t count, void* data);
  static std::size_t OnBody(char* bytes, std::size_t size, std::size_t count, void* data);
};

curl_socket_t HttpClient::State::OpenSocket(void* data, curlsocktype, curl_sockaddr* address) {
  auto* state = static_cast<State*>(data);
  std::lock_guard lock(state->socketMutex);
  if (state->CutRequested()) return CURL_SOCKET_BAD;
  const curl_socket_t fd = ::socket(address->family, address->socktype | SOCK_CLOEXEC, address->protocol);
  if (fd != CURL_SOCKET_BAD) state->sockets.insert(fd);
  return fd;
}

int HttpClient::State::CloseSocket(void* data, curl_socket_t fd) {
  auto* state = static_cast<State*>(data);
  std::lock_guard lock(state->socketMutex);
  state->sockets.erase(fd);
  return ::close(fd);
}

int HttpClient::State::OnProgress(void* data, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  return static_cast<State*>(data)->CutRequested() ? 1 : 0;
}

std::size_t HttpClient::State::OnHeader(char* bytes, std::size_t size, std::size_t count, void* data) {
  auto* state = static_cast<State*>(data);
  const std::size_t n = size * count;
  const std::string_view line(bytes, n);
  try {
    if (Trim(line).empty()) return state->OnHeadersDone() ? n : 0;
    state->OnHeaderLine(line);
  } catch (const std::bad_alloc&) {
    state->failure = "out of memory for the headers";
    return 0;
  }
  return n;
}

std::size_t HttpClient::State::OnBody(char* bytes, std::size_t size, std::size_t count, void* data) {
  auto* state = static_cast<State*>(data);
  const std::size_t n = size * count;
  Response& response = state->response;
  response.bodyBytes += n;
  if (response.bodyBytes > state->bodyCap) {
    state->failure = TooLarge("the body", state->bodyCap);
    return 0;
  }
  // No exception may cross libcurl: a body that memory cannot hold fails the fetch.
  try {
    if (!IsRedirectStatus(response.status)) response.body.append(bytes, n);
  } catch (const std::bad_alloc&) {
    response.body = std::string();
    state->failure = "out of memory for the body";
    return 0;
  }
  return n;
}

void HttpClient::State::OnHeaderLine(std::string_view line) {
  if (StartsWith(line, "HTTP/") && !response.headersDone) {
    response = Response{};
    const std::size_t blank = line.find(' ');
    if (blank != std::string_view::npos) response.status = ParseDecimal(Trim(line.substr(blank, 4))).value_or(0);
    return;
  }
  const std::size_t colon = line.find(':');
  if (colon == std::string_view::npos || response.headersDone) return;
  const std::string name = LowerAscii(Trim(line.substr(0, colon)));
  std::string value = Trim(line.substr(colon + 1));
  response.headers.emplace_back(name, value);
  if (name == "set-cookie") {
    if (const std::string cookie = CookieOf(value); cookie.find('=') != std::string::npos)
      response.setCookies.push_back(cookie);
  } else if (name == "location") {
    response.location = std::move(value);
  } else if (name == "retry-after") {
    response.retryAfterSeconds = RetryAfterSeconds(value);
  } else if (name == "content-type") {
    response.start.contentType = std::move(value);
  } else if (name == "content-length") {
    char* end = nullptr;
    const long long length = std::strtoll(value.c_str(), &end, 10);
    if (!value.empty() && *end == '\0' && length >= 0) response.start.contentLength = length;
  }
}

// Decides at the end of a response's headers whether its body is read.
bool HttpClient::State::OnHeadersDone() {
  // An interim response is followed by the real one; trailers after a chunked body end the same way.
  if (response.status < 200 || response.headersDone) return true;
  response.headersDone = true;
  if (IsRedirectStatus(response.status)) return true;
  if (response.status >= 400) {
    failure = "HTTP status " + IntToText(response.status);
    return false;
  }
  if (response.start.contentLength && static_cast<std::uint64_t>(*response.start.contentLength) > bodyCap) {
    failure = TooLarge("the announced body", bodyCap);
    return false;
  }
  if (options->onResponseStart && !options->onResponseStart(response.start)) {
    failure = "abandoned before the body";
    return false;
  }
  return true;
}

// False when the client is stopped; fresh tells whether the kept connection was shut down.
bool HttpClient::State::BeginFetch(bool& fresh) {
  std::lock_guard lock(socketMutex);
  if (stopped) return false;
  fetching = true;
  cut = false;
  fresh = dropped;
  dropped = false;
  return true;
}

// Whether the fetch was cut.
bool HttpClient::State::EndFetch() {
  std::lock_guard lock(socketMutex);
  fetching = false;
  return cut.exchange(false) || stopped;
}

curl_slist* HttpClient::State::FetchHeaders() const {
  if (options->headers.empty()) return nullptr;
  curl_slist* list = nullptr;
  for (const std::string& line : headerLines) {
    const std::string name = HeaderName(line);
    const bool replaced = std::any_of(options->headers.begin(), options->headers.end(),
                                      [&](const std::string& own) { return HeaderName(own) == name; });
    if (!replaced) list = curl_slist_append(list, line.c_str());
  }
  for (const std::string& line : options->headers) list = curl_slist_append(list, line.c_str());
  return list;
}

FetchResult HttpClient::State::Transfer(const std::string& url, bool fresh, bool post, const std::string& cookies) {
  response = Response{};
  failure.clear();
  errorText[0] = '\0';
  const std::string target = RequestTargetOf(url, proxied);
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_REQUEST_TARGET, target.c_str());
  curl_easy_setopt(curl, CURLOPT_FRESH_CONNECT, fresh ? 1L : 0L);
  // A fetch that wants a fresh connection will not want this one again: it is closed when the
  // fetch ends instead of idling on the server until the next fetch.
  curl_easy_setopt(curl, CURLOPT_FORBID_REUSE, options->freshConnection ? 1L : 0L);
  const long verify = options->verifyCertificates ? 1L : 0L;
  curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, verify);
  curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, verify * 2);
  if (post) {
    curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE, static_cast<long>(options->postBody.size()));
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, options->postBody.c_str());
  }
  curl_easy_setopt(curl, CURLOPT_COOKIE, cookies.empty() ? nullptr : cookies.c_str());
  curl_slist* own = FetchHeaders();
  if (own) curl_easy_setopt(curl, CURLOPT_HTTPHEADER, own);
  const CURLcode code = curl_easy_perform(curl);
  if (own) {
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_slist_free_all(own);
  }
  if (post) curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(curl, CURLOPT_COOKIE, nullptr);
  FetchResult result;
  result.headers = response.headers;
  result.status = response.status;
  result.retryAfterSeconds = response.retryAfterSeconds;
  if (CutRequested()) {
    result.error = "the connection was closed";
  } else if (!failure.empty()) {
    result.error = failure;
  } else if (code != CURLE_OK) {
    result.error = errorText[0] ? errorText : curl_easy_strerror(code);
  } else {
    result.ok = true;
    result.body = std::move(response.body);
    result.contentType = response.start.contentType.value_or("");
  }
  return result;
}

HttpClient::HttpClient(const HttpSetup& setup) : state_(std::make_unique<State>()) {
  InitCurlOnce();
  CURL* curl = curl_easy_init();
  if (!curl) throw std::runtime_error("libcurl could not create a transfer");
  state_->curl = curl;
  State* state = state_.get();
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_BUFFERSIZE, kHttpReceiveBufferBytes);
  curl_easy_setopt(curl, CURLOPT_MAXCONNECTS, 1L);
  curl_easy_setopt(curl, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
  curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, state->errorText);
  curl_easy_setopt(curl, CURLOPT_OPENSOCKETFUNCTION, State::OpenSocket);
  curl_easy_setopt(curl, CURLOPT_OPENSOCKETDATA, state);
  curl_easy_setopt(curl, CURLOPT_CLOSESOCKETFUNCTION, State::CloseSocket);
  curl_easy_setopt(curl, CURLOPT_CLOSESOCKETDATA, state);
  curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, State::OnProgress);
  curl_easy_setopt(curl, CURLOPT_XFERINFODATA, state);
  curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, State::OnHeader);
  curl_easy_setopt(curl, CURLOPT_HEADERDATA, state);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, State::OnBody);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, state);
  SetSetup(setup);
}

HttpClient::~HttpClient() {
  curl_easy_cleanup(state_->curl);
  curl_slist_free_all(state_->headers);
}

void HttpClient::SetSetup(const HttpSetup& setup) {
  CURL* curl = state_->curl;
  curl_easy_setopt(curl, CURLOPT_USERAGENT, setup.userAgent.empty() ? nullptr : setup.userAgent.c_str());
  std::vector<std::string> lines;
  if (setup.browserHeaders) {
    lines.push_back(std::string("Accept: ") + kHttpAccept);
    if (!setup.acceptLanguage.empty()) lines.push_back("Accept-Language: " + setup.acceptLanguage);
  }
  curl_slist* headers = nullptr;
  for (const std::string& line : lines) headers = curl_slist_append(headers, line.c_str());
  state_->headerLines = std::move(lines);
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
  curl_slist_free_all(state_->headers);
  state_->headers = headers;
  curl_easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, setup.browserHeaders ? kHttpAcceptEncoding : nullptr);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, static_cast<long>(setup.connectTimeoutSeconds));
  const bool lowSpeed = setup.lowSpeedBytes > 0 && setup.lowSpeedSeconds > 0;
  const long bytesPerSecond = lowSpeed ? std::max(1L, static_cast<long>(setup.lowSpeedBytes / setup.lowSpeedSeconds)) : 0;
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, bytesPerSecond);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, lowSpeed ? static_cast<long>(setup.lowSpeedSeconds) : 0L);
  TrustExtraCa(curl);
  state_->proxied = setup.proxyEnabled;
  if (!setup.proxyEnabled) {
    // An empty proxy also overrides the environment's proxy variables.
    curl_easy_setopt(curl, CURLOPT_PROXY, "");
    return;
  }
  const std::string proxy = "http://" + Trim(setup.proxyHost) + ":" + IntToText(setup.proxyPort);
  curl_easy_setopt(curl, CURLOPT_PROXY, proxy.c_str());
  curl_easy_setopt(curl, CURLOPT_PROXYTYPE, static_cast<long>(CURLPROXY_HTTP));
  curl_easy_setopt(curl, CURLOPT_NOPROXY, "");  // no host bypasses it, whatever the environment says
  const bool credentials = !Trim(setup.proxyUser).empty();
  curl_easy_setopt(curl, CURLOPT_PROXYUSERNAME, credentials ? setup.proxyUser.c_str() : nullptr);
  curl_easy_setopt(curl, CURLOPT_PROXYPASSWORD, credentials ? setup.proxyPassword.c_str() : nullptr);
  curl_easy_setopt(curl, CURLOPT_PROXYAUTH, static_cast<long>(CURLAUTH_BASIC));
}

// The URL a redirect answer leads to, or empty (with the reason in result) when it is not
// followed.
std::string HttpClient::State::NextHop(FetchResult& result, int hopsSoFar) {
  char* next = nullptr;
  curl_easy_getinfo(curl, CURLINFO_REDIRECT_URL, &next);
  if (!options->followRedirects || response.location.empty() || !next) {
    result.error = "redirect not followed";
  } else if (hopsSoFar == kHttpMaxRedirects) {
    result.error = "more than " + IntToText(kHttpMaxRedirects) + " redirects";
  } else if (!HasHttpScheme(next)) {
    result.error = "redirect to a scheme other than http or https";
  } else {
    return next;
  }
  return "";
}

FetchResult HttpClient::Get(const std::string& url, const FetchOptions& options) {
  State& state = *state_;
  bool fresh = false;
  if (!state.BeginFetch(fresh)) {
    FetchResult stopped;
    stopped.error = "the client is stopped";
    return stopped;
  }
  state.options = &options;
  state.bodyCap = std::min(options.bodyCap, kHttpSafetyBodyCap);
  if (options.freshConnection) {
    // The kept connection goes now, not when the next one joins the connection cache.
    std::lock_guard lock(state.socketMutex);
    state.ShutDownSocketsLocked();
  }
  fresh = fresh || options.freshConnection;
  std::string cookies = options.cookies;
  std::vector<std::string> setCookies;
  std::string location;
  FetchResult result = state.Transfer(url, fresh, !options.postBody.empty(), cookies);
  for (int hops = 0;; ++hops) {
    for (const std::string& cookie : state.response.setCookies) cookies = WithCookie(cookies, cookie);
    setCookies.insert(setCookies.end(), state.response.setCookies.begin(), state.response.setCookies.end());
    if (!result.ok || !IsRedirectStatus(result.status)) break;
    location = state.response.location;
    result.ok = false;
    const std::string next = state.NextHop(result, hops);
    if (next.empty()) break;
    if (options.onRedirect) options.onRedirect(state.response.location);
    result = state.Transfer(next, false, false, cookies);
  }
  result.location = std::move(location);
  result.setCookies = std::move(setCookies);
  if (state.EndFetch() && result.ok) {
    result.ok = false;
    result.error = "the connection was closed";
  }
  if (!result.ok) {
    result.body.clear();
    result.contentType.clear();
  }
  state.options = nullptr;
  return result;
}

void HttpClient::CloseConnection() {
  std::lock_guard lock(state_->socketMutex);
  state_->ShutDownSocketsLocked();
  if (state_->fetching) state_->cut = true;
}

void HttpClient::Stop() {
  std::lock_guard lock(state_->socketMutex);
  state_->stopped = true;
  state_->ShutDownSocketsLocked();
}

}  // namespace marvessa
