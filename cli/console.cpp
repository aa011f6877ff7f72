#include "cli/console.h"

#include <cstdio>

namespace marvessa::cli {

void PrintLine(std::string_view gbk) {
  const std::string utf8 = GbkToUtf8(gbk);
  std::fwrite(utf8.data(), 1, utf8.size(), stdout);
  std::fputc('\n', stdout);
}

void PrintFields(const Lines& gbkFields) {
  std::string line;
  for (std::size_t i = 0; i < gbkFields.size(); ++i) {
    if (i > 0) line += '\t';
    line += gbkFields[i];
  }
  PrintLine(line);
}

void PrintError(std::string_view gbk) {
  const std::string utf8 = GbkToUtf8(gbk);
  std::fwrite(utf8.data(), 1, utf8.size(), stderr);
  std::fputc('\n', stderr);
}

std::string ArgToGbk(std::string_view utf8) { return Utf8ToGbk(utf8); }

std::optional<std::string> Args::Take(std::string_view name) {
  for (std::size_t i = 0; i < words_.size(); ++i) {
    if (words_[i] != name) continue;
    if (i + 1 >= words_.size()) throw UsageError{std::string(name) + " needs a value"};
    std::string value = words_[i + 1];
    words_.erase(words_.begin() + i, words_.begin() + i + 2);
    return value;
  }
  return std::nullopt;
}

bool Args::TakeFlag(std::string_view name) {
  for (std::size_t i = 0; i < words_.size(); ++i) {
    if (words_[i] != name) continue;
    words_.erase(words_.begin() + i);
    return true;
  }
  return false;
}

std::optional<int> Args::TakeInt(std::string_view name) {
  auto text = Take(name);
  if (!text) return std::nullopt;
  auto value = ParseDecimal(*text);
  if (!value) throw UsageError{std::string(name) + " needs a whole number"};
  return value;
}

std::vector<std::string> Args::RestUpTo(std::size_t most, std::string_view usage) {
  for (const auto& w : words_)
    if (w.size() > 1 && w.starts_with("--")) throw UsageError{"unknown option " + w + "\nusage: " + std::string(usage)};
  if (words_.size() > most) throw UsageError{"too many arguments\nusage: " + std::string(usage)};
  return words_;
}

std::vector<std::string> Args::Rest(std::size_t count, std::string_view usage) {
  auto rest = RestUpTo(count, usage);
  if (rest.size() != count) throw UsageError{"missing arguments\nusage: " + std::string(usage)};
  return rest;
}

}  // namespace marvessa::cli
