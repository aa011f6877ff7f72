#include "base/wdialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QMessageBox>
#include <exception>

#include "base/wqttext.h"

namespace marvessa {

namespace {

QMessageBox::Icon ToQt(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Question:
      return QMessageBox::Question;
    case MessageIcon::Warning:
      return QMessageBox::Warning;
    case MessageIcon::Error:
      return QMessageBox::Critical;
    case MessageIcon::Information:
      break;
  }
  return QMessageBox::Information;
}

}  // namespace

MessageAnswer QtMessageBoxes::ShowMessage(const MessageSpec& message) {
  QMessageBox box(ToQt(message.icon), FromGbk(message.caption), FromGbk(message.text), QMessageBox::NoButton, parent_);
  if (message.buttons == MessageButtons::YesNoCancel) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    box.setDefaultButton(message.defaultAnswer == MessageAnswer::Yes  ? QMessageBox::Yes
                         : message.defaultAnswer == MessageAnswer::No ? QMessageBox::No
                                                                   : QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
  } else if (message.buttons == MessageButtons::Ok) {
    box.setStandardButtons(QMessageBox::Ok);
  } else {
    // A box without buttons: only its close box ends it.
    box.setStandardButtons(QMessageBox::Close);
    box.button(QMessageBox::Close)->hide();
  }
  const int result = box.exec();
  switch (result) {
    case QMessageBox::Yes:
      return MessageAnswer::Yes;
    case QMessageBox::No:
      return MessageAnswer::No;
    case QMessageBox::Cancel:
      return MessageAnswer::Cancel;
    default:
      return message.buttons == MessageButtons::YesNoCancel ? MessageAnswer::Cancel : MessageAnswer::Ok;
  }
}

QString QtNameFilters(const std::string& filter) {
  const QStringList parts = FromGbk(filter).split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString name = parts[i];
    if (const qsizetype paren = name.indexOf('('); paren >= 0) name.truncate(paren);
    QString patterns = parts[i + 1];
    patterns.replace(';', ' ');
    filters.push_back(name.trimmed() + " (" + patterns + ")");
  }
  return filters.join(";;");
}

QString SingleSuffixOf(const QString& nameFilter) {
  const qsizetype open = nameFilter.lastIndexOf(QStringLiteral("(*."));
  if (open < 0 || !nameFilter.endsWith(')')) return {};
  const QString suffix = nameFilter.mid(open + 3, nameFilter.size() - open - 4);
  return suffix.contains(' ') || suffix.contains('*') ? QString() : suffix;
}

std::optional<std::string> QtFileDialogs::Ask(const FileDialogSpec& request, bool save) {
  QFileDialog dialog(parent_, FromGbk(request.title));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  // A typed name that does not exist is accepted: opening it starts a document under that name.
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(FromGbk(request.defaultExt));
  dialog.setNameFilter(QtNameFilters(request.filter));
  if (!request.folder.empty()) dialog.setDirectory(QFile::decodeName(QByteArray::fromStdString(request.folder)));
  // A name typed without an extension takes that of the chosen file type, so that choosing the
  // type decides the format of an export.
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
    if (const QString suffix = SingleSuffixOf(filter); !suffix.isEmpty()) dialog.setDefaultSuffix(suffix);
  });
  dialog.selectFile(QFile::decodeName(QByteArray::fromStdString(request.fileName)));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return QFile::encodeName(dialog.selectedFiles().front()).toStdString();
}

std::optional<std::string> QtFileDialogs::AskOpenFile(const FileDialogSpec& request) { return Ask(request, false); }
std::optional<std::string> QtFileDialogs::AskSaveFile(const FileDialogSpec& request) { return Ask(request, true); }

std::optional<QFont> QtFontDialogs::AskFont(const QFont& initial) {
  // The dialog lists single families, styles and point sizes: it is given the font the list of
  // families and the pixel size resolve to, so that OK without a change keeps the font.
  const QFontInfo resolved(initial);
  QFont shown(resolved.family());
  shown.setStyleName(resolved.styleName());
  shown.setPointSizeF(resolved.pointSizeF());
  bool ok = false;
  const QFont font = QFontDialog::getFont(&ok, shown, parent_);
  if (!ok) return std::nullopt;
  return font;
}

void QtBusyCursor::SetBusy(bool busy) {
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

void RunGuarded(MessageBoxes& messages, const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    messages.ShowMessage({e.what(), "Marvessa", MessageIcon::Error, MessageButtons::Ok, MessageAnswer::Ok});
  } catch (...) {
    messages.ShowMessage(
        {ToGbk(QStringLiteral(u"发生未知错误")), "Marvessa", MessageIcon::Error, MessageButtons::Ok, MessageAnswer::Ok});
  }
}

void RunGuarded(QWidget* parent, const std::function<void()>& handler) {
  QtMessageBoxes messages(parent);
  RunGuarded(messages, handler);
}

}  // namespace marvessa
