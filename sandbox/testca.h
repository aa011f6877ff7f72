// A certificate authority made on the spot for the sandbox web and the tests, with a server
// certificate it signed for loopback addresses. Trusting CaFile() (through MARVESSA_CA_FILE)
// makes https to the sandbox verify; nothing else trusts it. The files live in a temporary
// folder that goes with the object.
#pragma once

#include <string>
#include <vector>

namespace marvessa::sandbox {

class TestCa {
 public:
  // A server certificate for these IP addresses (each of 127.0.0.0/8).
  explicit TestCa(const std::vector<std::string>& addresses = {"127.0.0.1"});
  ~TestCa();
  TestCa(const TestCa&) = delete;
  TestCa& operator=(const TestCa&) = delete;

  const std::string& CaFile() const { return caFile_; }
  const std::string& CertFile() const { return certFile_; }
  const std::string& KeyFile() const { return keyFile_; }

 private:
  std::string folder_;
  std::string caFile_;
  std::string certFile_;
  std::string keyFile_;
};

}  // namespace marvessa::sandbox
