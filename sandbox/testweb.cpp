#include "sandbox/testweb.h"

#include <httplib.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stdexcept>

#include "sandbox/testca.h"

namespace marvessa::sandbox {

std::string LoopbackHost(int n) {
  return "127." + std::to_string((n >> 16) & 255) + "." + std::to_string((n >> 8) & 255) + "." +
         std::to_string(n & 255);
}

namespace {

// The task queue of one server over the shared threads. The server shuts it down when it stops;
// shutting down waits for the server's own tasks, so that none outlives the server.
class SharedQueue : public httplib::TaskQueue {
 public:
  explicit SharedQueue(SharedServerThreads& threads) : threads_(threads) {}
  void enqueue(std::function<void()> task) override {
    {
      std::lock_guard lock(mutex_);
      ++running_;
    }
    threads_.Enqueue([this, task = std::move(task)] {
      task();
      std::lock_guard lock(mutex_);
      --running_;
      done_.notify_all();
    });
  }
  void shutdown() override {
    std::unique_lock lock(mutex_);
    done_.wait(lock, [this] { return running_ == 0; });
  }

 private:
  SharedServerThreads& threads_;
  std::mutex mutex_;
  std::condition_variable done_;
  int running_ = 0;
};

}  // namespace

SharedServerThreads::SharedServerThreads(int threads)
    : pool_(std::make_unique<httplib::ThreadPool>(static_cast<std::size_t>(threads))) {}

SharedServerThreads::~SharedServerThreads() { pool_->shutdown(); }

void SharedServerThreads::Enqueue(std::function<void()> task) { pool_->enqueue(std::move(task)); }

LoopbackHttpServer::LoopbackHttpServer(const std::string& host,
                                       const std::function<void(httplib::Server&)>& configure, int threads,
                                       const TestCa* tls, SharedServerThreads* shared)
    : server_(tls ? std::make_unique<httplib::SSLServer>(tls->CertFile().c_str(), tls->KeyFile().c_str())
                  : std::make_unique<httplib::Server>()),
      host_(host),
      tls_(tls != nullptr) {
  if (!server_->is_valid()) throw std::runtime_error("cannot set up a test server on " + host_);
  server_->new_task_queue = [threads, shared]() -> httplib::TaskQueue* {
    if (shared) return new SharedQueue(*shared);
    return new httplib::ThreadPool(static_cast<std::size_t>(threads));
  };
  configure(*server_);
  int listenFd = -1;
  server_->set_socket_options([&listenFd](socket_t fd) {
    httplib::default_socket_options(fd);
    // Accepted connections inherit it: a reply written in parts (TLS records, headers and body)
    // goes out at once instead of waiting for the client's delayed acknowledgement.
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    listenFd = fd;
  });
  port_ = server_->bind_to_any_port(host_);
  if (port_ <= 0) throw std::runtime_error("cannot bind a test server on " + host_);
  // The library listens with a backlog of 5: with dozens of clients connecting at once the
  // surplus handshakes would wait for a retransmission a second later.
  ::listen(listenFd, 128);
  thread_ = std::thread([this] { server_->listen_after_bind(); });
  // A stop before the accept loop runs would be lost, so the server is ready only once it runs.
  while (!server_->is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

LoopbackHttpServer::~LoopbackHttpServer() {
  server_->stop();
  thread_.join();
}

std::string LoopbackHttpServer::Origin() const { return (tls_ ? "https://" : "http://") + host_ + ":" + std::to_string(port_); }

}  // namespace marvessa::sandbox
