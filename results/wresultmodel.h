// The customer list as a table model over the core's result list: the model holds only the row
// count it has announced and asks the list for a row's texts when a view draws it.
#pragma once

#include <QAbstractTableModel>
#include <QIcon>

#include "results/uresults.h"

namespace marvessa {

class ResultTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit ResultTableModel(const ResultList& results, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // The list has count rows now: rows added at the end are announced as inserted, fewer rows
  // reset the model.
  void SyncRowCount(int count);
  // Rows changed in place: every row is drawn again.
  void RefreshAll();

 private:
  const ResultList& results_;
  int rows_ = 0;
  QIcon icon_;
};

}  // namespace marvessa
