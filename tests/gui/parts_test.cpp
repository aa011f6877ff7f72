// The window's smaller parts on their own: the update dialog, the about box, the desktop shell,
// guarded timer ticks, the animation and the status line's first texts.
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFontDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <stdexcept>

#include "app/wabout.h"
#include "app/wanimate.h"
#include "app/wstatusline.h"
#include "app/wtranslations.h"
#include "base/wfonts.h"
#include "engines/wupdate.h"
#include "results/wshell.h"
#include "tests/gui/windowfixture.h"

namespace marvessa::test {

// Stands in for the desktop's handlers, so that opening a link here opens nothing.
class UrlRecorder : public QObject {
  Q_OBJECT

 public slots:
  void open(const QUrl& url) { opened << url; }

 public:
  QList<QUrl> opened;
};

class PartsTest : public QObject {
  Q_OBJECT

 private slots:
  void updateDialogIsASmallBorderlessWindowOnTop() {
    TdlgUpdate dialog;
    int pressed = 0;
    dialog.onButton = [&pressed] { ++pressed; };
    QCOMPARE(dialog.size(), QSize(268, 91));
    QVERIFY(dialog.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(!dialog.isModal() && !dialog.isVisible());
    QCOMPARE(dialog.lbMsg()->text(), QStringLiteral(u"正在升级引擎..."));
    QVERIFY(dialog.lbMsg()->alignment() & Qt::AlignHCenter);
    QCOMPARE(dialog.BtCancel()->text(), QStringLiteral(u"终止(&C)"));
    dialog.SetUpdateMessage(Gbk(u"引擎升级失败!"));
    dialog.SetUpdateButtonCaption(Gbk(u"关闭(&C)"));
    QCOMPARE(dialog.BtCancel()->text(), QStringLiteral(u"关闭(&C)"));
    dialog.ShowUpdateDialog();
    QVERIFY(dialog.isVisible());
    QTest::mouseClick(dialog.BtCancel(), Qt::LeftButton);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QCOMPARE(pressed, 2);
  }

  void aboutBoxShowsTheProductAndForbidsSpam() {
    Taboutdlg about(nullptr);
    QCOMPARE(about.windowTitle(), QStringLiteral(u"关于Marvessa"));
    QVERIFY(about.title()->text().contains(QStringLiteral("Marvessa")));
    QVERIFY(about.title()->text().contains(QStringLiteral(MARVESSA_VERSION)));
    QVERIFY(about.notice()->isReadOnly());
    QVERIFY(about.notice()->toPlainText().contains(QStringLiteral(u"垃圾邮件")));
    QCOMPARE(about.BtOk()->text(), QStringLiteral(u"确定(&O)"));
    about.show();
    QTest::mouseClick(about.BtOk(), Qt::LeftButton);
    QCOMPARE(about.result(), int(QDialog::Accepted));
  }

  void shellOpensLinksAsUrlsAndOtherTargetsAsLocalFiles() {
    UrlRecorder recorder;
    for (const char* scheme : {"http", "https", "mailto", "file"})
      QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &recorder, "open");
    QtShell shell;
    shell.ShellOpen("http://127.0.0.1:8080/a b.htm");
    shell.ShellOpen("mailto:" + Gbk(u"销售@x.cn"));
    shell.ShellOpen("/tmp/程序/help.htm");  // a native path
    for (const char* scheme : {"http", "https", "mailto", "file"})
      QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    QCOMPARE(recorder.opened.size(), 3);
    QCOMPARE(recorder.opened[0].host(), QStringLiteral("127.0.0.1"));
    QCOMPARE(recorder.opened[0].path(), QStringLiteral("/a b.htm"));
    QCOMPARE(recorder.opened[1].path(), QStringLiteral(u"销售@x.cn"));
    QVERIFY(recorder.opened[2].isLocalFile());
    QCOMPARE(recorder.opened[2].toLocalFile(), QStringLiteral(u"/tmp/程序/help.htm"));

    shell.SetClipboardText(Gbk(u"甲@x.cn\r\nb@x.cn"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral(u"甲@x.cn\r\nb@x.cn"));
  }

  void timerTicksRunGuarded() {
    FakeMessageBoxes messages;
    QtTimerFactory timers(messages);
    int ticks = 0;
    auto timer = timers.CreateTimer([&ticks] {
      ++ticks;
      throw std::runtime_error("tick failed");
    });
    timer->SetInterval(1);
    timer->SetEnabled(true);
    QTRY_VERIFY(ticks >= 2);  // the timer goes on after a failed tick
    timer->SetEnabled(false);
    QCOMPARE(messages.shown.size(), std::size_t(ticks));
    QCOMPARE(messages.shown[0].text, std::string("tick failed"));
    RunGuarded(messages, [] { throw 42; });
    QCOMPARE(messages.shown.back().icon, MessageIcon::Error);
  }

  void animationRunsOnlyWhileSwitchedOn() {
    SearchAnimation animation;
    QCOMPARE(animation.size(), QSize(30, 30));
    QCOMPARE(animation.palette().color(QPalette::Window), QColor(Qt::black));
    animation.SetRunning(true);
    QCOMPARE(animation.Frame(), 0);
    QTRY_VERIFY(animation.Frame() > 0);
    animation.SetRunning(false);
    const int stopFrame = animation.Frame();
    QTest::qWait(250);
    QCOMPARE(animation.Frame(), stopFrame);
    animation.SetSource("/p/work.avi");
    QCOMPARE(animation.Source(), std::string("/p/work.avi"));
  }

  void statusLineStartsWithItsLoadTexts() {
    StatusLine line(nullptr);
    const char16_t* const texts[] = {u"就绪", u" ", u"未搜索:0", u"已搜索:0", u"邮址:0"};
    for (int i = 0; i < 5; ++i) QCOMPARE(line.panel(i)->text(), QString::fromUtf16(texts[i]));
    QCOMPARE(line.height(), 18);
  }

  void qtTextsFollowTheLocaleWithChineseAsFallback() {
    const struct {
      QLocale locale;
      const char16_t* yes;
      const char16_t* ok;
    } cases[] = {
        {QLocale(QLocale::German, QLocale::Germany), u"&Ja", u"OK"},
        {QLocale(QLocale::Swahili, QLocale::Kenya), u"是(&Y)", u"确定"},
        {QLocale::c(), u"是(&Y)", u"确定"},
    };
    for (const auto& c : cases) {
      QTranslator* translator = LoadQtTranslation(c.locale, qApp);
      QVERIFY(translator);
      QCoreApplication::installTranslator(translator);
      QMessageBox box;
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::Ok);
      const QString yes = box.button(QMessageBox::Yes)->text();
      const QString ok = box.button(QMessageBox::Ok)->text();
      QCoreApplication::removeTranslator(translator);
      delete translator;
      QCOMPARE(yes, QString::fromUtf16(c.yes));
      QCOMPARE(ok, QString::fromUtf16(c.ok));
    }
  }

  void fileDialogsTakeAndGiveNativePaths() {
    Sandbox sandbox;
    const std::string folder = sandbox.Path("文件夹/");
    sandbox.Write("文件夹/other.mvx", "");
    QString proposed;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      proposed = dialog->selectedFiles().value(0);
      dialog->selectFile(QString::fromStdString(folder) + QStringLiteral(u"报价.mvx"));
      static_cast<QDialog*>(dialog)->accept();
    });
    QtFileDialogs dialogs(nullptr);
    const std::optional<std::string> chosen =
        dialogs.AskSaveFile({Gbk(u"保存"), "mvx", "Marvessa(*.mvx)|*.mvx", "无标题", folder});
    QCOMPARE(proposed, QString::fromStdString(folder) + QStringLiteral(u"无标题.mvx"));
    QCOMPARE(chosen.value_or("cancelled"), folder + "报价.mvx");
  }

  void fontDialogOpensOnTheFontItIsGiven() {
    QTimer::singleShot(0, [] {
      if (auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget()))
        static_cast<QDialog*>(dialog)->accept();
    });
    QtFontDialogs fonts(nullptr);
    const QFont list = CustomerListFont();
    const std::optional<QFont> chosen = fonts.AskFont(list);
    QVERIFY(chosen);
    const QFontInfo before(list);
    const QFontInfo after(*chosen);
    QCOMPARE(after.family(), before.family());
    QCOMPARE(after.styleName(), before.styleName());
    QCOMPARE(after.pixelSize(), before.pixelSize());
  }

  void fileDialogFiltersInQtForm() {
    QCOMPARE(QtNameFilters(Gbk(u"Marvessa(*.mvx)|*.mvx|文本文件(*.txt;*.ulk)|*.txt;*.ulk")),
             QStringLiteral(u"Marvessa (*.mvx);;文本文件 (*.txt *.ulk)"));
    QCOMPARE(SingleSuffixOf(QStringLiteral(u"Excel 工作簿 (*.xlsx)")), QStringLiteral("xlsx"));
    QCOMPARE(SingleSuffixOf(QStringLiteral(u"文本文件 (*.txt *.ulk)")), QString());
    QCOMPARE(SingleSuffixOf(QStringLiteral("All (*)")), QString());
  }
};

}  // namespace marvessa::test

QTEST_MAIN(marvessa::test::PartsTest)
#include "parts_test.moc"
