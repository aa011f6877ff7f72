#include "tests/support/sandbox.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace marvessa::test {

namespace {

std::string MakeTempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "marvessa-test-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  return pattern + "/";
}

}  // namespace

Sandbox::Sandbox() : dir_(MakeTempDir()), folders_(dir_, dir_ + "win/") {}

Sandbox::~Sandbox() {
  std::error_code ec;
  std::filesystem::remove_all(dir_, ec);
}

void Sandbox::Write(const std::string& name, const std::string& bytes) const {
  std::filesystem::create_directories(std::filesystem::path(Path(name)).parent_path());
  std::ofstream out(Path(name), std::ios::binary);
  out << bytes;
}

std::string Sandbox::Read(const std::string& name) const {
  std::ifstream in(Path(name), std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

bool Sandbox::Exists(const std::string& name) const { return std::filesystem::exists(Path(name)); }

}  // namespace marvessa::test
