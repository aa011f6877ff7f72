// MPageControl: page 0 "客户列表  " with the customer list, page 1 "批量搜索  " with the batch
// keywords Mmkeywords under their caption line.
#pragma once

#include <QPlainTextEdit>
#include <QTabWidget>
#include <functional>

#include "base/utext.h"
#include "results/uresults.h"
#include "results/wlistview.h"

namespace marvessa {

class PageControl : public QTabWidget {
 public:
  PageControl(const ResultList& results, QWidget* parent);

  // The user chose a tab; pages shown through ShowPageControl do not call it.
  std::function<void(int)> onPageChosen;
  // The user edited the batch keywords; SetBatchLines does not call it.
  std::function<void()> onBatchEdited;

  void ShowPageControl(int page);
  // One keyword line per line; an empty last line is not a line.
  Lines BatchLines() const;
  void SetBatchLines(const Lines& lines);

  CustomerListView* lvlist() const { return lvlist_; }
  QPlainTextEdit* Mmkeywords() const { return Mmkeywords_; }

 private:
  CustomerListView* lvlist_;
  QPlainTextEdit* Mmkeywords_;
  bool settingBatch_ = false;
};

}  // namespace marvessa
