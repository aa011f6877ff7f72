// The customer list: the rows a search finds, as the list view shows them.
#pragma once

#include <string>
#include <vector>

#include "search/urowsink.h"

namespace marvessa {

struct ResultRecord {
  std::string email;
  std::string url;
  std::string title;
  std::string server;  // sort key of "by server"; filled only while sorting
};

// The owner-data list view over the list: it holds only the row count.
class ResultView {
 public:
  virtual ~ResultView() = default;
  virtual void SetRowCount(int count) = 0;
  // Bulk changes run between these two; the view repaints at the end.
  virtual void BeginUpdate() = 0;
  virtual void EndUpdate() = 0;
  // Rows changed in place (sorted, edited): repaint them.
  virtual void Redraw() = 0;
};

class ResultList : public RowSink {
 public:
  void SetView(ResultView* view) { view_ = view; }
  ResultView* View() const { return view_; }

  int Count() const { return static_cast<int>(rows_.size()); }
  // index must be a valid row index.
  const ResultRecord& ResultAt(int index) const { return rows_[index]; }
  ResultRecord& ResultAt(int index) { return rows_[index]; }

  // Appends a row with an empty server and tells the view the new count.
  void AddResult(std::string email, std::string url, std::string title);
  // The plain list takes every row.
  void AddRow(const std::string& email, const std::string& url, const std::string& title) override {
    AddResult(email, url, title);
  }
  void ClearResults();
  // Makes room for more rows at once, so that a long list read in does not hold two copies of
  // its rows while it grows. Without the memory for them, the rows are added one by one.
  void Reserve(int more);

  // The rows themselves, for the list commands that reorder or compact them in place. The
  // caller tells the view about the new count afterwards.
  std::vector<ResultRecord>& Rows() {
    ++revision_;
    return rows_;
  }
  void ShowCount();

  // Changes whenever rows are removed or handed out for rearranging (appending leaves it), so
  // that a loop servicing the event queue can tell whether the rows it has looked at still
  // stand where they stood.
  unsigned long long Revision() const { return revision_; }

 private:
  std::vector<ResultRecord> rows_;
  ResultView* view_ = nullptr;
  unsigned long long revision_ = 0;
};

}  // namespace marvessa
