#include "app/ufolders.h"

#include <cstdlib>
#include <filesystem>

namespace marvessa {

std::string WithTrailingSlash(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

std::string LinuxFolders::ProgramFolder() const {
  if (const char* home = std::getenv("MARVESSA_HOME"); home && *home) return WithTrailingSlash(home);
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return "./";
  return WithTrailingSlash(exe.parent_path().string());
}

std::string LinuxFolders::WindowsFolder() const {
  if (const char* dir = std::getenv("MARVESSA_WINDOWS_DIR"); dir && *dir) return WithTrailingSlash(dir);
  const char* home = std::getenv("HOME");
  return WithTrailingSlash(std::string(home && *home ? home : ".") + "/.config/marvessa");
}

FixedFolders::FixedFolders(std::string programFolder, std::string windowsFolder)
    : program_(WithTrailingSlash(std::move(programFolder))), windows_(WithTrailingSlash(std::move(windowsFolder))) {}

}  // namespace marvessa
