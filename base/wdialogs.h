// Message boxes, file dialogs and the busy cursor of the desktop window.
#pragma once

#include <QFont>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

#include "base/umessages.h"
#include "base/uview.h"

namespace marvessa {

class QtMessageBoxes : public MessageBoxes {
 public:
  explicit QtMessageBoxes(QWidget* parent) : parent_(parent) {}
  // The boxes are centred on this window once it exists.
  void SetParent(QWidget* parent) { parent_ = parent; }
  MessageAnswer ShowMessage(const MessageSpec& message) override;

 private:
  QWidget* parent_;
};

class QtFileDialogs : public FileDialogs {
 public:
  explicit QtFileDialogs(QWidget* parent) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }
  std::optional<std::string> AskOpenFile(const FileDialogSpec& request) override;
  std::optional<std::string> AskSaveFile(const FileDialogSpec& request) override;

 private:
  std::optional<std::string> Ask(const FileDialogSpec& request, bool save);
  QWidget* parent_;
};

// The font dialog, preset with a font; nothing when the user cancelled.
class FontDialogs {
 public:
  virtual ~FontDialogs() = default;
  virtual std::optional<QFont> AskFont(const QFont& initial) = 0;
};

class QtFontDialogs : public FontDialogs {
 public:
  explicit QtFontDialogs(QWidget* parent) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }
  std::optional<QFont> AskFont(const QFont& initial) override;

 private:
  QWidget* parent_;
};

class QtBusyCursor : public BusyCursor {
 public:
  void SetBusy(bool busy) override;
};

// "Name(*.a;*.b)|*.a;*.b|Other|*.c" as a Qt name filter list.
QString QtNameFilters(const std::string& filter);
// The extension of a Qt name filter of one pattern ("CSV (*.csv)" gives "csv"); empty otherwise.
QString SingleSuffixOf(const QString& nameFilter);

// Runs a command or timer handler; an error escaping it is shown in a message box with its text,
// and the program goes on.
void RunGuarded(MessageBoxes& messages, const std::function<void()>& handler);
void RunGuarded(QWidget* parent, const std::function<void()>& handler);

}  // namespace marvessa
