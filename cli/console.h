// The console side of the command-line front end: UTF-8 in and out, GBK inside.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/utext.h"

namespace marvessa::cli {

// Writes GBK text as one UTF-8 line to stdout.
void PrintLine(std::string_view gbk);
// Writes GBK fields joined by TAB as one UTF-8 line to stdout.
void PrintFields(const Lines& gbkFields);
// Writes GBK text as one UTF-8 line to stderr.
void PrintError(std::string_view gbk);
// A command-line argument (UTF-8) as GBK.
std::string ArgToGbk(std::string_view utf8);

// Raised for a malformed command line; the front end answers with exit status 2.
struct UsageError {
  std::string message;
};

// The words of a verb: options with values and plain arguments, in order.
class Args {
 public:
  explicit Args(std::vector<std::string> words) : words_(std::move(words)) {}
  // Removes "--name VALUE" and gives VALUE; nothing when the option is absent.
  std::optional<std::string> Take(std::string_view name);
  // Removes "--name" and tells whether it was there.
  bool TakeFlag(std::string_view name);
  std::optional<int> TakeInt(std::string_view name);
  // The remaining words, which must be exactly count plain arguments.
  std::vector<std::string> Rest(std::size_t count, std::string_view usage);
  std::vector<std::string> RestUpTo(std::size_t most, std::string_view usage);

 private:
  std::vector<std::string> words_;
};

}  // namespace marvessa::cli
