#include "search/uurlqueue.h"

namespace marvessa {

Lines UrlQueue::DisplayOrder() const { return Lines(entries_.rbegin(), entries_.rend()); }

bool UrlQueue::Holds(std::string_view url) const { return lowerCount_.contains(LowerAscii(url)); }

void UrlQueue::Index(const std::string& url) { ++lowerCount_[LowerAscii(url)]; }

void UrlQueue::AddNewest(std::string url) {
  Index(url);
  entries_.push_back(std::move(url));
  if (observer_) observer_->RowInserted(0);
}

void UrlQueue::AddOldest(std::string url) {
  Index(url);
  entries_.push_front(std::move(url));
  if (observer_) observer_->RowInserted(Count() - 1);
}

void UrlQueue::Clear() {
  entries_.clear();
  lowerCount_.clear();
  if (observer_) observer_->Cleared();
}

bool SeenList::Holds(std::string_view address) const { return lowerCount_.contains(LowerAscii(address)); }

void SeenList::AddNewest(std::string address) {
  ++lowerCount_[LowerAscii(address)];
  entries_.push_back(std::move(address));
}

void SeenList::Clear() {
  entries_.clear();
  lowerCount_.clear();
}

}  // namespace marvessa
