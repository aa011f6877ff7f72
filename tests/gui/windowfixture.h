// The main window over a sandbox program folder, with scripted dialogs and fake dial-up,
// shutdown and shell layers. Text handed to the core is GBK: these sources are UTF-8, so
// Chinese literals go through Gbk().
#pragma once

#include <QFont>
#include <QString>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/wmainwindow.h"
#include "app/wuithread.h"
#include "base/wdialogs.h"
#include "base/wqttext.h"
#include "tests/support/fake_dialup.h"
#include "tests/support/fake_messages.h"
#include "tests/support/fake_shell.h"
#include "tests/support/fake_shutdown.h"
#include "tests/support/sandbox.h"

namespace marvessa::test {

inline std::string Gbk(const char16_t* text) { return ToGbk(QString::fromUtf16(text)); }

// Answers are taken in order; no answer left is a cancel.
class ScriptedFileDialogs : public FileDialogs {
 public:
  std::optional<std::string> AskOpenFile(const FileDialogSpec& request) override { return Answer(request); }
  std::optional<std::string> AskSaveFile(const FileDialogSpec& request) override { return Answer(request); }
  std::deque<std::string> answers;
  std::vector<FileDialogSpec> asked;

 private:
  std::optional<std::string> Answer(const FileDialogSpec& request) {
    asked.push_back(request);
    if (answers.empty()) return std::nullopt;
    std::string a = answers.front();
    answers.pop_front();
    return a;
  }
};

class ScriptedFontDialogs : public FontDialogs {
 public:
  std::optional<QFont> AskFont(const QFont& initial) override {
    asked.push_back(initial);
    return answer;
  }
  std::optional<QFont> answer;
  std::vector<QFont> asked;
};

class WindowFixture {
 public:
  void WriteIni(const std::string& lines) { sandbox.Write(kIniFileName, "[Rodideva Trovik]\r\n" + lines); }
  std::string Ini() const { return sandbox.Read(kIniFileName); }

  // Builds the window (which runs the start-up sequence) and shows it.
  MainWindow& Create() {
    window = std::make_unique<MainWindow>(platform, WindowDialogs{messages, files, fonts});
    window->show();
    return *window;
  }
  // Closes the window as the user would; true when it closed.
  bool Close() { return window->close(); }
  // Destroys the window, which runs the shut-down sequence.
  void Destroy() { window.reset(); }
  TMainForm& form() { return window->form(); }

  Sandbox sandbox;
  FakeMessageBoxes messages;
  ScriptedFileDialogs files;
  ScriptedFontDialogs fonts;
  QtUiThread ui;
  QtTimerFactory timers{messages};
  FakeShell shell;
  FakeDialUp dialUp;
  FakeShutdown shutdown;
  MainPlatform platform{ui, timers, sandbox.folders(), shell, dialUp, shutdown};
  std::unique_ptr<MainWindow> window;
};

}  // namespace marvessa::test
