// The engines of the run as a table model over the core's engine status: name, scope, requests,
// results and state, one row per engine. Refresh() takes the status anew.
#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "search/uenginestatus.h"

namespace marvessa {

class EngineStatusModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { kName, kScope, kRequests, kResults, kState, kColumns };

  explicit EngineStatusModel(const EngineStatus& status, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  void Refresh();
  const EngineRunRow& Row(int row) const { return rows_[row]; }

 private:
  const EngineStatus& status_;
  std::vector<EngineRunRow> rows_;
};

}  // namespace marvessa
