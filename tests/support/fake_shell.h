// A desktop shell that records what it was asked to open and what went on the clipboard.
#pragma once

#include <string>
#include <vector>

#include "results/ushell.h"

namespace marvessa::test {

class FakeShell : public ShellPlatform {
 public:
  void ShellOpen(const std::string& target) override { opened.push_back(target); }
  void SetClipboardText(const std::string& text) override { clipboard.push_back(text); }
  std::vector<std::string> opened;
  std::vector<std::string> clipboard;
};

}  // namespace marvessa::test
