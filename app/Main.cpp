// The desktop program: the main window over the core, with the real platform layers.
//
//   marvessa [--screenshot FILE.png [--page 1] [--dialog options|record [--tab N]]] [FILE.mvx]
//   marvessa --help | --version
//
// FILE.mvx is opened once the start-up sequence has run, as "打开(&O)..." opens it.
//
// With --screenshot the program starts as usual, shows the given page, renders the window (or,
// with --dialog, the options dialog on tab N or the record dialog of the first row) to the PNG
// file once the start-up sequence has run, and ends through the shut-down sequence.
#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QPixmap>
#include <memory>

#include "app/wmainwindow.h"
#include "app/wtranslations.h"
#include "app/wuithread.h"
#include "base/ufolders.h"
#include "base/wdialogs.h"
#include "base/wfonts.h"
#include "engines/wupdate.h"
#include "options/woptions.h"
#include "power/ulinuxdialup.h"
#include "power/ulinuxshutdown.h"
#include "results/wlist.h"
#include "results/wshell.h"

namespace {

struct Options {
  QString screenshot;
  int page = 0;
  QString dialog;
  int tab = 0;
  QString document;
};

// Runs before the window system is reached, so that --help and --version (both to stdout, exit
// status 0) work without a display.
Options ParseOptions(int& argc, char** argv) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("marvessa"));
  QCoreApplication::setApplicationVersion(QStringLiteral(MARVESSA_VERSION));
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Collects business contact e-mail addresses from the web."));
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption screenshot(QStringLiteral("screenshot"), QStringLiteral("Render the window to FILE.png and exit."),
                                      QStringLiteral("FILE"));
  const QCommandLineOption page(QStringLiteral("page"), QStringLiteral("The page shown first (0 or 1)."),
                                QStringLiteral("N"), QStringLiteral("0"));
  const QCommandLineOption dialog(QStringLiteral("dialog"), QStringLiteral("Render this dialog instead: options or record."),
                                  QStringLiteral("NAME"));
  const QCommandLineOption tab(QStringLiteral("tab"), QStringLiteral("The options dialog's page (0, 1 or 2)."),
                               QStringLiteral("N"), QStringLiteral("0"));
  parser.addOption(screenshot);
  parser.addOption(page);
  parser.addOption(dialog);
  parser.addOption(tab);
  parser.addPositionalArgument(QStringLiteral("document"), QStringLiteral("The search document to open."),
                               QStringLiteral("[FILE.mvx]"));
  parser.process(app);
  return {parser.value(screenshot), parser.value(page) == QStringLiteral("1") ? 1 : 0, parser.value(dialog),
          parser.value(tab).toInt(), parser.positionalArguments().value(0)};
}

bool SaveDialogScreenshot(marvessa::MainWindow& window, const Options& options, marvessa::MessageBoxes& messages) {
  using namespace marvessa;
  TMainForm& form = window.form();
  if (options.dialog == QStringLiteral("options"))
    return SaveOptionsScreenshot(form.settings(), form.folders(), options.tab, options.screenshot);
  if (options.dialog != QStringLiteral("record")) return false;
  const bool insertMode = form.results().Count() == 0;
  if (!insertMode) window.lvlist()->SelectOne(0);
  return SaveRecordScreenshot(insertMode, {form.results(), *window.lvlist(), *window.lvlist(), form.document(), messages},
                              options.screenshot);
}

bool SaveScreenshot(marvessa::MainWindow& window, const Options& options, marvessa::MessageBoxes& messages) {
  if (options.page != 0) window.form().ShowPage(options.page);
  window.show();
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
  if (!options.dialog.isEmpty()) return SaveDialogScreenshot(window, options, messages);
  return window.grab().save(options.screenshot, "PNG");
}

}  // namespace

int main(int argc, char** argv) {
  using namespace marvessa;
  const Options options = ParseOptions(argc, argv);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Marvessa"));
  if (QTranslator* qtTexts = LoadQtTranslation(QLocale::system(), &app)) QApplication::installTranslator(qtTexts);
  // The process ends when the main window has closed, whatever else is open.
  QApplication::setQuitOnLastWindowClosed(false);
  QApplication::setFont(WindowFont());
  QApplication::setWindowIcon(ProgramIcon());

  QtMessageBoxes messages(nullptr);
  QtFileDialogs files(nullptr);
  QtFontDialogs fonts(nullptr);
  QtUiThread ui;
  QtTimerFactory timers(messages);
  LinuxFolders folders;
  QtShell shell;
  LinuxDialUp dialUp;
  LinuxShutdown shutdown;
  const MainPlatform platform{ui, timers, folders, shell, dialUp, shutdown};

  auto window = std::make_unique<MainWindow>(platform, WindowDialogs{messages, files, fonts});
  messages.SetParent(window.get());
  files.SetParent(window.get());
  fonts.SetParent(window.get());
  TdlgUpdate dlgUpdate;
  window->AttachUpdateDialog(&dlgUpdate);

  const auto openDocument = [&] {
    if (options.document.isEmpty()) return;
    const std::string path = QFile::encodeName(options.document).toStdString();
    RunGuarded(messages, [&] { window->form().files().OpenFromCommandLine(path); });
  };
  int result = 0;
  if (!options.screenshot.isEmpty()) {
    openDocument();
    result = SaveScreenshot(*window, options, messages) ? 0 : 1;
  } else {
    window->onClosed = [] { QCoreApplication::quit(); };
    window->show();
    openDocument();
    result = QApplication::exec();
  }
  // The shut-down sequence runs while the update dialog still exists.
  window.reset();
  return result;
}
