// The labelled address corpus (sandbox/corpus/): realistic contact pages in the eight languages,
// each with the addresses a careful person would copy from it. The corpus test measures the
// scanner's precision and recall on it, the scanner benchmarks build their pages from it, and
// the company web serves some of its pages.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace marvessa::sandbox {

struct CorpusPage {
  std::string_view name;   // file name, such as "de-wix-physio.htm"
  std::string_view html;   // the page's bytes in its own charset
  std::vector<std::string> addresses;
};

// Every page of the corpus, in file name order.
const std::vector<CorpusPage>& AddressCorpus();
// The page of that file name; throws std::out_of_range when there is none.
const CorpusPage& CorpusPageNamed(std::string_view name);

}  // namespace marvessa::sandbox
