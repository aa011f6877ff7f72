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
// For files the user named: a missing file raises FileError ("Cannot open file <path>") too.
void RequireFile(const std::string& path);
std::string ReadRequiredFile(const std::string& path);
// Writes to a temporary file beside the target and renames it over the target, so that the
// target is either the old file or the whole new one. Creates a missing parent folder.
// Raises FileError ("Cannot create file <path>") on failure; the old file stays.
void WriteFileAtomic(const std::string& path, const std::string& bytes);
void DeleteFileIfExists(const std::string& path);

}  // namespace marvessa
