// A small socket server for replies an HTTP library will not produce: silence, dripping bytes,
// resets, bodies that never end. Every connection gets its own thread running the handler.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <list>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <thread>

namespace marvessa::test {

class RawServer;

// One accepted connection, seen from its handler.
class RawConnection {
 public:
  // The next request head (request line and headers, up to and including the blank line);
  // empty when the peer closed or the server is stopping.
  std::optional<std::string> ReadRequest();
  // False when the peer is gone or the server is stopping.
  bool Send(std::string_view bytes);
  // Sleeps; false (at once) when the server is stopping.
  bool Wait(std::chrono::milliseconds duration);
  void WaitUntilStopping();
  // Aborts the connection with a TCP reset.
  void Reset();

 private:
  friend class RawServer;
  RawConnection(RawServer& server, int fd) : server_(server), fd_(fd) {}
  RawServer& server_;
  int fd_;
  std::string pending_;  // bytes read past the last request head
};

class RawServer {
 public:
  using Handler = std::function<void(RawConnection&)>;
  // The connection is closed when the handler returns.
  RawServer(const std::string& host, Handler handler);
  // Stops accepting, shuts down every connection, wakes every waiting handler and joins them.
  // The destructor stops the server too.
  void Stop();
  ~RawServer();
  RawServer(const RawServer&) = delete;
  RawServer& operator=(const RawServer&) = delete;

  const std::string& Host() const { return host_; }
  int Port() const { return port_; }
  std::string Origin() const;
  int Connections() const { return connections_; }

 private:
  friend class RawConnection;
  void AcceptLoop();
  void Serve(int fd);
  void CloseConnection(int fd);

  std::string host_;
  Handler handler_;
  int listenFd_ = -1;
  int wakeFds_[2] = {-1, -1};
  int port_ = 0;
  std::atomic<int> connections_{0};
  std::atomic<bool> stopping_{false};
  std::mutex mutex_;
  std::condition_variable stopped_;
  std::set<int> openFds_;
  std::list<std::thread> workers_;
  std::thread acceptor_;
  bool joined_ = false;  // Stop has run (used by the owning thread only)
};

}  // namespace marvessa::test
