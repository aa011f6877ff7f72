#include "tests/support/tinyproxy.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace marvessa::test {

namespace {

using Clock = std::chrono::steady_clock;

sockaddr_in Loopback(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return address;
}

// A port that was free a moment ago; tinyproxy needs a number in its configuration.
int FreePort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address = Loopback(0);
  socklen_t length = sizeof address;
  const bool ok = fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                  ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0;
  if (fd >= 0) ::close(fd);
  if (!ok) throw std::runtime_error("no free loopback port");
  return ntohs(address.sin_port);
}

bool Accepts(int port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const sockaddr_in address = Loopback(port);
  const bool ok = fd >= 0 && ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  if (fd >= 0) ::close(fd);
  return ok;
}

bool Reaped(pid_t pid, std::chrono::milliseconds within) {
  const auto deadline = Clock::now() + within;
  do {
    if (::waitpid(pid, nullptr, WNOHANG) == pid) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  } while (Clock::now() < deadline);
  return false;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

std::string TinyProxy::Program() {
  for (const char* path : {"/usr/bin/tinyproxy", "/usr/sbin/tinyproxy"})
    if (::access(path, X_OK) == 0) return path;
  return "";
}

TinyProxy::TinyProxy(const std::string& folder, const std::optional<BasicAuth>& auth)
    : logPath_(folder + "tinyproxy.log"), port_(FreePort()) {
  const std::string config = folder + "tinyproxy.conf";
  const std::string output = folder + "tinyproxy.out";
  {
    std::ofstream out(config);
    out << "Port " << port_ << "\nListen 127.0.0.1\nAllow 127.0.0.1\nTimeout 10\nMaxClients 16\n"
        << "LogFile \"" << logPath_ << "\"\nLogLevel Info\nViaProxyName \"" << kTestProxyName << "\"\n";
    if (auth) out << "BasicAuth " << auth->user << " " << auth->password << "\n";
  }
  const std::string program = Program();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  const char* argv[] = {program.c_str(), "-d", "-c", config.c_str(), nullptr};
  const int spawned = ::posix_spawn(&pid_, program.c_str(), &actions, nullptr, const_cast<char**>(argv), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) throw std::runtime_error("cannot start " + program);
  const auto deadline = Clock::now() + std::chrono::seconds(10);
  while (!Accepts(port_)) {
    if (Reaped(pid_, std::chrono::milliseconds(20))) {
      pid_ = -1;
      throw std::runtime_error("tinyproxy ended at start: " + ReadAll(output) + ReadAll(logPath_));
    }
    if (Clock::now() > deadline) {
      ::kill(pid_, SIGKILL);
      Reaped(pid_, std::chrono::seconds(5));
      pid_ = -1;
      throw std::runtime_error("tinyproxy does not accept connections");
    }
  }
}

TinyProxy::~TinyProxy() {
  if (pid_ < 0) return;
  ::kill(pid_, SIGTERM);
  if (Reaped(pid_, std::chrono::seconds(3))) return;
  ::kill(pid_, SIGKILL);
  ::waitpid(pid_, nullptr, 0);
}

std::string TinyProxy::Log() const { return ReadAll(logPath_); }

}  // namespace marvessa::test
