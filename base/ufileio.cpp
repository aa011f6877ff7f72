#include "base/ufileio.h"

#include "base/upath.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <string_view>

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

void PassedBytes::Passed(const char* at) {
  constexpr std::ptrdiff_t kStep = 1 << 20;
  const std::ptrdiff_t passed = std::min(at, keep_) - next_;
  if (passed < kStep) return;
  // Whole pages only: the bytes around them may share a page with what is still read.
  const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
  const std::uintptr_t first = (reinterpret_cast<std::uintptr_t>(next_) + page - 1) & ~(page - 1);
  const std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(next_) + passed) & ~(page - 1);
  if (end <= first) return;
  ::madvise(reinterpret_cast<void*>(first), end - first, MADV_DONTNEED);
  next_ = reinterpret_cast<char*>(end);
}

void RequireFile(const std::string& path) {
  if (!FileExists(path)) throw FileError("Cannot open file \"" + PathForDisplay(path) + "\"");
}

std::string ReadRequiredFile(const std::string& path) {
  RequireFile(path);
  return *ReadExistingFile(path);
}

namespace {

// Temporaries are named "<file>" + kTemporaryMark + six letters or digits.
constexpr std::string_view kTemporaryMark = ".marvessa-";
constexpr std::size_t kTemporaryLetters = 6;

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

// The file a path names once symbolic links at its end are followed, so that a save replaces the
// link's target, not the link.
fs::path FollowLinks(fs::path path) {
  std::error_code ec;
  for (int hops = 0; hops < 40 && fs::is_symlink(path, ec); ++hops) {
    const fs::path link = fs::read_symlink(path, ec);
    if (ec) break;
    path = link.is_absolute() ? link : path.parent_path() / link;
  }
  return path;
}

bool IsTemporaryOf(const std::string& name, const std::string& file) {
  if (name.size() != file.size() + kTemporaryMark.size() + kTemporaryLetters) return false;
  if (!name.starts_with(file) || name.compare(file.size(), kTemporaryMark.size(), kTemporaryMark) != 0) return false;
  return std::all_of(name.end() - kTemporaryLetters, name.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
}

// Removes the temporaries of target that a save killed half-way left behind. A temporary still
// being written is locked by its writer and stays.
void RemoveStaleTemporaries(const fs::path& target) {
  const std::string file = target.filename().string();
  std::error_code ec;
  for (fs::directory_iterator it(target.has_parent_path() ? target.parent_path() : fs::path("."), ec), end;
       !ec && it != end; it.increment(ec)) {
    if (!IsTemporaryOf(it->path().filename().string(), file) || !it->is_regular_file(ec) || it->is_symlink(ec)) continue;
    const int fd = ::open(it->path().c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) continue;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) ::unlink(it->path().c_str());
    ::close(fd);
  }
}

// Creates and locks a new temporary beside target with the given permissions (less the umask).
int CreateTemporary(const fs::path& target, mode_t permissions, std::string& temp) {
  static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  thread_local std::mt19937 random{std::random_device{}()};
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp = target.string() + std::string(kTemporaryMark);
    for (std::size_t i = 0; i < kTemporaryLetters; ++i) temp += kLetters[random() % (sizeof kLetters - 1)];
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, permissions);
    if (fd < 0 && errno == EEXIST) continue;
    if (fd < 0) return -1;
    struct stat created {};
    // Another save's clean-up may have taken the new file for a stale one before the lock.
    if (::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &created) == 0 && created.st_nlink > 0) return fd;
    ::close(fd);
  }
  errno = EEXIST;
  return -1;
}

}  // namespace

void WriteFileAtomic(const std::string& path, const std::string& bytes, NewFileMode mode) {
  const fs::path target = FollowLinks(path);
  std::error_code ec;
  if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
  RemoveStaleTemporaries(target);
  struct stat old {};
  const bool replacing = ::stat(target.c_str(), &old) == 0;
  std::string temp;
  const int fd = CreateTemporary(target, replacing || mode == NewFileMode::Private ? 0600 : 0666, temp);
  if (fd < 0) throw FileError("Cannot create file \"" + PathForDisplay(path) + "\". " + std::strerror(errno));
  // A file rewritten keeps its mode; the temporary holds the lock until it has taken the name.
  const bool done = WriteAll(fd, bytes) && ::fsync(fd) == 0 &&
                    (!replacing || ::fchmod(fd, old.st_mode & 07777) == 0) && ::rename(temp.c_str(), target.c_str()) == 0;
  const int error = errno;
  if (!done) ::unlink(temp.c_str());
  ::close(fd);
  if (!done) throw FileError("Cannot create file \"" + PathForDisplay(path) + "\". " + std::strerror(error));
}

void DeleteFileIfExists(const std::string& path) {
  std::error_code ec;
  fs::remove(path, ec);
}

}  // namespace marvessa
