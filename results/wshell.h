// The desktop shell behind the core's shell functions: the default application for a URL, a
// "mailto:" link or a local file, and the clipboard.
#pragma once

#include <QUrl>

#include "results/ushell.h"

namespace marvessa {

// Web and mail links (GBK text) as they are; anything else is a local file's native path.
QUrl ShellUrl(const std::string& target);

class QtShell : public ShellPlatform {
 public:
  void ShellOpen(const std::string& target) override;
  void SetClipboardText(const std::string& text) override;
};

}  // namespace marvessa
