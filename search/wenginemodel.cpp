#include "search/wenginemodel.h"

#include <QDateTime>

#include "base/wqttext.h"

namespace marvessa {

EngineStatusModel::EngineStatusModel(const EngineStatus& status, QObject* parent)
    : QAbstractTableModel(parent), status_(status), rows_(status.Rows()) {}

int EngineStatusModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int EngineStatusModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant EngineStatusModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const EngineRunRow& row = rows_[index.row()];
  if (role == Qt::ToolTipRole) {
    QString tip = FromGbk(row.site);
    if (row.lastStatus != 0) tip += QStringLiteral("\nHTTP %1").arg(row.lastStatus);
    if (!row.lastUrl.empty()) tip += QLatin1Char('\n') + FromGbk(row.lastUrl);
    if (row.firstBlocked)
      tip += QStringLiteral("\n%1 ").arg(QString::fromUtf16(u"首次受阻:")) +
             QDateTime::fromSecsSinceEpoch(std::chrono::system_clock::to_time_t(*row.firstBlocked)).toString(Qt::ISODate);
    return tip.trimmed();
  }
  if (role == Qt::TextAlignmentRole && (index.column() == kRequests || index.column() == kResults))
    return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
  if (role != Qt::DisplayRole) return {};
  switch (index.column()) {
    case kName:
      return FromGbk(row.name);
    case kScope:
      return FromGbk(ScopeName(row.scope));
    case kRequests:
      return row.requests;
    case kResults:
      return row.results;
    case kState:
      return FromGbk(StateCaption(row.State()));
    default:
      return {};
  }
}

QVariant EngineStatusModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kColumns) return {};
  static const char16_t* const kCaptions[kColumns] = {u"搜索引擎", u"范围", u"请求", u"结果", u"状态"};
  return QString::fromUtf16(kCaptions[section]);
}

void EngineStatusModel::Refresh() {
  std::vector<EngineRunRow> rows = status_.Rows();
  if (rows.size() != rows_.size()) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
    return;
  }
  rows_ = std::move(rows);
  if (!rows_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, kColumns - 1));
}

}  // namespace marvessa
