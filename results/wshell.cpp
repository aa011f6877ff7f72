#include "results/wshell.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>

#include "app/utext.h"
#include "app/wqttext.h"

namespace marvessa {

QUrl ShellUrl(const std::string& target) {
  const std::string lower = LowerAscii(target);
  const QString text = FromGbk(target);
  if (lower.starts_with("http://") || lower.starts_with("https://") || lower.starts_with("mailto:"))
    return QUrl(text, QUrl::TolerantMode);
  return QUrl::fromLocalFile(text);
}

void QtShell::ShellOpen(const std::string& target) { QDesktopServices::openUrl(ShellUrl(target)); }

void QtShell::SetClipboardText(const std::string& text) { QGuiApplication::clipboard()->setText(FromGbk(text)); }

}  // namespace marvessa
