// The item models over the core's lists, checked by Qt's model tester while the lists change as a
// run and the list commands change them.
#include <QAbstractItemModelTester>
#include <QtTest>

#include "base/wqttext.h"
#include "results/wresultmodel.h"
#include "search/wenginemodel.h"
#include "search/wurlmodel.h"

namespace marvessa {

class ModelsTest : public QObject {
  Q_OBJECT

 private slots:
  void theResultModelFollowsAddedShrunkAndEditedRows() {
    ResultList results;
    ResultTableModel model(results);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    results.AddResult("a@x.cn", "http://127.0.0.1/", Utf8ToGbk("联系我们"));
    results.AddResult("b@x.cn", "http://127.0.0.1/b", "");
    model.SyncRowCount(results.Count());
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.data(model.index(0, 2), Qt::DisplayRole).toString(), QStringLiteral("联系我们"));
    QCOMPARE(model.data(model.index(1, 1), Qt::ToolTipRole).toString(), QStringLiteral("http://127.0.0.1/b"));
    QVERIFY(!model.data(model.index(0, 0), Qt::DecorationRole).isNull());
    QVERIFY(model.data(model.index(0, 1), Qt::DecorationRole).isNull());
    QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("邮址"));

    results.Rows().pop_back();  // a row drawn before the model hears of the change is blank
    QVERIFY(model.data(model.index(1, 0), Qt::DisplayRole).isNull());
    model.SyncRowCount(results.Count());
    QCOMPARE(model.rowCount(), 1);
    results.ResultAt(0).email = "c@x.cn";
    model.RefreshAll();
    QCOMPARE(model.data(model.index(0, 0), Qt::DisplayRole).toString(), QStringLiteral("c@x.cn"));
    results.ClearResults();
    model.SyncRowCount(0);
    QCOMPARE(model.rowCount(), 0);
  }

  void theEngineModelFollowsTheRunsEngines() {
    EngineStatus status;
    EngineStatusModel model(status);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(model.rowCount(), 0);
    status.Begin({{Utf8ToGbk("必应"), 1, true, "https://127.0.0.1/"}, {"b", 4, true, ""}});
    model.Refresh();
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.data(model.index(0, EngineStatusModel::kState), Qt::DisplayRole).toString(), QStringLiteral("正常"));
    status.Record(0, FetchOutcome::kOk, 200, "http://127.0.0.1/q", 7);
    status.Record(1, FetchOutcome::kBlocked, 302, "http://127.0.0.1/sorry", 0);
    model.Refresh();
    const auto cell = [&](int row, int column) { return model.data(model.index(row, column), Qt::DisplayRole).toString(); };
    QCOMPARE(cell(0, EngineStatusModel::kName), QStringLiteral("必应"));
    QCOMPARE(cell(0, EngineStatusModel::kScope), QStringLiteral("英文"));
    QCOMPARE(cell(0, EngineStatusModel::kRequests), QStringLiteral("1"));
    QCOMPARE(cell(0, EngineStatusModel::kResults), QStringLiteral("7"));
    QCOMPARE(cell(1, EngineStatusModel::kScope), QStringLiteral("俄文"));
    QCOMPARE(cell(1, EngineStatusModel::kState), QStringLiteral("需要验证"));
    QVERIFY(model.data(model.index(1, 0), Qt::ToolTipRole).toString().contains(QStringLiteral("http://127.0.0.1/sorry")));
    QCOMPARE(model.headerData(4, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("状态"));
    status.Begin({{"c", 0, true, ""}});
    model.Refresh();
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(cell(0, EngineStatusModel::kRequests), QStringLiteral("0"));
  }

  void theUrlModelShowsTheNewestUrlOnTop() {
    UrlQueue queue;
    UrlQueueModel model(queue);
    queue.SetObserver(&model);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    queue.AddNewest("http://127.0.0.1/first");
    queue.AddNewest("http://127.0.0.1/second");
    queue.AddNewest("http://127.0.0.1/third");
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.data(model.index(0, 0), Qt::DisplayRole).toString(), QStringLiteral("http://127.0.0.1/third"));
    QCOMPARE(model.data(model.index(2, 0), Qt::DisplayRole).toString(), QStringLiteral("http://127.0.0.1/first"));
    queue.Clear();
    QCOMPARE(model.rowCount(), 0);
  }
};

}  // namespace marvessa

QTEST_MAIN(marvessa::ModelsTest)
#include "models_test.moc"
