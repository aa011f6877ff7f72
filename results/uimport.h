// Import of URL lists into the level-1 list: plain text files and the three "ulk" layouts.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "base/uuithread.h"
#include "base/uview.h"
#include "results/uresults.h"
#include "search/urunstate.h"

namespace marvessa {

// Hands take() the lines of a URL-list file's text that are URLs, in file order, by the file's
// extension (".txt" or ".ulk") and, for ".ulk", its first line. The event queue is serviced once
// per taken "ulk" line. The lines are views into text: nothing is copied.
void TakeUrlLines(const std::string& extension, std::string_view text, UiThread& ui,
                  const std::function<void(std::string_view)>& take);
// The text from the last dot of the file name on, lower-cased and trimmed; empty without one.
std::string ImportExtension(const std::string& path);

// Adds the URLs of the file to the level-1 list as its newest entries, in file order and as they
// stand (untrimmed), each with an empty result title so that the titles stay paired with their
// URLs. Blank lines are skipped: a worker that took one would end. A missing or unknown file adds
// nothing; an unreadable one raises FileError.
void ImportUrlList(const std::string& path, RunState& run, UiThread& ui, BusyCursor& cursor);
// The import command's file: results of a crawl from a JSON Lines file (".jsonl") into the
// customer list, URLs from any other file into the level-1 list.
void ImportFile(const std::string& path, ResultList& results, RunState& run, UiThread& ui, BusyCursor& cursor);

}  // namespace marvessa
