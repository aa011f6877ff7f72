#include "results/wshell.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QFile>
#include <QGuiApplication>

#include "base/utext.h"
#include "base/wqttext.h"

namespace marvessa {

QUrl ShellUrl(const std::string& target) {
  if (IsBrowserTarget(target)) return QUrl(FromGbk(target), QUrl::TolerantMode);
  return QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(target)));
}

void QtShell::ShellOpen(const std::string& target) { QDesktopServices::openUrl(ShellUrl(target)); }

void QtShell::SetClipboardText(const std::string& text) { QGuiApplication::clipboard()->setText(FromGbk(text)); }

}  // namespace marvessa
