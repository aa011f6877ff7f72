// The engine status view: the engines of the run with their state, refreshed every second while
// it is open. Double-clicking a row that needs verification opens the row's last URL in the
// browser, so that the user can solve the check from the same address.
#pragma once

#include <QDialog>
#include <QTableView>
#include <functional>

#include "search/wenginemodel.h"

namespace marvessa {

class EngineStatusDialog : public QDialog {
 public:
  EngineStatusDialog(const EngineStatus& status, std::function<void(const EngineRunRow&)> openRow, QWidget* parent);

  EngineStatusModel* model() const { return model_; }
  QTableView* view() const { return view_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  EngineStatusModel* model_;
  QTableView* view_;
};

}  // namespace marvessa
