// lvlist: the customer list as a table over the result list. It keeps no row texts, only the
// row count it has been told, and is the core's view, selection and scroller of the list.
#pragma once

#include <QTableView>
#include <functional>

#include "results/ulistcommands.h"
#include "results/ulistscroller.h"
#include "results/uresults.h"
#include "results/wresultmodel.h"

namespace marvessa {

class CustomerListView : public QTableView, public ResultView, public ResultSelection, public ListScroller {
 public:
  CustomerListView(const ResultList& results, QWidget* parent);

  // A double click on a row, and a click on the header of column 0..2.
  std::function<void()> onDoubleClick;
  std::function<void(int)> onColumnClick;

  // ResultView
  void SetRowCount(int count) override { model_->SyncRowCount(count); }
  void BeginUpdate() override;
  void EndUpdate() override;
  void Redraw() override;

  // ResultSelection
  bool IsSelected(int row) const override;
  int FirstSelected() const override;
  void ClearSelection() override { clearSelection(); }
  void SelectOne(int row) override;
  void SelectAll() override { selectAll(); }
  std::vector<int> SelectedRows() const override;

  // ListScroller
  int ViewHeight() const override { return viewport()->height(); }
  int VisibleRowCount() const override;
  void ScrollBy(int pixels) override;

  // The font command: rows take the new font's height.
  void SetListFont(const QFont& font);


 private:
  ResultTableModel* model_;
  int suspended_ = 0;
};

}  // namespace marvessa
