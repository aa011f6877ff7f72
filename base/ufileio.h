// Whole-file reading and crash-safe writing.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

namespace marvessa {

// A file that cannot be read or written; the text names the file, for the user.
class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

bool FileExists(const std::string& path);
// The whole file, or nothing when it does not exist or cannot be read.
std::optional<std::string> ReadFileBytes(const std::string& path);
// Like ReadFileBytes, but a file that exists and cannot be read raises FileError.
std::optional<std::string> ReadExistingFile(const std::string& path);
// Gives the memory of a file's bytes back to the system as a reader that goes through them once,
// forward, passes them, a megabyte at a time, so that reading a large file needs little more
// than what is made of it. Bytes passed must not be read again: they read as zeros.
class PassedBytes {
 public:
  // Bytes from keep on stay, for reading later.
  PassedBytes(std::string& bytes, const char* keep) : next_(bytes.data()), keep_(keep) {}
  explicit PassedBytes(std::string& bytes) : PassedBytes(bytes, bytes.data() + bytes.size()) {}
  // Every byte before at has been read.
  void Passed(const char* at);

 private:
  char* next_;  // the first byte not given back
  const char* keep_;
};
// For files the user named: a missing file raises FileError ("Cannot open file <path>") too.
void RequireFile(const std::string& path);
std::string ReadRequiredFile(const std::string& path);
// How a file that does not exist yet is created: Shared as the umask allows (documents,
// exports), Private for its owner only (settings that hold a password).
enum class NewFileMode { Shared, Private };
// Writes to a temporary file beside the target and renames it over the target, so that the
// target is either the old file or the whole new one. A file rewritten keeps its mode; a symbolic
// link is written through to its target; temporaries that a save killed half-way left beside the
// target are removed. Creates a missing parent folder. Raises FileError ("Cannot create file
// <path>") on failure; the old file stays.
void WriteFileAtomic(const std::string& path, const std::string& bytes, NewFileMode mode = NewFileMode::Shared);
void DeleteFileIfExists(const std::string& path);

}  // namespace marvessa
