// File paths are the platform's native bytes (UTF-8 here) and stay so in the core; the core's
// text is GBK. These are the only crossings between the two.
#pragma once

#include <string>
#include <string_view>

namespace marvessa {

// A path as GBK text, for messages and captions only.
std::string PathForDisplay(std::string_view path);
// A file name proposed from GBK text such as the keyword line; "/" cannot stand in a name.
std::string FileNameFromText(std::string_view gbk);
// The part after the last "/".
std::string_view FileNamePart(std::string_view path);
// The folder of a path, with its trailing "/"; empty for a bare file name.
std::string FolderOf(std::string_view path);
// The path made absolute against the working folder, with "." and ".." steps removed.
std::string AbsolutePath(const std::string& path);

// A path as an INI value. A path GBK can hold is stored as GBK text, readable like the other
// values. Any other path (characters GBK lacks, bytes that are no UTF-8, control bytes, blanks
// or quotes at its ends, which the profile-string rules would drop) is stored as a "file://"
// URI with those bytes %-escaped. StoredPathFrom gives every stored path back unchanged, and
// takes the GBK paths older versions stored.
std::string StoredPathText(std::string_view path);
std::string StoredPathFrom(std::string_view value);

}  // namespace marvessa
