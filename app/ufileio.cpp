#include "app/ufileio.h"

#include "app/upath.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace marvessa {

namespace fs = std::filesystem;

bool FileExists(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  // Sized by the file, so that a large file is held once, not in a buffer that doubles.
  struct stat info {};
  std::string bytes(::fstat(fd, &info) == 0 && info.st_size > 0 ? static_cast<std::size_t>(info.st_size) + 1 : 4096,
                    '\0');
  std::size_t done = 0;
  for (ssize_t n; (n = ::read(fd, bytes.data() + done, bytes.size() - done)) != 0;) {
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int error = errno;
      ::close(fd);
      errno = error;
      return std::nullopt;
    }
    done += static_cast<std::size_t>(n);
    if (done == bytes.size()) bytes.resize(bytes.size() * 2);
  }
  ::close(fd);
  bytes.resize(done);
  return bytes;
}

std::optional<std::string> ReadExistingFile(const std::string& path) {
  if (!FileExists(path)) return std::nullopt;
  auto bytes = ReadFileBytes(path);
  if (!bytes) throw FileError("Cannot open file \"" + PathForDisplay(path) + "\". " + std::strerror(errno));
  return bytes;
}

void RequireFile(const std::string& path) {
  if (!FileExists(path)) throw FileError("Cannot open file \"" + PathForDisplay(path) + "\"");
}

std::string ReadRequiredFile(const std::string& path) {
  RequireFile(path);
  return *ReadExistingFile(path);
}

namespace {

bool WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

void WriteFileAtomic(const std::string& path, const std::string& bytes) {
  const fs::path target(path);
  std::error_code ec;
  if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
  std::string temp = path + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) throw FileError("Cannot create file \"" + PathForDisplay(path) + "\". " + std::strerror(errno));
  const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  const int savedErrno = errno;
  ::fchmod(fd, 0644);
  const bool closed = ::close(fd) == 0;
  if (!written || !closed || ::rename(temp.c_str(), path.c_str()) != 0) {
    const int err = written && closed ? errno : savedErrno;
    ::unlink(temp.c_str());
    throw FileError("Cannot create file \"" + PathForDisplay(path) + "\". " + std::strerror(err));
  }
}

void DeleteFileIfExists(const std::string& path) {
  std::error_code ec;
  fs::remove(path, ec);
}

}  // namespace marvessa
