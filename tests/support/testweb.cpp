#include "tests/support/testweb.h"

#include <httplib.h>

#include <chrono>
#include <stdexcept>

namespace marvessa::test {

std::string LoopbackHost(int n) { return "127.0.0." + std::to_string(n); }

LoopbackHttpServer::LoopbackHttpServer(const std::string& host,
                                       const std::function<void(httplib::Server&)>& configure, int threads)
    : server_(std::make_unique<httplib::Server>()), host_(host) {
  server_->new_task_queue = [threads] { return new httplib::ThreadPool(static_cast<std::size_t>(threads)); };
  configure(*server_);
  port_ = server_->bind_to_any_port(host_);
  if (port_ <= 0) throw std::runtime_error("cannot bind a test server on " + host_);
  thread_ = std::thread([this] { server_->listen_after_bind(); });
  // A stop before the accept loop runs would be lost, so the server is ready only once it runs.
  while (!server_->is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

LoopbackHttpServer::~LoopbackHttpServer() {
  server_->stop();
  thread_.join();
}

std::string LoopbackHttpServer::Origin() const { return "http://" + host_ + ":" + std::to_string(port_); }

}  // namespace marvessa::test
