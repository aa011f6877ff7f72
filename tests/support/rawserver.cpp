#include "tests/support/rawserver.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace marvessa::test {

std::optional<std::string> RawConnection::ReadRequest() {
  for (;;) {
    const std::size_t end = pending_.find("\r\n\r\n");
    if (end != std::string::npos) {
      std::string head = pending_.substr(0, end + 4);
      pending_.erase(0, end + 4);
      return head;
    }
    char buffer[4096];
    const ssize_t n = ::recv(fd_, buffer, sizeof buffer, 0);
    if (n <= 0 || server_.stopping_) return std::nullopt;
    pending_.append(buffer, static_cast<std::size_t>(n));
  }
}

bool RawConnection::Send(std::string_view bytes) {
  while (!bytes.empty()) {
    if (server_.stopping_) return false;
    const ssize_t n = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

bool RawConnection::Wait(std::chrono::milliseconds duration) {
  std::unique_lock lock(server_.mutex_);
  return !server_.stopped_.wait_for(lock, duration, [this] { return server_.stopping_.load(); });
}

void RawConnection::WaitUntilStopping() {
  std::unique_lock lock(server_.mutex_);
  server_.stopped_.wait(lock, [this] { return server_.stopping_.load(); });
}

void RawConnection::Reset() {
  const linger abort{1, 0};
  ::setsockopt(fd_, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
  server_.CloseConnection(fd_);
  fd_ = -1;
}

RawServer::RawServer(const std::string& host, Handler handler) : host_(host), handler_(std::move(handler)) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  if (::inet_pton(AF_INET, host.c_str(), &address.sin_addr) != 1) throw std::runtime_error("bad address " + host);
  listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  socklen_t length = sizeof address;
  if (listenFd_ < 0 || ::bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(listenFd_, 64) != 0 || ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
      ::pipe2(wakeFds_, O_CLOEXEC) != 0) {
    if (listenFd_ >= 0) ::close(listenFd_);
    throw std::runtime_error("cannot start a raw test server on " + host);
  }
  port_ = ntohs(address.sin_port);
  acceptor_ = std::thread([this] { AcceptLoop(); });
}

RawServer::~RawServer() { Stop(); }

void RawServer::Stop() {
  if (joined_) return;
  joined_ = true;
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    for (int fd : openFds_) ::shutdown(fd, SHUT_RDWR);
  }
  stopped_.notify_all();
  const char wake = 1;
  (void)!::write(wakeFds_[1], &wake, 1);
  acceptor_.join();
  // Later connection attempts are refused instead of waiting in the backlog.
  ::close(listenFd_);
  ::close(wakeFds_[0]);
  ::close(wakeFds_[1]);
  for (auto& worker : workers_) worker.join();
}

std::string RawServer::Origin() const { return "http://" + host_ + ":" + std::to_string(port_); }

void RawServer::AcceptLoop() {
  for (;;) {
    pollfd fds[2] = {{listenFd_, POLLIN, 0}, {wakeFds_[0], POLLIN, 0}};
    if (::poll(fds, 2, -1) < 0 || fds[1].revents != 0) return;
    const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) continue;
    std::lock_guard lock(mutex_);
    if (stopping_) {
      ::close(fd);
      return;
    }
    openFds_.insert(fd);
    ++connections_;
    workers_.emplace_back([this, fd] { Serve(fd); });
  }
}

void RawServer::Serve(int fd) {
  RawConnection connection(*this, fd);
  handler_(connection);
  CloseConnection(connection.fd_);
}

// Under the lock, so that the destructor never shuts down a descriptor already closed.
void RawServer::CloseConnection(int fd) {
  if (fd < 0) return;
  std::lock_guard lock(mutex_);
  openFds_.erase(fd);
  ::close(fd);
}

}  // namespace marvessa::test
