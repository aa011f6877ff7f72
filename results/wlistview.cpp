#include "results/wlistview.h"

#include <QHeaderView>
#include <QScrollBar>
#include <algorithm>

#include "base/wfonts.h"

namespace marvessa {

CustomerListView::CustomerListView(const ResultList& results, QWidget* parent)
    : QTableView(parent), model_(new ResultTableModel(results, this)) {
  setObjectName(QStringLiteral("lvlist"));
  setModel(model_);
  SetListFont(CustomerListFont());
  setShowGrid(true);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setWordWrap(false);
  setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  // The selection stays drawn as selected when the list loses the focus.
  QPalette p = palette();
  p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
  p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Active, QPalette::HighlightedText));
  setPalette(p);

  // Fixed row heights keep appending a row cheap: nothing is measured per row.
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  horizontalHeader()->setSectionsClickable(true);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setStretchLastSection(false);
  const int widths[] = {160, 180, 300};
  for (int c = 0; c < 3; ++c) setColumnWidth(c, widths[c]);

  connect(this, &QAbstractItemView::doubleClicked, this, [this] {
    if (onDoubleClick) onDoubleClick();
  });
  connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
    if (onColumnClick) onColumnClick(column);
  });
}

void CustomerListView::SetListFont(const QFont& font) {
  setFont(font);
  verticalHeader()->setDefaultSectionSize(QFontMetrics(font).height() + 4);
}

void CustomerListView::BeginUpdate() {
  if (suspended_++ == 0) setUpdatesEnabled(false);
}

void CustomerListView::EndUpdate() {
  if (suspended_ > 0 && --suspended_ == 0) setUpdatesEnabled(true);
}

void CustomerListView::Redraw() {
  model_->RefreshAll();
  viewport()->update();
}

bool CustomerListView::IsSelected(int row) const {
  return selectionModel()->isRowSelected(row, QModelIndex());
}

int CustomerListView::FirstSelected() const {
  const std::vector<int> rows = SelectedRows();
  return rows.empty() ? -1 : rows.front();
}

void CustomerListView::SelectOne(int row) {
  const QModelIndex index = model_->index(row, 0);
  selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  scrollTo(index);
}

std::vector<int> CustomerListView::SelectedRows() const {
  std::vector<int> rows;
  for (const QItemSelectionRange& range : selectionModel()->selection())
    for (int r = range.top(); r <= range.bottom(); ++r) rows.push_back(r);
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

int CustomerListView::VisibleRowCount() const {
  return viewport()->height() / std::max(1, verticalHeader()->defaultSectionSize());
}

void CustomerListView::ScrollBy(int pixels) {
  verticalScrollBar()->setValue(verticalScrollBar()->value() + pixels);
}

}  // namespace marvessa
