// The row commands of the customer list and of the two pending-URL lists: sort, duplicate
// filter, delete, select all, clear, copy, write mail and browse. All run on the UI thread.
#pragma once

#include <string>
#include <vector>

#include "base/utext.h"
#include "base/uuithread.h"
#include "results/udocstate.h"
#include "results/uresults.h"
#include "results/ushell.h"
#include "results/usortresults.h"
#include "search/urunstate.h"
#include "search/ustatusline.h"
#include "search/uurlqueue.h"
#include "search/uurlselection.h"

namespace marvessa {

// The selection of the customer-list view; rows are 0-based list indices.
class ResultSelection {
 public:
  virtual ~ResultSelection() = default;
  virtual bool IsSelected(int row) const = 0;
  // -1 when no row is selected.
  virtual int FirstSelected() const = 0;
  virtual void ClearSelection() = 0;
  virtual void SelectOne(int row) = 0;
  virtual void SelectAll() = 0;
  // Ascending.
  virtual std::vector<int> SelectedRows() const = 0;
};

// The four items of the sort menu, by their tags (the sort keys 1..4).
class SortMenu {
 public:
  virtual ~SortMenu() = default;
  virtual void SetSortItemChecked(int tag, bool checked) = 0;
};

struct ListCommandParts {
  ResultList& results;
  ResultSelection& selection;
  SortMenu& sortMenu;
  RunState& run;
  StatusPanels& panels;
  DocumentState& document;
  UiThread& ui;
  ShellPlatform& shell;
};

class ListCommands {
 public:
  explicit ListCommands(ListCommandParts parts) : p_(parts) {}

  // The program's current sort key; it survives between sorts.
  int CurrentSortKey() const { return sortKey_; }
  void SortResults(int key);
  // Sorts by address, then keeps the first row of each run of rows whose trimmed, lower-cased
  // addresses are equal. Rows added meanwhile by a running search take part.
  void FilterDuplicates();
  void DeleteSelectedRows();
  void SelectAllRows();
  // Rows, view and the seen-address list; the document stays unmodified.
  void ClearCustomerList();
  // The field (1 email, 2 url, 3 title) of every selected row in list order, CR LF between.
  std::string CollectSelected(int field) const;

  void AEcopyExecute();
  void ATemailtoExecute();
  void ATbrowseExecute();
  // Columns 0..2 sort by email, url and title.
  void lvlistColumnClick(int column) { SortResults(column + 1); }
  void PuCopyClick(const UrlQueue& list, const PendingUrlSelection& selection);
  void PuBrowseClick(const UrlQueue& list, const PendingUrlSelection& selection);

 private:
  void ShowTotals();

  ListCommandParts p_;
  int sortKey_ = kSortByEmail;
};

}  // namespace marvessa
