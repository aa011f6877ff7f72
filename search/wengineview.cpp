#include "search/wengineview.h"

#include <QHeaderView>
#include <QTimer>
#include <QVBoxLayout>

namespace marvessa {

EngineStatusDialog::EngineStatusDialog(const EngineStatus& status, std::function<void(const EngineRunRow&)> openRow,
                                       QWidget* parent)
    : QDialog(parent), model_(new EngineStatusModel(status, this)), view_(new QTableView(this)) {
  setWindowTitle(QString::fromUtf16(u"搜索引擎状态"));
  view_->setModel(model_);
  view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view_->verticalHeader()->hide();
  view_->horizontalHeader()->setStretchLastSection(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(view_);
  resize(520, 300);
  connect(view_, &QTableView::doubleClicked, this, [this, openRow = std::move(openRow)](const QModelIndex& index) {
    if (index.isValid()) openRow(model_->Row(index.row()));
  });
  auto* timer = new QTimer(this);
  timer->setInterval(1000);
  connect(timer, &QTimer::timeout, this, [this] {
    if (isVisible()) model_->Refresh();
  });
  timer->start();
}

void EngineStatusDialog::showEvent(QShowEvent* event) {
  model_->Refresh();
  view_->resizeColumnsToContents();
  QDialog::showEvent(event);
}

}  // namespace marvessa
