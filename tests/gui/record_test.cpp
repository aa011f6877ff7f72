// The record dialog on the offscreen platform, over a result list and scripted message boxes.
#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "base/wqttext.h"
#include "results/wlist.h"
#include "tests/gui/qt_driving.h"
#include "tests/support/fake_messages.h"
#include "tests/support/fake_scroller.h"
#include "tests/support/fake_window.h"
#include "tests/support/sandbox.h"

namespace marvessa {

// What the dialog works on, as the main window would hand it over.
struct RecordDialogWorld {
  ResultList results;
  test::FakeWindow view;
  test::FakeScroller scroller;
  DocumentState document;
  test::FakeMessageBoxes messages;
  RecordDialogParts parts{results, view, scroller, document, messages};

  RecordDialogWorld() { results.SetView(&view); }
  void AddRows(int n) {
    for (int i = 0; i < n; ++i) results.AddResult("r" + std::to_string(i) + "@x.com", "http://x.com/", "T");
  }
};

class RecordDialogTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<RecordDialogWorld> world_;
  std::unique_ptr<Tdlglist> dialog_;

  bool Open(bool insertMode) {
    dialog_ = std::make_unique<Tdlglist>(insertMode, world_->parts, nullptr);
    return test::ShowActive(*dialog_);
  }
  template <class W>
  W* Find(const char* name) {
    return test::Control<W>(*dialog_, name);
  }
  QLineEdit* Email() { return Find<QLineEdit>("EdEmail"); }
  QPushButton* Apply() { return Find<QPushButton>("BtApply"); }
  void Click(const char* name) { Find<QAbstractButton>(name)->click(); }
  void Retype(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    test::TypeText(edit, text);
  }

 private slots:
  void init() { world_ = std::make_unique<RecordDialogWorld>(); }
  void cleanup() {
    dialog_.reset();
    world_.reset();
  }

  void insertWithApplyAddsRowsAndEmptiesTheFields() {
    QVERIFY(Open(true));
    QCOMPARE(dialog_->windowTitle(), QString::fromUtf8("增加"));
    QVERIFY(!Find<QToolButton>("Btup")->isVisible());
    QVERIFY(!Find<QToolButton>("Btdown")->isVisible());
    QCOMPARE(QApplication::focusWidget(), Email());
    QVERIFY(!Apply()->isEnabled());

    test::TypeText(Email(), QStringLiteral("first@x.com"));
    test::TypeText(Find<QPlainTextEdit>("EdTitle"), QString::fromUtf8("第一行"));
    QVERIFY(Apply()->isEnabled());
    Click("BtApply");
    QCOMPARE(world_->results.Count(), 1);
    QCOMPARE(world_->results.ResultAt(0).email, std::string("first@x.com"));
    QCOMPARE(FromGbk(world_->results.ResultAt(0).title), QString::fromUtf8("第一行"));
    QCOMPARE(Email()->text(), QString());
    QCOMPARE(Find<QPlainTextEdit>("EdTitle")->toPlainText(), QString());
    QVERIFY(!Apply()->isEnabled());

    test::TypeText(Email(), QStringLiteral("second@x.com"));
    Click("BtApply");
    Click("BtCancel");
    QCOMPARE(world_->results.Count(), 2);
    QCOMPARE(world_->view.rowCount, 2);
    QVERIFY(world_->document.documentModified);
  }

  void okWithABlankEmailKeepsTheDialogOpen() {
    QVERIFY(Open(true));
    test::TypeText(Find<QLineEdit>("Edurl"), QStringLiteral("http://x.com/"));
    test::TypeText(Email(), QStringLiteral("   "));
    Click("BtOk");
    QVERIFY(dialog_->isVisible());
    QCOMPARE(world_->messages.shown.size(), size_t(1));
    QCOMPARE(FromGbk(world_->messages.shown[0].text), QString::fromUtf8("请输入邮址!  "));
    QCOMPARE(QApplication::focusWidget(), Email());
    QCOMPARE(world_->results.Count(), 0);
    Retype(Email(), QStringLiteral("ok@x.com"));
    Click("BtOk");
    QCOMPARE(dialog_->result(), int(QDialog::Accepted));
    QCOMPARE(world_->results.Count(), 1);
  }

  void propertiesSteppingStaysWithinTheList() {
    world_->AddRows(3);
    world_->view.SelectOne(0);
    QVERIFY(Open(false));
    QCOMPARE(dialog_->windowTitle(), QString::fromUtf8("属性"));
    QVERIFY(Find<QToolButton>("Btup")->isVisible());
    QCOMPARE(Find<QToolButton>("Btup")->toolTip(), QString::fromUtf8("上一行"));
    QCOMPARE(Email()->text(), QStringLiteral("r0@x.com"));
    Click("Btup");
    QCOMPARE(Email()->text(), QStringLiteral("r0@x.com"));
    for (int i = 0; i < 4; ++i) Click("Btdown");
    QCOMPARE(Email()->text(), QStringLiteral("r2@x.com"));
    QCOMPARE(world_->view.selected, std::set<int>{2});
    QCOMPARE(world_->scroller.scrolls.size(), size_t(5));
    Click("BtOk");
    // The selection stays on the last row shown.
    QCOMPARE(world_->view.selected, std::set<int>{2});
    QVERIFY(world_->document.documentModified);
  }

  void steppingDropsChangesThatWereNotApplied() {
    world_->AddRows(2);
    world_->view.SelectOne(0);
    QVERIFY(Open(false));
    Retype(Email(), QStringLiteral("kept@x.com"));
    Click("BtApply");
    Click("Btdown");
    Retype(Email(), QStringLiteral("dropped@x.com"));
    Click("Btup");
    QCOMPARE(Email()->text(), QStringLiteral("kept@x.com"));
    QCOMPARE(world_->results.ResultAt(1).email, std::string("r1@x.com"));
    Click("BtCancel");
    QCOMPARE(world_->results.ResultAt(0).email, std::string("kept@x.com"));
  }

  void onlyTypingEnablesApply() {
    world_->AddRows(2);
    world_->view.SelectOne(1);
    QVERIFY(Open(false));
    QVERIFY(!Apply()->isEnabled());
    Click("Btup");
    QVERIFY(!Apply()->isEnabled());
    test::TypeText(Find<QPlainTextEdit>("EdTitle"), QStringLiteral("x"));
    QVERIFY(Apply()->isEnabled());
    Click("Btdown");
    QVERIFY(!Apply()->isEnabled());
  }

  void theDialogHasItsSizeAndAFontWithChineseGlyphs() {
    QVERIFY(Open(true));
    QCOMPARE(dialog_->size(), QSize(405, 232));
    QCOMPARE(dialog_->font().pixelSize(), 12);
    QVERIFY(QFontMetrics(dialog_->font()).inFont(QChar(0x90AE)));  // 邮
  }

  void theScreenshotShowsTheDialog() {
    world_->AddRows(1);
    world_->view.SelectOne(0);
    test::Sandbox sandbox;
    const QString file = QString::fromStdString(sandbox.Path("record.png"));
    QVERIFY(SaveRecordScreenshot(false, world_->parts, file));
    QCOMPARE(QImage(file).size(), QSize(405, 232));
  }
};

}  // namespace marvessa

QTEST_MAIN(marvessa::RecordDialogTest)
#include "record_test.moc"
