// A real HTTP proxy for tests: tinyproxy in the foreground on a free 127.0.0.1 port, with its
// own configuration and log in a given folder. It accepts clients from 127.0.0.1 only and adds
// a Via header naming "marvessa-test-proxy".
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

namespace marvessa::test {

class TinyProxy {
 public:
  // The tinyproxy program, or empty when it is not installed.
  static std::string Program();

  struct BasicAuth {
    std::string user;
    std::string password;
  };
  // Starts the proxy and waits until it accepts connections; throws when it does not start.
  TinyProxy(const std::string& folder, const std::optional<BasicAuth>& auth = std::nullopt);
  // Ends the proxy (SIGTERM, then SIGKILL if it lingers) and reaps it.
  ~TinyProxy();
  TinyProxy(const TinyProxy&) = delete;
  TinyProxy& operator=(const TinyProxy&) = delete;

  int Port() const { return port_; }
  std::string Log() const;

 private:
  std::string logPath_;
  int port_ = 0;
  pid_t pid_ = -1;
};

inline constexpr const char* kTestProxyName = "marvessa-test-proxy";

}  // namespace marvessa::test
