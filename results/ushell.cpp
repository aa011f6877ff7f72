#include "results/ushell.h"

#include "app/utext.h"

namespace marvessa {

void OpenInBrowser(ShellPlatform& shell, std::string_view text) {
  const std::string target = Trim(text);
  if (target.empty() || HasControlByte(target)) return;
  const std::string lower = LowerAscii(target);
  if (!lower.starts_with("http://") && !lower.starts_with("https://") && !lower.starts_with("mailto:")) return;
  shell.ShellOpen(target);
}

void OpenProgramFile(ShellPlatform& shell, const std::string& path) {
  if (!IsBlankText(path)) shell.ShellOpen(path);
}

void SendMail(ShellPlatform& shell, std::string_view address) {
  if (IsBlankText(address) || HasControlByte(address)) return;
  shell.ShellOpen("mailto:" + std::string(address));
}

void CopyText(ShellPlatform& shell, const std::string& text) { shell.SetClipboardText(text); }

}  // namespace marvessa
