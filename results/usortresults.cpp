#include "results/usortresults.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "app/utext.h"

namespace marvessa {

namespace {

constexpr std::array<unsigned char, 256> MakeFoldTable() {
  std::array<unsigned char, 256> table{};
  for (int c = 0; c < 256; ++c) table[c] = static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  return table;
}
constexpr std::array<unsigned char, 256> kFold = MakeFoldTable();

// Sorts order[l..r], indices of the rows' fields, without moving the fields themselves: the
// pivot is a field, not a position.
class IndexQuickSort {
 public:
  explicit IndexQuickSort(std::vector<const std::string*> fields) : fields_(std::move(fields)) {}

  std::vector<std::uint32_t> Sorted() {
    order_.resize(fields_.size());
    for (std::uint32_t i = 0; i < order_.size(); ++i) order_[i] = i;
    if (!order_.empty()) Sort(0, static_cast<long long>(order_.size()) - 1);
    return std::move(order_);
  }

 private:
  int Compare(long long at, const std::string& pivot) const { return CompareTexts(*fields_[order_[at]], pivot); }

  void Sort(long long l, long long r) {
    for (;;) {
      long long i = l, j = r;
      const std::string& pivot = *fields_[order_[(l + r) / 2]];
      do {
        while (Compare(i, pivot) < 0) ++i;
        while (Compare(j, pivot) > 0) --j;
        if (i <= j) std::swap(order_[i++], order_[j--]);
      } while (i <= j);
      // The parts l..j and i..r are disjoint, so sorting the smaller one first leaves the same
      // order as sorting the left one first, and keeps the recursion depth logarithmic.
      if (j - l < r - i) {
        if (l < j) Sort(l, j);
        if (i >= r) return;
        l = i;
      } else {
        if (i < r) Sort(i, r);
        if (l >= j) return;
        r = j;
      }
    }
  }

  std::vector<const std::string*> fields_;
  std::vector<std::uint32_t> order_;
};

}  // namespace

const std::string& SortField(const ResultRecord& row, int key) {
  switch (key) {
    case kSortByUrl:
      return row.url;
    case kSortByTitle:
      return row.title;
    case kSortByServer:
      return row.server;
    default:
      return row.email;
  }
}

int CompareTexts(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const int d = kFold[static_cast<unsigned char>(a[i])] - kFold[static_cast<unsigned char>(b[i])];
    if (d != 0) return d;
  }
  return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

int CompareResults(const ResultRecord& a, const ResultRecord& b, int key) {
  return CompareTexts(SortField(a, key), SortField(b, key));
}

std::string ServerKey(std::string_view email) {
  const std::size_t at = email.find('@');
  return Trim(LowerAscii(at == std::string_view::npos ? email : email.substr(at)));
}

void QuickSortResults(std::vector<ResultRecord>& rows, int key) {
  std::vector<const std::string*> fields;
  fields.reserve(rows.size());
  for (const ResultRecord& row : rows) fields.push_back(&SortField(row, key));
  const std::vector<std::uint32_t> order = IndexQuickSort(std::move(fields)).Sorted();
  std::vector<ResultRecord> sorted;
  sorted.reserve(rows.size());
  for (std::uint32_t i : order) sorted.push_back(std::move(rows[i]));
  rows.swap(sorted);
}

}  // namespace marvessa
