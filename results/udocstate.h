// The state of the current search document. Every assignment to one of its fields is told to
// the observer, so that a front end shows the document's name and modified mark at once.
#pragma once

#include <functional>
#include <string>
#include <utility>

namespace marvessa {

// A field that reads like the plain value and calls its owner's observer when assigned.
template <class T>
class Watched {
 public:
  explicit Watched(const std::function<void()>& changed) : changed_(changed) {}
  Watched(const Watched&) = delete;
  Watched& operator=(const Watched&) = delete;

  Watched& operator=(T value) {
    value_ = std::move(value);
    if (changed_) changed_();
    return *this;
  }
  operator const T&() const { return value_; }  // NOLINT: read like a plain field
  const T& get() const { return value_; }
  friend bool operator==(const Watched& a, const T& b) { return a.value_ == b; }

 private:
  const std::function<void()>& changed_;
  T value_{};
};

struct DocumentState {
  DocumentState() = default;
  DocumentState(const DocumentState&) = delete;
  DocumentState& operator=(const DocumentState&) = delete;

  // Called after every assignment to a field below; may be empty.
  std::function<void()> changed;
  Watched<std::string> documentPath{changed};  // native path; empty while the document is untitled
  Watched<bool> documentNamed{changed};
  Watched<bool> documentModified{changed};
};

// The window title: the document's file name with "*" in front while it has unsaved changes,
// then "Marvessa"; an untitled document shows the program's name alone.
std::string DocumentCaption(const DocumentState& state);

}  // namespace marvessa
