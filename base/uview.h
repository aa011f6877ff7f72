// What the core reads from and asks of the main window, beside the status line and the lists.
#pragma once

#include <optional>
#include <string>

#include "base/utext.h"

namespace marvessa {

// The keyword box CBinput and the batch memo Mmkeywords. Changes made through this interface
// are the core's own; the window reports only the user's edits (CBinputChange).
class KeywordInput {
 public:
  virtual ~KeywordInput() = default;
  virtual std::string KeywordText() const = 0;
  virtual void SetKeywordText(const std::string& text) = 0;
  // The memo's lines; an empty last line of the memo is not a line.
  virtual Lines BatchLines() const = 0;
  virtual void SetBatchLines(const Lines& lines) = 0;
  virtual void FocusKeywordBox() = 0;
};

struct FileDialogSpec {
  std::string title;       // GBK
  std::string defaultExt;  // without the dot
  std::string filter;      // "Name(*.a;*.b)|*.a;*.b|Other(*.c)|*.c"
  std::string fileName;    // proposed file name, a native path like the answer
  std::string folder;      // where the dialog starts (native, ends with "/"); empty: anywhere
};

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // The chosen path (native bytes), or nothing when the user cancelled.
  virtual std::optional<std::string> AskOpenFile(const FileDialogSpec& request) = 0;
  // Asks before overwriting an existing file.
  virtual std::optional<std::string> AskSaveFile(const FileDialogSpec& request) = 0;
};

// The hourglass cursor.
class BusyCursor {
 public:
  virtual ~BusyCursor() = default;
  virtual void SetBusy(bool busy) = 0;
};

// Shows the hourglass for as long as it lives, also when the work fails.
class BusyScope {
 public:
  explicit BusyScope(BusyCursor& cursor) : cursor_(cursor) { cursor_.SetBusy(true); }
  ~BusyScope() { cursor_.SetBusy(false); }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  BusyCursor& cursor_;
};

}  // namespace marvessa
