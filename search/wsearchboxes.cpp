#include "search/wsearchboxes.h"

#include <QAction>
#include <QVBoxLayout>
#include <algorithm>

namespace marvessa {

UrlListView::UrlListView(const UrlQueue& queue, QWidget* parent)
    : QListView(parent), queue_(queue), model_(new UrlQueueModel(queue, this)) {
  setModel(model_);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Equal row heights spare the view measuring every row when a URL arrives on top.
  setUniformItemSizes(true);
  setContextMenuPolicy(Qt::ActionsContextMenu);
  auto* copy = new QAction(QStringLiteral(u"复制"), this);
  auto* browse = new QAction(QStringLiteral(u"浏览..."), this);
  // Ctrl+C in this list copies its own selected URLs.
  copy->setShortcut(QKeySequence::Copy);
  copy->setShortcutContext(Qt::WidgetShortcut);
  connect(copy, &QAction::triggered, this, [this] { onCopy(); });
  connect(browse, &QAction::triggered, this, [this] { onBrowse(); });
  addAction(copy);
  addAction(browse);
}

std::vector<int> UrlListView::SelectedDisplayRows() const {
  std::vector<int> rows;
  for (const QModelIndex& index : selectionModel()->selectedIndexes()) rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

QSize UrlListView::sizeHint() const {
  QSize size = QListView::sizeHint();
  if (startHeight_ > 0) size.setHeight(startHeight_);
  return size;
}

SearchBoxes::SearchBoxes(RunState& run, QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("PlScan"));
  mmuncheck_ = new UrlListView(run.Level1(), this);
  mmuncheck_->setObjectName(QStringLiteral("mmuncheck"));
  mmuncheck_->setToolTip(QStringLiteral(u"一级搜索框"));
  mmuncheck_->SetStartHeight(kLevel1Height);
  MMscan_ = new UrlListView(run.Level2(), this);
  MMscan_->setObjectName(QStringLiteral("MMscan"));
  MMscan_->setToolTip(QStringLiteral(u"二级搜索框"));
  run.SetObservers(mmuncheck_->queueModel(), MMscan_->queueModel());

  auto* splitter = new QSplitter(Qt::Vertical, this);
  splitter->setChildrenCollapsible(false);
  splitter->addWidget(mmuncheck_);
  splitter->addWidget(MMscan_);
  splitter->setStretchFactor(0, 0);
  splitter->setStretchFactor(1, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(splitter);
}

}  // namespace marvessa
