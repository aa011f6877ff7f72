#include "base/ufolders.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace marvessa {

namespace fs = std::filesystem;

namespace {

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

std::string ExecutableFolder() {
  std::error_code ec;
  const auto exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? "./" : WithTrailingSlash(exe.parent_path().string());
}

// share/marvessa/ beside the bin/ folder of an installed program (/usr/bin gives
// /usr/share/marvessa/); empty when there is none.
std::string ShippedDataFolder(const std::string& executableFolder) {
  std::error_code ec;
  const fs::path shipped = fs::path(executableFolder).parent_path().parent_path() / "share" / "marvessa";
  return fs::is_directory(shipped, ec) ? WithTrailingSlash(shipped.string()) : std::string();
}

FolderPlaces RunningPlaces() {
  const std::string executable = ExecutableFolder();
  return {Env("MARVESSA_HOME"),          Env("MARVESSA_WINDOWS_DIR"),
          Env("XDG_DATA_HOME"),          Env("HOME"),
          executable,                    ::access(executable.c_str(), W_OK) == 0,
          ShippedDataFolder(executable)};
}

}  // namespace

std::string WithTrailingSlash(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

ChosenFolders ChooseFolders(const FolderPlaces& places) {
  const std::string home = places.home.empty() ? "." : places.home;
  ChosenFolders chosen;
  chosen.windows = WithTrailingSlash(home + "/.config/marvessa");
  if (!places.marvessaHome.empty()) {
    chosen.program = WithTrailingSlash(places.marvessaHome);
  } else if (places.executableFolderWritable && places.shippedDataFolder.empty()) {
    chosen.program = places.executableFolder;
  } else {
    // The XDG rule: a relative $XDG_DATA_HOME is ignored.
    const std::string data = places.xdgDataHome.starts_with('/') ? places.xdgDataHome : home + "/.local/share";
    chosen.program = WithTrailingSlash(data + "/marvessa");
    chosen.windows = chosen.program;
    // A prefix in the user's own home (~/.local) ships its data into the data folder itself.
    if (places.shippedDataFolder != chosen.program) chosen.seedFrom = places.shippedDataFolder;
  }
  if (!places.windowsDir.empty()) chosen.windows = WithTrailingSlash(places.windowsDir);
  return chosen;
}

void SeedDataFolder(const std::string& from, const std::string& to) {
  std::error_code ec;
  fs::create_directories(to, ec);
  for (const auto& entry : fs::directory_iterator(from, ec)) {
    if (!entry.is_regular_file(ec)) continue;
    const fs::path copy = fs::path(to) / entry.path().filename();
    const auto copyTime = fs::last_write_time(copy, ec);
    if (!ec && copyTime >= entry.last_write_time(ec)) continue;
    fs::copy_file(entry.path(), copy, fs::copy_options::overwrite_existing, ec);
  }
}

LinuxFolders::LinuxFolders() : chosen_(ChooseFolders(RunningPlaces())) {
  if (!chosen_.seedFrom.empty()) SeedDataFolder(chosen_.seedFrom, chosen_.program);
}

FixedFolders::FixedFolders(std::string programFolder, std::string windowsFolder)
    : program_(WithTrailingSlash(std::move(programFolder))), windows_(WithTrailingSlash(std::move(windowsFolder))) {}

}  // namespace marvessa
