// The order of the customer list: the comparison of rows by one field and the quicksort that
// the sort and duplicate-filter commands rely on.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "results/uresults.h"

namespace marvessa {

// The sort keys, which are also the tags of the sort menu items.
enum SortKey : int { kSortByEmail = 1, kSortByUrl = 2, kSortByTitle = 3, kSortByServer = 4 };

// The field a sort key compares.
const std::string& SortField(const ResultRecord& row, int key);
// Byte-wise three-way comparison with only a..z folded to A..Z; other bytes compare unsigned,
// and a prefix sorts first.
int CompareTexts(std::string_view a, std::string_view b);
int CompareResults(const ResultRecord& a, const ResultRecord& b, int key);
// From the first "@" on (the whole address without one), lower-cased, then trimmed.
std::string ServerKey(std::string_view email);

// Sorts ascending by CompareResults with a quicksort that is not stable: the order it leaves
// among equal rows is part of the outcome (the duplicate filter keeps the first of them).
void QuickSortResults(std::vector<ResultRecord>& rows, int key);

}  // namespace marvessa
