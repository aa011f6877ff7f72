#include "search/wurlmodel.h"

#include "base/wqttext.h"

namespace marvessa {

UrlQueueModel::UrlQueueModel(const UrlQueue& queue, QObject* parent)
    : QAbstractListModel(parent), queue_(queue), rows_(queue.Count()) {}

int UrlQueueModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

QVariant UrlQueueModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= queue_.Count()) return {};
  if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
  return FromGbk(std::string(queue_.AtDisplay(index.row())));
}

void UrlQueueModel::RowAboutToBeInserted(int displayRow) { beginInsertRows({}, displayRow, displayRow); }

void UrlQueueModel::RowInserted() {
  ++rows_;
  endInsertRows();
}

void UrlQueueModel::AboutToBeCleared() { beginResetModel(); }

void UrlQueueModel::Cleared() {
  rows_ = 0;
  endResetModel();
}

}  // namespace marvessa
