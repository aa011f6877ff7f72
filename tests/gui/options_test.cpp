// The options dialog on the offscreen platform, over a sandbox program folder.
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <memory>

#include "base/wqttext.h"
#include "options/woptions.h"
#include "options/wspinedit.h"
#include "tests/gui/qt_driving.h"
#include "tests/support/engine_list_file.h"
#include "tests/support/sandbox.h"

namespace marvessa {

class OptionsDialogTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<test::Sandbox> sandbox_;
  std::unique_ptr<Settings> settings_;
  std::unique_ptr<ToptionsDlg> dialog_;

  bool Open() {
    dialog_ = std::make_unique<ToptionsDlg>(*settings_, sandbox_->folders(), nullptr);
    return test::ShowActive(*dialog_);
  }
  template <class W>
  W* Find(const char* name) {
    return test::Control<W>(*dialog_, name);
  }
  QLineEdit* EditOf(const char* name) {
    QWidget* w = Find<QWidget>(name);
    auto* edit = qobject_cast<QLineEdit*>(w);
    return edit ? edit : w->findChild<QLineEdit*>();
  }
  // Types the text over what the box holds, then moves the focus on to the Apply button.
  void TypeAndLeave(const char* name, const QString& text) {
    QWidget* box = Find<QWidget>(name);
    box->setFocus();
    EditOf(name)->selectAll();
    test::TypeText(EditOf(name), text);
    Find<QPushButton>("BtApply")->setFocus();
  }
  void Click(const char* name) { Find<QAbstractButton>(name)->click(); }
  QString TextOf(const char* name) { return EditOf(name)->text(); }
  std::string IniText() const { return sandbox_->Read(kIniFileName); }

 private slots:
  void init() {
    sandbox_ = std::make_unique<test::Sandbox>();
    settings_ = std::make_unique<Settings>();
    test::WriteEngineFile(*sandbox_, {{Utf8ToGbk("甲引擎"), "0"}, {Utf8ToGbk("乙引擎"), "9"}, {"C", "x"}, {"D", "1"}});
  }
  void cleanup() {
    dialog_.reset();
    settings_.reset();
    sandbox_.reset();
  }

  void defaultsThenCancelKeepTheSettingsButEveryEngine() {
    settings_->searchengine = "0110";
    settings_->thdnumber = 30;
    settings_->Proxy = "proxy.local";
    settings_->ctrlemail = false;
    QVERIFY(Open());
    Click("BtDefault");
    QCOMPARE(TextOf("sethdnumber"), QStringLiteral("12"));
    QCOMPARE(TextOf("EdProxy"), QString());
    QVERIFY(Find<QCheckBox>("CBctrlemail")->isChecked());
    QVERIFY(Find<QWidget>("SEctrlemailnumber")->isEnabled());
    auto* engines = Find<QTableWidget>("Lvengine");
    QCOMPARE(engines->rowCount(), 4);
    for (int row = 0; row < 4; ++row) QCOMPARE(engines->item(row, 0)->checkState(), Qt::Checked);
    Click("BtCancel");

    QCOMPARE(dialog_->result(), int(QDialog::Rejected));
    QCOMPARE(settings_->thdnumber.load(), 30);
    QCOMPARE(settings_->Proxy.get(), std::string("proxy.local"));
    QVERIFY(!settings_->ctrlemail);
    QCOMPARE(settings_->searchengine.get(), std::string());
    QVERIFY(!sandbox_->Exists(kIniFileName));
  }

  void applyThenCancelKeepsWhatApplyStored() {
    QVERIFY(Open());
    TypeAndLeave("sethdnumber", "40");
    Click("BtApply");
    QVERIFY(dialog_->isVisible());
    QCOMPARE(settings_->thdnumber.load(), 40);
    QVERIFY(IniText().find("thdnumber=40\r\n") != std::string::npos);
    TypeAndLeave("sethdnumber", "50");
    Click("BtCancel");
    QCOMPARE(settings_->thdnumber.load(), 40);
    QVERIFY(IniText().find("thdnumber=40\r\n") != std::string::npos);
  }

  void typedValuesAreClampedWhenTheFocusLeaves() {
    QVERIFY(Open());
    TypeAndLeave("sethdnumber", "600");
    QCOMPARE(TextOf("sethdnumber"), QStringLiteral("512"));
    TypeAndLeave("sechache1number", "5");
    QCOMPARE(TextOf("sechache1number"), QStringLiteral("100"));
    // Unbounded boxes keep what is typed; text that is no number stores 0.
    TypeAndLeave("SEctrlemailnumber", "-20");
    TypeAndLeave("sesize", "many");
    QCOMPARE(TextOf("sesize"), QStringLiteral("many"));
    Click("BtOk");
    QCOMPARE(dialog_->result(), int(QDialog::Accepted));
    QCOMPARE(settings_->thdnumber.load(), 512);
    QCOMPARE(settings_->chache1number.load(), 100);
    QCOMPARE(settings_->ctrlemailnumber.load(), -20);
    QCOMPARE(settings_->size.load(), 0);
  }

  void theArrowsStepWithinTheRange() {
    settings_->thdnumber = 511;
    QVERIFY(Open());
    auto* box = Find<SpinEdit>("sethdnumber");
    box->stepBy(5);
    QCOMPARE(TextOf("sethdnumber"), QStringLiteral("512"));
    QTest::keyClick(box, Qt::Key_Up);
    QCOMPARE(TextOf("sethdnumber"), QStringLiteral("512"));
    QTest::keyClick(box, Qt::Key_Down);
    QCOMPARE(TextOf("sethdnumber"), QStringLiteral("511"));
  }

  void uncheckingTheProxyGreysItsBoxesAndStillStoresThem() {
    settings_->Proxyenabled = true;
    settings_->Proxy = "proxy.local";
    settings_->Proxypsd = "secret";
    QVERIFY(Open());
    const char* const boxes[] = {"EdProxy", "EdProxyPort", "EdProxyuser", "EdProxypsd"};
    for (const char* name : boxes) QVERIFY(Find<QWidget>(name)->isEnabled());
    QCOMPARE(Find<QLineEdit>("EdProxypsd")->echoMode(), QLineEdit::Password);
    TypeAndLeave("EdProxyuser", "me");
    Click("cbProxyenabled");
    for (const char* name : boxes) QVERIFY2(!Find<QWidget>(name)->isEnabled(), name);
    QCOMPARE(TextOf("EdProxy"), QStringLiteral("proxy.local"));
    Click("BtOk");
    QVERIFY(!settings_->Proxyenabled);
    QCOMPARE(settings_->Proxy.get(), std::string("proxy.local"));
    QCOMPARE(settings_->Proxyuser.get(), std::string("me"));
    QCOMPARE(settings_->Proxypsd.get(), std::string("secret"));
  }

  void uncheckingTheFirstEngineStoresOneThenZeros() {
    QVERIFY(Open());
    auto* engines = Find<QTableWidget>("Lvengine");
    engines->item(0, 0)->setCheckState(Qt::Unchecked);
    Click("BtOk");
    QCOMPARE(settings_->searchengine.get(), std::string("1000"));
    QVERIFY(IniText().find("searchengine=1000\r\n") != std::string::npos);
  }

  void theEngineListNamesEachScope() {
    settings_->searchengine = "01";
    QVERIFY(Open());
    auto* engines = Find<QTableWidget>("Lvengine");
    QCOMPARE(engines->horizontalHeaderItem(0)->text(), QString::fromUtf8("名称"));
    QCOMPARE(engines->horizontalHeaderItem(1)->text(), QString::fromUtf8("范围"));
    QCOMPARE(engines->columnWidth(0), 320);
    QCOMPARE(engines->columnWidth(1), 100);
    QCOMPARE(engines->item(0, 0)->text(), QString::fromUtf8("甲引擎"));
    const char* const scopes[] = {"中文", "未知", "中文", "英文"};
    for (int row = 0; row < 4; ++row) QCOMPARE(engines->item(row, 1)->text(), QString::fromUtf8(scopes[row]));
    QCOMPARE(engines->item(1, 0)->checkState(), Qt::Unchecked);
    QCOMPARE(engines->item(2, 0)->checkState(), Qt::Checked);
  }

  void theExportFormatOffersTheLayoutsAndTakesTypedText() {
    QVERIFY(Open());
    auto* format = Find<QComboBox>("cbexportstring");
    QCOMPARE(format->count(), 6);
    QCOMPARE(format->itemText(5), QString::fromUtf8("<邮址>     <网址>     <标题>"));
    QCOMPARE(format->currentText(), QString::fromUtf8("<邮址>"));
    format->setCurrentIndex(3);
    Click("BtApply");
    QCOMPARE(FromGbk(settings_->exportstring), QString::fromUtf8("<邮址> <网址> <标题>"));
    format->lineEdit()->selectAll();
    test::TypeText(format->lineEdit(), QString::fromUtf8("<标题>;<邮址>"));
    Click("BtOk");
    QCOMPARE(FromGbk(settings_->exportstring), QString::fromUtf8("<标题>;<邮址>"));
  }

  void screenshotsShowEachPage() {
    for (int page = 0; page < 3; ++page) {
      const QString file = QString::fromStdString(sandbox_->Path("page" + std::to_string(page) + ".png"));
      QVERIFY(SaveOptionsScreenshot(*settings_, sandbox_->folders(), page, file));
      const QImage image(file);
      QVERIFY(image.width() > 400 && image.height() > 300);
    }
  }
};

}  // namespace marvessa

QTEST_MAIN(marvessa::OptionsDialogTest)
#include "options_test.moc"
