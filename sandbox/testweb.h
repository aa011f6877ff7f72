// The loopback sandbox web: HTTP servers on 127.0.0.x for the offline demo, the tests and the
// benchmarks of the crawler. Every server binds a port the system chooses, serves from its own
// threads, and stops cleanly and quickly in its destructor. No URL handed out points outside
// 127.0.0.0/8.
//
//   sandbox/testweb.h           LoopbackHttpServer: a cpp-httplib server on a loopback address
//   sandbox/testca.h            TestCa: a CA made on the spot, for https in the sandbox
//   sandbox/testengine.h        TestEngine: a search engine with its engine definition lines
//   sandbox/companyweb.h        CompanyWeb: generated company sites with addresses and links,
//                               and the page set of the crawl benchmark
//   tests/support/faultweb.h    FaultWeb: the faults a crawler meets (hangs, drips, endless or
//                               oversized bodies, redirect chains and loops, resets, empty replies)
//   tests/support/rawserver.h   RawServer: a socket server for replies httplib cannot produce
//   tests/support/tinyproxy.h   TinyProxy: a real HTTP proxy on loopback, for proxy tests
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace httplib {
class Server;
class TaskQueue;
}

namespace marvessa::sandbox {

class TestCa;
class SharedServerThreads;

// "127.0.0.<n>" for n below 256, and 127.x.y.z for larger n (n = x * 65536 + y * 256 + z); every
// address of 127.0.0.0/8 is the local machine.
std::string LoopbackHost(int n);

// Threads that serve the connections of many servers, so that a web of a thousand hosts needs
// one pool, not a thousand. It must outlive every server that uses it.
class SharedServerThreads {
 public:
  explicit SharedServerThreads(int threads);
  ~SharedServerThreads();
  void Enqueue(std::function<void()> task);

 private:
  std::unique_ptr<httplib::TaskQueue> pool_;
};

class LoopbackHttpServer {
 public:
  // Routes are added by configure before the server starts; threads = concurrent connections
  // served (each kept-alive connection holds one), or the shared threads. With tls the server
  // speaks https with the CA's server certificate.
  LoopbackHttpServer(const std::string& host, const std::function<void(httplib::Server&)>& configure,
                     int threads = 16, const TestCa* tls = nullptr, SharedServerThreads* shared = nullptr);
  ~LoopbackHttpServer();
  LoopbackHttpServer(const LoopbackHttpServer&) = delete;
  LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

  const std::string& Host() const { return host_; }
  int Port() const { return port_; }
  // "http://host:port" (or "https://…"); append a path starting with "/".
  std::string Origin() const;

 private:
  std::unique_ptr<httplib::Server> server_;
  std::string host_;
  int port_ = 0;
  bool tls_ = false;
  std::thread thread_;
};

}  // namespace marvessa::sandbox
