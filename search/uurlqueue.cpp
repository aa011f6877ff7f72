#include "search/uurlqueue.h"

namespace marvessa {

std::size_t FoldedIndex::Hash::operator()(std::string_view text) const {
  std::size_t hash = 14695981039346656037ULL;  // FNV-1a over the folded bytes
  for (char c : text) hash = (hash ^ static_cast<unsigned char>(LowerAscii(c))) * 1099511628211ULL;
  return hash;
}

Lines UrlQueue::DisplayOrder() const { return Lines(entries_.rbegin(), entries_.rend()); }

bool UrlQueue::Holds(std::string_view url) const { return index_.Holds(url); }

void UrlQueue::AddNewest(std::string url) {
  if (observer_) observer_->RowAboutToBeInserted(0);
  index_.Add(entries_.emplace_back(std::move(url)));
  if (observer_) observer_->RowInserted();
}

void UrlQueue::AddOldest(std::string url) {
  if (observer_) observer_->RowAboutToBeInserted(Count());
  index_.Add(entries_.emplace_front(std::move(url)));
  if (observer_) observer_->RowInserted();
}

void UrlQueue::Clear() {
  if (observer_) observer_->AboutToBeCleared();
  index_.Clear();
  entries_.clear();
  if (observer_) observer_->Cleared();
}

bool SeenList::Holds(std::string_view address) const { return index_.Holds(address); }

void SeenList::AddNewest(std::string address) { index_.Add(entries_.emplace_back(std::move(address))); }

void SeenList::Clear() {
  index_.Clear();
  entries_.clear();
}

}  // namespace marvessa
