#include "results/usortresults.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "base/utext.h"

namespace marvessa {

namespace {

constexpr std::array<unsigned char, 256> MakeFoldTable() {
  std::array<unsigned char, 256> table{};
  for (int c = 0; c < 256; ++c) table[c] = static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  return table;
}
constexpr std::array<unsigned char, 256> kFold = MakeFoldTable();

// The middle-pivot quicksort over positions l..r: I := L; J := R; the pivot is the row at
// (L + R) / 2 itself; I moves right past rows below it, J left past rows above it, and the two
// are exchanged until they cross. The scanner holds the rows and knows how to scan them.
template <typename Scanner>
void HoareQuickSort(Scanner& s, long long l, long long r) {
  for (;;) {
    if (s.GaveUp()) return;
    long long i = l, j = r;
    const auto pivot = s.PivotAt((l + r) / 2);
    do {
      i = s.NextNotBelow(i, pivot);
      j = s.PrevNotAbove(j, pivot);
      if (i <= j) s.Swap(i++, j--);
    } while (i <= j);
    // The parts l..j and i..r are disjoint, so sorting the smaller one first leaves the same
    // order as sorting the left one first, and keeps the recursion depth logarithmic.
    if (j - l < r - i) {
      if (l < j) HoareQuickSort(s, l, j);
      if (i >= r) return;
      l = i;
    } else {
      if (i < r) HoareQuickSort(s, i, r);
      if (l >= j) return;
      r = j;
    }
  }
}

std::vector<std::uint32_t> Identity(std::size_t n) {
  std::vector<std::uint32_t> order(n);
  for (std::uint32_t i = 0; i < n; ++i) order[i] = i;
  return order;
}

// Scans the fields themselves, and gives up once it has compared more than a quicksort of
// typical input needs (4 n log n): some orders, such as two interleaved sorted halves, would
// take it quadratic time.
class FieldScanner {
 public:
  explicit FieldScanner(const std::vector<const std::string*>& fields) : fields_(fields), order_(Identity(fields.size())) {
    for (std::size_t n = fields.size(); n > 0; n /= 2) comparisonsLeft_ += 4 * static_cast<long long>(fields.size());
  }
  bool GaveUp() const { return comparisonsLeft_ < 0; }
  const std::string* PivotAt(long long m) const { return fields_[order_[m]]; }
  long long NextNotBelow(long long i, const std::string* pivot) {
    while (!GaveUp() && Compare(i, *pivot) < 0) ++i;
    return i;
  }
  long long PrevNotAbove(long long j, const std::string* pivot) {
    while (!GaveUp() && Compare(j, *pivot) > 0) --j;
    return j;
  }
  void Swap(long long a, long long b) { std::swap(order_[a], order_[b]); }
  std::vector<std::uint32_t>& Order() { return order_; }

 private:
  int Compare(long long at, const std::string& pivot) {
    --comparisonsLeft_;
    return CompareTexts(*fields_[order_[at]], pivot);
  }

  const std::vector<const std::string*>& fields_;
  std::vector<std::uint32_t> order_;
  long long comparisonsLeft_ = 0;
};

// The dense rank of every field: equal fields share a rank, and ranks order as the fields do.
std::vector<std::int32_t> Ranks(const std::vector<const std::string*>& fields) {
  std::vector<std::uint32_t> byField = Identity(fields.size());
  std::sort(byField.begin(), byField.end(),
            [&](std::uint32_t a, std::uint32_t b) { return CompareTexts(*fields[a], *fields[b]) < 0; });
  std::vector<std::int32_t> ranks(fields.size());
  std::int32_t rank = 0;
  for (std::size_t k = 0; k < byField.size(); ++k) {
    if (k > 0 && CompareTexts(*fields[byField[k - 1]], *fields[byField[k]]) != 0) ++rank;
    ranks[byField[k]] = rank;
  }
  return ranks;
}

// Scans the ranks of the fields, found in O(n log n) by a sort that needs no exact order. A
// scan that runs long jumps to its stop through a tree of the smallest and largest rank of every
// span of positions, so a partition costs a logarithmic step per exchange; the exchanges of all
// partitions are O(n log n), since each one moves a row of the smaller part.
class RankScanner {
 public:
  explicit RankScanner(std::vector<std::int32_t> ranks) : rank_(std::move(ranks)), order_(Identity(rank_.size())) {
    const long long n = static_cast<long long>(rank_.size());
    while (leaves_ < n) leaves_ *= 2;
    low_.assign(2 * leaves_, INT32_MAX);
    high_.assign(2 * leaves_, INT32_MIN);
    for (long long i = 0; i < n; ++i) low_[leaves_ + i] = high_[leaves_ + i] = rank_[i];
    for (long long q = leaves_ - 1; q >= 1; --q) Pull(q);
  }
  bool GaveUp() const { return false; }
  std::int32_t PivotAt(long long m) const { return rank_[m]; }

  // The first position from i on whose rank is not below pivot; the partition guarantees one.
  long long NextNotBelow(long long i, std::int32_t pivot) const {
    for (int k = 0; k < kLinearSteps; ++k, ++i)
      if (rank_[i] >= pivot) return i;
    long long q = leaves_ + i;
    while (high_[q] < pivot) {
      while (q & 1) q /= 2;  // up to the first span that lies wholly to the right
      ++q;
    }
    while (q < leaves_) q = high_[2 * q] >= pivot ? 2 * q : 2 * q + 1;
    return q - leaves_;
  }

  // The last position from j back whose rank is not above pivot; the partition guarantees one.
  long long PrevNotAbove(long long j, std::int32_t pivot) const {
    for (int k = 0; k < kLinearSteps; ++k, --j)
      if (rank_[j] <= pivot) return j;
    long long q = leaves_ + j;
    while (low_[q] > pivot) {
      while (!(q & 1)) q /= 2;  // up to the first span that lies wholly to the left
      --q;
    }
    while (q < leaves_) q = low_[2 * q + 1] <= pivot ? 2 * q + 1 : 2 * q;
    return q - leaves_;
  }

  void Swap(long long a, long long b) {
    std::swap(order_[a], order_[b]);
    if (rank_[a] == rank_[b]) return;
    std::swap(rank_[a], rank_[b]);
    for (long long pos : {a, b}) {
      long long q = leaves_ + pos;
      low_[q] = high_[q] = rank_[pos];
      for (q /= 2; q >= 1; q /= 2) Pull(q);
    }
  }
  std::vector<std::uint32_t>& Order() { return order_; }

 private:
  // Scans shorter than this step through the ranks.
  static constexpr int kLinearSteps = 16;

  void Pull(long long q) {
    low_[q] = std::min(low_[2 * q], low_[2 * q + 1]);
    high_[q] = std::max(high_[2 * q], high_[2 * q + 1]);
  }

  std::vector<std::int32_t> rank_;  // by position
  std::vector<std::uint32_t> order_;
  long long leaves_ = 1;  // node q spans its children 2q and 2q + 1; the leaves are the positions
  std::vector<std::int32_t> low_;
  std::vector<std::int32_t> high_;
};

// The order the quicksort leaves the fields in, as indices into fields.
std::vector<std::uint32_t> QuickSortOrder(const std::vector<const std::string*>& fields) {
  const long long last = static_cast<long long>(fields.size()) - 1;
  FieldScanner direct(fields);
  if (last > 0) HoareQuickSort(direct, 0, last);
  if (!direct.GaveUp()) return std::move(direct.Order());
  RankScanner ranked(Ranks(fields));
  HoareQuickSort(ranked, 0, last);
  return std::move(ranked.Order());
}

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
  const std::vector<std::uint32_t> order = QuickSortOrder(fields);
  std::vector<ResultRecord> sorted;
  sorted.reserve(rows.size());
  for (std::uint32_t i : order) sorted.push_back(std::move(rows[i]));
  rows.swap(sorted);
}

}  // namespace marvessa
