// A temporary folder per test, removed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "base/ufolders.h"

namespace marvessa::test {

class Sandbox {
 public:
  Sandbox();
  ~Sandbox();
  Sandbox(const Sandbox&) = delete;
  Sandbox& operator=(const Sandbox&) = delete;

  // The sandbox folder, ending with "/".
  const std::string& Dir() const { return dir_; }
  std::string Path(const std::string& name) const { return dir_ + name; }
  void Write(const std::string& name, const std::string& bytes) const;
  std::string Read(const std::string& name) const;
  bool Exists(const std::string& name) const;
  // Program folder = the sandbox, Windows folder = its "win/" subfolder.
  const Folders& folders() const { return folders_; }

 private:
  std::string dir_;
  FixedFolders folders_;
};

// A fixture that gives each test its own sandbox.
class SandboxTest : public ::testing::Test {
 protected:
  Sandbox sandbox;
};

}  // namespace marvessa::test
