#include "results/ulistcommands.h"

namespace marvessa {

namespace {

// Suspends the view's updates for the life of the object.
class SuspendedUpdates {
 public:
  explicit SuspendedUpdates(ResultView* view) : view_(view) {
    if (view_) view_->BeginUpdate();
  }
  ~SuspendedUpdates() {
    if (view_) view_->EndUpdate();
  }
  SuspendedUpdates(const SuspendedUpdates&) = delete;
  SuspendedUpdates& operator=(const SuspendedUpdates&) = delete;

 private:
  ResultView* view_;
};

void Redraw(ResultView* view) {
  if (view) view->Redraw();
}

// Removes, in one pass, the rows whose entry in keep is false; rows past its end stay.
void RemoveRows(ResultList& results, const std::vector<bool>& keep) {
  std::vector<ResultRecord>& rows = results.Rows();
  std::size_t kept = 0;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    if (r < keep.size() && !keep[r]) continue;
    if (kept != r) rows[kept] = std::move(rows[r]);
    ++kept;
  }
  rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(kept), rows.end());
  results.ShowCount();
}

std::string NormalizedEmail(const ResultRecord& row) { return LowerAscii(Trim(row.email)); }

std::string JoinCrLf(const std::vector<std::string>& pieces) {
  std::string text;
  for (const std::string& piece : pieces) {
    if (!text.empty()) text += "\r\n";
    text += piece;
  }
  return text;
}

}  // namespace

void ListCommands::ShowTotals() { marvessa::ShowTotals(p_.panels, p_.run, p_.results.Count()); }

void ListCommands::SortResults(int key) {
  sortKey_ = key;
  for (int tag = kSortByEmail; tag <= kSortByServer; ++tag) p_.sortMenu.SetSortItemChecked(tag, false);
  p_.sortMenu.SetSortItemChecked(key, true);
  if (sortKey_ == kSortByServer) {
    for (int i = 0; i < p_.results.Count(); ++i) {
      ResultRecord& row = p_.results.ResultAt(i);
      row.server = ServerKey(row.email);
      p_.ui.PumpEvents();
    }
  }
  {
    SuspendedUpdates updates(p_.results.View());
    QuickSortResults(p_.results.Rows(), sortKey_);
    p_.document.documentModified = true;
  }
  Redraw(p_.results.View());
}

void ListCommands::FilterDuplicates() {
  SortResults(kSortByEmail);
  p_.document.documentModified = true;
  {
    SuspendedUpdates updates(p_.results.View());
    // Rows are only marked while the event queue is serviced, so the list stays whole for
    // whatever runs meanwhile; one compaction at the end removes the marked rows.
    std::vector<bool> keep;
    const unsigned long long revision = p_.results.Revision();
    std::string previous;
    if (p_.results.Count() > 0) {
      keep.push_back(true);
      previous = NormalizedEmail(p_.results.ResultAt(0));
    }
    for (int i = 1; i < p_.results.Count(); ++i) {
      p_.ui.PumpEvents();
      if (p_.results.Revision() != revision) {
        keep.clear();  // another command removed or reordered rows: the marks no longer fit
        break;
      }
      std::string current = NormalizedEmail(p_.results.ResultAt(i));
      keep.push_back(current != previous);
      if (keep.back()) previous = std::move(current);
    }
    RemoveRows(p_.results, keep);
  }
  ShowTotals();
}

void ListCommands::DeleteSelectedRows() {
  {
    SuspendedUpdates updates(p_.results.View());
    std::vector<bool> keep(p_.results.Count());
    for (int i = 0; i < p_.results.Count(); ++i) keep[i] = !p_.selection.IsSelected(i);
    RemoveRows(p_.results, keep);
    p_.selection.ClearSelection();
    Redraw(p_.results.View());
  }
  ShowTotals();
}

void ListCommands::SelectAllRows() {
  SuspendedUpdates updates(p_.results.View());
  p_.selection.SelectAll();
}

void ListCommands::ClearCustomerList() {
  {
    SuspendedUpdates updates(p_.results.View());
    p_.results.ClearResults();
    Redraw(p_.results.View());
  }
  p_.run.Edit([](UrlQueue&, PackedLines&, UrlQueue&, SeenList& seen) { seen.Clear(); });
}

std::string ListCommands::CollectSelected(int field) const {
  // The field numbers 1..3 are those of the sort keys.
  const int key = field == kSortByUrl || field == kSortByTitle ? field : kSortByEmail;
  std::vector<std::string> pieces;
  for (int row : p_.selection.SelectedRows())
    if (row >= 0 && row < p_.results.Count()) pieces.push_back(SortField(p_.results.ResultAt(row), key));
  return JoinCrLf(pieces);
}

void ListCommands::AEcopyExecute() { CopyText(p_.shell, CollectSelected(1)); }

void ListCommands::ATemailtoExecute() {
  const int row = p_.selection.FirstSelected();
  if (row >= 0 && row < p_.results.Count()) SendMail(p_.shell, p_.results.ResultAt(row).email);
}

void ListCommands::ATbrowseExecute() {
  const int row = p_.selection.FirstSelected();
  if (row >= 0 && row < p_.results.Count()) OpenInBrowser(p_.shell, p_.results.ResultAt(row).url);
}

void ListCommands::PuCopyClick(const UrlQueue& list, const PendingUrlSelection& selection) {
  std::vector<std::string> lines;
  for (int row : selection.SelectedDisplayRows())
    if (row >= 0 && row < list.Count()) lines.emplace_back(list.AtDisplay(row));
  CopyText(p_.shell, JoinCrLf(lines));
}

void ListCommands::PuBrowseClick(const UrlQueue& list, const PendingUrlSelection& selection) {
  const std::vector<int> rows = selection.SelectedDisplayRows();
  if (rows.empty() || rows.front() < 0 || rows.front() >= list.Count()) return;
  OpenInBrowser(p_.shell, list.AtDisplay(rows.front()));
}

}  // namespace marvessa
