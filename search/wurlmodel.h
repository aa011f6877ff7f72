// A pending-URL list as a list model over the core's queue, newest entry on top.
#pragma once

#include <QAbstractListModel>

#include "search/uurlqueue.h"

namespace marvessa {

class UrlQueueModel : public QAbstractListModel, public UrlQueueObserver {
  Q_OBJECT

 public:
  explicit UrlQueueModel(const UrlQueue& queue, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  void RowAboutToBeInserted(int displayRow) override;
  void RowInserted() override;
  void AboutToBeCleared() override;
  void Cleared() override;

 private:
  const UrlQueue& queue_;
  int rows_ = 0;
};

}  // namespace marvessa
