#include "results/wresultmodel.h"

#include <QApplication>
#include <QStyle>

#include "base/wqttext.h"

namespace marvessa {

ResultTableModel::ResultTableModel(const ResultList& results, QObject* parent)
    : QAbstractTableModel(parent), results_(results), icon_(QApplication::style()->standardIcon(QStyle::SP_FileIcon)) {}

int ResultTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int ResultTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 3; }

QVariant ResultTableModel::data(const QModelIndex& index, int role) const {
  const int row = index.row();
  if (!index.isValid() || row >= results_.Count()) return {};
  if (role == Qt::DecorationRole && index.column() == 0) return icon_;
  if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
  const ResultRecord& r = results_.ResultAt(row);
  switch (index.column()) {
    case 0:
      return FromGbk(r.email);
    case 1:
      return FromGbk(r.url);
    default:
      return FromGbk(r.title);
  }
}

QVariant ResultTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
  static const char* const kCaptions[] = {"邮址", "网址", "标题"};
  return QString::fromUtf8(kCaptions[section]);
}

void ResultTableModel::SyncRowCount(int count) {
  if (count == rows_) return;
  if (count > rows_) {
    beginInsertRows({}, rows_, count - 1);
    rows_ = count;
    endInsertRows();
    return;
  }
  beginResetModel();
  rows_ = count;
  endResetModel();
}

void ResultTableModel::RefreshAll() {
  if (rows_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, 2));
}

}  // namespace marvessa
