#include "search/uurlqueue.h"

namespace marvessa {

void FoldedLines::PushBack(std::string_view text) {
  entries_.push_back(text);
  index_.Add(static_cast<std::uint32_t>(entries_.size() - 1), TextOf{this});
}

void FoldedLines::Clear() {
  entries_.clear();
  index_.Clear();
}

Lines UrlQueue::DisplayOrder() const {
  Lines lines;
  lines.reserve(entries_.size());
  for (int row = 0; row < Count(); ++row) lines.emplace_back(AtDisplay(row));
  return lines;
}

bool UrlQueue::Holds(std::string_view url) const { return entries_.Holds(url); }

void UrlQueue::AddNewest(std::string_view url) {
  if (observer_) observer_->RowAboutToBeInserted(0);
  entries_.PushBack(url);
  if (observer_) observer_->RowInserted();
}

void UrlQueue::Clear() {
  if (observer_) observer_->AboutToBeCleared();
  entries_.Clear();
  if (observer_) observer_->Cleared();
}

bool SeenList::Holds(std::string_view address) const { return entries_.Holds(address); }

void SeenList::AddNewest(std::string_view address) { entries_.PushBack(address); }

void SeenList::Clear() { entries_.Clear(); }

}  // namespace marvessa
