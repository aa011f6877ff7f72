// Handing text to the desktop: open it in the browser or mail program, or put it on the
// clipboard. Text from web pages reaches OpenInBrowser, so it opens only web and mail links.
#pragma once

#include <string>
#include <string_view>

namespace marvessa {

class ShellPlatform {
 public:
  virtual ~ShellPlatform() = default;
  // The desktop's default "open" action on a URL or local file, owned by the main window.
  virtual void ShellOpen(const std::string& target) = 0;
  virtual void SetClipboardText(const std::string& text) = 0;
};

// Opens the trimmed text when it is an http, https or "mailto:" link without control bytes;
// anything else (local paths, "file:" and other schemes) is ignored.
void OpenInBrowser(ShellPlatform& shell, std::string_view text);
// Whether a text is one the browser or mail program is given: an http, https or mailto: URL.
bool IsBrowserTarget(std::string_view target);
// Opens a file the program itself names, such as its help file; never pass page text here.
void OpenProgramFile(ShellPlatform& shell, const std::string& path);
// Opens "mailto:" + address when the trimmed address is not blank and the address holds no
// line break or other control byte (which would smuggle extra mail headers). Only the address
// is passed: it ends before any "?", and "%" is passed as "%25".
void SendMail(ShellPlatform& shell, std::string_view address);
void CopyText(ShellPlatform& shell, const std::string& text);

}  // namespace marvessa
