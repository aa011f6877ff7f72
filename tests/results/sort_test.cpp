#include <gtest/gtest.h>

#include <cstdio>
#include <random>

#include "results/usortresults.h"

namespace marvessa {
namespace {

ResultRecord Row(std::string field) { return {field, field, field, field}; }

// A row whose key field holds value and whose other fields tell it apart.
ResultRecord Tagged(int key, const std::string& value, const std::string& id) {
  static std::string ResultRecord::*const kFields[] = {nullptr, &ResultRecord::email, &ResultRecord::url,
                                                       &ResultRecord::title, &ResultRecord::server};
  ResultRecord row{id, id, id, id};
  row.*kFields[key] = value;
  return row;
}

bool SameRow(const ResultRecord& a, const ResultRecord& b) {
  return a.email == b.email && a.url == b.url && a.title == b.title && a.server == b.server;
}

TEST(CompareResults, FoldsOnlyLowerCaseLettersAndComparesBytesUnsigned) {
  for (int key = kSortByEmail; key <= kSortByServer; ++key) {
    EXPECT_GT(CompareResults(Row("a_"), Row("aa"), key), 0) << key;  // "_" is above "A"
    EXPECT_EQ(CompareResults(Row("aB"), Row("Ab"), key), 0) << key;
  }
  EXPECT_LT(CompareTexts("9", "@"), 0);
  EXPECT_LT(CompareTexts("@", "a"), 0);
  EXPECT_GT(CompareTexts("\xB0\xA1", "z"), 0);  // GBK bytes above ASCII
  EXPECT_LT(CompareTexts("ab", "abc"), 0);
  EXPECT_GT(CompareTexts("abc", "AB"), 0);
}

TEST(ServerKey, FromTheAtSignOnLowerCasedAndTrimmed) {
  EXPECT_EQ(ServerKey(" Sales@Example.COM  "), "@example.com");
  EXPECT_EQ(ServerKey(" NoAt.Com "), "noat.com");
}

// The quicksort written out step by step over the rows themselves.
void ReferenceSort(std::vector<ResultRecord>& rows, int l, int r, int key) {
  int i;
  do {
    i = l;
    int j = r;
    const ResultRecord p = rows[(l + r) / 2];
    do {
      while (CompareResults(rows[i], p, key) < 0) ++i;
      while (CompareResults(rows[j], p, key) > 0) --j;
      if (i <= j) {
        std::swap(rows[i], rows[j]);
        ++i;
        --j;
      }
    } while (i <= j);
    if (l < j) ReferenceSort(rows, l, j, key);
    l = i;
  } while (i < r);
}

TEST(QuickSortResults, LeavesEqualRowsInTheOrderOfTheStepByStepQuicksort) {
  std::mt19937 random(7);
  const std::vector<std::string> keys = {"a", "A", "b", "B", "a ", "c", "\xB0\xA1"};
  for (int round = 0; round < 300; ++round) {
    const int size = static_cast<int>(random() % 200);
    const int key = kSortByEmail + round % 4;
    std::vector<ResultRecord> rows;
    for (int n = 0; n < size; ++n) rows.push_back(Tagged(key, keys[random() % keys.size()], "#" + std::to_string(n)));
    std::vector<ResultRecord> expected = rows;
    if (size > 0) ReferenceSort(expected, 0, size - 1, key);
    QuickSortResults(rows, key);
    ASSERT_EQ(rows.size(), expected.size());
    for (int n = 0; n < size; ++n) ASSERT_TRUE(SameRow(rows[n], expected[n])) << "round " << round << " row " << n;
  }
}

// Orders that drive the quicksort quadratic or hold long runs of equal rows, which the sort then
// plays out over ranks; equal rows must still end where the step-by-step quicksort puts them.
TEST(QuickSortResults, HardOrdersEndAsTheStepByStepQuicksortLeavesThem) {
  const int n = 3000;
  const struct {
    const char* name;
    int (*value)(int i, int n);
  } kShapes[] = {
      {"interleaved halves", [](int i, int n) { return i < n / 2 ? 2 * i : 2 * (i - n / 2) + 1; }},
      {"interleaved halves, four rows a key", [](int i, int n) { return (i < n / 2 ? 2 * i : 2 * (i - n / 2) + 1) / 4; }},
      {"organ pipe", [](int i, int n) { return std::min(i, n - i); }},
      {"descending", [](int i, int n) { return n - i; }},
      {"two keys", [](int i, int) { return i % 7 == 0 ? 1 : 0; }},
  };
  for (const auto& shape : kShapes) {
    std::vector<ResultRecord> rows;
    for (int i = 0; i < n; ++i) {
      char key[16];
      std::snprintf(key, sizeof key, "%08d", shape.value(i, n));
      rows.push_back(Tagged(kSortByUrl, key, "#" + std::to_string(i)));
    }
    std::vector<ResultRecord> expected = rows;
    ReferenceSort(expected, 0, n - 1, kSortByUrl);
    QuickSortResults(rows, kSortByUrl);
    for (int i = 0; i < n; ++i) ASSERT_TRUE(SameRow(rows[i], expected[i])) << shape.name << " row " << i;
  }
}

}  // namespace
}  // namespace marvessa
