#include "results/ushell.h"

#include "base/utext.h"
#include "net/uurl.h"

namespace marvessa {

void OpenInBrowser(ShellPlatform& shell, std::string_view text) {
  const std::string target = Trim(text);
  if (target.empty() || HasControlByte(target)) return;
  if (IsBrowserTarget(target)) shell.ShellOpen(target);
}

bool IsBrowserTarget(std::string_view target) {
  return HasHttpScheme(target) || LowerAscii(target.substr(0, 7)) == "mailto:";
}

void OpenProgramFile(ShellPlatform& shell, const std::string& path) {
  if (!IsBlankText(path)) shell.ShellOpen(path);
}

void SendMail(ShellPlatform& shell, std::string_view address) {
  if (IsBlankText(address) || HasControlByte(address)) return;
  // The address alone: from a "?" on, a row's text would give the mail program parameters such
  // as "attach=" or "body=", and a "%" could spell a "?" once decoded.
  std::string target = "mailto:";
  for (char c : address.substr(0, address.find('?'))) target += c == '%' ? std::string("%25") : std::string(1, c);
  shell.ShellOpen(target);
}

void CopyText(ShellPlatform& shell, const std::string& text) { shell.SetClipboardText(text); }

}  // namespace marvessa
