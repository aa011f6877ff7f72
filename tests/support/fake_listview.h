// The customer-list view, its selection, the sort menu, a pending-URL list box's selection and
// the status panels, as tests see them.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "results/ulistcommands.h"

namespace marvessa::test {

class FakeResultView : public ResultView, public ResultSelection, public SortMenu {
 public:
  // ResultView
  void SetRowCount(int count) override {
    rowCount = count;
    rows = count;
  }
  void BeginUpdate() override { ++updating; }
  void EndUpdate() override { --updating; }
  void Redraw() override { ++redraws; }
  int rowCount = 0;
  int updating = 0;
  int redraws = 0;

  // ResultSelection over the rows the view was last told about
  bool IsSelected(int row) const override { return selected.contains(row); }
  int FirstSelected() const override { return selected.empty() ? -1 : *selected.begin(); }
  void ClearSelection() override { selected.clear(); }
  void SelectOne(int row) override { selected = {row}; }
  void SelectAll() override {
    selected.clear();
    for (int i = 0; i < rows; ++i) selected.insert(i);
  }
  std::vector<int> SelectedRows() const override { return {selected.begin(), selected.end()}; }
  std::set<int> selected;
  int rows = 0;

  // SortMenu
  void SetSortItemChecked(int tag, bool checked) override { sortChecked[tag] = checked; }
  std::map<int, bool> sortChecked;
};

class FakePendingSelection : public PendingUrlSelection {
 public:
  std::vector<int> SelectedDisplayRows() const override { return rows; }
  std::vector<int> rows;
};

class FakePanels : public StatusPanels {
 public:
  void SetPanelText(int panel, const std::string& text) override {
    texts[panel] = text;
    ++writes;
  }
  std::map<int, std::string> texts;
  int writes = 0;
};

}  // namespace marvessa::test
