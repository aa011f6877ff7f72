#include "results/uresults.h"

#include <algorithm>
#include <new>

namespace marvessa {

void ResultList::ShowCount() {
  if (view_) view_->SetRowCount(Count());
}

void ResultList::AddResult(std::string email, std::string url, std::string title) {
  try {
    rows_.push_back({std::move(email), std::move(url), std::move(title), {}});
  } catch (const std::bad_alloc&) {
    return;  // a row that cannot be stored is simply not added
  }
  ShowCount();
}

void ResultList::Reserve(int more) {
  try {
    rows_.reserve(rows_.size() + static_cast<std::size_t>(std::max(more, 0)));
  } catch (const std::bad_alloc&) {
  }
}

void ResultList::ClearResults() {
  std::vector<ResultRecord>().swap(rows_);
  ++revision_;
  ShowCount();
}

}  // namespace marvessa
