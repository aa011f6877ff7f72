#include "sandbox/corpus.h"

#include <algorithm>
#include <sstream>
#include <stdexcept>

#include "base/uembedded.h"

namespace marvessa {
extern const EmbeddedFile kCorpusFiles[];
extern const std::size_t kCorpusFilesCount;
}  // namespace marvessa

namespace marvessa::sandbox {

namespace {

const EmbeddedFile& CorpusFile(std::string_view name) {
  for (std::size_t i = 0; i < kCorpusFilesCount; ++i)
    if (kCorpusFiles[i].name == name) return kCorpusFiles[i];
  throw std::out_of_range("no corpus file " + std::string(name));
}

// One page per line of labels.txt: its file name, then its addresses or "-".
std::vector<CorpusPage> ReadCorpus() {
  std::vector<CorpusPage> pages;
  std::istringstream labels{std::string(CorpusFile("labels.txt").bytes)};
  for (std::string line; std::getline(labels, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line);
    std::string name;
    words >> name;
    const EmbeddedFile& file = CorpusFile(name);
    CorpusPage page{file.name, file.bytes, {}};
    for (std::string address; words >> address;)
      if (address != "-") page.addresses.push_back(address);
    pages.push_back(std::move(page));
  }
  std::sort(pages.begin(), pages.end(), [](const CorpusPage& a, const CorpusPage& b) { return a.name < b.name; });
  return pages;
}

}  // namespace

const std::vector<CorpusPage>& AddressCorpus() {
  static const std::vector<CorpusPage> pages = ReadCorpus();
  return pages;
}

const CorpusPage& CorpusPageNamed(std::string_view name) {
  for (const CorpusPage& page : AddressCorpus())
    if (page.name == name) return page;
  throw std::out_of_range("no corpus page " + std::string(name));
}

}  // namespace marvessa::sandbox
