// Where the workers of a run hand the rows they find.
#pragma once

#include <string>

namespace marvessa {

// Called on the UI thread.
class RowSink {
 public:
  virtual ~RowSink() = default;
  virtual void AddRow(const std::string& email, const std::string& url, const std::string& title) = 0;
};

}  // namespace marvessa
